#include "CReportPage.h"

#include "CVerdictHtml.h"

#include <CActiveVerdict.h>
#include <CEventList.h>
#include <CFile.h>
#include <CLinkMap.h>
#include <CBendFinder.h>
#include <CWavelengthPair.h>
#include <CTracePainter.h>
#include <tGraphState.h>
#include <tSampleMapping.h>

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

// The trace box keeps at least this share of the page height, however tall
// the file information above it is.
constexpr int kMinBoxShare = 6;

// The page's rich texts: the given width in device units, laid out for the
// painter's device so that point sizes come out alike on screen, printer and PDF.
void Prepare(QTextDocument& text, QPainter& painter, const QString& html, int width)
{
    text.documentLayout()->setPaintDevice(painter.device());
    text.setDefaultFont(QFont(QStringLiteral("Arial"), 9));
    text.setDocumentMargin(0);
    text.setHtml(html);
    text.setTextWidth(width);
}

// Draws a rich text at `top`, scaled down when it is taller than `room`, so
// that it ends on the page. Returns the height it takes.
int DrawText(QPainter& painter, QTextDocument& text, int top, int room)
{
    const qreal height = text.size().height();
    if (height <= 0 || room <= 0)
        return 0;
    const qreal scale = std::min<qreal>(1, room / height);
    painter.save();
    painter.translate(0, top);
    painter.scale(scale, scale);
    text.drawContents(&painter);
    painter.restore();
    return int(height * scale);
}

// "%1" in the general number format at default precision.
QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

// A page of a file that is not the work area: its whole extent, its trace in
// blue, the grid with labels and its events, numbered, at the distances the
// document's own group index gives.
void DrawDocument(QPainter& painter, const sor::CFile& document, const QRect& target)
{
    const int count = document.PointCount();
    if (count < 2)
        return;
    const quint16* samples = document.Points();
    const auto [low, high] = std::minmax_element(samples, samples + count);
    const QRectF data(0, *low, document.Length(), std::max(1, *high - *low));
    const tSampleMapping mapping = tSampleMapping::Make(target, data, document.Resolution(), count);
    if (!mapping.valid)
        return;
    // Reduced to the page's resolution like the screen: every peak stays, and
    // a long trace does not fill the output with points no one can tell apart.
    CTracePainter::DrawTrace(painter, document, mapping, target, Qt::blue, true);
    CTracePainter::DrawGrid(painter, mapping, target, data, true);
    for (const sor::tKeyEvent& event : document.KeyEvents()) {
        const CCursors::CCursor mark(document.TimeToDistance(event.time),
            event.codeType == sor::tKeyEvent::Reflective || event.codeType == sor::tKeyEvent::Saturated
                ? CCursors::KindReflectiveEvent
                : CCursors::KindEvent);
        CTracePainter::DrawMark(painter, document, mapping, target, mark, true);
        const int x = std::min(mapping.DistanceX(std::max(0.0f, mark.Position())), target.right());
        if (x < target.left())
            continue;
        painter.setPen(QPen(Qt::black, 2));
        painter.drawText(QPoint(x, target.top() + 10), QString::number(event.number));
    }
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
    const sor::CFile* partner = analysis::CWavelengthPair::FindPartner(document, candidates);
    return CLinkMap::ItemsOf(document, partner, analysis::CBendFinder::kDefaultThresholdDb);
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
    const sor::tSupplierParameters& supplier = document.SupplierParameters();
    const sor::tGeneralParameters& general = document.GeneralParameters();
    const double groupIndex = fixed.groupIndex;
    const double length = groupIndex > 0 ? double(fixed.acquisitionRange) * 299792458.0 / groupIndex / 1e9 / 1000 : 0;
    // The program's version as major.minor.
    const QString version
        = QRegularExpression(QStringLiteral("^\\d+\\.\\d+")).match(QCoreApplication::applicationVersion()).captured();
    const QString program = tr("Lumetrix v.") + version + tr(" OTDR report");
    const QStringList places { Escape(QFileInfo(document.Path()).fileName()),
        Escape(fixed.dateTime.toString(tr("dd/MM/yyyy hh:mm", "Date format: year/month/day  hour:min"))),
        Escape(supplier.mainframeId), Escape(supplier.mainframeSerial), Number(fixed.actualWavelength),
        Number(fixed.pulseWidth), Number(groupIndex), Number(length), QString::number(uint(fixed.averages)),
        Escape(general.operatorName), Escape(general.cableId), Escape(general.fiberId), Escape(general.comment),
        Escape(printed.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))), Escape(program) };
    const QString html
        = tr("<font Arial 16><table width = 100%><tr><td align=\"left\">%14</td><td align = \"right\">%15</td>"
             "</tr></table><hr><table><tr><td width=15%>File:</td><td>%1</td></tr> <tr><td>Date:</td>"
             "<td>%2</td></tr> <tr><td>Device:</td><td>%3 \u2116%4</td></tr></table><hr /><table><tr>"
             "<td width=15%>Wavelength:</td><td>%5nm</td></tr> <tr><td>Pulse width:</td><td>%6ns</td></tr>"
             "<tr><td>Index:</td><td>%7</td></tr> <tr><td>Length:</td><td>%8km</td></tr></table><hr />"
             "<table><tr><td width=15%>Averages:</td><td>%9 </td></tr> <tr><td>Operator:</td><td>%10 </td>"
             "</tr><tr><td>CableId:</td><td>%11 </td></tr> <tr><td>Fiber:</td><td>%12<br></tr></table><hr />"
             "<table><tr><td width=15%>Comment:</td><td>%13</td></tr></table>");
    // One pass over the template, so that a "%2" inside a file's text stays text.
    return html.arg(places[0], places[1], places[2], places[3], places[4], places[5], places[6], places[7], places[8],
        places[9], places[10], places[11], places[12], places[13], places[14]);
}

QString CReportPage::EventTableHtml(const sor::CFile& document)
{
    const QList<QStringList> rows = CEventList::RowTexts(document);
    // The verdict of the chosen limit set, with its marks in the cells.
    const std::optional<analysis::tVerdict> verdict = analysis::CActiveVerdict::Of(document);
    if (rows.isEmpty())
        return CVerdictHtml::Block(verdict);
    QString html = QStringLiteral("<table width = 100%><tr>");
    for (const QString& header : CEventList::HeaderTexts())
        html += QStringLiteral("<td>%1</td>").arg(Escape(header));
    html += QStringLiteral("</tr>");
    for (int row = 0; row < int(rows.size()); ++row) {
        html += QStringLiteral("<tr>");
        for (int column = 0; column < int(rows[row].size()); ++column)
            html += CVerdictHtml::Cell(verdict, row, column, Escape(rows[row][column]));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>") + CVerdictHtml::Block(verdict);
}

QString CReportPage::MarkerBlockHtml(const sor::CFile& document, const CCursors& cursors, const QString& eventTable)
{
    const double p1 = cursors.LeftMarker().Position();
    const double p2 = cursors.RightMarker().Position();
    const double level1 = -double(document.ValueAt(float(p1))) / 1000;
    const double level2 = -double(document.ValueAt(float(p2))) / 1000;
    const QString html = tr("<table width = 100%><tr><td width = 25%>Marker 1</td><td width = 25%>Marker 2</td>"
                            "<td width = 25%>&nbsp;</td><td width = 25%>&nbsp;</td></tr><tr><td>%1km</td><td>%2km</td>"
                            "<td>Distance 1-2</td><td>%3km</td></tr><tr><td>%4dB</td><td>%5dB</td><td>Delta 1-2</td>"
                            "<td>%6dB</td></tr></table><hr/>%7");
    return html.arg(QString::number(p1 / 1000, 'f', 3), QString::number(p2 / 1000, 'f', 3),
        QString::number((p2 - p1) / 1000, 'f', 3), Number(level1), Number(level2), Number(level2 - level1), eventTable);
}

QRect CReportPage::Draw(QPainter& painter, const QRect& page, const sor::CFile& document, const tGraphState* workArea,
    const QDateTime& printed)
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
    Prepare(header, painter, HeaderHtml(document, printed), width);
    const QString table = EventTableHtml(document);
    QTextDocument lower;
    Prepare(lower, painter, work ? MarkerBlockHtml(document, *workArea->cursors, table) : table, width);

    // The file information, scaled down when it would leave the trace box
    // less than its least height. The box reaches at least half-way down the
    // page, and further down as far as the text below it leaves room.
    const int minBox = std::max(4, height / kMinBoxShare);
    const int headerHeight = DrawText(painter, header, logoHeight, height - logoHeight - minBox);
    const int top = logoHeight + headerHeight;
    const std::vector<CLinkMap::tItem> mapItems = MapItems(document, workArea);
    const int mapHeight = MapHeight(painter, mapItems);
    const int lowerHeight = (lower.isEmpty() ? 0 : int(lower.size().height()) + 1) + mapHeight;
    const int boxHeight
        = std::min({ std::max({ height / 2 - top, height - top - lowerHeight, minBox }), height - top });
    const QRect box(0, top, width, boxHeight);

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
        if (entry.IsWorkArea())
            Draw(painter, page, *active, workArea, printed);
        else
            Draw(painter, page, *entry.file, nullptr, printed);
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
