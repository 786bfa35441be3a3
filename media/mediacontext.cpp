#include "mediacontext.h"

#include "avinput.h"
#include "enginelog.h"
#include "framesink.h"
#include "mediastate.h"
#include "packetreader.h"
#include "videostate.h"

#include <QDebug>

#include <cmath>
#include <vector>

MediaContext::MediaContext(FrameSink *sink, QObject *parent)
    : QObject(parent)
    , m_sink(sink)
{ }

MediaContext::~MediaContext()
{
    close();
}

void MediaContext::closeInput()
{
    m_formatContext.reset();
}

int MediaContext::openFromFile(const QString &path,
                               double speed,
                               int volume,
                               int view_width,
                               int view_height,
                               int mode_stream,
                               int view_mode)
{
    if (m_formatContext) {
        qCDebug(lcEngine).noquote() << "already opened";
        return -1;
    }
    qCDebug(lcEngine).noquote() << "MediaContext opening" << path << "x" << speed << "...";
    if (!(speed > 0) || !std::isfinite(speed))
        speed = 1.0;

    av::InputOptions input;
    input.afterOpen = [this](AVFormatContext *opened) {
        av_format_inject_global_side_data(opened);
        is_eof.store(false);
        if (opened->pb)
            opened->pb->eof_reached = 0;
    };
    m_formatContext = av::openInput(path, input);
    if (!m_formatContext)
        return -1;
    AVFormatContext *format = m_formatContext.get();
    qCDebug(lcEngine).noquote()
            << "duration:" << (format->duration == AV_NOPTS_VALUE ? 0 : format->duration / 1000000)
            << ", start time:"
            << (format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time / 1000000)
            << "#streams:" << format->nb_streams;
    m_duration = format->duration;
    qCDebug(lcEngine).noquote() << "openFromFile -" << m_duration;
    // A recording without a known, positive duration cannot be played or sought.
    if (m_duration == 0 || m_duration == AV_NOPTS_VALUE || m_duration < 0) {
        closeInput();
        return -2;
    }
    m_startTime = format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time;
    current_time.store(m_startTime / 1000000.0);
    {
        std::lock_guard<std::mutex> lock(m_timeMutex);
        m_lastReportedTime = m_startTime / 1000000.0;
        m_playingSeq = -1;
    }
    av_dump_format(format, 0, path.toUtf8().constData(), 0);
    m_path = path;
    {
        // avformat_seek_file with stream -1 seeks by this stream and puts the others near it.
        const int reference = av_find_default_stream_index(format);
        m_referenceStream = reference >= 0 && static_cast<unsigned>(reference) < format->nb_streams
                        && format->streams[reference]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO
                ? reference
                : -1;
    }
    {
        std::lock_guard<std::mutex> lock(m_statesMutex);
        m_masterState = nullptr;
    }
    m_telemetry.clear();
    m_videoStreamCount = av::videoStreamCount(format);

    for (unsigned i = 0; i < format->nb_streams; ++i) {
        AVStream *stream = format->streams[i];
        const int type = stream->codecpar->codec_type;
        qCDebug(lcEngine).noquote()
                << QStringLiteral("stream<%1>:").arg(i) << "type" << type
                << ", codec id 0x" + QString::number(stream->codecpar->codec_id, 16);
        if (type == AVMEDIA_TYPE_DATA || type == AVMEDIA_TYPE_SUBTITLE)
            continue; // telemetry, read below
        MediaState *state = MediaState::create(type,
                                               this,
                                               stream,
                                               volume,
                                               speed,
                                               view_width,
                                               view_height,
                                               static_cast<int>(i) == mode_stream ? view_mode : 0);
        if (!state) {
            qCDebug(lcEngine).noquote() << "stream" << i << ", type" << type << ": not supported";
            continue;
        }
        std::lock_guard<std::mutex> lock(m_statesMutex);
        m_states[static_cast<int>(i)] = state;
        if (!m_masterState && type == AVMEDIA_TYPE_AUDIO)
            m_masterState = state;
    }
    {
        std::lock_guard<std::mutex> lock(m_statesMutex);
        if (m_masterState)
            qCDebug(lcEngine).noquote()
                    << "master stream" << m_masterState->streamIndex()
                    << av_get_media_type_string(static_cast<AVMediaType>(m_masterState->type()));
        else
            qCDebug(lcEngine).noquote() << "master stream" << -1 << "null";
    }
    m_telemetry.load(format, path);
    qCDebug(lcEngine).noquote() << "udta tlmd size" << m_telemetry.gpsCount()
                                << m_telemetry.gsensorCount();
    qCDebug(lcEngine).noquote() << "extradata"
                                << (format->nb_streams > 0
                                            ? format->streams[0]->codecpar->extradata_size
                                            : 0);
    av_log_set_level(AV_LOG_INFO);

    bool empty;
    {
        std::lock_guard<std::mutex> lock(m_statesMutex);
        empty = m_states.empty();
    }
    if (empty) {
        qCDebug(lcEngine).noquote() << "no supported streams available";
        close();
        return -1;
    }
    {
        std::lock_guard<std::mutex> lock(m_statesMutex);
        for (const auto &entry : m_states)
            entry.second->setVolume(volume);
    }
    play_speed.store(speed);
    m_reader = std::make_unique<PacketReader>(this);
    m_reader->start(QThread::InheritPriority);
    m_readerForWake.store(m_reader.get());
    return 0;
}

int MediaContext::close()
{
    if (!m_formatContext)
        return 0;
    if (is_aborting.load()) {
        qCDebug(lcEngine).noquote() << "media context has already been closing";
        return -1;
    }
    is_aborting.store(true);
    // The reader is joined here and deleted last: decoders may still wake it until they end.
    if (m_reader) {
        m_reader->wake();
        m_reader->wait();
    }
    // The states are closed without m_statesMutex held: closing joins their threads, and those
    // take the mutex (masterFor, checkEndOfPlaying). Only this thread changes the map, so it
    // stays valid meanwhile.
    std::vector<MediaState *> order;
    {
        std::lock_guard<std::mutex> lock(m_statesMutex);
        for (const auto &entry : m_states) {
            if (entry.second != m_masterState)
                order.push_back(entry.second);
        }
        if (m_masterState)
            order.push_back(m_masterState);
    }
    for (MediaState *state : order)
        state->close();
    std::map<int, MediaState *> states;
    {
        std::lock_guard<std::mutex> lock(m_statesMutex);
        m_masterState = nullptr;
        states.swap(m_states);
    }
    for (const auto &entry : states)
        delete entry.second;
    m_readerForWake.store(nullptr);
    m_reader.reset();
    closeInput();
    is_aborting.store(false);
    is_eof.store(false);
    seek_req.store(false);
    is_seekingByFrame.store(false);
    {
        std::lock_guard<std::mutex> lock(m_timeMutex);
        m_playingSeq = -1;
    }
    enabled_video_count.store(0);
    return 0;
}

void MediaContext::clearEndFlags()
{
    std::lock_guard<std::mutex> lock(m_statesMutex);
    is_eof.store(false);
    is_end_signalled.store(false);
    for (const auto &entry : m_states)
        entry.second->setEndOfStream(false);
}

int MediaContext::seekAbsolute(int64_t target)
{
    if (seek_req.load()) {
        qCDebug(lcEngine).noquote() << "MediaContext::seekAbsolute"
                                    << ": still seeking";
        return -1;
    }
    clearEndFlags();
    qCDebug(lcEngine).noquote() << "MediaContext::seekAbsolute"
                                << ":" << target;
    seek_pos.store(target);
    current_time.store(0);
    {
        std::lock_guard<std::mutex> lock(m_timeMutex);
        m_lastReportedTime = 0;
    }
    seek_req.store(true);
    return 0;
}

int64_t MediaContext::relativeSeekTarget(int64_t delta,
                                         double currentTime,
                                         int64_t startTime,
                                         int64_t duration)
{
    int64_t target = delta + static_cast<int64_t>(currentTime * 1000000.0);
    if (target < startTime)
        target = startTime;
    else if (target > startTime + duration)
        target = startTime + duration - 100000;
    return target;
}

int MediaContext::seekRelative(int64_t delta)
{
    if (seek_req.load()) {
        qCDebug(lcEngine).noquote() << "MediaContext::seekRelative"
                                    << ": still seeking";
        return -1;
    }
    clearEndFlags();
    const double now = current_time.load();
    qCDebug(lcEngine).noquote() << "MediaContext::seekRelative"
                                << "current_time" << now;
    seek_pos.store(relativeSeekTarget(delta, now, m_startTime, m_duration));
    qCDebug(lcEngine).noquote() << "MediaContext::seekRelative"
                                << ":" << delta;
    seek_req.store(true);
    return 0;
}

int MediaContext::seekRelativeByFrame(int64_t step)
{
    if (is_seekingByFrame.load()) {
        qCDebug(lcEngine).noquote() << "MediaContext::seekRelativeByFrame"
                                    << ": still seeking";
        return -1;
    }
    clearEndFlags();
    qCDebug(lcEngine).noquote() << "MediaContext::seekRelativeByFrame"
                                << ":"
                                << "currentFrame" << current_frame.load() << "pos_frame" << step;
    if (step == 1) {
        seeking_frame_pos.fetch_add(1);
    } else if (step == -1) {
        if (seeking_frame_pos.load() != 0)
            seeking_frame_pos.fetch_sub(1);
    } else if (step > 1) {
        current_frame.store(step);
    }
    qCDebug(lcEngine).noquote() << "MediaContext::seekRelativeByFrame"
                                << "seeking_frame_pos :" << seeking_frame_pos.load();
    // The reader decodes the asked frame on a decoder of its own; the main path stays where it
    // is (a seek of it would land on a key frame and report that moment instead).
    is_seekingByFrame.store(true);
    wakeReader();
    return 0;
}

int MediaContext::setPlaySpeed(double speed)
{
    qCDebug(lcEngine).noquote() << "change play speed to" << speed;
    // A speed that is not a positive number would divide the pacing by zero or reverse it.
    if (!(speed > 0) || !std::isfinite(speed))
        return -1;
    std::lock_guard<std::mutex> lock(m_statesMutex);
    if (speed != play_speed.load()) {
        for (const auto &entry : m_states)
            entry.second->setSpeed(speed);
        play_speed.store(speed);
    }
    return 0;
}

int MediaContext::pause()
{
    std::lock_guard<std::mutex> lock(m_statesMutex);
    is_paused.store(true);
    for (const auto &entry : m_states)
        entry.second->pause();
    return 0;
}

int MediaContext::resume()
{
    std::lock_guard<std::mutex> lock(m_statesMutex);
    for (const auto &entry : m_states)
        entry.second->resume();
    is_paused.store(false);
    return 0;
}

int MediaContext::setVolume(int volume)
{
    std::lock_guard<std::mutex> lock(m_statesMutex);
    for (const auto &entry : m_states)
        entry.second->setVolume(volume);
    return 0;
}

int MediaContext::abortStream(int stream_index)
{
    qCDebug(lcEngine).noquote() << "!!!!!!!!!!! abort stream" << stream_index;
    std::lock_guard<std::mutex> lock(m_statesMutex);
    const auto it = m_states.find(stream_index);
    if (it == m_states.end() || it->second->type() != MediaState::Video)
        return -1;
    it->second->setAborted();
    return 0;
}

int MediaContext::selectVideoStream(int stream_index)
{
    const int count = enableVideoStreams(stream_index);
    // The reader holds back until a channel is chosen: it reads on at once, not at the end
    // of its timed wait (taken after the states mutex: the reader's mutex comes first).
    wakeReader();
    return count > 0 ? 0 : -1;
}

int MediaContext::enableVideoStreams(int stream_index)
{
    std::lock_guard<std::mutex> lock(m_statesMutex);
    int count = 0;
    for (const auto &entry : m_states) {
        MediaState *state = entry.second;
        if (state->type() != MediaState::Video)
            continue;
        if (stream_index == MediaInfo::AllChannels || stream_index == entry.first) {
            if (!state->isEnabled())
                state->clock().reset();
            state->setEnabled(true);
            qCDebug(lcEngine).noquote() << "############ video stream" << entry.first << ": on";
            ++count;
        } else {
            state->setEnabled(false);
            qCDebug(lcEngine).noquote() << "############ video stream" << entry.first << ": off";
        }
    }
    enabled_video_count.store(count);
    qCDebug(lcEngine).noquote() << "########## video stream" << stream_index << "selected?"
                                << (count > 0);
    selected_video_stream.store(stream_index);
    return count;
}

int MediaContext::changeViewMode(int stream_index, int view_mode)
{
    std::lock_guard<std::mutex> lock(m_statesMutex);
    const auto it = m_states.find(stream_index);
    if (it == m_states.end() || it->second->type() != MediaState::Video)
        return -1;
    auto *video = static_cast<VideoState *>(it->second);
    qCDebug(lcEngine).noquote() << "video stream" << stream_index << ": change view mode from"
                                << video->viewMode() << "to" << view_mode;
    video->setViewMode(view_mode);
    return 0;
}

int MediaContext::changeDisplaySize(int width, int height)
{
    std::lock_guard<std::mutex> lock(m_statesMutex);
    for (const auto &entry : m_states) {
        if (entry.second->type() != MediaState::Video)
            continue;
        auto *video = static_cast<VideoState *>(entry.second);
        const QSize target = video->targetSize();
        qCDebug(lcEngine).noquote()
                << "video stream" << entry.first << ": change display size"
                << QStringLiteral("%1x%2").arg(target.width()).arg(target.height()) << "->"
                << QStringLiteral("%1x%2").arg(width).arg(height);
        video->setTargetSize(width, height);
    }
    return 0;
}

MediaState *MediaContext::masterFor(MediaState *state)
{
    if (!m_formatContext || is_aborting.load())
        return nullptr;
    std::lock_guard<std::mutex> lock(m_statesMutex);
    if (m_masterState && m_masterState != state)
        return m_masterState;
    return state;
}

MediaState *MediaContext::stateFor(int stream_index)
{
    std::lock_guard<std::mutex> lock(m_statesMutex);
    const auto it = m_states.find(stream_index);
    return it == m_states.end() ? nullptr : it->second;
}

QVector<int> MediaContext::streamIndexes()
{
    std::lock_guard<std::mutex> lock(m_statesMutex);
    QVector<int> indexes;
    for (const auto &entry : m_states)
        indexes.append(entry.first);
    return indexes;
}

bool MediaContext::allQueuesFull()
{
    if (enabled_video_count.load() == 0)
        return true;
    std::lock_guard<std::mutex> lock(m_statesMutex);
    for (const auto &entry : m_states) {
        MediaState *state = entry.second;
        const bool counted = state->type() == MediaState::Audio
                || (state->type() == MediaState::Video && state->isEnabled());
        if (counted && !state->packetQueue().isFull())
            return false;
    }
    return true;
}

int MediaContext::playingSeq() const
{
    std::lock_guard<std::mutex> lock(m_timeMutex);
    return m_playingSeq;
}

bool MediaContext::reportPlayingTime(int, double pts, int seq)
{
    bool emitTime = false;
    bool emitEnd = false;
    {
        std::lock_guard<std::mutex> lock(m_timeMutex);
        const bool seqChanged = seq != m_playingSeq;
        if (seqChanged) {
            m_playingSeq = seq;
            current_time.store(0);
            m_lastReportedTime = 0;
        }
        if (pts * 1000000.0 > static_cast<double>(m_startTime + m_duration)) {
            // Past the end: the stream stops presenting; the end is announced once.
            emitEnd = !is_end_signalled.exchange(true);
        } else {
            if (!seqChanged && !(pts > current_time.load()) && !is_paused.load())
                return false;
            current_time.store(pts);
            if (is_paused.load() || pts - m_lastReportedTime >= 0.333333 || m_duration < 1000000) {
                m_lastReportedTime = pts;
                emitTime = true;
            }
        }
    }
    if (pts * 1000000.0 > static_cast<double>(m_startTime + m_duration)) {
        if (emitEnd)
            emit endOfPlaying(this);
        return true;
    }
    if (emitTime)
        emit updatePlayingTime(this, pts, seq);
    return false;
}

void MediaContext::reportSearchedFrame(double pts)
{
    int seq = -1;
    {
        std::lock_guard<std::mutex> lock(m_timeMutex);
        current_time.store(pts);
        m_lastReportedTime = pts;
        seq = m_playingSeq;
    }
    emit updatePlayingTime(this, pts, seq);
}

void MediaContext::checkEndOfPlaying()
{
    if (seek_req.load() || is_aborting.load() || is_end_signalled.load())
        return;
    {
        std::lock_guard<std::mutex> lock(m_statesMutex);
        for (const auto &entry : m_states) {
            MediaState *state = entry.second;
            if (state->type() == MediaState::Data || state->type() == MediaState::Subtitle)
                continue;
            const bool finished = state->isFailed() || state->isDead() || state->isDrained();
            if (!finished)
                return;
        }
    }
    if (is_end_signalled.exchange(true))
        return;
    qCDebug(lcEngine).noquote() << "emit end of playing" << m_path;
    emit endOfPlaying(this);
}

void MediaContext::wakeReader()
{
    if (PacketReader *reader = m_readerForWake.load())
        reader->wake();
}

void MediaContext::presentFrame(int stream_index, std::unique_ptr<MediaFrame> frame)
{
    if (m_sink && frame)
        m_sink->presentFrame(stream_index, std::move(frame));
}

void MediaContext::presentSearchFrame(int stream_index, av::FramePtr frame, bool stillSearching)
{
    if (m_sink)
        m_sink->presentSearchFrame(stream_index, std::move(frame), stillSearching);
}
