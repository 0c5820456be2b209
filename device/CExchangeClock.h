#pragma once

#include "IExchangeClock.h"

// The system's clock: sleeps the calling thread.
class CExchangeClock : public IExchangeClock
{
public:
    void Sleep(int ms) override;
    QDateTime Now() const override;
};
