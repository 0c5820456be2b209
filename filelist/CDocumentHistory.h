#pragma once

#include <CFile.h>

#include <QByteArray>
#include <QObject>
#include <QSharedPointer>
#include <QString>

#include <functional>
#include <vector>

class QUndoStack;

// The undo history of one listed trace: every change to it becomes a command
// holding the whole file image before and after, so that undo and redo put
// the trace back exactly. Event changes are taken by themselves (the document
// announces them); any other edit goes through Apply(). Undoing or redoing to
// the state last saved clears the modified mark; saving keeps the history.
class CDocumentHistory : public QObject
{
    Q_OBJECT

public:
    CDocumentHistory(const QSharedPointer<sor::CFile>& file, QObject* parent = nullptr);

    QUndoStack* Stack() const { return m_pStack; }
    sor::CFile& File() const { return *m_pFile; }
    // Runs `edit` on the document and records it as one undoable step named
    // `text` when it changed the file image; marks the document modified.
    // Returns whether it changed anything.
    bool Apply(const QString& text, const std::function<void()>& edit);
    // Puts an image back (for the commands) and sets the modified mark.
    void Restore(const QByteArray& image, bool modified);

private slots:
    void OnAboutToChange();
    void OnFileChanged(bool modified);

private:
    // The step name of an event change.
    QString EventChangeText() const;
    // Puts back the trace of `image` and the modified mark after a change
    // that could not be recorded.
    void Revert(const QByteArray& image, bool modified);

    QSharedPointer<sor::CFile> m_pFile;
    QUndoStack* m_pStack;
    // Image and events before an announced change, until it is recorded.
    QByteArray m_before;
    // (A vector: an empty deque would hold a block for every listed file.)
    std::vector<sor::tKeyEvent> m_eventsBefore;
    bool m_bModifiedBefore = false;
    // Set while Apply() or Restore() runs: their changes are not taken again.
    bool m_bBusy = false;
};
