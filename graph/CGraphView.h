#pragma once

#include <QPointer>
#include <QWidget>

class CGraphPix;
class QAction;
class QScrollBar;
class tGraphState;

// The plot widget with its two scroll bars, and the zoom, scroll, measurement
// and marker-step slots that the main window's actions call. Works on the
// geometry it is given (not owned).
class CGraphView : public QWidget
{
    Q_OBJECT

public:
    explicit CGraphView(tGraphState* geometry, QWidget* parent = nullptr);

    CGraphPix* Pix() const { return m_pPix; }
    QScrollBar* HorizontalScrollBar() const { return m_pHScroll; }
    QScrollBar* VerticalScrollBar() const { return m_pVScroll; }

    // The main window's checkable actions "Measure splice", "Measure
    // reflection" and "Lock markers" (not owned; may be null).
    void SetSpliceAction(QAction* action) { m_pSpliceAction = action; }
    void SetReflectionAction(QAction* action) { m_pReflectionAction = action; }
    void SetLockAction(QAction* action) { m_pLockAction = action; }

signals:
    void sigUpdate();
    // A measurement was ended with "Add event".
    void editingEnd();

public slots:
    void UpdateScrolls();
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomOff();
    void OnZoomXIn();
    void OnZoomXOut();
    void OnZoomXOff();
    void OnJunctionMeas();
    void OnReflectionMeas();
    void OnEndMeas();
    void OnFixCursors();
    // Scroll by a quarter page.
    void OnMoveLeft();
    void OnMoveRight();
    void OnMoveUp();
    void OnMoveDown();
    // One sample step of a marker, named direction first: OnMoveRightMarkerLeft
    // moves the left marker to the right.
    void OnMoveLeftMarkerLeft();
    void OnMoveRightMarkerLeft();
    void OnMoveLeftMarkerRight();
    void OnMoveRightMarkerRight();
    void UpdateHScroll(int value);
    void UpdateVScroll(int value);

private:
    // Starts a measurement of `kind` from the action `pressed`; `other` is the
    // action of the other kind.
    void ToggleMeasure(quint32 kind, QAction* pressed, QAction* other);
    void ZoomBy(int step, bool xOnly);
    static bool IsChecked(const QAction* action);
    static void Uncheck(QAction* action);

    // Set while the scroll bars are adjusted, so that their signals are ignored.
    bool m_bUpdating = false;
    tGraphState* m_pGeometry;
    CGraphPix* m_pPix;
    QScrollBar* m_pHScroll;
    QScrollBar* m_pVScroll;
    QPointer<QAction> m_pSpliceAction;
    QPointer<QAction> m_pReflectionAction;
    QPointer<QAction> m_pLockAction;
};
