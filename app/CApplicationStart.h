#pragma once

#include "tVersion.h"

#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

// The program's start-up, in a fixed order: the application object and its
// identity, the number locale, the interface language, crash reporting, the
// translation, and then the window and the event loop. A failed translation
// ends the program before any window is shown; failed crash reporting ends it
// only for a version marked D.
class CApplicationStart
{
public:
    explicit CApplicationStart(const tVersion& version = kProgramVersion);
    virtual ~CApplicationStart() = default;
    CApplicationStart(const CApplicationStart&) = delete;
    CApplicationStart& operator=(const CApplicationStart&) = delete;

    // The whole program: creates the application object and runs Start() on
    // its arguments. Returns the process exit code.
    int Run(int& argc, char** argv);
    // Everything after the application object exists. `arguments` as
    // QCoreApplication::arguments() gives them: the program, then optionally
    // the working folder and any number of "--serial-port PATH". Returns the
    // event loop's value, or -1 when start-up fails (after telling the user).
    int Start(const QStringList& arguments);

    // What the command line asks for.
    struct tCommandLine
    {
        // The working folder; empty for the one used last.
        QString sFolder;
        // Serial ports to probe after the ones the system lists
        // ("--serial-port PATH" or "--serial-port=PATH", repeatable).
        QStringList lsSerialPorts;
    };
    // The first argument is the program. A "--serial-port" without a path is
    // left out.
    static tCommandLine ParseCommandLine(const QStringList& arguments);

    // "Lumetrix_" and the version text: each version keeps its own settings.
    static QString ApplicationName(const tVersion& version = kProgramVersion);
    // Names the settings store and the per-user folders.
    static void SetIdentity(const tVersion& version = kProgramVersion);
    // Numbers are shown and read with a decimal point and without group
    // separators, whatever the interface language.
    static void SetNumberLocale();
    // Language/LanguageName of the settings store; "English" when it is
    // absent or empty.
    static QString StoredLanguageName();
    // Installer/Root of the settings store; the current folder when absent.
    static QString StoredInstallRoot();

protected:
    // Builds and shows the program's window; `folder` is the working folder
    // named on the command line, or empty.
    virtual std::unique_ptr<QWidget> CreateMainWindow(const QString& folder);
    // Runs the event loop and returns its value.
    virtual int RunEventLoop();

private:
    tVersion m_version;
};
