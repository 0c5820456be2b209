#pragma once

#include <CDeviceExchanger.h>

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The "device" commands of lumetrix-sor: the program's instrument exchange
// without a window, for scripts. Each command connects to the instrument on
// the port given, runs one exchange and disconnects again. Results go to
// standard output, the program's messages to standard error. SIGINT (Ctrl+C)
// and SIGTERM cancel the running exchange as the Cancel button does.
//
// Exit codes: 0 success, 2 an error, 3 cancelled.
class CDeviceCommand
{
    Q_DECLARE_TR_FUNCTIONS(CDeviceCommand)

public:
    enum tExit { ExitOk = 0, ExitError = 2, ExitCancelled = 3 };

    CDeviceCommand();
    ~CDeviceCommand();

    // `arguments` after "device": the subcommand and its options.
    int Run(const QStringList& arguments);
    static QString Usage();

private:
    struct tOptions
    {
        QString sPort;
        QString sFolder;
        QStringList lsSerialPorts;
        bool bDeleteAfter = false;
        // -1: as the instrument has it.
        int nRange = -1;
        int nPulse = -1;
        int nAverage = -1;
        int nWaveLen = -1;
        QString sIndex;
    };

    bool ParseOptions(const QString& command, const QStringList& arguments, tOptions& options, QString& error);
    int Ports();
    int Search();
    int Params();
    int Measure();
    int Download();
    int Clear();
    int Clock();

    // Finds the instrument on the port and connects to it; on failure returns
    // the exit code through `exit`.
    bool Connect(int& exit);
    // Runs one command on the exchanger's thread and waits for its end.
    CDeviceExchanger::tResult Execute(CDeviceExchanger::tCommand command);
    // The exit code of a finished command; prints its error text.
    int Finish(const CDeviceExchanger::tResult& result);
    // Writes downloaded traces into the folder and prints their paths; false
    // when one could not be written.
    bool WriteTraces(const CDeviceExchanger::tCommandRes& traces);
    // Sets the parameter overrides; false with `error` set when one is invalid.
    bool ApplyOverrides(const tOptions& options, QString& error);
    void Interrupt();
    // The program's message when no instrument answered.
    static void NotFound();

    static void Out(const QString& text);
    static void Err(const QString& text);

    CDeviceExchanger* m_pExchanger = nullptr;
    tOptions m_options;
    bool m_bInterrupted = false;
};
