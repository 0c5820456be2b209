#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <deque>
#include <functional>

// A hand-held reflectometer as the program meets it on its serial line: it
// takes SCPI-like text commands that end in a carriage return and answers
// with text replies that end in a line feed, or with IEEE 488.2
// definite-length blocks for trace files.
//
// The instrument knows nothing about the line it sits on: the caller feeds it
// the bytes it receives together with the time, and takes the bytes that are
// due for sending. Time is milliseconds of a monotonic clock of the caller's
// choice, so tests can drive it without sleeping.
//
// Commands a mode belongs to are obeyed only in that mode: the configuration
// in mode 2, the measurement in mode 1, the memory in mode 3 and the clock in
// mode 6; ";SYST:MODE n" is never answered. While a measurement runs the
// instrument answers nothing, not even "*IDN?". File 0 is the trace of the
// last measurement, files 1 to N the traces kept in memory.
class COtdrInstrument
{
public:
    enum tFault {
        FaultNone,
        // Nothing is ever answered.
        FaultNoReply,
        // The identification is not four comma-separated parts.
        FaultGarbledId,
        // Configuration replies carry an index of refraction out of 1.4 to 1.6.
        FaultConfigIndex,
        // The length digits of a file block claim one byte less than follows.
        FaultWrongLength,
        // A file block stops halfway through its announced length.
        FaultTruncated,
        // Every reply comes `replyDelayMs` late.
        FaultSlow,
        // A file block never ends.
        FaultEndless,
    };

    struct tOptions
    {
        QString maker = QStringLiteral("Norvane");
        QString model = QStringLiteral("NR-3100");
        QString number = QStringLiteral("1234");
        QString version = QStringLiteral("2.05");
        // Wavelength slots, nm; 0 is an empty slot.
        QList<int> wavelengths { 1310, 1550, 0, 1625 };
        // Distance ranges, km.
        QList<int> ranges { 2, 4, 8, 16, 32, 64, 128 };
        // Pulse widths, ns.
        QList<int> pulses { 10, 30, 100, 300, 1000, 3000 };
        // Averaging times, s.
        QList<int> averages { 15, 30, 60, 180 };
        // Traces in memory at the start.
        int stored = 3;
        // All stored traces carry one time stamp instead of one a minute.
        bool storedSameTime = false;
        // The announced measuring time is the averaging time times this.
        double timeScale = 1.0;
        // Seconds a measurement runs past the time it announced.
        double overrun = 0;
        tFault fault = FaultNone;
        // Delay of every reply with FaultSlow.
        int replyDelayMs = 600;
        quint32 seed = 1;
    };

    // `clock` is the instrument's wall clock at `nowMs`.
    COtdrInstrument(const tOptions& options, const QDateTime& clock, qint64 nowMs);

    // Names of the faults as given on the command line; FaultNone has none.
    static QString FaultName(tFault fault);
    static bool FaultFromName(const QString& name, tFault& fault);

    // Takes bytes from the line; every complete command is carried out.
    void Receive(const QByteArray& bytes, qint64 nowMs);
    // The bytes due for sending at `nowMs` (at most `limit`); they count as
    // sent only through Consume.
    QByteArray Pending(qint64 nowMs, qint64 limit) const;
    void Consume(qint64 count);
    // When the next reply falls due: `nowMs` or earlier when one is due now,
    // -1 when nothing waits.
    qint64 NextDue() const;

    // The instrument's wall clock at `nowMs`.
    QDateTime Clock(qint64 nowMs) const;
    int StoredCount() const { return int(m_stored.size()); }
    bool Busy(qint64 nowMs) const { return nowMs < m_busyUntilMs; }

    // Where the instrument says what it received and did, one line a call.
    std::function<void(const QString&)> log;

private:
    struct tReply
    {
        qint64 dueMs = 0;
        QByteArray bytes;
        // A file block: a later command cuts it short.
        bool bTransfer = false;
        // Bytes sent after `bytes`, without end.
        bool bEndless = false;
        qint64 sent = 0;
    };

    void Execute(const QByteArray& command, qint64 nowMs);
    void Reply(const QByteArray& text, qint64 nowMs);
    void ReplyBlock(const QByteArray& data, qint64 nowMs);
    void Log(const QString& text) const;

    QByteArray Identification() const;
    QByteArray Configuration() const;
    void SetConfiguration(const QByteArray& arguments);
    void StartMeasurement(qint64 nowMs);
    void SetClock(const QByteArray& arguments, bool date, qint64 nowMs);
    QByteArray ClockReply(bool date, qint64 nowMs) const;
    // A trace file as this instrument writes it, with the settings given.
    QByteArray Trace(
        int range, int pulse, int average, int slot, float groupIndex, const QDateTime& time, quint32 seed) const;

    tOptions m_options;
    QDateTime m_clockBase;
    qint64 m_clockBaseMs = 0;
    QByteArray m_input;
    std::deque<tReply> m_replies;

    int m_mode = 0;
    int m_range = 0;
    int m_pulse = 0;
    int m_average = 0;
    int m_slot = 0;
    float m_groupIndex = 1.4682f;
    qint64 m_busyUntilMs = 0;
    quint32 m_nextSeed = 0;
    QByteArray m_lastMeasurement;
    QList<QByteArray> m_stored;
};
