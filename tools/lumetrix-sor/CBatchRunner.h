#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>

// Runs the per-file step of a command over many files: on N threads, with the
// results delivered in input order, a progress line on standard error when it
// is a terminal, and Ctrl+C (or SIGTERM) stopping cleanly: the files in hand
// are finished, nothing further is started, and the exit code is 3.
//
// A command adopts it in three steps:
//     CBatchRunner batch;
//     QString problem = batch.TakeOptions(arguments);      // --files-from, -j
//     ... parse the rest, then: problem = batch.AddFiles(positionalFiles);
//     return batch.Run([&](const QString& path) { return PerFile(path); });
// where PerFile is safe to call from several threads at once (it loads its
// own document and touches no shared state).
class CBatchRunner
{
    Q_DECLARE_TR_FUNCTIONS(CBatchRunner)

public:
    // What the step made of one file.
    struct tFileResult
    {
        // Printed to standard output, in input order.
        QString out;
        // Printed to standard error, in input order; a failing file names itself here.
        QString err;
        // 0 done, 1 done with warnings, 2 failed.
        int exitCode = 0;
        // For a command's own sink (see SetSink), not printed.
        QByteArray data;
        QByteArray moreData;
    };
    using tWork = std::function<tFileResult(const QString& path)>;
    // Takes each result in input order on the calling thread; returns an empty
    // text, or why the batch must stop (the output could not be written).
    using tSink = std::function<QString(tFileResult& result)>;

    enum tExit { ExitOk = 0, ExitWarnings = 1, ExitError = 2, ExitInterrupted = 3 };

    CBatchRunner();

    // The usage text of the options this class takes.
    static QString Usage();

    // Removes "--files-from FILE" ("-" reads standard input) and "-j N"
    // ("--jobs N", "-jN") from `arguments`, up to a "--", which stays.
    // Returns an empty text, or what is wrong with them.
    QString TakeOptions(QStringList& arguments);
    // Adds the files named on the command line, then those of --files-from
    // (one path a line; empty lines skipped). Returns an empty text, or why
    // the list could not be read.
    QString AddFiles(const QStringList& files);
    const QStringList& Files() const { return m_lsFiles; }
    int Jobs() const { return m_nJobs; }

    // Printed between the standard outputs of two files that both have one.
    void SetSeparator(const QString& separator) { m_sSeparator = separator; }
    // Replaces printing `out` with the command's own use of each result
    // (`err` is still printed).
    void SetSink(const tSink& sink) { m_sink = sink; }

    // Runs `work` for every file; returns the highest exit code of the files,
    // 2 when the sink failed, or 3 when interrupted.
    int Run(const tWork& work);
    bool WasInterrupted() const { return m_bInterrupted; }

private:
    QStringList m_lsFiles;
    QString m_sFilesFrom;
    int m_nJobs = 1;
    bool m_bJobsGiven = false;
    QString m_sSeparator;
    tSink m_sink;
    bool m_bInterrupted = false;
};
