#include "videotrack.h"

#include "tools/framecode/framecode.h"

extern "C" {
#include <libavutil/opt.h>
}

VideoTrack::VideoTrack(const RecordingOptions::Video &video,
                       int channel,
                       int frameCount,
                       int seed,
                       int firstNumber)
    : m_video(video)
    , m_channel(channel)
    , m_frameCount(frameCount)
    , m_seed(seed)
    , m_firstNumber(firstNumber)
{ }

double VideoTrack::nextTime() const
{
    return m_nextFrame * av_q2d(m_frameTime);
}

bool VideoTrack::open(AVFormatContext *output, QString *error)
{
    const AVCodec *codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) {
        *error = QStringLiteral("the libx264 encoder is not available");
        return false;
    }
    m_codec.reset(avcodec_alloc_context3(codec));
    m_frame = av::makeFrame();
    m_packet = av::makePacket();
    if (!m_codec || !m_frame || !m_packet) {
        *error = QStringLiteral("out of memory");
        return false;
    }

    m_frameTime = av_inv_q(av_d2q(m_video.fps, 100000));
    const AVRational announced = av_d2q(m_video.announcedFps(), 100000);
    AVCodecContext *c = m_codec.get();
    c->width = m_video.width;
    c->height = m_video.height;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    // Frames are numbered 0, 1, 2, ... in the encoder's time base, one tick per frame. The
    // encoder writes this rate into the stream's timing information; the muxer gets the
    // packets restamped at the real rate (see sendFrame), which may differ.
    c->time_base = av_inv_q(announced);
    c->framerate = announced;
    c->gop_size = m_video.gop;
    c->max_b_frames = m_video.bframes;
    c->thread_count = 1; // deterministic output
    c->flags |= AV_CODEC_FLAG_BITEXACT;
    if (output->oformat->flags & AVFMT_GLOBALHEADER)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (m_video.bitrateKbps > 0) {
        c->bit_rate = int64_t(m_video.bitrateKbps) * 1000;
    } else {
        av_opt_set(c->priv_data, "crf", "23", 0);
    }
    av_opt_set(c->priv_data, "preset", "veryfast", 0);
    // Key frames exactly every gop frames, never at scene changes.
    av_opt_set(c->priv_data, "x264-params", "scenecut=0", 0);

    int ret = avcodec_open2(c, codec, nullptr);
    if (ret < 0) {
        *error = QStringLiteral("libx264: %1").arg(av::errorText(ret));
        return false;
    }

    m_stream = avformat_new_stream(output, nullptr);
    if (!m_stream) {
        *error = QStringLiteral("out of memory");
        return false;
    }
    m_stream->time_base = m_frameTime;
    m_stream->avg_frame_rate = av_inv_q(m_frameTime);
    m_stream->r_frame_rate = av_inv_q(m_frameTime);
    ret = avcodec_parameters_from_context(m_stream->codecpar, c);
    if (ret < 0) {
        *error = QStringLiteral("stream parameters: %1").arg(av::errorText(ret));
        return false;
    }

    m_frame->format = c->pix_fmt;
    m_frame->width = c->width;
    m_frame->height = c->height;
    ret = av_frame_get_buffer(m_frame.get(), 0);
    if (ret < 0) {
        *error = QStringLiteral("frame buffer: %1").arg(av::errorText(ret));
        return false;
    }
    return true;
}

bool VideoTrack::writeNext(AVFormatContext *output, QString *error)
{
    if (done())
        return true;
    // The muxer or encoder may still hold a reference to the previous picture.
    int ret = av_frame_make_writable(m_frame.get());
    if (ret < 0) {
        *error = QStringLiteral("frame buffer: %1").arg(av::errorText(ret));
        return false;
    }
    FrameCode::drawYuv420p(m_frame->data[0],
                           m_frame->linesize[0],
                           m_frame->data[1],
                           m_frame->linesize[1],
                           m_frame->data[2],
                           m_frame->linesize[2],
                           m_frame->width,
                           m_frame->height,
                           m_firstNumber + m_nextFrame,
                           m_channel,
                           m_seed);
    m_frame->pts = m_nextFrame;
    m_frame->pict_type = AV_PICTURE_TYPE_NONE;
    ++m_nextFrame;
    return sendFrame(output, m_frame.get(), error);
}

bool VideoTrack::finish(AVFormatContext *output, QString *error)
{
    return sendFrame(output, nullptr, error);
}

bool VideoTrack::sendFrame(AVFormatContext *output, const AVFrame *frame, QString *error)
{
    int ret = avcodec_send_frame(m_codec.get(), frame);
    if (ret < 0) {
        *error = QStringLiteral("libx264: %1").arg(av::errorText(ret));
        return false;
    }
    for (;;) {
        ret = avcodec_receive_packet(m_codec.get(), m_packet.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret < 0) {
            *error = QStringLiteral("libx264: %1").arg(av::errorText(ret));
            return false;
        }
        // Timestamps count frames; one frame lasts 1 / fps whatever rate the encoder announces.
        m_packet->duration = 1;
        av_packet_rescale_ts(m_packet.get(), m_frameTime, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        ret = av_interleaved_write_frame(output, m_packet.get());
        if (ret < 0) {
            *error = QStringLiteral("writing video: %1").arg(av::errorText(ret));
            return false;
        }
    }
}
