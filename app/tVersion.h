#pragma once

#include <QString>
#include <QtGlobal>

// A program version. Its text is part of the application name, so each
// version keeps its own settings.
struct tVersion
{
    qint32 nMajor;
    qint32 nMinor;
    // Appends "B" to the text.
    bool bB;
    // Appends "D" to the text. A build marked so refuses to start without
    // crash reporting.
    bool bD;

    // "%1.%2" with major and minor unpadded, then "B" and "D" when set.
    QString Text() const;
};

// This program's version, for start-up and for the About box.
inline constexpr tVersion kProgramVersion{0, 28, true, false};
