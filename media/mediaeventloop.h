#pragma once

#include "mediacontext.h"
#include "playcommand.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class MediaEvent;
class MediaEvent_Open;

// The single command thread between the GUI and the playback engine. Commands are posted as
// MediaEvents from any thread and run one after another, in posting order, on the loop thread
// against the one current MediaContext; results come back as the mediaEvent* signals. The
// context's asynchronous signals are relayed under the loop's names, but only while their
// context is the open one: the relays are connected before the context's threads start, and
// what a context reports while its open runs is held and relayed right after mediaEventOpened
// (dropped when the open fails); from the moment a close begins nothing more of it is relayed.
//
// Threads: post*() and hasNoContext() from any thread; run() and the execute*() operations on
// the loop thread (a loop made without a parent lives in its own thread); the relay slots on the
// engine thread that emitted (direct connections). m_mutex guards m_events; m_context is an
// atomic, written only by the loop thread.
//
// The context pointer in the signals is an identity token for their receivers: a queued signal
// can arrive after its context was closed and deleted, so receivers on other threads never
// dereference it. What the GUI needs from the context goes through the accessors below
// (telemetry, frame positions), which act only while that context is still the open one:
// m_sharedMutex guards m_shared, which the loop sets once an open succeeded and clears before
// it closes and deletes the context; the accessors hold the mutex for the few atomic or
// read-only fields they touch, so the context cannot be deleted meanwhile. m_sharedMutex also
// guards the relay state (m_opening, m_announced, m_held); reports are emitted with it
// released. m_sharedMutex is a leaf lock: nothing else is taken while it is held.
class MediaEventLoop : public QThread
{
    Q_OBJECT

public:
    explicit MediaEventLoop(QObject *parent = nullptr);
    ~MediaEventLoop() override;

    // sink receives the pictures of the recording (may be null) until it is closed, on the
    // engine's threads (see FrameSink); it must outlive the loop's close of that recording.
    void postOpen(const QString &path,
                  FrameSink *sink,
                  double speed,
                  int volume,
                  int view_width,
                  int view_height,
                  int mode_stream,
                  int view_mode);
    void postClose();
    void postFinish();
    void postPlayControl(PlayCommand::Code cmd, int64_t arg);
    void postSelectVideoStream(int stream_index);
    void postChangeViewMode(int stream_index, int view_mode);
    void postChangeDisplaySize(int width, int height);
    bool hasNoContext() const { return m_context.load() == nullptr; }

    // --- any thread: the open context, if it is still the one a signal named ---
    // A copy of its telemetry track (GPS and G-sensor samples and rates).
    bool copyTelemetry(MediaContext *context, TelemetryTrack *out) const;
    // Its frame search position.
    bool seekingFramePos(MediaContext *context, int64_t *seeking_frame_pos) const;
    bool setCurrentFrame(MediaContext *context, int64_t current_frame);
    bool setSeekingFramePos(MediaContext *context, int64_t seeking_frame_pos);

    // --- loop thread (called by the events) ---
    void executeOpen(const MediaEvent_Open &event);
    int executeClose(); // 0 when a context was closed, -1 when none
    void executePlayControl(int cmd, int64_t arg);
    void executeSelectVideoStream(int stream_index);
    void executeChangeViewMode(int stream_index, int view_mode);
    void executeChangeDisplaySize(int width, int height);

signals:
    void mediaEventOpened(MediaContext *context, QString path, int result);
    void mediaEventFinished(int result);
    void mediaEventClosed(QString path, int result);
    void mediaEventVideoViewModeChanged(int stream_index, int view_mode, int result);
    void mediaEventVRCommandCompleted(int result);
    void mediaEventPlayControlCommandCompleted(int cmd, int64_t arg, int result);
    void mediaEventEndOfPlaying(MediaContext *context);
    void mediaEventUpdatePlayingTime(MediaContext *context, double playing_time, int playing_seq);
    void mediaEventSeekingStreamInfo(MediaContext *context, int stream_index, int seeking_seq);
    void mediaEventSeekingCompleted(MediaContext *context, int result);
    void mediaEventErrorOccurredWhilePlaying(MediaContext *context, int err);

public slots:
    void onEndOfPlaying(MediaContext *context);
    void onPlayingTimeUpdated(MediaContext *context, double playing_time, int playing_seq);
    void onSeekingStreamInfo(MediaContext *context, int stream_index, int seeking_seq);
    void onSeekingCompleted(MediaContext *context, int result);
    void onErrorOccurredWhileRunning(MediaContext *context, int err);

protected:
    void run() override;

private:
    void post(MediaEvent *event);
    void share(MediaContext *context);
    // Loop thread: context's reports are held from now on (its open is running).
    void startRelaying(MediaContext *context);
    // Loop thread: no report is relayed any more; the held ones are dropped.
    void stopRelaying();
    // Loop thread, after mediaEventOpened: relays the held reports, then every later one.
    void announce(MediaContext *context);
    // Engine threads: emits report now, holds it, or drops it (see the class comment).
    template<class F>
    void relay(MediaContext *context, F &&report);
    // Runs access on context under m_sharedMutex if it is still the shared one.
    template<class F>
    bool withShared(MediaContext *context, F &&access) const;

    std::mutex m_mutex;
    std::condition_variable m_cond;
    std::deque<std::unique_ptr<MediaEvent>> m_events; // guarded by m_mutex
    std::atomic<MediaContext *> m_context {nullptr};
    mutable std::mutex m_sharedMutex;
    MediaContext *m_shared = nullptr; // guarded by m_sharedMutex
    MediaContext *m_opening = nullptr; // guarded by m_sharedMutex: its reports are held
    MediaContext *m_announced = nullptr; // guarded by m_sharedMutex: its reports are relayed
    std::vector<std::function<void()>> m_held; // guarded by m_sharedMutex
};
