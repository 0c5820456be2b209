#include "Exception.h"

QString Exception::Message() const
{
    return tr("Unexpected error");
}

QString Exception::LocationText() const
{
    QString text;
    for (quint32 code : m_locations)
        text += QStringLiteral("-%1:%2").arg(ModuleOf(code)).arg(LineOf(code));
    return text;
}

QString Exception::FullText(const QString& prefix) const
{
    return Message() + QStringLiteral("\n\n") + tr("Error code is %1").arg(prefix + LocationText());
}

QString EFileAccessError::Message() const
{
    return tr("File access error");
}

QString EFileLoadInvalidFormat::Message() const
{
    return tr("Format of loaded file is no Bellcore v1.0 format");
}

QString EInternalError::Message() const
{
    return tr("Application internal error");
}
