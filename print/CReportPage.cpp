#include "CReportPage.h"
#include "ReportText.h"

#include "CReportFacts.h"
#include "CVerdictHtml.h"

#include <CActiveVerdict.h>
#include <CDateFormat.h>
#include <CDistanceUnit.h>
#include <CEventLabels.h>
#include <CEventList.h>
#include <CFile.h>
#include <CLinkMap.h>
#include <CBendFinder.h>
#include <CWavelengthPair.h>
#include <CTracePainter.h>
#include <tGraphState.h>
#include <tSampleMapping.h>
#include <TraceLengths.h>

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

using reporttext::DrawText;
using reporttext::Prepare;

namespace {

// The trace box keeps at least this share of the page height, however tall
// the file information above it is: half the page.
constexpr int kMinBoxShare = 2;

// "%1" in the general number format at default precision.
QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

// The numbers of the events at their marks, where each fits beside the
// others and the grid labels.
void DrawEventNumbers(QPainter& painter, const sor::CFile& document, const tSampleMapping& mapping,
    const QRect& target, const QRectF& data)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8);
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    QVector<QRect> taken;
    for (const CTracePainter::tGridLabel& label :
        CTracePainter::GridLabels(mapping, target, data, metrics, CDistanceUnit::Of(&document)))
        taken.append(label.rect);
    painter.setPen(Qt::black);
    for (const CEventLabels::tLabel& label :
        CEventLabels::Place(document, mapping, target, metrics, 0, taken, -1, false))
        painter.drawText(label.rect, Qt::AlignCenter, label.text);
}

// A page of a file that is not the work area: its whole extent, its trace in
// blue, the grid with labels and its events, numbered, at the distances the
// document's own group index gives.
void DrawDocument(QPainter& painter, const sor::CFile& document, const QRect& target)
{
    const int count = document.PointCount();
    if (count < 2)
        return;
    const QFontMetrics metrics(QFont(QStringLiteral("Arial"), 8), painter.device());
    const QRectF data = CReportPage::TraceData(document, target, metrics);
    const tSampleMapping mapping = tSampleMapping::Make(target, data, document.Resolution(), count);
    if (!mapping.valid)
        return;
    // Reduced to the page's resolution like the screen: every peak stays, and
    // a long trace does not fill the output with points no one can tell apart.
    CTracePainter::DrawTrace(painter, document, mapping, target, Qt::blue, true);
    CTracePainter::DrawGrid(painter, mapping, target, data, true, CDistanceUnit::Of(&document));
    for (const sor::tKeyEvent& event : document.KeyEvents()) {
        const CCursors::CCursor mark(document.TimeToDistance(event.time),
            event.codeType == sor::tKeyEvent::Reflective || event.codeType == sor::tKeyEvent::Saturated
                ? CCursors::KindReflectiveEvent
                : CCursors::KindEvent);
        CTracePainter::DrawMark(painter, document, mapping, target, mark, true);
    }
    DrawEventNumbers(painter, document, mapping, target, data);
}

// The link map under the trace box is drawn in units of a screen pixel
// (1/96 inch), so that it has the proportions the window shows.
constexpr qreal kScreenDpi = 96;
constexpr int kMapFontPixels = 11;

qreal MapScale(const QPainter& painter)
{
    return painter.device() ? std::max<qreal>(1, painter.device()->logicalDpiY() / kScreenDpi) : 1;
}

QFont MapFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kMapFontPixels);
    return font;
}

// The link map of a page: the bends are found against a trace of the same
// fibre at another wavelength when the work area shows one too.
std::vector<CLinkMap::tItem> MapItems(const sor::CFile& document, const tGraphState* workArea)
{
    std::vector<const sor::CFile*> candidates;
    if (workArea && workArea->files)
        for (const QSharedPointer<tListedFile>& listed : *workArea->files)
            if (listed && listed->file)
                candidates.push_back(listed->file.data());
    const QSharedPointer<sor::CFile> own = analysis::CWavelengthPair::RecordPartner(document);
    const sor::CFile* partner = own ? own.data() : analysis::CWavelengthPair::FindPartner(document, candidates);
    return CLinkMap::ItemsOf(document, partner, analysis::CBendFinder::kDefaultThresholdDb,
        CLinkMap::VerdictsOf(analysis::CActiveVerdict::Of(document), document.KeyEvents().size()));
}

int MapHeight(const QPainter& painter, const std::vector<CLinkMap::tItem>& items)
{
    if (items.empty())
        return 0;
    return int(std::ceil(CLinkMap::StripHeight(QFontMetrics(MapFont(), painter.device())) * MapScale(painter)));
}

void DrawMap(QPainter& painter, const QRect& rect, const std::vector<CLinkMap::tItem>& items)
{
    const qreal scale = MapScale(painter);
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);
    painter.setFont(MapFont());
    CLinkMap::Paint(painter, QRect(0, 0, int(rect.width() / scale), int(rect.height() / scale)), items);
    painter.restore();
}

} // namespace

const QImage& CReportPage::Logo()
{
    static const QImage logo(QStringLiteral(":/images/Logo.png"));
    return logo;
}

QString CReportPage::Escape(const QString& text)
{
    return text.toHtmlEscaped();
}

QString CReportPage::HeaderHtml(const sor::CFile& document, const QDateTime& printed)
{
    const sor::tFixedParameters& fixed = document.FixedParameters();
    const sor::tGeneralParameters& general = document.GeneralParameters();
    const double groupIndex = fixed.groupIndex;
    // What a user reads as the fibre's length, to the metre: the end event's
    // distance, else the range (the trace's extent where the file stores none).
    const double length = sor::FibreLength(document);
    // The program's version as major.minor.
    const QString version
        = QRegularExpression(QStringLiteral("^\\d+\\.\\d+")).match(QCoreApplication::applicationVersion()).captured();
    const QString program = tr("Lumetrix v.") + version + tr(" OTDR report");
    const QStringList places { Escape(QFileInfo(document.Path()).fileName()),
        Escape(CDateFormat::Text(fixed.dateTime)),
        Escape(CReportFacts::Device(document)), Number(fixed.actualWavelength),
        Number(fixed.pulseWidth), Number(groupIndex), CDistanceUnit::Text(length, CDistanceUnit::Of(&document), 1),
        QString::number(uint(fixed.averages)),
        Escape(general.operatorName), Escape(general.cableId), Escape(general.fiberId), Escape(general.comment),
        Escape(CDateFormat::Text(printed, true)), Escape(program) };
    const QString html
        = tr("<font Arial 16><table width = 100%><tr><td align=\"left\">%13</td><td align = \"right\">%14</td>"
             "</tr></table><hr><table><tr><td width=15%>File:</td><td>%1</td></tr> <tr><td>Date:</td>"
             "<td>%2</td></tr> <tr><td>Device:</td><td>%3</td></tr></table><hr /><table><tr>"
             "<td width=15%>Wavelength:</td><td>%4nm</td></tr> <tr><td>Pulse width:</td><td>%5ns</td></tr>"
             "<tr><td>Index:</td><td>%6</td></tr> <tr><td>Length:</td><td>%7</td></tr></table><hr />"
             "<table><tr><td width=15%>Averages:</td><td>%8 </td></tr> <tr><td>Operator:</td><td>%9 </td>"
             "</tr><tr><td>CableId:</td><td>%10 </td></tr> <tr><td>Fiber:</td><td>%11<br></tr></table><hr />"
             "<table><tr><td width=15%>Comment:</td><td>%12</td></tr></table>");
    // One pass over the template, so that a "%2" inside a file's text stays text.
    return html.arg(places[0], places[1], places[2], places[3], places[4], places[5], places[6], places[7], places[8],
        places[9], places[10], places[11], places[12], places[13]);
}

QString CReportPage::EventTableHtml(const sor::CFile& document, int first, int count)
{
    QList<QStringList> rows = CEventList::RowTexts(document);
    const int total = int(rows.size());
    const int offset = std::clamp(first, 0, total);
    rows = rows.mid(offset, count);
    // The verdict of the chosen limit set, with its marks in the cells; its
    // summary goes under the table's last part.
    const std::optional<analysis::tVerdict> verdict = analysis::CActiveVerdict::Of(document);
    const QString block = offset + int(rows.size()) >= total ? CVerdictHtml::Block(verdict) : QString();
    if (rows.isEmpty())
        return block;
    QString html = QStringLiteral("<table width = 100%><tr>");
    // The units on a line of their own, as on the screen: the long headers
    // of some languages would otherwise run into their neighbours.
    for (const QString& header : CEventList::HeaderTexts(&document))
        html += QStringLiteral("<td>%1</td>").arg(Escape(header).replace(QStringLiteral(" ["), QStringLiteral("<br/>[")));
    html += QStringLiteral("</tr>");
    for (int row = 0; row < int(rows.size()); ++row) {
        html += QStringLiteral("<tr>");
        for (int column = 0; column < int(rows[row].size()); ++column)
            html += CVerdictHtml::Cell(verdict, offset + row, column, Escape(rows[row][column]));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>") + block;
}

QString CReportPage::MarkerBlockHtml(const sor::CFile& document, const CCursors& cursors, const QString& eventTable)
{
    const double p1 = cursors.LeftMarker().Position();
    const double p2 = cursors.RightMarker().Position();
    const double level1 = -double(document.ValueAt(float(p1))) / 1000;
    const double level2 = -double(document.ValueAt(float(p2))) / 1000;
    const QString html = tr("<table width = 100%><tr><td width = 25%>Marker 1</td><td width = 25%>Marker 2</td>"
                            "<td width = 25%>&nbsp;</td><td width = 25%>&nbsp;</td></tr><tr><td>%1</td><td>%2</td>"
                            "<td>Distance 1-2</td><td>%3</td></tr><tr><td>%4dB</td><td>%5dB</td><td>Loss 1-2</td>"
                            "<td>%6dB</td></tr></table><hr/>%7");
    // The loss as the window's panel shows it: the level at marker 1 less
    // the level at marker 2, positive where the fibre loses light.
    const CDistanceUnit::tUnit unit = CDistanceUnit::Of(&document);
    return html.arg(CDistanceUnit::Text(p1, unit, 1), CDistanceUnit::Text(p2, unit, 1),
        CDistanceUnit::Text(p2 - p1, unit, 1), QString::number(level1, 'f', 3), QString::number(level2, 'f', 3),
        QString::number(level1 - level2, 'f', 3), eventTable);
}

QRectF CReportPage::TraceData(const sor::CFile& document, const QRect& target, const QFontMetrics& metrics)
{
    const int count = document.PointCount();
    if (count < 2)
        return QRectF();
    const quint16* samples = document.Points();
    const auto [low, high] = std::minmax_element(samples, samples + count);
    // A twentieth of the span above the highest level, and below the noise
    // floor room for the row of distance labels, so that they stand clear
    // of the trace.
    const double span = std::max(1, *high - *low);
    const double band = 35 + metrics.height() + 4;
    const double rows = std::max(1.0, target.height() - band);
    const double margin = span / 20;
    const double height = (span + margin) * target.height() / rows;
    return QRectF(0, *low - margin, document.Length(), height);
}

QRect CReportPage::Draw(QPainter& painter, const QRect& page, const sor::CFile& document, const tGraphState* workArea,
    const QDateTime& printed, int* continued)
{
    painter.save();
    painter.setClipRect(page);
    painter.translate(page.topLeft());
    const int width = page.width();
    const int height = page.height();

    // The logo fills at most a quarter of the width at the top right.
    const QImage& logo = Logo();
    int logoHeight = 0;
    if (!logo.isNull()) {
        const QSize size = logo.size().scaled(width / 4, height, Qt::KeepAspectRatio);
        painter.drawImage(QRect(QPoint(width - size.width(), 0), size), logo);
        logoHeight = size.height();
    }

    const bool work = workArea && workArea->cursors;
    QTextDocument header;
    Prepare(header, painter, HeaderHtml(document, printed) + CReportFacts::Html(document), width);

    // The file information, scaled down when it would leave the trace box
    // less than its least height. The box reaches at least half-way down the
    // page, and further down as far as the text below it leaves room.
    const int minBox = std::max(4, height / kMinBoxShare);
    const int headerHeight = DrawText(painter, header, logoHeight, height - logoHeight - minBox);
    const int top = logoHeight + headerHeight;
    // The link map and the events that fit below the box on this page; the
    // rest of the events continue on the pages after it.
    const std::vector<CLinkMap::tItem> mapItems = MapItems(document, workArea);
    const int mapHeight = MapHeight(painter, mapItems);
    const int events = int(document.KeyEvents().size());
    const auto lowerHtml = [&](int rows) {
        const QString table = EventTableHtml(document, 0, rows);
        return work ? MarkerBlockHtml(document, *workArea->cursors, table) : table;
    };
    const int room = height - top - minBox - mapHeight - 1;
    const int shown = RowsThatFit(painter, width, room, events, lowerHtml, false);
    QTextDocument lower;
    Prepare(lower, painter, lowerHtml(shown), width);
    const int lowerHeight = (lower.isEmpty() ? 0 : int(lower.size().height()) + 1) + mapHeight;
    const int boxHeight = std::min(std::max(height - top - lowerHeight, minBox), height - top);
    const QRect box(0, top, width, boxHeight);
    if (continued)
        *continued = shown;

    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    const QRect frame = box.adjusted(1, 1, -1, -1);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    const QRect inner = frame.adjusted(1, 1, -1, -1);
    if (work)
        workArea->Paint(painter, inner, true, true, true, true);
    else
        DrawDocument(painter, document, inner);
    painter.restore();

    // The link map under the box, then the marker readings and the events,
    // scaled down to end on the page.
    const int mapShown = std::min(mapHeight, std::max(0, height - box.bottom() - 1));
    if (mapShown > 0)
        DrawMap(painter, QRect(0, box.bottom() + 1, width, mapShown), mapItems);
    if (!lower.isEmpty())
        DrawText(painter, lower, box.bottom() + 1 + mapShown, height - box.bottom() - 1 - mapShown);
    painter.restore();
    return inner.translated(page.topLeft());
}

int CReportPage::RowsThatFit(
    QPainter& painter, int width, int room, int events, const std::function<QString(int)>& html, bool ownPage)
{
    // The most rows whose text fits `room`, at least one when there are any (a
    // page too small for one row shows it scaled down); under a trace box that
    // leaves no room at all, every row goes on to the next page. Where not
    // even one row fits under the box, a table that fits at half its size
    // stays whole on the page; a longer one starts on the next page rather
    // than with a row shrunk far below the rows after it.
    const auto fits = [&](int rows, double height = 0) {
        QTextDocument text;
        Prepare(text, painter, html(rows), width);
        return text.size().height() + 1 <= (height > 0 ? height : room);
    };
    if (events <= 0 || fits(events))
        return std::max(0, events);
    if (!ownPage && room <= 0)
        return 0;
    if (!ownPage && !fits(1))
        return fits(events, 2.0 * room) ? events : 0;
    int low = 1;
    int high = events;
    while (low + 1 < high) {
        const int middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low;
}

int CReportPage::DrawTableContinued(QPainter& painter, const QRect& page, const sor::CFile& document, int first)
{
    const int events = int(document.KeyEvents().size());
    if (first >= events)
        return events;
    const int rows = RowsThatFit(painter, page.width(), page.height(), events - first,
        [&](int n) { return EventTableHtml(document, first, n); }, true);
    QTextDocument text;
    Prepare(text, painter, EventTableHtml(document, first, rows), page.width());
    painter.save();
    painter.setClipRect(page);
    painter.translate(page.topLeft());
    DrawText(painter, text, 0, page.height());
    painter.restore();
    return first + std::max(1, rows);
}

bool CReportPage::DrawJob(QPagedPaintDevice& device, const QList<tPrinterListFile>& pages, const tGraphState* workArea,
    const std::function<void(int)>& progress)
{
    QList<tPrinterListFile> drawn;
    const QSharedPointer<sor::CFile> active = workArea ? workArea->Active() : QSharedPointer<sor::CFile>();
    for (const tPrinterListFile& entry : pages) {
        if (!entry.IsWorkArea() || active)
            drawn.append(entry);
    }
    if (drawn.isEmpty())
        return true;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRect page(0, 0, device.width(), device.height());
    const QDateTime printed = QDateTime::currentDateTime();
    bool ok = true;
    for (int i = 0; i < drawn.size(); ++i) {
        const tPrinterListFile& entry = drawn[i];
        const sor::CFile& document = entry.IsWorkArea() ? *active : *entry.file;
        const int events = int(document.KeyEvents().size());
        int next = events;
        Draw(painter, page, document, entry.IsWorkArea() ? workArea : nullptr, printed, &next);
        // A long event table goes on over as many pages as it needs.
        while (next < events) {
            if (!device.newPage()) {
                ok = false;
                break;
            }
            next = DrawTableContinued(painter, page, document, next);
        }
        if (!ok)
            break;
        if (progress)
            progress(i + 1);
        if (i + 1 < drawn.size() && !device.newPage()) {
            ok = false;
            break;
        }
    }
    return painter.end() && ok;
}

bool CReportPage::WritePdf(const QString& path, const QList<tPrinterListFile>& pages, const tGraphState* workArea,
    const QPageLayout& layout, int resolution, QString* error)
{
    // Written beside the target and moved over it at the end.
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Lumetrix"));
        writer.setTitle(QFileInfo(path).completeBaseName());
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        written = DrawJob(writer, pages, workArea);
        if (!written && error)
            *error = tr("The pages could not be drawn.");
    }
    if (written) {
        written = file.commit();
    } else {
        file.cancelWriting();
    }
    if (!written && error && error->isEmpty())
        *error = file.errorString();
    return written;
}
