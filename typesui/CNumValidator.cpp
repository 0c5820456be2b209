#include "CNumValidator.h"

#include "INumValue.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>
#include <memory>

namespace CType {

CNumValidator::CNumValidator(QObject* parent, const QString& keptText, const INumValue* value)
    : CValidator(parent, keptText), m_value(value)
{
}

QValidator::State CNumValidator::Check(const QString& text, QString* message) const
{
    // The rules are tried in order and the first one that applies decides, so
    // that the user is told about the most basic problem first: the sign, then
    // the form of the number, then its length, and only then its value.
    QString scratchMessage;
    QString& out = message ? *message : scratchMessage;
    out.clear();

    const QLatin1Char minus('-');
    const QString point = QLocale().decimalPoint();

    // The sign is judged by the first character alone, so that a field that
    // holds only negative values tells the user to start with '-'.
    if (!text.isEmpty() && !m_value->CanBeNegative() && text.startsWith(minus)) {
        out = QCoreApplication::translate("QValidator", "Value can't be negative");
        return Invalid;
    }
    if (!text.isEmpty() && !m_value->CanBePositive() && !text.startsWith(minus)) {
        out = QCoreApplication::translate("QValidator", "Value can't be positive (put '-' first)");
        return Invalid;
    }
    // A full stop is refused in an integer field whatever the locale uses as
    // its decimal point.
    if (!text.isEmpty() && !m_value->IsReal() && text.contains(QLatin1Char('.'))) {
        out = QCoreApplication::translate("QValidator", "Value must be integer");
        return Invalid;
    }

    QString digits = text;
    digits.remove(minus);
    digits.remove(point);
    const int maxLength = m_value->MaxLength();
    if (digits.size() > maxLength) {
        out = QCoreApplication::translate("QValidator", "Max digits count is %1").arg(maxLength);
        return Invalid;
    }

    // Nothing that could be a number has been typed yet: the field may stay
    // like this while the user types, and the hint tells the allowed range.
    if (text.isEmpty() || text == QLatin1String("-") || text == point || text == minus + point) {
        const QString zero
            = m_value->ZeroAtRangeEdge() ? QCoreApplication::translate("QValidator", " (can be zero)") : QString();
        out = QCoreApplication::translate("QValidator", "Enter numeric value from %1 to %2%3")
                  .arg(m_value->MinText(), m_value->MaxText(), zero);
        return Intermediate;
    }

    const std::unique_ptr<INumValue> scratch(m_value->CloneNum());
    // The locale parser accepts "nan", which would slip past every range test
    // below; it is no number the file can hold.
    const bool notANumber = m_value->IsReal() && std::isnan(QLocale().toDouble(text));
    if (!scratch->FromString(text) || text.startsWith(QLatin1Char('+')) || notANumber) {
        out = QCoreApplication::translate("QValidator", "Enter a numeric value");
        return Invalid;
    }

    if (scratch->IsZero()) {
        if (m_value->CanBeZero())
            return Acceptable;
        out = QCoreApplication::translate("QValidator", "Value can't be zero");
        // A zero with room for more digits may still become a valid number
        // ("0." on the way to "0.5").
        return digits.size() < maxLength ? Intermediate : Invalid;
    }
    if (scratch->IsBelowMin()) {
        out = QCoreApplication::translate("QValidator", "Minimum value is %1").arg(m_value->MinText());
        return Invalid;
    }
    if (scratch->IsAboveMax()) {
        out = QCoreApplication::translate("QValidator", "Maximum value is %1").arg(m_value->MaxText());
        return Invalid;
    }
    return Acceptable;
}

} // namespace CType
