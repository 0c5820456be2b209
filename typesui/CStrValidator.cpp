#include "CStrValidator.h"

#include "IStrValue.h"

#include <QCoreApplication>

namespace CType {

CStrValidator::CStrValidator(QObject* parent, const QString& keptText, const IStrValue* value)
    : CValidator(parent, keptText), m_value(value)
{
}

QValidator::State CStrValidator::Check(const QString& text, QString* message) const
{
    const int maxLength = m_value->MaxLength();
    if (text.size() > maxLength) {
        if (message)
            *message = QCoreApplication::translate("QValidator", "Maximum string length is %1").arg(maxLength);
        return Invalid;
    }
    if (message)
        message->clear();
    return Acceptable;
}

} // namespace CType
