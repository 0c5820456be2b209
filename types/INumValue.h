#pragma once

#include "IValue.h"

namespace CType {

// Numeric interface of a typed field: its limits and text forms, as the
// validator of an edit box needs them.
class INumValue : public IValue
{
public:
    virtual bool IsReal() const = 0;
    virtual bool CanBeZero() const = 0;
    // Zero is allowed but not strictly inside the range (the range hint then
    // mentions it separately).
    virtual bool ZeroAtRangeEdge() const = 0;
    virtual bool CanBeNegative() const = 0;
    virtual bool CanBePositive() const = 0;
    // Number of characters an edit box accepts (digits, without sign and point).
    virtual int MaxLength() const = 0;
    virtual QString MinText() const = 0;
    virtual QString MaxText() const = 0;
    virtual bool IsZero() const = 0;
    virtual bool IsBelowMin() const = 0;
    virtual bool IsAboveMax() const = 0;
    virtual INumValue* CloneNum() const = 0;
};

} // namespace CType
