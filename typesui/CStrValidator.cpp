#include "CStrValidator.h"

#include "IStrValue.h"

#include <QCoreApplication>

namespace CType {

CStrValidator::CStrValidator(QObject* parent, const QString& keptText, const IStrValue* value, const QByteArray& codecName)
    : CValidator(parent, keptText), m_value(value)
{
    if (!codecName.isEmpty()) {
        m_encoder = QStringEncoder(codecName.constData());
        m_decoder = QStringDecoder(codecName.constData());
    }
}

QString CStrValidator::FirstUnencodable(const QString& text) const
{
    if (!m_encoder.isValid() || !m_decoder.isValid())
        return {};
    const auto holds = [this](const QString& part) {
        m_encoder.resetState();
        m_decoder.resetState();
        const QByteArray bytes = m_encoder.encode(part);
        return !m_encoder.hasError() && m_decoder.decode(bytes) == part;
    };
    if (holds(text))
        return {};
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length
            = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!holds(character))
            return character;
        i += length;
    }
    // Every character alone fits but not the whole: name the start of it.
    return text.left(1);
}

QValidator::State CStrValidator::Check(const QString& text, QString* message) const
{
    QString scratchMessage;
    QString& out = message ? *message : scratchMessage;
    out.clear();

    const int maxLength = m_value->MaxLength();
    if (text.size() > maxLength) {
        out = QCoreApplication::translate("QValidator", "Maximum string length is %1").arg(maxLength);
        return Invalid;
    }
    // Saving would put a substitute byte in place of the character.
    const QString unencodable = FirstUnencodable(text);
    if (!unencodable.isEmpty()) {
        out = QCoreApplication::translate("QValidator", "The file's codepage has no character \"%1\"").arg(unencodable);
        return Invalid;
    }
    return Acceptable;
}

} // namespace CType
