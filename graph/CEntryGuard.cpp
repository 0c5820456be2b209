#include "CEntryGuard.h"

#include <Exception.h>

#include <QApplication>
#include <QMessageBox>

#include <exception>

bool CEntryGuard::Run(QWidget* parent, const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (...) {
        Report(parent, CurrentFailureText());
    }
    return false;
}

QString CEntryGuard::CurrentFailureText()
{
    try {
        throw;
    } catch (const Exception& e) {
        return e.FullText(QStringLiteral("SOR"));
    } catch (const std::exception& e) {
        return Exception::tr("Unexpected error") + QStringLiteral("\n\n") + QString::fromLocal8Bit(e.what());
    } catch (...) {
        return Exception::tr("Unexpected error");
    }
}

void CEntryGuard::Report(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent ? parent : QApplication::activeWindow(), tr("Operation failed"),
        tr("The operation could not be completed; the trace stays as it was.") + QStringLiteral("\n\n") + text);
}
