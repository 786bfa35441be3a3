#include "clipcommand.h"

#include "media/evidencemanifest.h"
#include "media/exportjob.h"
#include "media/exportplan.h"
#include "media/mediainfo.h"
#include "media/triptimeline.h"
#include "playlist/recordingname.h"
#include "playlist/trackexport.h"
#include "probecommand.h"
#include "reportcommand.h"
#include "toolargs.h"
#include "tooloutput.h"
#include "toolusage.h"
#include "vistrelversion.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cmath>

namespace {

// The moment a recording's name gives (camera clock, as UTC); invalid when it gives none.
QDateTime recordingStart(const QString &path)
{
    QString date, time, type;
    if (RecordingName::parse(QFileInfo(path), &date, &time, &type) < 0)
        return QDateTime();
    return QDateTime(QDate::fromString(date, QStringLiteral("yyyy-MM-dd")),
                     QTime::fromString(time, QStringLiteral("HH:mm:ss")),
                     Qt::UTC);
}

bool parseSeconds(const QString &text, double *seconds)
{
    bool ok = false;
    *seconds = text.toDouble(&ok);
    return ok && std::isfinite(*seconds) && *seconds >= 0;
}

bool parseChannels(const QString &text, QVector<ExportPlan::Channel> *channels)
{
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QString name = part.trimmed().toLower();
        ExportPlan::Channel channel = ExportPlan::Whole;
        if (name == QLatin1String("f"))
            channel = ExportPlan::Front;
        else if (name == QLatin1String("r"))
            channel = ExportPlan::Rear;
        else if (name == QLatin1String("i"))
            channel = ExportPlan::Interior;
        else
            return false;
        if (!channels->contains(channel))
            *channels << channel;
    }
    return !channels->isEmpty();
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

// What this clip wrote so far, removed again when it fails.
class Written
{
public:
    ~Written()
    {
        if (m_kept)
            return;
        for (const QString &path : qAsConst(m_files))
            QFile::remove(path);
        if (!m_folder.isEmpty())
            QDir().rmdir(m_folder);
    }
    void add(const QString &path) { m_files << path; }
    void setCreatedFolder(const QString &folder) { m_folder = folder; }
    void keep() { m_kept = true; }
    const QStringList &files() const { return m_files; }

private:
    QStringList m_files;
    QString m_folder;
    bool m_kept = false;
};

} // namespace

int ClipCommand::run(const QStringList &arguments)
{
    const QString usage = ToolUsage::usage(QStringLiteral("clip"));
    const ToolArgs args(arguments,
                        {QStringLiteral("from"),
                         QStringLiteral("to"),
                         QStringLiteral("out"),
                         QStringLiteral("channels"),
                         QStringLiteral("model")},
                        {QStringLiteral("exact"),
                         QStringLiteral("replace"),
                         QStringLiteral("evidence"),
                         QStringLiteral("no-map")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    ExportPlan::Span span;
    if (args.positionals().isEmpty() || args.value(QStringLiteral("out")).isEmpty()
        || !parseSeconds(args.value(QStringLiteral("from")), &span.from)
        || !parseSeconds(args.value(QStringLiteral("to")), &span.to))
        return ToolOutput::fail(usage, 2);
    if (args.has(QStringLiteral("channels"))
        && !parseChannels(args.value(QStringLiteral("channels")), &span.channels))
        return ToolOutput::fail(QStringLiteral("--channels takes f, r and i, comma-separated"), 2);
    span.exact = args.has(QStringLiteral("exact"));
    const bool evidence = args.has(QStringLiteral("evidence"));
    ProbeCommand::applyModel(args.value(QStringLiteral("model")));

    // One recording, or the recordings of a trip end to end through a concat list.
    QStringList inputs;
    for (const QString &input : args.positionals()) {
        inputs << QFileInfo(input).absoluteFilePath();
        if (!QFileInfo(inputs.last()).isFile())
            return ToolOutput::fail(QStringLiteral("%1: no such file").arg(inputs.last()));
    }
    QTemporaryDir listFolder;
    QString sourcePath = inputs.first();
    TripTimeline trip;
    if (inputs.size() > 1) {
        QVector<TripTimeline::File> files;
        for (const QString &input : qAsConst(inputs)) {
            MediaInfo info;
            const int ret = info.init(input);
            if (ret < 0 || info.duration() <= 0)
                return ToolOutput::fail(
                        QStringLiteral("%1: cannot be read (%2)").arg(input).arg(ret));
            files << TripTimeline::File {input, int64_t(std::llround(info.duration() * 1e6))};
        }
        trip = TripTimeline(files);
        sourcePath = listFolder.filePath(QStringLiteral("trip.ffconcat"));
        QString error;
        if (!listFolder.isValid() || !writeWhole(sourcePath, trip.toConcatList(), &error))
            return ToolOutput::fail(error);
    }

    ExportPlan::Source source;
    QString error;
    if (!ExportPlan::probe(sourcePath, &source, &error))
        return ToolOutput::fail(error);
    const QString clipName = ExportPlan::clipName(QFileInfo(inputs.first()).fileName(), span.from);
    const QString stem = clipName.left(clipName.size() - int(qstrlen("_clip.mp4")));
    QString folder = QFileInfo(args.value(QStringLiteral("out"))).absoluteFilePath();
    if (evidence)
        folder += QLatin1Char('/') + stem + QStringLiteral("_evidence");
    const ExportPlan plan(source, span, folder);
    if (!plan.isValid())
        return ToolOutput::fail(QStringLiteral("%1: %2").arg(sourcePath, plan.problemText()));

    const QString clip = plan.outputPaths().first();
    const QDir dir(folder);
    const QString gpx = dir.filePath(stem + QStringLiteral("_clip.gpx"));
    const QString csv = dir.filePath(stem + QStringLiteral("_clip.csv"));
    const QString report = dir.filePath(stem + QStringLiteral("_report.pdf"));
    const QString manifest = dir.filePath(QLatin1String(EvidenceManifest::ManifestName));
    const QString sums = dir.filePath(QLatin1String(EvidenceManifest::SumsName));
    QStringList outputs {clip, gpx, csv};
    if (evidence)
        outputs << report << manifest << sums;
    QStringList existing;
    for (const QString &output : qAsConst(outputs)) {
        if (QFileInfo::exists(output))
            existing << output;
    }
    if (!existing.isEmpty() && !args.has(QStringLiteral("replace"))) {
        return ToolOutput::fail(QStringLiteral("%1 exists already (--replace replaces it)")
                                        .arg(existing.join(QStringLiteral(", "))));
    }

    Written written;
    if (!dir.exists()) {
        if (!QDir().mkpath(folder))
            return ToolOutput::fail(QStringLiteral("%1: cannot create the folder").arg(folder));
        if (evidence)
            written.setCreatedFolder(folder);
    }
    ExportJob job;
    const ExportJob::Result result = job.run(plan);
    if (!result.ok) {
        QString message = QStringLiteral("clip failed: %1").arg(result.errorText);
        if (!result.converterOutput.isEmpty())
            message += QLatin1Char('\n') + result.converterOutput;
        return ToolOutput::fail(message);
    }
    written.add(clip);
    for (const auto &track : {qMakePair(gpx, TrackExport::Gpx), qMakePair(csv, TrackExport::Csv)}) {
        written.add(track.first);
        if (!TrackExport::writeFile(clip, track.second, track.first, &error))
            return ToolOutput::fail(error);
    }

    QJsonObject json;
    json.insert(QStringLiteral("mode"),
                plan.span().exact ? QStringLiteral("exact") : QStringLiteral("lossless"));
    json.insert(QStringLiteral("from"), plan.span().from);
    json.insert(QStringLiteral("to"), plan.span().to);
    if (evidence) {
        // The report of the in mark, from the recording that holds it.
        QString reportSource = inputs.first();
        double reportTime = plan.span().from;
        if (!trip.isEmpty()) {
            int64_t fileUs = 0;
            const int index = trip.fileAt(int64_t(std::llround(plan.span().from * 1e6)), &fileUs);
            reportSource = trip.files().at(index).path;
            reportTime = double(fileUs) / 1e6;
        }
        written.add(report);
        if (!ReportCommand::write(reportSource,
                                  reportTime,
                                  report,
                                  args.has(QStringLiteral("no-map")),
                                  nullptr,
                                  &error))
            return ToolOutput::fail(error);

        QJsonArray sources;
        for (const QString &input : qAsConst(inputs)) {
            QJsonObject entry;
            entry.insert(QStringLiteral("path"), input);
            const QByteArray sha = EvidenceManifest::fileSha256(input, &error);
            if (sha.isEmpty())
                return ToolOutput::fail(error);
            entry.insert(QStringLiteral("sha256"), QString::fromLatin1(sha));
            entry.insert(QStringLiteral("bytes"), double(QFileInfo(input).size()));
            const QDateTime start = recordingStart(input);
            if (start.isValid())
                entry.insert(QStringLiteral("recorded"), start.toString(Qt::ISODate));
            sources << entry;
        }
        QVector<EvidenceManifest::Entry> entries;
        QJsonArray files;
        for (const QString &path : {clip, report, gpx, csv}) {
            const QByteArray sha = EvidenceManifest::fileSha256(path, &error);
            if (sha.isEmpty())
                return ToolOutput::fail(error);
            const QString name = QFileInfo(path).fileName();
            entries.append({name, sha});
            QJsonObject entry;
            entry.insert(QStringLiteral("name"), name);
            entry.insert(QStringLiteral("sha256"), QString::fromLatin1(sha));
            entry.insert(QStringLiteral("bytes"), double(QFileInfo(path).size()));
            files << entry;
        }
        QJsonObject marks;
        marks.insert(QStringLiteral("in"), plan.span().from);
        marks.insert(QStringLiteral("out"), plan.span().to);
        const QDateTime start = recordingStart(inputs.first());
        if (start.isValid()) {
            marks.insert(QStringLiteral("in_time"),
                         start.addMSecs(std::llround(plan.span().from * 1000))
                                 .toString(Qt::ISODateWithMs));
            marks.insert(QStringLiteral("out_time"),
                         start.addMSecs(std::llround(plan.span().to * 1000))
                                 .toString(Qt::ISODateWithMs));
        }
        QJsonObject content;
        content.insert(QStringLiteral("program"), QStringLiteral("vistrel-tool"));
        content.insert(QStringLiteral("version"), QStringLiteral(VISTREL_VERSION));
        content.insert(QStringLiteral("created"),
                       QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
        content.insert(QStringLiteral("mode"), json.value(QStringLiteral("mode")));
        content.insert(QStringLiteral("marks"), marks);
        content.insert(QStringLiteral("sources"), sources);
        content.insert(QStringLiteral("files"), files);
        written.add(manifest);
        if (!writeWhole(manifest, QJsonDocument(content).toJson(), &error))
            return ToolOutput::fail(error);
        const QByteArray manifestSha = EvidenceManifest::fileSha256(manifest, &error);
        if (manifestSha.isEmpty())
            return ToolOutput::fail(error);
        entries.append({QLatin1String(EvidenceManifest::ManifestName), manifestSha});
        written.add(sums);
        if (!writeWhole(sums, EvidenceManifest::sumsText(entries), &error))
            return ToolOutput::fail(error);
        json.insert(QStringLiteral("folder"), folder);
    }
    written.keep();
    json.insert(QStringLiteral("files"), QJsonArray::fromStringList(written.files()));
    ToolOutput::printJson(QJsonDocument(json));
    return 0;
}
