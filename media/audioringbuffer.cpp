#include "audioringbuffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

AudioRingBuffer::AudioRingBuffer() = default;

AudioRingBuffer::~AudioRingBuffer() = default;

int AudioRingBuffer::sizeForSlot(int slotSize)
{
    if (slotSize < 1)
        return 0;
    const int64_t fiveSlots = static_cast<int64_t>(slotSize) * 5;
    int highBit = 0;
    while ((fiveSlots >> (highBit + 1)) != 0)
        ++highBit;
    // 2^(highBit + 1) must stay a positive int32.
    if (highBit + 1 > 30)
        return 0;
    return 1 << (highBit + 1);
}

bool AudioRingBuffer::setup(int slotSize)
{
    release();
    const int size = sizeForSlot(slotSize);
    if (size < 1)
        return false;
    Buffer data(static_cast<uint8_t *>(std::malloc(static_cast<size_t>(size))));
    Buffer slot(static_cast<uint8_t *>(std::malloc(static_cast<size_t>(slotSize))));
    if (!data || !slot)
        return false;
    std::lock_guard<std::mutex> lock(m_lock);
    m_data = std::move(data);
    m_slotBuffer = std::move(slot);
    m_position = 0;
    m_readPos.store(0, std::memory_order_release);
    m_writePos.store(0, std::memory_order_release);
    m_seq.store(-1, std::memory_order_release);
    m_slotSize.store(slotSize, std::memory_order_release);
    m_size.store(size, std::memory_order_release);
    return true;
}

void AudioRingBuffer::release()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_size.store(0, std::memory_order_release);
    m_slotSize.store(0, std::memory_order_release);
    m_data.reset();
    m_slotBuffer.reset();
    m_readPos.store(0, std::memory_order_release);
    m_writePos.store(0, std::memory_order_release);
    m_seq.store(-1, std::memory_order_release);
    m_position = 0;
}

int AudioRingBuffer::seq() const
{
    return m_seq.load(std::memory_order_acquire);
}

double AudioRingBuffer::position() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_position;
}

int AudioRingBuffer::stored() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const int size = m_size.load(std::memory_order_acquire);
    if (size < 1)
        return 0;
    return storedFor(m_readPos.load(std::memory_order_acquire),
                     m_writePos.load(std::memory_order_acquire),
                     size);
}

int AudioRingBuffer::freeBytes() const
{
    const int size = m_size.load(std::memory_order_acquire);
    if (size < 1)
        return 0;
    // Only the producer moves writePos; readPos only grows (or is reset by the producer
    // itself), so the answer can only be too small, never too large.
    return size
            - storedFor(m_readPos.load(std::memory_order_acquire),
                        m_writePos.load(std::memory_order_relaxed),
                        size);
}

void AudioRingBuffer::resetEpoch(int seq, double pts)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_readPos.store(0, std::memory_order_release);
    m_writePos.store(0, std::memory_order_release);
    m_position = pts;
    m_seq.store(seq, std::memory_order_release);
}

bool AudioRingBuffer::write(const uint8_t *data, int n)
{
    const int size = m_size.load(std::memory_order_acquire);
    if (!data || n < 1 || size < 1 || n >= freeBytes())
        return false;
    uint8_t *ring = m_data.get();
    const int writePos = m_writePos.load(std::memory_order_relaxed);
    const int first = std::min(n, size - writePos);
    std::memcpy(ring + writePos, data, static_cast<size_t>(first));
    if (n > first)
        std::memcpy(ring, data + first, static_cast<size_t>(n - first));
    m_writePos.store((writePos + n) & (size - 1), std::memory_order_release);
    return true;
}

int AudioRingBuffer::takeChunk(
        int maxBytes, int align, int expectedSeq, double bytesPerSecond, double *chunkPosition)
{
    if (maxBytes < 1 || align < 1 || !(bytesPerSecond > 0))
        return 0;
    std::lock_guard<std::mutex> lock(m_lock);
    const int size = m_size.load(std::memory_order_acquire);
    if (size < 1 || m_seq.load(std::memory_order_acquire) != expectedSeq)
        return 0;
    const int readPos = m_readPos.load(std::memory_order_relaxed);
    const int writePos = m_writePos.load(std::memory_order_acquire);
    int bytes = std::min({storedFor(readPos, writePos, size),
                          maxBytes,
                          m_slotSize.load(std::memory_order_relaxed)});
    bytes -= bytes % align;
    if (bytes < 1)
        return 0;
    const uint8_t *ring = m_data.get();
    uint8_t *slot = m_slotBuffer.get();
    const int first = std::min(bytes, size - readPos);
    std::memcpy(slot, ring + readPos, static_cast<size_t>(first));
    if (bytes > first)
        std::memcpy(slot + first, ring, static_cast<size_t>(bytes - first));
    m_readPos.store((readPos + bytes) & (size - 1), std::memory_order_release);
    if (chunkPosition)
        *chunkPosition = m_position;
    m_position += bytes / bytesPerSecond;
    return bytes;
}
