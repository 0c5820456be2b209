#include "CSnapshotCommand.h"

#include "CDocumentHistory.h"

#include <QUndoStack>

CSnapshotCommand::CSnapshotCommand(
    CDocumentHistory* history, const QByteArray& before, const QByteArray& after, const QString& text)
    : QUndoCommand(text), m_pHistory(history), m_before(before), m_after(after)
{
}

// The stack moves its index after the command ran: the state reached is the
// saved one when the index it moves to is the clean index.
void CSnapshotCommand::undo()
{
    const QUndoStack* stack = m_pHistory->Stack();
    m_pHistory->Restore(m_before, stack->index() - 1 != stack->cleanIndex());
}

void CSnapshotCommand::redo()
{
    if (m_bDone) {
        m_bDone = false;
        return;
    }
    const QUndoStack* stack = m_pHistory->Stack();
    m_pHistory->Restore(m_after, stack->index() + 1 != stack->cleanIndex());
}
