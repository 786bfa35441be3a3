#include "mediaclock.h"

#include "mediaframe.h"
#include "mediastate.h"

#include <QDebug>

#include <cmath>

extern "C" {
#include <libavutil/time.h>
}

MediaClock::MediaClock(MediaState *owner)
    : m_owner(owner)
{ }

double MediaClock::nowSeconds()
{
    return av_gettime_relative() / 1000000.0;
}

bool MediaClock::update(double pts, int seq, double speed, int count, double now)
{
    if (now < 0)
        now = nowSeconds();
    std::lock_guard<std::mutex> lock(m_mutex);
    bool newEpoch = false;
    if (seq != m_seq || m_frameCount == 0 || speed != m_speed) {
        qDebug().noquote() << "clock: stream" << (m_owner ? m_owner->streamIndex() : -1)
                           << "clock seq mismatched: current" << m_seq << ": new" << seq
                           << "or speed mismatch" << m_speed << ":" << speed << "or frame count#"
                           << m_frameCount << ", eof?" << (m_owner && m_owner->isEndOfStream())
                           << ", on pts" << pts;
        m_prevSeq = m_seq;
        m_prevBaseTime = m_baseTime;
        m_prevFirstPts = m_firstPts;
        m_prevSpeed = m_speed;
        m_seq = seq;
        m_speed = speed;
        m_frameCount = 0;
        m_baseTime = now;
        m_firstPts = pts;
        m_lastPts = pts;
        m_lag = 0;
        m_prevPts = pts;
        newEpoch = true;
    } else {
        m_prevPts = m_lastPts;
    }
    m_frameCount += count;
    m_lastPts = pts;
    return newEpoch;
}

void MediaClock::reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frameCount = 0;
    m_baseTime = 0;
    m_firstPts = 0;
    m_lag = 0;
}

bool MediaClock::masterPts(int seq, double *pts) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if ((seq == m_seq && m_frameCount > 0)
        || (m_frameCount == 0 && m_owner && m_owner->isEndOfStream())) {
        *pts = m_lastPts;
        return true;
    }
    *pts = 0;
    return false;
}

int MediaClock::pace(const MediaFrame &frame,
                     const MediaClock *master,
                     bool aborting,
                     int64_t *sleepUs,
                     double now)
{
    *sleepUs = 0;
    update(frame.pts, frame.seq, frame.speed, 1, now);
    if (aborting)
        return -1;
    if (!master)
        return -1;
    double baseTime;
    double firstPts;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        baseTime = m_baseTime;
        firstPts = m_firstPts;
    }
    double masterTime = 0;
    if (!master->masterPts(frame.seq, &masterTime) && master != this)
        return -1;
    if (firstPts == frame.pts)
        return 0;
    if (now < 0)
        now = nowSeconds();
    const double speed = frame.speed > 0 ? frame.speed : 1.0;
    const double delay
            = (frame.pts - firstPts) / speed - (now - baseTime) + (frame.pts - masterTime);
    std::lock_guard<std::mutex> lock(m_mutex);
    // A frame without a usable timestamp cannot be paced: show it at once.
    if (!std::isfinite(delay)) {
        m_lag = 0;
        return 0;
    }
    if (delay < 0) {
        m_lag = delay;
        return 0;
    }
    m_lag = 0;
    *sleepUs = static_cast<int64_t>(delay * 1000000.0);
    return 0;
}

int MediaClock::seq() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seq;
}

int MediaClock::frameCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frameCount;
}

double MediaClock::baseTime() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_baseTime;
}

double MediaClock::firstPts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_firstPts;
}

double MediaClock::lastPts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastPts;
}

double MediaClock::speed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_speed;
}

double MediaClock::lag() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lag;
}

void MediaClock::setSpeedFields(double speed)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_speed = speed;
    m_prevSpeed = speed;
}
