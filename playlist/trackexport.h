#pragma once

#include <QString>

class TelemetryTrack;
struct Trip;

// The telemetry of a recording as a file for other programs: JSON (every sample), CSV (every
// sample, one line each) or GPX 1.1 (one track point per valid fix, with times when the file
// name carries the recording's start, and the speed in the TrackPointExtension in m/s). The
// command line's `telemetry` and the play list's "Export track" use it alike. A trip's track is
// the joined track of its playable recordings (TelemetryTrack::loadTrip): one time axis, the
// recordings end to end, so its GPX times run on from the trip's start without a break at the
// file boundaries.
//
// Threads: stateless; any thread (load opens the file with FFmpeg on the calling thread).
class TrackExport
{
public:
    enum Format { Json = 0, Csv = 1, Gpx = 2 };

    // Opens the recording on a format context of its own and reads its telemetry into track.
    // 0 on success, else the FFmpeg error.
    static int load(const QString &recordingPath, TelemetryTrack *track);
    // The track in a format; recordingPath names the track and dates the GPX points.
    static QString text(const TelemetryTrack &track, Format format, const QString &recordingPath);
    // Reads the recording's telemetry and writes it to outputPath in one piece (an earlier file
    // there is replaced only by a complete one). False, with the reason, on failure.
    static bool writeFile(const QString &recordingPath,
                          Format format,
                          const QString &outputPath,
                          QString *error);
    // The joined track of a trip in a format, named after the trip's first recording; GPX
    // points are timed from trip.start along the trip's timeline.
    static QString tripText(const TelemetryTrack &track, Format format, const Trip &trip);
    // Reads the telemetry of the trip's playable recordings as one track and writes it to
    // outputPath in one piece. False, with the reason, on failure or when no recording of the
    // trip can be played.
    static bool writeTripFile(const Trip &trip,
                              Format format,
                              const QString &outputPath,
                              QString *error);
    // The file suffix of a format ("json", "csv", "gpx").
    static QString suffix(Format format);
};
