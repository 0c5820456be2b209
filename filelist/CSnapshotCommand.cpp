#include "CSnapshotCommand.h"

#include "CDocumentHistory.h"

#include <CEntryGuard.h>

#include <QUndoStack>

CSnapshotCommand::CSnapshotCommand(
    CDocumentHistory* history, const QByteArray& before, const QByteArray& after, const QString& text)
    : QUndoCommand(text), m_pHistory(history), m_before(before), m_after(after)
{
    if (!m_before.SameTrace(m_after)) {
        m_before = sor::CCompactImage::Whole(before);
        m_after = sor::CCompactImage::Whole(after);
    }
}

// The stack moves its index after the command ran: the state reached is the
// saved one when the index it moves to is the clean index.
void CSnapshotCommand::undo()
{
    QUndoStack* stack = m_pHistory->Stack();
    Run([&] {
        m_pHistory->Restore(m_before.Expand(m_pHistory->File().Image()), stack->index() - 1 != stack->cleanIndex());
    });
}

void CSnapshotCommand::Run(const std::function<void()>& step)
{
    if (CEntryGuard::Run(nullptr, step))
        return;
    // The trace stays as it is, which no state of the history matches any
    // more: the step leaves the history and nothing clears the modified mark.
    m_pHistory->Stack()->resetClean();
    setObsolete(true);
}

void CSnapshotCommand::redo()
{
    if (m_bDone) {
        m_bDone = false;
        return;
    }
    QUndoStack* stack = m_pHistory->Stack();
    Run([&] {
        m_pHistory->Restore(m_after.Expand(m_pHistory->File().Image()), stack->index() + 1 != stack->cleanIndex());
    });
}
