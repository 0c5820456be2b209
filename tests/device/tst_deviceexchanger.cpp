#include "CFakeClock.h"
#include "CFakeInstrument.h"
#include "CScriptedConnector.h"

#include <CDeviceConnectorCOM.h>
#include <CDeviceExchanger.h>
#include <EDeviceExchange.h>
#include <IExchangeQuestions.h>
#include <SorBuilder.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A valid trace of 600 samples measured on 5 December 2026 at the given time (UTC).
QByteArray Trace(int hour, int minute, int second)
{
    const QDateTime time(QDate(2026, 12, 5), QTime(hour, minute, second), Qt::UTC);
    return SorBuilder::TimedFile(quint32(time.toSecsSinceEpoch()));
}

class CAnswers : public IExchangeQuestions
{
public:
    bool DeleteLoadedFiles() override
    {
        ++asked;
        return answer;
    }
    int asked = 0;
    bool answer = true;
};

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
        exchanger.SetQuestions(&answers);
        exchanger.SetWorkFolder(folder.path());
    }

    CDeviceExchanger::tResult Connect(const QString& port = QStringLiteral("COM5"))
    {
        exchanger.SetDevice({ port, "Model", "1234", "2.05" });
        return exchanger.RunCommand(CDeviceExchanger::cmdConnect);
    }
    CDeviceExchanger::tResult Run(CDeviceExchanger::tCommand command) { return exchanger.RunCommand(command); }
    QString Path(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    CFakeInstrument instrument;
    CScriptedConnector::tBus bus;
    CFakeClock clock;
    CAnswers answers;
    CDeviceExchanger exchanger;
};

// How the stored traces go wrong in a download.
enum tLoadFault { NoFault, Endless, Garbage, CutBlock };

const QString kInvalidFile = QStringLiteral("Device's file is invalid.\nProbably, Probably, you use incompatible device");

} // namespace

// The instrument dialogue of the exchanger against scripted instruments: no
// serial port and no real pauses.
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
    void namesAndIndices();
    void portOrder();
    void search();
    void connectLearnsLists();
    void connectRefused_data();
    void connectRefused();
    void setParametersTakesTheInstrumentsAnswer();
    void measurement();
    void measurementWithoutTimeReply();
    void measurementCancelledWhileWaiting();
    void loadAllNamesEveryFileApart();
    void loadAllRefused_data();
    void loadAllRefused();
    void loadAllCancelledDuringThirdFile();
    void clockAndClear();
    void sendFailureIsCritical();
    void threadedRunEndsWithSignal();
};

void TestDeviceExchanger::identification_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("error");

    const QString invalid = "Invalid device's identificator received from port COM5.";
    QTest::newRow("numero sign") << QByteArray("Maker,Model,\xB9") + "1234,Ver.   2.05\n"
                                 << "1234"
                                 << "2.05" << QString();
    QTest::newRow("plain number") << QByteArray("Maker,X-2,77,Version3.1\r") << "77"
                                  << "3.1" << QString();
    QTest::newRow("three parts") << QByteArray("Maker,Model,1234\n") << QString() << QString() << invalid;
    QTest::newRow("five parts") << QByteArray("Maker,Model,1234,Ver.   2.05,x\n") << QString() << QString() << invalid;
    QTest::newRow("empty") << QByteArray() << QString() << QString()
                           << "Cannot receive device's identificator from port COM5.";
}

void TestDeviceExchanger::identification()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, error);
    try {
        const tDeviceInfo info
            = CDeviceExchanger::ParseIdentification(CDeviceExchanger::DecodeReply(reply), QStringLiteral("COM5"));
        QVERIFY2(error.isEmpty(), "accepted a bad identification");
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
    QTest::addColumn<QList<int>>("values"); // empty: refused

    QTest::newRow("units") << "CFG,64km,100ns,30s,1550(1),1.4682\n" << QList<int> { 64, 100, 30, 1550, 1 };
    QTest::newRow("extra parts ignored") << "CFG,2,10,15,1310(0),1.5,zz,1\n" << QList<int> { 2, 10, 15, 1310, 0 };
    QTest::newRow("index too low") << "CFG,64km,100ns,30s,1550(1),1.3\n" << QList<int>();
    QTest::newRow("index not a number") << "CFG,64km,100ns,30s,1550(1),nan\n" << QList<int>();
    QTest::newRow("no slot") << "CFG,64,100,30,1550,1.4682\n" << QList<int>();
    QTest::newRow("empty slot") << "CFG,64,100,30,1550(),1.4682\n" << QList<int>();
    QTest::newRow("no digits") << "CFG,km,100,30,1550(1),1.4682\n" << QList<int>();
    QTest::newRow("huge number") << "CFG,99999999999,100,30,1550(1),1.4682\n" << QList<int>();
    QTest::newRow("empty") << "" << QList<int>();
}

void TestDeviceExchanger::configuration()
{
    QFETCH(QString, reply);
    QFETCH(QList<int>, values);
    try {
        const tConfig config = CDeviceExchanger::ParseConfig(reply);
        QCOMPARE((QList<int> { config.nLineLen, config.nPulseWidth, config.nAverageTime, config.nWaveLenValue,
                     config.nWaveLenIndex }),
            values);
    } catch (const EDeviceExchange& e) {
        QVERIFY2(values.isEmpty(), qPrintable(e.Message()));
        QCOMPARE(e.Message(),
            QStringLiteral(
                "Device parameters are invalid.\nProbably, you use incompatible device or device is not connected."));
        QVERIFY(e.IsCritical());
    }
}

void TestDeviceExchanger::block_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<bool>("valid");

    const QByteArray data(995, 'x');
    QTest::newRow("999 bytes") << ("#3994" + data.left(994)) << false;
    QTest::newRow("1000 bytes") << ("#3995" + data) << true;
    QTest::newRow("length one more") << ("#3996" + data) << false;
    QTest::newRow("trailing byte") << ("#3995" + data + "\n") << false;
    QTest::newRow("eight digits") << ("#800001000" + QByteArray(1000, 'y')) << true;
    QTest::newRow("sign in length") << ("#4+995" + data) << false;
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
        QCOMPARE(e.Message(), kInvalidFile);
        QVERIFY(!e.IsCritical());
    }
}

void TestDeviceExchanger::namesAndIndices()
{
    // The name holds the ten-second digit of the time stamp.
    const QDateTime time(QDate(2026, 12, 5), QTime(14, 37, 48), Qt::UTC);
    QCOMPARE(CDeviceExchanger::FileBaseName(time), QStringLiteral("261205_14374"));

    QTemporaryDir folder;
    const QDir dir(folder.path());
    QFile existing(dir.filePath("261205_14374.sor"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QCOMPARE(CDeviceExchanger::FreeFileName(dir.path(), "261205_14374", { dir.filePath("261205_14374(1).sor") }),
        dir.filePath("261205_14374(2).sor"));
    // Whatever the name is made of, the file stays in the folder.
    const QString escaped = CDeviceExchanger::FreeFileName(dir.path(), "../../etc/x", {});
    QCOMPARE(QFileInfo(escaped).absolutePath(), dir.absolutePath());
    QCOMPARE(QFileInfo(CDeviceExchanger::FreeFileName(dir.path(), "", {})).absolutePath(), dir.absolutePath());

    // A value missing from a list falls back to its first entry.
    const QStringList list { "10", "30", "100" };
    QCOMPARE(CDeviceExchanger::IndexOfValue(list, 100), 2);
    QCOMPARE(CDeviceExchanger::IndexOfValue(list, 50), 0);
    QCOMPARE(CDeviceExchanger::IndexOfValue({}, 5), 0);
}

void TestDeviceExchanger::portOrder()
{
    // FTDI ports first, then the others, then the named ones, each once.
    const QList<CDeviceConnectorCOM::tPortEntry> ports {
        { "COM1", "\\\\.\\COM1", false },
        { "COM5", "\\\\.\\COM5", true },
        { "ttyS0", "/dev/ttyS0", false },
        { "ttyUSB0", "/dev/ttyUSB0", true },
    };
    QCOMPARE(CDeviceConnectorCOM::OrderPorts(ports, { "/dev/pts/7", "/dev/ttyS0", "COM5", "", "/dev/pts/7" }),
        (QStringList { "COM5", "ttyUSB0", "COM1", "ttyS0", "/dev/pts/7" }));

    CDeviceConnectorCOM absent;
    QVERIFY(!absent.Open("/nonexistent/ttyLX9", 200));
    QVERIFY(!absent.IsOpen());
    QVERIFY(absent.ReadAll().isEmpty());
    QVERIFY_THROWS_EXCEPTION(IDeviceConnector::ESending, absent.Send("x"));
}

void TestDeviceExchanger::search()
{
    tRig rig;
    CFakeInstrument second;
    second.identification = "Other,OT-1,55,Ver.   1.00\n";
    CFakeInstrument garbled;
    garbled.identification = "garbage\n";
    rig.bus.ports = QStringList { "COM1", "COM5", "COM7", "COM8", "COM9" };
    rig.bus.instruments.insert("COM7", &garbled);
    rig.bus.instruments.insert("COM8", &second);
    rig.bus.brokenPorts = QStringList { "COM9" };
    QSignalSpy waiting(&rig.exchanger, &CDeviceExchanger::sigSetWaiting);

    QVERIFY(rig.Run(CDeviceExchanger::cmdSearch).sErrors.isEmpty());
    const QList<tDeviceInfo> devices = rig.exchanger.GetDevices();
    QCOMPARE(devices.size(), 2);
    QCOMPARE(devices[0].sPort, QStringLiteral("COM5"));
    QCOMPARE(devices[1].sPort, QStringLiteral("COM8"));
    // Nothing is left open.
    QCOMPARE(rig.bus.openPorts, 0);
    QCOMPARE(waiting[0], (QVariantList { 0, true }));
}

void TestDeviceExchanger::connectLearnsLists()
{
    tRig rig;
    QSignalSpy waiting(&rig.exchanger, &CDeviceExchanger::sigSetWaiting);
    QVERIFY(rig.Connect().sErrors.isEmpty());
    QVERIFY(rig.exchanger.IsConnected());
    QCOMPARE(waiting[0], (QVariantList { 7, false }));

    const tAvailable available = rig.exchanger.GetAvailable();
    QCOMPARE(available.lsLineLen, (QStringList { "2", "8", "32" }));
    QCOMPARE(available.lsPulseWidth, (QStringList { "10", "30", "100", "300", "1000" }));
    QCOMPARE(available.lsWaveLen, (QStringList { "1310", "1550", "0" }));
    // Passes 0 to 4 each add a pulse width; pass 5 adds nothing and ends it.
    QCOMPARE(rig.instrument.CountReceived(";SYST:SET:CFG "), 6);
    QCOMPARE(rig.instrument.received.last(), QByteArray(";SYST:SET:CFG 5,5,5,1,1.4682\r"));
    // The configuration read before probing is what counts.
    QCOMPARE(rig.exchanger.GetParameters().nPulseWidth, 2);

    QVERIFY(rig.Run(CDeviceExchanger::cmdDisconnect).sErrors.isEmpty());
    QVERIFY(!rig.exchanger.IsConnected());
    QCOMPARE(rig.instrument.received.last(), QByteArray(";SYST:MODE 0\r"));
}

void TestDeviceExchanger::connectRefused_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QByteArray>("identification");
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("error");

    const QByteArray same = "Maker,Model,1234,Ver.   2.05\n";
    const QString invalid = "Device parameters are invalid.";
    QTest::newRow("another number") << "COM5" << QByteArray("Maker,Model,1235,Ver.   2.05\n") << QByteArray()
                                    << "Connected device isn't the requested  device (port COM5). Please, re-connect "
                                       "the device.\n\nError code is LX-5:";
    QTest::newRow("configuration without slot") << "COM5" << same << QByteArray("CFG,64,100,30,1550,1.4682\n")
                                                << invalid;
    // A wavelength answer that is only the terminator.
    QTest::newRow("no wavelengths") << "COM5" << same << QByteArray("no wavelengths") << invalid;
    QTest::newRow("port missing") << "COM3" << same << QByteArray()
                                  << "Cannot connect to port COM3.\nProbably, port in using by another application.";
    QTest::newRow("silent port") << "COM1" << same << QByteArray()
                                 << "Cannot receive device's identificator from port COM1.";
}

void TestDeviceExchanger::connectRefused()
{
    QFETCH(QString, port);
    QFETCH(QByteArray, identification);
    QFETCH(QByteArray, config);
    QFETCH(QString, error);

    tRig rig;
    rig.instrument.identification = identification;
    if (config == "no wavelengths")
        rig.instrument.wavelengths.clear();
    else
        rig.instrument.configReply = config;
    const CDeviceExchanger::tResult result = rig.Connect(port);
    QVERIFY(result.bCritical);
    QVERIFY2(result.sErrors.startsWith(error), qPrintable(result.sErrors));
    QVERIFY(!rig.exchanger.IsConnected());
    QCOMPARE(rig.bus.openPorts, 0);
}

void TestDeviceExchanger::setParametersTakesTheInstrumentsAnswer()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    tParameters wanted = rig.exchanger.GetParameters();
    wanted.nLineLen = 2;
    wanted.nPulseWidth = 9; // beyond the table: the instrument keeps its last pulse width
    wanted.fGI = 1.5f;
    rig.exchanger.SetParameters(wanted);
    QVERIFY(rig.Run(CDeviceExchanger::cmdSetParameters).sErrors.isEmpty());
    QCOMPARE(rig.instrument.received.mid(rig.instrument.received.size() - 2),
        (QList<QByteArray> { ";SYST:MODE 2\r", ";SYST:SET:CFG 2,9,1,1,1.5\r" }));
    const tParameters stored = rig.exchanger.GetParameters();
    QCOMPARE(stored.nLineLen, 2);
    QCOMPARE(stored.nPulseWidth, 4);
    QCOMPARE(stored.fGI, 1.5f);
}

void TestDeviceExchanger::measurement()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    rig.instrument.measured = Trace(14, 37, 48);
    rig.instrument.busyReplies = 1;
    QSignalSpy waiting(&rig.exchanger, &CDeviceExchanger::sigSetWaiting);

    const CDeviceExchanger::tResult result = rig.Run(CDeviceExchanger::cmdMeasurement);
    QVERIFY2(result.sErrors.isEmpty(), qPrintable(result.sErrors));
    QCOMPARE(result.res.size(), 1);
    QCOMPARE(result.res[0].sFileName, rig.Path("261205_14374.sor"));
    QCOMPARE(result.res[0].baData, rig.instrument.measured);
    // The file is named, not written.
    QVERIFY(!QFile::exists(result.res[0].sFileName));
    // 0 first; the 5 s measurement shows 5 + 3 + 2 s; one busy reply adds 3 + 2.
    QCOMPARE(waiting.size(), 3);
    QCOMPARE(waiting[1], (QVariantList { 10, true }));
    QCOMPARE(waiting[2], (QVariantList { 5, true }));
}

void TestDeviceExchanger::measurementWithoutTimeReply()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    for (const QByteArray& reply : { QByteArray(), QByteArray("ten\n") }) {
        rig.instrument.initReply = reply;
        const CDeviceExchanger::tResult result = rig.Run(CDeviceExchanger::cmdMeasurement);
        QCOMPARE(
            result.sErrors, QStringLiteral("Error of request measurement.\nProbably, you use incompatible device."));
        QVERIFY(!result.bCritical);
        QVERIFY(result.res.isEmpty());
        QVERIFY(rig.exchanger.IsConnected());
    }
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
    const CDeviceExchanger::tResult result = rig.Run(CDeviceExchanger::cmdMeasurement);
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
    // Two traces within the same ten seconds, one name of them already in the folder.
    rig.instrument.files = { Trace(14, 37, 41), Trace(14, 37, 48), Trace(14, 38, 2) };
    QFile existing(rig.Path("261205_14374.sor"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QSignalSpy progress(&rig.exchanger, &CDeviceExchanger::sigSetProgress);

    const CDeviceExchanger::tResult result = rig.Run(CDeviceExchanger::cmdLoadAll);
    QVERIFY2(result.sErrors.isEmpty(), qPrintable(result.sErrors));
    QCOMPARE(result.res.size(), 3);
    QCOMPARE(result.res[0].sFileName, rig.Path("261205_14374(1).sor"));
    QCOMPARE(result.res[1].sFileName, rig.Path("261205_14374(2).sor"));
    QCOMPARE(result.res[2].sFileName, rig.Path("261205_14380.sor"));
    QCOMPARE(result.res[1].baData, Trace(14, 37, 48));
    QCOMPARE(progress[0], (QVariantList { 0, 3, true }));
    QCOMPARE(progress.last(), (QVariantList { 3, 3, false }));
    // Asked once after all of them arrived; "Yes" cleared the memory.
    QCOMPARE(rig.answers.asked, 1);
    QCOMPARE(rig.instrument.received.last(), QByteArray(";MMEM:INIT\r"));
    QVERIFY(rig.instrument.files.isEmpty());

    // "No" keeps it.
    rig.instrument.files = { Trace(14, 37, 41) };
    rig.answers.answer = false;
    QVERIFY(rig.Run(CDeviceExchanger::cmdLoadAll).sErrors.isEmpty());
    QCOMPARE(rig.instrument.files.size(), 1);
}

void TestDeviceExchanger::loadAllRefused_data()
{
    // Every refusal is no critical error, asks no deletion question and
    // writes nothing; `delivered` traces before the fault still arrive.
    QTest::addColumn<QByteArray>("freeReply");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("delivered");

    QTest::newRow("empty") << QByteArray("0,5000\n") << int(NoFault) << "Device is empty" << 0;
    QTest::newRow("count not a number") << QByteArray("x,5000\n") << int(NoFault) << "Device is empty" << 0;
    QTest::newRow("count missing") << QByteArray("5\n") << int(NoFault)
                                   << "Number of files is incorrect.\nProbably, you use incompatible device." << 0;
    // The download grows without end: refused at 64 MiB.
    QTest::newRow("endless download") << QByteArray() << int(Endless) << kInvalidFile << 0;
    // The second of three traces ends inside its data points.
    QTest::newRow("broken trace") << QByteArray() << int(Garbage) << "Device's file is invalid:\n" << 1;
    QTest::newRow("block ends before its length") << QByteArray() << int(CutBlock) << "Device's file is invalid" << 0;
}

void TestDeviceExchanger::loadAllRefused()
{
    QFETCH(QByteArray, freeReply);
    QFETCH(int, fault);
    QFETCH(QString, error);
    QFETCH(int, delivered);

    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    rig.instrument.freeReply = freeReply;
    rig.instrument.files = { Trace(10, 0, 0), Trace(10, 0, 0).chopped(300), Trace(11, 0, 0) };
    if (fault == Endless) {
        rig.instrument.endlessChunk = 4 * 1024 * 1024;
    } else if (fault == CutBlock) {
        rig.instrument.files = { Trace(10, 0, 0).left(900) + QByteArray(500, '\0') };
        rig.instrument.chunkSize = 100000;
    }
    const CDeviceExchanger::tResult result = rig.Run(CDeviceExchanger::cmdLoadAll);
    QVERIFY2(result.sErrors.startsWith(error), qPrintable(result.sErrors));
    QVERIFY(!result.bCritical);
    QCOMPARE(result.res.size(), delivered);
    QCOMPARE(rig.answers.asked, 0);
    QVERIFY(QDir(rig.folder.path()).isEmpty());
    QVERIFY(rig.exchanger.IsConnected());
}

void TestDeviceExchanger::loadAllCancelledDuringThirdFile()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    for (int i = 0; i < 5; ++i)
        rig.instrument.files.append(Trace(10, i, 0));
    // Cancel once the third download has delivered its first chunk.
    rig.clock.onSleep = [&rig] {
        if (rig.instrument.received.last() == ";MMEM:LOAD:FILE? 3\r" && rig.clock.elapsedMs > 0)
            rig.exchanger.CancelExchange();
    };
    const CDeviceExchanger::tResult result = rig.Run(CDeviceExchanger::cmdLoadAll);
    QVERIFY(result.bCancelled);
    QVERIFY(result.sErrors.isEmpty());
    QCOMPARE(result.res.size(), 3);
    QCOMPARE(result.res[1].baData, rig.instrument.files[1]);
    QVERIFY(result.res[2].sFileName.isEmpty());
    QVERIFY(result.res[2].baData.isEmpty());
    QCOMPARE(rig.answers.asked, 0);
    QCOMPARE(rig.instrument.CountReceived(";MMEM:LOAD:FILE? 4"), 0);
    QCOMPARE(rig.instrument.CountReceived(";MMEM:INIT"), 0);
}

void TestDeviceExchanger::clockAndClear()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    rig.clock.now = QDateTime(QDate(2026, 12, 5), QTime(9, 7, 3));
    rig.instrument.received.clear();
    QVERIFY(rig.Run(CDeviceExchanger::cmdUpdateDateTime).sErrors.isEmpty());
    QCOMPARE(rig.instrument.received,
        (QList<QByteArray> { ";SYST:MODE 6\r", ";SYST:DATE 05,12,2026\r", ";SYST:TIME 09,07,03\r" }));
    QVERIFY(rig.Run(CDeviceExchanger::cmdClearMemory).sErrors.isEmpty());
    QCOMPARE(rig.instrument.received.last(), QByteArray(";MMEM:INIT\r"));
}

void TestDeviceExchanger::sendFailureIsCritical()
{
    tRig rig;
    QVERIFY(rig.Connect().sErrors.isEmpty());
    rig.bus.brokenPorts = QStringList { "COM5" };
    const CDeviceExchanger::tResult result = rig.Run(CDeviceExchanger::cmdSetParameters);
    QVERIFY(result.bCritical);
    QVERIFY(result.sErrors.startsWith("Error of sending\n\nError code is LX-4:"));
    // Disconnecting swallows the failure and closes the port all the same.
    QVERIFY(rig.Run(CDeviceExchanger::cmdDisconnect).sErrors.isEmpty());
    QVERIFY(!rig.exchanger.IsConnected());
}

void TestDeviceExchanger::threadedRunEndsWithSignal()
{
    tRig rig;
    QSignalSpy end(&rig.exchanger, &CDeviceExchanger::sigExchangeEnd);
    QVERIFY(rig.exchanger.Exec(CDeviceExchanger::cmdSearch));
    QVERIFY(end.wait(10000));
    QCOMPARE(end[0][0].value<CDeviceExchanger::tCommand>(), CDeviceExchanger::cmdSearch);
    QVERIFY(rig.exchanger.wait(10000));
    QCOMPARE(rig.exchanger.GetDevices().size(), 1);

    rig.exchanger.SetDevice(rig.exchanger.GetDevices()[0]);
    rig.instrument.files = { Trace(10, 0, 0) };
    // The next command starts from the slot that learns of the end of the
    // last one, while that run may still be returning.
    bool chained = false;
    connect(&rig.exchanger, &CDeviceExchanger::sigExchangeEnd, &rig.exchanger, [&](CDeviceExchanger::tCommand command) {
        if (command == CDeviceExchanger::cmdConnect)
            chained = rig.exchanger.Exec(CDeviceExchanger::cmdLoadAll);
    });
    QVERIFY(rig.exchanger.Exec(CDeviceExchanger::cmdConnect));
    QTRY_COMPARE_WITH_TIMEOUT(end.size(), 3, 10000);
    QVERIFY(chained);
    QCOMPARE(end[2][0].value<CDeviceExchanger::tCommand>(), CDeviceExchanger::cmdLoadAll);
    QCOMPARE(end[2][4].value<CDeviceExchanger::tCommandRes>().size(), 1);
    QVERIFY(rig.exchanger.wait(10000));
    QVERIFY(rig.exchanger.IsConnected());
}

QTEST_GUILESS_MAIN(TestDeviceExchanger)
#include "tst_deviceexchanger.moc"
