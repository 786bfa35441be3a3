#include "audiodecoder.h"

#include "audiostate.h"
#include "enginelog.h"
#include "mediacontext.h"

#include <QDebug>

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
}

#include <limits>

AudioDecoder::AudioDecoder(AudioState *state)
    : MediaDecoder(state)
    , m_audio(state)
{ }

void AudioDecoder::run()
{
    AudioState *state = m_audio;
    MediaContext *context = state->context();
    const int index = state->streamIndex();
    if (!state->bufferSource() || !state->bufferSink()) {
        m_finished.store(true);
        return;
    }
    av::FramePtr decoded = av::makeFrame();
    av::FramePtr filtered = av::makeFrame();
    if (!decoded || !filtered) {
        fail(AVERROR(ENOMEM));
        m_finished.store(true);
        return;
    }
    const AVRational packetTimeBase = state->codecContext()->pkt_timebase;

    while (!context->isAborting() && state->isRunning()) {
        touchAlive();
        const Step step
                = decodeStep(decoded.get(),
                             QStringLiteral("%1:%2:getFrame").arg("AudioDecoder::run").arg(60),
                             QStringLiteral("audio stream"));
        if (step == Step::Failed)
            break;
        if (step == Step::Again)
            continue;

        if (decoded->pts != AV_NOPTS_VALUE && decoded->sample_rate > 0 && packetTimeBase.num > 0
            && packetTimeBase.den > 0)
            decoded->pts = av_rescale_q(
                    decoded->pts, packetTimeBase, AVRational {1, decoded->sample_rate});

        // A stream may change its sample format, rate or layout midstream (or only tell the
        // real ones with its first frame); the source would refuse such a frame.
        if (state->sourceDiffers(decoded.get())) {
            const int ret = state->adaptSourceTo(decoded.get());
            if (ret < 0) {
                av_frame_unref(decoded.get());
                fail(ret);
                break;
            }
        }

        AVFilterContext *source = state->bufferSource();
        AVFilterContext *sink = state->bufferSink();
        int ret = av_buffersrc_add_frame(source, decoded.get());
        av_frame_unref(decoded.get());
        if (ret < 0) {
            qCDebug(lcEngine).noquote() << "audio add frame to filter error";
            fail(ret);
            break;
        }
        const AVRational sinkTimeBase = av_buffersink_get_time_base(sink);
        for (;;) {
            ret = av_buffersink_get_frame(sink, filtered.get());
            if (ret < 0)
                break;
            const double pts = filtered->pts == AV_NOPTS_VALUE
                    ? std::numeric_limits<double>::quiet_NaN()
                    : filtered->pts * av_q2d(sinkTimeBase);
            const double duration = filtered->sample_rate > 0
                    ? static_cast<double>(filtered->nb_samples) / filtered->sample_rate
                    : 0.0;
            if (state->frameQueue().push(
                        filtered.get(), packetSeq(), pts, duration, context->playSpeed(), -1)
                < 0)
                av_frame_unref(filtered.get());
        }
        if (ret == AVERROR_EOF) {
            qCDebug(lcEngine).noquote() << "audio got eof";
        } else if (ret != AVERROR(EAGAIN)) {
            fail(ret);
            break;
        }
    }
    m_finished.store(true);
    qCDebug(lcEngine).noquote() << "audio stream" << index << "decoder ended";
}
