#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

struct AVStream;

// Reads the samples of one stream straight from the file through the stream's index entries
// (position, size, time), without demuxing: how the telemetry sources read their tracks while
// the recording opens. Entries that lie outside the file or are larger than MaxSampleSize are
// skipped; reading stops after MaxTotalBytes.
//
// Threads: stateless; callable from any thread, each call with its own stream.
class StreamSampleReader
{
public:
    // A telemetry sample is a few hundred bytes (a GPMF packet a few kilobytes); an index
    // entry claiming more is damage, and reading it would only allocate memory for nothing.
    static constexpr qint64 MaxSampleSize = 16 * 1024 * 1024;
    static constexpr qint64 MaxTotalBytes = 50 * 1024 * 1024; // what the probe may read

    // Calls sample(bytes, time, duration) for every entry in index order: time in seconds from
    // the stream's start, duration up to the next entry (the last one lasts as long as the one
    // before it, or up to streamEnd seconds when that is later than its time). Returns the
    // number of samples read, or -1 when the file cannot be opened.
    static int forEach(const QString &path,
                       AVStream *stream,
                       double streamEnd,
                       const std::function<void(const QByteArray &, double, double)> &sample);
};
