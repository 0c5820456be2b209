#include "GraphTools.h"

#include "CGraphDlg.h"
#include "CPreviewFrame.h"

#include <QHBoxLayout>

GraphTools::GraphTools(tGraphState* geometry, QWidget* plot, QWidget* parent)
    : QWidget(parent), m_pPanel(new CGraphDlg(geometry, this)), m_pOverview(new CPreviewFrame(geometry, plot, this))
{
    setObjectName(QStringLiteral("tools"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setMouseTracking(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pPanel);
    layout->addWidget(m_pOverview);
}
