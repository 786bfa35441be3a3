#pragma once

#include "avptr.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <mutex>

class MediaState;

// The decoder thread of one stream; the subclass's run() is the decode loop.
//
// Threads: run() and everything it calls (MediaState::getFrame) run on this thread; the
// runner reads the alive time, status and finished flag (watchdog); the event loop thread
// constructs, joins and deletes it. m_pendingPacket and m_hasPending belong to this thread;
// the status text is guarded by m_statusMutex; the rest are atomics.
class MediaDecoder : public QThread
{
    Q_OBJECT

public:
    explicit MediaDecoder(MediaState *state);
    ~MediaDecoder() override;

    int resetDecoder();

    int packetSeq() const { return m_packetSeq.load(); }
    void setPacketSeq(int seq) { m_packetSeq.store(seq); }
    int64_t aliveTime() const { return m_aliveTime.load(); }
    void touchAlive();
    bool isFinished() const { return m_finished.load(); }
    QString status() const;
    void setStatus(const QString &status);

    // An aborted stream parks its decoder: it sleeps in 100 ms steps until close releases it.
    void park();
    void releaseParked() { m_releaseParked.store(true); }

    // Decoder thread: marks the stream failed and reports the error once through the context.
    void fail(int code);

    enum class Step { Frame, Again, Failed };
    // Decoder thread: one round of the decode loop that both stream kinds share. Waits 10 ms
    // while the frame queue is full or the stream has ended, or when no frame is ready (waking
    // the reader if the packet queue ran dry); otherwise takes the next frame into `frame`.
    // Failed: getFrame gave an error, which was logged with errorPrefix and reported by fail().
    Step decodeStep(AVFrame *frame, const QString &status, const QString &errorPrefix);

    av::PacketPtr m_pendingPacket; // decoder thread
    bool m_hasPending = false; // decoder thread
    int m_frameCounter = 0; // decoder thread

protected:
    MediaState *const m_state;
    std::atomic<int> m_packetSeq {0};
    std::atomic<int64_t> m_aliveTime {0};
    std::atomic<bool> m_finished {false};
    std::atomic<bool> m_releaseParked {false};

private:
    mutable std::mutex m_statusMutex;
    QString m_status; // guarded by m_statusMutex
};
