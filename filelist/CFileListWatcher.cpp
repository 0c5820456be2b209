#include "CFileListWatcher.h"

#include "CListener.h"
#include "CEntryGuard.h"
#include "IFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

using namespace FileListWatcher;

CFileListWatcher::CFileListWatcher(IFileList* list, QWidget* parent)
    : QObject(parent), m_pList(list), m_pParent(parent), m_pListener(new CListener(list, m_sets, &m_mutex, this))
{
    // Queued: the questions run from the event loop, not inside the
    // listener's notification.
    connect(m_pListener, &CListener::sigPathChanges, this, &CFileListWatcher::OnPathChanges, Qt::QueuedConnection);
}

void CFileListWatcher::WatchDir(const QString& path)
{
    m_pListener->WatchDir(path);
}

void CFileListWatcher::WatchFile(const QString& path)
{
    m_pListener->WatchFile(path);
}

void CFileListWatcher::UnwatchFile(const QString& path)
{
    m_pListener->UnwatchFile(path);
}

void CFileListWatcher::UnwatchDirs()
{
    m_pListener->UnwatchDirs();
}

CFileListWatcher::tOwnChanges::tOwnChanges(CFileListWatcher* watcher) : m_pWatcher(watcher)
{
    m_pWatcher->m_pListener->Hold();
}

CFileListWatcher::tOwnChanges::~tOwnChanges()
{
    m_pWatcher->m_pListener->Release();
}

int CFileListWatcher::RowOf(const QString& path) const
{
    for (int row = 0; row < m_pList->GetCount(); ++row) {
        if (const QSharedPointer<sor::CFile> file = m_pList->GetFile(row); file && file->Path() == path)
            return row;
    }
    return -1;
}

int CFileListWatcher::TakeOne(
    tChangeSet& set, bool& again, const QString& textModified, const QString& text, QString& path)
{
    QMutexLocker lock(&m_mutex);
    for (;;) {
        if (set.paths.isEmpty()) {
            set.bForAll = set.bAnswer = false;
            return -1;
        }
        path = set.paths.first();
        const int row = RowOf(path);
        if (row < 0) {
            // Its row went before the question (the user closed it): there is
            // nothing left to ask about.
            set.paths.removeFirst();
            continue;
        }
        again = true;
        bool yes = set.bForAll && set.bAnswer;
        if (!set.bForAll) {
            const QSharedPointer<sor::CFile> file = m_pList->GetFile(row);
            const QVariant edited = file->property(kEditedBeforeRemoval);
            const bool modified = edited.isValid() ? edited.toBool() : file->IsModified();
            QMessageBox box(QMessageBox::Information, tr("Working folder was updated"),
                (modified ? textModified : text).arg(QDir::toNativeSeparators(path)),
                QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::NoToAll, m_pParent);
            // Enter never throws edits away.
            box.setDefaultButton(modified ? QMessageBox::No : QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            // Changes that arrive while the question is open are still queued.
            lock.unlock();
            const int answer = box.exec();
            lock.relock();
            yes = answer == QMessageBox::Yes || answer == QMessageBox::YesToAll;
            if (answer == QMessageBox::YesToAll || answer == QMessageBox::NoToAll) {
                set.bForAll = true;
                set.bAnswer = yes;
            }
        }
        set.paths.removeAll(path);
        // Rows may have moved while the question was open.
        const int answeredRow = RowOf(path);
        return yes && answeredRow >= 0 ? answeredRow : -2;
    }
}

void CFileListWatcher::AskAdded()
{
    QMutexLocker lock(&m_mutex);
    tChangeSet& added = m_sets[AddedFiles];
    // Files the list took itself meanwhile are not new to it.
    added.paths.removeIf([this](const QString& path) { return RowOf(path) >= 0 || !QFileInfo::exists(path); });
    if (added.paths.isEmpty())
        return;
    bool yes = added.bForAll && added.bAnswer;
    if (!added.bForAll) {
        QMessageBox box(QMessageBox::Information, tr("Working folder was updated"),
            tr("New files appeared in the current folder.\nDo you want to update the file list?"),
            QMessageBox::Yes | QMessageBox::No, m_pParent);
        lock.unlock();
        yes = box.exec() != QMessageBox::No;
        lock.relock();
    }
    // Files still arriving belong to the same change: the list is read again
    // once they are complete, without asking again.
    const bool wait = yes && m_pListener->IsSettling();
    added.bForAll = added.bAnswer = wait;
    if (wait)
        return;
    m_pListener->Offered(added.paths);
    added.paths.clear();
    lock.unlock();
    if (yes)
        m_pList->Rescan();
}

void CFileListWatcher::OnPathChanges()
{
    // After a failure the next change asks again.
    if (!CEntryGuard::Run(m_pParent, [this] { AskAll(); }))
        m_pListener->Handled();
}

void CFileListWatcher::AskAll()
{
    if (m_pListener->IsHeld()) {
        m_pListener->Defer();
        return;
    }
    for (bool again = true; again;) {
        again = false;
        QString path;
        int row = TakeOne(m_sets[ModifiedFiles], again,
            tr("%1\n\nThe file has been modified outside of program.\n Do you want to reload it and lose the changes "
               "you made?"),
            tr("%1\n\nThe file has been modified outside of program.\nDo you want to reload it?"), path);
        if (row >= 0)
            m_pList->ReloadFile(row);
        // The listed trace stays as it is (a reload that failed keeps it too):
        // only a further change asks again. The same holds for a gone file
        // the user kept, below.
        if (row != -1)
            m_pListener->Accept(path);
        // A trace kept with its changes over a file another program changed
        // stays modified until it is saved: undo cannot bring back the disk.
        if (row == -2 && RowOf(path) >= 0 && m_pList->GetFile(RowOf(path))->IsModified())
            m_pList->GetFile(RowOf(path))->SetModified(true);

        row = TakeOne(m_sets[RemovedFiles], again,
            tr("%1\n\nThe file has removed outside of program.\nDo you want to remove it from file list and lose the "
               "changes you made?"),
            tr("%1\n\nThe file has removed outside of program.\nDo you want to remove it from file list?"), path);
        if (row >= 0)
            m_pList->CloseFile(row);
        else if (row == -2)
            m_pListener->Accept(path);
    }
    AskAdded();
    m_pListener->Handled();
}
