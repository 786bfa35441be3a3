#include "audiotrack.h"

#include <cmath>

namespace {
constexpr double Pi = 3.14159265358979323846;
}

AudioTrack::AudioTrack(const RecordingOptions &options)
    : m_container(options.container)
    , m_rate(options.audioRate)
    , m_channels(options.audioChannels)
    , m_clicks(options.clicks)
    , m_totalSamples(std::llround(options.duration * options.audioRate))
{ }

double AudioTrack::sampleValue(int64_t n) const
{
    const int64_t clickLength = std::llround(ClickSeconds * m_rate);
    for (double click : m_clicks) {
        const int64_t start = std::llround(click * m_rate);
        if (n >= start && n < start + clickLength)
            return std::sin(2 * Pi * ClickHz * double(n - start) / m_rate);
    }
    return 0.0;
}

bool AudioTrack::open(AVFormatContext *output, QString *error)
{
    // The AVI muxer takes MP3 most readily; MP4 gets what cameras write, AAC.
    const bool mp3 = m_container == RecordingOptions::Container::Avi;
    const AVCodec *codec = mp3 ? avcodec_find_encoder_by_name("libmp3lame")
                               : avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!codec) {
        *error = QStringLiteral("the %1 encoder is not available").arg(mp3 ? "MP3" : "AAC");
        return false;
    }
    m_codec.reset(avcodec_alloc_context3(codec));
    m_frame = av::makeFrame();
    m_packet = av::makePacket();
    if (!m_codec || !m_frame || !m_packet) {
        *error = QStringLiteral("out of memory");
        return false;
    }
    AVCodecContext *c = m_codec.get();
    c->sample_fmt = AV_SAMPLE_FMT_FLTP; // both encoders take planar float
    c->sample_rate = m_rate;
    av_channel_layout_default(&c->ch_layout, m_channels);
    c->bit_rate = 64000 * std::min(m_channels, 2);
    c->time_base = AVRational {1, m_rate};
    c->flags |= AV_CODEC_FLAG_BITEXACT;
    if (output->oformat->flags & AVFMT_GLOBALHEADER)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int ret = avcodec_open2(c, codec, nullptr);
    if (ret < 0) {
        *error = QStringLiteral("%1 encoder: %2").arg(codec->name, av::errorText(ret));
        return false;
    }
    m_frameSize = c->frame_size > 0 ? c->frame_size : 1024;
    m_smallLastFrame
            = (codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) != 0 || c->frame_size == 0;

    m_stream = avformat_new_stream(output, nullptr);
    if (!m_stream) {
        *error = QStringLiteral("out of memory");
        return false;
    }
    m_stream->time_base = c->time_base;
    ret = avcodec_parameters_from_context(m_stream->codecpar, c);
    if (ret < 0) {
        *error = QStringLiteral("stream parameters: %1").arg(av::errorText(ret));
        return false;
    }
    return true;
}

bool AudioTrack::writeNext(AVFormatContext *output, QString *error)
{
    if (done())
        return true;
    const int64_t left = m_totalSamples - m_nextSample;
    const int real = static_cast<int>(std::min<int64_t>(left, m_frameSize));
    // An encoder that needs full frames gets the last one padded with silence.
    const int count = m_smallLastFrame ? real : m_frameSize;

    av_frame_unref(m_frame.get());
    m_frame->format = m_codec->sample_fmt;
    m_frame->sample_rate = m_rate;
    m_frame->nb_samples = count;
    int ret = av_channel_layout_copy(&m_frame->ch_layout, &m_codec->ch_layout);
    if (ret >= 0)
        ret = av_frame_get_buffer(m_frame.get(), 0);
    if (ret < 0) {
        *error = QStringLiteral("audio frame: %1").arg(av::errorText(ret));
        return false;
    }
    for (int ch = 0; ch < m_channels; ++ch) {
        auto *samples = reinterpret_cast<float *>(m_frame->extended_data[ch]);
        for (int i = 0; i < count; ++i)
            samples[i] = i < real ? static_cast<float>(sampleValue(m_nextSample + i)) : 0.0f;
    }
    m_frame->pts = m_nextSample;
    m_nextSample += real;
    return sendFrame(output, m_frame.get(), error);
}

bool AudioTrack::finish(AVFormatContext *output, QString *error)
{
    return sendFrame(output, nullptr, error);
}

bool AudioTrack::sendFrame(AVFormatContext *output, const AVFrame *frame, QString *error)
{
    int ret = avcodec_send_frame(m_codec.get(), frame);
    if (ret < 0) {
        *error = QStringLiteral("audio encoder: %1").arg(av::errorText(ret));
        return false;
    }
    for (;;) {
        ret = avcodec_receive_packet(m_codec.get(), m_packet.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret < 0) {
            *error = QStringLiteral("audio encoder: %1").arg(av::errorText(ret));
            return false;
        }
        if (m_container == RecordingOptions::Container::Avi) {
            // AVI stores no timestamps, so the encoder's priming delay (negative timestamps)
            // would make the muxer shift every stream, video included, and skip video frames.
            // Start the audio at 0 instead, as a camera writing AVI does.
            if (m_firstPts == AV_NOPTS_VALUE)
                m_firstPts = std::min<int64_t>(0, m_packet->pts);
            m_packet->pts -= m_firstPts;
            m_packet->dts -= m_firstPts;
        }
        av_packet_rescale_ts(m_packet.get(), m_codec->time_base, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        ret = av_interleaved_write_frame(output, m_packet.get());
        if (ret < 0) {
            *error = QStringLiteral("writing audio: %1").arg(av::errorText(ret));
            return false;
        }
    }
}
