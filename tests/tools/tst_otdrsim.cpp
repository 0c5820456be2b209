#include "CSimProcess.h"
#include "TestPaths.h"

#include <CFile.h>
#include <COtdrInstrument.h>
#include <CSimCommandLine.h>
#include <Exception.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

const QDateTime kClock(QDate(2026, 12, 5), QTime(14, 37, 48), Qt::UTC);

// Drives an instrument on a clock of its own: commands go in at the current
// time, and what falls due up to a time comes out.
class tBench
{
public:
    explicit tBench(const COtdrInstrument::tOptions& options) : instrument(options, kClock, 0)
    {
        instrument.log = [this](const QString& line) { log << line; };
    }

    // Sends one command and takes everything due within `afterMs`.
    QByteArray Ask(const QByteArray& command, qint64 afterMs = 200)
    {
        instrument.Receive(command + '\r', nowMs);
        return Advance(afterMs);
    }
    QByteArray Advance(qint64 ms)
    {
        nowMs += ms;
        QByteArray out;
        for (QByteArray bytes; !(bytes = instrument.Pending(nowMs, 1 << 20)).isEmpty();) {
            out += bytes;
            instrument.Consume(bytes.size());
            if (out.size() > (4 << 20))
                break;
        }
        return out;
    }

    COtdrInstrument instrument;
    QStringList log;
    qint64 nowMs = 0;
};

// The data of an IEEE 488.2 definite-length block, or a null array when the
// bytes are not exactly one such block.
QByteArray BlockData(const QByteArray& block)
{
    if (block.size() < 2 || block.at(0) != '#' || block.at(1) < '1' || block.at(1) > '9')
        return {};
    const int digits = block.at(1) - '0';
    bool ok = false;
    const qint64 length = block.mid(2, digits).toLongLong(&ok);
    if (!ok || length != block.size() - 2 - digits)
        return {};
    return block.mid(2 + digits);
}

std::unique_ptr<sor::CFile> LoadTrace(const QByteArray& data)
{
    quint32 warnings = 0;
    try {
        auto file = std::make_unique<sor::CFile>(QStringLiteral("download.sor"), data, warnings);
        return warnings == 0 ? std::move(file) : nullptr;
    } catch (const Exception&) {
        return nullptr;
    }
}

// The port side of the simulator's pseudo-terminal, with plain POSIX calls.
class tPort
{
public:
    ~tPort() { Close(); }
    bool Open(const QString& path)
    {
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return false;
        termios settings {};
        tcgetattr(m_fd, &settings);
        cfmakeraw(&settings);
        return tcsetattr(m_fd, TCSANOW, &settings) == 0;
    }
    void Close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    bool Send(const QByteArray& bytes)
    {
        return ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    // Reads until `done` holds for what arrived or nothing more comes for
    // `quietMs` milliseconds.
    template<typename Done> QByteArray Receive(Done done, int quietMs = 5000)
    {
        QByteArray bytes;
        char buffer[65536];
        while (!done(bytes)) {
            pollfd descriptor { m_fd, POLLIN, 0 };
            if (poll(&descriptor, 1, quietMs) <= 0)
                break;
            const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
            if (count > 0)
                bytes.append(buffer, int(count));
            else if (count < 0 && errno != EAGAIN)
                break;
        }
        return bytes;
    }
    QByteArray Line()
    {
        return Receive([](const QByteArray& bytes) { return bytes.endsWith('\n'); });
    }

private:
    int m_fd = -1;
};

} // namespace

// The instrument simulator: its protocol driven directly on an injected clock,
// its command line, and the program itself on a real pseudo-terminal.
class TstOtdrSim : public QObject
{
    Q_OBJECT

private slots:
    void identification();
    void modeCommandsOnlyInTheirMode();
    void probingLearnsTheTables();
    void configurationKeepsInvalidValues();
    void measurementTakesTheAnnouncedTime();
    void measuredTraceHasTheSettings();
    void memoryListsDownloadsAndClears();
    void storedTracesSameTime();
    void clockKeepsWhatWasSet();
    void faults_data();
    void faults();
    void endlessStreamStopsAtTheNextCommand();
    void commandLine_data();
    void commandLine();

    void program_servesOnePortAfterAnother();
    void program_downloadsBlockOverThePort();
};

void TstOtdrSim::identification()
{
    tBench bench({});
    // Maker, model, number after the numero sign of Windows-1251, and the
    // version from the eighth character of its part.
    QCOMPARE(bench.Ask("*IDN?"),
        QByteArray("Norvane,NR-3100,\xB9"
                   "1234,Ver.   2.05\n"));
    // Before the semicolon programs put, after blanks, in any mode.
    bench.Ask(";SYST:MODE 3");
    QCOMPARE(bench.Ask(" ;*idn? "),
        QByteArray("Norvane,NR-3100,\xB9"
                   "1234,Ver.   2.05\n"));
    // Commands may arrive in pieces.
    bench.instrument.Receive("*ID", bench.nowMs);
    QVERIFY(bench.Advance(100).isEmpty());
    bench.instrument.Receive("N?\r", bench.nowMs);
    QVERIFY(bench.Advance(100).startsWith("Norvane,"));
}

void TstOtdrSim::modeCommandsOnlyInTheirMode()
{
    tBench bench({});
    // Mode commands are never answered, and the configuration belongs to mode 2.
    QVERIFY(bench.Ask(";SYST:MODE 0").isEmpty());
    QVERIFY(bench.Ask(";SYST:AVA?").isEmpty());
    QVERIFY(bench.Ask(";SYST:SET:CFG?").isEmpty());
    QVERIFY(bench.Ask(";INIT").isEmpty());
    QVERIFY(bench.Ask(";MMEM:FREE?").isEmpty());
    QVERIFY(bench.log.filter(QStringLiteral("not in mode")).size() == 4);
    QVERIFY(bench.Ask(";SYST:MODE 2").isEmpty());
    QCOMPARE(bench.Ask(";SYST:AVA?"), QByteArray("1310,1550,0,1625\n"));
    QCOMPARE(bench.Ask(";SYST:SET:CFG?"), QByteArray("CFG,16km,300ns,15s,1310(0),1.4682\n"));
    QVERIFY(bench.Ask(";MMEM:FREE?").isEmpty());
    QVERIFY(bench.Ask(";SYST:DATE 01,01,2027").isEmpty());
    QVERIFY(bench.Ask(";NO:SUCH:COMMAND").isEmpty());
    QCOMPARE(bench.instrument.Clock(bench.nowMs).date(), kClock.date());
}

void TstOtdrSim::probingLearnsTheTables()
{
    COtdrInstrument::tOptions options;
    options.ranges = { 4, 16, 64 };
    options.pulses = { 10, 30, 100, 300, 1000 };
    options.averages = { 15, 30, 60, 180 };
    tBench bench(options);
    bench.Ask(";SYST:MODE 2");
    // The program's probing: the same index in all three places, until a
    // pass adds nothing. Past its end a selector stays at its last value.
    QStringList ranges, pulses, averages;
    int passes = 0;
    for (int i = 0; i < 10; ++i) {
        ++passes;
        const QByteArray reply = bench.Ask(";SYST:SET:CFG " + QByteArray::number(i) + ',' + QByteArray::number(i) + ','
            + QByteArray::number(i) + ",1,1.4682");
        QVERIFY2(reply.startsWith("CFG,") && reply.endsWith('\n'), reply.constData());
        const QStringList parts = QString::fromLatin1(reply.chopped(1)).split(QLatin1Char(','));
        QCOMPARE(parts.size(), 6);
        QCOMPARE(parts.at(4), QStringLiteral("1550(1)"));
        bool grew = false;
        for (auto [list, part] : { std::pair { &ranges, parts.at(1) }, std::pair { &pulses, parts.at(2) },
                 std::pair { &averages, parts.at(3) } }) {
            const QString value = QString(part).remove(QRegularExpression(QStringLiteral("\\D+")));
            if (!list->contains(value)) {
                list->append(value);
                grew = true;
            }
        }
        if (!grew)
            break;
    }
    QCOMPARE(passes, 6);
    QCOMPARE(ranges, (QStringList { "4", "16", "64" }));
    QCOMPARE(pulses, (QStringList { "10", "30", "100", "300", "1000" }));
    QCOMPARE(averages, (QStringList { "15", "30", "60", "180" }));
}

void TstOtdrSim::configurationKeepsInvalidValues()
{
    tBench bench({});
    bench.Ask(";SYST:MODE 2");
    QCOMPARE(bench.Ask(";SYST:SET:CFG 1,2,3,3,1.5"), QByteArray("CFG,4km,100ns,180s,1625(3),1.5\n"));
    // An empty slot, a slot past the end and an index of refraction outside
    // 1.4 to 1.6 leave those settings as they were.
    QCOMPARE(bench.Ask(";SYST:SET:CFG 0,0,0,2,1.7"), QByteArray("CFG,2km,10ns,15s,1625(3),1.5\n"));
    QCOMPARE(bench.Ask(";SYST:SET:CFG 0,0,0,9,abc"), QByteArray("CFG,2km,10ns,15s,1625(3),1.5\n"));
    // A malformed command changes nothing but is answered all the same.
    QCOMPARE(bench.Ask(";SYST:SET:CFG 5,5"), QByteArray("CFG,2km,10ns,15s,1625(3),1.5\n"));
    QCOMPARE(bench.Ask(";SYST:SET:CFG -1,99,1,0,1.40000"), QByteArray("CFG,2km,3000ns,30s,1310(0),1.4\n"));
}

void TstOtdrSim::measurementTakesTheAnnouncedTime()
{
    COtdrInstrument::tOptions options;
    options.timeScale = 0.1;
    options.overrun = 0.5;
    tBench bench(options);
    bench.Ask(";SYST:MODE 2");
    bench.Ask(";SYST:SET:CFG 2,2,2,1,1.4682"); // 60 s of averaging
    bench.Ask(";SYST:MODE 1");
    QCOMPARE(bench.Ask(";INIT", 700), QByteArray("6\n"));
    // Busy for the six seconds announced and the half second of overrun:
    // not even the identification is answered.
    QVERIFY(bench.Ask("*IDN?", 5000).isEmpty());
    QVERIFY(bench.instrument.Busy(bench.nowMs));
    QVERIFY(bench.Ask("*IDN?", 800).isEmpty());
    QVERIFY(!bench.instrument.Busy(bench.nowMs));
    QVERIFY(bench.Ask("*IDN?").startsWith("Norvane,"));

    // Without a time scale the measurement is over at once.
    COtdrInstrument::tOptions quick;
    quick.timeScale = 0;
    tBench fast(quick);
    fast.Ask(";SYST:MODE 1");
    QCOMPARE(fast.Ask(";INIT"), QByteArray("0\n"));
    QVERIFY(fast.Ask("*IDN?").startsWith("Norvane,"));
}

void TstOtdrSim::measuredTraceHasTheSettings()
{
    COtdrInstrument::tOptions options;
    options.timeScale = 0;
    tBench bench(options);
    bench.Ask(";SYST:MODE 3");
    // Nothing measured yet: file 0 is an empty block.
    QCOMPARE(bench.Ask(";MMEM:LOAD:FILE? 0"), QByteArray("#10"));

    bench.Ask(";SYST:MODE 2");
    bench.Ask(";SYST:SET:CFG 3,1,0,3,1.4755");
    bench.Ask(";SYST:MODE 1");
    QCOMPARE(bench.Ask(";INIT"), QByteArray("0\n"));
    bench.Ask(";SYST:MODE 3");
    const QByteArray first = BlockData(bench.Ask(";MMEM:LOAD:FILE? 0"));
    QVERIFY(first.size() > 1000);
    const auto trace = LoadTrace(first);
    QVERIFY(trace);
    QCOMPARE(int(trace->GeneralParameters().wavelength), 1625);
    QCOMPARE(int(trace->FixedParameters().pulseWidth), 30);
    QCOMPARE(trace->FixedParameters().groupIndex.Value(), 1.4755f);
    QCOMPARE(static_cast<const QString&>(trace->SupplierParameters().mainframeId), QStringLiteral("NR-3100"));
    // Time stamped with the instrument's clock; the range covers the fibre.
    QVERIFY(qAbs(trace->FixedParameters().dateTime.secsTo(kClock)) < 10);
    const double rangeKm = trace->FixedParameters().acquisitionRange.Value() * 299792458.0 / 1.4755 / 1e9 / 1000.0;
    QVERIFY2(rangeKm > 8 && rangeKm < 16.5, qPrintable(QString::number(rangeKm)));

    // Each measurement is a fresh trace.
    bench.Ask(";SYST:MODE 1");
    bench.Ask(";INIT");
    bench.Ask(";SYST:MODE 3");
    const QByteArray second = BlockData(bench.Ask(";MMEM:LOAD:FILE? 0"));
    QVERIFY(LoadTrace(second));
    QVERIFY(second != first);
}

void TstOtdrSim::memoryListsDownloadsAndClears()
{
    COtdrInstrument::tOptions options;
    options.stored = 4;
    tBench bench(options);
    bench.Ask(";SYST:MODE 3");
    const QByteArray free = bench.Ask(";MMEM:FREE?");
    QVERIFY2(free.startsWith("4,") && free.endsWith('\n'), free.constData());
    QSet<QDateTime> times;
    QSet<int> wavelengths;
    for (int n = 1; n <= 4; ++n) {
        const QByteArray data = BlockData(bench.Ask(";MMEM:LOAD:FILE? " + QByteArray::number(n)));
        const auto trace = LoadTrace(data);
        QVERIFY2(trace, qPrintable(QString::number(n)));
        times.insert(trace->FixedParameters().dateTime);
        wavelengths.insert(int(trace->GeneralParameters().wavelength));
    }
    // One a minute, on the wavelengths fitted (slot 2 is empty).
    QCOMPARE(times.size(), 4);
    QCOMPARE(wavelengths, (QSet<int> { 1310, 1550, 1625 }));
    QCOMPARE(bench.Ask(";MMEM:LOAD:FILE? 5"), QByteArray("#10"));
    QCOMPARE(bench.Ask(";MMEM:LOAD:FILE? x"), QByteArray("#10"));

    // Clearing works in any mode, as the program sends it without one.
    bench.Ask(";SYST:MODE 2");
    QVERIFY(bench.Ask(";MMEM:INIT").isEmpty());
    QCOMPARE(bench.instrument.StoredCount(), 0);
    bench.Ask(";SYST:MODE 3");
    QCOMPARE(bench.Ask(";MMEM:FREE?"), QByteArray("0,16777216\n"));
}

void TstOtdrSim::storedTracesSameTime()
{
    COtdrInstrument::tOptions options;
    options.stored = 3;
    options.storedSameTime = true;
    tBench bench(options);
    bench.Ask(";SYST:MODE 3");
    QSet<QDateTime> times;
    for (int n = 1; n <= 3; ++n)
        times.insert(
            LoadTrace(BlockData(bench.Ask(";MMEM:LOAD:FILE? " + QByteArray::number(n))))->FixedParameters().dateTime);
    QCOMPARE(times.size(), 1);
}

void TstOtdrSim::clockKeepsWhatWasSet()
{
    tBench bench({});
    bench.Ask(";SYST:MODE 6");
    QVERIFY(bench.Ask(";SYST:DATE 09,03,2027").isEmpty());
    QVERIFY(bench.Ask(";SYST:TIME 09,07,03").isEmpty());
    QVERIFY(bench.log.last().contains(QStringLiteral("clock set to 2027-03-09 09:07:03")));
    // Invalid values are refused.
    bench.Ask(";SYST:DATE 31,02,2027");
    bench.Ask(";SYST:TIME 25,00,00");
    QCOMPARE(bench.log.filter(QStringLiteral("ignored")).size(), 2);
    // The clock runs on from what was set, and says so in the log.
    bench.Advance(60000);
    QCOMPARE(bench.Ask(";SYST:TIME?"), QByteArray("09,08,03\n"));
    QCOMPARE(bench.Ask(";SYST:DATE?"), QByteArray("09,03,2027\n"));
    QVERIFY(!bench.log.filter(QStringLiteral("clock shows 2027-03-09 09:08:03")).isEmpty());
    // Later measurements carry the clock's time.
    bench.Ask(";SYST:MODE 1");
    bench.Ask(";INIT", 20000);
    bench.Ask(";SYST:MODE 3");
    const auto trace = LoadTrace(BlockData(bench.Ask(";MMEM:LOAD:FILE? 0", 1000)));
    QVERIFY(trace);
    QCOMPARE(trace->FixedParameters().dateTime.date(), QDate(2027, 3, 9));
}

void TstOtdrSim::faults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("no-reply") << "no-reply";
    QTest::newRow("garbled-id") << "garbled-id";
    QTest::newRow("cfg-index") << "cfg-index";
    QTest::newRow("wrong-length") << "wrong-length";
    QTest::newRow("truncated") << "truncated";
    QTest::newRow("slow") << "slow";
}

void TstOtdrSim::faults()
{
    QFETCH(QString, fault);
    COtdrInstrument::tOptions options;
    QVERIFY(COtdrInstrument::FaultFromName(fault, options.fault));
    QCOMPARE(COtdrInstrument::FaultName(options.fault), fault);
    tBench bench(options);

    if (fault == QLatin1String("slow")) {
        // Nothing within the 200 ms a program waits; all of it later, in order.
        QVERIFY(bench.Ask("*IDN?").isEmpty());
        QVERIFY(bench.Ask(";SYST:MODE 3", 100).isEmpty());
        QVERIFY(bench.Ask(";MMEM:LOAD:FILE? 1", 300).startsWith("Norvane,NR-3100,"));
        QVERIFY(!BlockData(bench.Advance(600)).isEmpty());
        return;
    }
    const QByteArray id = bench.Ask("*IDN?");
    bench.Ask(";SYST:MODE 2");
    const QByteArray config = bench.Ask(";SYST:SET:CFG?");
    bench.Ask(";SYST:MODE 3");
    const QByteArray block = bench.Ask(";MMEM:LOAD:FILE? 1");

    if (fault == QLatin1String("no-reply")) {
        QVERIFY(id.isEmpty() && config.isEmpty() && block.isEmpty());
        QCOMPARE(bench.instrument.NextDue(), -1);
    } else if (fault == QLatin1String("garbled-id")) {
        QVERIFY(!id.isEmpty());
        QVERIFY(id.chopped(1).split(',').size() != 4);
        QVERIFY(!BlockData(block).isEmpty());
    } else if (fault == QLatin1String("cfg-index")) {
        QCOMPARE(config, QByteArray("CFG,16km,300ns,15s,1310(0),1.3\n"));
    } else if (fault == QLatin1String("wrong-length")) {
        // The digits claim one byte less than follows.
        QVERIFY(BlockData(block).isEmpty());
        const int digits = block.at(1) - '0';
        QCOMPARE(block.mid(2, digits).toLongLong() + 1, block.size() - 2 - digits);
    } else if (fault == QLatin1String("truncated")) {
        QVERIFY(BlockData(block).isEmpty());
        const int digits = block.at(1) - '0';
        QVERIFY(block.mid(2, digits).toLongLong() > 2 * (block.size() - 3 - digits));
    }
}

void TstOtdrSim::endlessStreamStopsAtTheNextCommand()
{
    COtdrInstrument::tOptions options;
    options.fault = COtdrInstrument::FaultEndless;
    tBench bench(options);
    bench.Ask(";SYST:MODE 3");
    // Megabytes after a complete block, and still more to come.
    QByteArray stream = bench.Ask(";MMEM:LOAD:FILE? 1");
    QVERIFY(stream.size() > (4 << 20));
    QVERIFY(stream.startsWith("#5"));
    QVERIFY(!bench.instrument.Pending(bench.nowMs, 100).isEmpty());
    // The next command stops it.
    const QByteArray free = bench.Ask(";MMEM:FREE?");
    QVERIFY2(free.startsWith("3,") && free.endsWith('\n'), free.left(40).constData());
    QCOMPARE(bench.instrument.NextDue(), -1);
}

void TstOtdrSim::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("valid");
    QTest::newRow("none") << QStringList() << true;
    QTest::newRow("all") << QStringList { "--stored", "7", "--same-time", "--time-scale", "0.01", "--overrun", "2",
        "--wavelengths", "1310,0,1550", "--ranges", "1,2", "--pulses", "5,10", "--averages", "3", "--fault",
        "truncated", "--reply-delay", "900", "--seed", "9", "--link", "/tmp/x", "--number", "77" }
                         << true;
    QTest::newRow("unknown option") << QStringList { "--colour", "red" } << false;
    QTest::newRow("unknown option last") << QStringList { "--colour" } << false;
    QTest::newRow("missing value") << QStringList { "--stored" } << false;
    QTest::newRow("negative count") << QStringList { "--stored", "-1" } << false;
    QTest::newRow("unknown fault") << QStringList { "--fault", "fire" } << false;
    QTest::newRow("wavelength out of band") << QStringList { "--wavelengths", "850" } << false;
    QTest::newRow("eleven ranges") << QStringList { "--ranges", "1,2,3,4,5,6,7,8,9,10,11" } << false;
    QTest::newRow("zero pulse") << QStringList { "--pulses", "0,10" } << false;
    QTest::newRow("comma in model") << QStringList { "--model", "A,B" } << false;
}

void TstOtdrSim::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, valid);
    CSimCommandLine commandLine;
    QString error;
    QCOMPARE(commandLine.Parse(arguments, error), valid);
    QCOMPARE(error.isEmpty(), valid);
    if (arguments.contains(QStringLiteral("--same-time"))) {
        const COtdrInstrument::tOptions& o = commandLine.instrument;
        QCOMPARE(o.stored, 7);
        QVERIFY(o.storedSameTime);
        QCOMPARE(o.timeScale, 0.01);
        QCOMPARE(o.wavelengths, (QList<int> { 1310, 0, 1550 }));
        QCOMPARE(o.fault, COtdrInstrument::FaultTruncated);
        QCOMPARE(o.replyDelayMs, 900);
        QCOMPARE(commandLine.linkPath, QStringLiteral("/tmp/x"));
        QCOMPARE(o.number, QStringLiteral("77"));
    }
}

void TstOtdrSim::program_servesOnePortAfterAnother()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--number"), QStringLiteral("5678") }));
    const QString path = sim.Port();
    // One program after another opens the port: the line stays up between.
    for (int round = 0; round < 2; ++round) {
        tPort port;
        QVERIFY(port.Open(path));
        QVERIFY(port.Send("*IDN?\r"));
        QCOMPARE(port.Line(),
            QByteArray("Norvane,NR-3100,\xB9"
                       "5678,Ver.   2.05\n"));
        QVERIFY(port.Send(";SYST:MODE 2\r;SYST:SET:CFG 0,0,0,1,1.47\r"));
        QCOMPARE(port.Line(), QByteArray("CFG,2km,10ns,15s,1550(1),1.47\n"));
    }
    // SIGUSR1 shows the instrument's clock in the log.
    QVERIFY(::kill(pid_t(sim.ProcessId()), SIGUSR1) == 0);
    QVERIFY(sim.WaitForLog(QStringLiteral("clock shows ")));
    const QString clock = QStringLiteral("clock shows ");
    QVERIFY(sim.Log().contains(clock + QDate::currentDate().toString(Qt::ISODate))
        || sim.Log().contains(clock + QDate::currentDate().addDays(1).toString(Qt::ISODate)));

    // The log shows what arrived; SIGTERM ends the program.
    QCOMPARE(sim.Terminate(), 0);
    const QString log = sim.Log();
    QCOMPARE(log.count(QStringLiteral("<- *IDN?\\r")), 2);
    QVERIFY(log.contains(QStringLiteral("-> CFG,2km,10ns,15s,1550(1),1.47\\n")));
}

void TstOtdrSim::program_downloadsBlockOverThePort()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--stored"), QStringLiteral("2") }));
    const QString path = sim.Port();
    tPort port;
    QVERIFY(port.Open(path));
    QVERIFY(port.Send(";SYST:MODE 3\r;MMEM:FREE?\r"));
    QVERIFY(port.Line().startsWith("2,"));
    QVERIFY(port.Send(";MMEM:LOAD:FILE? 2\r"));
    const QByteArray block = port.Receive([](const QByteArray& bytes) { return !BlockData(bytes).isEmpty(); });
    QVERIFY(LoadTrace(BlockData(block)));

    // A second simulator with a link to its port, removed when it stops.
    CSimProcess second;
    const QString link
        = QDir::temp().filePath(QStringLiteral("otdr-sim-test-%1").arg(QCoreApplication::applicationPid()));
    QVERIFY(second.Start({ QStringLiteral("--link"), link }));
    QVERIFY(QFileInfo(link).isSymLink());
    tPort linked;
    QVERIFY(linked.Open(link));
    QVERIFY(linked.Send("*IDN?\r"));
    QVERIFY(linked.Line().startsWith("Norvane,"));
    QCOMPARE(second.Terminate(), 0);
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
}

QTEST_GUILESS_MAIN(TstOtdrSim)
#include "tst_otdrsim.moc"
