#pragma once

#include "IDeviceConnector.h"

#include <QSerialPortInfo>

#include <atomic>
#include <memory>

class QSerialPort;

// The instrument's serial line on a QSerialPort. The port object is created by
// Open() and destroyed by Close(), so it belongs to the thread that opened it:
// open, use and close a connector on one thread. That thread needs no event
// loop; every wait is a waitForReadyRead / waitForBytesWritten.
class CDeviceConnectorCOM : public IDeviceConnector
{
public:
    CDeviceConnectorCOM();
    ~CDeviceConnectorCOM() override;
    CDeviceConnectorCOM(const CDeviceConnectorCOM&) = delete;
    CDeviceConnectorCOM& operator=(const CDeviceConnectorCOM&) = delete;

    bool Open(const QString& portName, int timeoutMs) override;
    QString GetPortName() const override { return m_portName; }
    // The enumerated ports (FTDI adapters first), then the extra ports
    // (SetExtraPorts), then those of the environment variable
    // LUMETRIX_SERIAL_PORTS (a path list); each name once.
    QStringList GetPortList() const override;
    void Close() override;
    void Send(const QByteArray& data) override;
    QByteArray ReadAll() override;
    bool IsOpen() const override;

    // One enumerated port.
    struct tPortEntry
    {
        QString sName;
        // The device path.
        QString sLocation;
        bool bFtdi = false;
    };
    // The probing order: FTDI adapters first, then all other enumerated
    // ports, each group in the given order; then the `extra` names that are
    // not listed yet (by name or by path).
    static QStringList OrderPorts(const QList<tPortEntry>& ports, const QStringList& extra);
    // USB vendor 0x0403 or manufacturer "FTDI".
    static bool IsFtdi(const QSerialPortInfo& port);

    // Port names that the enumerator may miss (adapters, pseudo-terminals),
    // given on the command line. Set at start-up, before any exchange runs.
    static void SetExtraPorts(const QStringList& ports);
    static QStringList ExtraPorts();
    // The ports of LUMETRIX_SERIAL_PORTS, split at the platform's path-list separator.
    static QStringList EnvironmentPorts();

    // Bytes one ReadAll takes at most, so an endless sender cannot hold the
    // reading thread.
    static constexpr qint64 kMaxReadChunk = 4 * 1024 * 1024;

private:
    std::unique_ptr<QSerialPort> m_pPort;
    // Whether m_pPort is open; the GUI thread may ask while a command runs.
    std::atomic<bool> m_bOpen { false };
    int m_timeoutMs = 0;
    QString m_portName;
};
