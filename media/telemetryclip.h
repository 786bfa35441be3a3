#pragma once

#include <QByteArray>
#include <QString>

// The telemetry of a clip cut from a recording: the records of the recording's "tlmd" payload
// whose samples stand for the clip's span [from, to), in their order and byte for byte. The
// viewer spreads a payload's samples evenly over the file (TelemetryTrack), so in a clip that
// starts at 0 at the in mark the same records land at the same moments of the picture: the
// samples are re-timed by the cut alone, and a list of n samples over a recording of d seconds
// gives the clip round((to - from) / (d / n)) of them from index floor(from / (d / n)) on.
//
// Threads: stateless; any thread (cutRecording reads files on the calling thread).
class TelemetryClip
{
public:
    // The records of block, a payload spread over durationSeconds, whose samples fall in
    // [from, to). Empty when none does or the block holds no record.
    static QByteArray cut(const QByteArray &block, double durationSeconds, double from, double to);
    // The cut of the atom of a recording durationSeconds long; for a trip's concat list
    // (TripTimeline) the cuts of its recordings over the parts of the span each holds, joined
    // in trip order. Empty when no recording of the span has an atom.
    static QByteArray cutRecording(const QString &path,
                                   double durationSeconds,
                                   double from,
                                   double to);
};
