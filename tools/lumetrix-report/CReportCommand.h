#pragma once

#include <QCoreApplication>
#include <QStringList>

// lumetrix-report FILE... -o OUT.pdf [--page A4|Letter] [--landscape]
// One page per trace file in the given order, drawn as the program draws the
// pages of listed files. Returns the exit code: 0 written, 2 bad arguments,
// a file that does not load (its name and the error on standard error) or a
// PDF that cannot be written; nothing is written unless every file loaded.
class CReportCommand
{
    Q_DECLARE_TR_FUNCTIONS(CReportCommand)

public:
    // `arguments` without the program name.
    int Run(const QStringList& arguments);

private:
    int Usage(const QString& problem);
    // Why `output` must not be written: it is one of `inputs` (also through a
    // link) or an existing trace file. Empty when it may be written.
    static QString OutputRefusal(const QString& output, const QStringList& inputs);
};
