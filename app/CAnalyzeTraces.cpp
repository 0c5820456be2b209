#include "CAnalyzeTraces.h"

#include <CEventWriter.h>
#include <CFile.h>
#include <CFileList.h>
#include <CTraceAnalyzer.h>
#include <Exception.h>
#include <tTraceInput.h>

#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

QList<QSharedPointer<sor::CFile>> CAnalyzeTraces::Chosen() const
{
    QList<QSharedPointer<sor::CFile>> files;
    for (QListWidgetItem* item : m_pList->selectedItems()) {
        if (const QSharedPointer<sor::CFile> file = m_pList->GetFile(m_pList->row(item)))
            files.append(file);
    }
    if (files.isEmpty()) {
        if (const QSharedPointer<sor::CFile> file = m_pList->GetFile(m_pList->currentRow()))
            files.append(file);
    }
    return files;
}

QString CAnalyzeTraces::AnalyzeOne(const QSharedPointer<sor::CFile>& file, const analysis::tThresholds& defaults)
{
    const analysis::tAnalysisResult result
        = analysis::CTraceAnalyzer::Analyze(analysis::tTraceInput::FromFile(*file, 0, defaults));
    if (!result.reason.isEmpty())
        return result.reason;
    try {
        // Tried on a copy first: an event the file cannot store must leave
        // the trace as it was, not half changed outside the history.
        quint32 warnings = 0;
        sor::CFile trial(file->Path(), file->Image(), warnings);
        analysis::CEventWriter::Apply(trial, result);
        (void)trial.Image();
        m_pList->ApplyEdit(file, tr("Analyze trace"), [&] { analysis::CEventWriter::Apply(*file, result); });
    } catch (const Exception& e) {
        return e.FullText(QStringLiteral("SOR"));
    }
    return QString();
}

int CAnalyzeTraces::Run(const QList<QSharedPointer<sor::CFile>>& files, const analysis::tThresholds& defaults)
{
    if (files.isEmpty())
        return 0;
    QStringList failed;
    int done = 0;
    std::unique_ptr<QProgressDialog> progress;
    if (files.size() > 1) {
        progress = std::make_unique<QProgressDialog>(
            tr("Analysing traces..."), tr("Cancel"), 0, int(files.size()), m_pParent);
        progress->setObjectName(QStringLiteral("analyzeProgress"));
        progress->setWindowTitle(tr("Analyze trace"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setValue(0);
    }
    for (int i = 0; i < files.size(); ++i) {
        if (progress) {
            if (progress->wasCanceled())
                break;
            progress->setLabelText(tr("Analysing %1").arg(QFileInfo(files[i]->Path()).fileName()));
        }
        // One trace in memory at a time: a trace the list had let go is read
        // back for its analysis and goes again with its new events (its
        // samples stay those of the file; the history keeps the step).
        const bool wasReleased = files[i]->IsTraceReleased();
        const QString reason = AnalyzeOne(files[i], defaults);
        if (wasReleased)
            files[i]->ReleaseTrace();
        if (reason.isEmpty())
            ++done;
        else
            failed << tr("%1: %2").arg(QFileInfo(files[i]->Path()).fileName(), reason);
        if (progress)
            progress->setValue(i + 1);
    }
    progress.reset();
    if (!failed.isEmpty())
        QMessageBox::information(m_pParent, tr("Analyze trace"),
            tr("These traces were not analysed:\n%1").arg(failed.join(QLatin1Char('\n'))));
    return done;
}
