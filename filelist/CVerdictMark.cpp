#include "CVerdictMark.h"

CVerdictMark::CVerdictMark(analysis::tCheck::tState state, QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("verdictMark"));
    setText(analysis::CVerdict::StateSymbol(state) + QLatin1Char(' ') + analysis::CVerdict::StateText(state));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Colour(state));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setMargin(1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
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
