#pragma once

#include "media/framesink.h"

#include <QObject>
#include <QVector>

#include <atomic>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

extern "C" {
#include <libavutil/frame.h>
}

class MediaContext;
struct MediaFrame;

// The receiver of the engine benchmark: takes the pictures the way the display does (a copy of
// every picture (its planes) by their line sizes, before the slot returns) and notes, with the
// monotonic clock the engine paces against, when each (stream, seq) showed its first picture and
// when a frame search delivered. With real-time measuring on, it also records for every picture its
// presentation error (arrival minus the time its stream's clock made it due), the frames
// missing between consecutive pictures, and the audio/video offset (the picture's pts minus
// the audio clock of the stream's master).
//
// Threads: presentFrame runs on the engine's runner threads, each stream on its own, and
// presentSearchFrame on the reader thread; everything else on the benchmark's thread. m_mutex
// guards the logs; the copy buffers belong to one runner each (indexed by stream).
class BenchReceiver : public QObject, public FrameSink
{
    Q_OBJECT

public:
    static constexpr int MaxStreams = 16;

    struct Search
    {
        int stream;
        double time;
        bool stillSearching;
    };

    // Benchmark thread: the context whose clocks the real-time measure reads (null: off).
    void setRealtimeContext(MediaContext *context);

    int frameCount() const { return m_frames.load(); }
    int frameCountOf(int stream) const;
    // Seconds of the monotonic clock when the stream showed its first picture of seq; < 0 when
    // it has not yet.
    double firstArrival(int stream, int seq) const;
    // Time of the first picture of any seq that arrived at or after `since`; < 0 when none yet.
    double firstArrivalSince(int stream, double since) const;
    QVector<Search> searches() const;
    // Real-time logs. Presentation errors against each stream's own clock (arrival minus
    // base time + (pts - first pts) / speed), in arrival order.
    QVector<double> presentationErrorsMs() const;
    // The same less each stream's median error: what is left once the constant shift of a
    // video stream paced against the audio master (the A/V offset's business) is taken out.
    QVector<double> presentationJitterMs() const;
    QVector<double> avOffsetsMs() const;
    int droppedFrames() const;
    double firstRealtimeArrival() const;
    void clear();

    // One picture as it arrived: its stream, the part of the run it belongs to (set by the
    // benchmark, e.g. the file of a trip played file after file), its pts and arrival time.
    struct Picture
    {
        int stream;
        int part;
        double pts;
        double time;
    };
    // Benchmark thread: logs every picture from now on, tagged with part; < 0 stops the log.
    void setPictureLog(int part) { m_logPart.store(part); }
    QVector<Picture> pictures() const;

    void presentFrame(int streamIndex, std::unique_ptr<MediaFrame> frame) override;
    void presentSearchFrame(int streamIndex, av::FramePtr frame, bool stillSearching) override;

private:
    void copyPicture(int stream, const AVFrame *frame);
    void measureRealtime(int stream, const MediaFrame *vframe, double now);

    std::atomic<int> m_frames {0};
    std::atomic<MediaContext *> m_realtime {nullptr};
    std::atomic<int> m_logPart {-1};
    std::vector<uint8_t> m_copies[MaxStreams]; // one per stream's runner thread
    mutable std::mutex m_mutex;
    int m_countOf[MaxStreams] = {}; // guarded by m_mutex
    std::map<std::pair<int, int>, double> m_firstArrival; // guarded by m_mutex
    std::vector<Search> m_searches; // guarded by m_mutex
    std::vector<double> m_errorsMs; // guarded by m_mutex
    std::vector<double> m_errorsOf[MaxStreams]; // guarded by m_mutex
    std::vector<double> m_offsetsMs; // guarded by m_mutex
    double m_lastPts[MaxStreams] = {}; // guarded by m_mutex
    int m_lastSeq[MaxStreams] = {}; // guarded by m_mutex; 0 = none yet, else seq + 1
    int m_dropped = 0; // guarded by m_mutex
    double m_firstRealtime = -1; // guarded by m_mutex
    std::vector<Picture> m_pictures; // guarded by m_mutex
};
