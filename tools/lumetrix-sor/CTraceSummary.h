#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace sor {
class CFile;
}

// The readable description of a loaded trace that `info` prints, and the texts
// of the load warnings shared by `info` and `check`.
class CTraceSummary
{
    Q_DECLARE_TR_FUNCTIONS(CTraceSummary)

public:
    // One text per load warning bit that is set, in bit order.
    static QStringList WarningTexts(quint32 warnings);
    // The state of the file's checksum after a load: "matches", "absent" or
    // "does not match" (translated).
    static QString ChecksumState(quint32 warnings);
    // The same, naming the convention a matching checksum follows:
    // "matches (CRC-16/XMODEM)".
    static QString ChecksumState(const sor::CFile& file, quint32 warnings);
    // "format 200, checksum matches (CRC-16/XMODEM)": the layout revision and
    // the checksum state.
    static QString FormatAndChecksum(const sor::CFile& file, quint32 warnings);
    // Several lines, each ending in a line feed: file name, date, instrument,
    // fibre, wavelength (and those of the records that follow in a file
    // holding several), pulse, range, points, the events and the warnings.
    static QString Text(const sor::CFile& file, quint32 warnings);
};
