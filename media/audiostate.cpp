#include "audiostate.h"

#include "audiodecoder.h"
#include "audiooutput.h"
#include "enginelog.h"
#include "mediacontext.h"
#include "mediadecoder.h"
#include "mediaframe.h"

#include <QDebug>
#include <QThread>

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
}

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace {

// The channel mask of a layout, 0 when it is not a plain mask of exactly channels channels.
uint64_t layoutMask(const AVChannelLayout &layout, int channels)
{
    if (layout.order != AV_CHANNEL_ORDER_NATIVE || layout.u.mask == 0)
        return 0;
    if (layout.nb_channels != channels)
        return 0;
    return layout.u.mask;
}

} // namespace

AudioState::AudioState(MediaContext *context)
    : MediaState(Audio, context, AudioPacketCapacity)
    , m_output(std::make_unique<AudioOutput>(this, &m_ring))
{ }

AudioState::~AudioState()
{
    // The base destructor's close would no longer reach releaseOutput of this class.
    if (isRunning())
        close();
}

double AudioState::volumeForLevel(int level)
{
    return std::clamp(level / 10.0, 0.0, 1.0);
}

bool AudioState::openCodec(AVStream *stream, const AVCodec **codec, av::DictionaryPtr &options)
{
    if (!MediaState::openCodec(stream, codec, options))
        return false;
    const AVSampleFormat format = m_codecContext->sample_fmt;
    const AVSampleFormat packed = av_get_packed_sample_fmt(format);
    const char *formatName = av_get_sample_fmt_name(format);
    const char *packedName = av_get_sample_fmt_name(packed);
    qCDebug(lcEngine).noquote() << "audio request fmt: " << (formatName ? formatName : "none")
                                << " ---> " << (packedName ? packedName : "none");
    m_codecContext->request_sample_fmt = packed;
    return true;
}

int AudioState::createDecoder()
{
    if (!m_codecContext || m_decoder)
        return -1;
    return installDecoder(new (std::nothrow) AudioDecoder(this));
}

int AudioState::configure(int volume, double speed, int view_width, int view_height, int view_mode)
{
    int ret = MediaState::configure(volume, speed, view_width, view_height, view_mode);
    if (ret < 0)
        return ret;
    if (m_output->isStarted() || !m_codecContext || !(speed > 0))
        return -1;

    const AVCodecContext *codec = m_codecContext.get();
    const int channels = codec->ch_layout.nb_channels;
    const uint64_t layout
            = codec->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? codec->ch_layout.u.mask : 0;
    const char *formatName = av_get_sample_fmt_name(codec->sample_fmt);
    qCDebug(lcEngine).noquote() << "audio ch#" << channels << ", rate" << codec->sample_rate
                                << ", layout" << layout << ", sample format"
                                << (formatName ? formatName : "none");
    if (channels < 1 || codec->sample_rate < 1)
        return -1;

    m_sourceRate = codec->sample_rate;
    m_targetRate.store(codec->sample_rate);
    m_sourceChannels = channels;
    m_sourceLayout = layoutMask(codec->ch_layout, channels);
    m_sourceFormat = codec->sample_fmt;
    m_targetChannels.store(channels);
    m_targetLayout.store(layoutMask(codec->ch_layout, channels));
    qCDebug(lcEngine).noquote() << "==> audio target ch#" << m_targetChannels.load() << ", rate"
                                << m_targetRate.load() << ", layout" << m_targetLayout.load()
                                << ", sample format" << av_get_sample_fmt_name(AV_SAMPLE_FMT_S16)
                                << ", speed" << speed;
    if (configureFilters(nullptr, true) < 0) {
        qCritical().noquote() << "config audio filter failed";
        return -1;
    }

    bool supported = false;
    QAudioFormat format = AudioOutput::deviceFormatFor(
            static_cast<int>(m_targetRate.load() * speed), m_targetChannels.load(), &supported);
    if (format.sampleSize() != 16 || format.sampleType() != QAudioFormat::SignedInt
        || format.channelCount() < 1 || format.sampleRate() < 1) {
        qCritical().noquote() << "audio format not supported finally";
        return -1;
    }
    // The device may offer another channel count or rate than asked for: the graph then
    // converts to what the device plays, so the bytes in the ring always match the device.
    const int deviceChannels = format.channelCount();
    const int deviceRate = format.sampleRate();
    const int targetRate = std::max(1, static_cast<int>(deviceRate / speed));
    const bool rebuild = deviceChannels != m_targetChannels.load()
            || deviceRate != static_cast<int>(m_targetRate.load() * speed);
    m_targetChannels.store(deviceChannels);
    m_targetLayout.store(0);
    if (rebuild) {
        m_targetRate.store(targetRate);
        qCDebug(lcEngine).noquote() << "==> audio target ch#" << deviceChannels << ", rate"
                                    << targetRate << "(device" << deviceRate << ")";
        if (configureFilters(nullptr, true) < 0) {
            qCritical().noquote() << "config audio filter failed";
            return -1;
        }
    }

    m_output->setFormat(format, m_targetRate.load());
    qCDebug(lcEngine).noquote() << "frame size" << m_output->frameSize() << ", bytes per slot"
                                << m_output->bytesPerSlot() << ", slot" << AudioOutput::SlotMsec
                                << "msec";
    if (m_output->frameSize() < 1 || m_output->bytesPerSlot() < 1) {
        qCritical().noquote() << "audio get buffer size failed";
        return -1;
    }
    if (!m_ring.setup(m_output->bytesPerSlot())) {
        qCritical().noquote() << "audio ring buffer allocation failed";
        return -1;
    }
    if (m_output->start(volumeForLevel(volume)) < 0) {
        m_ring.release();
        return -1;
    }
    return 0;
}

int AudioState::releaseOutput()
{
    m_output->stop();
    m_ring.release();
    return 0;
}

void AudioState::displayFrame(std::unique_ptr<MediaFrame> owned, bool)
{
    const MediaFrame *mediaFrame = owned.get();
    if (!mediaFrame || !mediaFrame->frame)
        return;
    const AVFrame *frame = mediaFrame->frame.get();
    const int channels = frame->ch_layout.nb_channels;
    if (frame->format != AV_SAMPLE_FMT_S16 || channels < 1 || frame->nb_samples < 1
        || !frame->data[0])
        return;
    const int64_t bytes = static_cast<int64_t>(frame->nb_samples) * channels * 2;
    if (bytes > frame->linesize[0] || bytes > std::numeric_limits<int>::max())
        return;
    const int n = static_cast<int>(bytes);

    // A frame of a new seq discards everything still buffered, so it never waits for room
    // behind stale audio.
    const int ringSeq = m_ring.seq();
    if (mediaFrame->seq != ringSeq) {
        qCDebug(lcEngine).noquote()
                << "audio buffer seq mismatch: current" << ringSeq << ", new" << mediaFrame->seq;
        double pts = mediaFrame->pts;
        if (!std::isfinite(pts))
            pts = m_ring.position();
        m_ring.resetEpoch(mediaFrame->seq, pts);
    }
    if (n >= m_ring.size()) {
        qCDebug(lcEngine).noquote() << "audio frame of" << n << "bytes exceeds the ring, dropped";
        return;
    }
    // One byte always stays free.
    while (n >= m_ring.freeBytes() && isRunning() && !m_context->isAborting())
        QThread::msleep(10);
    if (!isRunning() || m_context->isAborting())
        return;
    const bool wasEmpty = m_ring.stored() == 0;
    m_ring.write(frame->data[0], n);
    // The first sound of a seek or an open reaches the device (and its clock the pictures)
    // without waiting out the renderer's step.
    if (wasEmpty)
        m_output->wakeRenderer();
}

int AudioState::pause()
{
    MediaState::pause();
    m_output->suspend();
    return 0;
}

int AudioState::resume()
{
    m_output->resume();
    return 0;
}

int AudioState::setVolume(int level)
{
    qCDebug(lcEngine).noquote() << "AudioState::setVolume"
                                << ":" << level;
    m_output->setVolume(volumeForLevel(level));
    return 0;
}

int AudioState::setSpeed(double speed)
{
    qCDebug(lcEngine).noquote() << "AudioState::setSpeed"
                                << ": " << speed;
    MediaState::setSpeed(speed);
    if (!(speed > 0))
        return -1;
    return m_output->setSpeed(speed);
}

int AudioState::configureFilters(AVFrame *, bool forceOutput)
{
    if (!m_stream || !m_codecContext)
        return -1;
    m_filterGraph.reset();
    m_bufferSource = nullptr;
    m_bufferSink = nullptr;
    av::FilterGraphPtr graph(avfilter_graph_alloc());
    if (!graph)
        return -1;
    graph->nb_threads = m_filterThreadCount;
    av_opt_set(graph.get(), "aresample_swr_opts", "", 0);

    const char *formatName = av_get_sample_fmt_name(static_cast<AVSampleFormat>(m_sourceFormat));
    if (!formatName || m_sourceRate < 1 || m_sourceChannels < 1)
        return -1;
    QString args = QString::asprintf("sample_rate=%d:sample_fmt=%s:channels=%d:time_base=%d/%d",
                                     m_sourceRate,
                                     formatName,
                                     m_sourceChannels,
                                     1,
                                     m_sourceRate);
    if (m_sourceLayout != 0)
        args += QString::asprintf(":channel_layout=0x%llx",
                                  static_cast<unsigned long long>(m_sourceLayout));

    AVFilterContext *source = nullptr;
    AVFilterContext *sink = nullptr;
    int ret = avfilter_graph_create_filter(&source,
                                           avfilter_get_by_name("abuffer"),
                                           "vtplay_abuffer",
                                           args.toUtf8().constData(),
                                           nullptr,
                                           graph.get());
    if (ret < 0) {
        qCDebug(lcEngine).noquote() << "audio filter creation failed: abuffer";
        return ret;
    }
    ret = avfilter_graph_create_filter(&sink,
                                       avfilter_get_by_name("abuffersink"),
                                       "vtplay_abuffersink",
                                       nullptr,
                                       nullptr,
                                       graph.get());
    if (ret < 0) {
        qCDebug(lcEngine).noquote() << "audio filter creation failed: abuffersink";
        return ret;
    }
    const int sampleFormats[] = {m_targetFormat.load(), -1};
    ret = av_opt_set_int_list(sink, "sample_fmts", sampleFormats, -1, AV_OPT_SEARCH_CHILDREN);
    if (ret < 0) {
        qCDebug(lcEngine).noquote() << "audio filter creation failed: abuffersink - sample_fmts";
        return ret;
    }
    if (forceOutput) {
        ret = av_opt_set_int(sink, "all_channel_counts", 0, AV_OPT_SEARCH_CHILDREN);
        if (ret >= 0) {
            // A zero layout ends the list at once: then only the channel count is given.
            const int64_t layouts[] = {static_cast<int64_t>(m_targetLayout.load()), 0};
            ret = av_opt_set_int_list(sink, "channel_layouts", layouts, 0, AV_OPT_SEARCH_CHILDREN);
        }
        if (ret < 0) {
            qCDebug(lcEngine).noquote()
                    << "audio filter creation failed: abuffersink - channel_layouts";
            return ret;
        }
        const int counts[] = {m_targetLayout.load() == 0 ? m_targetChannels.load() : -1, -1};
        ret = av_opt_set_int_list(sink, "channel_counts", counts, -1, AV_OPT_SEARCH_CHILDREN);
        if (ret < 0) {
            qCDebug(lcEngine).noquote()
                    << "audio filter creation failed: abuffersink - channel_counts";
            return ret;
        }
        const int rates[] = {m_targetRate.load(), -1};
        ret = av_opt_set_int_list(sink, "sample_rates", rates, -1, AV_OPT_SEARCH_CHILDREN);
        if (ret < 0) {
            qCDebug(lcEngine).noquote()
                    << "audio filter creation failed: abuffersink - sample_rates";
            return ret;
        }
    } else {
        ret = av_opt_set_int(sink, "all_channel_counts", 1, AV_OPT_SEARCH_CHILDREN);
        if (ret < 0) {
            qCDebug(lcEngine).noquote()
                    << "audio filter creation failed: abuffersink - channel_counts";
            return ret;
        }
    }

    ret = avfilter_link(source, 0, sink, 0);
    if (ret < 0) {
        qCDebug(lcEngine).noquote() << "audio filter link failed: -> abuffersink ";
        return ret;
    }
    ret = avfilter_graph_config(graph.get(), nullptr);
    if (ret < 0) {
        qCDebug(lcEngine).noquote() << "audio filter graph failed";
        return ret;
    }
    m_filterGraph = std::move(graph);
    m_bufferSource = source;
    m_bufferSink = sink;
    return 0;
}

bool AudioState::sourceDiffers(const AVFrame *frame) const
{
    const int channels = frame->ch_layout.nb_channels;
    return frame->format != m_sourceFormat || frame->sample_rate != m_sourceRate
            || channels != m_sourceChannels
            || layoutMask(frame->ch_layout, channels) != m_sourceLayout;
}

int AudioState::adaptSourceTo(const AVFrame *frame)
{
    const int channels = frame->ch_layout.nb_channels;
    qCDebug(lcEngine).noquote() << "audio stream" << streamIndex() << "source changed: ch#"
                                << m_sourceChannels << "->" << channels << ", rate" << m_sourceRate
                                << "->" << frame->sample_rate << ", format" << m_sourceFormat
                                << "->" << frame->format;
    if (channels < 1 || frame->sample_rate < 1 || frame->format < 0)
        return AVERROR(EINVAL);
    m_sourceFormat = frame->format;
    m_sourceRate = frame->sample_rate;
    m_sourceChannels = channels;
    m_sourceLayout = layoutMask(frame->ch_layout, channels);
    const int ret = configureFilters(nullptr, true);
    if (ret < 0)
        qCritical().noquote() << "config audio filter failed";
    return ret;
}
