#pragma once

#include "CBatchRunner.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace sor {
class CFile;
}

// `lumetrix-sor edit FILE... [--cable-id S] ...`: sets descriptive fields of
// the general parameters in many traces at once. Each file is written in
// place and atomically; every other byte stays as it was, but the sizes and
// the checksum that the change moves. A file that fails is named and left
// untouched, and the others are still done.
class CEditCommand
{
    Q_DECLARE_TR_FUNCTIONS(CEditCommand)

public:
    // Returns the exit code: 0 all files written, 2 bad options or any file failed.
    int Run(const QStringList& arguments);
    static QString Usage();

private:
    // One requested change: applies itself to a document and tells whether
    // the document holds the requested value afterwards.
    struct tChange
    {
        std::function<void(sor::CFile&)> apply;
        std::function<bool(const sor::CFile&)> holds;
    };

    // Parses the options; returns an empty text, or what is wrong.
    QString Parse(const QStringList& arguments);
    // Edits and writes one file; returns an empty text, or why it failed.
    QString Edit(const QString& path) const;

    QStringList m_lsFiles;
    std::vector<tChange> m_changes;
};
