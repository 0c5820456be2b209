#pragma once

#include <IDeviceConnector.h>

#include <QMap>
#include <QStringList>

class CFakeInstrument;

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
        // Ports whose sends fail.
        QStringList brokenPorts;
        int openPorts = 0;
    };

    explicit CScriptedConnector(tBus* bus) : m_pBus(bus) { }
    ~CScriptedConnector() override { Close(); }

    bool Open(const QString& portName, int timeoutMs) override;
    QString GetPortName() const override { return m_name; }
    QStringList GetPortList() const override { return m_pBus->ports; }
    void Close() override;
    void Send(const QByteArray& data) override;
    QByteArray ReadAll() override;
    bool IsOpen() const override { return m_bOpen; }

private:
    tBus* m_pBus;
    QString m_name;
    bool m_bOpen = false;
};
