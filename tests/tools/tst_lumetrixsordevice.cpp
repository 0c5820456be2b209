#include "CSimProcess.h"
#include "TestPaths.h"

#include <CFile.h>
#include <Exception.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
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

    void measure_writesTraceWithSettings();
    void measure_cancelledByInterrupt();
    void download_writesFilesAndClears();
    void refusals_data();
    void refusals();

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

void TstLumetrixSorDevice::measure_writesTraceWithSettings()
{
    CSimProcess sim;
    QVERIFY(sim.Start(kQuick));
    const tRun run = Run({ "measure", "--port", sim.Port(), "--to", m_dir->path(), "--range", "1", "--pulse", "2",
        "--average", "1", "--wavelength", "3", "--index", "1.4711" });
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QCOMPARE(Files().size(), 1);
    const QString path = QDir(m_dir->path()).filePath(Files().front());
    QCOMPARE(run.out, path + QLatin1Char('\n'));

    // The trace the instrument measured with those settings, named after its time.
    const auto trace = Load(path);
    QVERIFY(trace);
    QCOMPARE(int(trace->GeneralParameters().wavelength), 1625);
    QCOMPARE(int(trace->FixedParameters().pulseWidth), 100);
    QCOMPARE(trace->FixedParameters().groupIndex.Value(), 1.4711f);
    QCOMPARE(Files().front().left(11), trace->FixedParameters().dateTime.toString(QStringLiteral("yyMMdd_hhmm")));
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

void TstLumetrixSorDevice::download_writesFilesAndClears()
{
    // A file already in the folder is neither overwritten nor reused; the
    // memory is cleared only when asked.
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--stored"), QStringLiteral("2"), QStringLiteral("--same-time") }));
    const QStringList download { "download", "--port", sim.Port(), "--to", m_dir->path() };
    const tRun first = Run(download);
    QCOMPARE(first.exitCode, 0);
    const QStringList names = Files();
    QCOMPARE(names.size(), 2);
    QCOMPARE(first.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 2);
    for (const QString& name : names)
        QVERIFY2(Load(QDir(m_dir->path()).filePath(name)), qPrintable(name));
    QVERIFY(!sim.Log().contains(QStringLiteral("memory cleared")));

    const QString base = names.filter(QRegularExpression(QStringLiteral("^\\d{6}_\\d{5}\\.sor$"))).value(0).chopped(4);
    QFile mine(QDir(m_dir->path()).filePath(base + "(1).sor"));
    QVERIFY(mine.open(QIODevice::ReadOnly));
    const QByteArray before = mine.readAll();
    mine.close();
    QCOMPARE(Run(download + QStringList { "--delete-after" }).exitCode, 0);
    QCOMPARE(Files().size(), 4);
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), before);
    QVERIFY(Files().contains(base + "(3).sor"));
    QVERIFY(sim.Log().contains(QStringLiteral("memory cleared")));
    const tRun empty = Run(download);
    QCOMPARE(empty.exitCode, 2);
    QCOMPARE(empty.err, QStringLiteral("Device is empty\n"));

    CSimProcess full;
    QVERIFY(full.Start({ QStringLiteral("--stored"), QStringLiteral("4") }));
    const tRun clear = Run({ QStringLiteral("clear"), QStringLiteral("--port"), full.Port() });
    QCOMPARE(clear.exitCode, 0);
    QVERIFY(clear.out.isEmpty() && clear.err.isEmpty());
    QVERIFY(full.WaitForLog(QStringLiteral("memory cleared")));
}

// Exit code 2 with the reason on stderr, nothing on stdout, no file written.
// With a simulator its port replaces PORT (and is the one port to search);
// a refused setting measures nothing and leaves the instrument idle.
void TstLumetrixSorDevice::refusals_data()
{
    QTest::addColumn<QStringList>("simulator");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QStringList measure { "measure", "--port", "PORT", "--to", "DIR" };
    const QStringList none;
    QTest::newRow("nothing found") << QStringList { "--fault", "no-reply" } << QStringList { "search" }
                                   << "Devices not found\nNo instrument and no serial port were found.";
    QTest::newRow("fault") << QStringList { "--fault", "truncated", "--stored", "1" }
                           << QStringList { "download", "--port", "PORT", "--to", "DIR" }
                           << "The file from the instrument is invalid.\nThe instrument is probably not a compatible one.\n";
    QTest::newRow("range") << kQuick << measure + QStringList { "--range", "7" }
                           << "The range index 7 is not one of 0 to 6.\n";
    QTest::newRow("empty slot") << kQuick << measure + QStringList { "--wavelength", "2" }
                                << "The wavelength slot 2 holds no wavelength (slots: 1310, 1550, 0, 1625).\n";
    QTest::newRow("no command") << none << none << "Usage:";
    QTest::newRow("unknown command") << none << QStringList { "reboot" } << "Unknown device command \"reboot\".";
    QTest::newRow("no port") << none << QStringList { "params" } << "device params needs --port.";
    QTest::newRow("no folder") << none << QStringList { "measure", "--port", "/dev/null" }
                               << "device measure needs --to.";
    QTest::newRow("folder missing") << none
                                    << QStringList { "download", "--port", "/dev/null", "--to", "/nonexistent/folder" }
                                    << "/nonexistent/folder is not a folder that can be written to.";
    QTest::newRow("option of another command")
        << none << QStringList { "clear", "--port", "/dev/null", "--delete-after" }
        << "Unknown option \"--delete-after\".";
    QTest::newRow("negative index") << none << QStringList { "measure", "--port", "/dev/null", "--range", "-1" }
                                    << "The value \"-1\" of \"--range\" is not valid.";
}

void TstLumetrixSorDevice::refusals()
{
    QFETCH(QStringList, simulator);
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    CSimProcess sim;
    if (!simulator.isEmpty())
        QVERIFY(sim.Start(simulator));
    arguments.replaceInStrings(QStringLiteral("PORT"), sim.Port())
        .replaceInStrings(QStringLiteral("DIR"), m_dir->path());
    const tRun run = Run(arguments, simulator.isEmpty() ? QStringList() : QStringList { sim.Port() });
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(Files().isEmpty());
    if (simulator == kQuick) {
        QVERIFY(!sim.Log().contains(QStringLiteral("<- ;INIT")));
        QVERIFY(sim.Log().trimmed().endsWith(QStringLiteral("mode 0")));
    }
}

QTEST_GUILESS_MAIN(TstLumetrixSorDevice)
#include "tst_lumetrixsordevice.moc"
