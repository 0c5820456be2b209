#pragma once

#include "CFakeInstrument.h"

#include <IDeviceConnector.h>

#include <QMap>
#include <QStringList>

// A connector to fake instruments: the ports of `bus` open (those without an
// instrument stay silent), sends go to the port's instrument and reads take
// its next reply chunk.
class CScriptedConnector : public IDeviceConnector
{
public:
    struct tBus
    {
        QStringList ports;
        QMap<QString, CFakeInstrument*> instruments;
        QStringList brokenPorts; // ports whose sends fail
        int openPorts = 0;
    };

    explicit CScriptedConnector(tBus* bus) : m_pBus(bus) { }
    ~CScriptedConnector() override { Close(); }

    bool Open(const QString& portName, int) override
    {
        m_name = portName;
        if (!m_bOpen && m_pBus->ports.contains(portName)) {
            m_bOpen = true;
            ++m_pBus->openPorts;
        }
        return m_bOpen;
    }
    QString GetPortName() const override { return m_name; }
    QStringList GetPortList() const override { return m_pBus->ports; }
    void Close() override
    {
        m_pBus->openPorts -= m_bOpen ? 1 : 0;
        m_bOpen = false;
    }
    void Send(const QByteArray& data) override
    {
        if (!m_bOpen || m_pBus->brokenPorts.contains(m_name))
            throw ESending(__LINE__);
        if (CFakeInstrument* instrument = m_pBus->instruments.value(m_name))
            instrument->Receive(data);
    }
    QByteArray ReadAll() override
    {
        CFakeInstrument* instrument = m_pBus->instruments.value(m_name);
        return m_bOpen && instrument ? instrument->Take() : QByteArray();
    }
    bool IsOpen() const override { return m_bOpen; }

private:
    tBus* m_pBus;
    QString m_name;
    bool m_bOpen = false;
};
