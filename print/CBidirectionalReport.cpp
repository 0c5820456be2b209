#include "CBidirectionalReport.h"
#include "ReportText.h"

#include "CReportPage.h"

#include <CBidirectionalTable.h>
#include <CDistanceUnit.h>
#include <CFile.h>

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <algorithm>

using reporttext::DrawText;
using reporttext::Prepare;

namespace {

QString Colour(const tFileSet* traces, const sor::CFile* file)
{
    if (traces)
        for (const QSharedPointer<tListedFile>& listed : *traces)
            if (listed && listed->file && listed->file->Path() == file->Path())
                return listed->colour.name();
    return QStringLiteral("#000000");
}

QString Row(const QStringList& cells, const char* tag)
{
    QString row = QStringLiteral("<tr>");
    for (const QString& cell : cells)
        row += QStringLiteral("<%1 align=\"right\">%2</%1>").arg(QLatin1String(tag), CReportPage::Escape(cell));
    return row + QStringLiteral("</tr>");
}

} // namespace

QString CBidirectionalReport::HeaderHtml(const tPair& pair, const QDateTime& printed)
{
    const sor::CFile& a = *pair.aToB;
    const sor::CFile& b = *pair.bToA;
    const sor::tGeneralParameters& general = a.GeneralParameters();
    const auto name = [](const sor::CFile& file) { return CReportPage::Escape(QFileInfo(file.Path()).fileName()); };
    const QString html = tr("<table width=100%><tr><td align=\"left\">%1</td><td align=\"right\">Bidirectional "
                            "analysis</td></tr></table><hr><table>"
                            "<tr><td width=18%>A→B:</td><td><font color=\"%2\">&#9632;</font> %3</td></tr>"
                            "<tr><td>B→A:</td><td><font color=\"%4\">&#9632;</font> %5 (mirrored)</td></tr>"
                            "<tr><td>Cable:</td><td>%6</td></tr><tr><td>Fiber:</td><td>%7</td></tr>"
                            "<tr><td>From A to B:</td><td>%8 → %9</td></tr>"
                            "<tr><td>Wavelength:</td><td>%10nm</td></tr>"
                            "<tr><td>Pulse width:</td><td>%11ns (A→B), %12ns (B→A)</td></tr></table><hr>");
    const QString places[] = { CReportPage::Escape(printed.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))),
        Colour(pair.traces, &a), name(a), Colour(pair.traces, &b), name(b), CReportPage::Escape(general.cableId),
        CReportPage::Escape(general.fiberId), CReportPage::Escape(general.originatingLocation),
        CReportPage::Escape(general.terminatingLocation), QString::number(double(general.wavelength)),
        QString::number(double(a.FixedParameters().pulseWidth)),
        QString::number(double(b.FixedParameters().pulseWidth)) };
    // One pass over the template, so that a "%2" inside a file's text stays text.
    return html.arg(places[0], places[1], places[2], places[3], places[4], places[5], places[6], places[7], places[8])
        .arg(places[9], places[10], places[11]);
}

QString CBidirectionalReport::TablesHtml(const analysis::tBidirectionalResult& result, sor::tDistanceUnit unit)
{
    QString html = QStringLiteral("<table width=100% cellspacing=0 cellpadding=2 border=1>");
    html += Row(CBidirectionalTable::HeaderTexts(unit), "th");
    for (const QStringList& row : CBidirectionalTable::RowTexts(result, unit))
        html += Row(row, "td");
    html += QStringLiteral("</table><br><table cellspacing=0 cellpadding=2 border=1>");
    const QList<QStringList> totals = CBidirectionalTable::TotalTexts(result, unit);
    for (int i = 0; i < totals.size(); ++i)
        html += Row(totals[i], i == 0 ? "th" : "td");
    html += QStringLiteral("</table>");
    return html;
}

QRect CBidirectionalReport::Draw(QPainter& painter, const QRect& page, const tPair& pair, const QDateTime& printed)
{
    painter.save();
    painter.setClipRect(page);
    painter.translate(page.topLeft());
    const int width = page.width();
    const int height = page.height();

    const QImage& logo = CReportPage::Logo();
    int logoHeight = 0;
    if (!logo.isNull()) {
        const QSize size = logo.size().scaled(width / 4, height, Qt::KeepAspectRatio);
        painter.drawImage(QRect(QPoint(width - size.width(), 0), size), logo);
        logoHeight = size.height();
    }
    QTextDocument header;
    Prepare(header, painter, HeaderHtml(pair, printed), width);
    QTextDocument lower;
    Prepare(lower, painter, TablesHtml(*pair.result, CDistanceUnit::Of(pair.aToB)), width);

    // The traces get at least a third of the page; the tables scale down to
    // end on it.
    const int minBox = height / 3;
    const int top = logoHeight + DrawText(painter, header, logoHeight, height - logoHeight - minBox);
    const int lowerHeight = int(lower.size().height()) + 1;
    const int boxHeight = std::min(std::max(height - top - lowerHeight, minBox), height - top);
    const QRect box(0, top, width, boxHeight);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(1, 1, -2, -2));
    const QRect inner = box.adjusted(2, 2, -2, -2);
    if (pair.traces) {
        tGraphState geometry;
        geometry.SetFiles(pair.traces);
        geometry.Resize(inner.size());
        // A page has no markers to show.
        geometry.cursors.reset();
        painter.save();
        painter.setClipRect(inner, Qt::IntersectClip);
        geometry.Paint(painter, inner, false, true, true, true);
        painter.restore();
    }
    DrawText(painter, lower, box.bottom() + 1, height - box.bottom() - 1);
    painter.restore();
    return inner.translated(page.topLeft());
}

bool CBidirectionalReport::WritePdf(
    const QString& path, const tPair& pair, const QPageLayout& layout, int resolution, QString* error)
{
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Lumetrix"));
        writer.setTitle(QFileInfo(path).completeBaseName());
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        QPainter painter;
        written = painter.begin(&writer);
        if (written) {
            Draw(painter, QRect(0, 0, writer.width(), writer.height()), pair, QDateTime::currentDateTime());
            written = painter.end();
        }
        if (!written && error)
            *error = tr("The page could not be drawn.");
    }
    if (written)
        written = file.commit();
    else
        file.cancelWriting();
    if (!written && error && error->isEmpty())
        *error = file.errorString();
    return written;
}
