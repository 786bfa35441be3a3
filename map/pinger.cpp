#include "pinger.h"

#include "telemetry/maplog.h"

#include <QDebug>

Pinger::Pinger(QObject *parent)
    : QObject(parent)
{
    // Everything ping prints is read and dropped; merged, neither pipe can fill up.
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

Pinger::~Pinger()
{
    m_timer.stop();
    // The process must not outlive its object: a ping that is still running is ended here.
    if (m_process.state() != QProcess::NotRunning) {
        m_process.disconnect(this);
        m_process.kill();
        m_process.waitForFinished(KillWaitMs);
    }
}

QStringList Pinger::arguments(const QString &host)
{
    // "--" so that nothing in the host is read as an option.
    return {QStringLiteral("-c"),
            QStringLiteral("1"),
            QStringLiteral("-W"),
            QString::number(ReplyTimeoutSeconds),
            QStringLiteral("--"),
            host};
}

void Pinger::start(const QString &host, int periodSeconds)
{
    m_host = host;
    m_periodSeconds = periodSeconds;
    if (!m_connected) {
        connect(&m_process, &QProcess::readyRead, this, &Pinger::onReadyRead);
        connect(&m_process,
                QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                this,
                &Pinger::onFinished);
        connect(&m_timer, &QTimer::timeout, this, &Pinger::onTimer);
        m_connected = true;
    }
    m_timer.setInterval(periodSeconds * 1000);
    m_timer.setSingleShot(false);
    m_timer.start();
    onTimer();
}

void Pinger::stop()
{
    m_timer.stop();
}

void Pinger::onTimer()
{
    if (m_process.state() != QProcess::NotRunning) {
        qCDebug(lcMap).noquote() << "process still running, force kill";
        m_process.kill();
        const bool killed = m_process.waitForFinished(KillWaitMs);
        qCDebug(lcMap).noquote() << "killed? " << killed;
        if (!killed)
            return; // still there: try again at the next tick rather than start a second one
    }
    m_process.start(program(), arguments(m_host), QIODevice::ReadWrite);
}

void Pinger::onReadyRead()
{
    m_process.readAll();
}

void Pinger::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    qCDebug(lcMap).noquote() << "ping finished " << exitCode << ", " << exitStatus;
    if (exitStatus == QProcess::NormalExit)
        emit pong(exitCode == 0);
}
