#include "CGraphPix.h"

#include "tGraphState.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Zooms up to this count as the whole extent, where there is nothing to pan.
constexpr float kPanZoom = 1.001f;
// Wheel delta of one notch.
constexpr int kWheelNotch = 120;

} // namespace

CGraphPix::CGraphPix(tGraphState* geometry, QWidget* parent) : QWidget(parent), m_pGeometry(geometry)
{
    Q_ASSERT(geometry);
    // Small enough for the main window to fit an 800 x 600 screen.
    setMinimumSize(200, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
    // Every paint covers the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CGraphPix::SetLeftMarkerHere()
{
    MoveHere(m_pGeometry->cursors->LeftMarker());
}

void CGraphPix::SetRightMarkerHere()
{
    MoveHere(m_pGeometry->cursors->RightMarker());
}

void CGraphPix::SetLeftCursorHere()
{
    MoveHere(m_pGeometry->cursors->OuterLeft());
}

void CGraphPix::SetRightCursorHere()
{
    MoveHere(m_pGeometry->cursors->OuterRight());
}

void CGraphPix::SetCenterCursorHere()
{
    MoveHere(m_pGeometry->cursors->Centre());
}

void CGraphPix::MoveHere(CCursors::CEditableCursor& cursor)
{
    // The chosen cursor alone goes where the menu was opened: a locked chain
    // would carry the others along.
    CCursors& cursors = *m_pGeometry->cursors;
    const bool locked = cursors.IsLocked();
    cursors.SetLocked(false);
    m_pGeometry->MoveCursorToPixel(cursor, m_lastPos.x(), 0);
    cursors.SetLocked(locked);
    update();
    emit sigUpdate();
}

void CGraphPix::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    if (!m_pGeometry->IsValid() || !m_pGeometry->Active()) {
        painter.fillRect(rect(), m_pGeometry->background);
        // Nothing listed: say how to get traces where the plot would be; an
        // entry that cannot be shown says why instead.
        if (!m_sNotice.isEmpty() || !m_pGeometry->files || m_pGeometry->files->empty()) {
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(rect().adjusted(20, 20, -20, -20), Qt::AlignCenter | Qt::TextWordWrap,
                m_sNotice.isEmpty() ? EmptyHint() : m_sNotice);
        }
    } else
        m_pGeometry->Paint(painter, rect(), true, true, true, false);

    if (m_nDragMode == DragZoom) {
        const QColor& background = m_pGeometry->background;
        const QColor inverse(255 - background.red(), 255 - background.green(), 255 - background.blue());
        painter.setPen(QPen(inverse, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(RubberBand());
    }
}

void CGraphPix::SetNotice(const QString& notice)
{
    if (notice == m_sNotice)
        return;
    m_sNotice = notice;
    update();
}

QString CGraphPix::EmptyHint()
{
    return tr("No traces in this folder.\n\nOpen a folder of traces with File > Change folder (Ctrl+O),\n"
              "or connect the instrument and download its traces with OTDR > Load all.");
}

void CGraphPix::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_pGeometry->Resize(event->size());
    if (m_pGeometry->IsValid())
        emit sigUpdate();
}

void CGraphPix::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    // Remembered for every button: the context-menu slots act where the menu was opened.
    m_lastPos = point;
    if (event->button() != Qt::LeftButton || !m_pGeometry->IsValid()) {
        QWidget::mousePressEvent(event);
        return;
    }

    // Control always draws a zoom rectangle, wherever it starts.
    int offset = 0;
    CCursors::CEditableCursor* cursor = nullptr;
    if (event->modifiers() & Qt::ControlModifier) {
        m_nDragMode = DragZoom;
        setCursor(Qt::SizeAllCursor);
    } else if ((cursor = m_pGeometry->CursorAt(point, &offset))) {
        m_nDragMode = DragCursor;
        m_pDragged = cursor;
        m_nGrabOffset = offset;
        setCursor(Qt::SizeHorCursor);
    } else if (m_pGeometry->xZoom > kPanZoom || m_pGeometry->yZoom > kPanZoom) {
        m_nDragMode = DragPan;
        setCursor(Qt::ClosedHandCursor);
    }
    m_pressPos = point;
    m_corner = point;
    m_pressTopLeft = m_pGeometry->view.topLeft();
}

void CGraphPix::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_lastPos = point;
    switch (m_nDragMode) {
    case DragCursor:
        if (m_pDragged)
            m_pGeometry->MoveCursorToPixel(*m_pDragged, point.x(), m_nGrabOffset);
        break;
    case DragZoom:
        m_corner = QPoint(
            std::clamp(point.x(), 0, std::max(0, width() - 1)), std::clamp(point.y(), 0, std::max(0, height() - 1)));
        break;
    case DragPan:
        m_pGeometry->ScrollTo(m_pressTopLeft + m_pressPos - point);
        break;
    default:
        UpdateShape(point);
        break;
    }
    UpdateTooltip(event->globalPosition().toPoint());
    if (QToolTip::isVisible())
        repaint();
    else
        update();
    emit sigUpdate();
}

void CGraphPix::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_nDragMode == DragNone || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    m_lastPos = point;
    // A rectangle that ends where it started is a click, not a zoom.
    if (m_nDragMode == DragZoom && m_pressPos != m_corner)
        m_pGeometry->ZoomToRect(RubberBand());
    m_nDragMode = DragNone;
    m_pDragged = nullptr;
    UpdateShape(point);
    update();
    emit sigUpdate();
}

void CGraphPix::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_pGeometry->ZoomReset();
    update();
    emit sigUpdate();
}

void CGraphPix::wheelEvent(QWheelEvent* event)
{
    // Fine-grained wheels and touchpads send parts of a notch; they add up to
    // whole zoom steps instead of being lost.
    const int delta = event->angleDelta().y() + m_nWheelRest;
    const int step = delta / kWheelNotch;
    m_nWheelRest = delta - step * kWheelNotch;
    event->accept();
    if (step == 0)
        return;
    const bool xOnly = event->modifiers() & Qt::ControlModifier;
    m_pGeometry->Zoom(size(), event->position().toPoint(), step, xOnly, true);
    update();
    emit sigUpdate();
}

QRect CGraphPix::RubberBand() const
{
    // Both corners belong to the rectangle, whichever way it was drawn
    // (QRect::normalized() would drop a pixel on each side of a backward one).
    return QRect(QPoint(std::min(m_pressPos.x(), m_corner.x()), std::min(m_pressPos.y(), m_corner.y())),
        QPoint(std::max(m_pressPos.x(), m_corner.x()), std::max(m_pressPos.y(), m_corner.y())));
}

void CGraphPix::UpdateShape(const QPoint& point)
{
    int offset = 0;
    if (m_pGeometry->CursorAt(point, &offset)) {
        setCursor(Qt::SizeHorCursor);
        m_bTooltip = true;
    } else {
        setCursor(Qt::ArrowCursor);
        m_bTooltip = false;
    }
}

void CGraphPix::UpdateTooltip(const QPoint& globalPoint)
{
    int offset = 0;
    const CCursors::CEditableCursor* cursor = m_bTooltip ? m_pGeometry->CursorAt(m_lastPos, &offset) : nullptr;
    const QSharedPointer<sor::CFile> active = m_pGeometry->Active();
    if (!cursor || !active) {
        QToolTip::hideText();
        return;
    }
    const float position = cursor->Position();
    const QString text = tr("%1km %2dB", "Tooltip moving marker")
                             .arg(double(position) / 1000.0, 0, 'f', 3)
                             .arg(active->ValueAt(position) / -1000.0, 0, 'f', 2);
    QToolTip::showText(globalPoint, text, this);
}
