#pragma once

#include <CVerdict.h>

#include <QCoreApplication>
#include <QString>

#include <optional>

// A trace's verdict on a report page: the tested cells of the event table in
// their state's colour with its symbol, and a block with the limit set, the
// span and the verdict with every failing and warning figure.
class CVerdictHtml
{
    Q_DECLARE_TR_FUNCTIONS(CVerdictHtml)

public:
    // One cell of the event table; `escaped` is its text, already escaped.
    static QString Cell(const std::optional<analysis::tVerdict>& verdict, int row, int column, const QString& escaped);
    // The verdict block; empty without a verdict.
    static QString Block(const std::optional<analysis::tVerdict>& verdict);
};
