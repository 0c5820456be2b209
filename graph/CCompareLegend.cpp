#include "CCompareLegend.h"

#include "CContrast.h"
#include "tGraphState.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kPadding = 4;
constexpr int kSwatch = 16;
constexpr int kMargin = 8;

QString LegendText(const tListedFile& listed)
{
    return QCoreApplication::translate("CCompareLegend", "%1, %2 nm")
        .arg(QFileInfo(listed.file->Path()).fileName())
        .arg(double(listed.file->GeneralParameters().wavelength.Value()));
}

QFont LegendFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8);
    return font;
}

} // namespace

QRect CCompareLegend::Rect(const tGraphState& geometry, const QPainter& painter, const QRect& target)
{
    if (!geometry.files || geometry.files->size() < 2)
        return QRect();
    const QFontMetrics metrics(LegendFont(), painter.device());
    int width = 0;
    int lines = 0;
    for (const QSharedPointer<tListedFile>& listed : *geometry.files) {
        if (!listed || !listed->file)
            continue;
        width = std::max(width, metrics.horizontalAdvance(LegendText(*listed)));
        ++lines;
    }
    const QSize size(kSwatch + 3 * kPadding + width, lines * metrics.height() + 2 * kPadding);
    return QRect(QPoint(target.right() - kMargin - size.width(), target.top() + kMargin), size);
}

void CCompareLegend::Paint(const tGraphState& geometry, QPainter& painter, const QRect& target)
{
    const QRect plate = Rect(geometry, painter, target);
    if (plate.isEmpty())
        return;
    painter.save();
    const QColor ink = CContrast::Ink(geometry.background, Qt::black);
    QColor back = CContrast::Halo(ink);
    back.setAlpha(215);
    painter.setPen(QPen(ink, 1));
    painter.setBrush(back);
    painter.drawRect(plate.adjusted(0, 0, -1, -1));
    painter.setFont(LegendFont());
    const QFontMetrics metrics(LegendFont(), painter.device());
    int top = plate.top() + kPadding;
    for (const QSharedPointer<tListedFile>& listed : *geometry.files) {
        if (!listed || !listed->file)
            continue;
        const int middle = top + metrics.height() / 2;
        painter.setPen(QPen(listed->colour, 3));
        painter.drawLine(plate.left() + kPadding, middle, plate.left() + kPadding + kSwatch, middle);
        painter.setPen(ink);
        painter.drawText(QRect(plate.left() + 2 * kPadding + kSwatch, top, plate.width(), metrics.height()),
            Qt::AlignLeft | Qt::AlignVCenter, LegendText(*listed));
        top += metrics.height();
    }
    painter.restore();
}
