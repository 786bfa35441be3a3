#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// One child program measured the way a shell's `time` would: wall time from start to exit, and
// the CPU seconds (user + system) and peak resident set that wait4 reports for it and the
// children it waited for. stdout goes to a file or /dev/null, stderr to a file or /dev/null.
//
// Threads: one thread creates, starts and waits for it. Several may run at the same time.
class ChildRun
{
public:
    struct Result
    {
        bool started = false;
        bool finished = false; // exited by itself before the time limit
        int exitCode = -1; // -1 when it did not exit normally
        double wallSeconds = 0;
        double cpuSeconds = 0;
        double maxRssMb = 0;
        QString error; // why it did not start or finish
    };

    // program: an absolute path or a name looked up in PATH. env: variables to set (an empty
    // value removes the variable) on top of this process's environment.
    ChildRun(const QString &program,
             const QStringList &arguments,
             const QString &stdoutPath = QString(),
             const QString &stderrPath = QString(),
             const QMap<QString, QString> &env = {});
    ~ChildRun();
    ChildRun(const ChildRun &) = delete;
    ChildRun &operator=(const ChildRun &) = delete;

    bool start();
    // Waits until the child exits, killing it after timeoutMs.
    Result wait(int timeoutMs);

    // Starts and waits in one go.
    static Result run(const QString &program,
                      const QStringList &arguments,
                      int timeoutMs,
                      const QString &stdoutPath = QString(),
                      const QMap<QString, QString> &env = {});
    // The absolute path of a program in PATH, or an empty string.
    static QString find(const QString &program);
    // The same measures for this process so far: CPU seconds (user + system) and peak RSS.
    static double ownCpuSeconds();
    static double ownMaxRssMb();

private:
    QString m_program;
    QStringList m_arguments;
    QString m_stdoutPath;
    QString m_stderrPath;
    QMap<QString, QString> m_env;
    pid_t m_pid = -1;
    qint64 m_startNs = 0;
    Result m_result;
};
