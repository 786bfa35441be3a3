#include "framequeue.h"

#include "enginelog.h"

#include <QDebug>

FrameQueue::FrameQueue(int capacity, size_t byteBudget)
    : m_capacity(capacity)
    , m_byteBudget(byteBudget)
{ }

size_t FrameQueue::frameBytes(const AVFrame *frame)
{
    size_t bytes = 0;
    for (const AVBufferRef *buffer : frame->buf) {
        if (buffer)
            bytes += buffer->size;
    }
    for (int i = 0; i < frame->nb_extended_buf; ++i)
        bytes += frame->extended_buf[i]->size;
    return bytes;
}

bool FrameQueue::hasRoomLocked() const
{
    return static_cast<int>(m_list.size()) < m_capacity
            && (m_byteBudget == 0 || m_bytes < m_byteBudget);
}

FrameQueue::~FrameQueue() = default;

int FrameQueue::push(
        AVFrame *src, int seq, double pts, double duration, double speed, int view_mode)
{
    auto frame = std::make_unique<MediaFrame>();
    frame->frame = av::makeFrame();
    if (!frame->frame)
        return -1;
    av_frame_move_ref(frame->frame.get(), src);
    frame->seq = seq;
    frame->pts = pts;
    frame->duration = duration;
    frame->speed = speed;
    frame->view_mode = view_mode;
    frame->bytes = frameBytes(frame->frame.get());
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        frame->id = m_nextId++;
        m_bytes += frame->bytes;
        m_list.push_back(std::move(frame));
    }
    m_cond.notify_all();
    return 0;
}

void FrameQueue::clear()
{
    std::deque<std::unique_ptr<MediaFrame>> dropped;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        qCDebug(lcEngine).noquote()
                << "stream" << m_streamIndex.load() << "frame q#" << m_list.size() << "clear";
        dropped.swap(m_list);
        m_bytes = 0;
    }
    m_cond.notify_all();
}

bool FrameQueue::peek(Head *head, std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_list.empty() && timeout.count() > 0)
        m_cond.wait_for(lock, timeout);
    if (m_list.empty())
        return false;
    const MediaFrame &front = *m_list.front();
    head->id = front.id;
    head->seq = front.seq;
    head->pts = front.pts;
    return true;
}

std::unique_ptr<MediaFrame> FrameQueue::takeIf(uint64_t id)
{
    std::unique_ptr<MediaFrame> head;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_list.empty() || m_list.front()->id != id)
            return nullptr;
        head = std::move(m_list.front());
        m_list.pop_front();
        m_bytes -= head->bytes;
    }
    // A decoder may be waiting for room.
    m_cond.notify_all();
    return head;
}

bool FrameQueue::waitForRoom(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_cond.wait_for(lock, timeout, [&] { return hasRoomLocked(); });
}

bool FrameQueue::isFull() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return !hasRoomLocked();
}

size_t FrameQueue::bytes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bytes;
}

bool FrameQueue::isEmpty() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_list.empty();
}

int FrameQueue::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_list.size());
}

void FrameQueue::waitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cond.wait_for(lock, timeout);
}

void FrameQueue::wakeAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cond.notify_all();
}
