#pragma once

#include <tBidirectionalResult.h>
#include <tFixedParameters.h>

#include <QList>
#include <QStringList>
#include <QTableWidget>

// The events of a fibre measured from both ends, one row per event on the
// A→B distance axis: number, distance, the loss each direction measured, their
// mean, the worse reflectance and a note for an event one side alone saw.
// Read-only: nothing of it is stored in either file.
class CBidirectionalTable : public QTableWidget
{
    Q_OBJECT

public:
    enum tColumn {
        ColumnEvent,
        ColumnDistance,
        ColumnLossAToB,
        ColumnLossBToA,
        ColumnLoss,
        ColumnReflectance,
        ColumnNote,
        ColumnCount
    };

    explicit CBidirectionalTable(QWidget* parent = nullptr);

    // Shows the events of `result`, distances in `unit` (the one the A→B
    // file is shown in); a refused pair empties the table.
    void SetResult(const analysis::tBidirectionalResult& result, sor::tDistanceUnit unit = sor::Kilometres);

    // The column titles and the cell texts, as the table shows them (the
    // printed report too), distances in `unit`.
    static QStringList HeaderTexts(sor::tDistanceUnit unit = sor::Kilometres);
    static QList<QStringList> RowTexts(
        const analysis::tBidirectionalResult& result, sor::tDistanceUnit unit = sor::Kilometres);
    // The figures of the two directions side by side: a title row (empty
    // first cell, "A→B", "B→A", "Average"), then total loss, return loss and
    // the length to the fibre end.
    static QList<QStringList> TotalTexts(
        const analysis::tBidirectionalResult& result, sor::tDistanceUnit unit = sor::Kilometres);
};
