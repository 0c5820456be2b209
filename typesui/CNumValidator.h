#pragma once

#include "CValidator.h"

namespace CType {

class INumValue;

// Validator of a numeric field: sign, integer-ness, digit count and range.
class CNumValidator : public CValidator
{
    Q_OBJECT

public:
    // `value` is not owned and must outlive the validator.
    CNumValidator(QObject* parent, const QString& keptText, const INumValue* value);

    State Check(const QString& text, QString* message) const override;

private:
    const INumValue* m_value;
};

} // namespace CType
