#pragma once

#include "IFileDialogs.h"

// The platform's own file and folder dialogs.
class CFileDialogs : public IFileDialogs
{
public:
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter) override;
    QString ExistingDirectory(QWidget* parent, const QString& caption, const QString& start) override;

    // One stateless instance serves every list.
    static CFileDialogs& Standard();
};
