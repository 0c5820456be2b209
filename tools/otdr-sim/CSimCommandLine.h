#pragma once

#include "COtdrInstrument.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The simulator's command line: the instrument's options, where to put a
// link to the port, and whether only the usage was asked for.
class CSimCommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CSimCommandLine)

public:
    // `arguments` without the program name. On a mistake returns false and
    // sets `error`.
    bool Parse(const QStringList& arguments, QString& error);
    static QString Usage();

    COtdrInstrument::tOptions instrument;
    // A symbolic link made to the port's path, removed at exit; empty for none.
    QString linkPath;
    bool bHelp = false;
};
