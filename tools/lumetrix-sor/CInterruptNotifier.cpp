#include "CInterruptNotifier.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = { -1, -1 };
struct sigaction g_previousInt
{
};
struct sigaction g_previousTerm
{
};

extern "C" void OnInterruptSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds an interruption that has not been seen.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

CInterruptNotifier::CInterruptNotifier(QObject* parent) : QObject(parent)
{
    if (g_pipe[0] >= 0 || ::pipe(g_pipe) != 0)
        return;
    for (const int fd : g_pipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action
    {
    };
    action.sa_handler = OnInterruptSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &g_previousInt);
    sigaction(SIGTERM, &action, &g_previousTerm);
    m_pNotifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CInterruptNotifier::OnReadable);
}

CInterruptNotifier::~CInterruptNotifier()
{
    if (!m_pNotifier)
        return;
    sigaction(SIGINT, &g_previousInt, nullptr);
    sigaction(SIGTERM, &g_previousTerm, nullptr);
    delete m_pNotifier;
    for (int& fd : g_pipe) {
        ::close(fd);
        fd = -1;
    }
}

void CInterruptNotifier::OnReadable()
{
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) { }
    emit sigInterrupted();
}
