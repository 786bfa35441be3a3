#include "globalsettings.h"
#include "mainwindow.h"
#include "startupconfig.h"
#include "vistrelresource.h"

#include <QApplication>
#include <QAudioDeviceInfo>
#include <QDebug>
#include <QSurfaceFormat>
#include <QTimer>

#include <memory>

#include <unistd.h>

int main(int argc, char *argv[])
{
    initVistrelResources();
    // The framework reads these when the application object is created.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "1");
    qputenv("QT_SCALE_FACTOR_ROUNDING_POLICY", "PassThrough");
    // The map's web engine refuses to start as root with its sandbox on; as root it runs
    // without (an explicit setting in the environment wins).
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    auto format = std::make_unique<QSurfaceFormat>();
    format->setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(*format);

    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);

    auto app = std::make_unique<QApplication>(argc, argv);

    // Qt's audio backend lives on the thread that first asks for a device; that must be a
    // thread with an event loop, so ask here before any engine thread does.
    QAudioDeviceInfo::defaultOutputDevice();

    auto config = std::make_unique<StartupConfig>(QCoreApplication::applicationDirPath());
    config->loadLanguage(*app);
    config->loadModel();
    config->takeStartupPath(QCoreApplication::arguments());
    qDebug().noquote().nospace() << "startup: language " << GlobalSettings::resourceLanguage()
                                 << ", model " << GlobalSettings::productModelName() << ", title "
                                 << GlobalSettings::productTitle() << ", surround "
                                 << (GlobalSettings::surroundModel() ? "on" : "off") << ", map "
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
