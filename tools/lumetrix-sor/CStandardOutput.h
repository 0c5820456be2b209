#pragma once

#include <QCoreApplication>

// The end of every lumetrix-sor command: its results went to standard
// output, which may be a full disk, a closed pipe's file or /dev/full. A
// command's exit status counts only once everything it wrote has been handed
// to the system.
class CStandardOutput
{
    Q_DECLARE_TR_FUNCTIONS(CStandardOutput)

public:
    // Flushes standard output and checks it; returns `exitCode` when every
    // byte was written, otherwise says so on standard error and returns 2.
    static int Finish(int exitCode);
};
