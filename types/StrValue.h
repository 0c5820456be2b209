#pragma once

#include "IFileStream.h"
#include "IStrValue.h"
#include "IStream.h"

namespace CType {

// A text of at most N - 1 characters.
template<int N> class StrValue : public IStrValue, public FileStreams::IStream
{
    static_assert(N > 1, "a text field holds at least one character");

public:
    StrValue() = default;
    StrValue(const QString& text) { m_text = text; }
    StrValue& operator=(const QString& text)
    {
        m_text = text;
        return *this;
    }
    operator const QString&() const { return m_text; }

    IValue* Clone() const override { return new StrValue(*this); }
    int MaxLength() const override { return N - 1; }

    void Serialize(FileStreams::IFileStream& stream) override
    {
        if (stream.IsWriting() && m_text.size() > MaxLength())
            stream.OnInternalError();
        stream.SerializeString(m_text, m_bytesAsRead, m_textAsRead);
        if (stream.IsReading() && m_text.size() > MaxLength())
            stream.OnLoadFormatError();
    }
};

} // namespace CType
