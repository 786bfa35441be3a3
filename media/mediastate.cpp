#include "mediastate.h"

#include "audiostate.h"
#include "backgroundpriority.h"
#include "enginelog.h"
#include "globalsettings.h"
#include "mediacontext.h"
#include "mediadecoder.h"
#include "mediaframe.h"
#include "mediastaterunner.h"
#include "videostate.h"

#include <QDebug>
#include <QThread>

extern "C" {
#include <libavutil/pixdesc.h>
#include <libavutil/time.h>
}

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace {

// Hardware decoding on this platform: the first configuration of the decoder, in the
// decoder's own order, that matches one of these rows wins.
struct HwRow
{
    AVHWDeviceType type;
    AVPixelFormat format;
    const char *device;
};
const HwRow kHwTable[] = {
        {AV_HWDEVICE_TYPE_CUDA, AV_PIX_FMT_CUDA, nullptr},
        {AV_HWDEVICE_TYPE_QSV, AV_PIX_FMT_QSV, "auto"},
        {AV_HWDEVICE_TYPE_VAAPI, AV_PIX_FMT_VAAPI, nullptr},
};

// The watchdog declares a decoder dead that has not come back for this long.
constexpr int64_t kDeadAfterUs = 5000000;
// Close gives a decoder this long to end before it is forced.
constexpr unsigned long kDecoderJoinMs = 5000;

} // namespace

int MediaState::decoderThreadsFor(int cores, int videoStreams)
{
    cores = std::max(1, cores);
    videoStreams = std::max(1, videoStreams);
    return std::max(1, (cores + videoStreams - 1) / videoStreams);
}

MediaState *MediaState::create(int type,
                               MediaContext *context,
                               AVStream *stream,
                               int volume,
                               double speed,
                               int view_width,
                               int view_height,
                               int view_mode)
{
    MediaState *state = nullptr;
    if (type == Video) {
        state = new (std::nothrow) VideoState(context);
    } else if (type == Audio) {
        state = new (std::nothrow) AudioState(context);
    } else {
        qCDebug(lcEngine).noquote() << "not supported media type:" << type;
        return nullptr;
    }
    if (!state) {
        qCDebug(lcEngine).noquote() << "no memory when creating a media state:" << type;
        return nullptr;
    }
    if (state->open(stream, volume, speed, view_width, view_height, view_mode) < 0) {
        qCDebug(lcEngine).noquote() << "media state open failed: type" << type;
        delete state;
        return nullptr;
    }
    return state;
}

MediaState::MediaState(int type, MediaContext *context, int packetCapacity, size_t frameByteBudget)
    : QObject(context)
    , m_type(type)
    , m_context(context)
    , m_packetQueue(packetCapacity)
    , m_frameQueue(FrameCapacity, frameByteBudget)
    , m_packetCapacity(packetCapacity)
    , m_frameCapacity(FrameCapacity)
    , m_clock(this)
{ }

MediaState::~MediaState()
{
    close();
}

bool MediaState::openCodec(AVStream *stream, const AVCodec **codec, av::DictionaryPtr &options)
{
    const AVCodec *found = nullptr;
    AVHWDeviceType hwType = AV_HWDEVICE_TYPE_NONE;
    const char *hwDeviceName = nullptr;
    AVFormatContext *format = m_context ? m_context->formatContext() : nullptr;

    if (m_type == Video && !GlobalSettings::forceSoftwareDecoding() && format) {
        const int best
                = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, stream->index, -1, &found, 0);
        if (best < 0 || !found) {
            qCDebug(lcEngine).noquote() << "Cannot find a video stream in the input file";
            return false;
        }
        for (int i = 0;; ++i) {
            const AVCodecHWConfig *config = avcodec_get_hw_config(found, i);
            if (!config)
                break;
            const char *formatName = av_get_pix_fmt_name(config->pix_fmt);
            qCDebug(lcEngine).noquote()
                    << "Codec name: " << found->name
                    << ", hw device type: " << av_hwdevice_get_type_name(config->device_type)
                    << " pixfmt: " << config->pix_fmt << (formatName ? formatName : "?")
                    << ", method: " << QString::number(config->methods, 16);
            if (hwType != AV_HWDEVICE_TYPE_NONE)
                continue;
            if (!(config->methods & AV_CODEC_HW_CONFIG_METHOD_HW_DEVICE_CTX))
                continue;
            for (const HwRow &row : kHwTable) {
                if (row.type == config->device_type && row.format == config->pix_fmt) {
                    hwType = row.type;
                    hwDeviceName = row.device;
                    m_hwPixelFormat = row.format;
                    qCDebug(lcEngine).noquote()
                            << "use hw pix fmt " << (formatName ? formatName : "?");
                    break;
                }
            }
        }
        if (hwType == AV_HWDEVICE_TYPE_NONE)
            qCDebug(lcEngine).noquote()
                    << "Codec name: " << found->name << " has no supported hw codec, use sw codec";
    }

    m_codecContext.reset(avcodec_alloc_context3(nullptr));
    if (!m_codecContext) {
        qCDebug(lcEngine).noquote() << "avcodec alloc context failed";
        return false;
    }

    if (hwType != AV_HWDEVICE_TYPE_NONE) {
        AVBufferRef *device = nullptr;
        const int ret = av_hwdevice_ctx_create(&device, hwType, hwDeviceName, nullptr, 0);
        if (ret < 0) {
            // No usable device (no GPU, no driver): decode this stream in software instead.
            qCDebug(lcEngine).noquote()
                    << "failed to create specified HW device: " << av::errorText(ret)
                    << "- using software decoding";
            hwType = AV_HWDEVICE_TYPE_NONE;
            m_hwPixelFormat = -1;
        } else {
            m_hwDevice.reset(device);
        }
    }

    const int ret = avcodec_parameters_to_context(m_codecContext.get(), stream->codecpar);
    if (ret < 0) {
        qCDebug(lcEngine).noquote() << "avcodec_parameters_to_context failed: " << ret;
        return false;
    }
    m_codecContext->pkt_timebase = stream->time_base;
    if (m_hwDevice) {
        m_codecContext->hw_device_ctx = av_buffer_ref(m_hwDevice.get());
        if (!m_codecContext->hw_device_ctx)
            return false;
    } else {
        found = avcodec_find_decoder(m_codecContext->codec_id);
    }
    if (!found) {
        qCDebug(lcEngine).noquote() << "codec not found";
        return false;
    }
    m_codecContext->codec_id = found->id;
    *codec = found;

    const AVRational rate = stream->avg_frame_rate;
    qCDebug(lcEngine).noquote() << "stream" << stream->index << "codec" << found->name
                                << ", timebase"
                                << QString::number(av_q2d(stream->time_base), 'f', 5)
                                << ", frame rate"
                                << QString::number(rate.den ? av_q2d(rate) : 0.0, 'f', 5);

    AVDictionary *dict = nullptr;
    if (m_type == Video) {
        // Software decoders share the cores; a hardware decoder keeps the codec's own choice.
        const QByteArray threads = m_hwDevice
                ? QByteArray("auto")
                : QByteArray::number(decoderThreadsFor(QThread::idealThreadCount(),
                                                       m_context->videoStreamCount()));
        av_dict_set(&dict, "threads", threads.constData(), AV_DICT_DONT_OVERWRITE);
        if (!m_hwDevice)
            av_dict_set(&dict, "thread_type", "frame", 0);
    } else {
        av_dict_set(&dict, "threads", "auto", 0);
    }
    options.reset(dict);
    return true;
}

int MediaState::open(
        AVStream *stream, int volume, double speed, int view_width, int view_height, int view_mode)
{
    if (!stream)
        return -1;
    m_streamIndex.store(stream->index);
    m_packetQueue.setStreamIndex(stream->index);
    m_frameQueue.setStreamIndex(stream->index);
    m_stream = stream;
    m_endOfStream.store(false);
    m_failed.store(false);
    m_endReached.store(false);
    if (m_decoder || !m_context || stream->index < 0)
        return -1;

    const AVCodec *codec = nullptr;
    av::DictionaryPtr options;
    if (!openCodec(stream, &codec, options)) {
        freeCodec();
        return -1;
    }
    AVDictionary *dict = options.release();
    int ret = 0;
    if (m_type == Video) {
        // The codec's worker threads start here and keep the opening thread's priority.
        BackgroundPriority::runLowered(
                [&] { ret = avcodec_open2(m_codecContext.get(), codec, &dict); });
    } else {
        ret = avcodec_open2(m_codecContext.get(), codec, &dict);
    }
    options.reset(dict);
    if (ret < 0) {
        qCDebug(lcEngine).noquote() << "codec open failed";
        freeCodec();
        return ret;
    }

    stream->discard = AVDISCARD_DEFAULT;
    m_running.store(true);
    if (createDecoder() < 0 || configure(volume, speed, view_width, view_height, view_mode) < 0) {
        close();
        return -1;
    }
    const QThread::Priority priority
            = m_type == Audio ? QThread::HighPriority : QThread::NormalPriority;
    m_decoder->start(priority);
    m_decoder->touchAlive();
    m_runner = std::make_unique<MediaStateRunner>(this);
    m_runner->start(priority);
    return 0;
}

void MediaState::freeCodec()
{
    m_codecContext.reset();
    m_hwDevice.reset();
    m_filterGraph.reset();
    m_bufferSource = nullptr;
    m_bufferSink = nullptr;
}

void MediaState::close()
{
    const int index = m_streamIndex.load();
    qCDebug(lcEngine).noquote() << "stream" << index << "closing (dead?" << m_dead.load() << ")...";
    if (!m_running.load() || index < 0) {
        qCDebug(lcEngine).noquote() << "stream" << index << "already closing or closed";
        return;
    }
    m_running.store(false);
    m_packetQueue.wakeAll();
    m_frameQueue.wakeAll();

    if (m_decoder) {
        if (m_dead.load() || !m_decoder->wait(kDecoderJoinMs)) {
            qCDebug(lcEngine).noquote()
                    << "stream" << index << "decoder forced to killed, dead?" << m_dead.load();
            m_dead.store(true);
            // A parked decoder (aborted stream) ends by itself once released; only a decoder
            // stuck inside the library is terminated.
            m_decoder->releaseParked();
            if (!m_decoder->wait(1000)) {
                m_decoder->terminate();
                m_decoder->wait();
            }
        }
    }
    // The runner reads the decoder's packet seq: it ends before the decoder is deleted.
    if (m_runner) {
        m_runner->wait();
        m_runner.reset();
    }
    m_decoder.reset();

    m_packetQueue.clear();
    m_frameQueue.clear();
    releaseOutput();

    int refs = -1;
    if (m_codecContext && m_codecContext->hw_device_ctx)
        refs = av_buffer_get_ref_count(m_codecContext->hw_device_ctx);
    qCDebug(lcEngine).noquote() << "stream" << index << "hw buffer ref#" << refs;
    if (m_dead.load() && m_hwDevice) {
        qCDebug(lcEngine).noquote() << "stream" << index << "skip freeing codec context - leak";
        (void)m_codecContext.release();
        (void)m_hwDevice.release();
    } else {
        m_codecContext.reset();
        m_hwDevice.reset();
    }
    m_filterGraph.reset();
    m_bufferSource = nullptr;
    m_bufferSink = nullptr;
    m_stream = nullptr;
    qCDebug(lcEngine).noquote() << "stream" << index << "closed";
    m_streamIndex.store(-1);
}

int MediaState::configure(int, double speed, int, int, int)
{
    m_clock.reset();
    m_speed.store(speed);
    m_clock.setSpeedFields(speed);
    return 0;
}

int MediaState::releaseOutput()
{
    return 0;
}

int MediaState::createDecoder()
{
    return -1;
}

void MediaState::displayFrame(std::unique_ptr<MediaFrame>, bool) { }

int MediaState::pause()
{
    m_seekingSeq.store(-1);
    m_waitingForSeekFrame.store(0);
    return 0;
}

int MediaState::resume()
{
    return 0;
}

int MediaState::setVolume(int)
{
    return 0;
}

int MediaState::setSpeed(double speed)
{
    m_speed.store(speed);
    return 0;
}

int MediaState::configureFilters(AVFrame *, bool)
{
    return -1;
}

int MediaState::flushForSeek()
{
    const int newSeq = m_packetQueue.flushForSeek([this](int seq) { markSeekingLocked(seq); });
    m_frameQueue.clear();
    return newSeq;
}

bool MediaState::isDrained() const
{
    return m_frameQueue.isDrained([this] { return m_endOfStream.load(); },
                                  [this] { return m_presenting.load(); });
}

void MediaState::markSeekingLocked(int newSeq)
{
    if (m_type == Video)
        m_waitingForSeekFrame.store(1);
    m_endOfStream.store(false);
    m_seeking.store(true);
    m_seekingSeq.store(newSeq);
}

void MediaState::startAlign(int newSeq)
{
    m_alignTime.store(std::numeric_limits<double>::quiet_NaN());
    m_alignSeq.store(newSeq);
}

void MediaState::setAlignTime(double seconds)
{
    m_alignTime.store(seconds);
}

MediaState::Align MediaState::alignFrame(int seq, double pts, double tolerance) const
{
    if (seq != m_alignSeq.load())
        return Align::Keep;
    const double landing = m_alignTime.load();
    if (std::isnan(landing))
        return Align::Pending;
    if (std::isnan(pts) || pts >= landing - tolerance)
        return Align::Keep;
    return Align::Drop;
}

int MediaState::getFrame(AVFrame *out)
{
    MediaDecoder *decoder = m_decoder.get();
    AVCodecContext *codec = m_codecContext.get();
    const int index = m_streamIndex.load();
    // Receive errors other than EAGAIN and EOF are logged and receiving goes on; a codec that
    // keeps failing is handed back to the loop after this many, so it can see close.
    constexpr int kMaxReceiveErrors = 64;
    int receiveErrors = 0;
    for (;;) {
        if (m_context->isAborting() || !m_running.load())
            return 0;
        if (decoder->packetSeq() == m_packetQueue.seq()) {
            for (;;) {
                if (m_context->isAborting() || !m_running.load())
                    return 0;
                decoder->setStatus(QStringLiteral("%1:%2:avcodec_receive_frame")
                                           .arg("MediaDecoder::getFrame")
                                           .arg(189));
                const int ret = avcodec_receive_frame(codec, out);
                if (ret >= 0) {
                    if (m_type == Video)
                        out->pts = out->best_effort_timestamp;
                    return 1;
                }
                if (ret == AVERROR_EOF) {
                    qCDebug(lcEngine).noquote()
                            << "EOF: stream" << index
                            << "no more frame on receive decoded frame, got eof, q#"
                            << m_packetQueue.size() << ", frame#" << m_frameQueue.size();
                    m_endOfStream.store(true);
                    if (m_packetQueue.size() == 0 && m_frameQueue.isEmpty())
                        m_context->checkEndOfPlaying();
                    return 0;
                }
                if (ret == AVERROR(EAGAIN))
                    break;
                qCDebug(lcEngine).noquote()
                        << "stream" << index << "avcodec_receive_frame err:" << ret << "("
                        << av::errorText(ret) << ")";
                if (++receiveErrors >= kMaxReceiveErrors)
                    return 0;
            }
        }

        const MediaDecoder::Next next = decoder->takePacket();
        if (next == MediaDecoder::Next::Empty)
            return 0;
        if (next != MediaDecoder::Next::Send) {
            avcodec_flush_buffers(codec);
            m_clock.reset();
            if (next == MediaDecoder::Next::FlushAndRetry)
                continue;
        }

        decoder->setStatus(
                QStringLiteral("%1:%2:avcodec_send_packet").arg("MediaDecoder::getFrame").arg(271));
        if (m_aborted.load()) {
            qCDebug(lcEngine).noquote() << "stream" << index << "aborted!";
            decoder->park();
            decoder->dropPacket();
            return 0;
        }
        const int ret = decoder->sendPacket(codec);
        if (ret == AVERROR(EAGAIN)) {
            qCDebug(lcEngine).noquote()
                    << "stream" << index << ">>>>>>>>>>>>>>>>>>>>>>>>>.. pkt pending...";
            continue;
        }
        if (ret == AVERROR_EOF) {
            qCDebug(lcEngine).noquote()
                    << "EOF: stream" << index << "no more frame on send packet, got eof, q#"
                    << m_packetQueue.size() << ", frame#" << m_frameQueue.size();
            m_endOfStream.store(true);
            if (m_packetQueue.size() == 0 && m_frameQueue.isEmpty())
                m_context->checkEndOfPlaying();
            return 0;
        }
        if (ret < 0)
            qCDebug(lcEngine).noquote() << "stream" << index << "avcodec_send_packet err:" << ret
                                        << "(" << av::errorText(ret) << ")";
    }
}

void MediaState::checkAlive()
{
    MediaDecoder *decoder = m_decoder.get();
    if (!decoder || decoder->isFinished() || m_context->isAborting())
        return;
    if (m_endOfStream.load()) {
        m_dead.store(false);
        return;
    }
    if (m_dead.load() || av_gettime_relative() - decoder->aliveTime() < kDeadAfterUs)
        return;
    qCDebug(lcEngine).noquote() << "stream" << m_streamIndex.load() << "decoder is dead @"
                                << decoder->status() << "!!!";
    m_dead.store(true);
    emit m_context->errorOccurredWhileRunning(m_context, AVERROR_BUG2);
}

void MediaState::runLoop()
{
    using std::chrono::milliseconds;
    MediaContext *context = m_context;
    const int index = m_streamIndex.load();
    int presented = 0;
    m_endReached.store(false);
    while (m_running.load()) {
        if (m_decoder)
            checkAlive();
        bool idle = false;
        if (context->isPaused() && !isWaitingForSeekFrame()) {
            m_frameQueue.waitFor(milliseconds(10));
            m_clock.reset();
            idle = true;
        }
        FrameQueue::Head head;
        if (!idle && !m_frameQueue.peek(&head, milliseconds(20))) {
            idle = true;
        }
        if (!idle && !m_running.load())
            break;
        if (!idle) {
            MediaState *master = context->masterFor(this);
            double masterTime = 0;
            if (!m_seeking.load() && master && master != this
                && !master->clock().masterPts(head.seq, &masterTime)) {
                QThread::msleep(10);
                idle = true;
            }
        }
        if (!idle) {
            // Set while a taken frame is on its way to the screen: the end of playing waits
            // for it.
            m_presenting.store(true);
            std::unique_ptr<MediaFrame> frame = m_frameQueue.takeIf(head.id);
            if (frame) {
                if (m_decoder && frame->seq == m_decoder->packetSeq()) {
                    bool force = false;
                    const int seekingSeq = m_seekingSeq.load();
                    if (context->isPaused() && (seekingSeq == -1 || seekingSeq == frame->seq)) {
                        m_waitingForSeekFrame.store(0);
                        force = true;
                    }
                    m_packetQueue.guardSeekFlags([&] {
                        if (m_seeking.load()) {
                            if (frame->seq == m_seekingSeq.load()) {
                                qCDebug(lcEngine).noquote() << "stream" << index << "seeking seq"
                                                            << frame->seq << "done";
                                m_seeking.store(false);
                            } else {
                                m_endOfStream.store(false);
                            }
                        }
                    });
                    // While paused only the picture a seek asked for is shown; another frame
                    // here was decoded before that seek reached the decoder.
                    const bool stale = m_type == Video && context->isPaused() && !force;
                    const double pts = frame->pts;
                    const int seq = frame->seq;
                    if (!m_endReached.load() && !stale) {
                        displayFrame(std::move(frame), force);
                        ++presented;
                    }
                    if (m_type == Video && !stale)
                        m_endReached.store(context->reportPlayingTime(index, pts, seq));
                } else {
                    m_clock.reset();
                }
            }
            frame.reset();
            m_presenting.store(false);
        }
        if (m_endOfStream.load() && !m_seeking.load() && m_frameQueue.isEmpty()
            && !context->isEndSignalled())
            context->checkEndOfPlaying();
    }
    qCDebug(lcEngine).noquote() << "stream" << index << "state ending, frames#" << presented;
    m_frameQueue.clear();
    qCDebug(lcEngine).noquote() << "stream" << index << "state ended";
}

int MediaState::installDecoder(MediaDecoder *decoder)
{
    std::unique_ptr<MediaDecoder> owned(decoder);
    if (!m_codecContext || m_decoder)
        return -1;
    if (!owned)
        return AVERROR(ENOMEM);
    m_decoder = std::move(owned);
    const int ret = m_decoder->resetDecoder();
    if (ret < 0) {
        m_decoder.reset();
        return ret;
    }
    return 0;
}
