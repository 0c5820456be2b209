#include "CCsvExportActions.h"

#include <CCsvExport.h>
#include <CDistanceUnit.h>
#include <CFileDialogs.h>
#include <CFileList.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>

CCsvExportActions::CCsvExportActions(CFileList* fileList, QWidget* window)
    : QObject(window)
    , m_pFileList(fileList)
    , m_pWindow(window)
    , m_pDialogs(&CFileDialogs::Standard())
    , m_pEvents(new QAction(tr("&Events as CSV…"), this))
    , m_pTrace(new QAction(tr("&Trace as CSV…"), this))
{
    m_pEvents->setObjectName(QStringLiteral("actionExportEventsCsv"));
    m_pEvents->setStatusTip(tr("Save the events of the current trace as a table for a spreadsheet"));
    m_pTrace->setObjectName(QStringLiteral("actionExportTraceCsv"));
    m_pTrace->setStatusTip(tr("Save the distance and level of every sample of the current trace"));
    connect(m_pEvents, &QAction::triggered, this, &CCsvExportActions::ExportEvents);
    connect(m_pTrace, &QAction::triggered, this, &CCsvExportActions::ExportTrace);
}

void CCsvExportActions::SetFileDialogs(IFileDialogs* dialogs)
{
    m_pDialogs = dialogs ? dialogs : &CFileDialogs::Standard();
}

void CCsvExportActions::ExportEvents()
{
    Export(tr("Export events as CSV"), QStringLiteral("-events.csv"), true);
}

void CCsvExportActions::ExportTrace()
{
    Export(tr("Export trace as CSV"), QStringLiteral(".csv"), false);
}

void CCsvExportActions::Export(const QString& caption, const QString& suffix, bool events)
{
    const QSharedPointer<sor::CFile> file
        = m_pFileList ? m_pFileList->GetFile(m_pFileList->currentRow()) : QSharedPointer<sor::CFile>();
    if (!file)
        return;
    const QString start = QDir::current().filePath(QFileInfo(file->Path()).completeBaseName() + suffix);
    QString path = m_pDialogs->SaveFileName(m_pWindow, caption, start, tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    // In the distance unit the window shows; the column's name says which.
    const sor::tDistanceUnit unit = CDistanceUnit::Of(file.data());
    const QByteArray bytes = events
        ? analysis::CCsvExport::EventsHeader(unit)
            + analysis::CCsvExport::EventRows(*file, QFileInfo(file->Path()).fileName(), unit)
        : analysis::CCsvExport::TraceHeader(unit) + analysis::CCsvExport::TraceRows(*file, 0, unit);
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit())
        return;
    QMessageBox::critical(m_pWindow, caption,
        tr("The table could not be written to %1:\n%2").arg(QDir::toNativeSeparators(path), out.errorString()));
}
