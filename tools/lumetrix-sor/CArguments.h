#pragma once

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

// The arguments of one lumetrix-sor command, by the rules every command
// follows:
// - an option is declared before parsing: a flag ("--points"), an option
//   with a value ("--comment TEXT" or "--comment=TEXT"), or a repeatable
//   option with a value ("--serial-port P" any number of times);
// - an option given twice, but for a repeatable one, is refused, and the
//   message says so;
// - a value is taken exactly as given: a single space, an empty text or a
//   text starting with "-" is a value like any other;
// - "--" ends the options: every argument after it is an operand;
// - any other argument starting with "--" is an unknown option; an argument
//   starting with a single "-" is an operand unless it is declared ("-o").
//
//     CArguments args;
//     args.Flag("--points").Value("--page");
//     if (const QString problem = args.Parse(arguments); !problem.isEmpty())
//         return Usage(problem);
//     for (const QString& file : args.Operands()) ...
class CArguments
{
    Q_DECLARE_TR_FUNCTIONS(CArguments)

public:
    CArguments& Flag(const QString& name);
    CArguments& Value(const QString& name);
    CArguments& Repeatable(const QString& name);

    // Reads `arguments` (the command's, without the program and the command
    // name); returns an empty text, or the first thing that is wrong.
    QString Parse(const QStringList& arguments);

    bool Has(const QString& name) const { return m_given.contains(name); }
    // The value of an option (the last one of a repeatable one), or `fallback`.
    QString Get(const QString& name, const QString& fallback = QString()) const;
    // Every value of a repeatable option, in order.
    QStringList Values(const QString& name) const { return m_given.value(name); }
    // The options given, in the order given.
    const QStringList& Order() const { return m_order; }
    // The arguments that are not options, in order.
    const QStringList& Operands() const { return m_operands; }

private:
    enum tKind { KindFlag, KindValue, KindRepeatable };

    QMap<QString, tKind> m_declared;
    QMap<QString, QStringList> m_given;
    QStringList m_order;
    QStringList m_operands;
};
