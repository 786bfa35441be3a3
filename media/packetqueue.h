#pragma once

#include "mediapacket.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

// FIFO of demultiplexed packets of one stream, with the stream's seek serial number.
//
// Seeking, in one place: every clear() (a seek, a close) increments `seq`. A packet carries the
// seq current when it was put. The decoder adopts the seq of each packet it takes and stamps it
// on the frames it produces; when the seq of the packet it takes differs from the last one, or
// from the queue's, it flushes its codec. The runner drops frames whose seq is not the
// decoder's, and a MediaClock of another seq has no time for the new epoch. So after a seek all
// old data is recognised and discarded without any thread waiting for another.
//
// Threads: the packet reader puts and flushes (seek); the stream's decoder takes; the event
// loop thread clears during close; the runner settles the seek flags. m_mutex guards the list
// and seq, and also the owning state's seek flags: flushForSeek and guardSeekFlags run the
// state's step with it held. Never hold two queue mutexes at once.
class PacketQueue
{
public:
    explicit PacketQueue(int capacity);
    ~PacketQueue();

    void setStreamIndex(int index) { m_streamIndex.store(index); }

    // Moves src's reference into a new MediaPacket stamped with the current seq and appends it.
    // src is left empty. Never blocks and never checks the capacity (the reader throttles).
    // 0, or -1 when an allocation fails.
    int put(AVPacket *src);
    // Frees every packet and increments seq.
    void clear();
    // Reader thread, at a seek: frees every packet, increments seq and, before the mutex is
    // released, calls markSeeking(newSeq), so the owning state's seek flags change together
    // with the seq. Returns the new seq.
    int flushForSeek(const std::function<void(int newSeq)> &markSeeking);
    // Calls step() with the mutex held, so the owning state's seek flags change in one piece
    // with respect to a flushForSeek. step takes no lock and does not block.
    template<class F>
    void guardSeekFlags(F &&step)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        step();
    }
    // Removes the head; null when the queue is empty (no waiting).
    std::unique_ptr<MediaPacket> take();

    bool isFull() const;
    int size() const;
    int seq() const;
    int capacity() const { return m_capacity; }

    // Sleeps up to timeout or until a put or wakeAll.
    void waitFor(std::chrono::milliseconds timeout);
    // Sleeps up to timeout or until the queue holds a packet or is cleared; true then.
    bool waitForPacket(std::chrono::milliseconds timeout);
    void wakeAll();

private:
    const int m_capacity;
    std::atomic<int> m_streamIndex {-1};
    mutable std::mutex m_mutex;
    std::condition_variable m_cond;
    std::deque<std::unique_ptr<MediaPacket>> m_list; // guarded by m_mutex
    int32_t m_seq = 0; // guarded by m_mutex
};
