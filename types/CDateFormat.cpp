#include "CDateFormat.h"

QString CDateFormat::Format(bool seconds)
{
    return seconds ? tr("dd/MM/yyyy HH:mm:ss", "Date and time format of the interface language")
                   : tr("dd/MM/yyyy HH:mm", "Date and time format of the interface language");
}

QString CDateFormat::Text(const QDateTime& dateTime, bool seconds)
{
    return dateTime.toString(Format(seconds));
}
