#pragma once

#include <QString>

struct AVFormatContext;

// When a recording's first picture was taken, for lining up data that carries its own UTC
// times (GPS logs beside the file). Cameras name files after their local clock; the name is
// read in this machine's time zone.
//
// Threads: stateless; callable from any thread.
class RecordingStart
{
public:
    // UTC ms since 1970 from a date and time in the file name ("20190314_153012...",
    // "2019_0314_153012...", "2019-03-14_15-30-12..."), else from the container's
    // creation_time; -1 when neither is there.
    static qint64 utcMs(const QString &path, const AVFormatContext *format);
    // From the name alone (local time); -1 when it holds no date and time.
    static qint64 fromName(const QString &fileName);
    // From the container's creation_time tag (UTC); -1 without one.
    static qint64 fromContainer(const AVFormatContext *format);
};
