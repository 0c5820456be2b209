#include "NumberText.h"

#include <QLocale>

#include <charconv>

namespace CType::NumberText {

QString FromReal(double value)
{
    const QLocale locale;
    QString text = locale.toString(value, 'f', 6);
    const QString point = locale.decimalPoint();
    if (!text.contains(point))
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(point))
        text.chop(point.size());
    return text;
}

QString FromReal(float value)
{
    // to_chars/from_chars ignore the C locale, which a widget application
    // takes from the system.
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double widened = double(value);
    if (written.ec == std::errc())
        std::from_chars(text, written.ptr, widened);
    return FromReal(widened);
}

QString FromInteger(qlonglong value)
{
    return QLocale().toString(value);
}

QString FromUnsigned(qulonglong value)
{
    return QLocale().toString(value);
}

bool ToFloat(const QString& text, float& value)
{
    bool ok = false;
    const float parsed = QLocale().toFloat(text, &ok);
    if (ok)
        value = parsed;
    return ok;
}

bool ToDouble(const QString& text, double& value)
{
    bool ok = false;
    const double parsed = QLocale().toDouble(text, &ok);
    if (ok)
        value = parsed;
    return ok;
}

bool ToInteger(const QString& text, qlonglong& value)
{
    // QLocale parses decimal only; C-style prefixes go through QString.
    bool ok = false;
    qlonglong parsed = QLocale().toLongLong(text, &ok);
    if (!ok)
        parsed = text.toLongLong(&ok, 0);
    if (ok)
        value = parsed;
    return ok;
}

bool ToUnsigned(const QString& text, qulonglong& value)
{
    bool ok = false;
    qulonglong parsed = QLocale().toULongLong(text, &ok);
    if (!ok)
        parsed = text.toULongLong(&ok, 0);
    if (ok)
        value = parsed;
    return ok;
}

} // namespace CType::NumberText
