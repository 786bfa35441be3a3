#pragma once

#include "avptr.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <mutex>

class MediaState;

// The decoder thread of one stream; the subclass's run() is the decode loop.
//
// Threads: run() and everything it calls (MediaState::getFrame, takePacket, sendPacket,
// dropPacket) run on this thread; the runner reads the packet seq, alive time, status and
// finished flag (watchdog, stale frames); the event loop thread constructs, joins and deletes
// it, and calls resetDecoder before the thread starts. The packet in flight
// (m_pendingPacket, m_hasPending) and the frame counter belong to this thread; the status
// text is guarded by m_statusMutex; the rest are atomics.
class MediaDecoder : public QThread
{
    Q_OBJECT

public:
    explicit MediaDecoder(MediaState *state);
    ~MediaDecoder() override;

    int resetDecoder();

    // The seq of the packet last taken: the seq of the frames the codec gives now.
    int packetSeq() const { return m_packetSeq.load(); }
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

    enum class Next {
        Empty, // the packet queue is empty
        Send, // a packet of the current seq is ready for sendPacket
        FlushAndSend, // a packet of a new seq was taken: flush the codec first, then send it
        FlushAndRetry, // the kept packet was of an old seq and is dropped: flush the codec and
                       // receive again
    };
    // Decoder thread: the packet to send next. A packet the codec refused with EAGAIN is kept
    // and offered again; otherwise the packet queue's head is taken and its seq adopted. The
    // codec is flushed when the packet's seq differs from the last one or from the queue's (a
    // seek cleared the queue meanwhile). A stale packet just taken is still sent: its frames
    // are never received, because receiving waits for the queue's seq, and the next flush
    // discards them.
    Next takePacket();
    // Decoder thread: sends the packet of takePacket to codec and returns its answer. On
    // EAGAIN the packet is kept for the next takePacket; otherwise it is freed.
    int sendPacket(AVCodecContext *codec);
    // Decoder thread: frees the packet of takePacket without sending it.
    void dropPacket();

protected:
    int m_frameCounter = 0; // decoder thread
    MediaState *const m_state;
    std::atomic<int> m_packetSeq {0};
    std::atomic<int64_t> m_aliveTime {0};
    std::atomic<bool> m_finished {false};
    std::atomic<bool> m_releaseParked {false};

private:
    av::PacketPtr m_pendingPacket; // decoder thread: taken, not yet accepted by the codec
    bool m_hasPending = false; // decoder thread: m_pendingPacket was refused with EAGAIN
    mutable std::mutex m_statusMutex;
    QString m_status; // guarded by m_statusMutex
};
