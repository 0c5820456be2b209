#pragma once

#include <QString>

// The desktop's trash, where deleted trace files go so that the user can
// bring them back.
class CTrash
{
public:
    // Moves the file at `path` to the trash. False when no trash takes it;
    // the file is then where it was.
    static bool MoveToTrash(const QString& path);
};
