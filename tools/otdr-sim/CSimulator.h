#pragma once

#include "COtdrInstrument.h"
#include "CPseudoTerminal.h"

#include <QCoreApplication>
#include <QString>

// Runs the simulated instrument on a pseudo-terminal until SIGINT or SIGTERM:
// bytes from the port go to the instrument, its replies go back when they are
// due, and its log goes to standard error. The log is a trace of the
// dialogue for developers and stays in English; errors are translated.
class CSimulator
{
    Q_DECLARE_TR_FUNCTIONS(CSimulator)

public:
    explicit CSimulator(const COtdrInstrument::tOptions& options);

    // Opens the port, prints its path as the first line of standard output
    // (and makes `linkPath` a link to it unless empty), then serves it.
    // Returns the process exit code.
    int Run(const QString& linkPath);

private:
    void Serve();
    static void Log(const QString& text);

    COtdrInstrument::tOptions m_options;
    CPseudoTerminal m_terminal;
};
