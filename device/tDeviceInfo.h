#pragma once

#include <QString>

// One instrument as it identified itself.
struct tDeviceInfo
{
    // Port name, for example COM5 or ttyUSB0.
    QString sPort;
    QString sModel;
    // The unit's own number, without the numero sign.
    QString sNumber;
    // Software version.
    QString sVersion;

    bool operator==(const tDeviceInfo& other) const
    {
        return sPort == other.sPort && sModel == other.sModel && sNumber == other.sNumber && sVersion == other.sVersion;
    }
};
