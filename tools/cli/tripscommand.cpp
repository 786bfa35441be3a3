#include "tripscommand.h"

#include "listcommand.h"
#include "playlist/folderscanner.h"
#include "playlist/removabledrivequery.h"
#include "playlist/trip.h"
#include "playlist/tripscanner.h"
#include "toolargs.h"
#include "tooloutput.h"
#include "toolusage.h"

#include <QJsonArray>
#include <QJsonValue>

#include <memory>

namespace {

// ISO 8601 without a zone: the names carry the camera's clock, whose zone nobody knows.
QJsonValue isoTime(const QDateTime &time)
{
    return time.isValid() ? QJsonValue(time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")))
                          : QJsonValue();
}

QString kindName(int kind)
{
    switch (kind) {
    case RecordingKind::Driving:
        return QStringLiteral("driving");
    case RecordingKind::Event:
        return QStringLiteral("event");
    case RecordingKind::Parking:
        return QStringLiteral("parking");
    default:
        break;
    }
    return QStringLiteral("unknown");
}

} // namespace

QJsonObject TripsCommand::toJson(const Trip &trip)
{
    QJsonArray files;
    for (const TripRecording &recording : trip.recordings) {
        QJsonObject file;
        file.insert(QStringLiteral("path"), recording.entry.path);
        file.insert(QStringLiteral("start"), isoTime(recording.start));
        file.insert(QStringLiteral("duration"), double(recording.durationUs) / 1e6);
        file.insert(QStringLiteral("playable"), recording.playable());
        files.append(file);
    }
    QJsonArray events;
    for (const TripEvent &event : trip.events) {
        QJsonObject mark;
        mark.insert(QStringLiteral("path"), event.path);
        mark.insert(QStringLiteral("start"), isoTime(event.start));
        mark.insert(QStringLiteral("seconds"), event.seconds);
        events.append(mark);
    }
    QJsonObject result;
    result.insert(QStringLiteral("kind"), kindName(trip.kind));
    result.insert(QStringLiteral("start"), isoTime(trip.start));
    result.insert(QStringLiteral("end"), isoTime(trip.end));
    result.insert(QStringLiteral("duration"), trip.durationSeconds());
    result.insert(QStringLiteral("distance"), trip.distanceMetres);
    result.insert(QStringLiteral("maxSpeed"), trip.maxSpeedKmh);
    result.insert(QStringLiteral("files"), files);
    result.insert(QStringLiteral("events"), events);
    return result;
}

int TripsCommand::run(const QStringList &arguments)
{
    const ToolArgs args(arguments, {QStringLiteral("removable-root")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), ToolUsage::ExitUsage);
    if (args.positionals().isEmpty())
        return ToolOutput::fail(ToolUsage::usage(QStringLiteral("trips")), ToolUsage::ExitUsage);

    const std::unique_ptr<RemovableDriveQuery> drives = ListCommand::drivesFor(args);

    FolderScanner scanner(*drives);
    scanner.scan(args.positionals());
    QJsonArray trips;
    for (const Trip &trip : TripScanner::scan(scanner))
        trips.append(toJson(trip));
    QJsonObject result;
    result.insert(QStringLiteral("trips"), trips);
    ToolOutput::printJson(QJsonDocument(result));
    return ToolUsage::ExitOk;
}
