#pragma once

#include "media/avptr.h"
#include "recordingoptions.h"

#include <QString>

// One H.264 camera channel of a synthetic recording: draws frame i with the frame-number
// pattern (frame i, this channel), encodes it with libx264 and hands the packets to the muxer.
// Frames are stamped every 1 / fps seconds; the H.264 stream announces announcedFps(). Main
// thread only.
class VideoTrack
{
public:
    // The pictures carry the numbers firstNumber, firstNumber + 1, ... (FrameCode).
    VideoTrack(const RecordingOptions::Video &video,
               int channel,
               int frameCount,
               int seed,
               int firstNumber);

    // Creates the encoder and the stream. Call before the muxer writes its header.
    bool open(AVFormatContext *output, QString *error);

    int framesWritten() const { return m_nextFrame; }
    bool done() const { return m_nextFrame >= m_frameCount; }
    // Presentation time of the next frame in seconds.
    double nextTime() const;

    bool writeNext(AVFormatContext *output, QString *error);
    // Drains the encoder at the end.
    bool finish(AVFormatContext *output, QString *error);

private:
    bool sendFrame(AVFormatContext *output, const AVFrame *frame, QString *error);

    RecordingOptions::Video m_video;
    int m_channel;
    int m_frameCount;
    int m_seed;
    int m_firstNumber;
    int m_nextFrame = 0;
    AVRational m_frameTime {1, 30}; // one frame's duration: 1 / fps
    AVStream *m_stream = nullptr; // owned by the output context
    av::CodecContextPtr m_codec;
    av::FramePtr m_frame;
    av::PacketPtr m_packet;
};
