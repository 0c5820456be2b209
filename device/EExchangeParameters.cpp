#include "EExchangeParameters.h"

EExchangeParameters::EExchangeParameters(int line)
    : EDeviceExchange(line,
        tr("Device parameters are invalid.\nProbably, you use incompatible device or device is not connected."), true)
{
}
