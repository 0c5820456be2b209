#pragma once

#include "tPrinterListFile.h"

#include <QList>
#include <QObject>
#include <QPrinter>

#include <memory>

class CFileList;
class IFileDialogs;
class QWidget;

// The report pages of the main window: printing, the print preview (which
// takes the main window's place on screen while it is open), the page setup
// and the PDF export. One printer object lives as long as this, so the page
// settings hold from one job to the next; it is made at its first use, since
// making it asks the print system for its printers, which start-up need not wait for.
class CPrinter : public QObject
{
    Q_OBJECT

public:
    // `fileList` supplies the files and the work area; `mainWindow` is the
    // dialogs' parent and the window the preview stands in for.
    CPrinter(CFileList* fileList, QWidget* mainWindow);

    QPrinter& Printer();
    // The file question of the PDF export; null restores the platform's own.
    // Not owned.
    void SetFileDialogs(IFileDialogs* dialogs);

    // Writes the chosen pages into one PDF, one page per entry, with the
    // printer's page layout; the file is replaced only when the whole job
    // was written. Says why it failed in a message box.
    bool WritePdf(const QString& path, const QList<tPrinterListFile>& pages);

public slots:
    void Print();
    void Preview();
    void PageProperties();
    void ExportPdf();
    // Draws the pages of the running job on `printer`.
    void Draw(QPrinter* printer);

private:
    // Asks for the pages; false when there is nothing to print.
    bool ChoosePages();

    std::unique_ptr<QPrinter> m_pPrinter;
    CFileList* m_pFileList;
    QList<tPrinterListFile> m_pages;
    QWidget* m_pMainWindow;
    IFileDialogs* m_pDialogs;
};
