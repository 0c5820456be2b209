#pragma once

#include <QStringList>

namespace FileListWatcher {

// The kinds of change, each with its own set.
enum tChangeKind { ModifiedFiles, RemovedFiles, AddedFiles, ChangeKinds };

// Paths of one kind of outside change waiting for their question, and the
// answer the user gave for all of them.
struct tChangeSet
{
    // The user answered with a to-all button; `bAnswer` is that answer.
    bool bForAll = false;
    bool bAnswer = false;
    // Canonical paths in arrival order, each once.
    QStringList paths;

    // Appends the path unless it waits already; true when it was appended.
    bool Add(const QString& path)
    {
        if (paths.contains(path))
            return false;
        paths << path;
        return true;
    }
};

} // namespace FileListWatcher
