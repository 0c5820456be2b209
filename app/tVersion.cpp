#include "tVersion.h"

QString tVersion::Text() const
{
    QString text = QStringLiteral("%1.%2").arg(nMajor).arg(nMinor);
    if (bB)
        text += QLatin1Char('B');
    if (bD)
        text += QLatin1Char('D');
    return text;
}
