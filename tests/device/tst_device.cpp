#include "CFakeClock.h"
#include "CFakeInstrument.h"
#include "CScriptedConnector.h"
#include <tPrivateStore.h>

#include <CBoxAnswerer.h>
#include <CDevice.h>
#include <CDeviceExchangeDlg.h>
#include <CFileList.h>
#include <SorBuilder.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// A valid trace of 600 samples measured at `time` (UTC).
QByteArray Trace(const QDateTime& time)
{
    return SorBuilder::TimedFile(quint32(time.toSecsSinceEpoch()));
}

// Works the "Device properties" dialog each time it comes up: runs the next
// step (which fills fields and presses a button), or cancels it when no step
// is left. Message boxes are left to a CBoxAnswerer.
class CDialogDriver : public QObject
{
public:
    using tStep = std::function<void(CDevice&)>;

    CDialogDriver(CDevice& device, const QList<tStep>& steps) : m_device(device), m_steps(steps)
    {
        connect(&m_timer, &QTimer::timeout, this, &CDialogDriver::Poll);
        m_timer.start(5);
    }
    int shown = 0;

private:
    void Poll()
    {
        const bool visible = m_device.isVisible() && QApplication::activeModalWidget() == &m_device;
        if (visible && !m_bWasVisible) {
            ++shown;
            if (m_steps.isEmpty())
                m_device.reject();
            else
                m_steps.takeFirst()(m_device);
        }
        m_bWasVisible = visible;
    }

    CDevice& m_device;
    QList<tStep> m_steps;
    QTimer m_timer;
    bool m_bWasVisible = false;
};

template<typename T> T* Child(QObject& parent, const char* name)
{
    return parent.findChild<T*>(QLatin1String(name));
}

void PressOk(CDevice& device)
{
    QPushButton* ok = Child<QDialogButtonBox>(device, "buttonBox")->button(QDialogButtonBox::Ok);
    QTest::mouseClick(ok, Qt::LeftButton);
}

// A main window stand-in with its file list, and the controller talking to a
// fake instrument on COM5 with a counting clock.
struct tRig
{
    tRig()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Norvane"));
        QCoreApplication::setApplicationName(QStringLiteral("Lumetrix_device_test"));
        tPrivateStore::Clear();
        fileList = new CFileList(&window);
        fileList->SetDir(folder.path());
        device = new CDevice(fileList, &window);
        bus.ports = QStringList { "COM1", "COM5" };
        bus.instruments.insert("COM5", &instrument);
        device->Exchanger()->SetConnectorFactory(
            [this] { return QSharedPointer<IDeviceConnector>(new CScriptedConnector(&bus)); });
        device->Exchanger()->SetClock(&clock);
        device->Exchanger()->SetWorkFolder(folder.path());
        window.resize(400, 300);
        window.show();
    }
    // The controller disconnects through the fake bus, which goes before the window.
    ~tRig() { delete device; }

    // Connect, accepting the first instrument found, and wait for the end.
    bool Connect()
    {
        QSignalSpy connected(device, &CDevice::sigConnect);
        CDialogDriver driver(*device, { PressOk });
        device->Connect();
        return connected.wait(10000) && device->IsConnected() && Idle();
    }

    // Waits until the command started last has ended.
    bool Idle() const
    {
        return QTest::qWaitFor([this] { return !device->ExchangeDlg()->isVisible(); }, 10000)
            && device->Exchanger()->wait(10000);
    }

    tPrivateStore store;
    QTemporaryDir folder;
    QWidget window;
    CFileList* fileList = nullptr;
    CDevice* device = nullptr;
    CFakeInstrument instrument;
    CScriptedConnector::tBus bus;
    CFakeClock clock;
};

} // namespace

class TestDevice : public QObject
{
    Q_OBJECT

private slots:
    void waitingDialog();
    void connectAndDisconnect();
    void propertiesWhileDisconnectedOnlyChooses();
    void searchFindsNothing();
    void parameterDialog();
    void criticalErrorDisconnects();
    void loadAllListsTracesAndAsksToDelete();
};

void TestDevice::waitingDialog()
{
    QWidget window;
    CDeviceExchangeDlg dialog(&window);
    QSignalSpy cancel(&dialog, &CDeviceExchangeDlg::sigCancel);
    dialog.Reset();
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.ProgressBar()->isHidden());
    QVERIFY(dialog.CancelButton()->isHidden());

    // Seconds add up; a slow instrument raises the maximum.
    dialog.SetWaiting(7, false);
    for (int i = 0; i < 3; ++i)
        dialog.tick();
    QVERIFY(dialog.CancelButton()->isHidden());
    dialog.SetWaiting(2, true);
    QCOMPARE(dialog.ProgressBar()->text(), QStringLiteral("3/9 sec"));
    QVERIFY(dialog.CancelButton()->isVisible());
    for (int i = 0; i < 8; ++i)
        dialog.tick();
    QCOMPARE(dialog.ProgressBar()->text(), QStringLiteral("11/11 sec"));
    // Cancel, Escape and the window's close all cancel; the dialog stays.
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.close());
    QCOMPARE(cancel.size(), 3);
    QVERIFY(dialog.isVisible());

    // Downloads count files, not seconds.
    dialog.Reset();
    QVERIFY(!dialog.IsTicking());
    dialog.SetWaiting(2, false);
    // Without Cancel, Escape and close do nothing.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.close() && dialog.isVisible());
    QCOMPARE(cancel.size(), 3);
    dialog.SetProgress(2, 5, true);
    QVERIFY(!dialog.IsTicking());
    QCOMPARE(dialog.ProgressBar()->text(), QStringLiteral("2/5"));
    QVERIFY(dialog.CancelButton()->isVisible());
    dialog.SetProgress(5, 5, false);
    QVERIFY(dialog.CancelButton()->isHidden());
}

void TestDevice::connectAndDisconnect()
{
    // The search skips a garbled answer and a port that takes nothing.
    tRig rig;
    CFakeInstrument garbled;
    garbled.identification = "garbage\n";
    CFakeInstrument second;
    second.identification = "Maker,Other,99,Ver.   1.00\n";
    rig.bus.ports << "COM7"
                  << "COM8"
                  << "COM9";
    rig.bus.instruments.insert("COM7", &garbled);
    rig.bus.instruments.insert("COM8", &second);
    rig.bus.brokenPorts << "COM9";
    QSignalSpy connectedChange(rig.device, &CDevice::sigConnectedChange);
    int selectedRow = -1;
    {
        QSignalSpy connected(rig.device, &CDevice::sigConnect);
        CDialogDriver driver(*rig.device, { [&](CDevice& device) {
            auto* list = Child<QTableWidget>(device, "DeviceList");
            selectedRow = list->isEnabled() ? list->currentRow() : -2;
            QCOMPARE(list->rowCount(), 2);
            QCOMPARE(list->item(0, 2)->text() + ' ' + list->item(0, 3)->text(), QStringLiteral("1234 2.05"));
            QCOMPARE(list->item(1, 1)->text(), QStringLiteral("Other"));
            QVERIFY(Child<QPushButton>(device, "DoMeasure")->isHidden());
            // The dialog keeps a modest size with its buttons inside.
            QVERIFY2(device.width() < 700 && device.height() < 400,
                qPrintable(QStringLiteral("%1x%2").arg(device.width()).arg(device.height())));
            QVERIFY(device.rect().contains(Child<QDialogButtonBox>(device, "buttonBox")->geometry()));
            PressOk(device);
        } });
        rig.device->Connect();
        QVERIFY(connected.wait(10000));
    }
    QCOMPARE(selectedRow, 0);
    QCOMPARE(rig.device->ConnectedDevice().sModel, QStringLiteral("Model"));
    QCOMPARE(connectedChange.size(), 1);
    QVERIFY(connectedChange[0][0].toBool());
    QVERIFY(!Child<QTableWidget>(*rig.device, "DeviceList")->isEnabled());

    QSignalSpy disconnected(rig.device, &CDevice::sigDisconnect);
    rig.device->Disconnect();
    QVERIFY(disconnected.wait(10000));
    QVERIFY(!rig.device->IsConnected());
    QCOMPARE(rig.bus.openPorts, 0);
    QVERIFY(!connectedChange.last()[0].toBool());
    QVERIFY(Child<QTableWidget>(*rig.device, "DeviceList")->isEnabled());
    QVERIFY(rig.Idle());
    // The port chosen is stored when the controller goes.
    delete rig.device;
    rig.device = nullptr;
    QCOMPARE(QSettings().value("Device/port").toString(), QStringLiteral("COM5"));
}

void TestDevice::propertiesWhileDisconnectedOnlyChooses()
{
    tRig rig;
    CDialogDriver driver(*rig.device, { PressOk });
    rig.device->Properties();
    QTRY_COMPARE_WITH_TIMEOUT(driver.shown, 1, 10000);
    QVERIFY(rig.Idle());
    QVERIFY(!rig.device->IsConnected());
    QCOMPARE(rig.device->ConnectedDevice().sPort, QStringLiteral("COM5"));
    QCOMPARE(rig.instrument.CountReceived(";SYST"), 0);
}

void TestDevice::searchFindsNothing()
{
    tRig rig;
    rig.bus.instruments.clear();
    {
        CBoxAnswerer answerer({ "Ok" });
        rig.device->Connect();
        QTRY_COMPARE_WITH_TIMEOUT(answerer.Count(), 1, 10000);
        QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Devices not found"));
        QVERIFY(rig.Idle());
    }
    // A search the user cancelled says nothing.
    CBoxAnswerer answerer;
    rig.clock.onSleep = [&rig] { rig.device->Exchanger()->CancelExchange(); };
    QSignalSpy end(rig.device->Exchanger(), &CDeviceExchanger::sigExchangeEnd);
    rig.device->Connect();
    QTRY_COMPARE_WITH_TIMEOUT(end.size(), 1, 10000);
    QVERIFY(end[0][2].toBool());
    QVERIFY(rig.Idle());
    QCoreApplication::processEvents();
    QCOMPARE(answerer.Count(), 0);
}

void TestDevice::parameterDialog()
{
    tRig rig;
    QVERIFY(rig.Connect());
    const int commands = int(rig.instrument.received.size());
    QString shownIndex;
    QString reopenedIndex;
    {
        CBoxAnswerer answerer({ "Ok" });
        CDialogDriver driver(*rig.device,
            { [&](CDevice& device) {
                 auto* index = Child<QLineEdit>(device, "index");
                 shownIndex = index->text();
                 index->setText("1.7");
                 PressOk(device);
             },
                [&](CDevice& device) {
                    auto* index = Child<QLineEdit>(device, "index");
                    reopenedIndex = index->text();
                    index->setText(shownIndex);
                    PressOk(device);
                } });
        rig.device->Properties();
        QCOMPARE(driver.shown, 2);
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen()[0].text,
            QStringLiteral("Parameter GI is invalid value 1.7. Enter real number between 1.40000 and 1.60000"));
    }
    QCOMPARE(shownIndex, QStringLiteral("1.46820"));
    QCOMPARE(reopenedIndex, QStringLiteral("1.7"));
    // Back to the values shown: OK sends nothing.
    QCOMPARE(rig.instrument.received.size(), commands);

    {
        CDialogDriver driver(*rig.device, { [](CDevice& device) {
            Child<QComboBox>(device, "nLineLen")->setCurrentIndex(2);
            Child<QComboBox>(device, "nWaveLen")->setCurrentIndex(0);
            Child<QLineEdit>(device, "index")->setText("1.5");
            PressOk(device);
        } });
        rig.device->Properties();
        QVERIFY(rig.Idle());
    }
    QCOMPARE(rig.instrument.received.last(), QByteArray(";SYST:SET:CFG 2,2,1,0,1.5\r"));
    QCOMPARE(Child<QLineEdit>(*rig.device, "index")->text(), QStringLiteral("1.50000"));

    // "Apply and start measure" with nothing changed sends no extra parameter
    // write; the instrument settles on other values than asked and the dialog follows it.
    rig.instrument.measured = Trace(QDateTime(QDate(2026, 12, 5), QTime(14, 37, 48), Qt::UTC));
    rig.instrument.received.clear();
    rig.instrument.configReply = "CFG,32km,1000ns,180s,1310(0),1.5\n";
    CDialogDriver measure(*rig.device,
        { [](CDevice& device) { QTest::mouseClick(Child<QPushButton>(device, "DoMeasure"), Qt::LeftButton); } });
    rig.device->Properties();
    QVERIFY(rig.Idle());
    QCOMPARE(rig.instrument.CountReceived(";SYST:SET:CFG "), 1);
    QTRY_COMPARE(rig.fileList->GetCount(), 1);
    QCOMPARE(QFileInfo(rig.fileList->GetFile(0)->Path()).fileName(), QStringLiteral("261205_14374.sor"));
    QCOMPARE(Child<QComboBox>(*rig.device, "nPulseWidth")->currentText(), QStringLiteral("1000"));
    QCOMPARE(Child<QComboBox>(*rig.device, "nAverageTime")->currentText(), QStringLiteral("180"));
}

void TestDevice::criticalErrorDisconnects()
{
    tRig rig;
    QVERIFY(rig.Connect());
    rig.instrument.configReply = "garbage\n";
    CBoxAnswerer answerer({ "Ok" });
    QSignalSpy disconnected(rig.device, &CDevice::sigDisconnect);
    rig.device->Measurement();
    QVERIFY(disconnected.wait(10000));
    QVERIFY(!rig.device->IsConnected());
    QCOMPARE(answerer.Count(), 1);
    QVERIFY(answerer.Seen()[0].text.startsWith("The instrument's parameters are not valid."));
    QCOMPARE(answerer.Seen()[0].parent, &rig.window);

    // A line that takes no more bytes: the box says which port and why.
    rig.instrument.configReply.clear();
    QVERIFY(rig.Connect());
    rig.bus.brokenPorts = QStringList { "COM5" };
    rig.device->Measurement();
    QVERIFY(disconnected.wait(10000));
    QCOMPARE(answerer.Seen().value(1).icon, QMessageBox::Warning);
    QVERIFY(answerer.Seen()[1].text.startsWith("The instrument on port COM5 does not answer."));
}

void TestDevice::loadAllListsTracesAndAsksToDelete()
{
    tRig rig;
    QVERIFY(rig.Connect());
    rig.instrument.files = { Trace(QDateTime(QDate(2026, 12, 5), QTime(14, 37, 41), Qt::UTC)),
        Trace(QDateTime(QDate(2026, 12, 5), QTime(14, 37, 48), Qt::UTC)) };
    rig.device->SetDeleteOption([] { return true; });
    // Traces that cannot be written (their folder is gone): the instrument
    // keeps them, unasked.
    rig.device->Exchanger()->SetWorkFolder(rig.folder.filePath("gone"));
    {
        CBoxAnswerer answerer({ "Ignore", "Ignore" });
        rig.device->LoadAll();
        QVERIFY(rig.Idle());
        QTRY_COMPARE(answerer.Count(), 2);
        QVERIFY(rig.Idle());
        QCOMPARE(rig.instrument.CountReceived(";MMEM:INIT"), 0);
    }
    rig.device->Exchanger()->SetWorkFolder(rig.folder.path());
    {
        // Asked once both are on disk and listed; Yes erases the memory.
        CBoxAnswerer answerer({ "Yes" });
        rig.device->LoadAll();
        QTRY_COMPARE(answerer.Count(), 1);
        QCOMPARE(rig.fileList->GetCount(), 2);
        QCOMPARE(answerer.Seen()[0].text, QStringLiteral("Delete all traces on the instrument?"));
        QVERIFY(rig.Idle());
    }
    QCOMPARE(rig.instrument.received.last(), QByteArray(";MMEM:INIT\r"));
    QVERIFY(QFile::exists(QDir(rig.folder.path()).filePath("261205_14374.sor")));
    QVERIFY(QFile::exists(QDir(rig.folder.path()).filePath("261205_14374(1).sor")));

    // Clearing asks first; No sends nothing.
    CBoxAnswerer clear({ "No", "Yes" });
    const int commands = int(rig.instrument.received.size());
    rig.device->ClearMemory();
    QCOMPARE(rig.instrument.received.size(), commands);
    rig.device->ClearMemory();
    QVERIFY(rig.Idle());
    QCOMPARE(clear.Count(), 2);
    QCOMPARE(rig.instrument.received.last(), QByteArray(";MMEM:INIT\r"));
}

QTEST_MAIN(TestDevice)
#include "tst_device.moc"
