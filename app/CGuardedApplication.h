#pragma once

#include <QApplication>

// The program's application object. The code reached from the event loop
// catches its own failures (see CEntryGuard); should one still get out of an
// event handler, it is caught here as a last resort and shown in a box, and
// the program goes on instead of ending with every unsaved change lost.
class CGuardedApplication : public QApplication
{
public:
    CGuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
