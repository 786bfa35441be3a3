#pragma once

#include <QStringList>

// vistrel-tool telemetry FILE --format json|csv|gpx: every telemetry sample of a recording
// with its index and time offset (index x rate). GPX 1.1 has one track point per valid fix,
// with times when the file name carries the recording's start date and time (the camera's
// clock, so without a zone) and the speed in the TrackPointExtension (m/s).
// With --trip, FILE... are the recordings of one trip (TripGrouper's rule), ordered by the
// times in their names: one joined track (TelemetryTrack::loadTrip) whose times run on from
// the first file's start. Main thread.
class TelemetryCommand
{
public:
    static int run(const QStringList &arguments);
};
