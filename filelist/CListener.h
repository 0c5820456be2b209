#pragma once

#include "tChangeSet.h"

#include <QElapsedTimer>
#include <QHash>
#include <QRecursiveMutex>
#include <QSet>
#include <QThread>
#include <QTimer>

// Property of a listed document whose file went away: whether it had changes
// of the user's before the list marked it modified to keep its trace.
inline constexpr char kEditedBeforeRemoval[] = "editedBeforeRemoval";

class IFileList;
class QFileSystemWatcher;

namespace FileListWatcher {

// Collects what the file-system watcher reports about the working folder and
// its listed files into the change sets. A file that appears or changes is
// offered only once its size and times have stayed the same for a while, so
// that a file another program is still writing is never loaded half-written,
// and a burst of changes ends in one round of questions.
class CListener : public QThread
{
    Q_OBJECT

public:
    CListener(IFileList* list, tChangeSet* sets, QRecursiveMutex* mutex, QObject* parent);
    ~CListener() override;

    // Watches a listed file as the list holds it now (just loaded or written
    // by the program): only a later change by another program is offered.
    void WatchFile(const QString& path);
    void UnwatchFile(const QString& path);
    // Watches the working folder; *.sor files the list did not take (they
    // failed to load) are not offered again until they change.
    void WatchDir(const QString& path);
    void UnwatchDirs();
    // The file as it is on disk now counts as known (the user kept the
    // listed trace): only a further change asks again.
    void Accept(const QString& path);
    // Files not listed that the user was asked about: they are not offered
    // again until they change.
    void Offered(const QStringList& paths);
    // Whether a file that is not listed is still being written.
    bool IsSettling() const;

    // While held, notifications are only noted; they are looked at when the
    // last hold ends, and a question round that came meanwhile runs then.
    void Hold() { ++m_nHeld; }
    void Release();
    bool IsHeld() const { return m_nHeld > 0; }
    void Defer() { m_bDeferred = true; }
    // The question round has ended: the next notification may start another.
    void Handled();

signals:
    void sigPathChanges();

public slots:
    void OnDirChanged(const QString& path);
    void OnFileChanged(const QString& path);

private:
    // What a file looks like on disk; equal stamps mean unchanged bytes.
    struct tStamp
    {
        bool bExists = false;
        qint64 nSize = 0;
        qint64 nModified = 0;
        qint64 nChanged = 0;
        bool operator==(const tStamp& other) const
        {
            return bExists == other.bExists && nSize == other.nSize && nModified == other.nModified
                && nChanged == other.nChanged;
        }
        bool operator!=(const tStamp& other) const { return !(*this == other); }
    };
    // A file seen changing, and since when it has looked the same.
    struct tSettling
    {
        tStamp stamp;
        QElapsedTimer since;
    };

    static tStamp StampOf(const QString& path);
    QSet<QString> ListedPaths() const;
    QStringList FolderFiles() const;
    void Settle(const QString& path);
    void OnSettleTick();

    IFileList* m_pList;
    tChangeSet* m_pSets;
    QRecursiveMutex* m_pMutex;
    QFileSystemWatcher* m_pWatcher;
    bool m_bPending = false;

    QString m_sDir;
    // Listed files as the program last loaded or wrote them.
    QHash<QString, tStamp> m_stamps;
    // Files not listed that were offered already (or failed to load), as
    // they were then.
    QHash<QString, tStamp> m_offered;
    QHash<QString, tSettling> m_settling;
    QTimer m_settleTimer;

    int m_nHeld = 0;
    bool m_bDirDirty = false;
    bool m_bDeferred = false;
    QStringList m_lsDirtyFiles;
};

} // namespace FileListWatcher
