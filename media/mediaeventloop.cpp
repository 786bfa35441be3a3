#include "mediaeventloop.h"

#include "enginelog.h"
#include "mediaevents.h"

#include <QDebug>

#include <limits>
#include <new>

namespace {

bool fitsInt32(int64_t value)
{
    return value >= std::numeric_limits<int32_t>::min()
            && value <= std::numeric_limits<int32_t>::max();
}

} // namespace

MediaEventLoop::MediaEventLoop(QObject *parent)
    : QThread(parent)
{
    qRegisterMetaType<MediaContext *>("MediaContext*");
    qRegisterMetaType<int64_t>("int64_t");
    // Slots invoked through queued connections run on the loop thread. An object with a parent
    // cannot change threads; its relays are direct connections and work either way.
    if (!parent)
        moveToThread(this);
}

MediaEventLoop::~MediaEventLoop()
{
    // A loop still running gets its Finish now, so destruction never waits forever.
    if (isRunning())
        postFinish();
    wait();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.clear();
    // A loop that never ran its Finish still owns the current context.
    share(nullptr);
    stopRelaying();
    delete m_context.exchange(nullptr);
}

void MediaEventLoop::share(MediaContext *context)
{
    std::lock_guard<std::mutex> lock(m_sharedMutex);
    m_shared = context;
}

template<class F>
bool MediaEventLoop::withShared(MediaContext *context, F &&access) const
{
    std::lock_guard<std::mutex> lock(m_sharedMutex);
    if (!context || context != m_shared)
        return false;
    access(context);
    return true;
}

bool MediaEventLoop::copyTelemetry(MediaContext *context, TelemetryTrack *out) const
{
    return withShared(context, [out](MediaContext *c) { *out = c->telemetry(); });
}

bool MediaEventLoop::seekingFramePos(MediaContext *context, int64_t *seeking_frame_pos) const
{
    return withShared(context,
                      [=](MediaContext *c) { *seeking_frame_pos = c->seeking_frame_pos.load(); });
}

bool MediaEventLoop::setCurrentFrame(MediaContext *context, int64_t current_frame)
{
    return withShared(context, [=](MediaContext *c) { c->current_frame.store(current_frame); });
}

bool MediaEventLoop::setSeekingFramePos(MediaContext *context, int64_t seeking_frame_pos)
{
    return withShared(context,
                      [=](MediaContext *c) { c->seeking_frame_pos.store(seeking_frame_pos); });
}

void MediaEventLoop::post(MediaEvent *event)
{
    if (!event)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.emplace_back(event);
    }
    m_cond.notify_one();
}

void MediaEventLoop::postOpen(const QString &path,
                              FrameSink *sink,
                              double speed,
                              int volume,
                              int view_width,
                              int view_height,
                              int mode_stream,
                              int view_mode)
{
    post(new (std::nothrow) MediaEvent_Open(
            this, path, sink, speed, volume, view_width, view_height, mode_stream, view_mode));
}

void MediaEventLoop::postClose()
{
    post(new (std::nothrow) MediaEvent_Close(this));
}

void MediaEventLoop::postFinish()
{
    post(new (std::nothrow) MediaEvent_Finish(this));
}

void MediaEventLoop::postPlayControl(PlayCommand::Code cmd, int64_t arg)
{
    post(new (std::nothrow) MediaEvent_PlayControl(this, cmd, arg));
}

void MediaEventLoop::postSelectVideoStream(int stream_index)
{
    post(new (std::nothrow) MediaEvent_SelectVideoStream(this, stream_index));
}

void MediaEventLoop::postChangeViewMode(int stream_index, int view_mode)
{
    post(new (std::nothrow) MediaEvent_ChangeVideoViewMode(this, stream_index, view_mode));
}

void MediaEventLoop::postChangeDisplaySize(int width, int height)
{
    post(new (std::nothrow) MediaEvent_ChangeVideoDisplaySize(this, width, height));
}

void MediaEventLoop::run()
{
    for (;;) {
        std::unique_ptr<MediaEvent> event;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_cond.wait(lock, [this] { return !m_events.empty(); });
            event = std::move(m_events.front());
            m_events.pop_front();
        }
        const bool keepRunning = event->execute();
        event.reset();
        if (!keepRunning)
            break;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.clear();
    }
    qCDebug(lcEngine).noquote() << ">>>>>>>>>>>>>>>>> media context event loop ended";
}

void MediaEventLoop::executeOpen(const MediaEvent_Open &event)
{
    qCDebug(lcEngine).noquote() << "MediaEvent opening" << event.path << "...." << event.speed
                                << "x"
                                << "," << event.mode_stream << "," << event.view_mode;
    executeClose();
    auto *context = new (std::nothrow) MediaContext(event.sink, nullptr);
    int result = -1;
    if (context) {
        m_context.store(context);
        // Connected before the engine's threads start: a stream that fails at once reports
        // into these relays, which hold its reports until the open has been announced.
        connect(context,
                &MediaContext::endOfPlaying,
                this,
                &MediaEventLoop::onEndOfPlaying,
                Qt::DirectConnection);
        connect(context,
                &MediaContext::updatePlayingTime,
                this,
                &MediaEventLoop::onPlayingTimeUpdated,
                Qt::DirectConnection);
        connect(context,
                &MediaContext::seekingStreamInfo,
                this,
                &MediaEventLoop::onSeekingStreamInfo,
                Qt::DirectConnection);
        connect(context,
                &MediaContext::seekingCompleted,
                this,
                &MediaEventLoop::onSeekingCompleted,
                Qt::DirectConnection);
        connect(context,
                &MediaContext::errorOccurredWhileRunning,
                this,
                &MediaEventLoop::onErrorOccurredWhileRunning,
                Qt::DirectConnection);
        startRelaying(context);
        result = context->openFromFile(event.path,
                                       event.speed,
                                       event.volume,
                                       event.view_width,
                                       event.view_height,
                                       event.mode_stream,
                                       event.view_mode);
        if (result < 0) {
            // What it reported while it failed is dropped with it: the open's answer says it.
            stopRelaying();
            m_context.store(nullptr);
            delete context;
            context = nullptr;
        } else {
            qCDebug(lcEngine).noquote() << "opening" << event.path << "done.";
            share(context);
            result = 0;
        }
    }
    emit mediaEventOpened(context, event.path, result);
    if (context)
        announce(context);
}

void MediaEventLoop::startRelaying(MediaContext *context)
{
    std::lock_guard<std::mutex> lock(m_sharedMutex);
    m_opening = context;
    m_announced = nullptr;
    m_held.clear();
}

void MediaEventLoop::stopRelaying()
{
    std::vector<std::function<void()>> dropped;
    {
        std::lock_guard<std::mutex> lock(m_sharedMutex);
        m_opening = nullptr;
        m_announced = nullptr;
        dropped.swap(m_held);
    }
}

void MediaEventLoop::announce(MediaContext *context)
{
    // The reports held so far go out after mediaEventOpened and before any later one: the
    // relays hold theirs until m_announced is set, which happens only once none is left.
    for (;;) {
        std::vector<std::function<void()>> held;
        {
            std::lock_guard<std::mutex> lock(m_sharedMutex);
            if (m_opening != context)
                return;
            if (m_held.empty()) {
                m_opening = nullptr;
                m_announced = context;
                return;
            }
            held.swap(m_held);
        }
        for (const auto &report : held)
            report();
    }
}

template<class F>
void MediaEventLoop::relay(MediaContext *context, F &&report)
{
    {
        std::lock_guard<std::mutex> lock(m_sharedMutex);
        if (!context || (context != m_announced && context != m_opening))
            return;
        if (context == m_opening) {
            m_held.emplace_back(std::forward<F>(report));
            return;
        }
    }
    report();
}

int MediaEventLoop::executeClose()
{
    MediaContext *context = m_context.load();
    if (!context)
        return -1;
    const QString path = context->path();
    // From here on no accessor reaches the context and no report of it is relayed: it is
    // about to go.
    share(nullptr);
    stopRelaying();
    context->close();
    m_context.store(nullptr);
    delete context;
    emit mediaEventClosed(path, 0);
    return 0;
}

void MediaEventLoop::executePlayControl(int cmd, int64_t arg)
{
    MediaContext *context = m_context.load();
    int result = -1;
    if (context) {
        switch (cmd) {
        case PlayCommand::SeekRelative:
            result = context->seekRelative(arg);
            break;
        case PlayCommand::SeekAbsolute:
            result = context->seekAbsolute(arg);
            break;
        case PlayCommand::SetVolume:
            result = fitsInt32(arg) ? context->setVolume(static_cast<int>(arg)) : -1;
            break;
        case PlayCommand::Pause:
            result = context->pause();
            break;
        case PlayCommand::Resume:
            result = context->resume();
            break;
        case PlayCommand::SetSpeed:
            result = context->setPlaySpeed(arg / 100.0);
            break;
        case PlayCommand::AbortStream:
            result = fitsInt32(arg) ? context->abortStream(static_cast<int>(arg)) : -1;
            break;
        case PlayCommand::SeekByFrame:
            result = context->seekRelativeByFrame(arg);
            break;
        default:
            result = -1;
            break;
        }
    }
    emit mediaEventPlayControlCommandCompleted(cmd, arg, result);
}

void MediaEventLoop::executeSelectVideoStream(int stream_index)
{
    qCDebug(lcEngine).noquote() << "media event: select video stream" << stream_index;
    if (MediaContext *context = m_context.load())
        context->selectVideoStream(stream_index);
}

void MediaEventLoop::executeChangeViewMode(int stream_index, int view_mode)
{
    qCDebug(lcEngine).noquote() << "media event: changing stream" << stream_index << "view mode to"
                                << view_mode;
    MediaContext *context = m_context.load();
    const int result = context ? context->changeViewMode(stream_index, view_mode) : -1;
    emit mediaEventVideoViewModeChanged(stream_index, view_mode, result);
}

void MediaEventLoop::executeChangeDisplaySize(int width, int height)
{
    MediaContext *context = m_context.load();
    if (!context)
        return;
    qCDebug(lcEngine).noquote() << "media event: changing display size to"
                                << QStringLiteral("%1x%2").arg(width).arg(height);
    context->changeDisplaySize(width, height);
}

void MediaEventLoop::onEndOfPlaying(MediaContext *context)
{
    qCDebug(lcEngine).noquote() << "MediaEventLoop::onEndOfPlaying"
                                << ":" << static_cast<const void *>(context) << "got EOF";
    relay(context, [this, context] { emit mediaEventEndOfPlaying(context); });
}

void MediaEventLoop::onPlayingTimeUpdated(MediaContext *context,
                                          double playing_time,
                                          int playing_seq)
{
    relay(context, [=] { emit mediaEventUpdatePlayingTime(context, playing_time, playing_seq); });
}

void MediaEventLoop::onSeekingStreamInfo(MediaContext *context, int stream_index, int seeking_seq)
{
    relay(context, [=] { emit mediaEventSeekingStreamInfo(context, stream_index, seeking_seq); });
}

void MediaEventLoop::onSeekingCompleted(MediaContext *context, int result)
{
    relay(context, [=] { emit mediaEventSeekingCompleted(context, result); });
}

void MediaEventLoop::onErrorOccurredWhileRunning(MediaContext *context, int err)
{
    relay(context, [=] { emit mediaEventErrorOccurredWhilePlaying(context, err); });
}
