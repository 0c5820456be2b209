#include "CReportFacts.h"

#include <CFile.h>

#include <QList>
#include <QPair>

QString CReportFacts::Html(const sor::CFile& document)
{
    const sor::tGeneralParameters& general = document.GeneralParameters();
    const sor::tSupplierParameters& supplier = document.SupplierParameters();
    const bc::CKeyEvents& summary = document.KeyEventsBlock();
    QList<QPair<QString, QString>> rows;
    const auto add = [&rows](const QString& label, const QString& value) {
        if (!value.trimmed().isEmpty())
            rows.append({ label, value.trimmed() });
    };
    add(tr("Location A:"), general.originatingLocation.Text());
    add(tr("Location B:"), general.terminatingLocation.Text());
    add(tr("Maker:"), supplier.supplierName.Text());
    add(tr("Model:"), supplier.mainframeId.Text());
    // Stored in thousandths of a dB; zero where the instrument left them out.
    if (!document.KeyEvents().empty() && summary.endToEndLoss.Value() != 0)
        add(tr("End-to-end loss:"), tr("%1 dB").arg(summary.endToEndLoss.Value() / 1000.0, 0, 'f', 3));
    // The later layout stores the return loss unsigned, up to 65.535 dB.
    const double returnLoss = document.IsLaterLayout() ? double(quint16(summary.returnLoss.Value()))
                                                        : double(summary.returnLoss.Value());
    if (!document.KeyEvents().empty() && returnLoss != 0)
        add(tr("Optical return loss:"), tr("%1 dB").arg(returnLoss / 1000.0, 0, 'f', 3));
    if (rows.isEmpty())
        return QString();
    QString html = QStringLiteral("<table>");
    for (const auto& [label, value] : rows) {
        html += QStringLiteral("<tr><td width=15%>%1</td><td>%2</td></tr>")
                    .arg(label.toHtmlEscaped(), value.toHtmlEscaped());
    }
    return html + QStringLiteral("</table><hr />");
}
