#include "videostate.h"

#include "enginelog.h"
#include "mediacontext.h"
#include "mediaframe.h"
#include "videodecoder.h"

#include <QDebug>
#include <QThread>

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/opt.h>
#include <libavutil/time.h>
}

#include <algorithm>
#include <new>

namespace {

// Widths a scaled picture may have: the smallest one at least as wide as the view is used,
// so the display uploads about the view size and never scales a picture up.
const int kWidthSteps[] = {1280, 1440, 1600, 1760, 1920, 2080, 2240, 2560};

// Long pacing sleeps are cut into slices this long so that close and abort are seen.
constexpr int64_t kSleepSliceUs = 10000;
// The last part of a pacing sleep is waited out in checks this short.
constexpr int64_t kFinishUs = 2000;
constexpr int64_t kCheckUs = 250;

} // namespace

VideoState::VideoState(MediaContext *context)
    : MediaState(Video, context, PacketCapacity, FrameQueueBytes)
{ }

int VideoState::configure(int volume, double speed, int view_width, int view_height, int view_mode)
{
    const int ret = MediaState::configure(volume, speed, view_width, view_height, view_mode);
    if (ret < 0)
        return ret;
    m_viewMode.store(view_mode);
    setTargetSize(view_width, view_height);
    return 0;
}

QSize VideoState::targetSizeFor(int width, int height, int viewWidth)
{
    if (width <= 0 || height <= 0)
        return QSize(1280, 720);
    int target;
    if (width <= 2560 && width <= viewWidth) {
        target = width;
    } else if (viewWidth <= 640) {
        target = 640;
    } else {
        target = 2560;
        for (int step : kWidthSteps) {
            if (step >= viewWidth) {
                target = step;
                break;
            }
        }
    }
    // Never above the source width.
    target = std::min(target, width);
    const double ratio = static_cast<double>(height) / width;
    const int targetHeight = ratio == 1.0
            ? static_cast<int>(target * 0.5625)
            : static_cast<int>(static_cast<int64_t>(target) * height / width);
    return QSize(target, targetHeight);
}

QSize VideoState::outputSizeFor(
        int viewMode, int targetWidth, int targetHeight, int sourceWidth, int sourceHeight)
{
    switch (viewMode) {
    case SurroundViewMode::VR:
        return QSize(2 * targetWidth, 2 * targetHeight);
    case SurroundViewMode::Panorama:
        return QSize(targetWidth, targetHeight);
    case SurroundViewMode::Stereo:
        return QSize((targetWidth * 3 / 4 + 31) / 32 * 32, targetHeight / 2 * 2);
    default:
        if (sourceWidth <= 0 || sourceHeight <= 0)
            return QSize();
        // scale=W:-2: the height follows the aspect, rounded to the nearest even number.
        return QSize(
                targetWidth,
                static_cast<int>(av_rescale(targetWidth, sourceHeight, sourceWidth * 2LL) * 2));
    }
}

void VideoState::setTargetSize(int view_width, int view_height)
{
    std::lock_guard<std::mutex> lock(m_filterMutex);
    const int width = m_stream ? m_stream->codecpar->width : 0;
    const int height = m_stream ? m_stream->codecpar->height : 0;
    const QSize size = targetSizeFor(width, height, view_width);
    m_targetWidth = size.width();
    m_targetHeight = size.height();
    qCDebug(lcEngine).noquote() << "stream" << m_streamIndex.load() << "frame resolution"
                                << QStringLiteral("%1x%2").arg(width).arg(height) << "view"
                                << QStringLiteral("%1x%2").arg(view_width).arg(view_height)
                                << "target resolution"
                                << QStringLiteral("%1x%2").arg(m_targetWidth).arg(m_targetHeight);
}

int VideoState::setViewMode(int mode)
{
    return m_viewMode.exchange(mode);
}

int VideoState::appliedViewMode() const
{
    std::lock_guard<std::mutex> lock(m_filterMutex);
    return m_appliedViewMode;
}

QSize VideoState::targetSize() const
{
    std::lock_guard<std::mutex> lock(m_filterMutex);
    return QSize(m_targetWidth, m_targetHeight);
}

int VideoState::sinkPixelFormat() const
{
    std::lock_guard<std::mutex> lock(m_filterMutex);
    return m_sinkPixelFormat;
}

int VideoState::prepareFilters(
        AVFrame *picture, int seq, std::optional<FilterKey> *built, int *viewMode, bool quiet)
{
    std::lock_guard<std::mutex> lock(m_filterMutex);
    const FilterKey key {picture->width,
                         picture->height,
                         picture->format,
                         m_targetWidth,
                         m_targetHeight,
                         m_sinkPixelFormat,
                         m_viewMode.load(),
                         seq};
    *viewMode = key.viewMode;
    if (*built && **built == key)
        return 0;
    const int index = m_streamIndex.load();
    if (!quiet)
        qCDebug(lcEngine).noquote() << "stream" << index << " creating or renewing filters...";
    const int ret = configureFilters(picture, false);
    if (ret < 0) {
        built->reset();
        return ret;
    }
    *built = key;
    if (!quiet)
        qCDebug(lcEngine).noquote() << "stream" << index << " a filter group updated";
    return 1;
}

int VideoState::createDecoder()
{
    if (!m_codecContext || m_decoder)
        return -1;
    return installDecoder(new (std::nothrow) VideoDecoder(this));
}

void VideoState::displayFrame(std::unique_ptr<MediaFrame> frame, bool force)
{
    MediaContext *context = m_context;
    if (!force) {
        MediaState *master = context->masterFor(this);
        int64_t sleepUs = 0;
        if (m_clock.pace(
                    *frame, master ? &master->clock() : nullptr, context->isAborting(), &sleepUs)
            < 0)
            return;
        // Sleep to a deadline: long sleeps in slices that end a little early (a thread woken
        // while the decoders hold the cores starts late), the rest in short sleep-and-checks.
        const int64_t deadline = av_gettime_relative() + sleepUs;
        for (int64_t left = sleepUs; left > 0; left = deadline - av_gettime_relative()) {
            if (!m_running.load() || context->isAborting())
                return;
            const int64_t slice = left > kFinishUs ? std::min(left - kFinishUs, kSleepSliceUs)
                                                   : std::min<int64_t>(left, kCheckUs);
            QThread::usleep(static_cast<unsigned long>(slice));
        }
    }
    context->presentFrame(m_streamIndex.load(), std::move(frame));
}

namespace {

int createFilter(AVFilterContext **out,
                 const char *filterName,
                 const char *instance,
                 const QByteArray &args,
                 AVFilterGraph *graph)
{
    const AVFilter *filter = avfilter_get_by_name(filterName);
    if (!filter)
        return AVERROR_FILTER_NOT_FOUND;
    return avfilter_graph_create_filter(
            out, filter, instance, args.isEmpty() ? nullptr : args.constData(), nullptr, graph);
}

} // namespace

int VideoState::configureFilters(AVFrame *frame, bool)
{
    // Runs on the decoder thread with m_filterMutex held.
    if (!m_stream || !frame)
        return -1;
    m_filterGraph.reset();
    m_bufferSource = nullptr;
    m_bufferSink = nullptr;
    av::FilterGraphPtr graph(avfilter_graph_alloc());
    if (!graph)
        return -1;
    // At play speeds up to real time a plain scale runs on this thread alone: there the
    // decoders idle part of the time, and slice threads beside three frame-threaded decoders
    // cost more CPU than they save. Faster than that, and for the heavy reprojections, the
    // filter shares the cores like the decoders do.
    const int mode = m_viewMode.load();
    const bool plain = mode != SurroundViewMode::VR && mode != SurroundViewMode::Panorama
            && mode != SurroundViewMode::Stereo;
    graph->nb_threads = plain && m_context->playSpeed() <= 1.0 ? 1 : m_filterThreadCount;
    graph->scale_sws_opts = av_strdup("");

    const int tw = m_targetWidth;
    const int th = m_targetHeight;
    const AVRational tb = m_stream->time_base;
    const AVRational sar = m_stream->sample_aspect_ratio;
    auto fail = [&](const QString &message, int code) {
        qCDebug(lcEngine).noquote() << message;
        return code < 0 ? code : -1;
    };

    AVFilterContext *source = nullptr;
    const QByteArray sourceArgs
            = QStringLiteral("video_size=%1x%2:pix_fmt=%3:time_base=%4/%5:pixel_aspect=%6/%7")
                      .arg(frame->width)
                      .arg(frame->height)
                      .arg(frame->format)
                      .arg(tb.num)
                      .arg(tb.den)
                      .arg(sar.num)
                      .arg(sar.den < 2 ? 1 : sar.den)
                      .toLatin1();
    int ret = createFilter(&source, "buffer", "vtplay_buffer", sourceArgs, graph.get());
    if (ret < 0)
        return fail(QStringLiteral("video filter creation failed: buffersrc"), ret);

    AVFilterContext *sink = nullptr;
    ret = createFilter(&sink, "buffersink", "vtplay_buffersink", QByteArray(), graph.get());
    if (ret < 0)
        return fail(QStringLiteral("video filter creation failed: buffersink"), ret);
    // Plain pictures leave as planar YUV (the display converts the colours); the surround
    // reprojections as BGR, which the display cuts and shows as they are.
    const int pixFmts[] = {plain ? m_sinkPixelFormat : AV_PIX_FMT_BGR24, -1};
    ret = av_opt_set_bin(sink,
                         "pix_fmts",
                         reinterpret_cast<const uint8_t *>(pixFmts),
                         sizeof(int),
                         AV_OPT_SEARCH_CHILDREN);
    if (ret < 0)
        return fail(QStringLiteral("video filter creation failed: pix_fmts"), ret);

    auto makeScale = [&](AVFilterContext **scale) {
        // Every source is read as limited range. A YUV result stays limited range (the
        // display expands it), a BGR one is full range.
        const QByteArray args = QStringLiteral("%1:-2:flags=bilinear:in_range=mpeg:out_range=%2:")
                                        .arg(tw)
                                        .arg(plain && m_sinkPixelFormat != AV_PIX_FMT_BGR24
                                                     ? QStringLiteral("mpeg")
                                                     : QStringLiteral("full"))
                                        .toLatin1();
        const int r = createFilter(scale, "scale", "vtplay_scale", args, graph.get());
        if (r < 0)
            qCDebug(lcEngine).noquote() << "video filter creation failed: scale";
        return r;
    };
    auto makeV360 = [&](AVFilterContext **v360,
                        const char *instance,
                        const QString &args,
                        const QString &failText) {
        qCDebug(lcEngine).noquote() << "v360=" + args;
        const int r = createFilter(v360, "v360", instance, args.toLatin1(), graph.get());
        if (r < 0)
            qCDebug(lcEngine).noquote() << failText + av::errorText(r);
        return r;
    };
    auto link = [&](AVFilterContext *from,
                    unsigned pad,
                    AVFilterContext *to,
                    unsigned toPad,
                    const char *failText) {
        const int r = avfilter_link(from, pad, to, toPad);
        if (r < 0)
            qCDebug(lcEngine).noquote() << failText;
        return r;
    };

    const QString fisheye = QStringLiteral("fisheye:e:ih_fov=360:iv_fov=360:");
    if (mode == SurroundViewMode::VR) {
        AVFilterContext *v360 = nullptr;
        const QString args
                = fisheye + QStringLiteral("pitch=-90:yaw=180:w=%1:h=%2").arg(2 * tw).arg(2 * th);
        if ((ret
             = makeV360(&v360, "vtplay_panorama", args, "video filter creation failed: v360: << "))
            < 0)
            return ret;
        if ((ret = link(source, 0, v360, 0, "video filter link failed: -> v360")) < 0)
            return ret;
        if ((ret = link(v360, 0, sink, 0, "video filter link failed: -> buffersink ")) < 0)
            return ret;
    } else if (mode == SurroundViewMode::Panorama) {
        AVFilterContext *scale = nullptr;
        AVFilterContext *v360 = nullptr;
        if ((ret = makeScale(&scale)) < 0)
            return ret;
        const QString args
                = fisheye + QStringLiteral("pitch=-90:yaw=180:w=%1:h=%2").arg(tw).arg(th);
        if ((ret
             = makeV360(&v360, "vtplay_panorama", args, "video filter creation failed: v360: << "))
            < 0)
            return ret;
        if ((ret = link(source, 0, scale, 0, "video filter link failed: -> scale")) < 0
            || (ret = link(scale, 0, v360, 0, "video filter link failed: -> v360")) < 0
            || (ret = link(v360, 0, sink, 0, "video filter link failed: -> buffersink ")) < 0)
            return ret;
    } else if (mode == SurroundViewMode::Stereo) {
        AVFilterContext *scale = nullptr;
        AVFilterContext *split = nullptr;
        AVFilterContext *upper = nullptr;
        AVFilterContext *lower = nullptr;
        AVFilterContext *vstack = nullptr;
        const int w = (tw * 3 / 4 + 31) / 32 * 32;
        const int h = th / 2;
        if ((ret = makeScale(&scale)) < 0)
            return ret;
        ret = createFilter(&split, "split", "vtplay_slit", "outputs=2", graph.get());
        if (ret < 0)
            return fail("video filter creation failed: split: << " + av::errorText(ret), ret);
        ret = createFilter(&vstack, "vstack", "vtplay_vstack", "inputs=2", graph.get());
        if (ret < 0)
            return fail("video filter creation failed: vflip: << " + av::errorText(ret), ret);
        const QString upperArgs
                = fisheye + QStringLiteral("pitch=90:h_fov=180:v_fov=180:w=%1:h=%2").arg(w).arg(h);
        const QString lowerArgs = fisheye
                + QStringLiteral("pitch=-90:yaw=180:h_fov=180:v_fov=180:w=%1:h=%2").arg(w).arg(h);
        if ((ret = makeV360(&upper,
                            "vtplay_v360_upper",
                            upperArgs,
                            "video filter creation failed: v360 upper: << "))
            < 0)
            return ret;
        if ((ret = makeV360(&lower,
                            "vtplay_v360_lower",
                            lowerArgs,
                            "video filter creation failed: v360 lower: << "))
            < 0)
            return ret;
        if ((ret = link(source, 0, scale, 0, "video filter link failed: -> scale")) < 0
            || (ret = link(scale, 0, split, 0, "video filter link failed: -> split")) < 0
            || (ret = link(split, 0, upper, 0, "video filter link failed: -> crop upper")) < 0
            || (ret = link(split, 1, lower, 0, "video filter link failed: -> crop lower")) < 0
            || (ret = link(upper, 0, vstack, 0, "video filter link failed: -> vstack[0]")) < 0
            || (ret = link(lower, 0, vstack, 1, "video filter link failed: -> vstack[1]")) < 0
            || (ret = link(vstack, 0, sink, 0, "video filter link failed: -> buffersink ")) < 0)
            return ret;
    } else {
        AVFilterContext *scale = nullptr;
        if ((ret = makeScale(&scale)) < 0)
            return ret;
        if ((ret = link(source, 0, scale, 0, "video filter link failed: -> scale")) < 0
            || (ret = link(scale, 0, sink, 0, "video filter link failed: -> buffersink ")) < 0)
            return ret;
    }

    ret = avfilter_graph_config(graph.get(), nullptr);
    if (ret < 0)
        return fail(QStringLiteral("video filter graph failed"), ret);

    if (m_hwDevice) {
        for (unsigned i = 0; i < graph->nb_filters; ++i) {
            AVFilterContext *filter = graph->filters[i];
            av_buffer_unref(&filter->hw_device_ctx);
            filter->hw_device_ctx = av_buffer_ref(m_hwDevice.get());
        }
    }
    m_bufferSource = source;
    m_bufferSink = sink;
    m_appliedViewMode = mode;
    m_filterGraph = std::move(graph);
    return 0;
}
