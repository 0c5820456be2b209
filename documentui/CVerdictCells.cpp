#include "CVerdictCells.h"

#include "CEventList.h"

#include <CVerdictMark.h>

#include <QBrush>
#include <QTableWidget>

using namespace analysis;

int CVerdictCells::Column(tLimitLevels::tKind kind)
{
    switch (kind) {
    case tLimitLevels::NonReflectiveLoss:
    case tLimitLevels::ReflectiveLoss:
        return CEventList::ColumnLoss;
    case tLimitLevels::Reflectance:
        return CEventList::ColumnReflectance;
    case tLimitLevels::Attenuation:
        return CEventList::ColumnAttenuation;
    default:
        break;
    }
    return -1;
}

const tCheck* CVerdictCells::CheckAt(const tVerdict& verdict, int row, int column)
{
    for (const tCheck& check : verdict.checks) {
        if (check.event == row && Column(check.kind) == column)
            return &check;
    }
    return nullptr;
}

QColor CVerdictCells::Colour(tCheck::tState state)
{
    return CVerdictMark::Colour(state);
}

void CVerdictCells::Apply(QTableWidget& table, const tVerdict& verdict)
{
    const QBrush grey(table.palette().color(QPalette::Disabled, QPalette::Text));
    for (int row = 0; row < table.rowCount(); ++row) {
        const bool inside = verdict.problem.isEmpty() && verdict.span.Holds(row);
        for (int column = 0; column < table.columnCount(); ++column) {
            QTableWidgetItem* item = table.item(row, column);
            if (!item)
                continue;
            if (!inside) {
                item->setForeground(grey);
                if (verdict.problem.isEmpty())
                    item->setToolTip(tr("Outside the span: not tested"));
                continue;
            }
            const tCheck* check = CheckAt(verdict, row, column);
            if (!check)
                continue;
            item->setBackground(Colour(check->state));
            item->setForeground(QBrush(Qt::black));
            item->setText(item->text() + QLatin1Char(' ') + CVerdict::StateSymbol(check->state));
            item->setToolTip(CVerdict::LimitText(*check, verdict.unit));
        }
    }
}

QString CVerdictCells::LineText(const tVerdict& verdict)
{
    const QString state = CVerdict::StateSymbol(verdict.state) + QLatin1Char(' ') + CVerdict::Line(verdict);
    if (!verdict.problem.isEmpty())
        return tr("%1   (limits %2)").arg(state, verdict.limitSet);
    return tr("%1   (limits %2, %3)").arg(state, verdict.limitSet, CVerdict::SpanText(verdict.span, verdict.unit));
}
