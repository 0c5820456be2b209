#pragma once

#include "CBatchRunner.h"

#include <tLimitSet.h>

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace sor {
class CFile;
}

// `lumetrix-sor export FILE... [--events OUT.csv [--limits SET]] [--trace DIR] [--jsonl OUT]`:
// the stored events of every file as one CSV table (with the verdict columns
// against a limit set over the whole trace), each file's trace as CSV
// files of distance and level (a file per pulse), and one JSON object a line
// per file with its header fields, span figures and events. "-" as OUT writes
// to standard output. Files run in parallel (see CBatchRunner); the tables
// list them in input order. An output file is written whole or not at all:
// interrupted, it is left as it was.
class CExportCommand
{
    Q_DECLARE_TR_FUNCTIONS(CExportCommand)

public:
    // Returns the exit code: 0 every file exported, 2 bad options or any file
    // failed (the others are still exported), 3 interrupted.
    int Run(const QStringList& arguments);
    static QString Usage();

    // The exports of one file; safe to call from several threads at once.
    CBatchRunner::tFileResult ExportFile(const QString& path) const;
    // The JSON Lines object of one loaded file, ending in a line feed.
    static QByteArray JsonLine(const sor::CFile& file, const QString& label);
    // Where the trace CSV of pulse `pulse` (0-based) of `path` goes in `dir`:
    // NAME.csv for the first pulse, NAME.pulseK.csv for pulse K from 2 on.
    static QString TraceFileName(const QString& dir, const QString& path, int pulse);

private:
    QString Parse(QStringList arguments, CBatchRunner& batch);

    QString m_sEvents;
    QString m_sTraceDir;
    QString m_sJsonl;
    QString m_sLimits;
    std::optional<analysis::tLimitSet> m_limits;
    // Base name -> the first listed file of that name: the one whose trace is written.
    QHash<QString, QString> m_traceOwners;
};
