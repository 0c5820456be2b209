#pragma once

#include <Exception.h>

#include <QString>

// A failure of the instrument dialogue. Module number 5. A critical one ends
// the link: the controller disconnects after it.
class EDeviceExchange : public Exception
{
public:
    enum { Module = 5 };
    EDeviceExchange(int line, const QString& message, bool critical);

    QString Message() const override { return m_message; }
    bool IsCritical() const { return m_bCritical; }

private:
    QString m_message;
    bool m_bCritical;
};
