#pragma once

#include "CValidator.h"

namespace CType {

class IStrValue;

// Validator of a text field: its length.
class CStrValidator : public CValidator
{
    Q_OBJECT

public:
    // `value` is not owned and must outlive the validator.
    CStrValidator(QObject* parent, const QString& keptText, const IStrValue* value);

    State Check(const QString& text, QString* message) const override;

private:
    const IStrValue* m_value;
};

} // namespace CType
