#pragma once

#include "CValidator.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace CType {

class IStrValue;

// Validator of a text field: its length and, when the field belongs to a file
// with a codepage, the characters that codepage can hold.
class CStrValidator : public CValidator
{
    Q_OBJECT

public:
    // `value` is not owned and must outlive the validator. `codecName` names
    // the codec the text is saved with; empty when any character will do.
    CStrValidator(QObject* parent, const QString& keptText, const IStrValue* value, const QByteArray& codecName = {});

    State Check(const QString& text, QString* message) const override;

    // The first character (a whole surrogate pair) of `text` that the codec
    // cannot write and read back unchanged; empty when it can hold them all.
    QString FirstUnencodable(const QString& text) const;

private:
    const IStrValue* m_value;
    mutable QStringEncoder m_encoder;
    mutable QStringDecoder m_decoder;
};

} // namespace CType
