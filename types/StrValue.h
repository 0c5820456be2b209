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
        // A text kept from the file may be longer than the field allows; an
        // edited one may not.
        const bool unedited = !m_bytesAsRead.isNull() && m_text == m_textAsRead;
        if (stream.IsWriting() && !unedited && m_text.size() > MaxLength())
            stream.OnInternalError();
        stream.SerializeString(m_text, m_bytesAsRead, m_textAsRead);
        if (stream.IsReading() && m_text.size() > MaxLength() && !stream.KeepsFileValues())
            stream.OnLoadFormatError();
    }
};

} // namespace CType
