#pragma once

#include <QFrame>

class Preview;
class tGraphState;

// The small frame beside the plot that shows the whole extent of the shown
// traces (the picture is a Preview). The picture copies the plot widget's
// width-to-height ratio: as wide as the frame and centred vertically, or, in
// a frame too low for that, as high as the frame and right-aligned.
class CPreviewFrame : public QFrame
{
    Q_OBJECT

public:
    // `geometry` and `plot` are not owned; `plot` is the widget whose shape
    // the picture copies, also when it is resized without a repaint.
    CPreviewFrame(tGraphState* geometry, QWidget* plot, QWidget* parent = nullptr);

    Preview* GetPreview() const { return m_pPreview; }

public slots:
    // The plot changed: lays the picture out again and repaints it when the
    // view or the cursors moved.
    void OnUpdatePix();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Follows the plot widget's resizing.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayoutPreview();

    Preview* m_pPreview;
    QWidget* m_pPlot;
};
