#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a signal of the event loop, so that a long command (an export,
// a clip) can cancel its work and remove what it wrote instead of dying half-way with a partial
// file on the disk. The handler only writes the signal's number into a pipe; the notifier reads
// it on the owning thread. After the first interrupt the default actions are restored, so that
// a second Ctrl-C ends a command whose cancel hangs.
//
// One watcher at a time per process.
//
// Threads: created, used and destroyed on the main thread; the handler runs on whichever
// thread the kernel picks and touches only the pipe's write end (an atomic int).
class InterruptWatcher : public QObject
{
    Q_OBJECT

public:
    explicit InterruptWatcher(QObject *parent = nullptr);
    ~InterruptWatcher() override;

    // The number of the signal that arrived (0: none yet).
    int received() const { return m_received; }
    // The exit status a shell reports for a process ended by that signal (128 + its number).
    int exitCode() const { return 128 + m_received; }

signals:
    void interrupted(int signalNumber);

private:
    void readPipe();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    int m_received = 0;
};
