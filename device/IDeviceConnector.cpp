#include "IDeviceConnector.h"

QString IDeviceConnector::ESending::Message() const
{
    return tr("Error of sending");
}
