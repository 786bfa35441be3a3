#pragma once

#include "gpssample.h"
#include "gsensorsample.h"

#include <QString>
#include <QVector>

class TimedTelemetry;
class TripTimeline;
struct AVFormatContext;
struct AVStream;

// The GPS fixes and G-sensor readings of one open recording, with the seconds of recording
// each sample stands for.
//
// Threads: the media context loads it on the engine's event-loop thread while it opens a
// recording (load) and clears it there; afterwards it is read-only until the next open.
// Readers on other threads take shared copies of the lists (gpsSamples, gsensorSamples), which
// stay valid whatever the context does next. The pointers from gpsAt/gsensorAt point into the
// track itself and are only for callers on the loading thread or while the track cannot change.
class TelemetryTrack
{
public:
    // Empties both lists and zeroes the counts and rates.
    void clear();

    // Reads the telemetry of the recording opened as ctx from the file at path, asking each
    // TelemetrySource in turn (TelemetrySource::all): the first whose track has a valid GPS
    // fix is taken; when none has one, the first that gave any samples. A track without
    // G-sensor readings takes those of the first source that has some. For a trip's concat
    // list (TripTimeline), the joined track of its recordings (loadTrip). Clears first.
    void load(AVFormatContext *ctx, const QString &path);
    // Reads the telemetry of every recording of a trip (each opened on its own, header only)
    // and joins them with joined(). Clears first.
    void loadTrip(const TripTimeline &trip);
    // One track for a trip from the tracks of its files (parts[k] belongs to trip.files()[k]):
    // on the trip's axis, at the smallest rate of the parts, each file's span is filled from its
    // own samples; a span without GPS gets fixes marked invalid, one without G-sensor readings
    // holds the last reading before it (the first of the trip at its start).
    static TelemetryTrack joined(const TripTimeline &trip, const QVector<TelemetryTrack> &parts);
    // A track from timed samples over a recording of duration seconds (0: up to the last
    // sample). Each list is laid on an even axis at its median sample interval: the sample
    // shown at t is the last one at or before t (within half an interval). A stretch without
    // fixes for more than MaxFixAge intervals (at least MaxFixAgeSeconds), and the time before
    // the first fix, get fixes marked invalid; G-sensor readings hold the last one (the first
    // before the first). Samples beyond the duration are left out.
    static TelemetryTrack fromTimed(const TimedTelemetry &timed, double duration);
    static constexpr double MaxFixAge = 2.5;
    static constexpr double MaxFixAgeSeconds = 1.5;

    // Name of the TelemetrySource the samples came from ("tlmd", "nmea-sidecar", ...); empty
    // when there are none. A trip's track carries its first file's.
    QString source() const { return m_source; }
    void setSource(const QString &name) { m_source = name; }

    int gpsCount() const { return m_gpsCount; }
    int gsensorCount() const { return m_gsensorCount; }
    // Seconds of recording per sample; 0 when there are none.
    double gpsRate() const { return m_gpsRate; }
    double gsensorRate() const { return m_gsensorRate; }

    // out becomes a shared copy of the list; -1 when it is empty, else its size.
    int gpsSamples(QVector<GpsSample> &out) const
    {
        out = m_gps;
        return m_gps.isEmpty() ? -1 : m_gps.size();
    }
    int gsensorSamples(QVector<GSensorSample> &out) const
    {
        out = m_gsensor;
        return m_gsensor.isEmpty() ? -1 : m_gsensor.size();
    }
    int validGpsCount() const;

    // The sample shown at a playing time: index = seconds / rate, truncated and limited to the
    // last sample; a negative time gives the first. -1 (or null) when the rate is 0 or the list
    // is empty.
    int gpsIndexAt(double seconds) const;
    int gsensorIndexAt(double seconds) const;
    const GpsSample *gpsAt(double seconds) const;
    const GSensorSample *gsensorAt(double seconds) const;

    // Index for a playing time in a list of count samples spaced rate seconds apart.
    static int indexAt(double seconds, double rate, int count);

private:
    friend class TelemetryParser; // appends the parsed samples and sets counts and rates

    friend class UserDataTelemetrySource; // reads the streams and the tlmd atom into the track

    void loadStream(AVStream *stream, const QString &path, bool lengthPrefix);

    int m_gpsCount = 0;
    int m_gsensorCount = 0;
    QVector<GpsSample> m_gps;
    QVector<GSensorSample> m_gsensor;
    double m_gpsRate = 0;
    double m_gsensorRate = 0;
    QString m_source;
};
