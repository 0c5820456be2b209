#pragma once

#include <QObject>
#include <QString>

class IFileList;
class QWidget;

// Notices what other programs do to the working folder. For now it keeps
// nothing: the list tells it what to watch, and it answers nothing back.
class CFileListWatcher : public QObject
{
    Q_OBJECT

public:
    CFileListWatcher(IFileList* list, QWidget* parent);

    void StopWatching();
    void WatchFolder(const QString& canonicalPath);
    void WatchFile(const QString& path);
    void UnwatchFile(const QString& path);

private:
    IFileList* m_pList;
};
