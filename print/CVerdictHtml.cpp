#include "CVerdictHtml.h"

#include <CVerdictCells.h>

using namespace analysis;

namespace {

QString Coloured(tCheck::tState state, const QString& html)
{
    return QStringLiteral("<td bgcolor=\"%1\">%2</td>").arg(CVerdictCells::Colour(state).name(), html);
}

} // namespace

QString CVerdictHtml::Cell(const std::optional<tVerdict>& verdict, int row, int column, const QString& escaped)
{
    if (!verdict)
        return QStringLiteral("<td>%1</td>").arg(escaped);
    if (!verdict->problem.isEmpty() || !verdict->span.Holds(row))
        return QStringLiteral("<td><font color=\"#808080\">%1</font></td>").arg(escaped);
    const tCheck* check = CVerdictCells::CheckAt(*verdict, row, column);
    if (!check)
        return QStringLiteral("<td>%1</td>").arg(escaped);
    // A failing value is bold as well: the marks survive a black-and-white print.
    const QString text = escaped + QLatin1Char(' ') + CVerdict::StateSymbol(check->state);
    return Coloured(check->state, check->state == tCheck::Fail ? QStringLiteral("<b>%1</b>").arg(text) : text);
}

QString CVerdictHtml::Block(const std::optional<tVerdict>& verdict)
{
    if (!verdict)
        return QString();
    QString span;
    if (verdict->problem.isEmpty()) {
        const tSpanFigures& figures = verdict->span;
        span = CVerdict::SpanText(figures, verdict->unit).toHtmlEscaped();
        if (figures.lossDb)
            span += tr(", loss %1 dB").arg(QString::number(*figures.lossDb, 'f', 3));
        if (figures.orlDb)
            span += tr(", ORL %1 dB").arg(QString::number(*figures.orlDb, 'f', 2));
    }
    QStringList faults;
    for (const tCheck& check : verdict->checks) {
        if (check.state != tCheck::Pass)
            faults << CVerdict::StateSymbol(check.state) + QLatin1Char(' ')
                    + CVerdict::CheckText(check, verdict->unit).toHtmlEscaped();
    }
    QString html = tr("<hr/><table width = 100%><tr><td width=15%>Limits:</td><td>%1</td></tr>"
                      "<tr><td>Span:</td><td>%2</td></tr><tr><td>Verdict:</td>%3</tr>")
                       .arg(verdict->limitSet.toHtmlEscaped(), span,
                           Coloured(verdict->state,
                               QStringLiteral("<b>%1 %2</b>")
                                   .arg(CVerdict::StateSymbol(verdict->state), CVerdict::Line(*verdict).toHtmlEscaped())));
    if (!faults.isEmpty())
        html += tr("<tr><td>Marked:</td><td>%1</td></tr>").arg(faults.join(QStringLiteral("<br/>")));
    return html + QStringLiteral("</table>");
}
