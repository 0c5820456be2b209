#pragma once

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>

class QWidget;

// The question asked after a failure that may repeat over several files or
// fields: retry, ignore this one, ignore all of this kind, or give up.
class IARMessageBox
{
    Q_DECLARE_TR_FUNCTIONS(IARMessageBox)

public:
    // Returns whether to go on; `retry` says whether to try the step again.
    // With `ignoreAll` the box offers "Ignore all" (unless `offerIgnore` is
    // set), Ignore, Retry and Abort, and is not shown at all once the flag is
    // set; without it, Retry and Cancel, and Ignore when `offerIgnore` is set.
    // `defaultButton` is the one Enter presses (Retry unless given).
    static bool Exec(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                     bool& retry, bool* ignoreAll, bool offerIgnore,
                     QMessageBox::StandardButton defaultButton = QMessageBox::Retry);
};
