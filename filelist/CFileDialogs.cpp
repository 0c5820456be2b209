#include "CFileDialogs.h"

#include <QFileDialog>

QString CFileDialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, start, filter);
}

QString CFileDialogs::OpenFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, start, filter);
}

QString CFileDialogs::ExistingDirectory(QWidget* parent, const QString& caption, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, caption, start, QFileDialog::ShowDirsOnly);
}

CFileDialogs& CFileDialogs::Standard()
{
    static CFileDialogs dialogs;
    return dialogs;
}
