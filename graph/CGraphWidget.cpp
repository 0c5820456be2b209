#include "CGraphWidget.h"

#include "CContrast.h"
#include "tGraphState.h"
#include "tSampleMapping.h"

#include <TraceLengths.h>
#include <CDistanceUnit.h>

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Room between the labels and the right edge, and between the two columns.
constexpr int kLabelGap = 5;

// The whole trace from its outline, a column of the target at a time: the
// range of the buckets starting in it, joined to the column before, so that
// the trace needs no samples in memory to be drawn this small.
void DrawOutline(QPainter& painter, const sor::CFile& document, const tSampleMapping& mapping, const QColor& colour)
{
    const sor::CTraceOutline& outline = document.Outline();
    if (!mapping.valid || outline.Buckets() < 2)
        return;
    QVector<QLine> lines;
    lines.reserve(outline.Buckets());
    bool any = false;
    int column = 0;
    quint16 low = 0;
    quint16 high = 0;
    quint16 lastLow = 0;
    quint16 lastHigh = 0;
    const auto flush = [&] {
        // Joined to the range of the column before where the two do not meet.
        const quint16 top = any && lastHigh < low ? lastHigh : low;
        const quint16 bottom = any && lastLow > high ? lastLow : high;
        lines.append(QLine(column, mapping.ValueY(top), column, mapping.ValueY(bottom)));
        lastLow = low;
        lastHigh = high;
        any = true;
    };
    bool open = false;
    for (int bucket = 0; bucket < outline.Buckets(); ++bucket) {
        const int x = mapping.SampleX(outline.BucketStart(bucket));
        if (open && x == column) {
            low = std::min(low, outline.Low(bucket));
            high = std::max(high, outline.High(bucket));
            continue;
        }
        if (open)
            flush();
        column = x;
        low = outline.Low(bucket);
        high = outline.High(bucket);
        open = true;
    }
    flush();
    QPen pen(colour, 1);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLines(lines);
}

} // namespace

CGraphWidget::CGraphWidget(QWidget* parent, const QSharedPointer<tListedFile>& listed)
    : QFrame(parent), m_pListed(listed), m_cBackground(tGraphState().background)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

void CGraphWidget::SetBackground(const QColor& background)
{
    if (background == m_cBackground)
        return;
    m_cBackground = background;
    update();
}

QStringList CGraphWidget::Labels(const sor::CFile& document)
{
    const sor::tFixedParameters& fixed = document.FixedParameters();
    const double groupIndex = double(fixed.groupIndex.Value());
    // What users read as the fibre's length: the end event's distance, else
    // the range (the trace's extent where the file stores none).
    const double length = sor::FibreLength(document);
    return { tr("%1=%2ns").arg(QChar(0x03C4)).arg(double(fixed.pulseWidth.Value())),
        tr("%1=%2nm").arg(QChar(0x03BB)).arg(double(document.GeneralParameters().wavelength.Value())),
        // The length to the metre, as the marker panel shows the range: not
        // the noise of the conversion.
        tr("L=%1").arg(CDistanceUnit::Text(length, CDistanceUnit::Of(&document), 1).remove(QLatin1Char(' '))), tr("k=%1").arg(groupIndex) };
}

void CGraphWidget::paintEvent(QPaintEvent* event)
{
    const int inset = lineWidth();
    const QRect target = rect().adjusted(inset, inset, -inset, -inset);
    QPainter painter(this);
    painter.fillRect(target, m_cBackground);

    if (m_pListed && m_pListed->file) {
        const sor::CFile& document = *m_pListed->file;
        painter.setClipRect(target);
        const QRectF data(0, 0, document.Length(), document.MaxValue());
        const tSampleMapping mapping
            = tSampleMapping::Make(target, data, document.Resolution(), document.PointCount());
        DrawOutline(painter, document, mapping, m_pListed->colour);

        // Two columns in the top-right corner: pulse width over wavelength on
        // the right, range over group index to their left.
        const QStringList labels = Labels(document);
        const QFontMetrics metrics(font());
        const auto width = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
        const int right = target.right() + 1 - kLabelGap - std::max(width(labels[0]), width(labels[1]));
        const int left = right - kLabelGap - std::max(width(labels[2]), width(labels[3]));
        const int line = metrics.height();
        // In an ink that reads on the plot background whatever the desktop's
        // palette, with a halo of the background where it crosses the trace.
        const QColor ink = CContrast::Ink(m_cBackground, Qt::black);
        painter.setFont(font());
        const auto draw = [&](int x, int row, const QString& text) {
            const QRect rect(x, target.top() + row * line, width(text), line);
            const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
            painter.setPen(m_cBackground);
            for (const QPoint& offset : { QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1) })
                painter.drawText(rect.translated(offset), flags, text);
            painter.setPen(ink);
            painter.drawText(rect, flags, text);
        };
        draw(right, 0, labels[0]);
        draw(right, 1, labels[1]);
        draw(left, 0, labels[2]);
        draw(left, 1, labels[3]);
    }
    painter.end();
    QFrame::paintEvent(event);
}
