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
    const bool wasModified = m_pFile->IsModified();
    m_bBusy = true;
    QByteArray after;
    try {
        edit();
        after = m_pFile->Image();
    } catch (...) {
        // An edit that cannot be recorded is not kept: the trace goes back
        // to the image taken before it.
        Revert(before, wasModified);
        m_bBusy = false;
        throw;
    }
    if (after != before) {
        m_pStack->push(new CSnapshotCommand(this, before, after, text));
        if (!m_pFile->IsModified())
            m_pFile->SetModified(true);
    }
    m_bBusy = false;
    return after != before;
}

void CDocumentHistory::Revert(const QByteArray& image, bool modified)
{
    // The image was taken from this document a moment ago; should it not
    // load, the failure that led here is the one to report.
    const bool busy = m_bBusy;
    m_bBusy = true;
    try {
        m_pFile->Restore(image);
        if (m_pFile->IsModified() != modified)
            m_pFile->SetModified(modified);
    } catch (...) {
    }
    m_bBusy = busy;
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
    // A trace whose image cannot be taken cannot be changed undoably: the
    // failure leaves the document before the change and reaches the caller.
    m_before = m_pFile->Image();
    m_eventsBefore.assign(m_pFile->KeyEvents().begin(), m_pFile->KeyEvents().end());
    m_bModifiedBefore = m_pFile->IsModified();
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
    if (m_before.isNull()) {
        // Marked modified by something other than an edit of this history:
        // the file on disk went away or changed. No state the history can
        // return to matches the disk any more, so none clears the mark.
        m_pStack->resetClean();
        return;
    }
    const QByteArray before = m_before;
    m_before = QByteArray();
    QByteArray after;
    try {
        after = m_pFile->Image();
    } catch (...) {
        Revert(before, m_bModifiedBefore);
        throw;
    }
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
