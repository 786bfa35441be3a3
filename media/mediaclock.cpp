#include "mediaclock.h"

#include "enginelog.h"
#include "mediaframe.h"
#include "mediastate.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavutil/time.h>
}

namespace {

// How a follower closes the distance to its master: this share of it at every frame, and all
// of it at once beyond the jump.
constexpr double kFollowGain = 0.1;
constexpr double kFollowJump = 0.2;

} // namespace

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
        qCDebug(lcEngine).noquote()
                << "clock: stream" << (m_owner ? m_owner->streamIndex() : -1)
                << "clock seq mismatched: current" << m_seq << ": new" << seq << "or speed mismatch"
                << m_speed << ":" << speed << "or frame count#" << m_frameCount << ", eof?"
                << (m_owner && m_owner->isEndOfStream()) << ", on pts" << pts;
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
        m_playheadSet = false;
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

bool MediaClock::masterPosition(int seq, double now, double *pts) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (seq == m_seq && m_frameCount > 0) {
        if (m_playheadSet) {
            *pts = playheadAtLocked(now);
        } else {
            const double speed = m_speed > 0 ? m_speed : 1.0;
            const double mapped = m_firstPts + (now - m_baseTime) * speed;
            *pts = std::isfinite(mapped) ? std::min(mapped, m_lastPts + 1.0) : m_lastPts;
        }
        return true;
    }
    if (m_frameCount == 0 && m_owner && m_owner->isEndOfStream()) {
        *pts = m_lastPts;
        return true;
    }
    *pts = 0;
    return false;
}

void MediaClock::setPlayhead(double pts, double now, double rate, double limit)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!std::isfinite(pts) || !std::isfinite(limit))
        return;
    m_playheadSet = true;
    m_playheadPts = std::min(pts, limit);
    m_playheadTime = now;
    m_playheadRate = rate > 0 ? rate : 0;
    m_playheadLimit = limit;
}

void MediaClock::holdPlayhead(double now)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_playheadSet)
        return;
    m_playheadPts = playheadAtLocked(now);
    m_playheadTime = now;
    m_playheadRate = 0;
}

void MediaClock::releasePlayhead(double now, double rate)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_playheadSet)
        return;
    m_playheadTime = now;
    m_playheadRate = rate > 0 ? rate : 0;
}

double MediaClock::playheadAt(double now) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_playheadSet ? playheadAtLocked(now) : m_lastPts;
}

double MediaClock::playheadAtLocked(double now) const
{
    const double moved = std::max(0.0, now - m_playheadTime) * m_playheadRate;
    return std::min(m_playheadPts + moved, m_playheadLimit);
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
    double firstPts;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        firstPts = m_firstPts;
    }
    if (now < 0)
        now = nowSeconds();
    double masterTime = 0;
    const bool hasMasterTime = master->masterPosition(frame.seq, now, &masterTime);
    if (!hasMasterTime && master != this)
        return -1;
    if (firstPts == frame.pts)
        return 0;
    const double speed = frame.speed > 0 ? frame.speed : 1.0;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (master != this && hasMasterTime) {
        // Where this clock says the play has got to, against the master.
        const double drift = m_firstPts + (now - m_baseTime) * speed - masterTime;
        if (std::isfinite(drift))
            m_baseTime += (std::fabs(drift) > kFollowJump ? drift : drift * kFollowGain) / speed;
    }
    const double delay = (frame.pts - m_firstPts) / speed - (now - m_baseTime);
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
