#include "childrun.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <cmath>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <vector>

namespace {

qint64 monotonicNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<qint64>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

double seconds(const timeval &tv)
{
    return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6;
}

} // namespace

ChildRun::ChildRun(const QString &program,
                   const QStringList &arguments,
                   const QString &stdoutPath,
                   const QString &stderrPath,
                   const QMap<QString, QString> &env)
    : m_program(program)
    , m_arguments(arguments)
    , m_stdoutPath(stdoutPath)
    , m_stderrPath(stderrPath)
    , m_env(env)
{ }

ChildRun::~ChildRun()
{
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
}

QString ChildRun::find(const QString &program)
{
    if (program.contains(QLatin1Char('/')))
        return access(program.toLocal8Bit().constData(), X_OK) == 0 ? program : QString();
    return QStandardPaths::findExecutable(program);
}

bool ChildRun::start()
{
    const QString path = find(m_program);
    if (path.isEmpty()) {
        m_result.error = QStringLiteral("%1 not found").arg(m_program);
        return false;
    }
    // Everything the child needs is prepared before fork: after it only async-signal-safe
    // calls are allowed.
    std::vector<QByteArray> argStore;
    argStore.push_back(path.toLocal8Bit());
    for (const QString &a : m_arguments)
        argStore.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : argStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto it = m_env.cbegin(); it != m_env.cend(); ++it) {
        if (it.value().isEmpty())
            environment.remove(it.key());
        else
            environment.insert(it.key(), it.value());
    }
    std::vector<QByteArray> envStore;
    for (const QString &entry : environment.toStringList())
        envStore.push_back(entry.toLocal8Bit());
    std::vector<char *> envp;
    for (QByteArray &e : envStore)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const QByteArray outPath
            = m_stdoutPath.isEmpty() ? QByteArray("/dev/null") : m_stdoutPath.toLocal8Bit();
    const QByteArray errPath
            = m_stderrPath.isEmpty() ? QByteArray("/dev/null") : m_stderrPath.toLocal8Bit();

    m_startNs = monotonicNs();
    const pid_t pid = fork();
    if (pid < 0) {
        m_result.error = QStringLiteral("fork failed");
        return false;
    }
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0)
            _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    m_pid = pid;
    m_result.started = true;
    return true;
}

ChildRun::Result ChildRun::wait(int timeoutMs)
{
    if (m_pid <= 0)
        return m_result;
    int status = 0;
    rusage usage {};
    bool killed = false;
    for (;;) {
        const pid_t done = wait4(m_pid, &status, WNOHANG, &usage);
        if (done == m_pid)
            break;
        if (done < 0) {
            m_result.error = QStringLiteral("wait4 failed");
            m_pid = -1;
            return m_result;
        }
        if (!killed && (monotonicNs() - m_startNs) / 1000000 > timeoutMs) {
            kill(m_pid, SIGKILL);
            killed = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    m_pid = -1;
    m_result.wallSeconds = static_cast<double>(monotonicNs() - m_startNs) / 1e9;
    m_result.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    m_result.maxRssMb = static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB
    if (WIFEXITED(status))
        m_result.exitCode = WEXITSTATUS(status);
    m_result.finished = !killed && WIFEXITED(status);
    if (killed)
        m_result.error = QStringLiteral("killed after %1 s").arg(timeoutMs / 1000);
    else if (!WIFEXITED(status))
        m_result.error = QStringLiteral("ended by signal %1").arg(WTERMSIG(status));
    else if (m_result.exitCode == 127)
        m_result.error = QStringLiteral("could not be started");
    return m_result;
}

ChildRun::Result ChildRun::run(const QString &program,
                               const QStringList &arguments,
                               int timeoutMs,
                               const QString &stdoutPath,
                               const QMap<QString, QString> &env)
{
    ChildRun child(program, arguments, stdoutPath, QString(), env);
    if (!child.start())
        return child.m_result;
    return child.wait(timeoutMs);
}

double ChildRun::ownCpuSeconds()
{
    rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return std::nan("");
    return double(usage.ru_utime.tv_sec) + usage.ru_utime.tv_usec / 1e6
            + double(usage.ru_stime.tv_sec) + usage.ru_stime.tv_usec / 1e6;
}

double ChildRun::ownMaxRssMb()
{
    rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return std::nan("");
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB
}
