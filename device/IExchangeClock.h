#pragma once

#include <QDateTime>

// Time as the exchange sees it: the fixed pauses of the dialogue and the local
// time sent to the instrument's clock. Tests put a clock here that does not
// really sleep.
class IExchangeClock
{
public:
    virtual ~IExchangeClock() = default;
    // Called on the exchange thread.
    virtual void Sleep(int ms) = 0;
    virtual QDateTime Now() const = 0;
};
