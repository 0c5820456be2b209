#include "CFakeClock.h"
#include "CFakeInstrument.h"
#include "CScriptedConnector.h"

#include <CDeviceConnectorCOM.h>
#include <CDeviceExchanger.h>
#include <EDeviceExchange.h>
#include <SorBuilder.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A valid trace of 600 samples measured at `time` (UTC).
QByteArray Trace(const QDateTime& time)
{
    return SorBuilder::TimedFile(quint32(time.toSecsSinceEpoch()));
}

QDateTime Utc(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

// One instrument on COM5 behind a silent COM1, an exchanger that reaches them
// through scripted connectors, a counting clock and a scratch working folder.
struct tRig
{
    tRig()
    {
        bus.ports = QStringList { "COM1", "COM5" };
        bus.instruments.insert("COM5", &instrument);
        exchanger.SetConnectorFactory(
            [this] { return QSharedPointer<IDeviceConnector>(new CScriptedConnector(&bus)); });
        exchanger.SetClock(&clock);
        exchanger.SetWorkFolder(folder.path());
    }

    CDeviceExchanger::tResult Connect()
    {
        tDeviceInfo info;
        info.sPort = "COM5";
        info.sModel = "Model";
        info.sNumber = "1234";
        info.sVersion = "2.05";
        exchanger.SetDevice(info);
        return exchanger.RunCommand(CDeviceExchanger::cmdConnect);
    }

    QTemporaryDir folder;
    CFakeInstrument instrument;
    CScriptedConnector::tBus bus;
    CFakeClock clock;
    CDeviceExchanger exchanger;
};

} // namespace

class TestDeviceExchanger : public QObject
{
    Q_OBJECT

private slots:
    void identification_data();
    void identification();
    void configuration_data();
    void configuration();
    void block_data();
    void block();
    void fileNames();
    void portOrder();
    void connectLearnsLists();
    void connectRefusesAnotherInstrument();
    void measurement();
    void measurementWithoutTimeReply();
    void measurementCancelledWhileWaiting();
    void loadAllNamesEveryFileApart();
    void loadAllBadFileCount();
    void loadAllCancelledDuringThirdFile();
    void endlessDownloadIsRefused();
    void garbageFileIsRefused();
    void clock();
};

void TestDeviceExchanger::identification_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("error");

    // The default identification (numero sign before the number), a wrong
    // number, garbage and silence are the search and connect tests' own.
    const QString invalid = "The identification received from port COM5 is not valid.";
    const QString none;
    QTest::newRow("plain number") << QByteArray("Maker,X-2,77,Version3.1\r") << "X-2"
                                  << "77"
                                  << "3.1" << none;
    QTest::newRow("short version") << QByteArray("M,A,1,V1\n") << "A"
                                   << "1" << none << none;
    QTest::newRow("three parts") << QByteArray("Maker,Model,1234\n") << none << none << none << invalid;
    QTest::newRow("five parts") << QByteArray("Maker,Model,1234,Ver.   2.05,x\n") << none << none << none << invalid;
}

void TestDeviceExchanger::identification()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, error);
    try {
        const tDeviceInfo info
            = CDeviceExchanger::ParseIdentification(CDeviceExchanger::DecodeReply(reply), QStringLiteral("COM5"));
        QVERIFY2(error.isEmpty(), "accepted a bad identification");
        QTEST(info.sModel, "model");
        QTEST(info.sNumber, "number");
        QTEST(info.sVersion, "version");
    } catch (const EDeviceExchange& e) {
        QVERIFY2(!error.isEmpty(), qPrintable(e.Message()));
        QVERIFY(e.Message().startsWith(error));
        QVERIFY(e.IsCritical());
    }
}

void TestDeviceExchanger::configuration_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<float>("index");

    QTest::newRow("units") << "CFG,64km,100ns,30s,1550(1),1.4682\n"
                           << true << QList<int> { 64, 100, 30, 1550, 1 } << 1.4682f;
    QTest::newRow("extra parts ignored") << "CFG,2,10,15,1310(0),1.5,zz,1\n"
                                         << true << QList<int> { 2, 10, 15, 1310, 0 } << 1.5f;
    QTest::newRow("bounds") << "CFG,1,1,1,850(3),1.6\n" << true << QList<int> { 1, 1, 1, 850, 3 } << 1.6f;
    QTest::newRow("index too low") << "CFG,64km,100ns,30s,1550(1),1.3\n" << false << QList<int>() << 0.f;
    QTest::newRow("index too high") << "CFG,64km,100ns,30s,1550(1),1.61\n" << false << QList<int>() << 0.f;
    QTest::newRow("no slot") << "CFG,64,100,30,1550,1.4682\n" << false << QList<int>() << 0.f;
    QTest::newRow("slot not a number") << "CFG,64,100,30,1550(a),1.4682\n" << false << QList<int>() << 0.f;
    QTest::newRow("huge number") << "CFG,99999999999,100,30,1550(1),1.4682\n" << false << QList<int>() << 0.f;
    QTest::newRow("wrong tag") << "CFX,64,100,30,1550(1),1.4682\n" << false << QList<int>() << 0.f;
    QTest::newRow("five parts") << "CFG,64,100,30,1550(1)\n" << false << QList<int>() << 0.f;
}

void TestDeviceExchanger::configuration()
{
    QFETCH(QString, reply);
    QFETCH(bool, valid);
    try {
        const tConfig config = CDeviceExchanger::ParseConfig(reply);
        QVERIFY2(valid, "accepted a bad configuration");
        QFETCH(QList<int>, values);
        QCOMPARE((QList<int> { config.nLineLen, config.nPulseWidth, config.nAverageTime, config.nWaveLenValue,
                     config.nWaveLenIndex }),
            values);
        QTEST(config.fGI, "index");
    } catch (const EDeviceExchange& e) {
        QVERIFY2(!valid, qPrintable(e.Message()));
        QCOMPARE(e.Message(),
            QStringLiteral(
                "The instrument's parameters are not valid.\nThe instrument is probably not a compatible one, or it is not connected."));
        QVERIFY(e.IsCritical());
    }
}

void TestDeviceExchanger::block_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<bool>("valid");

    const QByteArray data(994, 'x');
    QTest::newRow("999 bytes") << ("#3994" + data) << false;
    const QByteArray data1000(995, 'x');
    QTest::newRow("1000 bytes") << ("#3995" + data1000) << true;
    QTest::newRow("length one more") << ("#3996" + data1000) << false;
    QTest::newRow("trailing byte") << ("#3995" + data1000 + "\n") << false;
    QTest::newRow("eight digits") << ("#800001000" + QByteArray(1000, 'y')) << true;
    QTest::newRow("nine digits") << ("#9000001000" + QByteArray(1000, 'y')) << false;
    QTest::newRow("sign in length") << ("#4+995" + data1000) << false;
    QTest::newRow("no hash") << ("x3995" + data1000) << false;
}

void TestDeviceExchanger::block()
{
    QFETCH(QByteArray, block);
    QFETCH(bool, valid);
    try {
        const QByteArray data = CDeviceExchanger::CheckBlock(block);
        QVERIFY2(valid, "accepted a bad block");
        QCOMPARE(data, block.mid(block[1] - '0' + 2));
    } catch (const EDeviceExchange& e) {
        QVERIFY(!valid);
        QCOMPARE(
            e.Message(), QStringLiteral("The file from the instrument is invalid.\nThe instrument is probably not a compatible one."));
        QVERIFY(!e.IsCritical());
    }
}

void TestDeviceExchanger::fileNames()
{
    // Ten-second steps, padded fields (the numbering of taken names is loadAllNamesEveryFileApart's).
    QCOMPARE(CDeviceExchanger::FileBaseName(Utc(2026, 1, 2, 3, 4, 59)), QStringLiteral("260102_03045"));
    QTemporaryDir folder;
    const QDir dir(folder.path());
    // Whatever the name is made of, the file stays in the folder.
    const QString escaped = CDeviceExchanger::FreeFileName(dir.path(), "../../etc/x", {});
    QCOMPARE(QFileInfo(escaped).absolutePath(), dir.absolutePath());
    QCOMPARE(QFileInfo(CDeviceExchanger::FreeFileName(dir.path(), "", {})).absolutePath(), dir.absolutePath());
}

void TestDeviceExchanger::portOrder()
{
    const QList<CDeviceConnectorCOM::tPortEntry> ports {
        { "COM1", "\\\\.\\COM1", false },
        { "COM5", "\\\\.\\COM5", true },
        { "ttyS0", "/dev/ttyS0", false },
        { "ttyUSB0", "/dev/ttyUSB0", true },
    };
    QCOMPARE(CDeviceConnectorCOM::OrderPorts(ports, {}), (QStringList { "COM5", "ttyUSB0", "COM1", "ttyS0" }));
    QCOMPARE(CDeviceConnectorCOM::OrderPorts(ports, { "/dev/pts/7", "/dev/ttyS0", "COM5", "", "/dev/pts/7" }),
        (QStringList { "COM5", "ttyUSB0", "COM1", "ttyS0", "/dev/pts/7" }));
    QCOMPARE(CDeviceConnectorCOM::OrderPorts({}, {}), QStringList());

    // Named ports follow, the program's before the environment's (empty entries skipped).
    qputenv("LUMETRIX_SERIAL_PORTS", QStringLiteral("/dev/pts/3%1%1/dev/pts/4").arg(QDir::listSeparator()).toUtf8());
    CDeviceConnectorCOM::SetExtraPorts({ "/dev/pts/9" });
    const QStringList listed = CDeviceConnectorCOM().GetPortList();
    QCOMPARE(listed.mid(listed.size() - 3), (QStringList { "/dev/pts/9", "/dev/pts/3", "/dev/pts/4" }));
    CDeviceConnectorCOM::SetExtraPorts({});
    qunsetenv("LUMETRIX_SERIAL_PORTS");

    CDeviceConnectorCOM absent;
    QVERIFY(!absent.Open("/nonexistent/ttyLX9", 200));
    QCOMPARE(absent.GetPortName(), QStringLiteral("/nonexistent/ttyLX9"));
    QVERIFY(!absent.IsOpen());
    QVERIFY(absent.ReadAll().isEmpty());
    QVERIFY_THROWS_EXCEPTION(IDeviceConnector::ESending, absent.Send("x"));
    absent.Send(QByteArray());
}

void TestDeviceExchanger::connectLearnsLists()
{
    tRig rig;
    QSignalSpy waiting(&rig.exchanger, &CDeviceExchanger::sigSetWaiting);
    const CDeviceExchanger::tResult result = rig.Connect();
    QVERIFY2(result.sErrors.isEmpty(), qPrintable(result.sErrors));
    QVERIFY(rig.exchanger.IsConnected());
    QCOMPARE(waiting[0], (QVariantList { 7, false }));

    const tAvailable available = rig.exchanger.GetAvailable();
    QCOMPARE(available.lsLineLen, (QStringList { "2", "8", "32" }));
    QCOMPARE(available.lsPulseWidth, (QStringList { "10", "30", "100", "300", "1000" }));
    QCOMPARE(available.lsAverageTime, (QStringList { "15", "30", "60", "180" }));
    QCOMPARE(available.lsWaveLen, (QStringList { "1310", "1550", "0" }));
    // Passes 0 to 4 each add a pulse width; pass 5 adds nothing and ends it.
    QCOMPARE(rig.instrument.CountReceived(";SYST:SET:CFG "), 7);
    // The instrument is set back to what it was before the probing.
    QCOMPARE(rig.instrument.received.last(), QByteArray(";SYST:SET:CFG 1,2,1,1,1.4682\r"));

    // The configuration read before probing is what counts.
    const tParameters p = rig.exchanger.GetParameters();
    QCOMPARE(
        (QList<float> { float(p.nLineLen), float(p.nPulseWidth), float(p.nAverageTime), float(p.nWaveLen), p.fGI }),
        (QList<float> { 1, 2, 1, 1, 1.4682f }));
}

void TestDeviceExchanger::connectRefusesAnotherInstrument()
{
    tRig rig;
    const auto refused = [&rig](const QString& port, const char* message) {
        rig.exchanger.SetDevice({ port, "Model", "1234", "2.05" });
        const CDeviceExchanger::tResult result = rig.exchanger.RunCommand(CDeviceExchanger::cmdConnect);
        return result.bCritical && !rig.exchanger.IsConnected() && result.sErrors.startsWith(QLatin1String(message));
    };
    rig.instrument.identification = "Maker,Model,1235,Ver.   2.05\n";
    QVERIFY(refused("COM5",
        "Connected device isn't the requested  device (port COM5). Please, re-connect the device.\n\nError code is "
        "LX-5:"));
    rig.instrument.identification = "Maker,Model,1234,Ver.   2.05\n";
    rig.instrument.wavelengths.clear(); // none listed
    QVERIFY(refused("COM5", "The instrument's parameters are not valid."));
    QVERIFY(refused("COM3", "Cannot connect to port COM3.\nThe port is probably in use by another application."));
    QVERIFY(refused("COM1", "No identification was received from the instrument on port COM1."));
    QCOMPARE(rig.bus.openPorts, 0);
}

void TestDeviceExchanger::measurement()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    rig.instrument.measured = Trace(Utc(2026, 12, 5, 14, 37, 48));
    rig.instrument.busyReplies = 1;
    QSignalSpy waiting(&rig.exchanger, &CDeviceExchanger::sigSetWaiting);
    rig.clock.elapsedMs = 0;

    const CDeviceExchanger::tResult result = rig.exchanger.RunCommand(CDeviceExchanger::cmdMeasurement);
    QVERIFY2(result.sErrors.isEmpty(), qPrintable(result.sErrors));
    QCOMPARE(result.res.size(), 1);
    QCOMPARE(result.res[0].sFileName, QDir(rig.folder.path()).filePath("261205_14374.sor"));
    QCOMPARE(result.res[0].baData, rig.instrument.measured);
    // The file is named, not written.
    QVERIFY(!QFile::exists(result.res[0].sFileName));
    // 0 first; the 5 s measurement shows 5 + 3 + 2 s; one busy reply adds 3 + 2.
    QCOMPARE(waiting.size(), 3);
    QCOMPARE(waiting[0], (QVariantList { 0, false }));
    QCOMPARE(waiting[1], (QVariantList { 10, true }));
    QCOMPARE(waiting[2], (QVariantList { 5, true }));
    QVERIFY(rig.instrument.CountReceived(";MMEM:LOAD:FILE? 0\r") == 1);
    // Mode 2 + configuration, mode 1 + INIT + 500, 8 s, two IDN, 3 s, mode 3 + load,
    // the download's reads and a short look that nothing follows the block.
    const qint64 download = (rig.instrument.measured.size() + 10 + 699) / 700 * 500 + CDeviceExchanger::kTrailPause;
    QCOMPARE(rig.clock.elapsedMs, 2 * 200 + 2 * 200 + 500 + 8000 + 2 * 200 + 3000 + 2 * 200 + download);
}

void TestDeviceExchanger::measurementWithoutTimeReply()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    rig.instrument.initReply.clear();
    const CDeviceExchanger::tResult result = rig.exchanger.RunCommand(CDeviceExchanger::cmdMeasurement);
    QCOMPARE(result.sErrors, QStringLiteral("The instrument did not accept the measurement request.\nThe instrument is probably not a compatible one."));
    QVERIFY(!result.bCritical);
    QVERIFY(result.res.isEmpty());
    QVERIFY(rig.exchanger.IsConnected());

    rig.instrument.initReply = "ten\n";
    QVERIFY(!rig.exchanger.RunCommand(CDeviceExchanger::cmdMeasurement).sErrors.isEmpty());
}

void TestDeviceExchanger::measurementCancelledWhileWaiting()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    // An instrument announcing an absurd time is waited for until the user cancels.
    rig.instrument.initReply = "2147483647\n";
    QSignalSpy waiting(&rig.exchanger, &CDeviceExchanger::sigSetWaiting);
    rig.clock.elapsedMs = 0;
    rig.clock.onSleep = [&rig] {
        if (rig.clock.elapsedMs >= 60000)
            rig.exchanger.CancelExchange();
    };
    const CDeviceExchanger::tResult result = rig.exchanger.RunCommand(CDeviceExchanger::cmdMeasurement);
    QVERIFY(result.bCancelled);
    QVERIFY(result.sErrors.isEmpty());
    QVERIFY(result.res.isEmpty());
    QCOMPARE(waiting[1], (QVariantList { std::numeric_limits<int>::max(), true }));
    QCOMPARE(rig.instrument.CountReceived(";MMEM:LOAD"), 0);
}

void TestDeviceExchanger::loadAllNamesEveryFileApart()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    // Two traces within the same ten seconds, one of them already in the folder.
    rig.instrument.files = { Trace(Utc(2026, 12, 5, 14, 37, 41)), Trace(Utc(2026, 12, 5, 14, 37, 48)),
        Trace(Utc(2026, 12, 5, 14, 38, 2)) };
    QFile existing(QDir(rig.folder.path()).filePath("261205_14374.sor"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QSignalSpy progress(&rig.exchanger, &CDeviceExchanger::sigSetProgress);

    const CDeviceExchanger::tResult result = rig.exchanger.RunCommand(CDeviceExchanger::cmdLoadAll);
    QVERIFY2(result.sErrors.isEmpty(), qPrintable(result.sErrors));
    QCOMPARE(result.res.size(), 3);
    const QDir dir(rig.folder.path());
    QCOMPARE(result.res[0].sFileName, dir.filePath("261205_14374(1).sor"));
    QCOMPARE(result.res[1].sFileName, dir.filePath("261205_14374(2).sor"));
    QCOMPARE(result.res[2].sFileName, dir.filePath("261205_14380.sor"));
    QCOMPARE(result.res[1].baData, Trace(Utc(2026, 12, 5, 14, 37, 48)));
    QCOMPARE(progress.size(), 4);
    QCOMPARE(progress[0], (QVariantList { 0, 3, true }));
    QCOMPARE(progress[3], (QVariantList { 3, 3, false }));
    // Erasing is for the caller, once the traces are safely written.
    QCOMPARE(rig.instrument.CountReceived(";MMEM:INIT"), 0);
}

// An empty memory is the command-line tool's test; a count that is no count:
void TestDeviceExchanger::loadAllBadFileCount()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    rig.instrument.freeReply = "5\n";
    const CDeviceExchanger::tResult result = rig.exchanger.RunCommand(CDeviceExchanger::cmdLoadAll);
    QCOMPARE(result.sErrors, QStringLiteral("The instrument reported an impossible number of files.\nThe instrument is probably not a compatible one."));
    QVERIFY(!result.bCritical);
    QVERIFY(rig.exchanger.IsConnected());
}

void TestDeviceExchanger::loadAllCancelledDuringThirdFile()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    for (int i = 0; i < 5; ++i)
        rig.instrument.files.append(Trace(Utc(2026, 12, 5, 10, i, 0)));
    // Cancel once the third download has delivered its first chunk.
    rig.clock.onSleep = [&rig] {
        if (rig.instrument.received.last() == ";MMEM:LOAD:FILE? 3\r" && rig.clock.elapsedMs > 0)
            rig.exchanger.CancelExchange();
    };
    const CDeviceExchanger::tResult result = rig.exchanger.RunCommand(CDeviceExchanger::cmdLoadAll);
    QVERIFY(result.bCancelled);
    QVERIFY(result.sErrors.isEmpty());
    QCOMPARE(result.res.size(), 3);
    QCOMPARE(result.res[0].baData, rig.instrument.files[0]);
    QCOMPARE(result.res[1].baData, rig.instrument.files[1]);
    QVERIFY(result.res[2].sFileName.isEmpty());
    QVERIFY(result.res[2].baData.isEmpty());
    QCOMPARE(rig.instrument.CountReceived(";MMEM:LOAD:FILE? 4"), 0);
    // The rest of the third file is drained: the next reply is the next one's.
    rig.clock.onSleep = nullptr;
    QVERIFY(rig.exchanger.RunCommand(CDeviceExchanger::cmdSetParameters).sErrors.isEmpty());
}

void TestDeviceExchanger::endlessDownloadIsRefused()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    rig.instrument.files = { Trace(Utc(2026, 12, 5, 10, 0, 0)) };
    rig.instrument.endlessChunk = 4 * 1024 * 1024;
    rig.clock.elapsedMs = 0;
    const CDeviceExchanger::tResult result = rig.exchanger.RunCommand(CDeviceExchanger::cmdLoadAll);
    QCOMPARE(
        result.sErrors, QStringLiteral("The file from the instrument is invalid.\nThe instrument is probably not a compatible one."));
    QVERIFY(!result.bCritical);
    QVERIFY(result.res.isEmpty());
    QVERIFY(QDir(rig.folder.path()).isEmpty());
    // Stopped within seconds of the block's end, and the line drained.
    QVERIFY(rig.clock.elapsedMs < 10000);
    QVERIFY(rig.exchanger.RunCommand(CDeviceExchanger::cmdSetParameters).sErrors.isEmpty());
}

void TestDeviceExchanger::garbageFileIsRefused()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    // A trace that ends inside its data points.
    const QByteArray broken = Trace(Utc(2026, 12, 5, 10, 0, 0)).chopped(300);
    rig.instrument.files = { Trace(Utc(2026, 12, 5, 10, 0, 0)), broken, Trace(Utc(2026, 12, 5, 11, 0, 0)) };
    const CDeviceExchanger::tResult result = rig.exchanger.RunCommand(CDeviceExchanger::cmdLoadAll);
    QVERIFY2(result.sErrors.startsWith("Device's file is invalid:\n"), qPrintable(result.sErrors));
    QVERIFY(result.sErrors.contains("Error code is LX"));
    QVERIFY(!result.bCritical);
    // The trace downloaded before the error is delivered.
    QCOMPARE(result.res.size(), 1);
}

void TestDeviceExchanger::clock()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    rig.clock.now = QDateTime(QDate(2026, 12, 5), QTime(9, 7, 3));
    rig.instrument.received.clear();
    QSignalSpy waiting(&rig.exchanger, &CDeviceExchanger::sigSetWaiting);
    QVERIFY(rig.exchanger.RunCommand(CDeviceExchanger::cmdUpdateDateTime).sErrors.isEmpty());
    QCOMPARE(rig.instrument.received,
        (QList<QByteArray> { ";SYST:MODE 6\r", ";SYST:DATE 05,12,2026\r", ";SYST:TIME 09,07,03\r" }));
    QCOMPARE(waiting[0], (QVariantList { 2, false }));
}

QTEST_GUILESS_MAIN(TestDeviceExchanger)
#include "tst_deviceexchanger.moc"
