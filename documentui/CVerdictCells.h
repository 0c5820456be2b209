#pragma once

#include <CVerdict.h>

#include <QColor>
#include <QCoreApplication>
#include <QString>

class QTableWidget;

// How a verdict shows in the event table (and in the printed one): each
// tested cell gets the colour of its state, the state's symbol after its
// value (colour is not the only sign) and a tool tip with its levels; the
// rows of events outside the span are greyed.
class CVerdictCells
{
    Q_DECLARE_TR_FUNCTIONS(CVerdictCells)

public:
    // The event table's column of a figure; -1 for a figure of the span.
    static int Column(analysis::tLimitLevels::tKind kind);
    // The check shown in a cell of the event table, or null.
    static const analysis::tCheck* CheckAt(const analysis::tVerdict& verdict, int row, int column);
    // Light backgrounds that keep dark text readable.
    static QColor Colour(analysis::tCheck::tState state);
    // Marks the cells of a table laid out as CEventList's.
    static void Apply(QTableWidget& table, const analysis::tVerdict& verdict);
    // The verdict line under the table: the symbol, the verdict with its first
    // reason, the limit set and the span.
    static QString LineText(const analysis::tVerdict& verdict);
};
