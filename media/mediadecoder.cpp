#include "mediadecoder.h"

#include "enginelog.h"
#include "mediacontext.h"

#include "mediastate.h"

#include <QDebug>

extern "C" {
#include <libavutil/time.h>
}

MediaDecoder::MediaDecoder(MediaState *state)
    : m_state(state)
    , m_aliveTime(av_gettime_relative())
{ }

MediaDecoder::~MediaDecoder() = default;

int MediaDecoder::resetDecoder()
{
    m_pendingPacket.reset();
    m_hasPending = false;
    m_finished.store(false);
    return 0;
}

MediaDecoder::Next MediaDecoder::takePacket()
{
    PacketQueue &queue = m_state->packetQueue();
    bool taken = false;
    const int oldSeq = m_packetSeq.load();
    if (!m_hasPending) {
        std::unique_ptr<MediaPacket> packet = queue.take();
        if (!packet)
            return Next::Empty;
        m_pendingPacket = std::move(packet->pkt);
        m_packetSeq.store(packet->seq);
        taken = true;
    }
    const int seq = m_packetSeq.load();
    if ((taken && seq != oldSeq) || seq != queue.seq()) {
        qCDebug(lcEngine).noquote() << "stream" << m_state->streamIndex() << "pkt seq mismatch"
                                    << seq << ":" << oldSeq << "flush buffers"
                                    << ", has pending" << m_hasPending;
        if (!taken) {
            m_pendingPacket.reset();
            m_hasPending = false;
            return Next::FlushAndRetry;
        }
        return Next::FlushAndSend;
    }
    m_hasPending = false;
    return Next::Send;
}

int MediaDecoder::sendPacket(AVCodecContext *codec)
{
    const int ret = avcodec_send_packet(codec, m_pendingPacket.get());
    if (ret == AVERROR(EAGAIN))
        m_hasPending = true;
    else
        m_pendingPacket.reset();
    return ret;
}

void MediaDecoder::dropPacket()
{
    m_pendingPacket.reset();
    m_hasPending = false;
}

void MediaDecoder::touchAlive()
{
    m_aliveTime.store(av_gettime_relative());
}

QString MediaDecoder::status() const
{
    std::lock_guard<std::mutex> lock(m_statusMutex);
    return m_status;
}

void MediaDecoder::setStatus(const QString &status)
{
    std::lock_guard<std::mutex> lock(m_statusMutex);
    m_status = status;
}

void MediaDecoder::park()
{
    // Only close ends a parked decoder: it lets the watchdog see a hung stream.
    while (!m_releaseParked.load())
        QThread::msleep(100);
}

void MediaDecoder::fail(int code)
{
    m_state->setFailed();
    MediaContext *context = m_state->context();
    emit context->errorOccurredWhileRunning(context, code);
}

MediaDecoder::Step MediaDecoder::decodeStep(AVFrame *frame,
                                            const QString &status,
                                            const QString &errorPrefix)
{
    if (m_state->isEndOfStream()) {
        msleep(10);
        return Step::Again;
    }
    // Woken as soon as the runner takes a frame.
    if (m_state->frameQueue().isFull()) {
        m_state->frameQueue().waitForRoom(std::chrono::milliseconds(10));
        return Step::Again;
    }
    setStatus(status);
    const int got = m_state->getFrame(frame);
    if (got < 0) {
        qCDebug(lcEngine).noquote() << errorPrefix << m_state->streamIndex() << "getFrame error";
        fail(got);
        return Step::Failed;
    }
    if (got == 0) {
        if (m_state->packetQueue().size() == 0) {
            m_state->context()->wakeReader();
            // Woken by the reader's next packet for this stream (or a seek clearing the
            // queue).
            m_state->packetQueue().waitForPacket(std::chrono::milliseconds(10));
        } else {
            msleep(10);
        }
        return Step::Again;
    }
    return Step::Frame;
}
