#include "CColorBox.h"

#include <QPainter>

namespace {

constexpr int kSide = 10;

} // namespace

CColorBox::CColorBox(const QColor& colour, QWidget* parent) : QWidget(parent), m_colour(colour)
{
    setMinimumSize(kSide, kSide);
    setMaximumSize(kSide, kSide);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
}

void CColorBox::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter(this).fillRect(rect(), m_colour);
}
