#pragma once

#include <tAnalysisResult.h>

#include <QCoreApplication>
#include <QList>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

class CFileList;
class QWidget;

namespace sor {
class CFile;
}

// Events > Analyze trace: replaces the events of traces with the analysis of
// their first pulse, each file one undo step through the file list's history
// (a comment of an event that stays at its place is kept). Several files are
// analysed under a progress dialog that can be cancelled; the files done
// before the cancel keep their new events.
class CAnalyzeTraces
{
    Q_DECLARE_TR_FUNCTIONS(CAnalyzeTraces)

public:
    CAnalyzeTraces(CFileList* list, QWidget* parent) : m_pList(list), m_pParent(parent) { }

    // The selected listed files, or the current one when one is selected.
    QList<QSharedPointer<sor::CFile>> Chosen() const;
    // Analyses `files` with `defaults` where a file leaves a threshold unset,
    // then names in a message the files that could not be analysed, with why.
    // Returns how many files got new events.
    int Run(const QList<QSharedPointer<sor::CFile>>& files, const analysis::tThresholds& defaults);

private:
    // One file; an empty text when it was analysed, otherwise why not.
    QString AnalyzeOne(const QSharedPointer<sor::CFile>& file, const analysis::tThresholds& defaults);

    CFileList* m_pList;
    QWidget* m_pParent;
};
