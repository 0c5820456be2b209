#include "CListener.h"

#include "IFileList.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

#include <utility>

namespace FileListWatcher {

namespace {

// How long a file must stay unchanged before it counts as completely written.
constexpr int kSettleMs = 500;

} // namespace

CListener::CListener(IFileList* list, tChangeSet* sets, QRecursiveMutex* mutex, QObject* parent)
    : QThread(parent), m_pList(list), m_pSets(sets), m_pMutex(mutex), m_pWatcher(new QFileSystemWatcher(this))
{
    connect(m_pWatcher, &QFileSystemWatcher::directoryChanged, this, &CListener::OnDirChanged);
    connect(m_pWatcher, &QFileSystemWatcher::fileChanged, this, &CListener::OnFileChanged);
    m_settleTimer.setInterval(kSettleMs / 2);
    connect(&m_settleTimer, &QTimer::timeout, this, &CListener::OnSettleTick);
    start();
}

CListener::~CListener()
{
    quit();
    wait();
}

CListener::tStamp CListener::StampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return { true, info.size(), info.lastModified().toMSecsSinceEpoch(),
        info.metadataChangeTime().toMSecsSinceEpoch() };
}

QSet<QString> CListener::ListedPaths() const
{
    QSet<QString> paths;
    for (int row = 0; row < m_pList->GetCount(); ++row) {
        if (const QSharedPointer<sor::CFile> file = m_pList->GetFile(row))
            paths.insert(file->Path());
    }
    return paths;
}

QStringList CListener::FolderFiles() const
{
    QStringList files;
    if (m_sDir.isEmpty())
        return files;
    for (const QFileInfo& entry : QDir(m_sDir).entryInfoList({ QStringLiteral("*.sor") }, QDir::Files, QDir::Name)) {
        if (const QString canonical = entry.canonicalFilePath(); !canonical.isEmpty())
            files << canonical;
    }
    return files;
}

void CListener::WatchFile(const QString& path)
{
    if (path.isEmpty())
        return;
    QMutexLocker lock(m_pMutex);
    // A file replaced through a rename (as every save does) is a new file:
    // the old watch ended with the old file, so the path is watched anew.
    if (m_pWatcher->files().contains(path))
        m_pWatcher->removePath(path);
    m_pWatcher->addPath(path);
    m_stamps.insert(path, StampOf(path));
    m_settling.remove(path);
}

void CListener::UnwatchFile(const QString& path)
{
    QMutexLocker lock(m_pMutex);
    if (m_pWatcher->files().contains(path))
        m_pWatcher->removePath(path);
    m_stamps.remove(path);
    m_settling.remove(path);
}

void CListener::WatchDir(const QString& path)
{
    QMutexLocker lock(m_pMutex);
    if (path != m_sDir) {
        m_sDir = path;
        m_offered.clear();
        m_pSets[AddedFiles] = tChangeSet();
        for (auto entry = m_settling.begin(); entry != m_settling.end();)
            entry = m_stamps.contains(entry.key()) ? std::next(entry) : m_settling.erase(entry);
    }
    if (!path.isEmpty())
        m_pWatcher->addPath(path);
    const QSet<QString> listed = ListedPaths();
    for (const QString& file : FolderFiles()) {
        if (!listed.contains(file) && !m_settling.contains(file))
            m_offered.insert(file, StampOf(file));
    }
}

void CListener::UnwatchDirs()
{
    if (const QStringList dirs = m_pWatcher->directories(); !dirs.isEmpty())
        m_pWatcher->removePaths(dirs);
}

void CListener::Accept(const QString& path)
{
    QMutexLocker lock(m_pMutex);
    if (m_stamps.contains(path))
        m_stamps.insert(path, StampOf(path));
}

void CListener::Offered(const QStringList& paths)
{
    QMutexLocker lock(m_pMutex);
    for (const QString& path : paths)
        m_offered.insert(path, StampOf(path));
}

bool CListener::IsSettling() const
{
    QMutexLocker lock(m_pMutex);
    for (auto entry = m_settling.cbegin(); entry != m_settling.cend(); ++entry) {
        if (!m_stamps.contains(entry.key()))
            return true;
    }
    return false;
}

void CListener::Release()
{
    if (--m_nHeld > 0)
        return;
    if (std::exchange(m_bDirDirty, false))
        OnDirChanged(m_sDir);
    for (const QString& path : std::exchange(m_lsDirtyFiles, {}))
        OnFileChanged(path);
    if (std::exchange(m_bDeferred, false))
        emit sigPathChanges();
    m_settleTimer.start();
}

void CListener::Handled()
{
    m_bPending = false;
    // Changes that came while the questions were open get their round.
    m_settleTimer.start();
}

void CListener::Settle(const QString& path)
{
    if (m_settling.contains(path))
        return;
    tSettling& settling = m_settling[path];
    settling.stamp = StampOf(path);
    settling.since.start();
}

void CListener::OnDirChanged(const QString& path)
{
    Q_UNUSED(path);
    if (IsHeld()) {
        m_bDirDirty = true;
        return;
    }
    QMutexLocker lock(m_pMutex);
    const QSet<QString> listed = ListedPaths();
    const QStringList files = FolderFiles();
    const QSet<QString> present(files.cbegin(), files.cend());
    for (const QString& file : files) {
        if (!listed.contains(file) && !m_pSets[AddedFiles].paths.contains(file)
            && m_offered.value(file) != StampOf(file))
            Settle(file);
    }
    for (auto offered = m_offered.begin(); offered != m_offered.end();)
        offered = present.contains(offered.key()) ? std::next(offered) : m_offered.erase(offered);

    // A listed file that is gone is marked modified at once, so that its
    // trace can still be saved back. One the user chose to keep is not asked
    // about again; when it comes back, it is offered like a changed file.
    for (int row = 0; row < m_pList->GetCount(); ++row) {
        const QSharedPointer<sor::CFile> file = m_pList->GetFile(row);
        if (!file || !m_stamps.contains(file->Path()))
            continue;
        const QString& listedPath = file->Path();
        const bool existed = m_stamps.value(listedPath).bExists;
        if (existed && !QFileInfo::exists(listedPath) && m_pSets[RemovedFiles].Add(listedPath)) {
            // Whether the user had changed it: the question about the gone
            // file speaks of lost changes only then.
            file->setProperty(kEditedBeforeRemoval, file->IsModified());
            file->SetModified(true);
        } else if (!existed && QFileInfo::exists(listedPath)) {
            file->setProperty(kEditedBeforeRemoval, QVariant());
            m_pWatcher->addPath(listedPath);
            Settle(listedPath);
        }
    }
    m_settleTimer.start();
}

void CListener::OnFileChanged(const QString& path)
{
    if (IsHeld()) {
        if (!m_lsDirtyFiles.contains(path))
            m_lsDirtyFiles << path;
        return;
    }
    QMutexLocker lock(m_pMutex);
    if (!m_stamps.contains(path))
        return;
    if (!QFileInfo::exists(path)) {
        OnDirChanged(path);
        return;
    }
    // Another program may have replaced the file through a rename.
    if (!m_pWatcher->files().contains(path))
        m_pWatcher->addPath(path);
    if (StampOf(path) != m_stamps.value(path))
        Settle(path);
    m_settleTimer.start();
}

void CListener::OnSettleTick()
{
    if (IsHeld())
        return;
    QMutexLocker lock(m_pMutex);
    bool addedSettling = false;
    for (auto entry = m_settling.begin(); entry != m_settling.end();) {
        const QString path = entry.key();
        const tStamp now = StampOf(path);
        const bool listed = m_stamps.contains(path);
        if (!now.bExists) {
            entry = m_settling.erase(entry);
            continue;
        }
        if (now != entry->stamp || entry->since.elapsed() < kSettleMs) {
            if (now != entry->stamp) {
                entry->stamp = now;
                entry->since.start();
            }
            addedSettling = addedSettling || !listed;
            ++entry;
            continue;
        }
        if (!listed)
            m_pSets[AddedFiles].Add(path);
        else if (now != m_stamps.value(path))
            m_pSets[ModifiedFiles].Add(path);
        entry = m_settling.erase(entry);
    }

    tChangeSet& added = m_pSets[AddedFiles];
    if (!addedSettling && added.paths.isEmpty())
        added.bForAll = added.bAnswer = false;
    const bool ask = !m_pSets[ModifiedFiles].paths.isEmpty() || !m_pSets[RemovedFiles].paths.isEmpty()
        || (!added.paths.isEmpty() && !addedSettling);
    if (m_settling.isEmpty() && !ask)
        m_settleTimer.stop();
    if (ask && !m_bPending) {
        m_bPending = true;
        emit sigPathChanges();
    }
}

} // namespace FileListWatcher
