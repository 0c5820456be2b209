#include "GraphTools.h"

#include "CGraphDlg.h"
#include "CPreviewFrame.h"

#include <QHBoxLayout>

GraphTools::GraphTools(tGraphState* geometry, QWidget* plot, QWidget* parent)
    : QWidget(parent), m_pPanel(new CGraphDlg(geometry, this)), m_pOverview(new CPreviewFrame(geometry, plot, this))
{
    setObjectName(QStringLiteral("tools"));
    // As high as the panel asks, so that the plot below keeps its height
    // when the plot's scroll bars come and go.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->addWidget(m_pPanel);
    layout->addWidget(m_pOverview);
}
