#pragma once

#include <QString>

namespace CType {

// Text forms shared by every numeric field, in the default locale.
namespace NumberText {

// Six decimals, then trailing zeros and a trailing decimal point removed:
// 1550.000000 gives "1550", 1.468200 gives "1.4682".
QString FromReal(double value);
// A float is shown as the shortest decimal that reads back as the same float,
// so 65.535f gives "65.535", not the "65.535004" its exact binary value has.
QString FromReal(float value);
QString FromInteger(qlonglong value);
QString FromUnsigned(qulonglong value);

bool ToFloat(const QString& text, float& value);
bool ToDouble(const QString& text, double& value);
// Integers are parsed with C-style prefixes (0x, 0) honoured.
bool ToInteger(const QString& text, qlonglong& value);
bool ToUnsigned(const QString& text, qulonglong& value);

} // namespace NumberText
} // namespace CType
