#include "EDeviceExchange.h"

EDeviceExchange::EDeviceExchange(int line, const QString& message, bool critical)
    : Exception(Module, line), m_message(message), m_bCritical(critical)
{
}
