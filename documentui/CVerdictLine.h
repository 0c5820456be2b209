#pragma once

#include <CVerdict.h>

#include <QLabel>

#include <optional>

// The line under the event table that gives the current trace's verdict
// ("PASS", "FAIL: event 3 loss 0.610 dB > 0.500 dB") in the colour of its
// state, with the limit set and the span. Hidden while traces are not judged.
class CVerdictLine : public QLabel
{
    Q_OBJECT

public:
    explicit CVerdictLine(QWidget* parent = nullptr);

public slots:
    // Shows a verdict, or hides the line for none.
    void OnVerdict(const std::optional<analysis::tVerdict>& verdict);
};
