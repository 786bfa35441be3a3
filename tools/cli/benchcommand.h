#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

// `vistrel-tool bench [--quick] [--seconds N] [--json FILE]`: measures the playback engine
// and, in the same run and on the same generated recordings, the anchors it is compared with
// (the ffmpeg program for throughput, mpv for CPU and memory at 1x, in-process FFmpeg decoding
// for latency floors), prints a table and writes the figures as JSON.
//
// The engine runs in child vistrel-tool processes (BenchChild), the anchors as child programs
// (ChildRun), one after another so that they do not share the cores. Recordings are made once
// with make-recording and kept in <tool dir>/../bench-recordings.
// Main thread only.
class BenchCommand
{
public:
    static int run(const QStringList &arguments);

    // Everything one benchmark run needs to know about a recording.
    struct Recording
    {
        QString path;
        QVector<int> videoStreams;
        int frames = 0; // video frames of all video streams together
        int width = 0; // of the first video stream
        int height = 0;
        bool hasAudio = false;
        int64_t durationUs = 0; // the container's; 0 when it states none
    };
};
