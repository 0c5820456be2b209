#include "CGraphView.h"

#include "CEntryGuard.h"
#include "CGraphPix.h"
#include "tGraphState.h"

#include <QAction>
#include <QGridLayout>
#include <QScrollBar>

#include <algorithm>

namespace {

// Zooms up to this count as the whole extent: no scroll bar is needed.
constexpr float kScrollZoom = 1.001f;

} // namespace

CGraphView::CGraphView(tGraphState* geometry, QWidget* parent)
    : QWidget(parent),
      m_pGeometry(geometry),
      m_pPix(new CGraphPix(geometry, this)),
      m_pHScroll(new QScrollBar(Qt::Horizontal, this)),
      m_pVScroll(new QScrollBar(Qt::Vertical, this))
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pPix, 0, 0);
    layout->addWidget(m_pVScroll, 0, 1);
    layout->addWidget(m_pHScroll, 1, 0);

    connect(m_pHScroll, &QScrollBar::sliderMoved, this, &CGraphView::UpdateHScroll);
    connect(m_pHScroll, &QScrollBar::valueChanged, this, &CGraphView::UpdateHScroll);
    connect(m_pVScroll, &QScrollBar::sliderMoved, this, &CGraphView::UpdateVScroll);
    connect(m_pVScroll, &QScrollBar::valueChanged, this, &CGraphView::UpdateVScroll);

    m_pHScroll->hide();
    m_pVScroll->hide();
}

void CGraphView::UpdateScrolls()
{
    if (!m_pGeometry->IsValid()) {
        m_pHScroll->hide();
        m_pVScroll->hide();
        emit sigUpdate();
        return;
    }
    m_pVScroll->setVisible(m_pGeometry->yZoom > kScrollZoom);
    m_pHScroll->setVisible(m_pGeometry->xZoom > kScrollZoom);

    m_bUpdating = true;
    // A canvas smaller than the plot (a zoom below 1) leaves nothing to scroll;
    // the range never turns negative.
    m_pHScroll->setPageStep(m_pPix->width());
    m_pHScroll->setRange(0, std::max(0, m_pGeometry->virtualSize.width() - m_pPix->width()));
    m_pHScroll->setValue(m_pGeometry->view.left());
    m_pVScroll->setPageStep(m_pPix->height());
    m_pVScroll->setRange(0, std::max(0, m_pGeometry->virtualSize.height() - m_pPix->height()));
    m_pVScroll->setValue(m_pGeometry->view.top());
    m_bUpdating = false;
    emit sigUpdate();
}

void CGraphView::ZoomBy(int step, bool xOnly)
{
    m_pGeometry->Zoom(m_pPix->size(), m_pPix->rect().center(), step, xOnly, true);
    UpdateScrolls();
}

void CGraphView::OnZoomIn()
{
    ZoomBy(1, false);
}

void CGraphView::OnZoomOut()
{
    ZoomBy(-1, false);
}

void CGraphView::OnZoomXIn()
{
    ZoomBy(1, true);
}

void CGraphView::OnZoomXOut()
{
    ZoomBy(-1, true);
}

void CGraphView::OnZoomOff()
{
    m_pGeometry->ZoomReset();
    UpdateScrolls();
}

void CGraphView::OnZoomXOff()
{
    m_pGeometry->xZoom = m_pGeometry->yZoom;
    m_pGeometry->Recompute();
    UpdateScrolls();
}

bool CGraphView::IsChecked(const QAction* action)
{
    return action && action->isChecked();
}

void CGraphView::Uncheck(QAction* action)
{
    if (action)
        action->setChecked(false);
}

void CGraphView::ToggleMeasure(quint32 kind, QAction* pressed, QAction* other)
{
    CCursors& cursors = *m_pGeometry->cursors;
    if (cursors.IsMeasuring()) {
        // Pressing the running measurement's own action again cancels it;
        // pressing the other one switches to the other kind.
        if (!IsChecked(other)) {
            cursors.AddEvent(false);
            emit sigUpdate();
            return;
        }
        Uncheck(other);
        cursors.AddEvent(false);
    }
    if (!m_pGeometry->Active()) {
        // Without a trace there is nothing to measure on.
        Uncheck(pressed);
        emit sigUpdate();
        return;
    }
    // The cursors start spread over what is in view, so that the first
    // reading already measures something.
    cursors.SpreadOverView();
    cursors.StartMeasure(kind);
    emit sigUpdate();
}

void CGraphView::OnJunctionMeas()
{
    ToggleMeasure(CCursors::MeasureSplice, m_pSpliceAction, m_pReflectionAction);
}

void CGraphView::OnReflectionMeas()
{
    ToggleMeasure(CCursors::MeasureReflection, m_pReflectionAction, m_pSpliceAction);
}

void CGraphView::OnEndMeas()
{
    Uncheck(m_pSpliceAction);
    Uncheck(m_pReflectionAction);
    if (m_pGeometry->cursors->IsMeasuring()) {
        // An event that cannot be added ends the measurement without it.
        if (!CEntryGuard::Run(this, [this] { m_pGeometry->cursors->AddEvent(true); }))
            m_pGeometry->cursors->AddEvent(false);
    }
    emit editingEnd();
    emit sigUpdate();
}

void CGraphView::OnFixCursors()
{
    m_pGeometry->cursors->SetLocked(IsChecked(m_pLockAction));
    emit sigUpdate();
}

// The quarter-page moves reach the geometry through the scroll bars' own signals.
void CGraphView::OnMoveLeft()
{
    m_pHScroll->setValue(m_pHScroll->value() - m_pHScroll->pageStep() / 4);
    emit sigUpdate();
}

void CGraphView::OnMoveRight()
{
    m_pHScroll->setValue(m_pHScroll->value() + m_pHScroll->pageStep() / 4);
    emit sigUpdate();
}

void CGraphView::OnMoveUp()
{
    m_pVScroll->setValue(m_pVScroll->value() - m_pVScroll->pageStep() / 4);
    emit sigUpdate();
}

void CGraphView::OnMoveDown()
{
    m_pVScroll->setValue(m_pVScroll->value() + m_pVScroll->pageStep() / 4);
    emit sigUpdate();
}

void CGraphView::OnMoveLeftMarkerLeft()
{
    m_pGeometry->cursors->StepLeft(m_pGeometry->cursors->LeftMarker());
    emit sigUpdate();
}

void CGraphView::OnMoveRightMarkerLeft()
{
    m_pGeometry->cursors->StepRight(m_pGeometry->cursors->LeftMarker());
    emit sigUpdate();
}

void CGraphView::OnMoveLeftMarkerRight()
{
    m_pGeometry->cursors->StepLeft(m_pGeometry->cursors->RightMarker());
    emit sigUpdate();
}

void CGraphView::OnMoveRightMarkerRight()
{
    m_pGeometry->cursors->StepRight(m_pGeometry->cursors->RightMarker());
    emit sigUpdate();
}

void CGraphView::UpdateHScroll(int value)
{
    if (m_bUpdating)
        return;
    m_pGeometry->ScrollTo(QPoint(value, m_pVScroll->value()));
    emit sigUpdate();
}

void CGraphView::UpdateVScroll(int value)
{
    if (m_bUpdating)
        return;
    m_pGeometry->ScrollTo(QPoint(m_pHScroll->value(), value));
    emit sigUpdate();
}
