#pragma once

#include <QString>

class QWidget;

// The file and folder questions of the file operations. The list asks
// through this interface so that another answerer can stand in for the
// platform's dialogs. Every call returns an empty text when the user cancels.
class IFileDialogs
{
public:
    virtual ~IFileDialogs() = default;

    // A file to write, starting at `start` (a file or a folder).
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter)
        = 0;
    // An existing file to read.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter)
        = 0;
    // An existing folder; only folders are shown.
    virtual QString ExistingDirectory(QWidget* parent, const QString& caption, const QString& start) = 0;
};
