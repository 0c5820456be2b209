#pragma once

#include "tVersion.h"

#include <QCoreApplication>
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
    Q_DECLARE_TR_FUNCTIONS(CApplicationStart)

public:
    explicit CApplicationStart(const tVersion& version = kProgramVersion);
    virtual ~CApplicationStart() = default;
    CApplicationStart(const CApplicationStart&) = delete;
    CApplicationStart& operator=(const CApplicationStart&) = delete;

    // The whole program: answers --help and --version, and refuses a bad
    // command line, without a display; otherwise creates the application
    // object and runs Start() on its arguments. Returns the process exit code.
    int Run(int& argc, char** argv);
    // Everything after the application object exists. `arguments` as
    // QCoreApplication::arguments() gives them (see ParseCommandLine).
    // Returns the event loop's value, or -1 when start-up fails (after
    // telling the user).
    int Start(const QStringList& arguments);

    // What the command line asks for:
    //   lumetrix [FILE|FOLDER]... [--serial-port PATH]... [--help] [--version]
    struct tCommandLine
    {
        enum tAction { Open, Help, Version, Refuse };
        tAction eAction = Open;
        // Help and Version: the text for standard output. Refuse: the problem
        // and the usage, for standard error.
        QString sText;
        // The working folder, absolute; empty for the one used last.
        QString sFolder;
        // Traces of that folder named on the command line, in their order;
        // the first becomes the current one.
        QStringList lsFiles;
        // Paths that are not opened, each with the reason.
        QStringList lsNotOpened;
        // Serial ports to probe after the ones the system lists
        // ("--serial-port PATH" or "--serial-port=PATH", repeatable).
        QStringList lsSerialPorts;
    };
    // The first argument is the program. Only one folder can be the working
    // folder: the first path that exists decides it (a file stands for its
    // folder); paths in other folders and paths that do not exist are not
    // opened.
    static tCommandLine ParseCommandLine(const QStringList& arguments, const tVersion& version = kProgramVersion);
    // Makes the named traces the selected rows of the window's list, the
    // first one current, and tells the user what was not opened.
    static void OpenNamedFiles(QWidget* window, const tCommandLine& commandLine);

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
