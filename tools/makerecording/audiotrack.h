#pragma once

#include "media/avptr.h"
#include "recordingoptions.h"

#include <QString>

// The audio stream of a synthetic recording: silence with short full-scale clicks (a 1 kHz
// tone burst of ClickSeconds) at the given times, encoded as AAC (MP4) or MP3 (AVI).
// Main thread only.
class AudioTrack
{
public:
    static constexpr double ClickSeconds = 0.010;
    static constexpr double ClickHz = 1000.0;

    explicit AudioTrack(const RecordingOptions &options);

    bool open(AVFormatContext *output, QString *error);

    bool done() const { return m_nextSample >= m_totalSamples; }
    double nextTime() const { return double(m_nextSample) / m_rate; }

    bool writeNext(AVFormatContext *output, QString *error);
    bool finish(AVFormatContext *output, QString *error);

    // The synthetic signal at sample n (same on every channel), in -1..1.
    double sampleValue(int64_t n) const;

private:
    bool sendFrame(AVFormatContext *output, const AVFrame *frame, QString *error);

    RecordingOptions::Container m_container;
    int m_rate;
    int m_channels;
    QVector<double> m_clicks;
    int64_t m_totalSamples;
    int64_t m_nextSample = 0;
    int m_frameSize = 1024;
    bool m_smallLastFrame = false;
    int64_t m_firstPts = AV_NOPTS_VALUE; // of the first packet (AVI only)
    AVStream *m_stream = nullptr; // owned by the output context
    av::CodecContextPtr m_codec;
    av::FramePtr m_frame;
    av::PacketPtr m_packet;
};
