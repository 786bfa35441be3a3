#include "playbacksession.h"

#include "media/avptr.h"
#include "media/globalsettings.h"
#include "media/mediaeventloop.h"
#include "media/mediainfo.h"
#include "media/surroundviewmode.h"
#include "playlist/trip.h"
#include "windowlog.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cmath>

PlaybackSession::PlaybackSession(MediaInfo *info, MediaEventLoop *loop, QObject *parent)
    : QObject(parent)
    , m_info(info)
    , m_loop(loop)
{
    m_postOpen = [this](const QString &path) {
        m_loop->postOpen(
                path, nullptr, 1.0, 100, 0, 0, m_info->surround(), SurroundViewMode::Original);
    };
    connect(m_info, &MediaInfo::repairFinished, this, &PlaybackSession::onRepairFinished);
    connect(m_info,
            &MediaInfo::mediaInfoStateChanged,
            this,
            [this](MediaInfo *, MediaContext *, int oldState, int newState) {
                onStateChanged(oldState, newState);
            });
    connect(m_loop, &MediaEventLoop::mediaEventOpened, this, &PlaybackSession::onOpened);
    connect(m_loop, &MediaEventLoop::mediaEventClosed, this, &PlaybackSession::onClosed);
    connect(m_loop, &MediaEventLoop::mediaEventFinished, this, &PlaybackSession::onFinished);
    connect(m_loop,
            &MediaEventLoop::mediaEventEndOfPlaying,
            this,
            &PlaybackSession::onEndOfPlaying);
    connect(m_loop,
            &MediaEventLoop::mediaEventErrorOccurredWhilePlaying,
            this,
            &PlaybackSession::onError);
    connect(m_loop,
            &MediaEventLoop::mediaEventUpdatePlayingTime,
            this,
            [this](MediaContext *context, double seconds, int) {
                onPlayingTime(context, seconds);
            });
    connect(m_loop,
            &MediaEventLoop::mediaEventSeekingStreamInfo,
            this,
            [this](MediaContext *, int streamIndex, int seq) {
                m_info->setSeekingStreamInfo(streamIndex, seq);
            });
    connect(m_loop,
            &MediaEventLoop::mediaEventSeekingCompleted,
            this,
            [this](MediaContext *, int result) {
                if (result != 0)
                    m_info->finishSeeking();
            });
}

PlaybackSession::~PlaybackSession() = default;

void PlaybackSession::playTrip(const Trip &trip)
{
    if (m_closing)
        return;
    QStringList skipped;
    for (const TripRecording &recording : trip.recordings) {
        if (!recording.playable())
            skipped << QFileInfo(recording.entry.path).fileName();
    }
    if (!skipped.isEmpty())
        emit problem(tr("Invalid File") + QLatin1Char('\n') + skipped.join(QLatin1Char('\n')));
    TripInPlay inPlay {trip.timeline(), {}};
    if (inPlay.timeline.isEmpty())
        return;
    for (const TripEvent &event : trip.events)
        inPlay.events << event.seconds;
    if (!m_tripFolder)
        m_tripFolder = std::make_unique<QTemporaryDir>(QDir::tempPath()
                                                       + QStringLiteral("/vistrel-trips-XXXXXX"));
    const QString path = m_tripFolder->filePath(
            QStringLiteral("trip-%1.%2").arg(++m_tripCount).arg(TripTimeline::ConcatSuffix));
    QSaveFile list(path);
    if (!m_tripFolder->isValid() || !list.open(QIODevice::WriteOnly)
        || list.write(inPlay.timeline.toConcatList()) < 0 || !list.commit()) {
        qCDebug(lcWindow).noquote() << "PlaybackSession: cannot write the trip list" << path;
        emit problem(tr("Invalid File"));
        return;
    }
    qCDebug(lcWindow).noquote() << "PlaybackSession: trip of" << inPlay.timeline.count()
                                << "recordings," << inPlay.timeline.durationUs() / 1000000
                                << "s, as" << path;
    m_trips.insert(path, inPlay);
    play(path);
}

QString PlaybackSession::recordingAt(double seconds, double *fileSeconds) const
{
    const auto trip = m_trips.constFind(m_playingPath);
    if (trip == m_trips.constEnd()) {
        if (fileSeconds)
            *fileSeconds = seconds;
        return m_playingPath;
    }
    int64_t fileUs = 0;
    const int index = trip->timeline.fileAt(std::llround(seconds * 1e6), &fileUs);
    if (fileSeconds)
        *fileSeconds = double(fileUs) / 1e6;
    return trip->timeline.files().at(index).path;
}

TripTimeline PlaybackSession::playingTrip() const
{
    return m_trips.value(m_playingPath).timeline;
}

QVector<double> PlaybackSession::tripEventMarks() const
{
    return m_trips.value(m_playingPath).events;
}

bool PlaybackSession::isRepairing() const
{
    return m_info->isRepairing();
}

void PlaybackSession::play(const QString &path)
{
    if (path.isEmpty() || m_closing)
        return;
    if (!QFileInfo::exists(path)) {
        emit problem(tr("No file for play back available"));
        return;
    }
    if (m_info->isOpened()) {
        if (m_info->isFrameSearchMode())
            emit frameSearchLeaving();
        qCDebug(lcWindow).noquote() << m_info->currentPath() << " still playing...close now...";
        m_nextFilePath = path;
        m_info->finishSeeking();
        m_loop->postClose();
        return;
    }
    if (isRepairing()) {
        // Opens once the repair's own open has been posted and closed again.
        m_nextFilePath = path;
        return;
    }
    m_nextFilePath.clear();
    open(path);
}

void PlaybackSession::open(const QString &path)
{
    if (m_closing || isRepairing())
        return;
    if (m_info->init(path) < 0) {
        m_info->changeState(MediaInfo::Stopped, nullptr, true);
        emit problem(tr("Invalid File"));
        return;
    }
    if (m_info->videoCount() == 0 || m_info->videoCount() > m_maxVideoStreams) {
        m_info->reset();
        emit problem(tr("Invalid File"));
        return;
    }
    emit busyChanged(true);
    if (!m_info->isDamaged()) {
        postOpen(m_info->currentPath());
        return;
    }
    QDir().mkpath(m_repairFolder);
    // repairFinished() posts the open, possibly before this returns.
    if (!m_info->startRepair(path, m_repairFolder))
        onRepairFinished(path, QString());
}

void PlaybackSession::onRepairFinished(const QString &source, const QString &copy)
{
    m_info->setTempFile(copy, source);
    if (!copy.isEmpty())
        m_info->setCurrentPath(copy);
    qCDebug(lcWindow).noquote() << "PlaybackSession: repaired" << source << "into" << copy
                                << "output folder" << m_repairFolder;
    postOpen(m_info->currentPath());
}

void PlaybackSession::postOpen(const QString &path)
{
    ++m_inEngine;
    m_postOpen(path);
}

void PlaybackSession::endOfList()
{
    m_info->clearTempFile();
}

bool PlaybackSession::requestClose()
{
    if (m_loopEnded) {
        m_info->clearTempFile();
        return true;
    }
    if (m_closing)
        return false; // the loop's Finish is on its way
    if (isRepairing()) {
        // The open the repair belongs to is posted first; the window stays until then.
        qCDebug(lcWindow).noquote() << "close main window: ignored while a recording is repaired";
        return false;
    }
    if (m_inEngine > 0 || !m_loop->hasNoContext()) {
        m_closing = true;
        m_loop->postFinish();
        return false;
    }
    // Nothing is open in the engine, yet a repaired copy may be left over (its recording
    // failed to open, or the next row of the list was missing): it goes with the window.
    m_info->clearTempFile();
    return true;
}

// --- engine reports ---------------------------------------------------------------------------

void PlaybackSession::onOpened(MediaContext *context, const QString &path, int result)
{
    qCDebug(lcWindow).noquote() << path << " open result: " << result;
    emit busyChanged(false);
    if (!context || result != 0) {
        if (m_inEngine > 0)
            --m_inEngine;
        emit nextRowRequested(path);
        return;
    }
    // The context itself stays on the engine's side: keep what the views need.
    m_playingContext = context;
    m_playingPath = path;
    if (!m_loop->copyTelemetry(context, &m_telemetry))
        m_telemetry.clear(); // closed again before this report arrived
    emit playingContextChanged(context);
    m_info->changeState(MediaInfo::Playing, context, true);
}

void PlaybackSession::onClosed(const QString &path, int result)
{
    qCDebug(lcWindow).noquote() << "PlaybackSession: closed" << path << "result" << result
                                << ", media info path:" << m_info->currentPath()
                                << ", next:" << m_nextFilePath;
    if (m_inEngine > 0)
        --m_inEngine;
    if (m_playingContext && path == m_playingPath) {
        m_playingContext = nullptr;
        m_playingPath.clear();
        emit playingContextChanged(nullptr);
    }
    if (m_closing) {
        m_info->clearTempFile();
        return;
    }
    if (path != m_info->currentPath())
        return;
    m_info->changeState(MediaInfo::Stopped, nullptr, true);
    if (!m_nextFilePath.isEmpty()) {
        const QString next = m_nextFilePath;
        m_nextFilePath.clear();
        open(next);
    } else if (m_info->endOfPlaying || m_info->playError) {
        emit nextRowRequested(path);
    }
}

void PlaybackSession::onFinished(int result)
{
    if (!m_closing)
        return;
    m_loopEnded = true;
    // The loop has ended either way. A Finish that found no recording open (its open failed
    // or a close got there first) still closes the window in order, so the repaired copy is
    // removed and every destructor runs; the process then reports the error in its exit code.
    if (result != 0) {
        qCDebug(lcWindow).noquote()
                << "PlaybackSession: finish result" << result << ", exit code 1";
        m_exitCode = 1;
        m_info->clearTempFile();
    }
    emit closeReady();
}

void PlaybackSession::onEndOfPlaying(MediaContext *context)
{
    const QString contextPath = context && context == m_playingContext ? m_playingPath : QString();
    qCDebug(lcWindow).noquote() << "PlaybackSession: end of playing" << contextPath
                                << ", media: " << m_info->currentPath();
    if (contextPath == m_info->currentPath()) {
        m_info->endOfPlaying = true;
        m_info->finishSeeking();
        m_loop->postClose();
    }
    if (m_info->isFrameSearchMode()) {
        m_info->setFrameSearchMode(false);
        emit frameSearchEnded();
    }
}

void PlaybackSession::onError(MediaContext *context, int err)
{
    qCDebug(lcWindow).noquote() << "PlaybackSession: error while playing" << err << ","
                                << av::errorText(err);
    if (err >= 0)
        return;
    if (err == AVERROR_BUG2) {
        qCDebug(lcWindow).noquote() << "USE SW DECODER";
        GlobalSettings::setForceSoftwareDecoding(true);
    }
    // The loop relays a context's reports after its open report and none once its close has
    // begun; an error of any other recording must not close this one.
    if (!context || context != m_playingContext)
        return;
    if (!m_info->endOfPlaying && !m_info->playError) {
        m_info->playError = true;
        m_info->finishSeeking();
        m_loop->postClose();
    }
}

void PlaybackSession::onPlayingTime(MediaContext *context, double seconds)
{
    // A report of a recording that has been closed since (its context may be gone) is dropped.
    if (m_closing || !context || context != m_playingContext || m_info->isSeeking())
        return;
    // Frame number from the first stream's average frame rate, truncated toward zero; the
    // nudge keeps a frame's exact time (0.3 s at 10 fps) from truncating to the frame before.
    // The time the engine reported is the context's current time when it reported it.
    const int64_t frame = static_cast<int64_t>(
            double(m_info->firstStreamRateNum()) * seconds / m_info->firstStreamRateDen() + 1e-6);
    m_loop->setCurrentFrame(context, frame);
    m_info->setCurrentFrame(frame);
    int64_t seekingFramePos = frame;
    if (!m_loop->seekingFramePos(context, &seekingFramePos))
        return; // closed meanwhile
    // In frame search the label stays on the frame searched for until the search lands.
    int64_t shownFrame = frame;
    if (m_info->isFrameSearchMode() && frame != seekingFramePos && !m_info->isSeekingAbsolute()
        && m_info->isFrameSearching()) {
        shownFrame = seekingFramePos;
    } else {
        m_loop->setSeekingFramePos(context, frame);
    }
    qCDebug(lcWindow).noquote() << "PlaybackSession: time" << seconds << "frame" << frame << "shown"
                                << shownFrame << "seeking pos" << seekingFramePos;
    if (!m_info->isOpened())
        return;
    m_playingTime = seconds;
    emit positionChanged(seconds, shownFrame);
}

void PlaybackSession::onStateChanged(int oldState, int newState)
{
    if (newState == MediaInfo::Playing && oldState != MediaInfo::Paused)
        m_playingTime = 0;
}
