#include "CSimProcess.h"

#include <CDeviceExchanger.h>
#include <CExchangeClock.h>

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

// The instrument link end to end: the program's exchanger on its own thread
// with the real serial connector, talking over a pseudo-terminal to the
// instrument simulator.
class TstDeviceEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void connect_probesAndRestores();
    void cancelledLoadAll_leavesTheLineClean();
    void faults_data();
    void faults();

private:
    // Runs `command` on the exchanger's thread and waits for its end.
    CDeviceExchanger::tResult Run(CDeviceExchanger::tCommand command);
    CDeviceExchanger::tResult Connect(const QString& port);

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
}

CDeviceExchanger::tResult TstDeviceEndToEnd::Run(CDeviceExchanger::tCommand command)
{
    CDeviceExchanger::tResult result;
    QSignalSpy ended(m_exchanger.get(), &CDeviceExchanger::sigExchangeEnd);
    if (!m_exchanger->Exec(command) || !ended.wait(60000)) {
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

CDeviceExchanger::tResult TstDeviceEndToEnd::Connect(const QString& port)
{
    m_exchanger->SetDevice({ port, QStringLiteral("NR-3100"), QStringLiteral("1234"), QStringLiteral("2.05") });
    return Run(CDeviceExchanger::cmdConnect);
}

void TstDeviceEndToEnd::connect_probesAndRestores()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--ranges"), QStringLiteral("4,16,64"), QStringLiteral("--pulses"),
        QStringLiteral("10,30,100,300,1000"), QStringLiteral("--averages"), QStringLiteral("15,30,60,180") }));
    QVERIFY(Connect(sim.Port()).sErrors.isEmpty());
    QCOMPARE(m_exchanger->GetAvailable().lsPulseWidth, (QStringList { "10", "30", "100", "300", "1000" }));
    QCOMPARE(m_exchanger->GetParameters().nPulseWidth, 2);
    // Set back to what it was after the probing.
    QVERIFY(sim.Log().contains(QStringLiteral("<- ;SYST:SET:CFG 1,2,0,0,1.4682\\r")));

    QVERIFY(Run(CDeviceExchanger::cmdDisconnect).sErrors.isEmpty());
    QVERIFY(!m_exchanger->IsConnected());
    QVERIFY(sim.WaitForLog(QStringLiteral("<- ;SYST:MODE 0\\r")));
}

void TstDeviceEndToEnd::cancelledLoadAll_leavesTheLineClean()
{
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--stored"), QStringLiteral("3") }));
    QVERIFY(Connect(sim.Port()).sErrors.isEmpty());
    tCancellingClock cancelling;
    cancelling.pExchanger = m_exchanger.get();
    m_exchanger->SetClock(&cancelling);
    const CDeviceExchanger::tResult result = Run(CDeviceExchanger::cmdLoadAll);
    m_exchanger->SetClock(nullptr);
    QVERIFY(result.bCancelled && result.sErrors.isEmpty());
    // What the instrument sent of the block does not reach the next command,
    // which is sent and its answer read back.
    m_exchanger->SetParameters({ 2, 4, 3, 3, 1.4755f });
    const CDeviceExchanger::tResult next = Run(CDeviceExchanger::cmdSetParameters);
    QVERIFY2(next.sErrors.isEmpty(), qPrintable(next.sErrors));
    QVERIFY(sim.Log().contains(QStringLiteral("<- ;SYST:SET:CFG 2,4,3,3,1.4755\\r")));
    const tParameters read = m_exchanger->GetParameters();
    QCOMPARE((QList<float> { float(read.nLineLen), float(read.nPulseWidth), float(read.nWaveLen), read.fGI }),
        (QList<float> { 2, 4, 3, 1.4755f }));
}

void TstDeviceEndToEnd::faults_data()
{
    QTest::addColumn<int>("command"); // the fault is the row's name
    QTest::addColumn<QString>("message");
    const int connect = CDeviceExchanger::cmdConnect;
    const int loadAll = CDeviceExchanger::cmdLoadAll;
    const QString silent = QStringLiteral("No identification was received from the instrument on port %1.\nThe instrument");
    const QString invalidFile = QStringLiteral("The file from the instrument is invalid.\nThe instrument is probably");
    QTest::newRow("no-reply") << connect << silent;
    QTest::newRow("slow") << connect << silent;
    QTest::newRow("garbled-id") << connect << "The identification received from port %1 is not valid.";
    QTest::newRow("cfg-index") << connect << "The instrument's parameters are not valid.\nThe instrument";
    QTest::newRow("wrong-length") << loadAll << invalidFile;
    QTest::newRow("truncated") << loadAll << invalidFile;
    QTest::newRow("endless") << loadAll << invalidFile;
}

void TstDeviceEndToEnd::faults()
{
    const QString fault = QString::fromLatin1(QTest::currentDataTag());
    QFETCH(int, command);
    QFETCH(QString, message);
    // Failures of the connection are critical, of a download not.
    const bool critical = command == CDeviceExchanger::cmdConnect;
    CSimProcess sim;
    QVERIFY(sim.Start({ QStringLiteral("--fault"), fault, QStringLiteral("--stored"), QStringLiteral("2") }));

    CDeviceExchanger::tResult result = Connect(sim.Port());
    if (command != CDeviceExchanger::cmdConnect) {
        QVERIFY2(result.sErrors.isEmpty(), qPrintable(result.sErrors));
        result = Run(CDeviceExchanger::tCommand(command));
    }
    QCOMPARE(result.cmd, CDeviceExchanger::tCommand(command));
    message.replace(QLatin1String("%1"), sim.Port());
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

QTEST_GUILESS_MAIN(TstDeviceEndToEnd)
#include "tst_deviceendtoend.moc"
