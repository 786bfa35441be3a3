#include "mediainfo.h"

#include "avinput.h"
#include "avptr.h"
#include "converterrunner.h"
#include "enginelog.h"
#include "globalsettings.h"
#include "triptimeline.h"

#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

namespace {

// Probe limits: enough to find every stream of a camera recording without reading far.
constexpr int64_t kProbeSize = 52428800; // 50 MiB
constexpr int64_t kMaxAnalyzeDuration = 5000000; // 5 s in microseconds

// Frames per second as a double, or 0 when the rate is unknown (either term 0).
double frameRate(AVRational rate)
{
    if (rate.num == 0 || rate.den == 0)
        return 0;
    return av_q2d(rate);
}

void logIndexDiagnostic(AVFormatContext *ctx)
{
    const QString rule = QStringLiteral("========================================");
    qCDebug(lcEngine).noquote() << rule;
    qCDebug(lcEngine).noquote() << "[Index vs Reality Check]";
    const int64_t fileSize = ctx->pb ? avio_size(ctx->pb) : -1;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        AVStream *stream = ctx->streams[i];
        const int entries = avformat_index_get_entries_count(stream);
        if (entries <= 0) {
            qCDebug(lcEngine).noquote() << "Stream" << i << ": no index has been created";
            continue;
        }
        const AVIndexEntry *last = avformat_index_get_entry(stream, entries - 1);
        const int64_t position = last ? last->pos : 0;
        qCDebug(lcEngine).noquote() << "Stream" << i << "Entries:" << entries;
        qCDebug(lcEngine).noquote() << "Last Packet Position (from Index):" << position;
        qCDebug(lcEngine).noquote() << "Actual File Size:" << fileSize;
        if (fileSize < position) {
            qCDebug(lcEngine).noquote() << "index is lying!";
            qCDebug(lcEngine).noquote() << "reason : index says data exists at" << position
                                        << "but the fiel ends at" << fileSize;
        } else {
            qCDebug(lcEngine).noquote() << "data might be within index";
        }
    }
    qCDebug(lcEngine).noquote() << rule;
}

} // namespace

MediaInfo::MediaInfo(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<MediaInfo *>();
    qRegisterMetaType<MediaContext *>();
    reset();
}

MediaInfo::~MediaInfo() = default;

void MediaInfo::reset()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_streams.clear();
        m_streamPosition.clear();
    }
    m_videoCount = m_audioCount = m_otherCount = 0;
    m_duration = 0;
    m_startTime = 0;
    m_totalFrames = 0;
    m_firstRateNum = 0;
    m_firstRateDen = 1;
    m_front = m_rear = m_inner = m_surround = m_shownStream = -1;
    m_currentPath.clear();
    m_damaged = false;
    endOfPlaying = false;
    playError = false;
    changeState(Idle, nullptr, true);
}

void MediaInfo::changeState(int newState, MediaContext *playingContext, bool notify)
{
    int oldState;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        oldState = m_state;
        if (newState != oldState) {
            qCDebug(lcEngine).noquote() << QStringLiteral("media info: %1, state change: %2 -> %3")
                                                   .arg(m_currentPath)
                                                   .arg(oldState)
                                                   .arg(newState);
            m_state = newState;
        }
    }
    if (!notify)
        return;
    if (newState != Playing) {
        // Leaving for anything but Playing ends a pending seek.
        std::lock_guard<std::mutex> lock(m_mutex);
        clearSeekLocked();
    }
    emit mediaInfoStateChanged(this, playingContext, oldState, newState);
}

void MediaInfo::clearSeekLocked()
{
    for (auto &record : m_streams)
        record->seekingSeq = -1;
    m_seeking = false;
    qCDebug(lcEngine).noquote() << "media info: -----> finish seeking";
}

int MediaInfo::state() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_state;
}

bool MediaInfo::isOpened() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_state == Playing || m_state == Paused;
}

int MediaInfo::init(const QString &path)
{
    reset();
    clearTempFile(m_tempFilePath);
    m_tempFileSource.clear();

    av::InputOptions input;
    input.flags = AVFMT_FLAG_IGNIDX | AVFMT_FLAG_GENPTS;
    input.probeSize = kProbeSize;
    input.maxAnalyzeDuration = kMaxAnalyzeDuration;
    // Some demuxers (AVI cut before its index) add index entries while stream info reads
    // packets, so the count right after the open is the telling one for those.
    std::vector<int> entriesAtOpen;
    input.afterOpen = [&entriesAtOpen](AVFormatContext *opened) {
        entriesAtOpen.assign(opened->nb_streams, 0);
        for (unsigned i = 0; i < opened->nb_streams; ++i)
            entriesAtOpen[i] = avformat_index_get_entries_count(opened->streams[i]);
        av_format_inject_global_side_data(opened);
    };
    av::InputError error;
    av::FormatContextPtr ctx = av::openInput(path, input, &error);
    if (!ctx) {
        const char *what
                = error.step == av::InputError::Step::Open ? "open error:" : "stream info error:";
        qCDebug(lcEngine).noquote() << path << what << error.code << ":" << error.text;
        return error.code;
    }

    m_damaged = false;
    // A trip's list has no index of its own: its recordings were probed when the trip was made.
    const bool trip = TripTimeline::isConcatList(path);
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        AVStream *stream = ctx->streams[i];
        const int entries = avformat_index_get_entries_count(stream);
        qCDebug(lcEngine).noquote() << "--- Stream" << i << "Check ---";
        qCDebug(lcEngine).noquote() << "Index Entries Count:" << entries;
        const bool presentAtOpen = i < entriesAtOpen.size();
        if (presentAtOpen && entriesAtOpen[i] != entries)
            qCDebug(lcEngine).noquote() << "Index Entries Count at open:" << entriesAtOpen[i];
        if (!trip && (entries == 0 || (presentAtOpen && entriesAtOpen[i] == 0))) {
            qCDebug(lcEngine).noquote() << "No map! (invalid file)";
            m_damaged = true;
        } else {
            qCDebug(lcEngine).noquote() << "map exists (valid file)";
        }
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            stream->discard = AVDISCARD_ALL;
    }

    logIndexDiagnostic(ctx.get());

    m_duration = ctx->duration > 0 ? ctx->duration / 1000000.0 : 0;
    m_startTime = ctx->start_time != AV_NOPTS_VALUE ? ctx->start_time / 1000000.0 : 0;
    if (ctx->nb_streams > 0) {
        const AVRational rate = ctx->streams[0]->avg_frame_rate;
        m_firstRateNum = rate.den != 0 ? rate.num : 0;
        m_firstRateDen = rate.den != 0 ? rate.den : 1;
        const double fps = frameRate(rate);
        m_totalFrames = fps > 0 ? static_cast<int64_t>(fps * m_duration + 0.5) : 0;
    }

    const bool surroundModel = GlobalSettings::surroundModel();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (unsigned i = 0; i < ctx->nb_streams; ++i) {
            const AVCodecParameters *par = ctx->streams[i]->codecpar;
            auto record = std::make_unique<StreamInfo>();
            record->index = static_cast<int>(i);
            record->mediaType = par->codec_type;
            switch (par->codec_type) {
            case AVMEDIA_TYPE_VIDEO:
                record->pixelFormat = par->format;
                record->width = par->width;
                record->height = par->height;
                record->aspect = par->width < 1 ? 0.5625 : double(par->height) / par->width;
                qCDebug(lcEngine).noquote() << "   " << par->format << "," << par->width << "x"
                                            << par->height << ", ratio" << record->aspect;
                ++m_videoCount;
                if (surroundModel && par->width == par->height) {
                    record->isSurround = true;
                    m_surround = record->index;
                }
                break;
            case AVMEDIA_TYPE_AUDIO:
                record->sampleFormat = par->format;
                record->channelLayout = par->ch_layout.order == AV_CHANNEL_ORDER_NATIVE
                        ? par->ch_layout.u.mask
                        : 0;
                record->channels = par->ch_layout.nb_channels;
                record->sampleRate = par->sample_rate;
                ++m_audioCount;
                break;
            case AVMEDIA_TYPE_DATA:
            case AVMEDIA_TYPE_SUBTITLE:
                ++m_otherCount;
                break;
            default:
                continue; // attachments and unknown types get no record
            }
            m_streamPosition.insert(record->index, static_cast<int>(m_streams.size()));
            m_streams.push_back(std::move(record));
        }
    }
    ctx.reset();

    assignRoles();
    qCDebug(lcEngine).noquote() << "video indices: front" << m_front << ", rear" << m_rear
                                << ", inner" << m_inner << ", surround" << m_surround;
    if (m_front == -1 && m_videoCount > 0)
        m_front = 0;

    m_currentPath = m_tempFilePath.isEmpty() ? path : m_tempFilePath;
    endOfPlaying = false;
    playError = false;
    changeState(Stopped, nullptr, true);
    return 0;
}

void MediaInfo::assignRoles()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto &record : m_streams) {
        if (record->mediaType != AVMEDIA_TYPE_VIDEO)
            continue;
        if (record->index == m_surround)
            m_inner = record->index;
        else if (m_front == -1)
            m_front = record->index;
        else if (m_rear == -1)
            m_rear = record->index;
        else
            m_inner = record->index;
    }
}

bool MediaInfo::hasStreamInfo(int streamIndex) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_streamPosition.contains(streamIndex);
}

StreamInfo MediaInfo::streamInfo(int streamIndex) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const StreamInfo *record = recordLocked(streamIndex);
    return record ? *record : StreamInfo();
}

bool MediaInfo::editStreamInfo(int streamIndex, const std::function<void(StreamInfo &)> &edit)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    StreamInfo *record = recordLocked(streamIndex);
    if (!record)
        return false;
    edit(*record);
    return true;
}

StreamInfo *MediaInfo::recordLocked(int streamIndex) const
{
    auto it = m_streamPosition.constFind(streamIndex);
    if (it == m_streamPosition.constEnd())
        return nullptr;
    return m_streams[static_cast<size_t>(*it)].get();
}

std::vector<StreamInfo> MediaInfo::streamInfos() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<StreamInfo> copies;
    copies.reserve(m_streams.size());
    for (const auto &record : m_streams)
        copies.push_back(*record);
    return copies;
}

bool MediaInfo::hasSurroundStream() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto &record : m_streams) {
        if (record->isSurround)
            return true;
    }
    return false;
}

void MediaInfo::setFrameSearchMode(bool on)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frameSearchMode = on;
    qCDebug(lcEngine).noquote() << "SetFrameSearchMode" << on;
}

bool MediaInfo::isFrameSearchMode() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frameSearchMode;
}

void MediaInfo::SetFrameSearchModeOn()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frameSearchMode = true;
    qCDebug(lcEngine).noquote() << "SetFrameSearchMode On";
}

void MediaInfo::SetFrameSearchModeOff()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frameSearchMode = false;
    qCDebug(lcEngine).noquote() << "SetFrameSearchMode Off";
}

void MediaInfo::startSeeking()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_seeking = true;
    qCDebug(lcEngine).noquote() << "media info: -----> start seeking";
}

void MediaInfo::finishSeeking()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    clearSeekLocked();
}

bool MediaInfo::isSeeking()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_seeking)
        return false;
    // Only the channels on screen hold a seek open.
    for (const auto &record : m_streams) {
        if (record->mediaType != AVMEDIA_TYPE_VIDEO)
            continue;
        const bool shown = m_shownStream == AllChannels || m_shownStream == record->index;
        if (shown && record->displayedSeq != record->seekingSeq)
            return true;
    }
    qCDebug(lcEngine).noquote() << "media info: -----> seeking completed";
    for (auto &record : m_streams)
        record->seekingSeq = -1;
    m_seeking = false;
    return false;
}

void MediaInfo::setSeekingStreamInfo(int streamIndex, int seq)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (StreamInfo *record = recordLocked(streamIndex))
        record->seekingSeq = seq;
}

void MediaInfo::setDisplayedSeq(int streamIndex, int seq)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (StreamInfo *record = recordLocked(streamIndex))
        record->displayedSeq = seq;
}

void MediaInfo::setSeekingAbsolute(bool absolute)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_seekingAbsolute = absolute;
    qCDebug(lcEngine).noquote() << "=============== seekingAbsolute" << absolute;
}

void MediaInfo::setTempFile(const QString &copyPath, const QString &sourcePath)
{
    m_tempFilePath = copyPath;
    m_tempFileSource = copyPath.isEmpty() ? QString() : sourcePath;
}

void MediaInfo::clearTempFile(QString &path)
{
    qCDebug(lcEngine).noquote() << "clearTempFile" << path;
    if (path.isEmpty())
        return;
    if (QFile::exists(path)) {
        if (QFile::remove(path))
            qCDebug(lcEngine).noquote() << "Temporary file deleted successfully:" << path;
        else
            qCDebug(lcEngine).noquote() << "Could not delete file (Check if still open):" << path;
    }
    if (&path == &m_tempFilePath)
        m_tempFileSource.clear();
    path.clear();
}

QString MediaInfo::repairOutputPath(const QString &inputPath, const QString &outputFolder)
{
    const QFileInfo info(inputPath);
    return outputFolder + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("tmp.")
            + info.suffix();
}

QStringList MediaInfo::repairArguments(const QString &inputPath, const QString &outputPath)
{
    // No "-t": the duration of a file without index is an estimate, and a limit cut from it
    // drops the last seconds, the ones a power loss leaves. The second channel is optional
    // ("?"), so a one-channel recording is repaired too.
    return QStringList {QStringLiteral("-y"),
                        QStringLiteral("-err_detect"),
                        QStringLiteral("ignore_err"),
                        QStringLiteral("-i"),
                        inputPath,
                        QStringLiteral("-map"),
                        QStringLiteral("0:v:0"),
                        QStringLiteral("-map"),
                        QStringLiteral("0:v:1?"),
                        QStringLiteral("-c:v"),
                        QStringLiteral("copy"),
                        QStringLiteral("-an"),
                        QStringLiteral("-r"),
                        QStringLiteral("30"),
                        QStringLiteral("-f"),
                        QStringLiteral("avi"),
                        outputPath};
}

bool MediaInfo::startRepair(const QString &inputPath, const QString &outputFolder)
{
    if (isRepairing())
        return false;
    const QString outputPath = repairOutputPath(inputPath, outputFolder);
    // A copy from an earlier open is reused as it is.
    if (QFile::exists(outputPath)) {
        emit repairFinished(inputPath, outputPath);
        return true;
    }
    if (!m_repairRunner) {
        m_repairRunner = new ConverterRunner(this);
        connect(m_repairRunner,
                &ConverterRunner::finished,
                this,
                [this](const ConverterRunner::Result &result) {
                    const QString source = m_repairSource;
                    m_repairSource.clear();
                    // The runner removes what a failed run wrote, so no half-made copy is
                    // reused later.
                    if (!result.ok()) {
                        qCDebug(lcEngine).noquote()
                                << "MediaInfo::repairRecording" << m_converterProgram << source
                                << "failed:" << result.summary();
                        if (!result.errorText.isEmpty())
                            qCDebug(lcEngine).noquote() << result.errorText.trimmed();
                        emit repairFinished(source, QString());
                        return;
                    }
                    qCDebug(lcEngine).noquote()
                            << "Multi-stream Repair Success:" << result.outputPath;
                    qCDebug(lcEngine).noquote() << "MediaInfo::repairRecording" << result.summary();
                    emit repairFinished(source, result.outputPath);
                });
    }
    m_repairRunner->setProgram(m_converterProgram);
    m_repairRunner->setTimeoutMs(m_converterTimeoutMs);
    m_repairSource = inputPath;
    return m_repairRunner->start(repairArguments(inputPath, outputPath), outputPath);
}

bool MediaInfo::isRepairing() const
{
    return m_repairRunner && m_repairRunner->isRunning();
}

QString MediaInfo::repairRecording(const QString &inputPath, const QString &outputFolder)
{
    QString copy;
    bool done = false;
    QEventLoop loop;
    const auto connection = connect(
            this, &MediaInfo::repairFinished, &loop, [&](const QString &, const QString &path) {
                copy = path;
                done = true;
                loop.quit();
            });
    if (startRepair(inputPath, outputFolder) && !done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(connection);
    return copy;
}
