#include "evidencepackage.h"

#include "media/evidencemanifest.h"
#include "media/mediainfo.h"
#include "momentreport.h"
#include "playlist/folderscanner.h"
#include "playlist/recordingname.h"
#include "playlist/trackexport.h"
#include "vistrelversion.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cmath>

namespace {

// The share of the progress the clip's conversion takes; the files after it take the rest.
constexpr int ClipPercent = 90;

// The moment a recording's name gives (camera clock, as UTC); invalid when it gives none.
QDateTime recordingStart(const QString &path)
{
    PlayListEntry entry;
    if (RecordingName::parse(QFileInfo(path), &entry.date, &entry.time, &entry.type) < 0)
        return QDateTime();
    return FolderScanner::rowDateTime(entry);
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

} // namespace

EvidencePackage::EvidencePackage(QObject *parent)
    : QObject(parent)
    , m_job(new ExportJob(this))
{
    qRegisterMetaType<EvidencePackage::Result>();
    connect(m_job, &ExportJob::finished, this, &EvidencePackage::clipFinished);
    connect(m_job, &ExportJob::progress, this, [this](int percent) {
        emit progress(percent * ClipPercent / 100);
    });
}

EvidencePackage::~EvidencePackage()
{
    if (m_running) {
        // The job removes the clip it is writing; the rest is removed here.
        m_job->disconnect(this);
        m_job->cancel();
        removeWritten();
    }
}

bool EvidencePackage::prepare(const Request &request, QString *error)
{
    if (m_running) {
        *error = QStringLiteral("a clip is being written");
        return false;
    }
    m_prepared = false;
    m_request = request;
    m_trip = TripTimeline();
    m_listFolder.reset();
    if (request.inputs.isEmpty()) {
        *error = QStringLiteral("no recording");
        return false;
    }
    QStringList inputs;
    for (const QString &input : request.inputs) {
        inputs << QFileInfo(input).absoluteFilePath();
        if (!QFileInfo(inputs.last()).isFile()) {
            *error = QStringLiteral("%1: no such file").arg(inputs.last());
            return false;
        }
    }
    m_request.inputs = inputs;

    // One recording, or the recordings of a trip end to end through a concat list.
    QString sourcePath = inputs.first();
    if (inputs.size() > 1) {
        QVector<TripTimeline::File> files;
        for (const QString &input : qAsConst(inputs)) {
            MediaInfo info;
            const int ret = info.init(input);
            if (ret < 0 || info.duration() <= 0) {
                *error = QStringLiteral("%1: cannot be read (%2)").arg(input).arg(ret);
                return false;
            }
            files << TripTimeline::File {input, int64_t(std::llround(info.duration() * 1e6))};
        }
        m_trip = TripTimeline(files);
        m_listFolder = std::make_unique<QTemporaryDir>();
        sourcePath = m_listFolder->filePath(QStringLiteral("trip.ffconcat"));
        if (!m_listFolder->isValid() || !writeWhole(sourcePath, m_trip.toConcatList(), error))
            return false;
    }

    ExportPlan::Source source;
    if (!ExportPlan::probe(sourcePath, &source, error))
        return false;
    const QString clipName
            = ExportPlan::clipName(QFileInfo(inputs.first()).fileName(), request.span.from);
    const QString stem = clipName.left(clipName.size() - int(qstrlen("_clip.mp4")));
    m_folder = QFileInfo(request.folder).absoluteFilePath();
    if (request.evidence)
        m_folder += QLatin1Char('/') + stem + QStringLiteral("_evidence");
    m_plan = ExportPlan(source, request.span, m_folder);
    if (!m_plan.isValid()) {
        *error = QStringLiteral("%1: %2").arg(sourcePath, m_plan.problemText());
        return false;
    }
    const QDir dir(m_folder);
    m_clip = m_plan.outputPaths().first();
    m_gpx = dir.filePath(stem + QStringLiteral("_clip.gpx"));
    m_csv = dir.filePath(stem + QStringLiteral("_clip.csv"));
    m_report = dir.filePath(stem + QStringLiteral("_report.pdf"));
    m_manifest = dir.filePath(QLatin1String(EvidenceManifest::ManifestName));
    m_sums = dir.filePath(QLatin1String(EvidenceManifest::SumsName));
    m_outputs = QStringList {m_clip, m_gpx, m_csv};
    if (request.evidence)
        m_outputs << m_report << m_manifest << m_sums;
    for (const QString &output : qAsConst(m_outputs)) {
        if (inputs.contains(output)) {
            *error = QStringLiteral("%1 is a source recording").arg(output);
            return false;
        }
    }
    m_prepared = true;
    return true;
}

QStringList EvidencePackage::existingOutputs() const
{
    QStringList existing;
    for (const QString &output : m_outputs) {
        if (QFileInfo::exists(output))
            existing << output;
    }
    return existing;
}

bool EvidencePackage::start()
{
    if (m_running || !m_prepared)
        return false;
    m_written.clear();
    m_cancelled = false;
    m_madeFolder = false;
    if (!QDir(m_folder).exists()) {
        if (!QDir().mkpath(m_folder)) {
            m_running = true;
            Result result;
            result.errorText = QStringLiteral("%1: cannot create the folder").arg(m_folder);
            QMetaObject::invokeMethod(
                    this, [this, result] { finish(result); }, Qt::QueuedConnection);
            return true;
        }
        m_madeFolder = m_request.evidence;
    }
    if (!m_job->start(m_plan)) {
        if (m_madeFolder)
            QDir().rmdir(m_folder);
        return false;
    }
    m_running = true;
    emit progress(0);
    return true;
}

void EvidencePackage::cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    if (m_job->isRunning())
        m_job->cancel();
}

EvidencePackage::Result EvidencePackage::run()
{
    Result result;
    QEventLoop loop;
    const QMetaObject::Connection connection
            = connect(this, &EvidencePackage::finished, &loop, [&](const Result &r) {
                  result = r;
                  loop.quit();
              });
    if (start())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    else
        result.errorText = QStringLiteral("the clip cannot be started");
    disconnect(connection);
    return result;
}

void EvidencePackage::clipFinished(const ExportJob::Result &clip)
{
    Result result;
    if (!clip.ok) {
        result.cancelled = clip.cancelled || m_cancelled;
        result.errorText = result.cancelled ? QStringLiteral("cancelled") : clip.errorText;
        result.converterOutput = clip.converterOutput;
        finish(result);
        return;
    }
    m_written << m_clip;
    QString error;
    result.ok = writeRest(&error);
    if (!result.ok) {
        result.cancelled = m_cancelled;
        result.errorText = m_cancelled ? QStringLiteral("cancelled") : error;
    }
    finish(result);
}

bool EvidencePackage::writeRest(QString *error)
{
    const auto stopped = [this, error] {
        if (m_cancelled)
            *error = QStringLiteral("cancelled");
        return m_cancelled;
    };
    for (const auto &track :
         {qMakePair(m_gpx, TrackExport::Gpx), qMakePair(m_csv, TrackExport::Csv)}) {
        if (stopped())
            return false;
        m_written << track.first;
        if (!TrackExport::writeFile(m_clip, track.second, track.first, error))
            return false;
    }
    if (!m_request.evidence)
        return !stopped();
    emit progress(ClipPercent + 2);

    // The report of the in mark, from the recording that holds it.
    QString reportSource = m_request.inputs.first();
    double reportTime = m_plan.span().from;
    if (!m_trip.isEmpty()) {
        int64_t fileUs = 0;
        const int index = m_trip.fileAt(int64_t(std::llround(m_plan.span().from * 1e6)), &fileUs);
        reportSource = m_trip.files().at(index).path;
        reportTime = double(fileUs) / 1e6;
    }
    if (stopped())
        return false;
    m_written << m_report;
    if (!MomentReport::write(reportSource, reportTime, m_report, m_request.noMap, nullptr, error))
        return false;
    emit progress(ClipPercent + 6);
    if (stopped())
        return false;
    return writeManifest(error) && !stopped();
}

bool EvidencePackage::writeManifest(QString *error)
{
    QJsonArray sources;
    for (const QString &input : qAsConst(m_request.inputs)) {
        QJsonObject entry;
        entry.insert(QStringLiteral("path"), input);
        const QByteArray sha = EvidenceManifest::fileSha256(input, error);
        if (sha.isEmpty())
            return false;
        entry.insert(QStringLiteral("sha256"), QString::fromLatin1(sha));
        entry.insert(QStringLiteral("bytes"), double(QFileInfo(input).size()));
        const QDateTime start = recordingStart(input);
        if (start.isValid())
            entry.insert(QStringLiteral("recorded"), start.toString(Qt::ISODate));
        sources << entry;
    }
    QVector<EvidenceManifest::Entry> entries;
    QJsonArray files;
    for (const QString &path : {m_clip, m_report, m_gpx, m_csv}) {
        const QByteArray sha = EvidenceManifest::fileSha256(path, error);
        if (sha.isEmpty())
            return false;
        const QString name = QFileInfo(path).fileName();
        entries.append({name, sha});
        QJsonObject entry;
        entry.insert(QStringLiteral("name"), name);
        entry.insert(QStringLiteral("sha256"), QString::fromLatin1(sha));
        entry.insert(QStringLiteral("bytes"), double(QFileInfo(path).size()));
        files << entry;
    }
    QJsonObject marks;
    marks.insert(QStringLiteral("in"), m_plan.span().from);
    marks.insert(QStringLiteral("out"), m_plan.span().to);
    const QDateTime start = recordingStart(m_request.inputs.first());
    if (start.isValid()) {
        marks.insert(QStringLiteral("in_time"),
                     start.addMSecs(std::llround(m_plan.span().from * 1000))
                             .toString(Qt::ISODateWithMs));
        marks.insert(
                QStringLiteral("out_time"),
                start.addMSecs(std::llround(m_plan.span().to * 1000)).toString(Qt::ISODateWithMs));
    }
    QJsonObject content;
    content.insert(QStringLiteral("program"), m_request.program);
    content.insert(QStringLiteral("version"), QStringLiteral(VISTREL_VERSION));
    content.insert(QStringLiteral("created"),
                   QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    content.insert(QStringLiteral("mode"),
                   m_plan.span().exact ? QStringLiteral("exact") : QStringLiteral("lossless"));
    content.insert(QStringLiteral("marks"), marks);
    content.insert(QStringLiteral("sources"), sources);
    content.insert(QStringLiteral("files"), files);
    m_written << m_manifest;
    if (!writeWhole(m_manifest, QJsonDocument(content).toJson(), error))
        return false;
    const QByteArray manifestSha = EvidenceManifest::fileSha256(m_manifest, error);
    if (manifestSha.isEmpty())
        return false;
    entries.append({QLatin1String(EvidenceManifest::ManifestName), manifestSha});
    m_written << m_sums;
    return writeWhole(m_sums, EvidenceManifest::sumsText(entries), error);
}

void EvidencePackage::finish(Result result)
{
    result.folder = m_folder;
    if (result.ok) {
        result.files = m_written;
        emit progress(100);
    } else {
        removeWritten();
    }
    m_running = false;
    emit finished(result);
}

void EvidencePackage::removeWritten()
{
    for (const QString &path : qAsConst(m_written))
        QFile::remove(path);
    m_written.clear();
    if (m_madeFolder)
        QDir().rmdir(m_folder);
    m_madeFolder = false;
}
