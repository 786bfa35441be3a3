#include "exportjob.h"

#include "atomreader.h"
#include "enginelog.h"
#include "mp4atoms.h"
#include "telemetryclip.h"

#include <QDebug>
#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

namespace {

// Lines of the converter kept for the report of a failed run.
constexpr int kKeptLines = 20;

// The converter's "-progress" output: "key=value" lines.
bool isProgressLine(const QString &line)
{
    static const QRegularExpression pattern(QStringLiteral("^[a-z0-9_]+="));
    return pattern.match(line).hasMatch();
}

} // namespace

ExportJob::ExportJob(QObject *parent)
    : QObject(parent)
    , m_copyTimer(new QTimer(this))
{
    qRegisterMetaType<ExportJob::Result>();
    m_copyTimer->setInterval(0);
    connect(m_copyTimer, &QTimer::timeout, this, &ExportJob::copyChunk);
    connect(&m_runner, &ConverterRunner::outputLine, this, &ExportJob::onConverterLine);
    connect(&m_runner, &ConverterRunner::finished, this, &ExportJob::onConverterFinished);
}

ExportJob::~ExportJob()
{
    if (!m_running)
        return;
    // The runner kills its converter and removes that output itself when it goes.
    m_runner.disconnect(this);
    if (m_copyOut.isOpen()) {
        m_copyOut.close();
        m_copyOut.remove();
    }
    removeWritten();
}

bool ExportJob::start(const ExportPlan &plan)
{
    if (m_running || !plan.isValid() || plan.steps().isEmpty())
        return false;
    m_plan = plan;
    m_running = true;
    m_cancelling = false;
    m_step = -1;
    m_written.clear();
    m_percent = -1;
    m_atom.clear();
    for (const ExportPlan::Step &step : plan.steps()) {
        if (!step.addTelemetryAtom)
            continue;
        AtomReader::Status status = AtomReader::Status::NotFound;
        if (step.cutTelemetry)
            m_atom = TelemetryClip::cutRecording(
                    plan.source().telemetryPath, plan.span().from, plan.span().to);
        else
            m_atom = AtomReader::readTelemetry(plan.source().telemetryPath, &status);
        qCDebug(lcEngine).noquote() << "ExportJob: telemetry atom of" << plan.source().telemetryPath
                                    << ":" << m_atom.size() << "bytes";
        break;
    }
    // The first step begins from the event loop, so that finished() never comes before this
    // returns.
    QMetaObject::invokeMethod(this, &ExportJob::nextStep, Qt::QueuedConnection);
    return true;
}

void ExportJob::cancel()
{
    if (!m_running || m_cancelling)
        return;
    qCDebug(lcEngine).noquote() << "ExportJob: cancel";
    m_cancelling = true;
    if (m_runner.isRunning()) {
        m_runner.cancel(); // its finished() ends the export
        return;
    }
    if (m_copyOut.isOpen()) {
        m_copyTimer->stop();
        m_copyIn.close();
        m_copyOut.close();
        m_copyOut.remove();
    }
    QMetaObject::invokeMethod(this, &ExportJob::finishCancelled, Qt::QueuedConnection);
}

ExportJob::Result ExportJob::run(const ExportPlan &plan)
{
    Result result;
    QEventLoop loop;
    bool done = false;
    const QMetaObject::Connection connection
            = connect(this, &ExportJob::finished, &loop, [&](const Result &r) {
                  result = r;
                  done = true;
                  loop.quit();
              });
    if (!start(plan)) {
        disconnect(connection);
        result.errorText = plan.isValid() ? QStringLiteral("an export is running already")
                                          : plan.problemText();
        return result;
    }
    if (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(connection);
    return result;
}

void ExportJob::nextStep()
{
    if (!m_running)
        return;
    if (m_cancelling) {
        finishCancelled();
        return;
    }
    ++m_step;
    const QVector<ExportPlan::Step> &steps = m_plan.steps();
    if (m_step >= steps.size()) {
        setStepFraction(0);
        Result result;
        result.ok = true;
        result.outputs = m_written;
        complete(result);
        return;
    }
    const ExportPlan::Step &step = steps.at(m_step);
    qCDebug(lcEngine).noquote() << "ExportJob: step" << m_step + 1 << "of" << steps.size() << "->"
                                << step.outputPath;
    emit stepStarted(m_step, steps.size(), step.outputPath);
    setStepFraction(0);
    if (step.byteCopy) {
        startCopy(step);
        return;
    }
    qCDebug(lcEngine).noquote() << "ExportJob: ffmpeg" << step.arguments;
    m_missingFile = false;
    m_converterLines.clear();
    if (!m_runner.start(step.arguments, step.outputPath))
        fail(step.outputPath, QStringLiteral("the converter is busy"), false);
}

void ExportJob::startCopy(const ExportPlan::Step &step)
{
    m_copyIn.setFileName(m_plan.source().path);
    m_copyOut.setFileName(step.outputPath);
    if (!m_copyIn.open(QIODevice::ReadOnly)) {
        fail(step.outputPath,
             QStringLiteral("%1: %2").arg(m_copyIn.fileName(), m_copyIn.errorString()),
             false);
        return;
    }
    if (!m_copyOut.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const QString text = QStringLiteral("%1: %2").arg(step.outputPath, m_copyOut.errorString());
        m_copyIn.close();
        fail(step.outputPath, text, false);
        return;
    }
    m_copyTimer->start();
}

void ExportJob::copyChunk()
{
    const QString output = m_copyOut.fileName();
    const QByteArray chunk = m_copyIn.read(CopyChunkSize);
    const bool readFailed = chunk.isEmpty() && !m_copyIn.atEnd();
    if (readFailed || (!chunk.isEmpty() && m_copyOut.write(chunk) != chunk.size())) {
        const QString text = readFailed
                ? QStringLiteral("%1: %2").arg(m_copyIn.fileName(), m_copyIn.errorString())
                : QStringLiteral("%1: %2").arg(output, m_copyOut.errorString());
        m_copyTimer->stop();
        m_copyIn.close();
        m_copyOut.close();
        fail(output, text, true);
        return;
    }
    const qint64 total = m_copyIn.size();
    setStepFraction(total > 0 ? double(m_copyIn.pos()) / double(total) : 1.0);
    if (!m_copyIn.atEnd())
        return;

    m_copyTimer->stop();
    const QDateTime modified = QFileInfo(m_copyIn).lastModified();
    m_copyIn.close();
    const bool flushed = m_copyOut.flush();
    const QString error = m_copyOut.errorString();
    m_copyOut.close();
    if (!flushed || QFileInfo(output).size() != total) {
        fail(output, QStringLiteral("%1: not written in full: %2").arg(output, error), true);
        return;
    }
    // The copy keeps the recording's time as well as its bytes.
    if (m_copyOut.open(QIODevice::ReadWrite)) {
        m_copyOut.setFileTime(modified, QFileDevice::FileModificationTime);
        m_copyOut.close();
    }
    m_written << output;
    nextStep();
}

void ExportJob::onConverterLine(const QString &line)
{
    emit outputLine(line);
    if (line.contains(QLatin1String("No such file")))
        m_missingFile = true;
    if (!isProgressLine(line)) {
        m_converterLines << line;
        if (m_converterLines.size() > kKeptLines)
            m_converterLines.removeFirst();
        return;
    }
    const double duration = m_plan.steps().at(m_step).duration;
    if (line == QLatin1String("progress=end")) {
        setStepFraction(1);
    } else if (line.startsWith(QLatin1String("out_time_us=")) && duration > 0) {
        bool ok = false;
        const double us = line.mid(12).toDouble(&ok);
        if (ok && us >= 0)
            setStepFraction(std::min(1.0, us / (duration * 1e6)));
    }
}

void ExportJob::onConverterFinished(const ConverterRunner::Result &run)
{
    if (!m_running)
        return;
    if (m_cancelling) {
        finishCancelled();
        return;
    }
    const ExportPlan::Step &step = m_plan.steps().at(m_step);
    if (!run.ok() || m_missingFile) {
        qCDebug(lcEngine).noquote()
                << "ExportJob:" << step.outputPath << "failed:" << run.summary();
        // The runner removed what a failed run wrote; a run that "succeeded" while reporting
        // a missing file left its output.
        fail(step.outputPath,
             m_missingFile && run.ok() ? QStringLiteral("the converter reports a missing file")
                                       : run.summary(),
             run.ok());
        return;
    }
    qCDebug(lcEngine).noquote() << "ExportJob:" << step.outputPath << run.summary();
    if (step.addTelemetryAtom && !m_atom.isEmpty()) {
        QString error;
        if (!addTelemetryAtom(step.outputPath, &error)) {
            fail(step.outputPath, error, true);
            return;
        }
    }
    m_written << step.outputPath;
    nextStep();
}

bool ExportJob::addTelemetryAtom(const QString &outputPath, QString *error)
{
    if (!Mp4Atoms::appendUserDataToFile(outputPath, "tlmd", m_atom, error))
        return false;
    AtomReader::Status status = AtomReader::Status::NotFound;
    if (AtomReader::readTelemetry(outputPath, &status) != m_atom) {
        *error = QStringLiteral("%1: the telemetry atom does not read back").arg(outputPath);
        return false;
    }
    qCDebug(lcEngine).noquote() << "ExportJob: telemetry atom written into" << outputPath;
    return true;
}

void ExportJob::setStepFraction(double fraction)
{
    const int count = m_plan.steps().size();
    const double done = count > 0 ? (std::max(0, m_step) + fraction) / count : 1.0;
    const int percent = std::clamp(int(done * 100.0), 0, 100);
    if (percent == m_percent)
        return;
    m_percent = percent;
    emit progress(percent);
}

void ExportJob::fail(const QString &output, const QString &text, bool removeOutput)
{
    qCDebug(lcEngine).noquote() << "ExportJob: failed:" << output << text;
    if (removeOutput)
        QFile::remove(output);
    removeWritten();
    Result result;
    result.failedOutput = output;
    result.errorText = text;
    result.converterOutput = m_converterLines.join(QLatin1Char('\n'));
    complete(result);
}

void ExportJob::finishCancelled()
{
    if (!m_running)
        return;
    removeWritten();
    Result result;
    result.cancelled = true;
    result.errorText = QStringLiteral("cancelled");
    complete(result);
}

void ExportJob::removeWritten()
{
    for (const QString &path : qAsConst(m_written)) {
        if (!QFile::remove(path))
            qCDebug(lcEngine).noquote() << "ExportJob: could not remove" << path;
    }
    m_written.clear();
}

void ExportJob::complete(Result result)
{
    m_running = false;
    m_cancelling = false;
    emit finished(result);
}
