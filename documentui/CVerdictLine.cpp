#include "CVerdictLine.h"

#include "CVerdictCells.h"

CVerdictLine::CVerdictLine(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("verdictLine"));
    setTextFormat(Qt::PlainText);
    setMargin(4);
    setAutoFillBackground(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long reason is cut at the window's edge (the tool tip holds it all)
    // rather than widening the window.
    setMinimumWidth(1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    hide();
}

void CVerdictLine::OnVerdict(const std::optional<analysis::tVerdict>& verdict)
{
    if (!verdict) {
        hide();
        return;
    }
    QPalette colours = palette();
    colours.setColor(QPalette::Window, CVerdictCells::Colour(verdict->state));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setText(CVerdictCells::LineText(*verdict));
    setToolTip(text());
    show();
}
