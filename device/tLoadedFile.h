#pragma once

#include <QByteArray>
#include <QString>

// One downloaded trace. An entry with an empty name (a download cancelled
// while reading) carries no file.
struct tLoadedFile
{
    // Absolute path the trace is to get in the working folder.
    QString sFileName;
    // The complete Bellcore file.
    QByteArray baData;
};
