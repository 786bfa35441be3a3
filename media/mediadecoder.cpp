#include "mediadecoder.h"

#include "mediacontext.h"

#include "mediastate.h"

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
