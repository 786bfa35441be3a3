// make-assets: draws the viewer's interface images (buttons, sliders, digits, logos, the
// language folders) into a folder and writes the .qrc that embeds them, and the program icon
// for the desktop as an icon theme tree. Runs without a display.

#include "assettable.h"
#include "assetwriter.h"
#include "iconwriter.h"
#include "imagewords.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSet>
#include <QTextStream>

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

int fail(int code, const QString &message)
{
    QTextStream(stderr) << "make-assets: " << message << '\n';
    return code;
}

} // namespace

int main(int argc, char *argv[])
{
    // Painting text needs a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the viewer's interface images."));
    parser.addHelpOption();
    const QCommandLineOption outputOption(
            QStringLiteral("output"),
            QStringLiteral("Folder that receives resource/img/ and resource/map/."),
            QStringLiteral("dir"));
    const QCommandLineOption qrcOption(
            QStringLiteral("qrc"),
            QStringLiteral("Name of the .qrc file in the output folder."),
            QStringLiteral("name"),
            QStringLiteral("vistrel_resource.qrc"));
    const QCommandLineOption listOption(
            QStringLiteral("list"),
            QStringLiteral("Print every image path (below resource/) and size; write nothing."));
    const QCommandLineOption translationsOption(
            QStringLiteral("translations"),
            QStringLiteral("Folder of the viewer's compiled translations (Vistrel_<code>.qm): the "
                           "words of each language folder's images come from its translation. "
                           "Without it every folder shows the English words."),
            QStringLiteral("dir"));
    const QCommandLineOption iconsOption(
            QStringLiteral("icons"),
            QStringLiteral("Folder that receives the program icon as hicolor/<size>/apps/<name>."),
            QStringLiteral("dir"));
    const QCommandLineOption iconNameOption(QStringLiteral("icon-name"),
                                            QStringLiteral("File name of the program icon."),
                                            QStringLiteral("name"),
                                            QStringLiteral("org.vistrel.Vistrel"));
    parser.addOptions(
            {outputOption, qrcOption, listOption, translationsOption, iconsOption, iconNameOption});
    parser.process(app);

    const QVector<AssetTable::Image> images = AssetTable::images();
    QSet<QString> seen;
    for (const AssetTable::Image &image : images) {
        if (seen.contains(image.resourcePath()))
            return fail(ExitFailure,
                        QStringLiteral("the table names %1 twice").arg(image.resourcePath()));
        seen.insert(image.resourcePath());
    }

    if (parser.isSet(listOption)) {
        QTextStream out(stdout);
        for (const AssetTable::Image &image : images)
            out << image.resourcePath() << ' ' << image.size.width() << 'x' << image.size.height()
                << '\n';
        return 0;
    }
    if (!parser.isSet(outputOption) && !parser.isSet(iconsOption))
        return fail(ExitUsage, QStringLiteral("--output or --icons is required"));

    if (parser.isSet(translationsOption)) {
        QString error;
        if (!ImageWords::load(parser.value(translationsOption), AssetTable::languages(), &error))
            return fail(ExitFailure, error);
    }

    if (parser.isSet(outputOption)) {
        AssetWriter writer(parser.value(outputOption));
        if (!writer.writeImages(images))
            return fail(ExitFailure, writer.error());
        // A word cut off or drawn as empty boxes is a fault of the images: no .qrc (the
        // build's mark of finished images) is left then.
        const QStringList problems = ImageWords::problems();
        if (!problems.isEmpty()) {
            QFile::remove(QDir(parser.value(outputOption)).filePath(parser.value(qrcOption)));
            return fail(ExitFailure, problems.join(QStringLiteral("\nmake-assets: ")));
        }
        if (!writer.writeQrc(images, parser.value(qrcOption)))
            return fail(ExitFailure, writer.error());
    }
    if (parser.isSet(iconsOption)) {
        IconWriter icons(parser.value(iconsOption), parser.value(iconNameOption));
        if (!icons.write(AssetTable::appIconPainter()))
            return fail(ExitFailure, icons.error());
    }
    return 0;
}
