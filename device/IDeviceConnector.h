#pragma once

#include <Exception.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The byte channel between the exchange thread and the instrument. It does no
// framing, parsing, retrying or waiting of its own: the exchanger paces every
// dialogue with fixed delays and takes a reply to be all bytes that arrived by
// then. A connector is used by one thread at a time and is not thread-safe.
class IDeviceConnector
{
public:
    // A write that did not take all bytes. Module number 4.
    class ESending : public Exception
    {
        Q_DECLARE_TR_FUNCTIONS(IDeviceConnector::ESending)

    public:
        enum { Module = 4 };
        explicit ESending(int line) : Exception(Module, line) { }
        QString Message() const override;
    };

    // Opens `portName` with the instrument's line settings (57 600 bit/s, 8N1,
    // no flow control); `timeoutMs` bounds every single wait of the port.
    // Returns whether the port is open; never throws. Opening an open
    // connector keeps its port and only stores the new name.
    virtual bool Open(const QString& portName, int timeoutMs) = 0;
    // The name given to the last Open, whether or not it succeeded.
    virtual QString GetPortName() const = 0;
    // Every serial port to try, in probing order. Needs no open port.
    virtual QStringList GetPortList() const = 0;
    // Harmless on a closed port.
    virtual void Close() = 0;
    // Writes every byte; throws ESending when not all of them went out.
    virtual void Send(const QByteArray& data) = 0;
    // Every byte received and not read yet; empty when nothing arrived.
    virtual QByteArray ReadAll() = 0;
    virtual ~IDeviceConnector() = default;
    virtual bool IsOpen() const = 0;
};
