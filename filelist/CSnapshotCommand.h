#pragma once

#include <CCompactImage.h>

#include <QByteArray>
#include <QUndoCommand>

#include <functional>

class CDocumentHistory;

// One step of a trace's history: the whole file image before and after it.
// Where the step left the samples as they were, both are held without them
// (a long list may have many steps of traces it does not hold) and take them
// from the document when run. The change has been made when the command is
// pushed, so its first redo does nothing.
class CSnapshotCommand : public QUndoCommand
{
public:
    CSnapshotCommand(CDocumentHistory* history, const QByteArray& before, const QByteArray& after, const QString& text);

    void undo() override;
    void redo() override;

private:
    // Runs an undo or redo step; one that fails is reported, changes
    // nothing and leaves the history.
    void Run(const std::function<void()>& step);

    CDocumentHistory* m_pHistory;
    sor::CCompactImage m_before;
    sor::CCompactImage m_after;
    bool m_bDone = true;
};
