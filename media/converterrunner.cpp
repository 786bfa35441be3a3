#include "converterrunner.h"

#include "avptr.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <vector>

QString ConverterRunner::Result::summary() const
{
    if (!started)
        return QStringLiteral("the converter could not be started");
    if (timedOut)
        return QStringLiteral("the converter was stopped at the time limit");
    if (cancelled)
        return QStringLiteral("the converter was cancelled");
    if (crashed)
        return QStringLiteral("the converter crashed");
    if (exitCode != 0)
        return QStringLiteral("the converter failed with exit code %1").arg(exitCode);
    if (videoPackets <= 0)
        return QStringLiteral("the output holds no video packet");
    return QStringLiteral("%1 video packets written").arg(videoPackets);
}

ConverterRunner::ConverterRunner(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    qRegisterMetaType<ConverterRunner::Result>();
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &ConverterRunner::onTimeout);
}

ConverterRunner::~ConverterRunner()
{
    if (!m_running)
        return;
    m_process->disconnect(this);
    m_process->kill();
    m_process->waitForFinished(5000);
    if (outputRewritten())
        QFile::remove(m_result.outputPath);
}

bool ConverterRunner::start(const QStringList &arguments, const QString &outputPath)
{
    if (m_running)
        return false;
    m_result = Result();
    m_result.outputPath = outputPath;
    m_pendingLine.clear();
    const QFileInfo before(outputPath);
    m_outputExisted = before.exists();
    m_outputSize = before.size();
    m_outputModified = before.lastModified();

    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_process, &QProcess::readyRead, this, &ConverterRunner::onReadyRead);
    connect(m_process,
            qOverload<int, QProcess::ExitStatus>(&QProcess::finished),
            this,
            [this](int exitCode, QProcess::ExitStatus status) {
                onProcessFinished(exitCode, status);
            });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        onProcessError(error);
    });

    m_running = true;
    if (m_timeoutMs > 0)
        m_timer->start(m_timeoutMs);
    // QProcess hands each argument to the program as it is; no shell sees them.
    m_process->start(m_program, arguments, QIODevice::ReadWrite);
    return true;
}

void ConverterRunner::cancel()
{
    if (!m_running || m_result.cancelled)
        return;
    m_result.cancelled = true;
    m_process->kill();
}

ConverterRunner::Result ConverterRunner::run(const QStringList &arguments,
                                             const QString &outputPath)
{
    Result result;
    result.outputPath = outputPath;
    QEventLoop loop;
    bool done = false;
    const QMetaObject::Connection connection
            = connect(this, &ConverterRunner::finished, &loop, [&](const Result &r) {
                  result = r;
                  done = true;
                  loop.quit();
              });
    // Input stays queued until the run is over: whoever waits here keeps the user out anyway
    // (modal dialog, disabled window), and no click must start a second run meanwhile.
    if (start(arguments, outputPath) && !done) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (!done) {
            // The loop was ended from outside (the application quits): the run is given up.
            disconnect(connection);
            cancel();
            result.started = true;
            result.cancelled = true;
        }
    }
    disconnect(connection);
    return result;
}

void ConverterRunner::onReadyRead()
{
    takeOutput(m_process->readAll());
}

void ConverterRunner::takeOutput(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    m_result.errorText.append(QString::fromUtf8(bytes));
    if (m_result.errorText.size() > kMaxErrorText)
        m_result.errorText.remove(0, m_result.errorText.size() - kMaxErrorText);

    m_pendingLine.append(bytes);
    int begin = 0;
    for (int i = 0; i < m_pendingLine.size(); ++i) {
        const char c = m_pendingLine.at(i);
        if (c != '\n' && c != '\r')
            continue;
        if (i > begin)
            emit outputLine(QString::fromUtf8(m_pendingLine.constData() + begin, i - begin));
        begin = i + 1;
    }
    m_pendingLine.remove(0, begin);
    // A line longer than the kept text is of no use to anyone; keep its tail only.
    if (m_pendingLine.size() > kMaxErrorText)
        m_pendingLine.remove(0, m_pendingLine.size() - kMaxErrorText);
}

void ConverterRunner::onProcessFinished(int exitCode, int exitStatus)
{
    if (!m_running)
        return;
    m_result.started = true;
    if (exitStatus == QProcess::NormalExit)
        m_result.exitCode = exitCode;
    else if (!m_result.timedOut && !m_result.cancelled)
        m_result.crashed = true;
    complete();
}

void ConverterRunner::onProcessError(int error)
{
    // Every other error is followed by finished(); a failed start is not.
    if (!m_running || error != QProcess::FailedToStart)
        return;
    m_result.started = false;
    m_result.errorText = m_process->errorString();
    complete();
}

void ConverterRunner::onTimeout()
{
    if (!m_running || m_result.cancelled)
        return;
    m_result.timedOut = true;
    m_process->kill();
}

void ConverterRunner::complete()
{
    m_timer->stop();
    if (m_result.started) {
        takeOutput(m_process->readAll());
        if (!m_pendingLine.isEmpty())
            emit outputLine(QString::fromUtf8(m_pendingLine));
        m_pendingLine.clear();
    }
    if (m_result.started && !m_result.timedOut && !m_result.cancelled && !m_result.crashed
        && m_result.exitCode == 0) {
        for (qint64 count : videoPacketCounts(m_result.outputPath))
            m_result.videoPackets += count;
    }
    if (!m_result.ok() && outputRewritten())
        QFile::remove(m_result.outputPath);
    m_running = false;
    // The process is still inside its own signal (and a slot of finished() may start the
    // next run), so it goes later.
    m_process->disconnect(this);
    m_process->deleteLater();
    m_process = nullptr;
    emit finished(m_result);
}

bool ConverterRunner::outputRewritten() const
{
    const QFileInfo after(m_result.outputPath);
    if (!after.exists())
        return false;
    return !m_outputExisted || after.size() != m_outputSize
            || after.lastModified() != m_outputModified;
}

QVector<qint64> ConverterRunner::videoPacketCounts(const QString &path)
{
    AVFormatContext *raw = nullptr;
    if (avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr) < 0)
        return {};
    av::FormatContextPtr ctx(raw);
    av::PacketPtr packet = av::makePacket();
    if (!packet)
        return {};

    QVector<qint64> counts;
    std::vector<int> ordinal; // stream index -> position among the video streams, or -1
    // Streams may appear while packets are read; number them as they come.
    auto numberStreams = [&] {
        for (unsigned i = static_cast<unsigned>(ordinal.size()); i < ctx->nb_streams; ++i) {
            AVStream *stream = ctx->streams[i];
            if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
                ordinal.push_back(counts.size());
                counts.append(0);
            } else {
                ordinal.push_back(-1);
                stream->discard = AVDISCARD_ALL; // no need to read what is not counted
            }
        }
    };
    numberStreams();
    while (av_read_frame(ctx.get(), packet.get()) >= 0) {
        numberStreams();
        const int index = packet->stream_index;
        if (index >= 0 && static_cast<size_t>(index) < ordinal.size() && ordinal[index] >= 0
            && packet->size > 0)
            ++counts[ordinal[index]];
        av_packet_unref(packet.get());
    }
    return counts;
}
