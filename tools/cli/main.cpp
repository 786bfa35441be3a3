// vistrel-tool: the command-line companion of the viewer.
#include "benchcommand.h"
#include "exportcommand.h"
#include "framecommand.h"
#include "listcommand.h"
#include "probecommand.h"
#include "repaircommand.h"
#include "reportcommand.h"
#include "telemetrycommand.h"
#include "tooloutput.h"
#include "vistrelresource.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <memory>

namespace {

const char kUsage[]
        = "usage: vistrel-tool COMMAND [ARGS]\n"
          "\n"
          "commands:\n"
          "  probe FILE [--model CODE]                 streams, channels, duration, telemetry "
          "summary\n"
          "  telemetry FILE --format json|csv|gpx      every GPS and G-sensor sample\n"
          "  list PATH... [--removable-root DIR]       recordings of files and folders, by kind\n"
          "  repair FILE [--out DIR]                   rebuild a recording whose index is missing\n"
          "  export FILE (--original | --separate) --out DIR [--replace]   one file, or one per "
          "channel\n"
          "  frame FILE [--channel C] (--number N | --time S) [--width W] --out PNG   one picture\n"
          "  report FILE --time S --out PDF [--no-map] [--model CODE]   the two-page report of a "
          "moment\n"
          "\n"
          "Results go to stdout (JSON unless said otherwise), logs to stderr.\n";

} // namespace

int main(int argc, char *argv[])
{
    // The report draws text, which needs the GUI application's fonts; it needs no display.
    const bool report = argc > 1 && qstrcmp(argv[1], "report") == 0;
    if (report && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The benchmark's memory-card child fills the play list, a widget.
    const bool widgets = argc > 3 && qstrcmp(argv[1], "bench") == 0
            && qstrcmp(argv[2], "--child") == 0 && qstrcmp(argv[3], "card") == 0;
    if (widgets && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app(widgets          ? new QApplication(argc, argv)
                                                  : report ? new QGuiApplication(argc, argv)
                                                           : new QCoreApplication(argc, argv));
    initVistrelResources();
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty() || args.first() == QLatin1String("--help")
        || args.first() == QLatin1String("-h")) {
        ToolOutput::printText(QString::fromLatin1(kUsage));
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("probe"))
        return ProbeCommand::run(args);
    if (command == QLatin1String("telemetry"))
        return TelemetryCommand::run(args);
    if (command == QLatin1String("list"))
        return ListCommand::run(args);
    if (command == QLatin1String("repair"))
        return RepairCommand::run(args);
    if (command == QLatin1String("export"))
        return ExportCommand::run(args);
    if (command == QLatin1String("frame"))
        return FrameCommand::run(args);
    if (command == QLatin1String("report"))
        return ReportCommand::run(args);
    if (command == QLatin1String("bench"))
        return BenchCommand::run(args);
    return ToolOutput::fail(QStringLiteral("unknown command \"%1\" (see --help)").arg(command), 2);
}
