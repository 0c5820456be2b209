#include "CSimProcess.h"
#include "TestPaths.h"

#include <CDeviceConnectorCOM.h>
#include <CDeviceExchanger.h>
#include <CExchangeClock.h>
#include <CFile.h>
#include <CFileList.h>

#include <QMainWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

// The system clock that presses Cancel at the second pause of a download,
// while the instrument is still sending the block.
struct tCancellingClock : CExchangeClock
{
    void Sleep(int ms) override
    {
        CExchangeClock::Sleep(ms);
        if (ms == CDeviceExchanger::kDownloadPause && ++nPauses == 2)
            pExchanger->CancelExchange();
    }
    CDeviceExchanger* pExchanger = nullptr;
    int nPauses = 0;
};

const tDeviceInfo kSimulated { QString(), QStringLiteral("NR-3100"), QStringLiteral("1234"), QStringLiteral("2.05") };

} // namespace

// The instrument link end to end: the program's exchanger on its own thread
// with the real serial connector, talking over a pseudo-terminal to the
// instrument simulator, and the downloaded traces listed by the file list.
class TstDeviceEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void connect_readsListsAndWritesParameters();
    void measurement_downloadsNewTrace();
    void loadAll_listsEveryTrace();
    void cancelledLoadAll_leavesTheLineClean();
    void clearMemory_emptiesTheInstrument();
    void faults_data();
    void faults();

private:
    // Runs `command` on the exchanger's thread and waits for its end.
    CDeviceExchanger::tResult Run(CDeviceExchanger::tCommand command, int timeoutMs = 60000);
    // Connects to the simulator on `port`.
    bool Connect(const QString& port);

    std::unique_ptr<CDeviceExchanger> m_exchanger;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstDeviceEndToEnd::init()
{
    // The port is created, used and closed on the exchanger's thread, which
    // has no event loop: using it from any other thread makes Qt warn.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_exchanger = std::make_unique<CDeviceExchanger>();
    m_exchanger->SetWorkFolder(m_dir->path());
}

void TstDeviceEndToEnd::cleanup()
{
    // Disconnects on the exchanger's thread before the simulators go.
    m_exchanger.reset();
    CDeviceConnectorCOM::SetExtraPorts({});
}

CDeviceExchanger::tResult TstDeviceEndToEnd::Run(CDeviceExchanger::tCommand command, int timeoutMs)
{
    CDeviceExchanger::tResult result;
    QSignalSpy ended(m_exchanger.get(), &CDeviceExchanger::sigExchangeEnd);
    if (!m_exchanger->Exec(command) || !ended.wait(timeoutMs)) {
        result.sErrors = QStringLiteral("(the command did not end)");
        return result;
    }
    const QList<QVariant> arguments = ended.takeFirst();
    result.cmd = arguments.at(0).value<CDeviceExchanger::tCommand>();
    result.sErrors = arguments.at(1).toString();
    result.bCancelled = arguments.at(2).toBool();
    result.bCritical = arguments.at(3).toBool();
    result.res = arguments.at(4).value<CDeviceExchanger::tCommandRes>();
    return result;
}

bool TstDeviceEndToEnd::Connect(const QString& port)
{
    tDeviceInfo device = kSimulated;
    device.sPort = port;
    m_exchanger->SetDevice(device);
    const CDeviceExchanger::tResult result = Run(CDeviceExchanger::cmdConnect);
    return result.sErrors.isEmpty() && m_exchanger->IsConnected();
}

void TstDeviceEndToEnd::connect_readsListsAndWritesParameters()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--ranges"), QStringLiteral("4,16,64"), QStringLiteral("--pulses"),
        QStringLiteral("10,30,100,300,1000"), QStringLiteral("--averages"), QStringLiteral("15,30,60,180") }));
    QSignalSpy waiting(m_exchanger.get(), &CDeviceExchanger::sigSetWaiting);
    QVERIFY(Connect(sim.Port()));
    QCOMPARE(waiting.size(), 1);
    QCOMPARE(waiting.front().at(0).toInt(), 7);

    // The lists as the probing learned them.
    QCOMPARE(m_exchanger->GetAvailable().lsPulseWidth, (QStringList { "10", "30", "100", "300", "1000" }));
    tParameters parameters = m_exchanger->GetParameters();
    QCOMPARE(parameters.nPulseWidth, 2);

    // A change is sent and the instrument's answer read back.
    parameters = { 2, 4, 3, 3, 1.4755f };
    m_exchanger->SetParameters(parameters);
    CDeviceExchanger::tResult result = Run(CDeviceExchanger::cmdSetParameters);
    QVERIFY2(result.sErrors.isEmpty(), qPrintable(result.sErrors));
    QVERIFY(sim.Log().contains(QStringLiteral("<- ;SYST:SET:CFG 2,4,3,3,1.4755\\r")));
    QVERIFY(sim.Log().contains(QStringLiteral("-> CFG,64km,1000ns,180s,1625(3),1.4755\\n")));
    tParameters read = m_exchanger->GetParameters();
    QCOMPARE(read.nLineLen, 2);
    QCOMPARE(read.nPulseWidth, 4);
    QCOMPARE(read.nAverageTime, 3);
    QCOMPARE(read.nWaveLen, 3);
    QCOMPARE(read.fGI, 1.4755f);

    QVERIFY(Run(CDeviceExchanger::cmdDisconnect).sErrors.isEmpty());
    QVERIFY(!m_exchanger->IsConnected());
    QVERIFY(sim.WaitForLog(QStringLiteral("<- ;SYST:MODE 0\\r")));
}

void TstDeviceEndToEnd::measurement_downloadsNewTrace()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--time-scale"), QStringLiteral("0") }));
    QVERIFY(Connect(sim.Port()));
    tParameters parameters = m_exchanger->GetParameters();
    parameters.nWaveLen = 1;
    parameters.nPulseWidth = 1;
    m_exchanger->SetParameters(parameters);

    const CDeviceExchanger::tResult result = Run(CDeviceExchanger::cmdMeasurement);
    QVERIFY2(result.sErrors.isEmpty(), qPrintable(result.sErrors));
    QVERIFY(!result.bCancelled);
    QCOMPARE(result.res.size(), 1);
    const tLoadedFile& trace = result.res.front();
    QCOMPARE(QFileInfo(trace.sFileName).absolutePath(), QFileInfo(m_dir->path()).canonicalFilePath());
    QVERIFY(trace.sFileName.endsWith(QStringLiteral(".sor")));
    QVERIFY(sim.Log().contains(QStringLiteral("measuring 16 km, 30 ns, 15 s, 1550 nm")));

    // Written as the program writes it, the checking command accepts it.
    QFile file(trace.sFileName);
    QVERIFY(file.open(QIODevice::NewOnly));
    QCOMPARE(file.write(trace.baData), trace.baData.size());
    file.close();
    QProcess check;
    check.start(TestPaths::BinDir() + QStringLiteral("/lumetrix-sor"), { QStringLiteral("check"), trace.sFileName });
    QVERIFY(check.waitForFinished(30000));
    QCOMPARE(check.exitCode(), 0);
    quint32 warnings = 0;
    const sor::CFile document(trace.sFileName, warnings);
    QCOMPARE(int(document.GeneralParameters().wavelength), 1550);
    QCOMPARE(int(document.FixedParameters().pulseWidth), 30);
    QVERIFY(m_exchanger->IsConnected());
}

void TstDeviceEndToEnd::loadAll_listsEveryTrace()
{
    // Three traces of one time stamp: each still gets a name of its own.
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--stored"), QStringLiteral("3"), QStringLiteral("--same-time") }));
    QVERIFY(Connect(sim.Port()));
    QSignalSpy progress(m_exchanger.get(), &CDeviceExchanger::sigSetProgress);

    const CDeviceExchanger::tResult result = Run(CDeviceExchanger::cmdLoadAll);
    QVERIFY2(result.sErrors.isEmpty(), qPrintable(result.sErrors));
    QCOMPARE(result.res.size(), 3);
    QSet<QString> names;
    for (const tLoadedFile& trace : result.res)
        names.insert(trace.sFileName);
    QCOMPARE(names.size(), 3);
    QCOMPARE(progress.size(), 4);
    QCOMPARE(progress.last().at(0).toInt(), 3);
    QCOMPARE(progress.last().at(1).toInt(), 3);

    // The file list writes them into the working folder and lists them.
    QMainWindow window;
    CFileList* list = new CFileList(&window);
    window.show();
    list->SetDir(m_dir->path());
    QCOMPARE(list->count(), 0);
    QList<QPair<QString, QByteArray>> files;
    for (const tLoadedFile& trace : result.res)
        files.append({ trace.sFileName, trace.baData });
    list->AddLoadedFiles(files);
    QCOMPARE(list->count(), 3);
    QSet<QString> listed;
    for (int row = 0; row < list->count(); ++row)
        listed.insert(list->GetFile(row)->Path());
    QCOMPARE(listed, names);
}

void TstDeviceEndToEnd::cancelledLoadAll_leavesTheLineClean()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--stored"), QStringLiteral("3") }));
    QVERIFY(Connect(sim.Port()));
    tCancellingClock cancelling;
    cancelling.pExchanger = m_exchanger.get();
    m_exchanger->SetClock(&cancelling);
    const CDeviceExchanger::tResult result = Run(CDeviceExchanger::cmdLoadAll);
    m_exchanger->SetClock(nullptr);
    QVERIFY(result.bCancelled && result.sErrors.isEmpty());
    // What the instrument sent of the block does not reach the next command.
    tParameters parameters = m_exchanger->GetParameters();
    parameters.nPulseWidth = 1;
    m_exchanger->SetParameters(parameters);
    const CDeviceExchanger::tResult next = Run(CDeviceExchanger::cmdSetParameters);
    QVERIFY2(next.sErrors.isEmpty(), qPrintable(next.sErrors));
    QCOMPARE(m_exchanger->GetParameters().nPulseWidth, 1);
}

void TstDeviceEndToEnd::clearMemory_emptiesTheInstrument()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--stored"), QStringLiteral("2") }));
    QVERIFY(Connect(sim.Port()));
    CDeviceExchanger::tResult result = Run(CDeviceExchanger::cmdClearMemory);
    QVERIFY(result.sErrors.isEmpty());
    QVERIFY(sim.WaitForLog(QStringLiteral("memory cleared")));
    // An empty memory is the program's non-critical message; the link stays.
    result = Run(CDeviceExchanger::cmdLoadAll);
    QCOMPARE(result.sErrors, QStringLiteral("Device is empty"));
    QVERIFY(!result.bCritical);
    QVERIFY(result.res.isEmpty());
    QVERIFY(m_exchanger->IsConnected());
}

void TstDeviceEndToEnd::faults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("critical");
    const QString noIdentification = QStringLiteral(
        "Cannot receive device's identificator from port %1.\nProbably, you use incompatible device or device is not "
        "connected.\n\nError code is ");
    const QString invalidFile
        = QStringLiteral("Device's file is invalid.\nProbably, Probably, you use incompatible device");
    QTest::newRow("no-reply") << "no-reply" << int(CDeviceExchanger::cmdConnect) << noIdentification << true;
    QTest::newRow("slow") << "slow" << int(CDeviceExchanger::cmdConnect) << noIdentification << true;
    QTest::newRow("garbled-id") << "garbled-id" << int(CDeviceExchanger::cmdConnect)
                                << "Invalid device's identificator received from port %1.\nProbably, you use "
                                   "incompatible device.\n\nError code is "
                                << true;
    QTest::newRow("cfg-index") << "cfg-index" << int(CDeviceExchanger::cmdConnect)
                               << "Device parameters are invalid.\nProbably, you use incompatible device or device is "
                                  "not connected.\n\nError code is "
                               << true;
    QTest::newRow("wrong-length") << "wrong-length" << int(CDeviceExchanger::cmdLoadAll) << invalidFile << false;
    QTest::newRow("truncated") << "truncated" << int(CDeviceExchanger::cmdLoadAll) << invalidFile << false;
    QTest::newRow("endless") << "endless" << int(CDeviceExchanger::cmdLoadAll) << invalidFile << false;
}

void TstDeviceEndToEnd::faults()
{
    QFETCH(QString, fault);
    QFETCH(int, command);
    QFETCH(QString, message);
    QFETCH(bool, critical);
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--fault"), fault, QStringLiteral("--stored"), QStringLiteral("2") }));

    tDeviceInfo device = kSimulated;
    device.sPort = sim.Port();
    m_exchanger->SetDevice(device);
    CDeviceExchanger::tResult result = Run(CDeviceExchanger::cmdConnect);
    if (command != CDeviceExchanger::cmdConnect) {
        QVERIFY2(result.sErrors.isEmpty(), qPrintable(result.sErrors));
        result = Run(CDeviceExchanger::tCommand(command));
    }
    QCOMPARE(result.cmd, CDeviceExchanger::tCommand(command));
    if (message.contains(QLatin1String("%1")))
        message = message.arg(sim.Port());
    QVERIFY2(result.sErrors.startsWith(message), qPrintable(result.sErrors));
    QCOMPARE(result.bCritical, critical);
    QVERIFY(!result.bCancelled);
    QVERIFY(result.res.isEmpty());
    // A critical failure of the connection leaves the port closed; after any
    // other the link stays up, and after a bad block (also one that never
    // ends) the line is drained and keeps working.
    QCOMPARE(m_exchanger->IsConnected(), !critical);
    if (!critical) {
        const CDeviceExchanger::tResult next = Run(CDeviceExchanger::cmdSetParameters);
        QVERIFY2(next.sErrors.isEmpty(), qPrintable(next.sErrors));
        QVERIFY(m_exchanger->IsConnected());
    }
    if (fault == QLatin1String("endless"))
        QVERIFY(sim.Log().contains(QStringLiteral("then more without end")));
}

QTEST_MAIN(TstDeviceEndToEnd)
#include "tst_deviceendtoend.moc"
