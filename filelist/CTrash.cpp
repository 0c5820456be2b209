#include "CTrash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool CTrash::MoveToTrash(const QString& path)
{
    const QDir current = QDir::current();
    const bool hadFiles = current.exists(QStringLiteral("files"));
    const bool hadInfo = current.exists(QStringLiteral("info"));
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash))
        return false;
    if (!QDir::isRelativePath(inTrash))
        return true;

    // Where no trash folder can be made, Qt 6.4 takes the process's current
    // folder (the working folder) for the trash and moves the file into a
    // "files" folder there. That is no trash: the file goes back, and the
    // folders made for it go again.
    const QString moved = current.absoluteFilePath(inTrash);
    QFile::rename(moved, path);
    QFile::remove(
        current.absoluteFilePath(QStringLiteral("info/") + QFileInfo(moved).fileName() + QStringLiteral(".trashinfo")));
    if (!hadFiles)
        current.rmdir(QStringLiteral("files"));
    if (!hadInfo)
        current.rmdir(QStringLiteral("info"));
    return false;
}
