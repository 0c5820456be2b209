#pragma once

#include "IValue.h"

#include <QByteArray>

namespace CType {

// A text field of limited length.
class IStrValue : public IValue
{
public:
    virtual int MaxLength() const = 0;

    QString ToString() const override { return m_text; }
    bool FromString(const QString& text) override
    {
        m_text = text;
        return true;
    }

    const QString& Text() const { return m_text; }

protected:
    QString m_text;
    // What the last load found, so that an unedited text keeps its bytes.
    QByteArray m_bytesAsRead;
    QString m_textAsRead;
};

} // namespace CType
