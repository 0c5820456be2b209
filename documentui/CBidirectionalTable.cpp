#include "CBidirectionalTable.h"

#include <CDistanceUnit.h>

#include <QHeaderView>
#include <QIcon>

namespace {

QString Figure(const std::optional<double>& value, int decimals)
{
    return value ? QString::number(*value, 'f', decimals) : QString();
}

QString Distance(const std::optional<double>& metres, sor::tDistanceUnit unit)
{
    return metres ? CDistanceUnit::Number(*metres, unit) : QString();
}

} // namespace

CBidirectionalTable::CBidirectionalTable(QWidget* parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("bidirectionalTable"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->hide();
    setColumnCount(ColumnCount);
    SetResult(analysis::tBidirectionalResult());
    horizontalHeader()->setSectionResizeMode(ColumnNote, QHeaderView::Stretch);
}

QStringList CBidirectionalTable::HeaderTexts(sor::tDistanceUnit unit)
{
    return { tr("Event %1").arg(QChar(0x2116)), tr("Distance [%1]").arg(CDistanceUnit::Symbol(unit)),
        tr("Loss A→B [dB]"), tr("Loss B→A [dB]"), tr("Average loss [dB]"), tr("Reflectance [dB]"), tr("Note") };
}

QList<QStringList> CBidirectionalTable::RowTexts(const analysis::tBidirectionalResult& result, sor::tDistanceUnit unit)
{
    QList<QStringList> rows;
    int number = 0;
    for (const analysis::tBidirectionalEvent& event : result.events) {
        QString note;
        if (event.kind == analysis::tFoundEvent::End)
            note = tr("Fibre end (A→B)");
        else if (event.seen == analysis::tBidirectionalEvent::AToBOnly)
            note = tr("Seen from A→B only: half its loss");
        else if (event.seen == analysis::tBidirectionalEvent::BToAOnly)
            note = tr("Seen from B→A only: half its loss");
        else if (!event.lossAToBDb || !event.lossBToADb)
            note = tr("Loss measured from one end");
        rows.append({ QString::number(++number), CDistanceUnit::Number(event.distanceM, unit),
            Figure(event.lossAToBDb, 3), Figure(event.lossBToADb, 3),
            event.kind == analysis::tFoundEvent::End ? QString() : Figure(event.lossDb, 3),
            Figure(event.reflectanceDb, 2), note });
    }
    return rows;
}

QList<QStringList> CBidirectionalTable::TotalTexts(
    const analysis::tBidirectionalResult& result, sor::tDistanceUnit unit)
{
    return { { QString(), tr("A→B"), tr("B→A"), tr("Average") },
        { tr("Total loss [dB]"), Figure(result.aToB.endToEndLossDb, 3), Figure(result.bToA.endToEndLossDb, 3),
            Figure(result.averageLossDb, 3) },
        { tr("ORL [dB]"), Figure(result.aToB.orlDb, 2), Figure(result.bToA.orlDb, 2), QString() },
        { tr("Fibre end [%1]").arg(CDistanceUnit::Symbol(unit)), Distance(result.aToB.fiberEndM, unit),
            Distance(result.bToA.fiberEndM, unit), QString() } };
}

void CBidirectionalTable::SetResult(const analysis::tBidirectionalResult& result, sor::tDistanceUnit unit)
{
    clearContents();
    QStringList headers = HeaderTexts(unit);
    for (QString& header : headers)
        header.replace(QStringLiteral(" ["), QStringLiteral("\n["));
    setHorizontalHeaderLabels(headers);
    const QList<QStringList> rows = RowTexts(result, unit);
    setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        const analysis::tBidirectionalEvent& event = result.events[size_t(row)];
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(rows[row][column]);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (column != ColumnNote)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (column == ColumnLoss && event.seen != analysis::tBidirectionalEvent::Both)
                item->setForeground(Qt::darkRed);
            setItem(row, column, item);
        }
        const bool reflective = event.kind != analysis::tFoundEvent::NonReflective;
        item(row, ColumnEvent)
            ->setIcon(QIcon(reflective ? QStringLiteral(":/images/EventReflection.png")
                                       : QStringLiteral(":/images/EventJunction.png")));
    }
    for (int column = 0; column < ColumnNote; ++column)
        resizeColumnToContents(column);
}
