#pragma once

#include <QString>

// A pseudo-terminal pair: the simulator works the master side, a program
// opens the slave side as its serial port. The simulator keeps a slave
// descriptor of its own open, so the line does not hang up while no program
// has the port open and one program after another can use it. Both sides are
// in raw mode: bytes pass unchanged, without echo or line editing.
class CPseudoTerminal
{
public:
    CPseudoTerminal() = default;
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    // Creates the pair; on failure returns false and sets `error`.
    bool Open(QString& error);
    // The path a program opens, for example /dev/pts/7.
    const QString& SlavePath() const { return m_slavePath; }
    // The non-blocking master descriptor, -1 before Open.
    int MasterFd() const { return m_master; }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
