#include "CEventPane.h"

#include <QEvent>
#include <QVBoxLayout>

CEventPane::CEventPane(QWidget* table, QWidget* line, QWidget* parent)
    : QWidget(parent), m_pTable(table), m_pLine(line)
{
    setObjectName(QStringLiteral("eventPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(table, 1);
    layout->addWidget(line);
    // The children's own show() and hide() arrive as these events whether or
    // not the pane is visible at the time.
    table->installEventFilter(this);
    line->installEventFilter(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    Follow();
}

bool CEventPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        Follow();
    return QWidget::eventFilter(watched, event);
}

QSize CEventPane::minimumSizeHint() const
{
    const QSize line = m_pLine->isHidden() ? QSize(0, 0) : m_pLine->sizeHint();
    return QSize(m_pTable->minimumWidth(), m_pTable->minimumHeight() + line.height());
}

void CEventPane::Follow()
{
    setVisible(!m_pTable->isHidden() || !m_pLine->isHidden());
}
