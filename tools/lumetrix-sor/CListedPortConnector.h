#pragma once

#include <CDeviceConnectorCOM.h>

// The serial connector with a fixed port list: a search through it asks only
// the ports the user named.
class CListedPortConnector : public CDeviceConnectorCOM
{
public:
    explicit CListedPortConnector(const QStringList& ports) : m_ports(ports) { }

    QStringList GetPortList() const override { return m_ports; }

private:
    QStringList m_ports;
};
