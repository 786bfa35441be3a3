// Starts the real viewer executable from a temporary program folder with real `locale` and
// `model` files beside it and checks the choices it logs.
#include "testpaths.h"
#include "vistrelversion.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct StartupLog
{
    QString text; // stderr
    QString out; // stdout

    bool has(const QString &pattern) const
    {
        return QRegularExpression(pattern, QRegularExpression::MultilineOption)
                .match(text)
                .hasMatch();
    }
    QString captured(const QString &pattern) const
    {
        return QRegularExpression(pattern, QRegularExpression::MultilineOption)
                .match(text)
                .captured(1);
    }
};

// null: the file is not written at all
void writeConfig(const QString &path, const char *content)
{
    if (!content)
        return;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private:
    // Copies the program into a fresh folder, writes the files and runs it until it quits.
    // Debug lines on through the environment unless quiet is asked for.
    StartupLog start(const char *locale,
                     const char *model,
                     const QStringList &arguments = {},
                     bool debugLines = true)
    {
        StartupLog log;
        m_dir = std::make_unique<QTemporaryDir>();
        const QString folder = m_dir->path();
        const QString program = folder + QStringLiteral("/vistrel");
        if (!QFile::copy(TestPaths::program(), program))
            return log;
        writeConfig(folder + QStringLiteral("/locale"), locale);
        writeConfig(folder + QStringLiteral("/model"), model);

        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VISTREL_QUIT_AFTER_START"), QStringLiteral("1"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Start-up needs no display; without one the offscreen platform also loads no GL.
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_LOGGING_RULES"));
        if (debugLines)
            env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("vistrel.*.debug=true"));
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
        }
        log.text = QString::fromUtf8(process.readAllStandardError());
        log.out = QString::fromUtf8(process.readAllStandardOutput());
        m_exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return log;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_exitCode = -1;

private slots:
    void language_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("loggedCode");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("qm");

        QTest::newRow("last line wins") << QByteArray("fr\nja\n") << true << "ja"
                                        << "japanese"
                                        << "Vistrel_ja";
        QTest::newRow("no trailing newline") << QByteArray("zh_TW") << true << "zh_TW"
                                             << "chinese_traditional"
                                             << "Vistrel_zh_tw";
        QTest::newRow("italian folder name") << QByteArray("it\n") << true << "it"
                                             << "italien"
                                             << "Vistrel_it";
        QTest::newRow("polish") << QByteArray("pol\r\n") << true << "pol"
                                << "polish"
                                << "Vistrel_pol";
        QTest::newRow("upper case is unknown") << QByteArray("FR\n") << true << "FR"
                                               << "english"
                                               << "";
        QTest::newRow("trailing blank is unknown") << QByteArray("fr \n") << true << "fr "
                                                   << "english"
                                                   << "";
        QTest::newRow("empty file is english") << QByteArray("") << true << ""
                                               << "english"
                                               << "";
        QTest::newRow("missing file is korean") << QByteArray() << false << ""
                                                << "korean"
                                                << "Vistrel_ko";
    }

    void language()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, present);
        QFETCH(QString, loggedCode);
        QFETCH(QString, language);
        QFETCH(QString, qm);

        const StartupLog log = start(present ? content.constData() : nullptr, nullptr);
        QCOMPARE(m_exitCode, 0);
        if (present) {
            QVERIFY2(log.has(QStringLiteral("^locale:  ") + QRegularExpression::escape(loggedCode)
                             + QStringLiteral("$")),
                     qPrintable(log.text));
        } else {
            QVERIFY2(!log.has(QStringLiteral("^locale:")), qPrintable(log.text));
        }
        const QString qmPath = m_dir->path() + QStringLiteral("/translations/") + qm;
        QVERIFY2(log.has(QStringLiteral("^resource:  ") + language + QStringLiteral(" , qm:  ")
                         + QRegularExpression::escape(qmPath) + QStringLiteral("$")),
                 qPrintable(log.text));
        QCOMPARE(log.captured(QStringLiteral("^startup: language (\\w+),")), language);
    }

    void model_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("surround");
        QTest::addColumn<QString>("map");

        QTest::newRow("ZRA") << QByteArray("ZRA\n") << true << "ZRA"
                             << "Panorama Clip Viewer"
                             << "on"
                             << "on";
        QTest::newRow("ZRB keeps surround") << QByteArray("ZRB\n") << true << "ZRB"
                                            << "Clip Desk Viewer V4"
                                            << "on"
                                            << "on";
        QTest::newRow("ZRC drops surround and map") << QByteArray("ZRC\n") << true << "ZRC"
                                                    << "Corvane Camera Pro Viewer"
                                                    << "off"
                                                    << "off";
        QTest::newRow("ZRD") << QByteArray("ZRD") << true << "ZRD"
                             << "Corvane Route View"
                             << "off"
                             << "on";
        QTest::newRow("last line wins") << QByteArray("ZRC\nZRB\n") << true << "ZRB"
                                        << "Clip Desk Viewer V4"
                                        << "on"
                                        << "on";
        QTest::newRow("unknown turns surround off") << QByteArray("XYZ\n") << true << "XYZ"
                                                    << "Road Camera Viewer"
                                                    << "off"
                                                    << "on";
        QTest::newRow("lower case is unknown") << QByteArray("zra\n") << true << "zra"
                                               << "Road Camera Viewer"
                                               << "off"
                                               << "on";
        QTest::newRow("missing keeps defaults") << QByteArray() << false << "ZRA"
                                                << "Road Camera Viewer"
                                                << "on"
                                                << "on";
    }

    void model()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, present);
        QFETCH(QString, code);
        QFETCH(QString, title);
        QFETCH(QString, surround);
        QFETCH(QString, map);

        const StartupLog log = start("en\n", present ? content.constData() : nullptr);
        QCOMPARE(m_exitCode, 0);
        QCOMPARE(log.has(QStringLiteral("^product type:  ") + code + QStringLiteral("$")), present);
        QCOMPARE(log.captured(QStringLiteral("^startup: .*model (\\w+),")), code);
        QCOMPARE(log.captured(QStringLiteral("^startup: .*title ([^,]+),")), title);
        QCOMPARE(log.captured(QStringLiteral("^startup: .*surround (\\w+),")), surround);
        QCOMPARE(log.captured(QStringLiteral("^startup: .*map (\\w+),")), map);
    }

    void firstArgumentIsTheStartupPath()
    {
        const StartupLog log = start(nullptr,
                                     nullptr,
                                     {QStringLiteral("/media/card/DRIVING/20240101_101010D.mp4"),
                                      QStringLiteral("/ignored")});
        QCOMPARE(m_exitCode, 0);
        QCOMPARE(log.captured(QStringLiteral("^startup: .*path (.*)$")),
                 QStringLiteral("/media/card/DRIVING/20240101_101010D.mp4"));
    }

    // The viewer's own options; the path is the first argument that is not an option.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // the start of stdout; empty: nothing on stdout
        QTest::addColumn<QString>("error"); // in stderr
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("debugLines"); // switched on through the environment

        const QString usage = QStringLiteral("Usage: vistrel [OPTION]... [PATH]\n");
        const QString version = QStringLiteral("vistrel " VISTREL_VERSION "\n");
        QTest::newRow("help") << QStringList {"--help"} << 0 << usage << "" << false << "" << true;
        QTest::newRow("help after the path")
                << QStringList {"/media/card", "-h"} << 0 << usage << "" << false << "" << true;
        QTest::newRow("version") << QStringList {"--version"} << 0 << version << "" << false << ""
                                 << true;
        QTest::newRow("short version")
                << QStringList {"-v"} << 0 << version << "" << false << "" << true;
        QTest::newRow("unknown option")
                << QStringList {"--full-screen", "/media/card"} << 2 << ""
                << "vistrel: unknown option --full-screen" << false << "" << true;
        QTest::newRow("options end at --") << QStringList {"--", "--help"} << 0 << ""
                                           << "" << true << "--help" << true;
        QTest::newRow("a lone dash is a path") << QStringList {"-"} << 0 << ""
                                               << "" << true << "-" << true;
        QTest::newRow("framework option with a value")
                << QStringList {"-style", "fusion", "/media/card"} << 0 << ""
                << "" << true << "/media/card" << true;
        // Quiet by default: the start-up line is a debug line.
        QTest::newRow("quiet by default") << QStringList {"/media/card"} << 0 << ""
                                          << "" << false << "" << false;
        QTest::newRow("verbose") << QStringList {"--verbose", "/media/card"} << 0 << ""
                                 << "" << true << "/media/card" << false;
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, error);
        QFETCH(bool, started);
        QFETCH(QString, path);
        QFETCH(bool, debugLines);

        const StartupLog log = start(nullptr, nullptr, arguments, debugLines);
        QCOMPARE(m_exitCode, exitCode);
        // Nothing goes to stdout but the answers to --help and --version.
        if (out.isEmpty())
            QVERIFY2(log.out.isEmpty(), qPrintable(log.out));
        else
            QVERIFY2(log.out.startsWith(out), qPrintable(log.out));
        QVERIFY2(log.text.contains(error), qPrintable(log.text));
        QCOMPARE(log.has(QStringLiteral("^startup: ")), started);
        if (started)
            QCOMPARE(log.captured(QStringLiteral("^startup: .*path (.*)$")), path);
    }

    void frameworkOptionsAreNotTheStartupPath()
    {
        const StartupLog log = start(nullptr, nullptr, {QStringLiteral("-reverse")});
        QCOMPARE(m_exitCode, 0);
        QCOMPARE(log.captured(QStringLiteral("^startup: .*path (.*)$")), QString());
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
