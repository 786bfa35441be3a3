#include "exportplan.h"

#include "avinput.h"
#include "mediainfo.h"
#include "triptimeline.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavutil/avutil.h>
}

namespace {

const char *const kChannelSuffix[] = {"_f", "_r", "_i"};

// The path a file is known by, for telling whether two names are the same file.
QString identity(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

void addMap(QStringList *arguments, int streamIndex)
{
    *arguments << QStringLiteral("-map") << QStringLiteral("0:%1").arg(streamIndex);
}

QString seconds(double value)
{
    return QString::number(value, 'f', 6);
}

// What a stream copy across a file boundary needs to be the same in every file.
QStringList streamSignature(const QString &path)
{
    av::InputOptions options;
    options.streamInfo = false;
    const av::FormatContextPtr ctx = av::openInput(path, options);
    if (!ctx)
        return {QStringLiteral("unreadable")};
    QStringList signature;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVCodecParameters *par = ctx->streams[i]->codecpar;
        signature << QStringLiteral("%1:%2:%3x%4:%5:%6")
                             .arg(par->codec_type)
                             .arg(par->codec_id)
                             .arg(par->width)
                             .arg(par->height)
                             .arg(par->sample_rate)
                             .arg(par->ch_layout.nb_channels);
    }
    return signature;
}

} // namespace

bool ExportPlan::probe(const QString &path, Source *source, QString *error)
{
    *source = Source();
    source->path = path;
    source->telemetryPath = path;
    MediaInfo info;
    const int ret = info.init(path);
    if (ret < 0) {
        *error = QStringLiteral("%1: cannot be read (%2)").arg(path).arg(ret);
        return false;
    }
    source->duration = info.duration();
    source->startTime = info.startTime();
    for (const StreamInfo &stream : info.streamInfos()) {
        switch (stream.mediaType) {
        case AVMEDIA_TYPE_VIDEO:
            source->videoStreams << stream.index;
            source->videoSizes << QSize(stream.width, stream.height);
            break;
        case AVMEDIA_TYPE_AUDIO:
            source->audioStreams << stream.index;
            break;
        case AVMEDIA_TYPE_DATA:
        case AVMEDIA_TYPE_SUBTITLE:
            source->telemetryStreams << stream.index;
            break;
        default:
            break;
        }
    }
    // The player's roles; a stream holds one role only (a lone surround stream is the front).
    const int roles[] = {info.front(), info.rear(), info.inner()};
    int next = 0;
    for (int stream : roles) {
        if (stream < 0
            || std::find(source->channelStreams.begin(), source->channelStreams.end(), stream)
                    != source->channelStreams.end())
            continue;
        source->channelStreams[size_t(next++)] = stream;
    }
    if (source->videoStreams.isEmpty()) {
        *error = QStringLiteral("%1: no video stream").arg(path);
        return false;
    }
    source->recordings = QStringList {path};
    if (TripTimeline::isConcatList(path)) {
        TripTimeline trip;
        if (!TripTimeline::readConcatList(path, &trip, error))
            return false;
        source->recordings.clear();
        QStringList first;
        for (const TripTimeline::File &file : trip.files()) {
            source->recordings << file.path;
            const QStringList signature = streamSignature(file.path);
            if (first.isEmpty())
                first = signature;
            else if (signature != first)
                source->streamsMatch = false;
        }
    }
    return true;
}

ExportPlan::ExportPlan(const Source &source, const Span &span, const QString &folder)
    : m_source(source)
    , m_mode(Clip)
    , m_span(span)
{
    if (source.path.isEmpty()) {
        m_problem = NoSource;
        return;
    }
    if (folder.isEmpty()) {
        m_problem = NoOutputFolder;
        return;
    }
    if (!std::isfinite(span.from) || !std::isfinite(span.to) || span.from < 0
        || span.to <= span.from || (source.duration > 0 && span.from >= source.duration)) {
        m_problem = BadSpan;
        return;
    }
    if (source.duration > 0)
        m_span.to = std::min(span.to, source.duration);
    if (m_span.channels.isEmpty()) {
        for (int c = Front; c <= Interior; ++c) {
            if (source.channelStreams[size_t(c)] >= 0)
                m_span.channels << Channel(c);
        }
    }
    for (Channel channel : qAsConst(m_span.channels)) {
        if (channel < Front || channel > Interior || source.channelStreams[size_t(channel)] < 0) {
            m_problem = NoSuchChannel;
            return;
        }
    }
    // A join that the stream copy cannot make is re-encoded.
    if (!source.streamsMatch)
        m_span.exact = true;
    const QString first = source.recordings.isEmpty() ? source.path : source.recordings.first();
    Step step;
    step.outputPath = QFileInfo(folder + QLatin1Char('/')
                                + clipName(QFileInfo(first).fileName(), m_span.from))
                              .absoluteFilePath();
    const QString outputId = identity(step.outputPath);
    QStringList sources = source.recordings;
    sources << source.path << source.telemetryPath;
    for (const QString &path : qAsConst(sources)) {
        if (!path.isEmpty() && identity(path) == outputId) {
            m_problem = OverSource;
            return;
        }
    }
    step.arguments = clipArguments(source, m_span, step.outputPath);
    step.addTelemetryAtom = !source.telemetryPath.isEmpty();
    step.cutTelemetry = true;
    step.duration = m_span.to - m_span.from;
    m_steps << step;
    m_problem = NoProblem;
}

ExportPlan::ExportPlan(const Source &source, Mode mode, const QString &folder)
    : m_source(source)
    , m_mode(mode)
{
    if (source.path.isEmpty()) {
        m_problem = NoSource;
        return;
    }
    if (folder.isEmpty()) {
        m_problem = NoOutputFolder;
        return;
    }
    const QString name = QFileInfo(source.path).fileName();
    QVector<Channel> channels;
    if (mode == Original) {
        channels << Whole;
    } else {
        for (int c = Front; c <= Interior; ++c) {
            if (source.channelStreams[size_t(c)] >= 0)
                channels << Channel(c);
        }
        if (channels.size() < 2) {
            m_problem = NothingToSplit;
            return;
        }
    }
    const QString sourceId = identity(source.path);
    const QString originalId
            = source.telemetryPath.isEmpty() ? QString() : identity(source.telemetryPath);
    for (Channel channel : channels) {
        Step step;
        step.channel = channel;
        step.outputPath = QFileInfo(folder + QLatin1Char('/')
                                    + outputName(name, source.repairedCopy, channel))
                                  .absoluteFilePath();
        const QString outputId = identity(step.outputPath);
        if (outputId == sourceId || outputId == originalId) {
            m_problem = OverSource;
            m_steps.clear();
            return;
        }
        step.byteCopy = channel == Whole && !source.repairedCopy;
        step.duration = source.duration;
        if (!step.byteCopy) {
            step.arguments = converterArguments(source, channel, step.outputPath);
            step.addTelemetryAtom = !source.telemetryPath.isEmpty() && isMp4Name(step.outputPath);
        }
        m_steps << step;
    }
    m_problem = NoProblem;
}

QString ExportPlan::problemText() const
{
    switch (m_problem) {
    case NoProblem:
        return QString();
    case NoSource:
        return QStringLiteral("no recording to export");
    case NoOutputFolder:
        return QStringLiteral("no output folder");
    case OverSource:
        return QStringLiteral("the export would replace the recording itself");
    case NothingToSplit:
        return QStringLiteral("the recording has only one channel");
    case BadSpan:
        return QStringLiteral("the in mark must lie before the out mark, within the recording");
    case NoSuchChannel:
        return QStringLiteral("the recording has no such channel");
    }
    return QString();
}

QStringList ExportPlan::outputPaths() const
{
    QStringList paths;
    for (const Step &step : m_steps)
        paths << step.outputPath;
    return paths;
}

QStringList ExportPlan::existingOutputs() const
{
    QStringList existing;
    for (const Step &step : m_steps) {
        if (QFileInfo::exists(step.outputPath))
            existing << step.outputPath;
    }
    return existing;
}

QString ExportPlan::outputName(const QString &sourceFileName, bool repairedCopy, Channel channel)
{
    const QFileInfo info(sourceFileName);
    QString base = info.completeBaseName();
    QString suffix = info.suffix();
    // The repair names its copy after the recording with "tmp" before the suffix.
    if (repairedCopy && base.endsWith(QLatin1String("tmp"), Qt::CaseInsensitive))
        base.chop(3);
    if (channel == Whole)
        return suffix.isEmpty() ? base : base + QLatin1Char('.') + suffix;
    if (suffix.compare(QLatin1String("mp4"), Qt::CaseInsensitive) == 0
        || suffix.compare(QLatin1String("avi"), Qt::CaseInsensitive) == 0)
        suffix = suffix.toLower();
    base += QLatin1String(kChannelSuffix[channel]);
    return suffix.isEmpty() ? base : base + QLatin1Char('.') + suffix;
}

QStringList ExportPlan::converterArguments(const Source &source,
                                           Channel channel,
                                           const QString &outputPath)
{
    QStringList arguments {QStringLiteral("-y"),
                           QStringLiteral("-nostats"),
                           QStringLiteral("-progress"),
                           QStringLiteral("pipe:1"),
                           QStringLiteral("-i"),
                           source.path,
                           QStringLiteral("-codec"),
                           QStringLiteral("copy")};
    // Timed text and data streams go into an MP4 only: AVI has no place for them.
    const bool telemetry = isMp4Name(outputPath);
    if (channel == Whole) {
        QVector<int> streams = source.videoStreams + source.audioStreams;
        if (telemetry)
            streams += source.telemetryStreams;
        std::sort(streams.begin(), streams.end());
        for (int stream : streams)
            addMap(&arguments, stream);
    } else {
        addMap(&arguments, source.channelStreams[size_t(channel)]);
        if (!source.audioStreams.isEmpty())
            addMap(&arguments, source.audioStreams.first());
        if (telemetry) {
            for (int stream : source.telemetryStreams)
                addMap(&arguments, stream);
        }
    }
    arguments << outputPath;
    return arguments;
}

QString ExportPlan::clipName(const QString &recordingFileName, double from)
{
    const QString base = QFileInfo(recordingFileName).completeBaseName();
    static const QRegularExpression stamp(QStringLiteral("^(\\d{8}_\\d{6})"));
    const QRegularExpressionMatch match = stamp.match(base);
    if (match.hasMatch()) {
        QDateTime start
                = QDateTime::fromString(match.captured(1), QStringLiteral("yyyyMMdd_HHmmss"));
        start.setTimeSpec(Qt::UTC);
        if (start.isValid()) {
            const QString moved = start.addSecs(qint64(std::floor(from)))
                                          .toString(QStringLiteral("yyyyMMdd_HHmmss"));
            return moved + base.mid(15) + QStringLiteral("_clip.mp4");
        }
    }
    return QStringLiteral("%1_%2s_clip.mp4").arg(base, QString::number(from, 'f', 1));
}

QStringList ExportPlan::clipArguments(const Source &source,
                                      const Span &span,
                                      const QString &outputPath)
{
    QStringList arguments {QStringLiteral("-y"),
                           QStringLiteral("-nostats"),
                           QStringLiteral("-progress"),
                           QStringLiteral("pipe:1")};
    if (TripTimeline::isConcatList(source.path))
        arguments << QStringLiteral("-f") << QStringLiteral("concat") << QStringLiteral("-safe")
                  << QStringLiteral("0");
    // Seeking the input: a stream copy starts at the key frame at or before the mark, with the
    // frames before the mark kept for decoding and hidden by the edit list; a re-encode drops
    // them.
    // A trip's list starts at its audio's priming, a few milliseconds below 0: counted from
    // there, the mark's picture would be dropped as early and the clip would start a frame late.
    const double seekFrom = std::max(0.0, span.from - source.startTime);
    arguments << QStringLiteral("-ss") << seconds(seekFrom) << QStringLiteral("-i") << source.path
              << QStringLiteral("-t") << seconds(span.to - span.from);
    QVector<int> streams;
    for (Channel channel : span.channels)
        streams << source.channelStreams[size_t(channel)];
    std::sort(streams.begin(), streams.end());
    for (int stream : qAsConst(streams))
        addMap(&arguments, stream);
    if (!source.audioStreams.isEmpty())
        addMap(&arguments, source.audioStreams.first());
    if (span.exact) {
        // Every picture at the size of the first recording's, so that the encoder takes the
        // pictures of a trip whose recordings differ.
        for (int i = 0; i < streams.size(); ++i) {
            const int at = source.videoStreams.indexOf(streams.at(i));
            const QSize size
                    = at >= 0 && at < source.videoSizes.size() ? source.videoSizes.at(at) : QSize();
            if (size.width() > 0 && size.height() > 0)
                arguments << QStringLiteral("-filter:v:%1").arg(i)
                          << QStringLiteral("scale=%1:%2").arg(size.width()).arg(size.height());
        }
        arguments << QStringLiteral("-c:v") << QStringLiteral("libx264") << QStringLiteral("-crf")
                  << QString::number(ExactCrf) << QStringLiteral("-preset")
                  << QStringLiteral("veryfast") << QStringLiteral("-c:a")
                  << QStringLiteral("aac")
                  // each picture once, at its own time: no picture doubled or dropped where
                  // the recordings of a trip meet
                  << QStringLiteral("-fps_mode") << QStringLiteral("passthrough");
    } else {
        arguments << QStringLiteral("-codec") << QStringLiteral("copy");
    }
    arguments << QStringLiteral("-f") << QStringLiteral("mp4") << outputPath;
    return arguments;
}

bool ExportPlan::isMp4Name(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("mp4") || suffix == QLatin1String("mov")
            || suffix == QLatin1String("m4v");
}
