#include "benchreceiver.h"

#include "media/audiostate.h"
#include "media/mediaclock.h"
#include "media/mediacontext.h"
#include "media/mediaframe.h"
#include "media/mediastate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void BenchReceiver::setRealtimeContext(MediaContext *context)
{
    m_realtime.store(context);
}

int BenchReceiver::frameCountOf(int stream) const
{
    if (stream < 0 || stream >= MaxStreams)
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_countOf[stream];
}

double BenchReceiver::firstArrival(int stream, int seq) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_firstArrival.find({stream, seq});
    return it == m_firstArrival.end() ? -1.0 : it->second;
}

double BenchReceiver::firstArrivalSince(int stream, double since) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    double best = -1;
    for (const auto &entry : m_firstArrival) {
        if (entry.first.first == stream && entry.second >= since
            && (best < 0 || entry.second < best))
            best = entry.second;
    }
    return best;
}

QVector<BenchReceiver::Search> BenchReceiver::searches() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return QVector<Search>(m_searches.begin(), m_searches.end());
}

QVector<double> BenchReceiver::presentationErrorsMs() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return QVector<double>(m_errorsMs.begin(), m_errorsMs.end());
}

QVector<double> BenchReceiver::presentationJitterMs() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QVector<double> out;
    for (const std::vector<double> &errors : m_errorsOf) {
        if (errors.empty())
            continue;
        std::vector<double> sorted(errors);
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
        for (double e : errors)
            out << e - median;
    }
    return out;
}

QVector<double> BenchReceiver::avOffsetsMs() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return QVector<double>(m_offsetsMs.begin(), m_offsetsMs.end());
}

int BenchReceiver::droppedFrames() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_dropped;
}

double BenchReceiver::firstRealtimeArrival() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_firstRealtime;
}

QVector<BenchReceiver::Picture> BenchReceiver::pictures() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return QVector<Picture>(m_pictures.begin(), m_pictures.end());
}

void BenchReceiver::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frames.store(0);
    for (int i = 0; i < MaxStreams; ++i) {
        m_countOf[i] = 0;
        m_lastPts[i] = 0;
        m_lastSeq[i] = 0;
        m_errorsOf[i].clear();
    }
    m_firstArrival.clear();
    m_searches.clear();
    m_errorsMs.clear();
    m_offsetsMs.clear();
    m_dropped = 0;
    m_firstRealtime = -1;
    m_pictures.clear();
}

void BenchReceiver::copyPicture(int stream, const AVFrame *frame)
{
    // Copies the picture plane by plane, as the display does (BGR24 or YUV 4:2:0).
    if (!frame || !frame->data[0] || frame->width <= 0 || frame->height <= 0)
        return;
    const bool yuv = frame->format == AV_PIX_FMT_YUV420P;
    if (!yuv && frame->format != AV_PIX_FMT_BGR24)
        return;
    const int planes = yuv ? 3 : 1;
    size_t rowBytes[3] = {static_cast<size_t>(frame->width) * (yuv ? 1 : 3),
                          static_cast<size_t>(frame->width + 1) / 2,
                          static_cast<size_t>(frame->width + 1) / 2};
    const int rows[3] = {frame->height, (frame->height + 1) / 2, (frame->height + 1) / 2};
    size_t total = 0;
    for (int p = 0; p < planes; ++p) {
        if (!frame->data[p] || frame->linesize[p] < 0
            || static_cast<size_t>(frame->linesize[p]) < rowBytes[p])
            return;
        total += rowBytes[p] * static_cast<size_t>(rows[p]);
    }
    std::vector<uint8_t> &copy = m_copies[stream];
    copy.resize(total);
    uint8_t *out = copy.data();
    for (int p = 0; p < planes; ++p) {
        for (int y = 0; y < rows[p]; ++y) {
            memcpy(out,
                   frame->data[p] + static_cast<ptrdiff_t>(y) * frame->linesize[p],
                   rowBytes[p]);
            out += rowBytes[p];
        }
    }
}

void BenchReceiver::presentFrame(int stream_index, std::unique_ptr<MediaFrame> owned)
{
    const MediaFrame *vframe = owned.get();
    const double now = MediaClock::nowSeconds();
    if (stream_index < 0 || stream_index >= MaxStreams || !vframe || !vframe->frame)
        return;
    copyPicture(stream_index, vframe->frame.get());
    m_frames.fetch_add(1);
    if (m_realtime.load())
        measureRealtime(stream_index, vframe, now);
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_countOf[stream_index];
    const int part = m_logPart.load();
    if (part >= 0)
        m_pictures.push_back({stream_index, part, vframe->pts, now});
    m_firstArrival.emplace(std::make_pair(stream_index, static_cast<int>(vframe->seq)), now);
}

void BenchReceiver::measureRealtime(int stream, const MediaFrame *vframe, double now)
{
    MediaContext *context = m_realtime.load();
    MediaState *state = context ? context->stateFor(stream) : nullptr;
    if (!state || !std::isfinite(vframe->pts))
        return;
    const MediaClock &clock = state->clock();
    const double speed = vframe->speed > 0 ? vframe->speed : 1.0;
    // The clock was updated with this frame before it was handed over, so its epoch is this
    // frame's epoch.
    const double due = clock.baseTime() + (vframe->pts - clock.firstPts()) / speed;
    double offsetMs = std::nan("");
    MediaState *master = context->masterFor(state);
    if (master && master != state && master->type() == MediaState::Audio) {
        const double audio = static_cast<AudioState *>(master)->audioClock();
        if (audio != 0)
            offsetMs = (vframe->pts - audio) * 1000.0;
    }
    const double frameDuration = vframe->duration > 0 ? vframe->duration : 1.0 / 30.0;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_firstRealtime < 0)
        m_firstRealtime = now;
    m_errorsMs.push_back((now - due) * 1000.0);
    m_errorsOf[stream].push_back((now - due) * 1000.0);
    if (std::isfinite(offsetMs))
        m_offsetsMs.push_back(offsetMs);
    if (m_lastSeq[stream] == vframe->seq + 1) {
        const double gap = vframe->pts - m_lastPts[stream];
        const long missing = std::lround(gap / frameDuration) - 1;
        if (missing > 0)
            m_dropped += static_cast<int>(missing);
    }
    m_lastSeq[stream] = vframe->seq + 1;
    m_lastPts[stream] = vframe->pts;
}

void BenchReceiver::presentSearchFrame(int stream_index, av::FramePtr, bool bStillSearching)
{
    const double now = MediaClock::nowSeconds();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_searches.push_back({stream_index, now, bStillSearching});
}
