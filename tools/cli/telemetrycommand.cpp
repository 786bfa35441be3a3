#include "telemetrycommand.h"

#include "media/avptr.h"
#include "media/telemetrytrack.h"
#include "playlist/trackexport.h"
#include "toolargs.h"
#include "tooloutput.h"
#include "toolusage.h"

#include <QFileInfo>

int TelemetryCommand::run(const QStringList &arguments)
{
    const ToolArgs args(arguments, {QStringLiteral("format")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    const QString format = args.has(QStringLiteral("format")) ? args.value(QStringLiteral("format"))
                                                              : QStringLiteral("json");
    if (args.positionals().size() != 1
        || !QStringList {QStringLiteral("json"), QStringLiteral("csv"), QStringLiteral("gpx")}
                    .contains(format)) {
        return ToolOutput::fail(ToolUsage::usage(QStringLiteral("telemetry")), 2);
    }
    const QString path = QFileInfo(args.positionals().first()).absoluteFilePath();
    TelemetryTrack track;
    const int ret = TrackExport::load(path, &track);
    if (ret < 0) {
        return ToolOutput::fail(
                QStringLiteral("%1: cannot open: %2 (%3)").arg(path, av::errorText(ret)).arg(ret));
    }
    const TrackExport::Format chosen = format == QLatin1String("csv") ? TrackExport::Csv
            : format == QLatin1String("gpx")                          ? TrackExport::Gpx
                                                                      : TrackExport::Json;
    ToolOutput::printText(TrackExport::text(track, chosen, path));
    return 0;
}
