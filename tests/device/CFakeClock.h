#pragma once

#include <IExchangeClock.h>

#include <functional>

// A clock that only counts: Sleep adds to the elapsed time and runs the hook.
class CFakeClock : public IExchangeClock
{
public:
    void Sleep(int ms) override
    {
        elapsedMs += ms;
        if (onSleep)
            onSleep();
    }
    QDateTime Now() const override { return now; }

    qint64 elapsedMs = 0;
    QDateTime now;
    std::function<void()> onSleep;
};
