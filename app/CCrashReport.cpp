#include "CCrashReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>

#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
constexpr int kSignalCount = int(sizeof(kSignals) / sizeof(kSignals[0]));
constexpr int kMaxFrames = 64;
// "YYYYMMDD-HHMMSS-<pid>.txt" after the path prefix, with room to spare.
constexpr size_t kFileNameTail = 64;

// A signal handler may call only async-signal-safe functions: no allocation,
// no Qt, no stdio, no locks. Everything it needs beyond the signal itself is
// therefore prepared at install time as plain bytes.
struct tHandlerState
{
    // "<report folder>/crash-", encoded for the file system.
    char pathPrefix[4096];
    size_t pathPrefixLength = 0;
    // The report's first lines: program name and version.
    char header[1024];
    size_t headerLength = 0;
    struct sigaction previous[kSignalCount];
    stack_t previousStack;
    bool bOwnStack = false;
};

tHandlerState g_state;
// A stack of its own lets the handler run after a stack overflow.
alignas(16) char g_stack[64 * 1024];
volatile sig_atomic_t g_handling = 0;
bool g_installed = false;
QString g_lastError;
QString g_folder;

void WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        size -= size_t(written);
    }
}

// Collects a text of at most `capacity` bytes, for use inside the handler.
template<size_t capacity>
class tTextBuffer
{
public:
    void Text(const char* text)
    {
        while (*text && m_length < sizeof(m_data))
            m_data[m_length++] = *text++;
    }
    void Bytes(const char* data, size_t size)
    {
        for (size_t i = 0; i < size && m_length < sizeof(m_data); ++i)
            m_data[m_length++] = data[i];
    }
    void Number(unsigned long long value, int minDigits = 1, unsigned base = 10)
    {
        char digits[32];
        int count = 0;
        do {
            digits[count++] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value != 0 && count < int(sizeof(digits)));
        while (count < minDigits && count < int(sizeof(digits)))
            digits[count++] = '0';
        while (count > 0 && m_length < sizeof(m_data))
            m_data[m_length++] = digits[--count];
    }
    // The text so far, zero-terminated (the last byte is sacrificed if full).
    const char* CString()
    {
        m_data[m_length < sizeof(m_data) ? m_length : sizeof(m_data) - 1] = '\0';
        return m_data;
    }
    void WriteTo(int fd) const { WriteAll(fd, m_data, m_length); }

private:
    char m_data[capacity];
    size_t m_length = 0;
};

const char* SignalName(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGABRT:
        return "SIGABRT";
    case SIGBUS:
        return "SIGBUS";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    }
    return "unknown";
}

struct tCivilTime
{
    long long year;
    unsigned month, day, hour, minute, second;
};

// UTC calendar time by arithmetic alone (gmtime_r is not async-signal-safe).
// Days to civil date after H. Hinnant, "chrono-Compatible Low-Level Date Algorithms".
tCivilTime CivilTime(long long seconds)
{
    long long days = seconds / 86400;
    long long secondOfDay = seconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    const long long z = days + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    tCivilTime time;
    time.day = unsigned(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.month = unsigned(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.year = yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0);
    time.hour = unsigned(secondOfDay / 3600);
    time.minute = unsigned(secondOfDay / 60 % 60);
    time.second = unsigned(secondOfDay % 60);
    return time;
}

void WriteReport(int signal, const siginfo_t* info)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const tCivilTime time = CivilTime(now.tv_sec);
    const pid_t pid = getpid();

    tTextBuffer<sizeof(g_state.pathPrefix) + kFileNameTail> path;
    path.Bytes(g_state.pathPrefix, g_state.pathPrefixLength);
    path.Number(static_cast<unsigned long long>(time.year), 4);
    path.Number(time.month, 2);
    path.Number(time.day, 2);
    path.Text("-");
    path.Number(time.hour, 2);
    path.Number(time.minute, 2);
    path.Number(time.second, 2);
    path.Text("-");
    path.Number(static_cast<unsigned long long>(pid));
    path.Text(".txt");
    const char* fileName = path.CString();

    const int fd = open(fileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    tTextBuffer<128> notice;
    notice.Text("Fatal signal ");
    notice.Text(SignalName(signal));
    notice.Text(fd >= 0 ? "; crash report written to " : "; no crash report could be written to ");
    notice.WriteTo(STDERR_FILENO);
    path.WriteTo(STDERR_FILENO);
    WriteAll(STDERR_FILENO, "\n", 1);
    if (fd < 0)
        return;

    tTextBuffer<sizeof(g_state.header) + 512> report;
    report.Bytes(g_state.header, g_state.headerLength);
    report.Text("Time: ");
    report.Number(static_cast<unsigned long long>(time.year), 4);
    report.Text("-");
    report.Number(time.month, 2);
    report.Text("-");
    report.Number(time.day, 2);
    report.Text(" ");
    report.Number(time.hour, 2);
    report.Text(":");
    report.Number(time.minute, 2);
    report.Text(":");
    report.Number(time.second, 2);
    report.Text(" UTC\nProcess: ");
    report.Number(static_cast<unsigned long long>(pid));
    report.Text("\nSignal: ");
    report.Number(static_cast<unsigned long long>(signal));
    report.Text(" (");
    report.Text(SignalName(signal));
    report.Text(")\n");
    if (info) {
        report.Text("Code: ");
        if (info->si_code < 0)
            report.Text("-");
        report.Number(static_cast<unsigned long long>(info->si_code < 0 ? -info->si_code : info->si_code));
        report.Text("\nAddress: 0x");
        report.Number(reinterpret_cast<quintptr>(info->si_addr), 1, 16);
        report.Text("\n");
    }
    report.Text("Backtrace:\n");
    report.WriteTo(fd);

    void* frames[kMaxFrames];
    const int frameCount = backtrace(frames, kMaxFrames);
    backtrace_symbols_fd(frames, frameCount, fd);
    close(fd);
}

int IndexOf(int signal)
{
    for (int i = 0; i < kSignalCount; ++i) {
        if (kSignals[i] == signal)
            return i;
    }
    return -1;
}

// Gives the signal back to the handler it had before and raises it again.
// The signal stays blocked while this handler runs, so the new one is
// delivered, to the former handler, as soon as this one returns; a fault
// repeats on the same instruction in any case. An ignored fatal signal would
// leave the process running on after a fault, so that one is not restored.
void PassOn(int signal)
{
    const int index = IndexOf(signal);
    struct sigaction action = {};
    if (index >= 0)
        action = g_state.previous[index];
    if (index < 0 || (!(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_IGN)) {
        action = {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
    }
    sigaction(signal, &action, nullptr);
    raise(signal);
}

void OnFatalSignal(int signal, siginfo_t* info, void*)
{
    const int savedErrno = errno;
    // A second fatal signal, from another thread or from writing the report,
    // is not reported again.
    if (!g_handling) {
        g_handling = 1;
        WriteReport(signal, info);
    }
    PassOn(signal);
    errno = savedErrno;
}

int Fail(const QString& message)
{
    g_lastError = message;
    return 1;
}

void RestoreHandlers(int count)
{
    for (int i = 0; i < count; ++i)
        sigaction(kSignals[i], &g_state.previous[i], nullptr);
    if (g_state.bOwnStack) {
        sigaltstack(&g_state.previousStack, nullptr);
        g_state.bOwnStack = false;
    }
}

} // namespace

int CCrashReport::Install(const tInstallInfo& info)
{
    if (g_installed)
        return Fail(QStringLiteral("The crash report is installed already."));

    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty())
        return Fail(QStringLiteral("There is no folder for the program's data."));
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable())
        return Fail(QStringLiteral("Can not create the folder %1.").arg(QDir::toNativeSeparators(folder)));

    const QByteArray prefix = QFile::encodeName(QDir(folder).filePath(QStringLiteral("crash-")));
    if (size_t(prefix.size()) >= sizeof(g_state.pathPrefix))
        return Fail(QStringLiteral("The folder path %1 is too long.").arg(QDir::toNativeSeparators(folder)));
    memcpy(g_state.pathPrefix, prefix.constData(), size_t(prefix.size()));
    g_state.pathPrefixLength = size_t(prefix.size());

    const QByteArray header = QStringLiteral("%1 crash report\nApplication: %1\nVersion: %2\n")
                                  .arg(info.sAppName, info.sAppVersion)
                                  .toUtf8()
                                  .left(int(sizeof(g_state.header)));
    memcpy(g_state.header, header.constData(), size_t(header.size()));
    g_state.headerLength = size_t(header.size());

    // The first backtrace() loads the unwinder, which may allocate; that must
    // not happen for the first time inside the handler.
    void* frame[1];
    backtrace(frame, 1);

    // Keep an alternate stack someone else installed (a sanitizer does).
    stack_t current = {};
    if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE)) {
        stack_t ours = {};
        ours.ss_sp = g_stack;
        ours.ss_size = sizeof(g_stack);
        g_state.bOwnStack = sigaltstack(&ours, &g_state.previousStack) == 0;
    }

    struct sigaction action = {};
    action.sa_sigaction = OnFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    for (int i = 0; i < kSignalCount; ++i) {
        if (sigaction(kSignals[i], &action, &g_state.previous[i]) != 0) {
            const QString reason = QString::fromLocal8Bit(strerror(errno));
            RestoreHandlers(i);
            return Fail(QStringLiteral("Can not handle signal %1: %2")
                            .arg(QLatin1String(SignalName(kSignals[i])), reason));
        }
    }

    g_folder = folder;
    g_lastError.clear();
    g_installed = true;
    return 0;
}

QString CCrashReport::LastErrorMessage()
{
    return g_lastError;
}

void CCrashReport::Uninstall()
{
    if (!g_installed)
        return;
    RestoreHandlers(kSignalCount);
    g_installed = false;
}

bool CCrashReport::IsInstalled()
{
    return g_installed;
}

QString CCrashReport::ReportFolder()
{
    return g_installed ? g_folder : QString();
}
