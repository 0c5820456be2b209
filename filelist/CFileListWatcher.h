#pragma once

#include "tChangeSet.h"

#include <QObject>
#include <QRecursiveMutex>
#include <QString>

class IFileList;
class QWidget;

namespace FileListWatcher {
class CListener;
}

// Notices what other programs do to the working folder: trace files that
// appear, listed files that change or disappear. The changes are queued and
// the user is asked, one question at a time, whether the list takes them
// over. The program's own writes never raise a question.
class CFileListWatcher : public QObject
{
    Q_OBJECT

public:
    // `parent` is the file list; it is also the parent of the questions.
    CFileListWatcher(IFileList* list, QWidget* parent);

    void WatchDir(const QString& path);
    // Watches a listed file as it is now; call it again after the program
    // wrote the file, so that the watch follows the new file.
    void WatchFile(const QString& path);
    void UnwatchFile(const QString& path);
    // Stops watching folders; listed files stay watched.
    void UnwatchDirs();

    // Held by the list while it writes and lists files itself: a box it opens
    // meanwhile must not be joined by questions about its own half-done work.
    class tOwnChanges
    {
    public:
        explicit tOwnChanges(CFileListWatcher* watcher);
        ~tOwnChanges();
        tOwnChanges(const tOwnChanges&) = delete;
        tOwnChanges& operator=(const tOwnChanges&) = delete;

    private:
        CFileListWatcher* m_pWatcher;
    };

public slots:
    void OnPathChanges();

private:
    // Asks about the first path of `set` that is still listed. Returns its
    // row for yes, -2 for no, -1 when the set is empty; `path` names it.
    int TakeOne(
        FileListWatcher::tChangeSet& set, bool& again, const QString& textModified, const QString& text, QString& path);
    int RowOf(const QString& path) const;
    // Asks about every queued change (OnPathChanges, without its guard).
    void AskAll();
    void AskAdded();

    IFileList* m_pList;
    QWidget* m_pParent;
    FileListWatcher::tChangeSet m_sets[FileListWatcher::ChangeKinds];
    QRecursiveMutex m_mutex;
    FileListWatcher::CListener* m_pListener;
};
