#pragma once

#include "media/avptr.h"

#include <QString>
#include <QVector>

#include <cmath>
#include <memory>

// The lower bounds the engine's latencies are compared with, measured in this process with
// plain FFmpeg calls and the engine's software decoder settings (the threads of
// MediaState::decoderThreadsFor for the recording's video streams, frame
// threading): no queues, threads, filters or pacing in between.
//
// Threads: one thread creates and uses it; seekTo decodes each stream on a thread of its own
// (as the engine does) and joins them before it returns.
class DecodeFloor
{
public:
    DecodeFloor(const QString &path, const QVector<int> &streams);
    ~DecodeFloor();

    // Milliseconds from the start of an open to each of its steps (NaN: not reached).
    struct OpenSteps
    {
        double inputOpen = std::nan(""); // demuxer open and stream info
        double decodersOpen = std::nan("");
        double firstFrame = std::nan(""); // the first stream's first frame
        double lastFrame = std::nan(""); // every stream has its first frame: the figure
    };

    // Demuxer open, stream info, decoder open and decode until every stream has its first
    // frame, in milliseconds; NaN on failure. steps (optional) receives the times of the steps.
    static double openToFirstFrames(const QString &path,
                                    const QVector<int> &streams,
                                    OpenSteps *steps = nullptr);

    // Opens one demuxer and decoder per stream for seekTo (not timed). False on failure.
    bool open(QString *error);
    // Seek to the key frame at or before `seconds` and decode up to the frame at `seconds` (or,
    // with keyFrameOnly, just that key frame), on every stream in parallel; milliseconds until
    // the last stream has it, NaN on failure.
    double seekTo(double seconds, bool keyFrameOnly = false);

private:
    struct Channel
    {
        av::FormatContextPtr format;
        av::CodecContextPtr codec;
        int stream = -1;
    };
    static int openChannel(const QString &path, int stream, Channel *channel);
    static bool decodeTo(Channel *channel, double seconds, bool keyFrameOnly);

    QString m_path;
    QVector<int> m_streams;
    std::vector<std::unique_ptr<Channel>> m_channels;
};
