// vistrel-tool: the command-line companion of the viewer.
#include "benchcommand.h"
#include "clipcommand.h"
#include "exportcommand.h"
#include "framecommand.h"
#include "listcommand.h"
#include "probecommand.h"
#include "repaircommand.h"
#include "reportcommand.h"
#include "resource/vistrelresource.h"
#include "telemetrycommand.h"
#include "tooloutput.h"
#include "toolusage.h"
#include "tripscommand.h"
#include "verifycommand.h"
#include "vistrelversion.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    // The report draws text, which needs the GUI application's fonts; it needs no display.
    // The evidence package of a clip holds a report.
    const bool report
            = argc > 1 && (qstrcmp(argv[1], "report") == 0 || qstrcmp(argv[1], "clip") == 0);
    if (report && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The benchmark's memory-card child fills the play list and its meter child paints the
    // G-sensor meter, widgets both (offscreen); its window child shows the main window on the
    // current display, whose map's web engine shares OpenGL contexts with the widgets.
    const bool benchChild
            = argc > 3 && qstrcmp(argv[1], "bench") == 0 && qstrcmp(argv[2], "--child") == 0;
    const bool window = benchChild && qstrcmp(argv[3], "gui") == 0;
    const bool widgets = window
            || (benchChild && (qstrcmp(argv[3], "card") == 0 || qstrcmp(argv[3], "meter") == 0));
    if (widgets && !window && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (window)
        QApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    std::unique_ptr<QCoreApplication> app(widgets          ? new QApplication(argc, argv)
                                                  : report ? new QGuiApplication(argc, argv)
                                                           : new QCoreApplication(argc, argv));
    initVistrelResources();
    QCoreApplication::setApplicationVersion(QStringLiteral(VISTREL_VERSION));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        fputs(ToolUsage::overview().toUtf8().constData(), stderr);
        return ToolUsage::ExitUsage;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        ToolOutput::printText(ToolUsage::overview());
        return ToolUsage::ExitOk;
    }
    if (command == QLatin1String("--version") || command == QLatin1String("-v")) {
        ToolOutput::printText(ToolUsage::versionText() + QLatin1Char('\n'));
        return ToolUsage::ExitOk;
    }
    if (command == QLatin1String("help")) {
        if (args.isEmpty()) {
            ToolOutput::printText(ToolUsage::overview());
            return ToolUsage::ExitOk;
        }
        if (args.size() > 1 || !ToolUsage::has(args.first())) {
            return ToolOutput::fail(QStringLiteral("no command \"%1\" (see --help)")
                                            .arg(args.join(QLatin1Char(' '))),
                                    ToolUsage::ExitUsage);
        }
        ToolOutput::printText(ToolUsage::help(args.first()));
        return ToolUsage::ExitOk;
    }
    if (ToolUsage::has(command) && args.contains(QLatin1String("--help"))) {
        ToolOutput::printText(ToolUsage::help(command));
        return ToolUsage::ExitOk;
    }
    if (command == QLatin1String("probe"))
        return ProbeCommand::run(args);
    if (command == QLatin1String("telemetry"))
        return TelemetryCommand::run(args);
    if (command == QLatin1String("list"))
        return ListCommand::run(args);
    if (command == QLatin1String("trips"))
        return TripsCommand::run(args);
    if (command == QLatin1String("repair"))
        return RepairCommand::run(args);
    if (command == QLatin1String("export"))
        return ExportCommand::run(args);
    if (command == QLatin1String("clip"))
        return ClipCommand::run(args);
    if (command == QLatin1String("verify"))
        return VerifyCommand::run(args);
    if (command == QLatin1String("frame"))
        return FrameCommand::run(args);
    if (command == QLatin1String("report"))
        return ReportCommand::run(args);
    if (command == QLatin1String("bench"))
        return BenchCommand::run(args);
    return ToolOutput::fail(QStringLiteral("unknown command \"%1\" (see --help)").arg(command),
                            ToolUsage::ExitUsage);
}
