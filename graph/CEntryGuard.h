#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>

class QWidget;

// The one way from the event loop into code that may throw: a slot, an
// action, a dialog's confirmation, an undo step or a handler of the folder
// watcher runs its work through Run(). A failure is caught there, shown in a
// box above `parent`, and goes no further; the code that changes a document
// puts it back as it was before it lets a failure pass.
class CEntryGuard
{
    Q_DECLARE_TR_FUNCTIONS(CEntryGuard)

public:
    // Runs `body`; returns false when it failed (the box has been shown).
    static bool Run(QWidget* parent, const std::function<void()>& body);
    // The text of the failure being handled; call it inside a catch block.
    static QString CurrentFailureText();
    // Shows `text` in a box that says the operation was not done.
    static void Report(QWidget* parent, const QString& text);
};
