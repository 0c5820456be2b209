#pragma once

#include <QPointF>
#include <QRectF>
#include <QVector>
#include <QWidget>

class tGraphState;

// The picture inside the overview frame: the whole extent of the shown traces
// and, while the plot is zoomed in, a red rectangle around the part the plot
// shows. Dragging the rectangle or clicking beside it moves the plot's view,
// the wheel zooms it (the x axis alone with Control) and a double click brings
// the view back to the middle of the extent. Holds no view state of its own:
// everything lives in the geometry it is given (not owned).
class Preview : public QWidget
{
    Q_OBJECT

public:
    explicit Preview(tGraphState* geometry, QWidget* parent = nullptr);

    // Whether either zoom of the plot exceeds the whole extent.
    bool IsZoomed() const;
    // The plot's visible window in this widget's pixels.
    QRectF VisibleRect() const;
    bool IsDragging() const { return m_bDragging; }
    // Repaints only when the view, the zooms or the cursors moved since the
    // last call: the plot reports every mouse move. Returns whether it did.
    bool UpdateIfChanged();

signals:
    // The preview changed the plot's view; the plot should follow.
    void sigUpdate();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Mouse shape for the pointer at `point` with no drag running.
    void UpdateShape(const QPointF& point);
    // Centres the plot on a point of this widget and tells the plot.
    void CentreOn(const QPointF& point);

    // What the picture shows, as far as it can change without a document change.
    QVector<double> Shown() const;

    tGraphState* m_pGeometry;
    QVector<double> m_shown;
    // From the pointer to the rectangle's centre, kept while dragging so the
    // rectangle keeps its grip point under the pointer.
    QPointF m_dragOffset;
    // A drag is under way. Kept apart from the offset, which is (0, 0) for a
    // rectangle gripped at its very centre.
    bool m_bDragging = false;
};
