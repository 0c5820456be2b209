#include "CBatchRunner.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Set by SIGINT and SIGTERM while a batch runs; nothing else is safe in the handler.
volatile std::sig_atomic_t g_stopRequested = 0;

extern "C" void OnStopSignal(int)
{
    g_stopRequested = 1;
}

// Puts the stop handler in place for the lifetime of a run and restores the previous ones.
class CStopSignals
{
public:
    CStopSignals()
    {
        g_stopRequested = 0;
        struct sigaction action
        {
        };
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGINT, &action, &m_previousInt);
        sigaction(SIGTERM, &action, &m_previousTerm);
    }
    ~CStopSignals()
    {
        sigaction(SIGINT, &m_previousInt, nullptr);
        sigaction(SIGTERM, &m_previousTerm, nullptr);
    }
    CStopSignals(const CStopSignals&) = delete;
    CStopSignals& operator=(const CStopSignals&) = delete;

private:
    struct sigaction m_previousInt
    {
    };
    struct sigaction m_previousTerm
    {
    };
};

void Write(FILE* stream, const QString& text)
{
    if (text.isEmpty())
        return;
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

CBatchRunner::CBatchRunner() : m_nJobs(std::max(1, QThread::idealThreadCount()))
{
}

QString CBatchRunner::Usage()
{
    return tr("  Commands over many files also take --files-from FILE (one path a line, - for standard input)\n"
              "  and -j N (files worked on at once; default: the number of processors).\n");
}

QString CBatchRunner::TakeOptions(QStringList& arguments)
{
    for (int i = 0; i < arguments.size();) {
        const QString argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        QString value;
        bool jobs = false;
        if (argument == QLatin1String("-j") || argument == QLatin1String("--jobs")
            || argument == QLatin1String("--files-from")) {
            if (i + 1 >= arguments.size())
                return tr("The option \"%1\" needs a value.").arg(argument);
            value = arguments.at(i + 1);
            jobs = argument != QLatin1String("--files-from");
            arguments.remove(i, 2);
        } else if (argument.startsWith(QLatin1String("-j")) && argument.size() > 2) {
            value = argument.mid(2);
            jobs = true;
            arguments.remove(i);
        } else {
            ++i;
            continue;
        }
        if (jobs) {
            if (m_bJobsGiven)
                return tr("The option \"%1\" is given twice.").arg(QStringLiteral("-j"));
            bool ok = false;
            const int count = value.toInt(&ok);
            if (!ok || count < 1 || count > 1024)
                return tr("The value \"%1\" of \"%2\" is not valid.").arg(value, QStringLiteral("-j"));
            m_nJobs = count;
            m_bJobsGiven = true;
        } else {
            if (!m_sFilesFrom.isNull())
                return tr("The option \"%1\" is given twice.").arg(QStringLiteral("--files-from"));
            if (value.isEmpty())
                return tr("The value \"%1\" of \"%2\" is not valid.").arg(value, QStringLiteral("--files-from"));
            m_sFilesFrom = value;
        }
    }
    return QString();
}

QString CBatchRunner::AddFiles(const QStringList& files)
{
    m_lsFiles += files;
    if (m_sFilesFrom.isNull())
        return QString();
    QFile list;
    const bool standardInput = m_sFilesFrom == QLatin1String("-");
    const bool opened = standardInput ? list.open(stdin, QIODevice::ReadOnly)
                                      : (list.setFileName(m_sFilesFrom), list.open(QIODevice::ReadOnly));
    if (!opened)
        return tr("%1: %2").arg(m_sFilesFrom, list.errorString());
    const QByteArray bytes = list.readAll();
    if (list.error() != QFileDevice::NoError)
        return tr("%1: %2").arg(m_sFilesFrom, list.errorString());
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            m_lsFiles << QFile::decodeName(line);
    }
    return QString();
}

int CBatchRunner::Run(const tWork& work)
{
    const int count = int(m_lsFiles.size());
    const int jobs = std::clamp(m_nJobs, 1, std::max(1, count));
    // Results wait here until every file before them is delivered; workers
    // stay at most this far ahead, so memory does not grow with the list.
    const int window = 4 * jobs + 8;

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<tFileResult>> results(static_cast<size_t>(count));
    int nextToTake = 0;
    int delivered = 0;
    int running = 0;
    bool stop = false;

    CStopSignals signalsInPlace;
    auto worker = [&]() {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return stop || nextToTake >= count || nextToTake < delivered + window; });
            if (stop || nextToTake >= count)
                break;
            const int index = nextToTake++;
            ++running;
            lock.unlock();
            tFileResult result = work(m_lsFiles.at(index));
            lock.lock();
            --running;
            results[size_t(index)] = std::move(result);
            changed.notify_all();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(size_t(jobs));
    for (int i = 0; i < jobs; ++i)
        threads.emplace_back(worker);

    const bool progress = ::isatty(STDERR_FILENO) == 1;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    bool progressShown = false;
    auto clearProgress = [&] {
        if (progressShown)
            std::fputs("\r\033[K", stderr);
        progressShown = false;
    };

    int exitCode = ExitOk;
    bool anyOut = false;
    QString sinkProblem;
    std::unique_lock<std::mutex> lock(mutex);
    while (delivered < count) {
        changed.wait_for(lock, std::chrono::milliseconds(100), [&] {
            return (g_stopRequested && !stop) || results[size_t(delivered)].has_value() || (stop && running == 0);
        });
        if (g_stopRequested && !stop) {
            stop = true;
            m_bInterrupted = true;
            changed.notify_all();
        }
        // Delivers whatever is ready in order, without holding the lock.
        while (delivered < count && results[size_t(delivered)].has_value()) {
            tFileResult result = std::move(*results[size_t(delivered)]);
            results[size_t(delivered)].reset();
            ++delivered;
            changed.notify_all();
            lock.unlock();
            clearProgress();
            exitCode = std::max(exitCode, result.exitCode);
            if (sinkProblem.isEmpty()) {
                if (m_sink) {
                    sinkProblem = m_sink(result);
                } else if (!result.out.isEmpty()) {
                    if (anyOut)
                        Write(stdout, m_sSeparator);
                    Write(stdout, result.out);
                    anyOut = true;
                }
            }
            if (!result.err.isEmpty()) {
                std::fflush(stdout);
                Write(stderr, result.err);
            }
            lock.lock();
            if (!sinkProblem.isEmpty() && !stop) {
                stop = true;
                changed.notify_all();
            }
        }
        // Once stopped, only the files already in hand are still awaited.
        if (stop && running == 0 && (delivered >= count || !results[size_t(delivered)].has_value()))
            break;
        if (progress && sinceProgress.elapsed() >= 100 && delivered < count) {
            lock.unlock();
            std::fputs("\r\033[K", stderr);
            Write(stderr, tr("%1 of %2 files").arg(delivered).arg(count));
            std::fflush(stderr);
            progressShown = true;
            sinceProgress.restart();
            lock.lock();
        }
    }
    stop = true;
    changed.notify_all();
    lock.unlock();
    for (std::thread& thread : threads)
        thread.join();
    clearProgress();
    std::fflush(stdout);
    if (!sinkProblem.isEmpty()) {
        Write(stderr, sinkProblem + QLatin1Char('\n'));
        return std::max<int>(exitCode, ExitError);
    }
    if (m_bInterrupted) {
        Write(stderr, tr("Interrupted: %1 of %2 files done.\n").arg(delivered).arg(count));
        return ExitInterrupted;
    }
    return exitCode;
}
