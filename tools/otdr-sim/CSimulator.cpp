#include "CSimulator.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_showClock = 0;

extern "C" void OnSignal(int signal)
{
    if (signal == SIGUSR1)
        g_showClock = 1;
    else
        g_stop = 1;
}

// Bytes written to the port at a time.
constexpr qint64 kWriteChunk = 65536;

} // namespace

CSimulator::CSimulator(const COtdrInstrument::tOptions& options) : m_options(options)
{
}

void CSimulator::Log(const QString& text)
{
    const QByteArray line = QStringLiteral("otdr-sim %1 %2\n")
                                .arg(QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")), text)
                                .toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

int CSimulator::Run(const QString& linkPath)
{
    QString error;
    if (!m_terminal.Open(error)) {
        Log(tr("Cannot open a pseudo-terminal: %1").arg(error));
        return 2;
    }
    if (!linkPath.isEmpty()) {
        QFile::remove(linkPath);
        if (!QFile::link(m_terminal.SlavePath(), linkPath)) {
            Log(tr("Cannot make the link %1 to %2.").arg(linkPath, m_terminal.SlavePath()));
            return 2;
        }
    }
    const QByteArray first = (m_terminal.SlavePath() + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(first.constData(), 1, size_t(first.size()), stdout);
    std::fflush(stdout);

    Serve();

    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    return 0;
}

void CSimulator::Serve()
{
    // The signals that matter stay blocked except inside ppoll, so none of
    // them slips in between the check of its flag and the wait.
    struct sigaction action
    {
    };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : { SIGINT, SIGTERM, SIGHUP, SIGUSR1 })
        sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t blocked;
    sigset_t waiting;
    sigemptyset(&blocked);
    for (const int signal : { SIGINT, SIGTERM, SIGHUP, SIGUSR1 })
        sigaddset(&blocked, signal);
    sigprocmask(SIG_BLOCK, &blocked, &waiting);

    QElapsedTimer clock;
    clock.start();
    // The instrument's clock shows the computer's local time until it is set.
    const QDateTime local = QDateTime::currentDateTime();
    COtdrInstrument instrument(m_options, QDateTime(local.date(), local.time(), Qt::UTC), clock.elapsed());
    instrument.log = &CSimulator::Log;
    Log(QStringLiteral("%1 %2 number %3, version %4 on %5; %6 stored traces%7")
            .arg(m_options.maker, m_options.model, m_options.number, m_options.version, m_terminal.SlavePath())
            .arg(instrument.StoredCount())
            .arg(m_options.fault == COtdrInstrument::FaultNone
                    ? QString()
                    : QStringLiteral("; fault %1").arg(COtdrInstrument::FaultName(m_options.fault))));

    const int fd = m_terminal.MasterFd();
    char buffer[4096];
    while (!g_stop) {
        if (g_showClock) {
            g_showClock = 0;
            Log(QStringLiteral("clock shows %1")
                    .arg(instrument.Clock(clock.elapsed()).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
        }
        const qint64 now = clock.elapsed();
        const qint64 due = instrument.NextDue();
        const bool sendNow = due >= 0 && due <= now;
        pollfd descriptor { fd, short(POLLIN | (sendNow ? POLLOUT : 0)), 0 };
        // Without anything to send, wake up now and then all the same.
        const qint64 waitMs = sendNow ? 1000 : due >= 0 ? std::min<qint64>(due - now, 1000) : 1000;
        const timespec timeout { time_t(waitMs / 1000), long(waitMs % 1000) * 1000000L };
        const int ready = ppoll(&descriptor, 1, &timeout, &waiting);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            Log(QStringLiteral("poll failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
            break;
        }
        if (descriptor.revents & POLLIN) {
            const ssize_t count = ::read(fd, buffer, sizeof buffer);
            if (count > 0)
                instrument.Receive(QByteArray(buffer, int(count)), clock.elapsed());
        }
        if (descriptor.revents & POLLOUT) {
            const QByteArray bytes = instrument.Pending(clock.elapsed(), kWriteChunk);
            if (!bytes.isEmpty()) {
                const ssize_t written = ::write(fd, bytes.constData(), size_t(bytes.size()));
                if (written > 0)
                    instrument.Consume(written);
            }
        }
        // With no reader and a line that never hangs up nothing else is
        // expected; an error on the master ends the simulation.
        if (descriptor.revents & (POLLERR | POLLNVAL)) {
            Log(tr("The pseudo-terminal failed."));
            break;
        }
    }
    Log(QStringLiteral("stopped"));
    sigprocmask(SIG_SETMASK, &waiting, nullptr);
}
