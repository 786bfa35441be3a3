#include "videodecoder.h"

#include "backgroundpriority.h"
#include "enginelog.h"
#include "mediacontext.h"
#include "videostate.h"

#include <QDebug>

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/hwcontext.h>
}

#include <cmath>
#include <limits>

VideoDecoder::VideoDecoder(VideoState *state)
    : MediaDecoder(state)
    , m_video(state)
{ }

bool VideoDecoder::keepAfterSeek(const AVFrame *decoded, double tolerance)
{
    VideoState *state = m_video;
    MediaContext *context = state->context();
    const AVRational tb = state->stream()->time_base;
    const double pts = decoded->pts == AV_NOPTS_VALUE ? std::numeric_limits<double>::quiet_NaN()
                                                      : decoded->pts * av_q2d(tb);
    const int seq = packetSeq();
    for (;;) {
        switch (state->alignFrame(seq, pts, tolerance)) {
        case MediaState::Align::Keep:
            return true;
        case MediaState::Align::Drop:
            return false;
        case MediaState::Align::Pending:
            break;
        }
        // Another seek or a close: the frame's seq is stale and goes the usual way.
        if (context->isAborting() || !state->isRunning() || state->packetQueue().seq() != seq)
            return true;
        touchAlive();
        QThread::msleep(2);
    }
}

void VideoDecoder::run()
{
    // Decoding and filtering (whose threads start here) give way to the runners.
    BackgroundPriority::lowerCurrentThread();
    using std::chrono::milliseconds;
    VideoState *state = m_video;
    MediaContext *context = state->context();
    const int index = state->streamIndex();
    av::FramePtr decoded = av::makeFrame();
    av::FramePtr output = av::makeFrame();
    av::FramePtr filtered = av::makeFrame();
    if (!decoded || !output || !filtered) {
        fail(AVERROR(ENOMEM));
        m_finished.store(true);
        return;
    }
    AVStream *stream = state->stream();
    const AVRational frameRate = av_guess_frame_rate(context->formatContext(), stream, nullptr);
    const double frameDuration
            = (frameRate.num > 0 && frameRate.den > 0) ? 1.0 / av_q2d(frameRate) : 0.0;
    // The codec's own frame rate (a 30 fps recording coded at 15 fps shows every picture
    // twice) is known only once the first picture is decoded: decided then.
    bool halfRate = false;
    bool halfRateKnown = false;
    auto decideHalfRate = [&] {
        const AVRational codecRate = state->codecContext()->framerate;
        if (codecRate.num <= 0 || codecRate.den <= 0)
            return;
        halfRateKnown = true;
        halfRate = frameRate.den != 0 && av_q2d(frameRate) == 30.0 && av_q2d(codecRate) == 15.0;
        state->setHalfRate(halfRate);
        qCDebug(lcEngine).noquote()
                << "stream" << index << "frame rate:" << (frameRate.den ? av_q2d(frameRate) : 0.0)
                << ", fps/2?" << halfRate;
    };

    std::optional<VideoState::FilterKey> built;

    // The graph for the stream's coded size and format is built while the first picture is
    // still being decoded, so that picture does not wait for the scaler's set-up; a picture
    // that turns out different (a hardware frame's format, another size) rebuilds it as usual.
    const AVCodecParameters *par = stream->codecpar;
    av::FramePtr shape
            = par->width > 0 && par->height > 0 && par->format >= 0 ? av::makeFrame() : nullptr;
    if (shape) {
        shape->width = par->width;
        shape->height = par->height;
        shape->format = par->format;
        int viewMode = 0;
        state->prepareFilters(shape.get(), packetSeq(), &built, &viewMode, true);
    }

    while (!context->isAborting() && state->isRunning()) {
        touchAlive();
        const Step step
                = decodeStep(decoded.get(),
                             QStringLiteral("%1:%2:getFrame").arg("VideoDecoder::run").arg(90),
                             QStringLiteral("stream"));
        if (step == Step::Failed)
            break;
        if (step == Step::Again)
            continue;
        if (!halfRateKnown)
            decideHalfRate();
        const int counter = m_frameCounter++;
        if (halfRate && (counter % 2) == 1) {
            av_frame_unref(decoded.get());
            continue;
        }
        // Pictures before the moment a seek landed on are decoded (the later ones need them)
        // but neither filtered nor shown.
        if (!keepAfterSeek(decoded.get(), frameDuration / 2)) {
            av_frame_unref(decoded.get());
            continue;
        }

        if (decoded->format == state->hwPixelFormat()) {
            av::FramePtr transferred = av::makeFrame();
            if (!transferred) {
                qCDebug(lcEngine).noquote()
                        << "stream" << index
                        << ": Error transferring the data to system memory, nomem";
                fail(AVERROR(ENOMEM));
                break;
            }
            int ret = av_hwframe_transfer_data(transferred.get(), decoded.get(), 0);
            if (ret < 0) {
                qCDebug(lcEngine).noquote()
                        << "stream" << index << ": Error transferring the data to system memory,"
                        << av::errorText(ret);
                fail(ret);
                break;
            }
            ret = av_frame_copy_props(transferred.get(), decoded.get());
            if (ret < 0) {
                qCDebug(lcEngine).noquote() << "stream" << index << ": Error copy props," << ret;
                fail(ret);
                break;
            }
            av_frame_unref(decoded.get());
            av_frame_move_ref(output.get(), transferred.get());
        } else {
            av_frame_move_ref(output.get(), decoded.get());
        }

        int viewMode = SurroundViewMode::Original;
        {
            const int ret
                    = state->prepareFilters(output.get(), packetSeq(), &built, &viewMode, false);
            if (ret < 0) {
                qCDebug(lcEngine).noquote() << "video filter configuration error";
                av_frame_unref(output.get());
                fail(ret);
                break;
            }
        }

        AVFilterContext *source = state->bufferSource();
        AVFilterContext *sink = state->bufferSink();
        int ret = av_buffersrc_add_frame(source, output.get());
        av_frame_unref(output.get());
        if (ret < 0) {
            qCDebug(lcEngine).noquote() << "video add frame to filter error";
            fail(ret);
            break;
        }
        const AVRational sinkTimeBase = av_buffersink_get_time_base(sink);
        const double duration = frameDuration;
        for (;;) {
            ret = av_buffersink_get_frame_flags(sink, filtered.get(), 0);
            if (ret < 0)
                break;
            const double pts = filtered->pts == AV_NOPTS_VALUE
                    ? std::numeric_limits<double>::quiet_NaN()
                    : filtered->pts * av_q2d(sinkTimeBase);
            if (state->frameQueue().push(
                        filtered.get(), packetSeq(), pts, duration, context->playSpeed(), viewMode)
                < 0)
                av_frame_unref(filtered.get());
        }
        if (ret == AVERROR_EOF) {
            qCDebug(lcEngine).noquote() << "stream" << index << " got eof";
            state->setEndOfStream(true);
        }
    }
    m_finished.store(true);
    qCDebug(lcEngine).noquote() << "stream" << index << " decoder ended";
}
