#include "Exception.h"

QString Exception::Message() const
{
    return WithCause(tr("Unexpected error"));
}

QString Exception::WithCause(const QString& message) const
{
    return m_sCause.isEmpty() ? message : message + QLatin1Char('\n') + m_sCause;
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
    return WithCause(tr("File access error"));
}

QString EFileLoadInvalidFormat::Message() const
{
    if (m_bLaterLayout)
        return WithCause(tr("The file is a damaged trace of the later layout"));
    return WithCause(tr("Format of loaded file is no Bellcore v1.0 format"));
}

QString EInternalError::Message() const
{
    return WithCause(tr("Application internal error"));
}
