#include "decodefloor.h"

#include "media/avinput.h"
#include "media/mediaclock.h"
#include "media/mediastate.h"

#include <QThread>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

namespace {

// The decoder options the engine uses for software decoding of one of videoStreams streams.
av::DictionaryPtr engineDecoderOptions(int videoStreams)
{
    AVDictionary *dict = nullptr;
    const int threads = MediaState::decoderThreadsFor(QThread::idealThreadCount(), videoStreams);
    av_dict_set(&dict, "threads", QByteArray::number(threads).constData(), 0);
    av_dict_set(&dict, "thread_type", "frame", 0);
    return av::DictionaryPtr(dict);
}

int openDecoder(AVStream *stream, int videoStreams, av::CodecContextPtr *out)
{
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return AVERROR_DECODER_NOT_FOUND;
    av::CodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context)
        return AVERROR(ENOMEM);
    int ret = avcodec_parameters_to_context(context.get(), stream->codecpar);
    if (ret < 0)
        return ret;
    context->pkt_timebase = stream->time_base;
    av::DictionaryPtr options = engineDecoderOptions(videoStreams);
    AVDictionary *raw = options.release();
    ret = avcodec_open2(context.get(), codec, &raw);
    options.reset(raw);
    if (ret < 0)
        return ret;
    *out = std::move(context);
    return 0;
}

bool validStream(const AVFormatContext *format, int stream)
{
    return stream >= 0 && static_cast<unsigned>(stream) < format->nb_streams
            && format->streams[stream]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO;
}

} // namespace

DecodeFloor::DecodeFloor(const QString &path, const QVector<int> &streams)
    : m_path(path)
    , m_streams(streams)
{ }

DecodeFloor::~DecodeFloor() = default;

double DecodeFloor::openToFirstFrames(const QString &path,
                                      const QVector<int> &streams,
                                      OpenSteps *steps)
{
    OpenSteps local;
    if (!steps)
        steps = &local;
    *steps = OpenSteps();
    const double start = MediaClock::nowSeconds();
    const auto since = [start] {
        return (MediaClock::nowSeconds() - start) * 1000.0;
    };
    av::FormatContextPtr format = av::openInput(path);
    if (!format)
        return std::nan("");
    steps->inputOpen = since();
    std::vector<av::CodecContextPtr> decoders(format->nb_streams);
    std::vector<bool> done(format->nb_streams, true);
    int remaining = 0;
    for (int stream : streams) {
        if (!validStream(format.get(), stream))
            return std::nan("");
        if (openDecoder(format->streams[stream],
                        av::videoStreamCount(format.get()),
                        &decoders[static_cast<size_t>(stream)])
            < 0)
            return std::nan("");
        done[static_cast<size_t>(stream)] = false;
        ++remaining;
    }
    steps->decodersOpen = since();
    av::PacketPtr packet = av::makePacket();
    av::FramePtr frame = av::makeFrame();
    if (!packet || !frame)
        return std::nan("");
    bool eof = false;
    while (remaining > 0) {
        if (!eof) {
            const int ret = av_read_frame(format.get(), packet.get());
            if (ret < 0) {
                eof = true;
                for (size_t i = 0; i < decoders.size(); ++i)
                    if (decoders[i] && !done[i])
                        avcodec_send_packet(decoders[i].get(), nullptr);
            } else {
                const int index = packet->stream_index;
                if (index >= 0 && static_cast<size_t>(index) < decoders.size()
                    && decoders[static_cast<size_t>(index)] && !done[static_cast<size_t>(index)])
                    avcodec_send_packet(decoders[static_cast<size_t>(index)].get(), packet.get());
                av_packet_unref(packet.get());
            }
        }
        bool progress = false;
        for (size_t i = 0; i < decoders.size(); ++i) {
            if (!decoders[i] || done[i])
                continue;
            const int ret = avcodec_receive_frame(decoders[i].get(), frame.get());
            if (ret == 0) {
                av_frame_unref(frame.get());
                if (std::isnan(steps->firstFrame))
                    steps->firstFrame = since();
                done[i] = true;
                --remaining;
                progress = true;
            } else if (ret != AVERROR(EAGAIN)) {
                return std::nan(""); // end of stream or error before a frame
            }
        }
        if (eof && !progress && remaining > 0)
            return std::nan("");
    }
    steps->lastFrame = since();
    return steps->lastFrame;
}

int DecodeFloor::openChannel(const QString &path, int stream, Channel *channel)
{
    av::InputError error;
    channel->format = av::openInput(path, {}, &error);
    if (!channel->format)
        return error.code;
    if (!validStream(channel->format.get(), stream))
        return -1;
    channel->stream = stream;
    for (unsigned i = 0; i < channel->format->nb_streams; ++i)
        channel->format->streams[i]->discard
                = static_cast<int>(i) == stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    return openDecoder(channel->format->streams[stream],
                       av::videoStreamCount(channel->format.get()),
                       &channel->codec);
}

bool DecodeFloor::open(QString *error)
{
    m_channels.clear();
    for (int stream : m_streams) {
        auto channel = std::make_unique<Channel>();
        const int ret = openChannel(m_path, stream, channel.get());
        if (ret < 0) {
            *error = QStringLiteral("stream %1: %2").arg(stream).arg(av::errorText(ret));
            return false;
        }
        m_channels.push_back(std::move(channel));
    }
    return true;
}

bool DecodeFloor::decodeTo(Channel *channel, double seconds, bool keyFrameOnly)
{
    AVStream *stream = channel->format->streams[channel->stream];
    const double tb = av_q2d(stream->time_base);
    if (!(tb > 0))
        return false;
    const double start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time * tb : 0.0;
    const AVRational rate = stream->avg_frame_rate;
    const double frameSeconds = rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : 1.0 / 30;
    // Half a frame of slack: the frame that covers the target counts as the target.
    const double wanted = start + seconds - frameSeconds / 2;
    const int64_t ts = static_cast<int64_t>(std::llround((start + seconds) / tb));
    if (av_seek_frame(channel->format.get(), channel->stream, ts, AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    avcodec_flush_buffers(channel->codec.get());
    av::PacketPtr packet = av::makePacket();
    av::FramePtr frame = av::makeFrame();
    if (!packet || !frame)
        return false;
    bool eof = false;
    for (;;) {
        int ret = avcodec_receive_frame(channel->codec.get(), frame.get());
        if (ret == 0) {
            const int64_t pts = frame->best_effort_timestamp;
            av_frame_unref(frame.get());
            if (keyFrameOnly || pts == AV_NOPTS_VALUE || pts * tb >= wanted)
                return true;
            continue;
        }
        if (ret != AVERROR(EAGAIN))
            return false;
        if (eof)
            return false;
        ret = av_read_frame(channel->format.get(), packet.get());
        if (ret < 0) {
            eof = true;
            avcodec_send_packet(channel->codec.get(), nullptr);
            continue;
        }
        if (packet->stream_index == channel->stream)
            avcodec_send_packet(channel->codec.get(), packet.get());
        av_packet_unref(packet.get());
    }
}

double DecodeFloor::seekTo(double seconds, bool keyFrameOnly)
{
    if (m_channels.empty())
        return std::nan("");
    std::atomic<int> failures {0};
    const double start = MediaClock::nowSeconds();
    std::vector<std::thread> threads;
    for (const auto &channel : m_channels) {
        Channel *c = channel.get();
        threads.emplace_back([c, seconds, keyFrameOnly, &failures] {
            if (!decodeTo(c, seconds, keyFrameOnly))
                failures.fetch_add(1);
        });
    }
    for (std::thread &t : threads)
        t.join();
    const double ms = (MediaClock::nowSeconds() - start) * 1000.0;
    return failures.load() == 0 ? ms : std::nan("");
}
