#pragma once

#include <QByteArray>
#include <QUndoCommand>

#include <functional>

class CDocumentHistory;

// One step of a trace's history: the whole file image before and after it.
// The change has been made when the command is pushed, so its first redo
// does nothing.
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
    QByteArray m_before;
    QByteArray m_after;
    bool m_bDone = true;
};
