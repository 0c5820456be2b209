#include "RangeText.h"

#include <QLocale>

#include <cmath>

namespace sor {

QString RangeText(double value, double lower, double upper)
{
    if (std::isnan(value))
        return QString();
    const QLocale locale;
    if (value < lower)
        return QStringLiteral("<") + locale.toString(lower, 'f', 0);
    if (value > upper)
        return QStringLiteral(">") + locale.toString(upper, 'f', 0);
    // A value that rounds to zero reads "0.000", never "-0.000".
    if (std::abs(value) < 0.0005)
        value = 0;
    return locale.toString(value, 'f', 3);
}

} // namespace sor
