#pragma once

#include "mediaframe.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

// FIFO of decoded frames of one stream, between its decoder and its runner.
//
// Clearing a frame queue does not change any seq (the packet queue owns the seek serial).
// The runner looks at the head with peek() while it decides, without holding the mutex, and
// then removes it with takeIf(id): a seek may clear the queue in between, and the id (push
// order, never reused) tells whether the head is still the frame it looked at.
//
// The queue is full at its capacity in frames or, with a byte budget, as soon as the pictures
// it holds reach the budget (counted by their buffers, padding included), whichever comes
// first: large pictures travel in fewer frames.
//
// Threads: the stream's decoder pushes; the runner peeks and takes; the reader clears on a
// seek; the event loop thread clears during close; the end-of-playing test (any engine thread)
// asks isDrained. m_mutex guards the list; isDrained also reads the owning state's
// end-of-stream and in-hand flags under it.
class FrameQueue
{
public:
    explicit FrameQueue(int capacity, size_t byteBudget = 0);
    ~FrameQueue();

    void setStreamIndex(int index) { m_streamIndex.store(index); }

    // Moves src into a new MediaFrame and appends it. Never blocks and never checks the
    // capacity (producers call isFull first). 0, or -1 when an allocation fails.
    int push(AVFrame *src, int seq, double pts, double duration, double speed, int view_mode);
    void clear();

    struct Head
    {
        uint64_t id = 0;
        int32_t seq = 0;
        double pts = 0;
    };
    // The head's identity and timestamps; false when the queue is empty. Waits up to timeout
    // for a frame when the queue is empty and timeout is positive.
    bool peek(Head *head, std::chrono::milliseconds timeout = std::chrono::milliseconds(0));
    // Removes the head if it is still the frame with this id; null otherwise.
    std::unique_ptr<MediaFrame> takeIf(uint64_t id);

    bool isFull() const;
    bool isEmpty() const;
    int size() const;
    int capacity() const { return m_capacity; }
    // The bytes of the frames held.
    size_t bytes() const;

    void waitFor(std::chrono::milliseconds timeout);
    // Sleeps up to timeout or until the queue has room (a frame was taken); true then.
    bool waitForRoom(std::chrono::milliseconds timeout);
    void wakeAll();

    // With the mutex held: ended() and the queue empty and, read after the queue (a frame
    // taken is in hand by then), not inHand(). The stream has nothing left to show.
    template<class Ended, class InHand>
    bool isDrained(Ended &&ended, InHand &&inHand) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return ended() && m_list.empty() && !inHand();
    }

private:
    // The bytes an AVFrame's buffers hold.
    static size_t frameBytes(const AVFrame *frame);
    bool hasRoomLocked() const;

    const int m_capacity;
    const size_t m_byteBudget; // 0: none, the capacity alone decides
    std::atomic<int> m_streamIndex {-1};
    mutable std::mutex m_mutex;
    std::condition_variable m_cond;
    std::deque<std::unique_ptr<MediaFrame>> m_list; // guarded by m_mutex
    uint64_t m_nextId = 1; // guarded by m_mutex
    size_t m_bytes = 0; // guarded by m_mutex
};
