#pragma once

#include <QString>

namespace CType {

// Base of every typed field: a value that knows its text form. Edit boxes
// bind to it through CValueEdit, above this layer.
class IValue
{
public:
    virtual ~IValue() = default;

    virtual IValue* Clone() const = 0;
    virtual QString ToString() const = 0;
    // Stores the parsed text; returns whether the text was accepted. The range
    // is not tested here: the validator and Serialize do that.
    virtual bool FromString(const QString& text) = 0;

protected:
    IValue() = default;
    IValue(const IValue&) = default;
    IValue& operator=(const IValue&) = default;
};

} // namespace CType
