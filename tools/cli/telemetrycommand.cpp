#include "telemetrycommand.h"

#include "media/avptr.h"
#include "media/telemetrytrack.h"
#include "playlist/folderscanner.h"
#include "playlist/recordingname.h"
#include "playlist/trackexport.h"
#include "playlist/trip.h"
#include "playlist/tripgrouper.h"
#include "playlist/tripscanner.h"
#include "toolargs.h"
#include "tooloutput.h"
#include "toolusage.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

void warn(const QString &message)
{
    fputs(QStringLiteral("vistrel-tool: %1\n").arg(message).toUtf8().constData(), stderr);
}

// Why rows (in time order, with their lengths for grouping) are not one trip; empty when they
// are.
QString whyNotOneTrip(const QVector<TripRecording> &rows)
{
    const QVector<int64_t> lengths = TripGrouper::effectiveDurations(rows);
    QString layout;
    for (int i = 0; i < rows.size(); ++i) {
        const TripRecording &row = rows[i];
        if (row.playable()) {
            if (layout.isEmpty())
                layout = row.layout;
            else if (row.layout != layout)
                return QStringLiteral("%1: its streams (%2) differ from the trip's (%3)")
                        .arg(row.entry.path, row.layout, layout);
        }
        if (i == 0)
            continue;
        const TripRecording &previous = rows[i - 1];
        if (row.entry.kind != previous.entry.kind)
            return QStringLiteral("%1 and %2 are recordings of different kinds")
                    .arg(previous.entry.path, row.entry.path);
        if (row.start <= previous.start)
            return QStringLiteral("%1 and %2 start at the same time")
                    .arg(previous.entry.path, row.entry.path);
        const double gap
                = double(previous.start.msecsTo(row.start)) / 1000.0 - double(lengths[i - 1]) / 1e6;
        if (gap > TripGrouper::GapToleranceSeconds)
            return QStringLiteral("%1 starts %2 s after %3 ends (more than %4 s apart)")
                    .arg(row.entry.path)
                    .arg(gap, 0, 'f', 1)
                    .arg(previous.entry.path)
                    .arg(TripGrouper::GapToleranceSeconds);
    }
    return QString();
}

// The files given with --trip as one trip; false with the reason in *error.
bool tripOf(const QStringList &files, Trip *trip, QString *error)
{
    QVector<TripRecording> rows;
    for (const QString &file : files) {
        const QFileInfo info(file);
        PlayListEntry entry;
        entry.path = info.absoluteFilePath();
        entry.kind = RecordingName::parse(info, &entry.date, &entry.time, &entry.type);
        if (entry.kind < RecordingKind::Unknown || !FolderScanner::rowDateTime(entry).isValid()) {
            *error = QStringLiteral("%1: the name carries no recording time to place it in a "
                                    "trip by")
                             .arg(entry.path);
            return false;
        }
        const TripRecording row = TripScanner::inspect(entry);
        if (!row.playable())
            warn(QStringLiteral("%1: cannot be opened; left out of the track").arg(entry.path));
        rows.append(row);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const TripRecording &a, const TripRecording &b) {
        return a.start < b.start;
    });
    *error = whyNotOneTrip(rows);
    if (!error->isEmpty())
        return false;
    const QVector<Trip> trips = TripGrouper::group(rows, {});
    if (trips.size() != 1) {
        *error = trips.isEmpty() ? QStringLiteral("none of the files can be opened")
                                 : QStringLiteral("the files do not form one trip");
        return false;
    }
    *trip = trips.first();
    return true;
}

} // namespace

int TelemetryCommand::run(const QStringList &arguments)
{
    const ToolArgs args(arguments, {QStringLiteral("format")}, {QStringLiteral("trip")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    const QString format = args.has(QStringLiteral("format")) ? args.value(QStringLiteral("format"))
                                                              : QStringLiteral("json");
    const bool asTrip = args.has(QStringLiteral("trip"));
    const int files = args.positionals().size();
    if (files < 1 || (!asTrip && files != 1)
        || !QStringList {QStringLiteral("json"), QStringLiteral("csv"), QStringLiteral("gpx")}
                    .contains(format)) {
        return ToolOutput::fail(ToolUsage::usage(QStringLiteral("telemetry")), 2);
    }
    const TrackExport::Format chosen = format == QLatin1String("csv") ? TrackExport::Csv
            : format == QLatin1String("gpx")                          ? TrackExport::Gpx
                                                                      : TrackExport::Json;
    if (asTrip) {
        Trip trip;
        QString error;
        if (!tripOf(args.positionals(), &trip, &error))
            return ToolOutput::fail(error);
        TelemetryTrack track;
        track.loadTrip(trip.timeline());
        ToolOutput::printText(TrackExport::tripText(track, chosen, trip));
        return 0;
    }
    const QString path = QFileInfo(args.positionals().first()).absoluteFilePath();
    TelemetryTrack track;
    const int ret = TrackExport::load(path, &track);
    if (ret < 0) {
        return ToolOutput::fail(
                QStringLiteral("%1: cannot open: %2 (%3)").arg(path, av::errorText(ret)).arg(ret));
    }
    ToolOutput::printText(TrackExport::text(track, chosen, path));
    return 0;
}
