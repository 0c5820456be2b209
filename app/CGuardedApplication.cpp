#include "CGuardedApplication.h"

#include <CEntryGuard.h>

CGuardedApplication::CGuardedApplication(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool CGuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        CEntryGuard::Report(nullptr, CEntryGuard::CurrentFailureText());
    }
    return false;
}
