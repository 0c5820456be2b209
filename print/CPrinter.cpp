#include "CPrinter.h"

#include "CPrinterList.h"
#include "CReportPage.h"

#include <CFileDialogs.h>
#include <CFileList.h>

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QProgressDialog>

CPrinter::CPrinter(CFileList* fileList, QWidget* mainWindow)
    : QObject(mainWindow),
      m_pFileList(fileList),
      m_pMainWindow(mainWindow),
      m_pDialogs(&CFileDialogs::Standard())
{
    qRegisterMetaType<tPrinterListFile>("tPrinterListFile");
}

QPrinter& CPrinter::Printer()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    return *m_pPrinter;
}

void CPrinter::SetFileDialogs(IFileDialogs* dialogs)
{
    m_pDialogs = dialogs ? dialogs : &CFileDialogs::Standard();
}

bool CPrinter::ChoosePages()
{
    m_pages.clear();
    if (!m_pFileList || m_pFileList->GetCount() == 0 || !m_pFileList->currentItem())
        return false;
    CPrinterList list(*m_pFileList, m_pMainWindow);
    if (list.exec() != QDialog::Accepted)
        return false;
    m_pages = list.Selected();
    return !m_pages.isEmpty();
}

void CPrinter::Print()
{
    if (!ChoosePages())
        return;
    QPrintDialog dialog(&Printer(), m_pMainWindow);
    if (dialog.exec() == QDialog::Accepted)
        Draw(&Printer());
}

void CPrinter::Preview()
{
    if (!ChoosePages())
        return;
    QPrintPreviewDialog preview(&Printer(), m_pMainWindow);
    preview.setWindowTitle(tr("Lumetrix - Print preview (press Esc or close the window to leave)"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &CPrinter::Draw);

    // The preview takes the main window's place and size on screen; the main
    // window comes back as it was, whatever the user did with the preview
    // and however it was closed.
    QWidget* main = m_pMainWindow;
    const bool maximized = main && main->isMaximized();
    if (main) {
        preview.setGeometry(main->geometry());
        main->hide();
    }
    if (maximized)
        preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
    if (main) {
        // Hidden, the main window kept its place, size and state.
        preview.hide();
        if (maximized)
            main->showMaximized();
        else
            main->showNormal();
    }
}

void CPrinter::PageProperties()
{
    QPageSetupDialog dialog(&Printer(), m_pMainWindow);
    dialog.exec();
}

void CPrinter::ExportPdf()
{
    if (!ChoosePages())
        return;
    const QSharedPointer<sor::CFile> current = m_pFileList->GetFile(m_pFileList->currentRow());
    const QString start = current ? QDir::current().filePath(QFileInfo(current->Path()).completeBaseName() + ".pdf")
                                  : QDir::currentPath();
    QString path = m_pDialogs->SaveFileName(m_pMainWindow, tr("Export PDF"), start, tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    WritePdf(path, m_pages);
}

bool CPrinter::WritePdf(const QString& path, const QList<tPrinterListFile>& pages)
{
    QString error;
    const bool written = CReportPage::WritePdf(path, pages, m_pFileList ? &m_pFileList->GraphState() : nullptr,
        Printer().pageLayout(), Printer().resolution(), &error);
    if (!written) {
        QMessageBox::critical(m_pMainWindow, tr("Export PDF"),
            tr("The report could not be written to %1:\n%2").arg(QDir::toNativeSeparators(path), error));
    }
    return written;
}

void CPrinter::Draw(QPrinter* printer)
{
    if (!printer || !m_pFileList || m_pFileList->GetCount() == 0 || !m_pFileList->currentItem())
        return;
    QProgressDialog progress(tr("Printing data..."), QString(), 0, int(m_pages.size()), m_pMainWindow);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    CReportPage::DrawJob(*printer, m_pages, &m_pFileList->GraphState(), [&](int done) { progress.setValue(done); });
}
