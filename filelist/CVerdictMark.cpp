#include "CVerdictMark.h"

#include <QResizeEvent>

CVerdictMark::CVerdictMark(analysis::tCheck::tState state, QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("verdictMark"));
    m_sSymbol = analysis::CVerdict::StateSymbol(state);
    m_sFull = m_sSymbol + QLatin1Char(' ') + analysis::CVerdict::StateText(state);
    setText(m_sFull);
    setToolTip(analysis::CVerdict::StateText(state));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Colour(state));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setMargin(1);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int CVerdictMark::WidthOf(const QString& text) const
{
    const QMargins margins = contentsMargins();
    return fontMetrics().horizontalAdvance(text) + 2 * margin() + 2 * frameWidth() + margins.left() + margins.right()
        + 2;
}

QSize CVerdictMark::sizeHint() const
{
    return QSize(WidthOf(m_sFull), QLabel::sizeHint().height());
}

QSize CVerdictMark::minimumSizeHint() const
{
    return QSize(WidthOf(m_sSymbol), QLabel::minimumSizeHint().height());
}

void CVerdictMark::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    const QString shown = width() >= WidthOf(m_sFull) ? m_sFull : m_sSymbol;
    if (text() != shown)
        setText(shown);
}

QColor CVerdictMark::Colour(analysis::tCheck::tState state)
{
    switch (state) {
    case analysis::tCheck::Pass:
        return QColor(0xc6, 0xef, 0xce);
    case analysis::tCheck::Warn:
        return QColor(0xff, 0xe0, 0x8a);
    case analysis::tCheck::Fail:
        break;
    }
    return QColor(0xff, 0xb3, 0xb3);
}
