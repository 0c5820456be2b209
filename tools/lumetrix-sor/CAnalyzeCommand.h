#pragma once

#include "CBatchRunner.h"

#include <tAnalysisResult.h>

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

// `lumetrix-sor analyze FILE... [--json] [--write] [--pulse N] [--loss-threshold DB]
// [--reflectance-threshold DB] [--end-threshold DB]`: finds, classifies and
// measures the events of each trace with the file's thresholds (the program's
// defaults where the file leaves one unset, the options over both), prints a
// table or one JSON line per file, and with --write stores the events in the
// file atomically, every other block as it was. Files run in parallel (see
// CBatchRunner) and print in input order.
class CAnalyzeCommand
{
    Q_DECLARE_TR_FUNCTIONS(CAnalyzeCommand)

public:
    // What one file gave: text for standard output and for standard error,
    // and the exit status (0 analysed, 2 failed).
    struct tOutcome
    {
        QString out;
        QString err;
        int status = 0;
    };

    // Returns the exit code: 0 every file analysed (and written), 2 bad
    // options or any file failed.
    int Run(const QStringList& arguments);
    static QString Usage();

    // Parses the options, the batch options into `batch`; returns an empty
    // text, or what is wrong.
    QString Parse(const QStringList& arguments, CBatchRunner& batch);
    // The whole work on one file, free of shared state: a batch may run it
    // for many files at once.
    tOutcome AnalyzeFile(const QString& path) const;

private:
    QString Table(const QString& path, const analysis::tAnalysisResult& result) const;
    static QString Json(const QString& path, const analysis::tAnalysisResult& result);

    bool m_bJson = false;
    bool m_bWrite = false;
    // 0-based.
    int m_nPulse = 0;
    std::optional<double> m_loss;
    std::optional<double> m_reflectance;
    std::optional<double> m_end;
};
