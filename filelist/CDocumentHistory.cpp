#include "CDocumentHistory.h"

#include "CSnapshotCommand.h"

#include <QUndoStack>

CDocumentHistory::CDocumentHistory(const QSharedPointer<sor::CFile>& file, QObject* parent)
    : QObject(parent), m_pFile(file), m_pStack(new QUndoStack(this))
{
    connect(file.data(), &sor::CFile::sigAboutToChange, this, &CDocumentHistory::OnAboutToChange);
    connect(file.data(), &sor::CFile::sigFileChanged, this, &CDocumentHistory::OnFileChanged);
}

bool CDocumentHistory::Apply(const QString& text, const std::function<void()>& edit)
{
    const QByteArray before = m_pFile->Image();
    m_bBusy = true;
    try {
        edit();
    } catch (...) {
        m_bBusy = false;
        throw;
    }
    m_bBusy = false;
    const QByteArray after = m_pFile->Image();
    if (after == before)
        return false;
    m_pStack->push(new CSnapshotCommand(this, before, after, text));
    if (!m_pFile->IsModified())
        m_pFile->SetModified(true);
    return true;
}

void CDocumentHistory::Restore(const QByteArray& image, bool modified)
{
    m_bBusy = true;
    try {
        m_pFile->Restore(image);
        // Emits the change, so that the list, the plot and the table follow.
        m_pFile->SetModified(modified);
    } catch (...) {
        m_bBusy = false;
        throw;
    }
    m_bBusy = false;
}

void CDocumentHistory::OnAboutToChange()
{
    if (m_bBusy || !m_before.isNull())
        return;
    m_before = m_pFile->Image();
    m_eventsBefore = m_pFile->KeyEvents();
}

void CDocumentHistory::OnFileChanged(bool modified)
{
    if (m_bBusy)
        return;
    if (!modified) {
        // Saved: this is the state undo comes back to unmodified.
        m_pStack->setClean();
        return;
    }
    if (m_before.isNull())
        return;
    const QByteArray before = m_before;
    m_before = QByteArray();
    const QByteArray after = m_pFile->Image();
    if (after != before)
        m_pStack->push(new CSnapshotCommand(this, before, after, EventChangeText()));
}

QString CDocumentHistory::EventChangeText() const
{
    const std::deque<sor::tKeyEvent>& events = m_pFile->KeyEvents();
    if (events.size() > m_eventsBefore.size())
        return tr("Add event");
    if (events.size() < m_eventsBefore.size())
        return tr("Delete event");
    for (size_t i = 0; i < events.size(); ++i) {
        if (events[i].comment.Text() != m_eventsBefore[i].comment.Text())
            return tr("Event comment");
    }
    return tr("Replace event");
}
