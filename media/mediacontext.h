#pragma once

#include "avptr.h"
#include "gpssample.h"
#include "gsensorsample.h"
#include "mediainfo.h" // declares MediaContext * as a meta type for every user of this header
#include "telemetrytrack.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

class FrameSink;
class MediaState;
class PacketReader;
struct MediaFrame;

// One opened recording being played: the demuxer, one MediaState per playable stream, the
// packet reader thread and the playback parameters the engine's threads read.
//
// Threads: the media event loop thread creates it, calls every command (open, close, seeks,
// play control, selection, view mode, display size) and deletes it after close. The reader,
// decoder and runner threads call masterFor, stateFor, allQueuesFull, reportPlayingTime,
// checkEndOfPlaying and wakeReader, visit the states through forEachState and withState, and
// emit the signals; runner threads call presentFrame and the reader presentSearchFrame, which
// hand the pictures to the FrameSink given at construction (constant, called until close
// returns). The GUI thread never touches a context directly (its queued signals may outlive
// it): it reads the telemetry and reads and writes `current_frame` and `seeking_frame_pos`
// through MediaEventLoop's accessors, which keep the context alive meanwhile.
// Locks, in nesting order: the reader's mutex -> m_statesMutex (guards m_states and
// m_masterState; held around the callbacks of forEachState and withState) -> one state's
// queue mutex (taken inside the queues' own operations). m_timeMutex guards the playing-time
// bookkeeping (`current_time` writes, last_reported_time, `playing_seq`) and is never held
// while taking another lock or emitting. Every other shared flag is an atomic.
class MediaContext : public QObject
{
    Q_OBJECT

public:
    // sink: where the pictures go (may be null: they are freed); it must outlive the context's
    // close.
    explicit MediaContext(FrameSink *sink, QObject *parent = nullptr);
    ~MediaContext() override;

    // 0, -1 on failure, -2 for a recording of zero duration.
    int openFromFile(const QString &path,
                     double speed,
                     int volume,
                     int view_width,
                     int view_height,
                     int mode_stream,
                     int view_mode);
    // 0, or -1 when a close is already in progress.
    int close();

    int seekAbsolute(int64_t target);
    int seekRelative(int64_t delta);
    int seekRelativeByFrame(int64_t step);
    int setPlaySpeed(double speed);
    int pause();
    int resume();
    int setVolume(int volume);
    int abortStream(int stream_index);
    int selectVideoStream(int stream_index);
    int changeViewMode(int stream_index, int view_mode);
    int changeDisplaySize(int width, int height);

    // --- for the engine's threads ---
    MediaState *masterFor(MediaState *state);
    MediaState *stateFor(int stream_index);
    bool allQueuesFull();
    bool reportPlayingTime(int stream_index, double pts, int seq);
    // Reader thread: a frame search showed the picture at pts (seconds); the playing time
    // becomes its time and is reported, so the GUI's time and frame number follow the step.
    void reportSearchedFrame(double pts);
    void checkEndOfPlaying();
    void wakeReader();
    // Runner thread of a video stream: the picture is due; the sink takes it (freed without one).
    void presentFrame(int stream_index, std::unique_ptr<MediaFrame> frame);
    // Reader thread: the picture a frame search found (null when none); as presentFrame.
    void presentSearchFrame(int stream_index, av::FramePtr frame, bool stillSearching);
    // Clears is_eof, is_end_signalled and every state's end-of-stream flag.
    void clearEndFlags();

    // The target of a relative seek: delta plus the current time, kept inside the recording
    // (below the start: the start; past the end: 0.1 s before the end). Microseconds.
    static int64_t relativeSeekTarget(int64_t delta,
                                      double currentTime,
                                      int64_t startTime,
                                      int64_t duration);

    QString path() const { return m_path; }
    AVFormatContext *formatContext() const { return m_formatContext.get(); }
    bool isOpen() const { return m_formatContext != nullptr; }
    bool isAborting() const { return is_aborting.load(); }
    bool isPaused() const { return is_paused.load(); }
    bool isEof() const { return is_eof.load(); }
    void setEof(bool on) { is_eof.store(on); }
    bool isEndSignalled() const { return is_end_signalled.load(); }
    double playSpeed() const { return play_speed.load(); }
    bool isSeekRequested() const { return seek_req.load(); }
    int64_t seekPos() const { return seek_pos.load(); }
    void finishSeekRequest() { seek_req.store(false); }
    int selectedVideoStream() const { return selected_video_stream.load(); }
    int enabledVideoCount() const { return enabled_video_count.load(); }
    // The video streams of the open recording (event loop thread, during and after open).
    int videoStreamCount() const { return m_videoStreamCount; }
    int64_t startTime() const { return m_startTime; }
    // The video stream a seek positions the others by (the demuxer's default stream), -1 when
    // there is none.
    int referenceStream() const { return m_referenceStream; }
    int64_t duration() const { return m_duration; }
    int playingSeq() const;
    // Calls fn(streamIndex, state) for every state in stream-index order, with the states
    // mutex held: fn may take a state's queue mutex (the documented order), never the reader's.
    template<class F>
    void forEachState(F &&fn)
    {
        std::lock_guard<std::mutex> lock(m_statesMutex);
        for (const auto &entry : m_states)
            fn(entry.first, entry.second);
    }
    // Calls fn(state) with the states mutex held if stream_index has a state; false when not.
    template<class F>
    bool withState(int stream_index, F &&fn)
    {
        std::lock_guard<std::mutex> lock(m_statesMutex);
        const auto it = m_states.find(stream_index);
        if (it == m_states.end())
            return false;
        fn(it->second);
        return true;
    }
    QVector<int> streamIndexes();

    // Telemetry of the open recording (loaded by openFromFile, then read-only until close).
    TelemetryTrack telemetry() const { return m_telemetry; }
    int gpsSamples(QVector<GpsSample> &out) const { return m_telemetry.gpsSamples(out); }
    int gsensorSamples(QVector<GSensorSample> &out) const
    {
        return m_telemetry.gsensorSamples(out);
    }
    int validGpsCount() const { return m_telemetry.validGpsCount(); }
    double gpsRate() const { return m_telemetry.gpsRate(); }
    double gsensorRate() const { return m_telemetry.gsensorRate(); }

    // Shared with the reader and the GUI thread (see the class comment).
    std::atomic<double> current_time {0};
    std::atomic<int64_t> current_frame {0};
    std::atomic<bool> is_seekingByFrame {false};
    std::atomic<int64_t> seeking_frame_pos {0};

signals:
    void endOfPlaying(MediaContext *context);
    void updatePlayingTime(MediaContext *context, double playing_time, int playing_seq);
    void seekingStreamInfo(MediaContext *context, int stream_index, int seeking_seq);
    void seekingCompleted(MediaContext *context, int result);
    void errorOccurredWhileRunning(MediaContext *context, int err);

private:
    // Under the states mutex: enables the chosen video streams; how many are on.
    int enableVideoStreams(int stream_index);
    void closeInput();

    FrameSink *const m_sink;
    QString m_path; // event loop thread; constant while open
    av::FormatContextPtr m_formatContext; // event loop thread; constant while open
    std::mutex m_statesMutex;
    std::map<int, MediaState *> m_states; // guarded by m_statesMutex; owned
    MediaState *m_masterState = nullptr; // guarded by m_statesMutex
    std::unique_ptr<PacketReader> m_reader; // event loop thread
    // The reader for wakeReader on other threads: set once it runs, cleared after every
    // stream's threads have ended and before it is deleted.
    std::atomic<PacketReader *> m_readerForWake {nullptr};
    int64_t m_startTime = AV_NOPTS_VALUE; // constant while open
    int64_t m_duration = AV_NOPTS_VALUE; // constant while open
    int m_referenceStream = -1; // constant while open
    mutable std::mutex m_timeMutex;
    double m_lastReportedTime = 0; // guarded by m_timeMutex
    int m_playingSeq = -1; // guarded by m_timeMutex
    TelemetryTrack m_telemetry; // written by open on the event loop thread, then read-only
    int m_videoStreamCount = 0; // written by open on the event loop thread, then read-only
    std::atomic<bool> is_aborting {false};
    std::atomic<bool> is_eof {false};
    std::atomic<bool> is_end_signalled {false};
    std::atomic<bool> seek_req {false};
    std::atomic<int64_t> seek_pos {0};
    std::atomic<bool> is_paused {false};
    std::atomic<double> play_speed {1.0};
    std::atomic<int> enabled_video_count {0};
    std::atomic<int> selected_video_stream {-1};
};
