#pragma once

// Shared by the engine tests: thread-safe logs of what the engine delivers, filled on the
// engine's threads (direct connections) and read on the test thread.

#include "media/framesink.h"
#include "media/mediacontext.h"
#include "media/mediaeventloop.h"
#include "media/mediaframe.h"
#include "media/pictureconverter.h"
#include "testrecordings.h"
#include "tools/framecode/framecode.h"

#include <QObject>
#include <QVector>

#include <mutex>
#include <vector>

// One picture that reached the receiver, with the numbers read back from it.
struct ReceivedFrame
{
    int stream = -1;
    int number = -1; // FrameCode frame number, -1 when unreadable
    int channel = -1;
    double pts = 0;
    int seq = -1;
    double speed = 0;
    int width = 0;
    int height = 0;
    int viewMode = -1;
};

// Pictures from presentFrame / presentSearchFrame. Copies each picture by
// its line size (rows may be padded) and reads its frame code.
class FrameLog
{
public:
    void addVideo(int stream, const MediaFrame *vframe)
    {
        ReceivedFrame r;
        r.stream = stream;
        r.pts = vframe->pts;
        r.seq = vframe->seq;
        r.speed = vframe->speed;
        r.viewMode = vframe->view_mode;
        const AVFrame *f = vframe->frame.get();
        r.width = f->width;
        r.height = f->height;
        const int rowBytes = f->width * 3;
        std::vector<uint8_t> copy(
                f->height > 0 && f->width > 0 ? static_cast<size_t>(rowBytes) * f->height : 0);
        // The picture as the display shows it (YUV pictures converted with its colours).
        if (!copy.empty() && PictureConverter::toBgr(f, copy.data(), rowBytes)) {
            FrameCode::read(copy.data(),
                            f->width,
                            f->height,
                            rowBytes,
                            FrameCode::Layout::Bgr24,
                            &r.number,
                            &r.channel);
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frames.push_back(r);
    }
    void addSearch(int stream, const AVFrame *frame, bool stillSearching)
    {
        ReceivedFrame r;
        r.stream = stream;
        r.seq = stillSearching ? 1 : 0;
        if (frame) {
            r.width = frame->width;
            r.height = frame->height;
            r.pts = static_cast<double>(frame->best_effort_timestamp);
            if (frame->format == AV_PIX_FMT_YUV420P || frame->format == AV_PIX_FMT_YUVJ420P)
                FrameCode::read(frame->data[0],
                                frame->width,
                                frame->height,
                                frame->linesize[0],
                                FrameCode::Layout::Yuv420p,
                                &r.number,
                                &r.channel);
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_searches.push_back(r);
    }
    QVector<ReceivedFrame> frames() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return QVector<ReceivedFrame>(m_frames.begin(), m_frames.end());
    }
    QVector<ReceivedFrame> searches() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return QVector<ReceivedFrame>(m_searches.begin(), m_searches.end());
    }
    int count() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return static_cast<int>(m_frames.size());
    }
    int countOf(int stream) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        int n = 0;
        for (const ReceivedFrame &r : m_frames)
            n += r.stream == stream ? 1 : 0;
        return n;
    }
    int countWithSeq(int stream, int seq) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        int n = 0;
        for (const ReceivedFrame &r : m_frames)
            n += (r.stream == stream && r.seq == seq) ? 1 : 0;
        return n;
    }
    void clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frames.clear();
        m_searches.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<ReceivedFrame> m_frames;
    std::vector<ReceivedFrame> m_searches;
};

// The frame sink the engine is opened with: logs every picture it is handed, then frees it.
class FrameReceiver : public FrameSink
{
public:
    FrameLog log;
    void presentFrame(int streamIndex, std::unique_ptr<MediaFrame> frame) override
    {
        log.addVideo(streamIndex, frame.get());
    }
    void presentSearchFrame(int streamIndex, av::FramePtr frame, bool stillSearching) override
    {
        log.addSearch(streamIndex, frame.get(), stillSearching);
    }
};

// What the loop reported, recorded on the emitting thread.
class LoopLog
{
public:
    struct Opened
    {
        MediaContext *context;
        QString path;
        int result;
    };
    struct ErrorReport
    {
        MediaContext *context;
        int err;
        int openedBefore; // opens reported before this error
    };
    struct Completed
    {
        int cmd;
        int64_t arg;
        int result;
    };

    void attach(MediaEventLoop *loop)
    {
        auto d = Qt::DirectConnection;
        QObject::connect(
                loop,
                &MediaEventLoop::mediaEventOpened,
                &m_guard,
                [this](MediaContext *c, QString p, int r) {
                    lock_t l(m_mutex);
                    m_order.append(QStringLiteral("opened"));
                    m_opened.append({c, p, r});
                },
                d);
        QObject::connect(
                loop,
                &MediaEventLoop::mediaEventClosed,
                &m_guard,
                [this](QString p, int) {
                    lock_t l(m_mutex);
                    m_order.append(QStringLiteral("closed"));
                    m_closed.append(p);
                },
                d);
        QObject::connect(
                loop,
                &MediaEventLoop::mediaEventFinished,
                &m_guard,
                [this](int r) {
                    lock_t l(m_mutex);
                    m_finished.append(r);
                },
                d);
        QObject::connect(
                loop,
                &MediaEventLoop::mediaEventPlayControlCommandCompleted,
                &m_guard,
                [this](int cmd, int64_t arg, int r) {
                    lock_t l(m_mutex);
                    m_completed.append({cmd, arg, r});
                },
                d);
        QObject::connect(
                loop,
                &MediaEventLoop::mediaEventEndOfPlaying,
                &m_guard,
                [this](MediaContext *) {
                    lock_t l(m_mutex);
                    ++m_ends;
                },
                d);
        QObject::connect(
                loop,
                &MediaEventLoop::mediaEventUpdatePlayingTime,
                &m_guard,
                [this](MediaContext *, double t, int) {
                    lock_t l(m_mutex);
                    m_times.append(t);
                },
                d);
        QObject::connect(
                loop,
                &MediaEventLoop::mediaEventSeekingStreamInfo,
                &m_guard,
                [this](MediaContext *, int stream, int seq) {
                    lock_t l(m_mutex);
                    m_seekInfo.append(qMakePair(stream, seq));
                },
                d);
        QObject::connect(
                loop,
                &MediaEventLoop::mediaEventErrorOccurredWhilePlaying,
                &m_guard,
                [this](MediaContext *c, int err) {
                    lock_t l(m_mutex);
                    m_errors.append(err);
                    m_errorReports.append({c, err, m_opened.size()});
                },
                d);
        QObject::connect(
                loop,
                &MediaEventLoop::mediaEventVideoViewModeChanged,
                &m_guard,
                [this](int, int, int r) {
                    lock_t l(m_mutex);
                    m_viewModeResults.append(r);
                },
                d);
    }

    QVector<Opened> opened() const
    {
        lock_t l(m_mutex);
        return m_opened;
    }
    QStringList closed() const
    {
        lock_t l(m_mutex);
        return m_closed;
    }
    QStringList order() const
    {
        lock_t l(m_mutex);
        return m_order;
    }
    QVector<int> finished() const
    {
        lock_t l(m_mutex);
        return m_finished;
    }
    QVector<Completed> completed() const
    {
        lock_t l(m_mutex);
        return m_completed;
    }
    int ends() const
    {
        lock_t l(m_mutex);
        return m_ends;
    }
    QVector<double> times() const
    {
        lock_t l(m_mutex);
        return m_times;
    }
    QVector<QPair<int, int>> seekInfo() const
    {
        lock_t l(m_mutex);
        return m_seekInfo;
    }
    QVector<int> errors() const
    {
        lock_t l(m_mutex);
        return m_errors;
    }
    QVector<ErrorReport> errorReports() const
    {
        lock_t l(m_mutex);
        return m_errorReports;
    }
    QVector<int> viewModeResults() const
    {
        lock_t l(m_mutex);
        return m_viewModeResults;
    }
    // The seq the last seek announced for a stream, -1 when none.
    int lastSeekSeq(int stream) const
    {
        lock_t l(m_mutex);
        for (int i = m_seekInfo.size() - 1; i >= 0; --i)
            if (m_seekInfo[i].first == stream)
                return m_seekInfo[i].second;
        return -1;
    }
    int completedCount() const
    {
        lock_t l(m_mutex);
        return m_completed.size();
    }
    int openedCount() const
    {
        lock_t l(m_mutex);
        return m_opened.size();
    }
    int closedCount() const
    {
        lock_t l(m_mutex);
        return m_closed.size();
    }
    void clear()
    {
        lock_t l(m_mutex);
        m_opened.clear();
        m_closed.clear();
        m_order.clear();
        m_finished.clear();
        m_completed.clear();
        m_ends = 0;
        m_times.clear();
        m_seekInfo.clear();
        m_errors.clear();
        m_errorReports.clear();
        m_viewModeResults.clear();
    }

private:
    using lock_t = std::lock_guard<std::mutex>;
    QObject m_guard;
    mutable std::mutex m_mutex;
    QVector<Opened> m_opened;
    QStringList m_closed;
    QStringList m_order;
    QVector<int> m_finished;
    QVector<Completed> m_completed;
    int m_ends = 0;
    QVector<double> m_times;
    QVector<QPair<int, int>> m_seekInfo;
    QVector<int> m_errors;
    QVector<ErrorReport> m_errorReports;
    QVector<int> m_viewModeResults;
};
