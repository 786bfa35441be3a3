// ctest-labels: gui
// The embedded interface images: every image path the viewer's sources name loads from the
// resource, and every image of the generator's table is there at the size the table gives.
#include "resource/vistrelresource.h"
#include "testpaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

const QStringList Languages = {QStringLiteral("english"),
                               QStringLiteral("korean"),
                               QStringLiteral("japanese"),
                               QStringLiteral("chinese"),
                               QStringLiteral("chinese_simple"),
                               QStringLiteral("chinese_traditional"),
                               QStringLiteral("french"),
                               QStringLiteral("german"),
                               QStringLiteral("spanish"),
                               QStringLiteral("dutch"),
                               QStringLiteral("italien"),
                               QStringLiteral("portuguese"),
                               QStringLiteral("russian"),
                               QStringLiteral("polish")};
const QStringList SurroundLanguages = {QStringLiteral("english"),
                                       QStringLiteral("korean"),
                                       QStringLiteral("japanese"),
                                       QStringLiteral("chinese_simple"),
                                       QStringLiteral("chinese_traditional")};

// The contents of the string literals of a C++ source; comments and character literals are
// skipped, so a path mentioned in a comment is not taken for one the code loads.
QStringList stringLiterals(const QString &source)
{
    QStringList literals;
    const int n = source.size();
    int i = 0;
    while (i < n) {
        const QChar c = source.at(i);
        const QChar next = i + 1 < n ? source.at(i + 1) : QChar();
        if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
            while (i < n && source.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const int end = source.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            QString text;
            ++i;
            while (i < n && source.at(i) != c) {
                if (source.at(i) == QLatin1Char('\\') && i + 1 < n)
                    ++i;
                text.append(source.at(i));
                ++i;
            }
            ++i;
            if (c == QLatin1Char('"'))
                literals.append(text);
        } else {
            ++i;
        }
    }
    return literals;
}

struct Reference
{
    QString path;
    QString where;
};

QVector<Reference> referencedResourcePaths()
{
    static const QRegularExpression pathPattern(QStringLiteral(":/resource/[A-Za-z0-9_./%\\-]*"));
    QVector<Reference> references;
    const QStringList folders = {QStringLiteral("app"),
                                 QStringLiteral("ui"),
                                 QStringLiteral("video"),
                                 QStringLiteral("playlist"),
                                 QStringLiteral("telemetry")};
    for (const QString &folder : folders) {
        const QString root = QDir(TestPaths::sourceDir()).filePath(folder);
        if (!QDir(root).exists())
            continue;
        QDirIterator it(root,
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QFile source(file);
            if (!source.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(source.readAll());
            for (const QString &literal : stringLiterals(text)) {
                auto matches = pathPattern.globalMatch(literal);
                while (matches.hasNext()) {
                    references.append({matches.next().captured(0),
                                       QDir(TestPaths::sourceDir()).relativeFilePath(file)});
                }
            }
        }
    }
    return references;
}

bool hasImageSuffix(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("bmp");
}

// The concrete files a referenced path stands for: "%1" is the language folder in
// lang_dependent paths (the surround view-mode buttons exist in five folders only) and the
// digit of the speed display's digit images. Anything else is reported in `problem`.
QStringList expand(const QString &path, QString *problem)
{
    if (!path.contains(QLatin1String("%")))
        return {path};
    if (path.count(QLatin1Char('%')) != 1 || !path.contains(QLatin1String("%1"))) {
        *problem = QStringLiteral("only one %1 is understood");
        return {};
    }
    QStringList result;
    if (path.contains(QLatin1String("/lang_dependent/%1/"))) {
        static const QRegularExpression surround(
                QStringLiteral("/player/(original|vr|panorama|stereo)_[^/]*$"));
        const QStringList &folders
                = surround.match(path).hasMatch() ? SurroundLanguages : Languages;
        for (const QString &language : folders)
            result.append(path.arg(language));
    } else if (path.contains(QLatin1String("/speed/speed_Num_%1."))) {
        for (int digit = 0; digit <= 9; ++digit)
            result.append(path.arg(digit));
    } else {
        *problem = QStringLiteral("%1 stands for neither a language folder nor a digit");
    }
    return result;
}

struct TableImage
{
    QString path;
    QSize size;
};

QVector<TableImage> generatorTable(QString *error)
{
    const QString program
            = QDir(TestPaths::buildDir()).filePath(QStringLiteral("tools/make-assets"));
    const ProcessResult run = runProcess(program, {QStringLiteral("--list")}, 60000);
    if (!run.finished || run.crashed || run.exitCode != 0) {
        *error = QStringLiteral("make-assets --list failed: ") + QString::fromUtf8(run.err);
        return {};
    }
    QVector<TableImage> images;
    static const QRegularExpression line(QStringLiteral("^(\\S+) (\\d+)x(\\d+)$"));
    for (const QByteArray &raw : run.out.split('\n')) {
        if (raw.trimmed().isEmpty())
            continue;
        const auto match = line.match(QString::fromUtf8(raw.trimmed()));
        if (!match.hasMatch()) {
            *error = QStringLiteral("unreadable line: ") + QString::fromUtf8(raw);
            return {};
        }
        images.append(
                {match.captured(1), QSize(match.captured(2).toInt(), match.captured(3).toInt())});
    }
    return images;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVistrelResources(); }

    void literalScanner_skipsCommentsAndCharacters()
    {
        const QString source = QStringLiteral(
                "// \":/resource/img/a.png\"\n"
                "/* \":/resource/img/b.png\" */ auto x = '\"';\n"
                "load(\":/resource/img/c.png\"); style(\"url(:/resource/img/d\\\".png)\");\n");
        QCOMPARE(stringLiterals(source),
                 QStringList({QStringLiteral(":/resource/img/c.png"),
                              QStringLiteral("url(:/resource/img/d\".png)")}));
    }

    void everyReferencedImageLoads()
    {
        const QVector<Reference> references = referencedResourcePaths();
        QStringList failures;
        int images = 0;
        for (const Reference &reference : references) {
            if (!reference.path.startsWith(QLatin1String(":/resource/img/")))
                continue; // the map page and its files are not images
            if (reference.path.endsWith(QLatin1Char('/'))) {
                // A folder the code appends to at run time: the folder (and, for the language
                // root, every language folder) must exist. The file names appended to it
                // cannot be seen here; the generator check below covers those files.
                QStringList folders = {reference.path};
                if (reference.path.endsWith(QLatin1String("/lang_dependent/"))) {
                    for (const QString &language : Languages)
                        folders.append(reference.path + language);
                }
                for (const QString &folder : folders) {
                    if (!QDir(folder).exists())
                        failures.append(reference.where + QStringLiteral(": no folder ") + folder);
                }
                continue;
            }
            if (!hasImageSuffix(reference.path)) {
                failures.append(reference.where + QStringLiteral(": ") + reference.path
                                + QStringLiteral(" is neither an image nor a folder"));
                continue;
            }
            QString problem;
            const QStringList files = expand(reference.path, &problem);
            if (!problem.isEmpty())
                failures.append(reference.where + QStringLiteral(": ") + reference.path
                                + QStringLiteral(": ") + problem);
            for (const QString &file : files) {
                ++images;
                if (QImage(file).isNull())
                    failures.append(reference.where + QStringLiteral(": cannot load ") + file);
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
        // The title bar and the dialogs alone name more than this.
        QVERIFY2(images >= 40, qPrintable(QString::number(images)));
    }

    void generatorTable_isExactlyTheResource()
    {
        QString error;
        const QVector<TableImage> table = generatorTable(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(table.size() > 100);

        QSet<QString> listed;
        QStringList failures;
        for (const TableImage &entry : table) {
            const QString path = QStringLiteral(":/resource/") + entry.path;
            listed.insert(path);
            const QImage image(path);
            if (image.isNull())
                failures.append(QStringLiteral("cannot load ") + path);
            else if (image.size() != entry.size)
                failures.append(QStringLiteral("%1 is %2x%3, the table says %4x%5")
                                        .arg(path)
                                        .arg(image.width())
                                        .arg(image.height())
                                        .arg(entry.size.width())
                                        .arg(entry.size.height()));
        }
        // Every image of the resource tree; the map page's scripts and styles are no images.
        QDirIterator it(QStringLiteral(":/resource"), QDir::Files, QDirIterator::Subdirectories);
        int embedded = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            if (!hasImageSuffix(path))
                continue;
            ++embedded;
            if (!listed.contains(path))
                failures.append(QStringLiteral("embedded but not in the table: ") + path);
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
        QCOMPARE(embedded, table.size());
    }

    void languageFolders_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("surround");
        for (const QString &language : Languages)
            QTest::newRow(qPrintable(language)) << language << SurroundLanguages.contains(language);
    }

    void languageFolders()
    {
        QFETCH(QString, language);
        QFETCH(bool, surround);
        const QString folder = QStringLiteral(":/resource/img/lang_dependent/") + language;
        for (const char *file : {"/about/about.bmp",
                                 "/about/about_ok.BMP",
                                 "/map/no_data.png",
                                 "/map/not_connected.png",
                                 "/playlist/list_always_disable.BMP",
                                 "/player/inner_clicked_zelk.bmp"}) {
            QVERIFY2(QFile::exists(folder + QLatin1String(file)), file);
        }
        QCOMPARE(QFile::exists(folder + QStringLiteral("/player/panorama_zel.bmp")), surround);
        QCOMPARE(QFile::exists(folder + QStringLiteral("/player/stereo_clicked_zel.bmp")),
                 surround);
    }

    // The speed display makes pure white transparent: a digit must be pure white around a
    // glyph without pale antialiasing fringes, which would stay visible as a halo.
    void speedDigits_maskCleanly()
    {
        QStringList files;
        for (int digit = 0; digit <= 9; ++digit)
            files.append(QStringLiteral(":/resource/img/speed/speed_Num_%1.bmp").arg(digit));
        files << QStringLiteral(":/resource/img/speed/speed_-.bmp")
              << QStringLiteral(":/resource/img/speed/speed_Num_comma.bmp");
        QColor glyph;
        for (const QString &file : files) {
            const QImage image = QImage(file).convertToFormat(QImage::Format_RGB32);
            QVERIFY2(!image.isNull(), qPrintable(file));
            int white = 0;
            int ink = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (pixel == Qt::white) {
                        ++white;
                        continue;
                    }
                    ++ink;
                    if (!glyph.isValid())
                        glyph = pixel;
                    QVERIFY2(pixel == glyph, qPrintable(file + QStringLiteral(" has a fringe")));
                }
            }
            QVERIFY2(white > 0 && ink > 0, qPrintable(file));
        }
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
