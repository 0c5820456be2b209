#pragma once

#include "CCursors.h"

#include <QPoint>
#include <QWidget>

class tGraphState;

// The widget the plot is painted on. The mouse pans a zoomed plot, zooms into
// a rectangle drawn with Control held, zooms at the pointer with the wheel and
// drags the markers and measurement cursors. Works on the geometry it is given
// (not owned). The context menu with the "… here" actions is supplied by the
// main window through the usual QWidget context-menu policy.
class CGraphPix : public QWidget
{
    Q_OBJECT

public:
    explicit CGraphPix(tGraphState* geometry, QWidget* parent = nullptr);
    // The text the plot shows while no trace is listed.
    static QString EmptyHint();

    tGraphState* Geometry() const { return m_pGeometry; }
    // The text the plot shows while no trace is current (why the current
    // entry cannot be shown); empty for the usual hint.
    void SetNotice(const QString& notice);
    const QString& Notice() const { return m_sNotice; }

signals:
    void sigUpdate();

public slots:
    // Move one cursor under the last mouse position, even when the cursors are locked.
    void SetLeftMarkerHere();
    void SetRightMarkerHere();
    void SetLeftCursorHere();
    void SetRightCursorHere();
    void SetCenterCursorHere();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum tDragMode { DragNone = 0, DragPan = 1, DragZoom = 2, DragCursor = 3 };

    // Mouse shape and tooltip flag for the pointer at `point` with no drag running.
    void UpdateShape(const QPoint& point);
    void UpdateTooltip(const QPoint& globalPoint);
    void MoveHere(CCursors::CEditableCursor& cursor);
    // The rubber band between the press position and the corner, widget pixels.
    QRect RubberBand() const;

    bool m_bTooltip = false;
    int m_nDragMode = DragNone;
    QPoint m_lastPos;
    // Owned by the geometry's cursor set.
    CCursors::CEditableCursor* m_pDragged = nullptr;
    int m_nGrabOffset = 0;
    QPoint m_corner;
    QPoint m_pressPos;
    QPoint m_pressTopLeft;
    // Wheel movement below one notch, kept for the next event (touchpads).
    int m_nWheelRest = 0;
    tGraphState* m_pGeometry;
    QString m_sNotice;
};
