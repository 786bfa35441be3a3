#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>

// The byte ring between the audio push (one producer: the audio stream's runner thread) and the
// audio renderer (one consumer), holding interleaved S16 PCM of one seq at a time.
//
// The size is a power of two so that positions wrap with a mask; bytes stored are
// (size + writePos - readPos) & (size - 1), so one byte always stays free and a full ring is
// never mistaken for an empty one.
//
// Publication of the positions:
// - writePos has one writer, the producer. It copies bytes into the free part first and then
//   stores writePos with release; the consumer loads it with acquire, so it never sees a
//   position ahead of the bytes behind it.
// - readPos is advanced by the consumer after it copied bytes out (release); the producer loads
//   it with acquire before it reuses that space.
// - A new seq (a seek) discards everything: the producer sets readPos := writePos := 0, seq and
//   position in one step under m_lock. The consumer takes its chunk (seq check, snapshot of the
//   positions, copy out, readPos and position advance) under the same lock, so it sees either
//   the whole old epoch or the whole new one, never a half-updated pair, and never copies bytes
//   that a reset has handed back to the producer. The producer's bulk copy runs without the
//   lock: it only writes behind writePos, where the consumer never reads.
// m_lock is held for a memcpy of at most one slot; nothing else is taken while holding it.
//
// Threads: setup and release run while neither producer nor consumer is active (configure and
// close of the audio state); the producer calls freeBytes, resetEpoch and write; the consumer
// calls takeChunk and slotBuffer; seq, stored, position and the sizes may be read by anyone.
class AudioRingBuffer
{
public:
    AudioRingBuffer();
    ~AudioRingBuffer();
    AudioRingBuffer(const AudioRingBuffer &) = delete;
    AudioRingBuffer &operator=(const AudioRingBuffer &) = delete;

    // The ring size for slots of slotSize bytes: 2^(floor(log2(5 x slotSize)) + 1), more than
    // five slots. 0 when slotSize is below 1 or the ring would not fit an int32.
    static int sizeForSlot(int slotSize);

    // Allocates the ring and the slot buffer for slots of slotSize bytes; readPos, writePos and
    // position 0, seq -1. false (and an empty ring) when slotSize is unusable or an allocation
    // fails.
    bool setup(int slotSize);
    // Frees both buffers; positions 0, seq -1, position and slotSize 0.
    void release();

    int size() const { return m_size.load(std::memory_order_acquire); }
    int slotSize() const { return m_slotSize.load(std::memory_order_acquire); }
    int seq() const;
    double position() const;
    int stored() const;
    // size minus stored; a write of n bytes needs n < freeBytes().
    int freeBytes() const;

    // Producer. Starts the epoch of seq at pts: all buffered bytes are discarded.
    void resetEpoch(int seq, double pts);
    // Producer. Copies n bytes behind writePos (wrapping) and publishes them. false, copying
    // nothing, when n < 1, n >= freeBytes() or the ring is not set up.
    bool write(const uint8_t *data, int n);

    // Consumer. When the ring still holds seq expectedSeq: copies min(stored, maxBytes), rounded
    // down to a multiple of align, into the slot buffer, advances readPos and position (by
    // bytes / bytesPerSecond seconds) and returns the byte count, with the position before the
    // advance in *chunkPosition. 0 when nothing fits, the seq differs or the ring is empty.
    int takeChunk(
            int maxBytes, int align, int expectedSeq, double bytesPerSecond, double *chunkPosition);
    // Consumer. The bytes of the last takeChunk (slotSize bytes long).
    const uint8_t *slotBuffer() const { return m_slotBuffer.get(); }

private:
    struct FreeDeleter
    {
        void operator()(uint8_t *p) const { std::free(p); }
    };
    using Buffer = std::unique_ptr<uint8_t, FreeDeleter>;

    int storedFor(int readPos, int writePos, int size) const
    {
        return (size + writePos - readPos) & (size - 1);
    }

    Buffer m_data; // written by the producer behind writePos, read by the consumer before it
    Buffer m_slotBuffer; // consumer only
    mutable std::mutex m_lock; // the epoch: the position pair together with seq and position
    double m_position = 0; // guarded by m_lock
    std::atomic<int> m_size {0};
    std::atomic<int> m_readPos {0};
    std::atomic<int> m_writePos {0};
    std::atomic<int> m_seq {-1}; // written under m_lock
    std::atomic<int> m_slotSize {0};
};
