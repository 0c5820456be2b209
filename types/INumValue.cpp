#include "INumValue.h"

#include "CNumValidator.h"

namespace CType {

QValidator* INumValue::CreateValidator(QObject* parent, const QString& keptText)
{
    return new CNumValidator(parent, keptText, this);
}

} // namespace CType
