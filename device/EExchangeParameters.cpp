#include "EExchangeParameters.h"

EExchangeParameters::EExchangeParameters(int line)
    : EDeviceExchange(line,
        tr("The instrument's parameters are not valid.\nThe instrument is probably not a compatible one, or it is not "
           "connected."), true)
{
}
