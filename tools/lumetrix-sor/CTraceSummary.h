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
    // Several lines, each ending in a line feed: file name, date, instrument,
    // fibre, wavelength, pulse, range, points, the events and the warnings.
    static QString Text(const sor::CFile& file, quint32 warnings);
};
