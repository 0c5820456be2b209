#include "CDeviceConnectorCOM.h"

#include <QDir>
#include <QSerialPort>

namespace {

constexpr quint16 kFtdiVendor = 0x0403;

QStringList& ExtraPortList()
{
    static QStringList ports;
    return ports;
}

void ApplyLineSettings(QSerialPort& port)
{
    port.setBaudRate(QSerialPort::Baud57600);
    port.setFlowControl(QSerialPort::NoFlowControl);
    port.setParity(QSerialPort::NoParity);
    port.setDataBits(QSerialPort::Data8);
    port.setStopBits(QSerialPort::OneStop);
}

} // namespace

CDeviceConnectorCOM::CDeviceConnectorCOM() = default;

CDeviceConnectorCOM::~CDeviceConnectorCOM()
{
    Close();
}

bool CDeviceConnectorCOM::Open(const QString& portName, int timeoutMs)
{
    m_portName = portName;
    m_timeoutMs = timeoutMs;
    if (m_pPort && m_pPort->isOpen()) {
        ApplyLineSettings(*m_pPort);
        return true;
    }
    m_pPort = std::make_unique<QSerialPort>();
    m_pPort->setPortName(portName);
    if (!m_pPort->open(QIODevice::ReadWrite)) {
        m_pPort.reset();
        return false;
    }
    m_bOpen = true;
    // A pseudo-terminal or an odd driver may refuse a setting; the line still
    // carries bytes, which is all the exchange needs.
    ApplyLineSettings(*m_pPort);
    return true;
}

QStringList CDeviceConnectorCOM::GetPortList() const
{
    QList<tPortEntry> entries;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        entries.append({ port.portName(), port.systemLocation(), IsFtdi(port) });
    return OrderPorts(entries, ExtraPorts() + EnvironmentPorts());
}

void CDeviceConnectorCOM::Close()
{
    m_bOpen = false;
    if (!m_pPort)
        return;
    m_pPort->close();
    m_pPort.reset();
}

void CDeviceConnectorCOM::Send(const QByteArray& data)
{
    if (data.isEmpty())
        return;
    if (!m_pPort || !m_pPort->isOpen() || m_pPort->write(data) != data.size())
        throw ESending(__LINE__);
    // The port buffers the write; without an event loop it goes out only
    // while we wait for it.
    while (m_pPort->bytesToWrite() > 0) {
        if (!m_pPort->waitForBytesWritten(m_timeoutMs))
            throw ESending(__LINE__);
    }
}

QByteArray CDeviceConnectorCOM::ReadAll()
{
    if (!m_pPort || !m_pPort->isOpen())
        return {};
    // Nothing fills the port's buffer without an event loop: pull what the
    // system holds, without waiting, up to one chunk.
    while (m_pPort->bytesAvailable() < kMaxReadChunk && m_pPort->waitForReadyRead(0)) { }
    return m_pPort->read(kMaxReadChunk);
}

bool CDeviceConnectorCOM::IsOpen() const
{
    return m_bOpen;
}

bool CDeviceConnectorCOM::IsFtdi(const QSerialPortInfo& port)
{
    return (port.hasVendorIdentifier() && port.vendorIdentifier() == kFtdiVendor)
        || port.manufacturer() == QLatin1String("FTDI");
}

QStringList CDeviceConnectorCOM::OrderPorts(const QList<tPortEntry>& ports, const QStringList& extra)
{
    QStringList ftdi;
    QStringList others;
    QStringList locations;
    for (const tPortEntry& port : ports) {
        (port.bFtdi ? ftdi : others).append(port.sName);
        locations.append(port.sLocation);
    }
    QStringList result = ftdi + others;
    for (const QString& name : extra) {
        if (name.isEmpty() || result.contains(name) || locations.contains(name))
            continue;
        result.append(name);
    }
    return result;
}

void CDeviceConnectorCOM::SetExtraPorts(const QStringList& ports)
{
    ExtraPortList() = ports;
}

QStringList CDeviceConnectorCOM::ExtraPorts()
{
    return ExtraPortList();
}

QStringList CDeviceConnectorCOM::EnvironmentPorts()
{
    const QString value = qEnvironmentVariable("LUMETRIX_SERIAL_PORTS");
    return value.split(QDir::listSeparator(), Qt::SkipEmptyParts);
}
