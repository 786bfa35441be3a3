#pragma once

#include <QString>
#include <QVector>

class TelemetryTrack;
struct AVFormatContext;

// One way a camera stores its GPS fixes and G-sensor readings, in the recording or beside it.
// Each source recognises the recordings that hold its kind of data and reads them into the
// TelemetryTrack the views use; TelemetryTrack::load asks them in the order of all().
//
// Threads: sources are stateless and shared; recognises and read may run on any thread at
// once (the engine's event loop, the play list's scanners), each call with its own input.
class TelemetrySource
{
public:
    enum class Kind {
        UserData, // the cameras' own "tlmd" atom and telemetry text streams
        Gpmf, // GPMF metadata track ("gpmd") of action cameras
        FreeGps, // "gps " index of "free" atoms holding GPS blocks
        Mp4Nmea, // NMEA text in a "gps " or "free" box of the movie
        TextTrack, // a subtitle track whose cues give positions as text
        NmeaSidecar, // NAME.nmea (.gps, .log, .txt) beside the recording
        GpxSidecar, // NAME.gpx beside the recording
    };

    struct Input
    {
        AVFormatContext *format = nullptr; // opened on path; streams may be unprobed
        QString path;
        double duration = 0; // seconds; 0 when unknown
    };

    virtual ~TelemetrySource() = default;

    virtual Kind kind() const = 0;
    // Cheap look at the recording (and its folder): whether it holds this source's data.
    virtual bool recognises(const Input &input) const = 0;
    // Reads the data into track (cleared first, source() set); true when it gave any sample.
    virtual bool read(const Input &input, TelemetryTrack *track) const = 0;

    // The name probe output and logs use: "tlmd", "gpmf", "freegps", "mp4-nmea",
    // "text-track", "nmea-sidecar", "gpx-sidecar".
    static QString name(Kind kind);
    // Every source, in the order they are asked.
    static const QVector<const TelemetrySource *> &all();

    // Files beside path with its base name and one of the suffixes, in lower case or in
    // capitals, in the order of suffixes; only regular files up to maxSize bytes.
    static QStringList sidecars(const QString &path, const QStringList &suffixes, qint64 maxSize);
    // Largest sidecar file read: what the probe may read of a recording (half a day of 10 Hz
    // RMC sentences).
    static constexpr qint64 MaxSidecarSize = 50LL * 1024 * 1024;
};
