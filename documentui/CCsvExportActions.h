#pragma once

#include <QObject>
#include <QString>

class CFileList;
class IFileDialogs;
class QAction;
class QWidget;

// File > Export: the current file's stored events, or its trace (distance
// and level of every sample of the pulse the plot shows), as a CSV file for
// a spreadsheet, in the same form as `lumetrix-sor export`. The file is
// written whole or not at all; a failure says why.
class CCsvExportActions : public QObject
{
    Q_OBJECT

public:
    // `fileList` (not owned) supplies the current file; `window` parents the dialogs.
    CCsvExportActions(CFileList* fileList, QWidget* window);

    QAction* EventsAction() const { return m_pEvents; }
    QAction* TraceAction() const { return m_pTrace; }
    // The file dialogs; null restores the platform's own. Not owned.
    void SetFileDialogs(IFileDialogs* dialogs);

public slots:
    void ExportEvents();
    void ExportTrace();

private:
    // Asks for the target and writes `bytes` of the current file there.
    void Export(const QString& caption, const QString& suffix, bool events);

    CFileList* m_pFileList;
    QWidget* m_pWindow;
    IFileDialogs* m_pDialogs;
    QAction* m_pEvents;
    QAction* m_pTrace;
};
