#include "CPreviewFrame.h"

#include "Preview.h"

#include <QEvent>
#include <QResizeEvent>

#include <cmath>

CPreviewFrame::CPreviewFrame(tGraphState* geometry, QWidget* plot, QWidget* parent)
    : QFrame(parent), m_pPreview(new Preview(geometry, this)), m_pPlot(plot)
{
    setObjectName(QStringLiteral("previewFrame"));
    m_pPreview->setObjectName(QStringLiteral("preview"));
    setFrameShape(QFrame::NoFrame);
    setMinimumWidth(150);
    setMaximumHeight(150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
    if (m_pPlot)
        m_pPlot->installEventFilter(this);
    LayoutPreview();
}

bool CPreviewFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pPlot && event->type() == QEvent::Resize)
        LayoutPreview();
    return QFrame::eventFilter(watched, event);
}

void CPreviewFrame::OnUpdatePix()
{
    LayoutPreview();
    m_pPreview->UpdateIfChanged();
}

void CPreviewFrame::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    LayoutPreview();
}

void CPreviewFrame::LayoutPreview()
{
    const int frameWidth = width();
    const int frameHeight = height();
    const int plotWidth = m_pPlot ? m_pPlot->width() : 0;
    const int plotHeight = m_pPlot ? m_pPlot->height() : 0;
    int w = frameWidth;
    int h = frameHeight;
    // A plot without a size has no shape to copy: the picture fills the frame.
    if (plotWidth > 0 && plotHeight > 0) {
        h = int(std::floor(double(frameWidth) * plotHeight / plotWidth + 0.5));
        if (h > frameHeight) {
            h = frameHeight;
            w = int(std::floor(double(h) * plotWidth / plotHeight + 0.5));
        }
    }
    const int x = w >= frameWidth ? 0 : frameWidth - w;
    const int y = h >= frameHeight ? 0 : (frameHeight - h) / 2;
    m_pPreview->setGeometry(x, y, w, h);
}
