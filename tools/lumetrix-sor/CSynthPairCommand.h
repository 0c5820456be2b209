#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// `lumetrix-sor synth-pair SHORT.sor LONG.sor [--short-nm N] [--long-nm N]
// [--bend-km X] [--bend-db SHORT,LONG] [--length-km X] [--pulse-ns N]
// [--events N] [--seed N]`: one synthetic link at two wavelengths, whose
// splices and connectors lose the same at both, with a bend where asked.
// With `--one-file OUT.sor` both wavelengths go into one file, one record
// after the other.
class CSynthPairCommand
{
    Q_DECLARE_TR_FUNCTIONS(CSynthPairCommand)

public:
    // Returns the exit code: 0 both written, 2 bad options or a failed write.
    int Run(const QStringList& arguments);
    static QString Usage();
};
