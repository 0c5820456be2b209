#pragma once

#include <QString>

// Crash reporting: after Install(), a fatal signal (SIGSEGV, SIGABRT, SIGBUS,
// SIGFPE, SIGILL) writes a short report into the per-user data folder (the
// time, the program version, the signal and a backtrace) and then lets the
// signal take its former course, so the process still dies of it. Nothing is
// sent anywhere. Process-wide; install and uninstall from the main thread.
class CCrashReport
{
public:
    struct tInstallInfo
    {
        // Written into every report.
        QString sAppName;
        QString sAppVersion;
        // A localised reporter would take its texts from here; the reports
        // are plain English, so it is unused.
        QString sLanguageFile;
    };

    // Creates the report folder and installs the signal handlers. Returns 0,
    // or non-zero with the reason in LastErrorMessage(); a failed install
    // changes no handler.
    static int Install(const tInstallInfo& info);
    // Why the last Install() failed.
    static QString LastErrorMessage();
    // Gives every signal back the handler it had before Install().
    static void Uninstall();
    static bool IsInstalled();
    // The folder the reports are written to; valid once installed.
    static QString ReportFolder();

    // A worker thread announces itself here while it runs. Signal handlers
    // belong to the whole process, so a crash on any thread is reported
    // already and these have nothing to do.
    static void InstallToCurrentThread() {}
    static void UninstallFromCurrentThread() {}
};
