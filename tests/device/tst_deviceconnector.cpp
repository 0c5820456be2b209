#include "CFakeInstrument.h"

#include <CDeviceConnectorCOM.h>
#include <CDeviceExchanger.h>

#include <QRegularExpression>
#include <QSignalSpy>
#include <atomic>

#include <QElapsedTimer>
#include <QMutex>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

// The master side of a pseudo-terminal: the test plays the instrument on it.
class tPseudoTerminal
{
public:
    tPseudoTerminal()
    {
        m_fd = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_fd >= 0 && grantpt(m_fd) == 0 && unlockpt(m_fd) == 0)
            m_slave = QString::fromLocal8Bit(ptsname(m_fd));
    }
    ~tPseudoTerminal()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    tPseudoTerminal(const tPseudoTerminal&) = delete;
    tPseudoTerminal& operator=(const tPseudoTerminal&) = delete;

    bool IsValid() const { return !m_slave.isEmpty(); }
    const QString& SlavePath() const { return m_slave; }

    // Bytes the program wrote, waiting up to `ms` for the first ones.
    QByteArray Read(int ms)
    {
        pollfd p { m_fd, POLLIN, 0 };
        if (::poll(&p, 1, ms) <= 0 || !(p.revents & POLLIN))
            return {};
        char buffer[4096];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        return n > 0 ? QByteArray(buffer, int(n)) : QByteArray();
    }
    bool Write(const QByteArray& bytes)
    {
        return ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    // Whether the program side is closed (the master sees a hang-up).
    bool SlaveClosed()
    {
        pollfd p { m_fd, POLLIN, 0 };
        return ::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP);
    }

private:
    int m_fd = -1;
    QString m_slave;
};

// Reads until something arrives; the port is polled as the exchange does,
// without an event loop. Gives up after ten seconds.
QByteArray ReadSome(IDeviceConnector& connector)
{
    QElapsedTimer timer;
    timer.start();
    QByteArray bytes;
    while (bytes.isEmpty() && timer.elapsed() < 10000) {
        bytes = connector.ReadAll();
        if (bytes.isEmpty())
            QThread::msleep(10);
    }
    return bytes;
}

} // namespace

class TestDeviceConnector : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void exchangeOnWorkerThread();
    void exchangerKeepsItsPortAcrossCommands();
};

void TestDeviceConnector::init()
{
    // Using the port from a thread it does not belong to makes Qt warn.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

// The connector is opened, used and closed on a thread without an event loop,
// as the exchange runs it.
void TestDeviceConnector::exchangeOnWorkerThread()
{
    tPseudoTerminal terminal;
    if (!terminal.IsValid())
        QSKIP("no pseudo-terminals here");

    QByteArray sent;
    QByteArray received;
    QByteArray large;
    bool opened = false;
    bool reopened = false;
    bool closedAfterDestruction = false;
    QThread* worker = QThread::create([&] {
        {
            CDeviceConnectorCOM connector;
            opened = connector.Open(terminal.SlavePath(), 200);
            if (!opened)
                return;
            reopened = connector.Open(terminal.SlavePath(), 200) && connector.IsOpen();
            connector.Send("*IDN?\r");
            sent = terminal.Read(10000);
            terminal.Write("Maker,Model,1,Ver.   1.00\n");
            received = ReadSome(connector);
            // A reply larger than one read of the system arrives whole over
            // several reads.
            QByteArray chunk(3000, 'a');
            for (int i = 0; i < 3; ++i)
                terminal.Write(chunk);
            while (large.size() < 9000) {
                const QByteArray more = ReadSome(connector);
                if (more.isEmpty())
                    break;
                large += more;
            }
        }
        closedAfterDestruction = terminal.SlaveClosed();
    });
    worker->start();
    QVERIFY(worker->wait(60000));
    delete worker;

    QVERIFY(opened);
    QVERIFY(reopened);
    QCOMPARE(sent, QByteArray("*IDN?\r"));
    QCOMPARE(received, QByteArray("Maker,Model,1,Ver.   1.00\n"));
    QCOMPARE(large, QByteArray(9000, 'a'));
    QVERIFY(closedAfterDestruction);
}

// A fake instrument behind the pseudo-terminal, answering from its own thread.
class CTerminalInstrument : public QThread
{
public:
    CTerminalInstrument(tPseudoTerminal& terminal, CFakeInstrument& instrument)
        : m_terminal(terminal), m_instrument(instrument)
    {
    }
    std::atomic<bool> bStop { false };

    QByteArray LastCommand()
    {
        QMutexLocker lock(&m_mutex);
        return m_lastCommand;
    }

protected:
    void run() override
    {
        QByteArray pending;
        while (!bStop) {
            pending += m_terminal.Read(20);
            for (qsizetype end = pending.indexOf('\r'); end >= 0; end = pending.indexOf('\r')) {
                QMutexLocker lock(&m_mutex);
                m_lastCommand = pending.left(end + 1);
                m_instrument.Receive(m_lastCommand);
                pending.remove(0, end + 1);
                for (QByteArray reply = m_instrument.Take(); !reply.isEmpty(); reply = m_instrument.Take())
                    m_terminal.Write(reply);
            }
        }
    }

private:
    tPseudoTerminal& m_terminal;
    CFakeInstrument& m_instrument;
    QMutex m_mutex;
    QByteArray m_lastCommand;
};

// The exchanger opens the port on its thread in one command and uses it in
// the next ones: each command is a new run of the same thread object.
void TestDeviceConnector::exchangerKeepsItsPortAcrossCommands()
{
    tPseudoTerminal terminal;
    if (!terminal.IsValid())
        QSKIP("no pseudo-terminals here");
    CFakeInstrument instrument;
    CTerminalInstrument responder(terminal, instrument);
    responder.start();
    {
        CDeviceExchanger exchanger;
        QSignalSpy end(&exchanger, &CDeviceExchanger::sigExchangeEnd);
        exchanger.SetDevice({ terminal.SlavePath(), "Model", "1234", "2.05" });
        QVERIFY(exchanger.Exec(CDeviceExchanger::cmdConnect));
        QVERIFY(end.wait(30000));
        QVERIFY(exchanger.wait(10000));
        QCOMPARE(end[0][1].toString(), QString());
        QVERIFY(exchanger.IsConnected());
        QCOMPARE(exchanger.GetAvailable().lsPulseWidth.size(), 5);

        tParameters parameters = exchanger.GetParameters();
        parameters.nLineLen = 2;
        exchanger.SetParameters(parameters);
        QVERIFY(exchanger.Exec(CDeviceExchanger::cmdSetParameters));
        QVERIFY(end.wait(30000));
        QVERIFY(exchanger.wait(10000));
        QCOMPARE(end[1][1].toString(), QString());
        QCOMPARE(exchanger.GetParameters().nLineLen, 2);
    }
    // The exchanger's destructor put the instrument back into mode 0.
    QTRY_COMPARE_WITH_TIMEOUT(responder.LastCommand(), QByteArray(";SYST:MODE 0\r"), 10000);
    responder.bStop = true;
    QVERIFY(responder.wait(10000));
    QCOMPARE(instrument.range, 2);
}

QTEST_GUILESS_MAIN(TestDeviceConnector)
#include "tst_deviceconnector.moc"
