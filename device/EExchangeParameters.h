#pragma once

#include "EDeviceExchange.h"

#include <QCoreApplication>

// The instrument answered a configuration command with something that is not
// a configuration. Always critical.
class EExchangeParameters : public EDeviceExchange
{
    Q_DECLARE_TR_FUNCTIONS(EExchangeParameters)

public:
    explicit EExchangeParameters(int line);
};
