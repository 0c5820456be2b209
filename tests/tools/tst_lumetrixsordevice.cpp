#include "CSimProcess.h"
#include "TestPaths.h"

#include <CFile.h>
#include <Exception.h>

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

// lumetrix-sor device as the user runs it against the instrument simulator:
// what it prints, the files it writes and its exit codes. The dialogue itself
// is the exchanger's and is tested with it.
class TstLumetrixSorDevice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void ports_listsNamedPortsLast();
    void searchAndParams();
    void measure_writesTraceWithSettings();
    void measure_cancelledByInterrupt();
    void download_neverOverwritesAndDeletesAfter();
    void failures_data();
    void failures();

private:
    tRun Run(const QStringList& arguments, const QStringList& extraPorts = {}) const;
    QStringList Files() const { return QDir(m_dir->path()).entryList({ QStringLiteral("*.sor") }, QDir::Files); }
    QString Path(const QString& name) const { return QDir(m_dir->path()).filePath(name); }

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
    const tRun run = Run({ "ports", "--serial-port", "/dev/ttyX1" }, { "/dev/ttyX2", "/dev/ttyX1" });
    QCOMPARE(run.exitCode, 0);
    const QStringList ports = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(ports.size() >= 2);
    QCOMPARE(ports.mid(ports.size() - 2), (QStringList { "/dev/ttyX1", "/dev/ttyX2" }));
}

void TstLumetrixSorDevice::searchAndParams()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ "--model", "TR-7", "--number", "0042", "--version", "3.1", "--ranges", "4,16,64", "--pulses",
        "10,30,100,300,1000", "--averages", "15,30,60,180", "--wavelengths", "0,1550,1625" }));
    CSimProcess silent;
    QVERIFY(silent.Start({ "--fault", "no-reply" }));
    const tRun run = Run({ "search" }, { silent.Port(), sim.Port() });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("%1\tTR-7\t0042\t3.1\n").arg(sim.Port()));

    const tRun params = Run({ "params", "--port", sim.Port() });
    QCOMPARE(params.exitCode, 0);
    QCOMPARE(params.out,
        QStringLiteral("Port: %1\nModel: TR-7\nNumber: 0042\nVersion: 3.1\n"
                       "Wavelengths, nm: 0, 1550, 1625\nRanges, km: 4, 16, 64\n"
                       "Pulse widths, ns: 10, 30, 100, 300, 1000\nAveraging times, s: 15, 30, 60, 180\n"
                       "Wavelength: slot 1, 1550 nm\nRange: index 1, 16 km\nPulse width: index 2, 100 ns\n"
                       "Averaging time: index 0, 15 s\nIndex: 1.46820\n")
            .arg(sim.Port()));
}

void TstLumetrixSorDevice::measure_writesTraceWithSettings()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ "--time-scale", "0" }));
    const tRun run = Run({ "measure", "--port", sim.Port(), "--to", m_dir->path(), "--range", "1", "--pulse", "2",
        "--average", "1", "--wavelength", "3", "--index", "1.4711" });
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QCOMPARE(Files().size(), 1);
    const QString path = Path(Files().front());
    QCOMPARE(run.out, path + QLatin1Char('\n'));

    // The trace measured with those settings, named after its time, and one
    // that the checking command accepts.
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

void TstLumetrixSorDevice::measure_cancelledByInterrupt()
{
    // A measurement that announces 15 s; Ctrl+C while the program waits.
    CSimProcess sim;
    QVERIFY(sim.Start({}));
    QProcess process;
    process.start(m_tool, { "device", "measure", "--port", sim.Port(), "--to", m_dir->path(), "--average", "0" });
    QVERIFY(process.waitForStarted());
    QVERIFY(sim.WaitForLog(QStringLiteral("measuring "), 30000));
    QVERIFY(::kill(pid_t(process.processId()), SIGINT) == 0);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 3);
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardError()), QStringLiteral("Cancelled.\n"));
    QVERIFY(Files().isEmpty());
    QVERIFY(sim.WaitForLog(QStringLiteral("<- ;SYST:MODE 0\\r")));
}

void TstLumetrixSorDevice::download_neverOverwritesAndDeletesAfter()
{
    // Traces with one time stamp get a name each; a file already in the
    // folder is neither overwritten nor reused.
    CSimProcess sim;
    QVERIFY(sim.Start({ "--stored", "2", "--same-time" }));
    const QStringList download { "download", "--port", sim.Port(), "--to", m_dir->path() };
    const tRun first = Run(download);
    QCOMPARE(first.exitCode, 0);
    const QStringList names = Files();
    QCOMPARE(names.size(), 2);
    QCOMPARE(first.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 2);
    const QString base = names.filter(QRegularExpression(QStringLiteral("^\\d{6}_\\d{5}\\.sor$"))).value(0).chopped(4);
    QVERIFY2(!base.isEmpty(), qPrintable(names.join(QLatin1Char(' '))));
    QCOMPARE(QSet<QString>(names.begin(), names.end()), (QSet<QString> { base + ".sor", base + "(1).sor" }));
    for (const QString& name : names)
        QVERIFY2(Load(Path(name)), qPrintable(name));
    QVERIFY(!sim.Log().contains(QStringLiteral("memory cleared")));

    QFile mine(Path(base + "(1).sor"));
    QVERIFY(mine.open(QIODevice::ReadOnly));
    const QByteArray before = mine.readAll();
    mine.close();
    QCOMPARE(Run(QStringList(download) << "--delete-after").exitCode, 0);
    QCOMPARE(Files().size(), 4);
    QVERIFY(Files().contains(base + "(3).sor"));
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), before);
    QVERIFY(sim.Log().contains(QStringLiteral("memory cleared")));
}

void TstLumetrixSorDevice::failures_data()
{
    // Failures end with exit code 2, the message on standard error, nothing
    // on standard output and no file left behind. `sim` lists the
    // simulator's options; none means no simulator and the port /dev/null.
    QTest::addColumn<QStringList>("sim");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QStringList none;
    QTest::newRow("no command") << none << QStringList() << "Usage:";
    QTest::newRow("unknown command") << none << QStringList { "reboot" } << "Unknown device command \"reboot\".";
    QTest::newRow("no port") << none << QStringList { "params" } << "device params needs --port.";
    QTest::newRow("no folder") << none << QStringList { "measure", "--port", "PORT" } << "device measure needs --to.";
    QTest::newRow("folder missing") << none << QStringList { "download", "--port", "PORT", "--to", "/nonexistent/x" }
                                    << "/nonexistent/x is not a folder that can be written to.";
    QTest::newRow("option of another command")
        << none << QStringList { "clear", "--port", "PORT", "--delete-after" } << "Unknown option \"--delete-after\".";
    QTest::newRow("negative index") << none << QStringList { "measure", "--port", "PORT", "--range", "-1" }
                                    << "The value \"-1\" of \"--range\" is not valid.";
    const QStringList quick { "--time-scale", "0" };
    QTest::newRow("range") << quick << QStringList { "measure", "--port", "PORT", "--to", "DIR", "--range", "7" }
                           << "The range index 7 is not one of 0 to 6.";
    QTest::newRow("empty slot") << quick
                                << QStringList { "measure", "--port", "PORT", "--to", "DIR", "--wavelength", "2" }
                                << "The wavelength slot 2 holds no wavelength (slots: 1310, 1550, 0, 1625).";
    QTest::newRow("group index") << quick << QStringList { "measure", "--port", "PORT", "--to", "DIR", "--index", "1.7" }
                                 << "Parameter GI is invalid value 1.7. Enter real number between 1.40000 and 1.60000";
    QTest::newRow("nothing found") << QStringList { "--fault", "no-reply" } << QStringList { "search", "PORTS" }
                                   << "Devices not found\nCan not be found devices or ports.";
    QTest::newRow("empty memory") << QStringList { "--stored", "0" }
                                  << QStringList { "download", "--port", "PORT", "--to", "DIR" } << "Device is empty\n";
    QTest::newRow("truncated block") << QStringList { "--fault", "truncated", "--stored", "1" }
                                     << QStringList { "download", "--port", "PORT", "--to", "DIR" }
                                     << "Device's file is invalid.\nProbably, Probably, you use incompatible device\n";
}

void TstLumetrixSorDevice::failures()
{
    QFETCH(QStringList, sim);
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    CSimProcess simulator;
    QString port = QStringLiteral("/dev/null");
    if (!sim.isEmpty()) {
        QVERIFY(simulator.Start(sim));
        port = simulator.Port();
    }
    QStringList extraPorts;
    for (QString& argument : arguments) {
        if (argument == QLatin1String("PORTS")) {
            extraPorts << port;
            argument.clear();
        }
        argument.replace(QLatin1String("PORT"), port).replace(QLatin1String("DIR"), m_dir->path());
    }
    arguments.removeAll(QString());
    const tRun run = Run(arguments, extraPorts);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(Files().isEmpty());
    // A refused setting measures nothing and leaves the instrument idle.
    if (!sim.isEmpty() && arguments.front() == QLatin1String("measure")) {
        QVERIFY(!simulator.Log().contains(QStringLiteral("<- ;INIT")));
        QVERIFY(simulator.Log().trimmed().endsWith(QStringLiteral("mode 0")));
    }
}

QTEST_GUILESS_MAIN(TstLumetrixSorDevice)
#include "tst_lumetrixsordevice.moc"
