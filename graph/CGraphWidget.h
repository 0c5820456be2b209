#pragma once

#include "tListedFile.h"

#include <QColor>
#include <QFrame>
#include <QStringList>

// The small picture of one listed trace: the whole trace on the plot
// background, drawn through the plot's own per-column reduction (so its cost
// follows its width), with the pulse width, wavelength, range and group index
// written in the top-right corner. It has no zoom or scroll state: a new size
// rescales the whole trace.
class CGraphWidget : public QFrame
{
    Q_OBJECT

public:
    CGraphWidget(QWidget* parent, const QSharedPointer<tListedFile>& listed);

    // The plot background the trace is drawn on.
    void SetBackground(const QColor& background);
    const QColor& Background() const { return m_cBackground; }

    // The corner texts of a trace: pulse width, wavelength, range, group index.
    static QStringList Labels(const sor::CFile& document);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSharedPointer<tListedFile> m_pListed;
    QColor m_cBackground;
};
