#include "CSimProcess.h"
#include "TestPaths.h"

#include <CFile.h>
#include <Exception.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

namespace {

struct tRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The options that keep a simulated measurement short.
const QStringList kQuick { QStringLiteral("--time-scale"), QStringLiteral("0") };

std::unique_ptr<sor::CFile> Load(const QString& path)
{
    quint32 warnings = 0;
    try {
        auto file = std::make_unique<sor::CFile>(path, warnings);
        return warnings == 0 ? std::move(file) : nullptr;
    } catch (const Exception&) {
        return nullptr;
    }
}

} // namespace

// lumetrix-sor device, run as the user runs it against the instrument
// simulator on a pseudo-terminal: what it prints, the files it writes, what
// the instrument received, and its exit codes.
class TstLumetrixSorDevice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void ports_listsNamedPortsLast();
    void search_findsTheSimulator();
    void params_showsLearnedLists();
    void measure_writesTraceWithSettings();
    void measure_refusesBadSettings_data();
    void measure_refusesBadSettings();
    void measure_cancelledByInterrupt();
    void download_writesEveryTraceUnderItsOwnName();
    void download_deleteAfterAndClear();
    void clock_setsTheInstrumentClock();
    void faults_endWithTheirMessages_data();
    void faults_endWithTheirMessages();
    void usageErrors_data();
    void usageErrors();

private:
    tRun Run(const QStringList& arguments, const QStringList& extraPorts = {}) const;
    QStringList Files() const { return QDir(m_dir->path()).entryList({ QStringLiteral("*.sor") }, QDir::Files); }

    QString m_tool;
    std::unique_ptr<QTemporaryDir> m_dir;
};

tRun TstLumetrixSorDevice::Run(const QStringList& arguments, const QStringList& extraPorts) const
{
    tRun run;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LUMETRIX_SERIAL_PORTS"), extraPorts.join(QDir::listSeparator()));
    process.setProcessEnvironment(environment);
    process.start(m_tool, QStringList { QStringLiteral("device") } + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

void TstLumetrixSorDevice::initTestCase()
{
    m_tool = TestPaths::BinDir() + QStringLiteral("/lumetrix-sor");
    QVERIFY2(QFileInfo(m_tool).isExecutable(), qPrintable(m_tool));
}

void TstLumetrixSorDevice::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstLumetrixSorDevice::ports_listsNamedPortsLast()
{
    // The enumerated ports come first; the named ones follow, the command
    // line's before the environment's, each once.
    const tRun run = Run({ QStringLiteral("ports"), QStringLiteral("--serial-port"), QStringLiteral("/dev/ttyX1") },
        { QStringLiteral("/dev/ttyX2"), QStringLiteral("/dev/ttyX1") });
    QCOMPARE(run.exitCode, 0);
    const QStringList ports = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(ports.size() >= 2);
    QCOMPARE(ports.mid(ports.size() - 2), (QStringList { "/dev/ttyX1", "/dev/ttyX2" }));
}

void TstLumetrixSorDevice::search_findsTheSimulator()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--model"), QStringLiteral("TR-7"), QStringLiteral("--number"),
        QStringLiteral("0042"), QStringLiteral("--version"), QStringLiteral("3.1") }));
    CSimProcess silent;
    QVERIFY(silent.Start({ QStringLiteral("--fault"), QStringLiteral("no-reply") }));
    const tRun run = Run({ QStringLiteral("search") }, { silent.Port(), sim.Port() });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("%1\tTR-7\t0042\t3.1\n").arg(sim.Port()));
    QVERIFY(silent.Log().contains(QStringLiteral("<- *IDN?\\r")));

    // Only the silent one: nothing found, the program's message.
    const tRun none = Run({ QStringLiteral("search") }, { silent.Port() });
    QCOMPARE(none.exitCode, 2);
    QVERIFY(none.out.isEmpty());
    QVERIFY2(none.err.startsWith(QStringLiteral("Devices not found\nCan not be found devices or ports.")),
        qPrintable(none.err));
}

void TstLumetrixSorDevice::params_showsLearnedLists()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--ranges"), QStringLiteral("4,16,64"), QStringLiteral("--pulses"),
        QStringLiteral("10,30,100,300,1000"), QStringLiteral("--averages"), QStringLiteral("15,30,60,180"),
        QStringLiteral("--wavelengths"), QStringLiteral("0,1550,1625") }));
    const tRun run = Run({ QStringLiteral("params"), QStringLiteral("--port"), sim.Port() });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out,
        QStringLiteral("Port: %1\n"
                       "Model: NR-3100\n"
                       "Number: 1234\n"
                       "Version: 2.05\n"
                       "Wavelengths, nm: 0, 1550, 1625\n"
                       "Ranges, km: 4, 16, 64\n"
                       "Pulse widths, ns: 10, 30, 100, 300, 1000\n"
                       "Averaging times, s: 15, 30, 60, 180\n"
                       "Wavelength: slot 1, 1550 nm\n"
                       "Range: index 1, 16 km\n"
                       "Pulse width: index 2, 100 ns\n"
                       "Averaging time: index 0, 15 s\n"
                       "Index: 1.46820\n")
            .arg(sim.Port()));
    // Learned in six passes, set back as it was, then back to idle.
    const QString log = sim.Log();
    QCOMPARE(log.count(QStringLiteral("<- ;SYST:SET:CFG ")), 7);
    QVERIFY(log.contains(QStringLiteral("<- ;SYST:SET:CFG 5,5,5,1,1.4682\\r")));
    QVERIFY(log.contains(QStringLiteral("<- ;SYST:SET:CFG 1,2,0,1,1.4682\\r")));
    QVERIFY(log.trimmed().endsWith(QStringLiteral("mode 0")));
}

void TstLumetrixSorDevice::measure_writesTraceWithSettings()
{
    CSimProcess sim;
    QVERIFY(sim.Start(kQuick));
    const tRun run = Run({ QStringLiteral("measure"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--to"),
        m_dir->path(), QStringLiteral("--range"), QStringLiteral("1"), QStringLiteral("--pulse"), QStringLiteral("2"),
        QStringLiteral("--average"), QStringLiteral("1"), QStringLiteral("--wavelength"), QStringLiteral("3"),
        QStringLiteral("--index"), QStringLiteral("1.4711") });
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QCOMPARE(Files().size(), 1);
    const QString path = QDir(m_dir->path()).filePath(Files().front());
    QCOMPARE(run.out, path + QLatin1Char('\n'));
    QVERIFY(sim.Log().contains(QStringLiteral("<- ;SYST:SET:CFG 1,2,1,3,1.4711\\r")));

    // The trace the instrument measured with those settings, under a name
    // made of its time, and one that the checking command accepts.
    const auto trace = Load(path);
    QVERIFY(trace);
    QCOMPARE(int(trace->GeneralParameters().wavelength), 1625);
    QCOMPARE(int(trace->FixedParameters().pulseWidth), 100);
    QCOMPARE(trace->FixedParameters().groupIndex.Value(), 1.4711f);
    QCOMPARE(Files().front().left(11), trace->FixedParameters().dateTime.toString(QStringLiteral("yyMMdd_hhmm")));
    QProcess check;
    check.start(m_tool, { QStringLiteral("check"), path });
    QVERIFY(check.waitForFinished(30000));
    QCOMPARE(check.exitCode(), 0);
}

void TstLumetrixSorDevice::measure_refusesBadSettings_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    QTest::newRow("range") << QStringList { "--range", "7" } << "The range index 7 is not one of 0 to 6.";
    QTest::newRow("empty slot") << QStringList { "--wavelength", "2" }
                                << "The wavelength slot 2 holds no wavelength (slots: 1310, 1550, 0, 1625).";
    QTest::newRow("index") << QStringList { "--index", "1.7" }
                           << "Parameter GI is invalid value 1.7. Enter real number between 1.40000 and 1.60000";
}

void TstLumetrixSorDevice::measure_refusesBadSettings()
{
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    CSimProcess sim;
    QVERIFY(sim.Start(kQuick));
    const tRun run = Run(QStringList { QStringLiteral("measure"), QStringLiteral("--port"), sim.Port(),
                             QStringLiteral("--to"), m_dir->path() }
        + options);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err, message + QLatin1Char('\n'));
    // Nothing measured, nothing written, and the instrument left idle.
    QVERIFY(!sim.Log().contains(QStringLiteral("<- ;INIT")));
    QVERIFY(Files().isEmpty());
    QVERIFY(sim.Log().trimmed().endsWith(QStringLiteral("mode 0")));
}

void TstLumetrixSorDevice::measure_cancelledByInterrupt()
{
    // A measurement that announces 15 s; Ctrl+C while the program waits.
    CSimProcess sim;
    QVERIFY(sim.Start({}));
    QProcess process;
    process.start(m_tool,
        { QStringLiteral("device"), QStringLiteral("measure"), QStringLiteral("--port"), sim.Port(),
            QStringLiteral("--to"), m_dir->path(), QStringLiteral("--average"), QStringLiteral("0") });
    QVERIFY(process.waitForStarted());
    QVERIFY(sim.WaitForLog(QStringLiteral("measuring "), 30000));
    QVERIFY(::kill(pid_t(process.processId()), SIGINT) == 0);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 3);
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardError()), QStringLiteral("Cancelled.\n"));
    QVERIFY(Files().isEmpty());
    // It still said goodbye to the instrument (which, busy, did not listen).
    QVERIFY(sim.WaitForLog(QStringLiteral("<- ;SYST:MODE 0\\r")));
}

void TstLumetrixSorDevice::download_writesEveryTraceUnderItsOwnName()
{
    // Traces with one time stamp: one name each all the same, and a
    // file already in the folder is neither overwritten nor reused.
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--stored"), QStringLiteral("2"), QStringLiteral("--same-time") }));
    const tRun first = Run(
        { QStringLiteral("download"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--to"), m_dir->path() });
    QCOMPARE(first.exitCode, 0);
    const QStringList names = Files();
    QCOMPARE(names.size(), 2);
    const QString base = names.filter(QRegularExpression(QStringLiteral("^\\d{6}_\\d{5}\\.sor$"))).value(0).chopped(4);
    QVERIFY2(!base.isEmpty(), qPrintable(names.join(QLatin1Char(' '))));
    QCOMPARE(QSet<QString>(names.begin(), names.end()), (QSet<QString> { base + ".sor", base + "(1).sor" }));
    QCOMPARE(first.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 2);
    for (const QString& name : names)
        QVERIFY2(Load(QDir(m_dir->path()).filePath(name)), qPrintable(name));
    // Without --delete-after the memory is kept.
    QVERIFY(!sim.Log().contains(QStringLiteral("memory cleared")));

    QFile mine(QDir(m_dir->path()).filePath(base + "(1).sor"));
    QVERIFY(mine.open(QIODevice::ReadOnly));
    const QByteArray before = mine.readAll();
    mine.close();
    const tRun second = Run(
        { QStringLiteral("download"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--to"), m_dir->path() });
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(Files().size(), 4);
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), before);
    QVERIFY(Files().contains(base + "(3).sor"));
}

void TstLumetrixSorDevice::download_deleteAfterAndClear()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--stored"), QStringLiteral("2") }));
    const tRun run = Run({ QStringLiteral("download"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--to"),
        m_dir->path(), QStringLiteral("--delete-after") });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(Files().size(), 2);
    QVERIFY(sim.Log().contains(QStringLiteral("memory cleared")));
    // The memory is empty now: the program's message, not critical.
    const tRun empty = Run(
        { QStringLiteral("download"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--to"), m_dir->path() });
    QCOMPARE(empty.exitCode, 2);
    QCOMPARE(empty.err, QStringLiteral("Device is empty\n"));
    QCOMPARE(Files().size(), 2);

    // Clearing a memory that holds traces.
    CSimProcess full;
    QVERIFY(full.Start({ QStringLiteral("--stored"), QStringLiteral("4") }));
    const tRun clear = Run({ QStringLiteral("clear"), QStringLiteral("--port"), full.Port() });
    QCOMPARE(clear.exitCode, 0);
    QVERIFY(clear.out.isEmpty() && clear.err.isEmpty());
    QVERIFY(full.Log().contains(QStringLiteral("<- ;MMEM:INIT\\r")));
    QVERIFY(full.Log().contains(QStringLiteral("memory cleared")));
}

void TstLumetrixSorDevice::clock_setsTheInstrumentClock()
{
    CSimProcess sim;
    QVERIFY(sim.Start({}));
    const QDate today = QDate::currentDate();
    const tRun run = Run({ QStringLiteral("clock"), QStringLiteral("--port"), sim.Port() });
    QCOMPARE(run.exitCode, 0);
    const QString log = sim.Log();
    // Two-digit fields, in mode 6; the instrument keeps what it got.
    QVERIFY(log.contains(QStringLiteral("<- ;SYST:MODE 6\\r")));
    QVERIFY(log.contains(QRegularExpression(QStringLiteral("<- ;SYST:DATE \\d\\d,\\d\\d,\\d{4}\\\\r"))));
    QVERIFY(log.contains(QRegularExpression(QStringLiteral("<- ;SYST:TIME \\d\\d,\\d\\d,\\d\\d\\\\r"))));
    const QRegularExpressionMatch set = QRegularExpression(
        QStringLiteral("clock set to (\\d{4}-\\d\\d-\\d\\d) (\\d\\d:\\d\\d:\\d\\d)\\n(?!.*clock set)"),
        QRegularExpression::DotMatchesEverythingOption)
                                            .match(log);
    QVERIFY2(set.hasMatch(), qPrintable(log));
    // Midnight may pass during the test.
    const QDate shown = QDate::fromString(set.captured(1), Qt::ISODate);
    QVERIFY(shown == today || shown == today.addDays(1));
}

void TstLumetrixSorDevice::faults_endWithTheirMessages_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");
    // A port whose identification fails is no instrument to the search.
    QTest::newRow("garbled-id") << "garbled-id"
                                << "params"
                                << "Devices not found\nCan not be found devices or ports.";
    QTest::newRow("cfg-index") << "cfg-index"
                               << "params"
                               << "Device parameters are invalid.\nProbably, you use incompatible device or device is "
                                  "not connected.\n\nError code is ";
    QTest::newRow("wrong-length") << "wrong-length"
                                  << "download"
                                  << "Device's file is invalid.\nProbably, Probably, you use incompatible device\n";
    QTest::newRow("truncated") << "truncated"
                               << "download"
                               << "Device's file is invalid.\nProbably, Probably, you use incompatible device\n";
    QTest::newRow("endless") << "endless"
                             << "download"
                             << "Device's file is invalid.\nProbably, Probably, you use incompatible device\n";
}

void TstLumetrixSorDevice::faults_endWithTheirMessages()
{
    QFETCH(QString, fault);
    QFETCH(QString, command);
    QFETCH(QString, message);
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--fault"), fault, QStringLiteral("--stored"), QStringLiteral("1") }));
    QStringList arguments { command, QStringLiteral("--port"), sim.Port() };
    if (command == QLatin1String("download"))
        arguments << QStringLiteral("--to") << m_dir->path();
    const tRun run = Run(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(Files().isEmpty());
}

void TstLumetrixSorDevice::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList() << "Usage:";
    QTest::newRow("unknown command") << QStringList { "reboot" } << "Unknown device command \"reboot\".";
    QTest::newRow("no port") << QStringList { "params" } << "device params needs --port.";
    QTest::newRow("no folder") << QStringList { "measure", "--port", "/dev/null" } << "device measure needs --to.";
    QTest::newRow("folder missing") << QStringList { "download", "--port", "/dev/null", "--to", "/nonexistent/folder" }
                                    << "/nonexistent/folder is not a folder that can be written to.";
    QTest::newRow("option of another command")
        << QStringList { "clear", "--port", "/dev/null", "--delete-after" } << "Unknown option \"--delete-after\".";
    QTest::newRow("negative index") << QStringList { "measure", "--port", "/dev/null", "--range", "-1" }
                                    << "The value \"-1\" of \"--range\" is not valid.";
}

void TstLumetrixSorDevice::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const tRun run = Run(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

QTEST_GUILESS_MAIN(TstLumetrixSorDevice)
#include "tst_lumetrixsordevice.moc"
