#include "exportplan.h"

#include "mediainfo.h"

#include <QFileInfo>

#include <algorithm>

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
    for (const StreamInfo &stream : info.streamInfos()) {
        switch (stream.mediaType) {
        case AVMEDIA_TYPE_VIDEO:
            source->videoStreams << stream.index;
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
    return true;
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

bool ExportPlan::isMp4Name(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("mp4") || suffix == QLatin1String("mov")
            || suffix == QLatin1String("m4v");
}
