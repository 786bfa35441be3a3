#include "packetreader.h"

#include "enginelog.h"
#include "mediacontext.h"
#include "mediastate.h"
#include "pictureconverter.h"

#include <QDebug>

#include <cmath>
#include <limits>

PacketReader::PacketReader(MediaContext *context)
    : m_context(context)
{ }

PacketReader::~PacketReader()
{
    wait();
}

void PacketReader::wake()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cond.notify_one();
}

void PacketReader::sleepFor(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_context->isAborting())
        return;
    m_cond.wait_for(lock, std::chrono::milliseconds(ms));
}

void PacketReader::run()
{
    MediaContext *context = m_context;
    AVFormatContext *format = context->formatContext();
    av::PacketPtr packet = av::makePacket();
    if (!packet || !format)
        return;
    context->setEof(false);
    if (format->pb)
        format->pb->eof_reached = 0;
    av_log_set_level(AV_LOG_ERROR);

    while (!context->isAborting()) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            while (!context->isAborting()) {
                if (!context->allQueuesFull() || context->isSeekRequested()
                    || context->is_seekingByFrame.load())
                    break;
                // Read on until the moment a seek landed on is known: the decoders hold
                // their first pictures until then, so full queues would never drain.
                if (m_landingPending && context->enabledVideoCount() > 0)
                    break;
                m_cond.wait_for(lock, std::chrono::milliseconds(10));
            }
        }
        if (context->isAborting())
            break;
        if (context->isSeekRequested())
            seek();
        // Frame search runs while paused: it reads with a decoder of its own.
        if (context->is_seekingByFrame.load()) {
            frameSearch();
            continue;
        }
        if (context->isPaused() && !waitingForSeekFrame()) {
            sleepFor(10);
            continue;
        }

        const int ret = av_read_frame(format, packet.get());
        if (ret >= 0) {
            if (m_landingPending)
                noteReferencePacket(packet.get());
            context->withState(packet->stream_index, [&](MediaState *state) {
                const AVStream *stream = format->streams[packet->stream_index];
                const bool wanted = state->type() == MediaState::Audio
                        || (state->type() == MediaState::Video
                            && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)
                            && state->isEnabled());
                if (wanted)
                    state->packetQueue().put(packet.get());
            });
            av_packet_unref(packet.get());
            continue;
        }

        const bool ioEof = format->pb && avio_feof(format->pb);
        if (ret != AVERROR_EOF) {
            qCDebug(lcEngine).noquote()
                    << "packet reader: read frame failed:"
                    << QString::number(static_cast<unsigned>(ret), 16) << ":" << av::errorText(ret);
        }
        if ((ret == AVERROR_EOF || ioEof) && !context->isEof()) {
            if (m_landingPending)
                publishLanding(-std::numeric_limits<double>::infinity());
            postNullPackets();
        }
        if (format->pb && format->pb->error != 0)
            break;
        sleepFor(30);
    }
    if (m_landingPending)
        publishLanding(-std::numeric_limits<double>::infinity());
    qCDebug(lcEngine).noquote() << "packet reader ended";
}

void PacketReader::noteReferencePacket(const AVPacket *packet)
{
    const int reference = m_context->referenceStream();
    if (packet->stream_index != reference)
        return;
    const int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    if (ts == AV_NOPTS_VALUE)
        return;
    const AVStream *stream = m_context->formatContext()->streams[reference];
    publishLanding(ts * av_q2d(stream->time_base));
}

void PacketReader::publishLanding(double seconds)
{
    m_landingPending = false;
    qCDebug(lcEngine).noquote() << "reader: seek landed at" << seconds;
    m_context->forEachState([seconds](int, MediaState *state) {
        if (state->type() == MediaState::Video)
            state->setAlignTime(seconds);
    });
}

void PacketReader::postNullPackets()
{
    MediaContext *context = m_context;
    qCDebug(lcEngine).noquote() << "packet reader: got EOF";
    av::PacketPtr empty = av::makePacket();
    context->forEachState([&empty](int index, MediaState *state) {
        if (state->isEndOfStream() || !empty)
            return;
        qCDebug(lcEngine).noquote() << "post null packet to stream" << index;
        empty->stream_index = index;
        state->packetQueue().put(empty.get());
    });
    context->setEof(true);
}

bool PacketReader::waitingForSeekFrame()
{
    bool waiting = false;
    m_context->forEachState([&waiting](int, MediaState *state) {
        waiting = waiting || (state->type() == MediaState::Video && state->isWaitingForSeekFrame());
    });
    return waiting;
}

void PacketReader::seek()
{
    MediaContext *context = m_context;
    AVFormatContext *format = context->formatContext();
    const int64_t target = context->seekPos();
    qCDebug(lcEngine).noquote() << "reader: seeking" << target << "..."
                                << "context->is_seekingByFrame"
                                << context->is_seekingByFrame.load();
    const int ret
            = avformat_seek_file(format, -1, INT64_MIN, target, INT64_MAX, AVSEEK_FLAG_BACKWARD);
    int lastSeq = -1;
    if (ret < 0) {
        qCDebug(lcEngine).noquote() << "reader: seek failed:" << ret << ":" << av::errorText(ret);
        emit context->seekingCompleted(context, -1);
    } else {
        // Null packets go out again at the next end of file.
        context->setEof(false);
        m_landingPending = context->referenceStream() >= 0;
        context->forEachState([&](int index, MediaState *state) {
            const int newSeq = state->flushForSeek();
            if (state->type() == MediaState::Video)
                state->startAlign(newSeq);
            lastSeq = newSeq;
            emit context->seekingStreamInfo(context, index, newSeq);
        });
    }
    qCDebug(lcEngine).noquote() << "reader: seeking" << target << "done:" << ret << ", seeking seq"
                                << lastSeq;
    context->finishSeekRequest();
}

void PacketReader::frameSearch()
{
    MediaContext *context = m_context;
    AVFormatContext *format = context->formatContext();
    const int index = context->selectedVideoStream();
    qCDebug(lcEngine).noquote() << "================ is_seekingByFrame"
                                << context->is_seekingByFrame.load() << index;
    const bool validIndex = index >= 0 && index < static_cast<int>(format->nb_streams);
    qCDebug(lcEngine).noquote() << "width"
                                << (validIndex ? format->streams[index]->codecpar->width : 0);
    const int64_t number = static_cast<int32_t>(context->seeking_frame_pos.load());
    QImage image;
    av::FramePtr frame;
    bool exact = false;
    if (validIndex && grabExactFrame(format, index, number, &image, &frame, &exact)) {
        qCDebug(lcEngine).noquote()
                << "Got frame" << number << "exact?" << exact << "size:" << image.size();
        if (!frame)
            qCDebug(lcEngine).noquote() << "rawFrame is nullptr";
        const int64_t pts = frame ? frame->best_effort_timestamp : AV_NOPTS_VALUE;
        const double seconds
                = pts != AV_NOPTS_VALUE ? pts * av_q2d(format->streams[index]->time_base) : -1;
        context->presentSearchFrame(index, std::move(frame), false);
        if (seconds >= 0)
            context->reportSearchedFrame(seconds);
    } else {
        qWarning().noquote() << "Failed to get frame" << number;
        context->is_seekingByFrame.store(false);
        context->presentSearchFrame(index, nullptr, true);
    }
    PictureConverter::releaseRgbaScaler();
    context->is_seekingByFrame.store(false);
}

bool PacketReader::grabExactFrame(AVFormatContext *format,
                                  int stream_index,
                                  int64_t n,
                                  QImage *image,
                                  av::FramePtr *frame,
                                  bool *exact)
{
    *exact = false;
    frame->reset();
    if (!format || stream_index < 0 || stream_index >= static_cast<int>(format->nb_streams)
        || n < 0)
        return false;
    AVStream *stream = format->streams[stream_index];
    if (!stream)
        return false;
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return false;
    av::CodecContextPtr codecContext(avcodec_alloc_context3(codec));
    if (!codecContext)
        return false;
    if (avcodec_parameters_to_context(codecContext.get(), stream->codecpar) < 0)
        return false;
    codecContext->pkt_timebase = stream->time_base;
    if (avcodec_open2(codecContext.get(), codec, nullptr) < 0)
        return false;

    double fps = av_q2d(stream->avg_frame_rate);
    if (!(fps > 0))
        fps = av_q2d(stream->r_frame_rate);
    if (!(fps > 0) && stream->time_base.num > 0)
        fps = 1.0 / av_q2d(stream->time_base);
    if (!(fps >= 1) || !std::isfinite(fps))
        return false;
    int64_t target = av_rescale_q(n, AVRational {1, static_cast<int>(fps)}, stream->time_base);
    // Frame numbers count from the stream's first frame.
    if (stream->start_time != AV_NOPTS_VALUE)
        target += stream->start_time;
    // The key frame at or before the target. The latest allowed is a millisecond past it: a
    // trip's concat input passes the bounds through microseconds into each file's time base,
    // and a bound of exactly the target may come back one tick below it, which the demuxer
    // refuses as an empty range.
    const int64_t slack
            = std::max<int64_t>(1, av_rescale_q(1, AVRational {1, 1000}, stream->time_base));
    if (avformat_seek_file(format, stream_index, INT64_MIN, target, target + slack, 0) < 0)
        return false;
    avcodec_flush_buffers(codecContext.get());

    av::PacketPtr packet = av::makePacket();
    av::FramePtr decoded = av::makeFrame();
    if (!packet || !decoded)
        return false;
    bool keySeen = false;
    bool found = false;
    bool draining = false;
    while (!found) {
        if (!draining) {
            const int readResult = av_read_frame(format, packet.get());
            if (readResult < 0) {
                // Drain the decoder for the frames it still holds.
                draining = true;
                if (avcodec_send_packet(codecContext.get(), nullptr) < 0)
                    break;
            } else {
                if (packet->stream_index != stream_index) {
                    av_packet_unref(packet.get());
                    continue;
                }
                const int sent = avcodec_send_packet(codecContext.get(), packet.get());
                av_packet_unref(packet.get());
                if (sent < 0)
                    continue;
            }
        }
        bool ended = false;
        for (int errors = 0; errors < 64;) {
            const int ret = avcodec_receive_frame(codecContext.get(), decoded.get());
            if (ret == AVERROR(EAGAIN))
                break;
            if (ret == AVERROR_EOF) {
                ended = true;
                break;
            }
            if (ret < 0) {
                ++errors;
                continue;
            }
            // Frames before the first key frame after the seek may be damaged: skip them. The
            // key frame itself is a candidate, so frame n is found also when it is one.
            if (!keySeen) {
                if (!decoded->key_frame) {
                    av_frame_unref(decoded.get());
                    continue;
                }
                keySeen = true;
            }
            const int64_t ts = decoded->best_effort_timestamp;
            if (ts != AV_NOPTS_VALUE && ts >= target) {
                found = true;
                break;
            }
            av_frame_unref(decoded.get());
        }
        if (ended || (draining && !found))
            break;
    }
    if (!found)
        return false;

    const QImage picture = PictureConverter::toRgba(decoded.get());
    if (picture.isNull())
        return false;
    const AVRational tb = stream->time_base;
    const double halfFrame = tb.num > 0 ? tb.den / (tb.num * 2.0 * fps) : 0;
    *exact = std::fabs(static_cast<double>(decoded->best_effort_timestamp - target)) <= halfFrame;
    *image = picture;
    frame->reset(av_frame_clone(decoded.get()));
    return true;
}
