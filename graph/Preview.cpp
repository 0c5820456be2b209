#include "Preview.h"

#include "tGraphState.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {

// Zooms up to this count as the whole extent.
constexpr float kZoomed = 1.001f;
// Wheel delta of one notch.
constexpr int kWheelNotch = 120;

} // namespace

Preview::Preview(tGraphState* geometry, QWidget* parent) : QWidget(parent), m_pGeometry(geometry)
{
    Q_ASSERT(geometry);
    setMouseTracking(true);
}

bool Preview::IsZoomed() const
{
    return m_pGeometry->xZoom > kZoomed || m_pGeometry->yZoom > kZoomed;
}

QRectF Preview::VisibleRect() const
{
    const tGraphState& geometry = *m_pGeometry;
    if (!geometry.IsValid() || geometry.virtualSize.isEmpty())
        return QRectF();
    // The canvas stands for the whole extent, and so does this widget.
    const double kx = double(width()) / geometry.virtualSize.width();
    const double ky = double(height()) / geometry.virtualSize.height();
    return QRectF(
        geometry.view.left() * kx, geometry.view.top() * ky, geometry.view.width() * kx, geometry.view.height() * ky);
}

void Preview::UpdateShape(const QPointF& point)
{
    setCursor(IsZoomed() && VisibleRect().contains(point) ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void Preview::CentreOn(const QPointF& point)
{
    m_pGeometry->CentreOn(size(), point.toPoint());
    update();
    emit sigUpdate();
}

void Preview::mousePressEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || !IsZoomed() || !m_pGeometry->IsValid()) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_bDragging = false;
    m_dragOffset = QPointF();
    const QPointF point = event->position();
    const QRectF visible = VisibleRect();
    if (visible.contains(point)) {
        m_bDragging = true;
        m_dragOffset = visible.center() - point;
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    // A click beside the rectangle moves the view there without a drag.
    setCursor(Qt::OpenHandCursor);
    CentreOn(point);
}

void Preview::mouseReleaseEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        m_bDragging = false;
        m_dragOffset = QPointF();
        UpdateShape(event->position());
    }
    QWidget::mouseReleaseEvent(event);
}

void Preview::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    setCursor(Qt::ArrowCursor);
    if (!m_pGeometry->IsValid())
        return;
    // The zooms stay; only the view goes back to the middle.
    m_pGeometry->centre
        = QPointF(m_pGeometry->extent.width() / 2, m_pGeometry->extentTop + m_pGeometry->extent.height() / 2);
    m_pGeometry->Recompute();
    update();
    emit sigUpdate();
}

void Preview::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bDragging) {
        UpdateShape(event->position());
        return;
    }
    CentreOn(event->position() + m_dragOffset);
}

void Preview::wheelEvent(QWheelEvent* event)
{
    QPointF point = event->position();
    if (event->buttons() == Qt::LeftButton && m_bDragging)
        point += m_dragOffset;
    const int step = event->angleDelta().y() / kWheelNotch;
    const bool xOnly = event->modifiers() & Qt::ControlModifier;
    m_pGeometry->Zoom(size(), point.toPoint(), step, xOnly, false);

    if (IsZoomed() && VisibleRect().contains(point))
        setCursor(m_bDragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
    else
        setCursor(Qt::ArrowCursor);
    event->accept();
    update();
    emit sigUpdate();
}

void Preview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The whole extent, drawn as the plot draws it (one reduced line per
    // pixel column, the markers and measurement cursors), but with events as
    // plain ticks: their labels and icons would cover a picture this small.
    painter.fillRect(rect(), m_pGeometry->background);
    m_pGeometry->Paint(painter, rect(), false, false, false, false, false);
    if (!m_pGeometry->IsValid() || !IsZoomed())
        return;
    const QRectF visible = VisibleRect();
    const int left = qRound(visible.left());
    const int top = qRound(visible.top());
    const QRect outline(left, top, qRound(visible.right()) - left, qRound(visible.bottom()) - top);
    // The outline covers the rectangle's own pixels: a one-pixel pen would
    // draw the right and bottom edges one pixel outside it.
    painter.setPen(QPen(Qt::red, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outline.adjusted(0, 0, -1, -1));
}

QVector<double> Preview::Shown() const
{
    // Everything the picture depends on that the plot's mouse moves can
    // change: the view, the zooms and the cursors.
    const tGraphState& g = *m_pGeometry;
    QVector<double> shown { double(width()), double(height()), double(g.view.x()), double(g.view.y()),
        double(g.view.width()), double(g.view.height()), double(g.xZoom), double(g.yZoom), g.extent.width(),
        g.extent.height(), double(g.files ? g.files->size() : 0) };
    if (const CCursors* cursors = g.cursors.get()) {
        shown << double(cursors->IsMeasuring()) << double(cursors->LeftMarker().Position())
              << double(cursors->RightMarker().Position());
        if (cursors->IsMeasuring())
            shown << double(cursors->OuterLeft().Position()) << double(cursors->OuterRight().Position())
                  << double(cursors->Centre().Position());
    }
    return shown;
}

bool Preview::UpdateIfChanged()
{
    QVector<double> shown = Shown();
    if (shown == m_shown)
        return false;
    m_shown = std::move(shown);
    update();
    return true;
}
