#include "IStrValue.h"

#include "CStrValidator.h"

namespace CType {

QValidator* IStrValue::CreateValidator(QObject* parent, const QString& keptText)
{
    return new CStrValidator(parent, keptText, this);
}

} // namespace CType
