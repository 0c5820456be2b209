#pragma once

#include "CExchangeClock.h"
#include "IDeviceConnector.h"
#include "tAvailable.h"
#include "tConfig.h"
#include "tDeviceInfo.h"
#include "tLoadedFile.h"
#include "tParameters.h"

#include <QList>
#include <QSharedPointer>
#include <QThread>

#include <atomic>
#include <functional>

// The dialogue with the hand-held reflectometer. Every command is a fixed
// exchange of short text commands, each ending in a carriage return; the
// replies are not framed, so after each command the exchange pauses a fixed
// time and takes every byte that arrived. Files come as IEEE 488.2
// definite-length blocks ("#", a digit d, d digits of length, the bytes).
//
// How to drive it (no widget or QApplication is needed; QCoreApplication is
// enough, and none at all for RunCommand):
//   CDeviceExchanger exchanger;                 // owns a serial connector
//   exchanger.SetConnectorFactory(...);         // optional: another connector kind
//   exchanger.SetClock(&clock);                 // optional: pauses and local time
//   exchanger.SetWorkFolder(dir);               // optional: default the current folder
//   exchanger.RunCommand(CDeviceExchanger::cmdSearch);   // synchronously, or
//   exchanger.Exec(CDeviceExchanger::cmdSearch);         // on its own thread
//   exchanger.GetDevices() -> SetDevice(found[0]) -> cmdConnect -> GetParameters(),
//   GetAvailable(), SetParameters(p) -> cmdSetParameters / cmdMeasurement / cmdLoadAll ...
// Every command ends with one sigExchangeEnd(cmd, errors, cancelled,
// critical, res), also returned by RunCommand as a tResult: the error text
// (empty on success), whether CancelExchange() stopped it, whether the error
// was critical (the caller then disconnects: cmdDisconnect), and the
// downloaded traces as pairs of target path and file bytes, not written yet.
// An entry with an empty path is a download cancelled while reading. While a
// command runs, sigSetWaiting and sigSetProgress tell how long to wait or how
// many files are done.
//
// Use one way of running for the life of a connection: the serial port
// belongs to the thread that opened it (Exec runs every command on this
// object's thread; RunCommand on the caller's). While a command runs only
// CancelExchange() may be called; everything else is for idle times.
class CDeviceExchanger : public QThread
{
    Q_OBJECT

public:
    enum tCommand {
        cmdNone = 0,
        cmdSearch = 1,
        cmdConnect = 2,
        cmdDisconnect = 3,
        cmdSetParameters = 4,
        cmdMeasurement = 5,
        cmdLoadAll = 6,
        cmdClearMemory = 7,
        cmdUpdateDateTime = 8,
    };
    Q_ENUM(tCommand)
    using tCommandRes = QList<tLoadedFile>;
    using tConnectorFactory = std::function<QSharedPointer<IDeviceConnector>()>;

    struct tResult
    {
        tCommand cmd = cmdNone;
        QString sErrors;
        bool bCancelled = false;
        bool bCritical = false;
        tCommandRes res;
    };

    // The fixed pauses of the dialogue, milliseconds.
    static constexpr int kCommandPause = 200;
    static constexpr int kInitPause = 500;
    static constexpr int kDownloadPause = 500;
    // Port time-out of every connector.
    static constexpr int kPortTimeout = 200;
    // A file block that grows past this many bytes is refused.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
    // A block shorter than this is no trace file.
    static constexpr qint64 kMinBlockSize = 1000;
    // Empty reads in a row that end a download which stopped coming.
    static constexpr int kSilentReads = 6;
    // Pause after a complete block, in which nothing more may arrive.
    static constexpr int kTrailPause = 100;
    // Longest drain of the line after a download stopped, milliseconds.
    static constexpr int kDrainLimit = 5000;
    // Reads at most that drop stale bytes before a command.
    static constexpr int kStaleReads = 16;

    explicit CDeviceExchanger(QObject* parent = nullptr);
    // Returns the instrument to mode 0 and closes the port when it is open.
    // Only while no command runs.
    ~CDeviceExchanger() override;

    // Starts `command` on this object's thread; false while one runs. May be
    // called from the slot that receives the end of the previous command.
    bool Exec(tCommand command);
    // Runs `command` on the calling thread and returns how it ended; the
    // signals are emitted on the calling thread as well.
    tResult RunCommand(tCommand command);

    QList<tDeviceInfo> GetDevices() const { return devices; }
    void SetDevice(const tDeviceInfo& info) { device = info; }
    tDeviceInfo GetDevice() const { return device; }
    tParameters GetParameters() const { return parameters; }
    void SetParameters(const tParameters& values) { parameters = values; }
    tAvailable GetAvailable() const { return available; }
    bool IsConnected() const;

    // New connectors come from `factory` (null: the serial connector); the
    // instrument's own connector is replaced at once. Only while disconnected.
    void SetConnectorFactory(const tConnectorFactory& factory);
    // Not owned; null restores the system clock.
    void SetClock(IExchangeClock* clock);
    // Whether the last command failed because the instrument stopped
    // answering or the line refused bytes (off, or its cable out).
    bool IsLost() const { return m_bLost; }
    // Folder the downloaded traces are named for; empty is the current folder.
    void SetWorkFolder(const QString& folder) { m_sWorkFolder = folder; }
    static QSharedPointer<IDeviceConnector> CreateConnector();

    // The parts of the dialogue, public for the tests.
    // A reply to "*IDN?\r" (terminator included): Maker,Model,№Number,Version.
    static tDeviceInfo ParseIdentification(const QString& reply, const QString& port);
    // A reply to a configuration command (terminator included):
    // CFG,range,pulse,average,wavelength(slot),index.
    static tConfig ParseConfig(const QString& reply);
    // The digits of `field`; throws EExchangeParameters when there are none.
    static int ParseNumber(const QString& field);
    // First index whose entry is `value`; 0 when none is.
    static int IndexOfValue(const QStringList& list, int value);
    // ";SYST:SET:CFG range,pulse,average,slot,index\r".
    static QByteArray ConfigCommand(const tParameters& values);
    // The whole size of a definite-length block from its header; -1 while
    // the header is incomplete; throws the invalid-file error for a header
    // that is none or announces more than kMaxFileSize.
    static qint64 AnnouncedSize(const QByteArray& block);
    // The bytes of a definite-length block; throws the invalid-file error
    // when `block` is not exactly one such block of at least 1000 bytes.
    static QByteArray CheckBlock(const QByteArray& block);
    // "yyMMdd_hhmmS" with S the tens of seconds.
    static QString FileBaseName(const QDateTime& time);
    // The first of folder/base.sor, folder/base(1).sor, ... that neither
    // exists nor is in `taken`.
    static QString FreeFileName(const QString& folder, const QString& base, const QStringList& taken);
    // The instrument's bytes as text (Windows-1251).
    static QString DecodeReply(const QByteArray& bytes);

public slots:
    // Asks the running command to stop at its next check. Safe from any
    // thread and from a signal handler.
    void CancelExchange() { bCancelled.store(true, std::memory_order_relaxed); }

signals:
    void sigExchangeEnd(CDeviceExchanger::tCommand cmd, QString errors, bool bCancelled, bool bCritical,
        CDeviceExchanger::tCommandRes res);
    void sigSetWaiting(int sec, bool bCanCancelled = false);
    void sigSetProgress(int cur, int total, bool bCanCancelled = false);

protected:
    void run() override;

private:
    tResult Execute();
    void Search();
    void Connect();
    void Disconnect();
    void SetParametersCommand();
    void Measurement(tCommandRes& res);
    void LoadAll(tCommandRes& res);
    void ClearMemory();
    void UpdateDateTime();

    tDeviceInfo Identify(IDeviceConnector& port);
    void ReadParameters();
    void WriteParameters();
    void StoreConfig(const tConfig& config);
    tLoadedFile LoadFile(int number, const tCommandRes& taken);
    // Reads one file block up to its announced length; false when cancelled.
    bool CollectBlock(QByteArray& block);
    // Drops whatever waits on the line, without waiting.
    void DropStale();
    // After a download stopped short: stops the instrument's transfer and
    // reads the line until it has been quiet for a moment.
    void Drain();
    // Emits the waiting time s + extra and pauses s seconds; true when cancelled.
    bool Wait(qint64 seconds, int extra);
    void Send(const QByteArray& command);
    QString Read();
    bool IsCancelled() const { return bCancelled.load(std::memory_order_relaxed); }
    QString WorkFolder() const;

    QSharedPointer<IDeviceConnector> connector;
    QString sErrors;
    QList<tDeviceInfo> devices;
    tDeviceInfo device;
    tParameters parameters;
    tAvailable available;
    std::atomic<bool> bCancelled { false };
    tCommand cmd = cmdNone;

    tConnectorFactory m_factory;
    CExchangeClock m_systemClock;
    IExchangeClock* m_pClock = &m_systemClock;
    // The last reply read was empty.
    bool m_bSilent = false;
    bool m_bLost = false;
    QString m_sWorkFolder;
    // From Exec until the end signal of that command.
    std::atomic<bool> m_bBusy { false };
    // The run only closes the link (the destructor's disconnect).
    bool m_bClosingOnly = false;
    // Whether the open port was opened by this object's own thread.
    bool m_bPortOnOwnThread = false;
};

Q_DECLARE_METATYPE(CDeviceExchanger::tCommandRes)
