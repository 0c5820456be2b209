#include "CExchangeClock.h"

#include <QThread>

void CExchangeClock::Sleep(int ms)
{
    if (ms > 0)
        QThread::msleep(ulong(ms));
}

QDateTime CExchangeClock::Now() const
{
    return QDateTime::currentDateTime();
}
