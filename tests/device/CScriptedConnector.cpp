#include "CScriptedConnector.h"

#include "CFakeInstrument.h"

bool CScriptedConnector::Open(const QString& portName, int)
{
    m_name = portName;
    if (!m_bOpen && m_pBus->ports.contains(portName)) {
        m_bOpen = true;
        ++m_pBus->openPorts;
    }
    return m_bOpen;
}

void CScriptedConnector::Close()
{
    if (m_bOpen)
        --m_pBus->openPorts;
    m_bOpen = false;
}

void CScriptedConnector::Send(const QByteArray& data)
{
    if (!m_bOpen || m_pBus->brokenPorts.contains(m_name))
        throw ESending(__LINE__);
    if (CFakeInstrument* instrument = m_pBus->instruments.value(m_name))
        instrument->Receive(data);
}

QByteArray CScriptedConnector::ReadAll()
{
    CFakeInstrument* instrument = m_pBus->instruments.value(m_name);
    return m_bOpen && instrument ? instrument->Take() : QByteArray();
}
