#include "framequeue.h"

#include "enginelog.h"

#include <QDebug>

FrameQueue::FrameQueue(int capacity)
    : m_capacity(capacity)
{ }

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
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        frame->id = m_nextId++;
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
    }
    // A decoder may be waiting for room.
    m_cond.notify_all();
    return head;
}

bool FrameQueue::waitForRoom(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_cond.wait_for(
            lock, timeout, [&] { return static_cast<int>(m_list.size()) < m_capacity; });
}

bool FrameQueue::isFull() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_list.size()) >= m_capacity;
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
