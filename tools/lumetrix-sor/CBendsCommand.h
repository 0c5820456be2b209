#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace sor {
class CFile;
}

// `lumetrix-sor bends SHORT.sor LONG.sor [--threshold DB] [--json]`, or one
// file holding both wavelengths, one record after the other: compares
// the event losses of one fibre measured at two wavelengths and flags the
// bends, the events that lose more at the longer wavelength than at the
// shorter one by more than the threshold.
class CBendsCommand
{
    Q_DECLARE_TR_FUNCTIONS(CBendsCommand)

public:
    // The output of one comparison and its exit code: 0 compared, 2 a file
    // that does not load or a pair that cannot be compared (`text` then holds
    // the reason for standard error).
    struct tResult
    {
        QString text;
        int exitCode = 0;
    };

    // Returns the exit code: 0 compared, 2 bad options, a file that does not
    // load, or a pair that cannot be compared.
    int Run(const QStringList& arguments);
    static QString Usage();

    // Compares two files; the order does not matter, the shorter wavelength
    // is found from the files.
    static tResult Compare(const QString& first, const QString& second, double thresholdDb, bool json);
    // Compares the records of a file that holds several wavelengths: the
    // shortest wavelength's against the longest's. A file of one wavelength
    // cannot be compared on its own.
    static tResult CompareRecords(const QString& path, double thresholdDb, bool json);

private:
    static tResult CompareLoaded(const sor::CFile& first, const sor::CFile& second, double thresholdDb, bool json);
};
