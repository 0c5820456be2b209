#include "CReportFacts.h"

#include <CFile.h>

#include <QList>
#include <QPair>
#include <QStringList>

QString CReportFacts::Html(const sor::CFile& document)
{
    const sor::tGeneralParameters& general = document.GeneralParameters();
    const bc::CKeyEvents& summary = document.KeyEventsBlock();
    QList<QPair<QString, QString>> rows;
    const auto add = [&rows](const QString& label, const QString& value) {
        if (!value.trimmed().isEmpty())
            rows.append({ label, value.trimmed() });
    };
    add(tr("Location A:"), general.originatingLocation.Text());
    add(tr("Location B:"), general.terminatingLocation.Text());
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

QString CReportFacts::Device(const sor::CFile& document)
{
    // The parts the file fills in, one space apart: nothing is left
    // dangling where the instrument stored a field empty. Some makers leave
    // the mainframe's fields blank and name the instrument by its optical
    // module: then the module's ID and serial number stand in.
    const sor::tSupplierParameters& supplier = document.SupplierParameters();
    QString model = supplier.mainframeId.Text().trimmed();
    QString serial = supplier.mainframeSerial.Text().trimmed();
    if (model.isEmpty() && serial.isEmpty()) {
        model = supplier.opticalModuleId.Text().trimmed();
        serial = supplier.opticalModuleSerial.Text().trimmed();
    }
    QStringList parts;
    for (const QString& part : { supplier.supplierName.Text().trimmed(), model })
        if (!part.isEmpty())
            parts.append(part);
    if (!serial.isEmpty())
        parts.append(tr("\u2116%1").arg(serial));
    return parts.join(QLatin1Char(' '));
}
