#include "transportcontroller.h"

#include "media/mediaeventloop.h"
#include "media/mediainfo.h"
#include "media/surroundviewmode.h"
#include "windowlog.h"

#include <QDebug>
#include <QTimer>

namespace {

// Frame search turns on after this delay and the frame label follows a little later, so the
// paused picture and the context's frame position have settled when the label reads them.
constexpr int FrameSearchOnDelayMs = 500;
constexpr int FrameSearchOffDelayMs = 1;
constexpr int FrameLabelDelayMs = 700;
// A channel change in frame search steps to the kept frame once the new channel is selected.
constexpr int ChannelFrameDelayMs = 500;

} // namespace

TransportController::TransportController(MediaInfo *info, MediaEventLoop *loop, QObject *parent)
    : QObject(parent)
    , m_info(info)
    , m_loop(loop)
{
    connect(m_loop,
            &MediaEventLoop::mediaEventVideoViewModeChanged,
            this,
            [this](int streamIndex, int, int result) {
                qCDebug(lcWindow).noquote()
                        << "view mode changed, stream" << streamIndex << "result" << result;
                if (result != 0) {
                    m_info->editStreamInfo(streamIndex, [](StreamInfo &info) {
                        info.viewMode = info.previousViewMode;
                    });
                }
            });
}

void TransportController::changeViewMode(int streamIndex, int viewMode)
{
    qCDebug(lcWindow).noquote() << "change view mode: stream" << streamIndex << ", view mode"
                                << viewMode;
    if (m_info->duration() <= 0 || !m_info->hasStreamInfo(streamIndex))
        return;
    if (viewMode != SurroundViewMode::Original && streamIndex != m_info->surround()) {
        qCDebug(lcWindow).noquote()
                << "can't change view mode: not surround view stream " << streamIndex;
        return;
    }
    m_info->editStreamInfo(streamIndex, [viewMode](StreamInfo &info) {
        info.previousViewMode = info.viewMode;
        info.viewMode = viewMode;
    });
    m_loop->postChangeViewMode(streamIndex, viewMode);
    if (m_info->state() == MediaInfo::Paused)
        post(PlayCommand::SeekRelative, 0);
}

bool TransportController::isLoaded() const
{
    return !m_info->streamInfos().empty() && m_info->duration() > 0;
}

bool TransportController::isActive() const
{
    const int state = m_info->state();
    return isLoaded() && (state == MediaInfo::Playing || state == MediaInfo::Paused);
}

int TransportController::adjustedSeekValue(int value)
{
    if (value % 10 == 1) {
        value += 5000;
        if (value == 300001)
            value = 300000;
    }
    return value;
}

void TransportController::post(PlayCommand::Code code, int64_t arg)
{
    m_loop->postPlayControl(code, arg);
}

int64_t TransportController::seekingFramePos() const
{
    int64_t pos = m_info->currentFrame();
    if (m_context)
        m_loop->seekingFramePos(m_context, &pos);
    return pos;
}

void TransportController::leaveFrameSearchAfterResume()
{
    m_info->setFrameSearchMode(false);
    emit frameSearchButtonChanged(false);
    if (m_info->videoCount() > 1)
        emit allButtonEnabledChanged(true);
}

void TransportController::playOrPause()
{
    if (!isLoaded())
        return;
    switch (m_info->state()) {
    case MediaInfo::Playing:
        post(PlayCommand::Pause, 0);
        m_info->changeState(MediaInfo::Paused, m_context, true);
        break;
    case MediaInfo::Paused:
        post(PlayCommand::Resume, 0);
        m_info->changeState(MediaInfo::Playing, m_context, true);
        qCDebug(lcWindow).noquote() << "MainWindow::onPlayOrPauseMedia"
                                    << "isFrameSearchMode " << m_info->isFrameSearchMode();
        if (m_info->isFrameSearchMode())
            leaveFrameSearchAfterResume();
        qCDebug(lcWindow).noquote()
                << "media_info.videos ===============================" << m_info->videoCount();
        break;
    default:
        emit replaySelectedRequested();
        break;
    }
}

void TransportController::skip(Direction direction)
{
    if (!isActive())
        return;
    const char *name
            = direction == Forward ? "MainWindow::onPlayFwdMedia" : "MainWindow::onPlayRewMedia";
    qCDebug(lcWindow).noquote() << name << "media_info.isSeeking()";
    if (m_info->isSeeking()) {
        qCDebug(lcWindow).noquote() << name << " already seeking";
        return;
    }
    if (!m_info->isFrameSearchMode()) {
        m_info->startSeeking();
        post(PlayCommand::SeekRelative, direction == Forward ? SkipUs : -SkipUs);
        return;
    }
    if (m_info->isFrameSearching())
        return;
    // Frames count from 0 (the picture at time 0): the last one is totalFrames - 1.
    const int64_t pos = seekingFramePos();
    if (direction == Forward && pos + 1 < m_info->totalFrames()) {
        m_info->startFrameSearch();
        post(PlayCommand::SeekByFrame, 1);
    } else if (direction == Back && pos >= 1) {
        m_info->startFrameSearch();
        post(PlayCommand::SeekByFrame, -1);
    }
}

void TransportController::seekBarMoved(int64_t positionUs, SeekBarAction action)
{
    if (!isActive())
        return;
    qCDebug(lcWindow).noquote() << "MainWindow::onPlaySeekValueChanged"
                                << "media_info.isSeeking()";
    if (m_info->isSeeking()) {
        qCDebug(lcWindow).noquote() << "MainWindow::onPlaySeekValueChanged"
                                    << " already seeking";
        return;
    }
    m_info->startSeeking();
    if (m_info->isFrameSearchMode()) {
        m_info->setSeekingAbsolute(true);
        qCDebug(lcWindow).noquote() << "MainWindow::onPlaySeekValueChanged"
                                    << "setSeekingAbsolute33333333333333333";
    }
    switch (action) {
    case SeekBarStepForward:
        qCDebug(lcWindow).noquote() << "player->nKeyBoardAction right";
        post(PlayCommand::SeekRelative, SeekBarStepUs);
        break;
    case SeekBarStepBack:
        qCDebug(lcWindow).noquote() << "player->nKeyBoardAction left";
        post(PlayCommand::SeekRelative, -SeekBarStepUs);
        break;
    default:
        post(PlayCommand::SeekAbsolute, positionUs);
        break;
    }
}

void TransportController::seekTo(int64_t positionUs)
{
    seekBarMoved(positionUs, SeekBarDragged);
}

void TransportController::setFrameSearchMode(bool on)
{
    qCDebug(lcWindow).noquote() << "MainWindow::onFrameSearchMode" << on << "state "
                                << m_info->state();
    if (on) {
        if (m_info->state() == MediaInfo::Playing) {
            post(PlayCommand::Pause, 0);
            m_info->changeState(MediaInfo::Paused, m_context, true);
            if (m_context)
                m_loop->setSeekingFramePos(m_context, m_info->currentFrame());
        }
        QTimer::singleShot(FrameSearchOnDelayMs, this, [this] {
            m_info->SetFrameSearchModeOn();
            if (m_pendingStep != 0) {
                const Direction direction = m_pendingStep > 0 ? Forward : Back;
                m_pendingStep = 0;
                skip(direction);
            }
        });
        QTimer::singleShot(FrameLabelDelayMs, this, [this] {
            qCDebug(lcWindow).noquote() << "MainWindow::showFrame";
            emit frameLabelShown(seekingFramePos(), m_info->totalFrames());
        });
    } else {
        m_pendingStep = 0;
        if (m_info->state() == MediaInfo::Paused) {
            // Play on from the frame the search stands on (the engine's playing time), not
            // from where the picture was paused.
            if (!m_info->isSeeking()) {
                m_info->startSeeking();
                post(PlayCommand::SeekRelative, 0);
            }
            post(PlayCommand::Resume, 0);
            m_info->changeState(MediaInfo::Playing, m_context, true);
        }
        QTimer::singleShot(FrameSearchOffDelayMs, m_info, &MediaInfo::SetFrameSearchModeOff);
        QTimer::singleShot(FrameLabelDelayMs, this, [this] {
            qCDebug(lcWindow).noquote() << "MainWindow::hideFrame";
            emit frameLabelHidden();
        });
    }
    if (m_info->videoCount() > 1)
        emit allButtonEnabledChanged(!on);
}

void TransportController::stepFrame(Direction direction)
{
    if (!isActive())
        return;
    if (m_info->isFrameSearchMode()) {
        skip(direction);
        return;
    }
    // Frame search needs a single channel; the toggle is refused while all channels show.
    if (m_info->shownStream() == MediaInfo::AllChannels || m_info->shownStream() < 0)
        return;
    if (m_pendingStep == 0) {
        m_pendingStep = direction;
        emit frameSearchToggleRequested();
    }
}

void TransportController::seekRelativeFrame()
{
    post(PlayCommand::SeekByFrame, m_savedSearchFrame);
}

void TransportController::seekFrameAgain()
{
    qCDebug(lcWindow).noquote() << "MainWindow::onSeekFrameAgain"
                                << "======================";
    if (!isActive())
        return;
    qCDebug(lcWindow).noquote() << "media_info.isSeeking()";
    if (m_info->isSeeking()) {
        qCDebug(lcWindow).noquote() << " already seeking";
        return;
    }
    if (m_info->isFrameSearchMode()) {
        if (seekingFramePos() >= m_info->totalFrames())
            return;
        post(PlayCommand::SeekByFrame, 0);
        return;
    }
    m_info->startSeeking();
    post(PlayCommand::SeekRelative, 1);
}

void TransportController::showChannel(int streamIndex, bool checked)
{
    if (!checked || !isLoaded())
        return;
    const bool all = streamIndex == MediaInfo::AllChannels;
    if (!all && streamIndex < 0)
        return;
    m_info->setShownStream(streamIndex);
    m_loop->postSelectVideoStream(streamIndex);
    emit frameSearchEnabledChanged(!all);
    if (!all && m_info->isFrameSearchMode()) {
        m_savedSearchFrame = m_info->currentFrame();
        m_info->startFrameSearch();
        qCDebug(lcWindow).noquote() << "GetCurrentFrame " << m_savedSearchFrame;
        QTimer::singleShot(ChannelFrameDelayMs, this, &TransportController::seekRelativeFrame);
        return;
    }
    m_info->startSeeking();
    post(PlayCommand::SeekRelative, m_info->state() == MediaInfo::Paused ? 0 : -ChannelRewindUs);
}

void TransportController::setPlaySpeed(double factor)
{
    if (isLoaded())
        // Truncated as the engine expects; the nudge keeps 1.2 from becoming 119.
        post(PlayCommand::SetSpeed, static_cast<int64_t>(factor * 100 + 1e-9));
}

void TransportController::setVolume(int volume)
{
    qCDebug(lcWindow).noquote() << "MainWindow::onVolumeValueChanged"
                                << ": " << volume;
    if (isLoaded())
        post(PlayCommand::SetVolume, volume);
}
