#include "media/globalsettings.h"

#include "mainwindow.h"
#include "resource/vistrelresource.h"
#include "startupconfig.h"
#include "viewercommandline.h"
#include "vistrelversion.h"
#include "windowlog.h"

#include <QApplication>
#include <QAudioDeviceInfo>
#include <QDebug>
#include <QDir>
#include <QIcon>
#include <QLoggingCategory>
#include <QSurfaceFormat>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The framework and the map's web engine want a private runtime folder, which a desktop session
// provides. Without one they get one of ours in the temporary folder: created 0700, or reused
// only when it is a real folder of this user that nobody else may enter.
void ensureRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray path = QDir::tempPath().toLocal8Bit() + "/vistrel-runtime-"
            + QByteArray::number(qulonglong(geteuid()));
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return;
    struct stat info;
    if (lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid()
        || (info.st_mode & 077) != 0)
        return;
    qputenv("XDG_RUNTIME_DIR", path);
}

QtMessageHandler g_defaultHandler = nullptr;

// The program's own lines go out as written, without their category's name in front; the
// framework's keep the default format.
void writeMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && qstrncmp(context.category, "vistrel.", 8) == 0) {
        fputs(message.toLocal8Bit().append('\n').constData(), stderr);
        fflush(stderr);
        return;
    }
    g_defaultHandler(type, context, message);
}

void print(FILE *stream, const QString &text)
{
    fputs(text.toLocal8Bit().constData(), stream);
    fflush(stream);
}

// --help and --version: answered before the framework looks for a display.
int answerEarly(ViewerCommandLine::Action action)
{
    if (action == ViewerCommandLine::Help)
        print(stdout, ViewerCommandLine::helpText());
    else
        print(stdout, ViewerCommandLine::versionText() + QLatin1Char('\n'));
    return ViewerCommandLine::ExitOk;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    const ViewerCommandLine::Action early = ViewerCommandLine::early(rawArguments);
    if (early != ViewerCommandLine::Run)
        return answerEarly(early);

    g_defaultHandler = qInstallMessageHandler(writeMessage);
    initVistrelResources();
    // The framework reads these when the application object is created.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "1");
    qputenv("QT_SCALE_FACTOR_ROUNDING_POLICY", "PassThrough");
    // The map's web engine refuses to start as root with its sandbox on; as root it runs
    // without (an explicit setting in the environment wins).
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    ensureRuntimeFolder();

    auto format = std::make_unique<QSurfaceFormat>();
    format->setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(*format);

    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);

    auto app = std::make_unique<QApplication>(argc, argv);
    // The desktop entry and icon installed with the program carry this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(VISTREL_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resource/img/icon/vistrel.png")));

    QString startupPath;
    QString usageError;
    bool verbose = false;
    const ViewerCommandLine::Action action = ViewerCommandLine::parse(
            QCoreApplication::arguments(), &startupPath, &usageError, &verbose);
    if (action == ViewerCommandLine::Error) {
        print(stderr, QStringLiteral("vistrel: %1\n").arg(usageError));
        return ViewerCommandLine::ExitUsage;
    }
    if (action != ViewerCommandLine::Run)
        return answerEarly(action);
    // Rules from QT_LOGGING_RULES are applied after these, so the environment still wins.
    if (verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("vistrel.*.debug=true"));

    // Qt's audio backend lives on the thread that first asks for a device; that must be a
    // thread with an event loop, so ask here before any engine thread does.
    QAudioDeviceInfo::defaultOutputDevice();

    auto config = std::make_unique<StartupConfig>(QCoreApplication::applicationDirPath());
    config->loadLanguage(*app);
    config->loadModel();
    config->takeStartupPath(startupPath);
    qCDebug(lcWindow).noquote().nospace()
            << "startup: language " << GlobalSettings::resourceLanguage() << ", model "
            << GlobalSettings::productModelName() << ", title " << GlobalSettings::productTitle()
            << ", surround " << (GlobalSettings::surroundModel() ? "on" : "off") << ", map "
            << (GlobalSettings::mapDisabled() ? "off" : "on") << ", path "
            << GlobalSettings::startupFilePath();

    auto window = std::make_unique<MainWindow>();
    window->resize(1060, 745);
    FramelessWindow::showFrameless(window.get());
    window->activateWindow();

    // Lets scripted checks start the program, read its start-up log and leave.
    if (qEnvironmentVariableIsSet("VISTREL_QUIT_AFTER_START"))
        QTimer::singleShot(0, app.get(), &QCoreApplication::quit);

    int code = app->exec();
    if (code == 0)
        code = window->exitCode();
    window.reset();
    config.reset();
    app.reset();
    format.reset();
    return code;
}
