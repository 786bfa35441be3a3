#include "interruptwatcher.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::atomic<int> writeEnd {-1};

const int watched[] = {SIGINT, SIGTERM};

extern "C" void onInterrupt(int signalNumber)
{
    const int saved = errno;
    const int fd = writeEnd.load();
    if (fd >= 0) {
        const unsigned char number = static_cast<unsigned char>(signalNumber);
        [[maybe_unused]] const ssize_t written = ::write(fd, &number, 1);
    }
    errno = saved;
}

void setAction(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : watched)
        sigaction(signalNumber, &action, nullptr);
}

} // namespace

InterruptWatcher::InterruptWatcher(QObject *parent)
    : QObject(parent)
{
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_pipe[0] = m_pipe[1] = -1;
        return;
    }
    writeEnd.store(m_pipe[1]);
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InterruptWatcher::readPipe);
    setAction(onInterrupt);
}

InterruptWatcher::~InterruptWatcher()
{
    setAction(SIG_DFL);
    writeEnd.store(-1);
    delete m_notifier;
    for (int fd : m_pipe) {
        if (fd >= 0)
            ::close(fd);
    }
}

void InterruptWatcher::readPipe()
{
    unsigned char number = 0;
    bool any = false;
    while (::read(m_pipe[0], &number, 1) == 1)
        any = true;
    if (!any || m_received != 0)
        return;
    m_received = number;
    setAction(SIG_DFL);
    emit interrupted(m_received);
}
