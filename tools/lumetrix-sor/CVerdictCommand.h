#pragma once

#include "CBatchRunner.h"

#include <CLimitSets.h>

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

// `lumetrix-sor verdict FILE... --limits NAME|FILE.json [--launch M]
// [--receive M] [--analyze] [--json]`: judges each trace against a limit set
// within a span and prints one line per file, PASS, WARN or FAIL with the
// first reason, or with --json one JSON object per line holding every tested
// value with its levels and state. `verdict --list-presets` prints the
// shipped presets' names. Files run in parallel (see CBatchRunner) and print
// in input order.
class CVerdictCommand
{
    Q_DECLARE_TR_FUNCTIONS(CVerdictCommand)

public:
    enum tExit { ExitPass = 0, ExitError = 2, ExitFail = 3 };

    // What judging one file gives: the text for standard output, the text for
    // standard error and the exit status for that file alone.
    struct tFileResult
    {
        QString out;
        QString err;
        int exit = ExitPass;
    };

    // Returns the exit code: 0 every file passes (warnings allowed), 3 any
    // file fails, 2 bad options or a file that cannot be read (before 3);
    // 3 also when interrupted.
    int Run(const QStringList& arguments);
    static QString Usage();

    // Parses the options, the batch options into `batch`; returns an empty
    // text, or what is wrong.
    QString Parse(const QStringList& arguments, CBatchRunner& batch);
    // Judges one file with the parsed options. Needs nothing but its path, so
    // that many files can be judged side by side.
    tFileResult Judge(const QString& path) const;

private:
    std::optional<analysis::tLimitSet> m_limits;
    analysis::tSpan m_span;
    bool m_bAnalyze = false;
    bool m_bJson = false;
    bool m_bListPresets = false;
};
