#pragma once

#include <QByteArray>
#include <QString>

class TelemetryTrack;
struct GpsSample;
struct GSensorSample;

// The telemetry of a clip cut from a recording, as the payload of the clip's "tlmd" atom. The
// samples come from the recording's TelemetryTrack, whatever source gave it (the camera's atom
// or streams, a GPMF track, a log beside the file, ...), and are written in the atom's own
// records: each GPS fix as an RMC sentence, each G-sensor reading as a 16-byte binary record
// (TelemetryParser). The viewer spreads an atom's samples evenly over the file, so a clip that
// starts at 0 at the in mark shows the same sample at the same picture when it holds, of a list
// spaced rate seconds apart, round((to - from) / rate) samples from index floor(from / rate) on:
// the samples are re-timed by the cut alone.
//
// Threads: stateless; any thread (cutRecording reads files on the calling thread).
class TelemetryClip
{
public:
    // The payload for the samples of track that stand for [from, to): every GPS record, then
    // every G-sensor record (the reader keeps the two lists apart). Empty when none does.
    static QByteArray cut(const TelemetryTrack &track, double from, double to);
    // The cut of the telemetry of the recording at path, loaded as the viewer loads it
    // (TelemetryTrack::load); for a trip's concat list the cuts of its recordings' own tracks
    // over the part of the span each holds, in trip order. Empty when no recording can be
    // opened or none has a sample in the span.
    static QByteArray cutRecording(const QString &path, double from, double to);

    // "$GPRMC,,A,ddmm.mmmmmm,N,dddmm.mmmmmm,E,knots,,,,,A*CS" and CR LF: status A or V, the
    // position to a millionth of a minute, the speed in knots, 13 fields and the checksum.
    static QByteArray gpsRecord(const GpsSample &sample);
    // "$", "M" and b0..b13: magnitudes m of x, y, z (value (m + 1) / 32, 1/32 to 8 g), their
    // signs (1: negative), zeros.
    static QByteArray gsensorRecord(const GSensorSample &sample);

private:
    enum List { Gps, GSensor };
    static QByteArray cut(const TelemetryTrack &track, double from, double to, List list);
    static TelemetryTrack trackOf(const QString &path);
};
