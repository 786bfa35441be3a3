#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

// The connectivity probe of the map panel: runs the system's ping once every period against
// one host and reports whether it answered. "ping -c 1 -W 6 HOST": one echo request, 6 seconds
// for the answer. A ping still running at the next tick is killed; a ping that cannot start,
// crashes or is killed reports nothing.
//
// Threads: GUI thread (a timer and a child process of the thread's event loop).
class Pinger : public QObject
{
    Q_OBJECT

public:
    // Seconds the probe waits for the answer.
    static constexpr int ReplyTimeoutSeconds = 6;
    // How long a ping left over from the previous tick may take to die.
    static constexpr int KillWaitMs = 3000;

    explicit Pinger(QObject *parent = nullptr);
    ~Pinger() override;

    // Stores the host and period, starts the repeating timer and pings once at once. Calling it
    // again changes host and period; a ping under way is left to finish.
    void start(const QString &host, int periodSeconds);
    void stop();

    QString host() const { return m_host; }
    int periodSeconds() const { return m_periodSeconds; }
    bool isActive() const { return m_timer.isActive(); }

    // The program and its arguments for one probe of host.
    static QString program() { return QStringLiteral("ping"); }
    static QStringList arguments(const QString &host);

signals:
    void pong(bool ok);

public slots:
    void onTimer();
    void onReadyRead();
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    QString m_host;
    int m_periodSeconds = 0;
    QTimer m_timer;
    QProcess m_process;
    bool m_connected = false;
};
