#pragma once

#include <QColor>
#include <QWidget>

// The 10 x 10 swatch of a compared file's colour.
class CColorBox : public QWidget
{
public:
    CColorBox(const QColor& colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};
