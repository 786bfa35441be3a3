#include "packetqueue.h"

#include "enginelog.h"

#include <QDebug>

PacketQueue::PacketQueue(int capacity)
    : m_capacity(capacity)
{ }

PacketQueue::~PacketQueue() = default;

int PacketQueue::put(AVPacket *src)
{
    auto packet = std::make_unique<MediaPacket>();
    packet->pkt = av::makePacket();
    if (!packet->pkt)
        return -1;
    av_packet_move_ref(packet->pkt.get(), src);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        packet->seq = m_seq;
        m_list.push_back(std::move(packet));
    }
    m_cond.notify_all();
    return 0;
}

void PacketQueue::clear()
{
    std::deque<std::unique_ptr<MediaPacket>> dropped;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        qCDebug(lcEngine).noquote() << "stream" << m_streamIndex.load() << "packet q#"
                                    << m_list.size() << " clear, seq" << m_seq << "->" << m_seq + 1;
        dropped.swap(m_list);
        ++m_seq;
    }
    m_cond.notify_all();
}

int PacketQueue::flushForSeek(const std::function<void(int newSeq)> &markSeeking)
{
    std::deque<std::unique_ptr<MediaPacket>> dropped;
    int newSeq;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        qCDebug(lcEngine).noquote() << "stream" << m_streamIndex.load() << "packet q#"
                                    << m_list.size() << " flush, seq" << m_seq << "->" << m_seq + 1;
        dropped.swap(m_list);
        newSeq = ++m_seq;
        if (markSeeking)
            markSeeking(newSeq);
    }
    m_cond.notify_all();
    return newSeq;
}

std::unique_ptr<MediaPacket> PacketQueue::take()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_list.empty())
        return nullptr;
    std::unique_ptr<MediaPacket> head = std::move(m_list.front());
    m_list.pop_front();
    return head;
}

bool PacketQueue::isFull() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_list.size()) >= m_capacity;
}

int PacketQueue::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_list.size());
}

int PacketQueue::seq() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seq;
}

void PacketQueue::waitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cond.wait_for(lock, timeout);
}

bool PacketQueue::waitForPacket(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const int seq = m_seq;
    return m_cond.wait_for(lock, timeout, [&] { return !m_list.empty() || m_seq != seq; });
}

void PacketQueue::wakeAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cond.notify_all();
}
