#include "CArguments.h"

CArguments& CArguments::Flag(const QString& name)
{
    m_declared.insert(name, KindFlag);
    return *this;
}

CArguments& CArguments::Value(const QString& name)
{
    m_declared.insert(name, KindValue);
    return *this;
}

CArguments& CArguments::Repeatable(const QString& name)
{
    m_declared.insert(name, KindRepeatable);
    return *this;
}

QString CArguments::Get(const QString& name, const QString& fallback) const
{
    const auto found = m_given.constFind(name);
    return found == m_given.cend() || found->isEmpty() ? fallback : found->back();
}

QString CArguments::Parse(const QStringList& arguments)
{
    m_given.clear();
    m_order.clear();
    m_operands.clear();
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            m_operands += arguments.mid(i + 1);
            break;
        }
        // "--name=value" names the option before the first "=".
        QString name = argument;
        QString value;
        bool joined = false;
        if (argument.startsWith(QLatin1String("--"))) {
            const qsizetype equals = argument.indexOf(QLatin1Char('='));
            if (equals > 2) {
                name = argument.left(equals);
                value = argument.mid(equals + 1);
                joined = true;
            }
        }
        const auto declared = m_declared.constFind(name);
        if (declared == m_declared.cend()) {
            if (argument.startsWith(QLatin1String("--")))
                return tr("Unknown option \"%1\".").arg(name);
            m_operands << argument;
            continue;
        }
        if (*declared != KindRepeatable && m_given.contains(name))
            return tr("The option \"%1\" is given more than once.").arg(name);
        if (*declared == KindFlag) {
            if (joined)
                return tr("The option \"%1\" takes no value.").arg(name);
        } else if (!joined) {
            if (i + 1 >= arguments.size())
                return tr("The option \"%1\" needs a value.").arg(name);
            value = arguments.at(++i);
        }
        m_given[name] << value;
        m_order << name;
    }
    return QString();
}
