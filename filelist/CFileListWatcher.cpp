#include "CFileListWatcher.h"

#include <QWidget>

// The list already tells the watcher everything it will need to follow the
// folder; the watcher does not act on it yet, so other programs' changes show
// only after the folder is listed again.
CFileListWatcher::CFileListWatcher(IFileList* list, QWidget* parent) : QObject(parent), m_pList(list)
{
}

void CFileListWatcher::StopWatching()
{
}

void CFileListWatcher::WatchFolder(const QString& canonicalPath)
{
    Q_UNUSED(canonicalPath);
}

void CFileListWatcher::WatchFile(const QString& path)
{
    Q_UNUSED(path);
}

void CFileListWatcher::UnwatchFile(const QString& path)
{
    Q_UNUSED(path);
}
