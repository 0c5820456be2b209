#include "CSynthPairCommand.h"

#include <CSynthPair.h>
#include <Exception.h>

#include <QLocale>
#include <QSet>

#include <cstdio>

namespace {

void Print(FILE* stream, const QString& text)
{
    std::fflush(stdout);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

QString CSynthPairCommand::Usage()
{
    return tr(
        "  lumetrix-sor synth-pair SHORT.sor LONG.sor | --one-file OUT.sor\n"
        "                          [--short-nm N] [--long-nm N] [--bend-km X] [--bend-db SHORT,LONG]\n"
        "                          [--length-km X] [--pulse-ns N] [--events N] [--seed N]\n");
}

int CSynthPairCommand::Run(const QStringList& arguments)
{
    CSynthPair::tOptions options;
    QStringList outputs;
    QString oneFile;
    QSet<QString> seen;
    const QLocale c = QLocale::c();
    bool optionsEnded = false;
    QString problem;
    for (int i = 0; i < arguments.size() && problem.isEmpty(); ++i) {
        const QString& argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1String("--"))) {
            outputs << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (seen.contains(argument)) {
            problem = tr("The option \"%1\" is given twice.").arg(argument);
            break;
        }
        seen.insert(argument);
        if (i + 1 >= arguments.size()) {
            problem = tr("The option \"%1\" needs a value.").arg(argument);
            break;
        }
        const QString value = arguments.at(++i);
        bool ok = true;
        if (argument == QLatin1String("--short-nm")) {
            options.shortNm = c.toInt(value, &ok);
        } else if (argument == QLatin1String("--long-nm")) {
            options.longNm = c.toInt(value, &ok);
        } else if (argument == QLatin1String("--bend-km")) {
            options.bend = true;
            options.bendKm = c.toDouble(value, &ok);
            ok = ok && options.bendKm >= 0;
        } else if (argument == QLatin1String("--bend-db")) {
            const QStringList parts = value.split(QLatin1Char(','));
            bool okLong = false;
            ok = parts.size() == 2;
            if (ok) {
                options.bendShortDb = c.toDouble(parts.at(0), &ok);
                options.bendLongDb = c.toDouble(parts.at(1), &okLong);
            }
            ok = ok && okLong;
            options.bend = true;
        } else if (argument == QLatin1String("--length-km")) {
            options.trace.lengthKm = c.toDouble(value, &ok);
        } else if (argument == QLatin1String("--pulse-ns")) {
            options.trace.pulseNs = c.toInt(value, &ok);
        } else if (argument == QLatin1String("--events")) {
            options.trace.events = c.toInt(value, &ok);
        } else if (argument == QLatin1String("--one-file")) {
            oneFile = value;
            ok = !value.isEmpty();
        } else if (argument == QLatin1String("--seed")) {
            options.trace.seed = c.toUInt(value, &ok);
        } else {
            problem = tr("Unknown option \"%1\".").arg(argument);
            break;
        }
        if (!ok)
            problem = tr("The value \"%1\" of \"%2\" is not valid.").arg(value, argument);
    }
    if (problem.isEmpty() && !oneFile.isEmpty() && !outputs.isEmpty())
        problem = tr("With --one-file, synth-pair writes no other file.");
    if (problem.isEmpty() && oneFile.isEmpty() && outputs.size() != 2)
        problem = tr("synth-pair writes exactly two files.");
    if (problem.isEmpty() && options.shortNm >= options.longNm)
        problem = tr("The short wavelength must be shorter than the long one.");
    for (const int wavelength : { options.shortNm, options.longNm }) {
        CSynthTrace::tOptions trace = options.trace;
        trace.wavelength = wavelength;
        if (problem.isEmpty())
            problem = CSynthTrace::Refusal(trace);
    }
    if (problem.isEmpty() && options.trace.events < 1)
        problem = tr("A pair needs at least one event.");
    if (!problem.isEmpty()) {
        Print(stderr, problem + QLatin1Char('\n') + tr("Usage:\n") + Usage());
        return 2;
    }
    try {
        if (oneFile.isEmpty())
            CSynthPair(options).Write(outputs.at(0), outputs.at(1));
        else
            CSynthPair(options).WriteOneFile(oneFile);
    } catch (const Exception& e) {
        Print(stderr,
            tr("synth-pair: %1\n")
                .arg(e.FullText(QStringLiteral("SOR"))
                         .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                         .join(QStringLiteral(" - "))));
        return 2;
    }
    return 0;
}
