#pragma once

#include <QCoreApplication>
#include <QString>

class QListWidgetItem;

namespace sor {
class CFile;
}

// The orders the working-folder list can be sorted in (View > Sort list by).
// Rows with equal keys keep the order of their names; the rows of files that
// could not be read come after the others, by name.
class CListOrder
{
    Q_DECLARE_TR_FUNCTIONS(CListOrder)

public:
    enum tOrder { ByName, ByDate, ByWavelength, ByLength, OrderCount };

    // The order's menu entry ("&Name", ...).
    static QString Name(tOrder order);
    // An order read from the settings store: ByName for anything unknown.
    static tOrder FromInt(int value);
    // Whether row `a` goes before row `b` in `order`.
    static bool Less(tOrder order, const QListWidgetItem* a, const QListWidgetItem* b);
    // The length a trace is sorted by, metres: the distance of its last
    // event (the fibre's end), or its range when it has no events.
    static double Length(const sor::CFile& file);
};
