#pragma once

#include <CVerdict.h>

#include <QColor>
#include <QLabel>

// A trace's verdict as a small mark: the state's symbol and word ("✓ PASS")
// on the state's colour, so that it reads without the colour too.
class CVerdictMark : public QLabel
{
    Q_OBJECT

public:
    CVerdictMark(analysis::tCheck::tState state, QWidget* parent);

    // The colour of a state: light, so that black text stays readable.
    static QColor Colour(analysis::tCheck::tState state);
};
