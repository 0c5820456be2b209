#pragma once

#include <CVerdict.h>

#include <QColor>
#include <QLabel>

// A trace's verdict as a small mark: the state's symbol and word ("✓ PASS")
// on the state's colour, so that it reads without the colour too. In a row
// too narrow for the word (a long translation beside a date and a name) the
// symbol stays alone, with the word in the tool tip, rather than overlapping
// its neighbours.
class CVerdictMark : public QLabel
{
    Q_OBJECT

public:
    CVerdictMark(analysis::tCheck::tState state, QWidget* parent);

    // The colour of a state: light, so that black text stays readable.
    static QColor Colour(analysis::tCheck::tState state);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Width of a text in the label, its margins included.
    int WidthOf(const QString& text) const;

    QString m_sSymbol;
    QString m_sFull;
};
