// ctest-labels: gui;engine
// Every language of the `locale` table, started the way the program starts it: a `locale` file
// in a program folder with the compiled translations beside it, read by the real start-up code.
// The translation loads, the windows show its texts (the ones of the .ts file the .qm was made
// from), no button cuts its text, and the language's image folder is complete and carries the
// translated words. Real widgets under Xvfb.
#include "app/mainwindow.h"
#include "app/startupconfig.h"
#include "map/mapwidget.h"
#include "media/globalsettings.h"
#include "playlist/playlistwidget.h"
#include "report/reportlayout.h"
#include "resource/vistrelresource.h"
#include "testpaths.h"
#include "tsfile.h"
#include "ui/aboutdialog.h"
#include "ui/exceptiondialog.h"
#include "ui/loadingdialog.h"
#include "ui/progressbardialog.h"
#include "ui/shortcutlistdialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

#include <unistd.h>

namespace {

struct LanguageRow
{
    const char *code;
    const char *qm;
    const char *folder;
    bool surround; // the folder carries the surround view-mode buttons
};

const LanguageRow Languages[] = {
        {"ko", "Vistrel_ko", "korean", true},
        {"ja", "Vistrel_ja", "japanese", true},
        {"cn", "Vistrel_cn", "chinese", false},
        {"zh_CN", "Vistrel_zh_cn", "chinese_simple", true},
        {"zh_TW", "Vistrel_zh_tw", "chinese_traditional", true},
        {"fr", "Vistrel_fr", "french", false},
        {"ge", "Vistrel_ge", "german", false},
        {"sp", "Vistrel_sp", "spanish", false},
        {"du", "Vistrel_du", "dutch", false},
        {"it", "Vistrel_it", "italien", false},
        {"po", "Vistrel_po", "portuguese", false},
        {"ru", "Vistrel_ru", "russian", false},
        {"pol", "Vistrel_pol", "polish", false},
};

const QString ImageRoot = QStringLiteral(":/resource/img/lang_dependent/");

// The words each language image carries (context "LanguageImages"), by the start of its path
// below the language folder.
const struct
{
    const char *prefix;
    QStringList words;
} ImageWords[] = {
        {"about/about.bmp", {QStringLiteral("About")}},
        {"about/about_ok", {QStringLiteral("OK")}},
        {"map/no_data.png",
         {QStringLiteral("No GPS data"), QStringLiteral("This recording has no position track")}},
        {"map/not_connected.png",
         {QStringLiteral("Map not connected"),
          QStringLiteral("The map service cannot be reached")}},
        {"playlist/list_all", {QStringLiteral("All")}},
        {"playlist/list_always", {QStringLiteral("Drive")}},
        {"playlist/list_event", {QStringLiteral("Event")}},
        {"playlist/list_parking", {QStringLiteral("Park")}},
        {"player/ch1_", {QStringLiteral("Front")}},
        {"player/ch2_", {QStringLiteral("Rear")}},
        {"player/inner_", {QStringLiteral("Surround")}},
        {"player/all_", {QStringLiteral("All")}},
        {"player/original_", {QStringLiteral("Original")}},
        {"player/vr_", {QStringLiteral("VR")}},
        {"player/panorama_", {QStringLiteral("Panorama")}},
        {"player/stereo_", {QStringLiteral("Stereo")}},
};

bool isSurroundImage(const QString &relative)
{
    static const QRegularExpression pattern(
            QStringLiteral("^player/(original|vr|panorama|stereo)_"));
    return pattern.match(relative).hasMatch();
}

// One text a window shows, with the source text and context it must be the translation of.
struct Sample
{
    QString where;
    QString shown;
    const char *context;
    const char *source;
    // The translation of this text is a different word in every language of the table, so
    // showing the English text means the translation did not arrive.
    bool differsInEveryLanguage;
};

// Whether the whole text of a button fits the room its style gives the text.
QString cutButtonText(QAbstractButton *button)
{
    const QString text = button->text();
    if (text.isEmpty() || !button->isVisibleTo(button->window()))
        return QString();
    const QFontMetrics metrics = button->fontMetrics();
    QString plain = text;
    plain.remove(QLatin1Char('&'));
    int room = 0;
    int needed = 0;
    if (auto *push = qobject_cast<QPushButton *>(button)) {
        QStyleOptionButton option;
        option.initFrom(push);
        option.text = text;
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        room = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push).width();
        // A little air on each side: a text that touches the frame reads as cut.
        needed = metrics.horizontalAdvance(plain) + 4;
    } else {
        room = button->width();
        needed = button->sizeHint().width();
    }
    if (needed <= room)
        return QString();
    return QStringLiteral("%1 \"%2\" needs %3 pixels, has %4")
            .arg(button->objectName(), text)
            .arg(needed)
            .arg(room);
}

QString pdfText(const QString &pdf)
{
    const ProcessResult run = runProcess(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QString text = QString::fromUtf8(run.out);
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

// Logs the problems line by line (a failure message would be cut short) and sums them up.
QString listedAbove(const QStringList &problems)
{
    for (const QString &problem : problems)
        qInfo().noquote() << problem;
    return QStringLiteral("%1 problem(s), listed above").arg(problems.size());
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<StartupConfig> m_config;
    TsFile m_ts;

    // Starts the language of this `locale` code as the program does, from a program folder of
    // its own holding the `locale` file and the compiled translations; reads the .ts file the
    // translation was made from.
    bool start(const QString &code, const QString &qm)
    {
        m_program = std::make_unique<QTemporaryDir>();
        const QString folder = m_program->path();
        const QString translations = folder + QStringLiteral("/translations");
        if (!QDir().mkpath(translations))
            return false;
        const QStringList compiled = QDir(TestPaths::translationsDir())
                                             .entryList({QStringLiteral("*.qm")}, QDir::Files);
        for (const QString &file : compiled) {
            if (!QFile::copy(QDir(TestPaths::translationsDir()).filePath(file),
                             QDir(translations).filePath(file)))
                return false;
        }
        QFile locale(folder + QStringLiteral("/locale"));
        if (!locale.open(QIODevice::WriteOnly) || locale.write(code.toUtf8() + '\n') <= 0)
            return false;
        locale.close();
        m_config = std::make_unique<StartupConfig>(folder);
        m_config->loadLanguage(*qApp);
        QString error;
        if (!m_ts.load(TestPaths::sourceDir() + QStringLiteral("/translations/") + qm
                               + QStringLiteral(".ts"),
                       &error)) {
            qWarning().noquote() << error;
            return false;
        }
        return true;
    }

    static void addRows()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("qm");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("surround");
        for (const LanguageRow &row : Languages)
            QTest::newRow(row.code) << QString::fromLatin1(row.code) << QString::fromLatin1(row.qm)
                                    << QString::fromLatin1(row.folder) << row.surround;
    }

    static std::unique_ptr<MainWindow> mainWindow()
    {
        auto window = std::make_unique<MainWindow>();
        window->resize(1060, 745);
        FramelessWindow::showFrameless(window.get());
        return window;
    }

private slots:
    void initTestCase() { initVistrelResources(); }

    void cleanup()
    {
        m_config.reset();
        m_program.reset();
        GlobalSettings::resetToDefaults();
    }

    void translationLoads_data() { addRows(); }
    void translationLoads()
    {
        QFETCH(QString, code);
        QFETCH(QString, qm);
        QFETCH(QString, folder);
        QVERIFY(start(code, qm));
        QCOMPARE(GlobalSettings::resourceLanguage(), folder);
        const QString expected
                = m_program->path() + QStringLiteral("/translations/") + qm + QStringLiteral(".qm");
        QCOMPARE(m_config->translationFile(), expected);
        // Made from this language's .ts file: the .qm carries its language.
        QTranslator translator;
        QVERIFY(translator.load(expected));
        QVERIFY(!m_ts.language().isEmpty());
        QCOMPARE(translator.language(), m_ts.language());
    }

    void windowsShowTheTranslation_data() { addRows(); }
    void windowsShowTheTranslation()
    {
        QFETCH(QString, code);
        QFETCH(QString, qm);
        QVERIFY(start(code, qm));

        const std::unique_ptr<MainWindow> window = mainWindow();
        QVector<Sample> samples;
        const auto action = [&](const char *name) {
            auto *found = window->findChild<QAction *>(QString::fromLatin1(name));
            return found ? found->text() : QStringLiteral("<no action %1>").arg(name);
        };
        const auto toolTip = [&](QWidget *parent, const char *name) {
            auto *found = parent->findChild<QWidget *>(QString::fromLatin1(name));
            return found ? found->toolTip() : QStringLiteral("<no widget %1>").arg(name);
        };
        const auto label = [&](QWidget *parent, const char *name) {
            auto *found = parent->findChild<QLabel *>(QString::fromLatin1(name));
            return found ? found->text() : QStringLiteral("<no label %1>").arg(name);
        };
        samples << Sample {"the Open File action",
                           action("openFileAction"),
                           "MainWindow",
                           "Open File",
                           true}
                << Sample {"the Mute action",
                           action("muteAction"),
                           "MainWindow",
                           "Mute ON/OFF",
                           false}
                << Sample {"the title bar's print button",
                           toolTip(window.get(), "printScreenButton"),
                           "TitleBarWidget",
                           "Print",
                           true}
                << Sample {"the control panel's play button",
                           toolTip(window.get(), "playerPauseButton"),
                           "PlayerControlWidget",
                           "Play/Pause",
                           false}
                << Sample {"the play list's driving filter",
                           toolTip(window->playList(), "playListDriving"),
                           "PlayListWidget",
                           "Driving",
                           true};
        auto *table
                = window->playList()->findChild<QTableWidget *>(QStringLiteral("playlistTableAll"));
        QVERIFY(table && table->horizontalHeaderItem(2));
        samples << Sample {"the play list's time column",
                           table->horizontalHeaderItem(2)->text(),
                           "PlayListTableWidget",
                           "Time",
                           true};
        QStringList listLabels;
        for (QLabel *title : window->playList()->findChildren<QLabel *>())
            listLabels << title->text();
        QCOMPARE(listLabels.size(), 1); // the play list's title
        samples << Sample {
                "the play list's title", listLabels.first(), "PlayListWidget", "Play List", true};
        QVERIFY(window->mapWidget());
        samples << Sample {"the map panel's title",
                           label(window->mapWidget(), "mapTitleLabel"),
                           "MapWidget",
                           "Map",
                           true};

        ProgressbarDialog exportDialog(window.get());
        QStringList questions;
        for (QLabel *question : exportDialog.findChildren<QLabel *>()) {
            if (question->objectName().isEmpty())
                questions << question->text();
        }
        QCOMPARE(questions.size(), 1);
        const auto buttonText = [&](QWidget *parent, const char *name) {
            auto *found = parent->findChild<QAbstractButton *>(QString::fromLatin1(name));
            return found ? found->text() : QStringLiteral("<no button %1>").arg(name);
        };
        samples << Sample {"the export dialog's title",
                           label(&exportDialog, "loadingTitleLabel"),
                           "ProgressbarDialog",
                           "Save file",
                           true}
                << Sample {"the export dialog's question",
                           questions.first(),
                           "ProgressbarDialog",
                           "Would you like to save?",
                           true}
                << Sample {"the export dialog's Browse",
                           buttonText(&exportDialog, "openButton"),
                           "ProgressbarDialog",
                           "Browse",
                           true}
                << Sample {"the export dialog's Cancel",
                           buttonText(&exportDialog, "cancelButton"),
                           "ProgressbarDialog",
                           "Cancel",
                           true};

        LoadingDialog loading(window.get());
        samples << Sample {"the loading dialog's title",
                           label(&loading, "loadingTitleLabel"),
                           "LoadingDialog",
                           "Opening the file",
                           true};

        AboutDialog about(window.get());
        // The product title, a blank line, then "Version" and the number.
        const QStringList aboutLines = label(&about, "aboutContent").split(QLatin1Char('\n'));
        samples << Sample {"the about dialog's version line",
                           aboutLines.last().section(QLatin1Char(' '), 0, -2),
                           "AboutDialog",
                           "Version",
                           false};

        QStringList failures;
        for (const Sample &sample : samples) {
            const TsFile::Message *message
                    = m_ts.find(QLatin1String(sample.context), QLatin1String(sample.source));
            const QString translated = QCoreApplication::translate(sample.context, sample.source);
            const QString what = QStringLiteral("%1 (%2 \"%3\")")
                                         .arg(sample.where,
                                              QLatin1String(sample.context),
                                              QLatin1String(sample.source));
            if (!message || !message->isFinished()) {
                failures << what + QStringLiteral(": no finished translation in the .ts file");
                continue;
            }
            if (sample.shown != message->translation || translated != message->translation) {
                failures << what
                                + QStringLiteral(": shows \"%1\", the translation is \"%2\"")
                                          .arg(sample.shown, message->translation);
            } else if (sample.differsInEveryLanguage
                       && message->translation == QLatin1String(sample.source)) {
                failures << what + QStringLiteral(": the translation is the English text");
            }
        }

        // The printed report, read back from its PDF.
        QTemporaryDir pdfFolder;
        const QString pdf = pdfFolder.filePath(QStringLiteral("report.pdf"));
        ReportLayout::Content content;
        content.windowTitle = window->windowTitle();
        content.printedAt = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5));
        content.pictures = {QImage(320, 180, QImage::Format_RGB32)};
        content.pictures[0].fill(Qt::darkGray);
        QString error;
        QVERIFY2(ReportLayout::writePdf(pdf, content, &error), qPrintable(error));
        const QString printed = pdfText(pdf);
        QVERIFY2(printed.contains(QStringLiteral("Page1of2")), qPrintable(printed));
        for (const char *source :
             {"Recording Information", "Position Data", "G-sensor Information"}) {
            const TsFile::Message *message
                    = m_ts.find(QStringLiteral("ReportLayout"), QLatin1String(source));
            const QString what = QStringLiteral("the report's \"%1\"").arg(QLatin1String(source));
            if (!message || !message->isFinished()) {
                failures << what + QStringLiteral(": no finished translation in the .ts file");
                continue;
            }
            QString expected = message->translation;
            expected.remove(QRegularExpression(QStringLiteral("\\s")));
            if (!printed.contains(expected))
                failures << what
                                + QStringLiteral(": \"%1\" is not in the report")
                                          .arg(message->translation);
            else if (message->translation == QLatin1String(source))
                failures << what + QStringLiteral(": the translation is the English text");
        }
        QVERIFY2(failures.isEmpty(), qPrintable(listedAbove(failures)));
    }

    void buttonsShowTheirWholeText_data() { addRows(); }
    void buttonsShowTheirWholeText()
    {
        QFETCH(QString, code);
        QFETCH(QString, qm);
        QVERIFY(start(code, qm));

        const std::unique_ptr<MainWindow> window = mainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        ProgressbarDialog exportDialog(window.get());
        LoadingDialog saving(window.get());
        saving.changeText(true); // its Cancel shows while saving
        AboutDialog about(window.get());
        ExceptionDialog message(QCoreApplication::translate("MainWindow", "Invalid File"),
                                window.get());
        QVector<QPair<QString, QString>> rows;
        for (const MainWindow::ShortcutEntry &entry : window->shortcutEntries())
            rows.append({entry.key.toString(QKeySequence::NativeText), entry.description});
        ShortcutListDialog shortcuts(rows, window.get());

        QStringList failures;
        int withText = 0;
        for (FramelessDialog *dialog : std::initializer_list<FramelessDialog *> {
                     &exportDialog, &saving, &about, &message, &shortcuts}) {
            FramelessDialog::showFramelessDialog(dialog);
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
        }
        QWidgetList windows = {window.get(), &exportDialog, &saving, &about, &message, &shortcuts};
        for (QWidget *top : windows) {
            for (QAbstractButton *button : top->findChildren<QAbstractButton *>()) {
                // The dialogs are children of the window too; each is looked at on its own.
                if (button->window() != top || button->text().isEmpty()
                    || !button->isVisibleTo(top))
                    continue;
                ++withText;
                const QString cut = cutButtonText(button);
                if (!cut.isEmpty())
                    failures << QLatin1String(top->metaObject()->className()) + QStringLiteral(": ")
                                    + cut;
            }
        }
        // Browse, Original, Separate, Cancel; Cancel; Confirm; Close.
        QVERIFY2(withText >= 7, qPrintable(QString::number(withText)));
        QVERIFY2(failures.isEmpty(), qPrintable(listedAbove(failures)));
    }

    void languageImagesCarryTheTranslation_data() { addRows(); }
    void languageImagesCarryTheTranslation()
    {
        QFETCH(QString, code);
        QFETCH(QString, qm);
        QFETCH(QString, folder);
        QFETCH(bool, surround);
        QVERIFY(start(code, qm));
        QCOMPARE(GlobalSettings::resourceLanguage(), folder);

        // The English folder has every image the program loads from a language folder.
        const QString english = ImageRoot + QStringLiteral("english/");
        QDirIterator it(english, QDir::Files, QDirIterator::Subdirectories);
        QStringList failures;
        int images = 0;
        int translatedImages = 0;
        while (it.hasNext()) {
            const QString relative = it.next().mid(english.size());
            const QString path = ImageRoot + folder + QLatin1Char('/') + relative;
            if (isSurroundImage(relative) && !surround) {
                if (QFile::exists(path))
                    failures << path + QStringLiteral(": a surround button in this folder");
                continue;
            }
            ++images;
            const QPixmap shown(path);
            const QImage reference(english + relative);
            if (shown.isNull()) {
                failures << path + QStringLiteral(": does not load");
                continue;
            }
            if (shown.size() != reference.size()) {
                failures << path + QStringLiteral(": not the size of the English image");
                continue;
            }
            // A word translated into something else must show in the picture.
            bool translated = false;
            for (const auto &entry : ImageWords) {
                if (!relative.startsWith(QLatin1String(entry.prefix)))
                    continue;
                for (const QString &word : entry.words) {
                    const TsFile::Message *message
                            = m_ts.find(QStringLiteral("LanguageImages"), word);
                    if (message && message->isFinished() && message->translation != word)
                        translated = true;
                }
            }
            if (!translated)
                continue;
            ++translatedImages;
            if (shown.toImage().convertToFormat(QImage::Format_ARGB32)
                == reference.convertToFormat(QImage::Format_ARGB32)) {
                failures << path + QStringLiteral(": shows the English words");
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(listedAbove(failures)));
        QCOMPARE(images, surround ? 33 : 25);
        qDebug().noquote() << folder << ":" << translatedImages << "of" << images
                           << "images carry translated words";
    }
};

int main(int argc, char *argv[])
{
    // The map panel's web engine shares OpenGL contexts with the widgets; as root it runs
    // without its sandbox.
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    TestLanguages test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_languages.moc"
