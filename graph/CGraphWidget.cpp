#include "CGraphWidget.h"

#include "CContrast.h"
#include "CTracePainter.h"
#include "tGraphState.h"
#include "tSampleMapping.h"

#include <TraceLengths.h>
#include <CDistanceUnit.h>

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace {

// Room between the labels and the right edge, and between the two columns.
constexpr int kLabelGap = 5;

// The largest sample of a document, found once per document: the samples of a
// loaded trace never change, and scanning a long trace costs about as much as
// drawing it. Painting happens on the GUI thread only.
quint16 LargestSample(const sor::CFile& document)
{
    struct tKnown
    {
        QPointer<const sor::CFile> document;
        const quint16* samples = nullptr;
        int count = 0;
        quint16 largest = 0;
    };
    static QHash<const sor::CFile*, tKnown> known;
    const auto found = known.constFind(&document);
    if (found != known.constEnd() && found->document == &document && found->samples == document.Points()
        && found->count == document.PointCount())
        return found->largest;

    // Documents that are gone leave their entries behind; they are swept out
    // now and then.
    if (known.size() >= 1024)
        known.removeIf([](const auto& entry) { return entry.value().document.isNull(); });
    const quint16 largest = document.MaxValue();
    known.insert(&document, { &document, document.Points(), document.PointCount(), largest });
    return largest;
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
        const QRectF data(0, 0, document.Length(), LargestSample(document));
        const tSampleMapping mapping
            = tSampleMapping::Make(target, data, document.Resolution(), document.PointCount());
        CTracePainter::DrawTrace(painter, document, mapping, target, m_pListed->colour);

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
