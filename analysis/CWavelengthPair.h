#pragma once

#include "tAnalysisResult.h"

#include <QCoreApplication>
#include <QSharedPointer>
#include <QString>

#include <optional>
#include <vector>

namespace sor {
class CFile;
}

namespace analysis {

// Two traces of one fibre taken at two wavelengths: whether two files are
// such a pair, and their events matched by distance.
class CWavelengthPair
{
    Q_DECLARE_TR_FUNCTIONS(CWavelengthPair)

public:
    // One place on the link: the index of its event in the shorter and in the
    // longer wavelength's events, either unset where that trace has none there.
    struct tMatch
    {
        std::optional<size_t> shortIndex;
        std::optional<size_t> longIndex;
        // Metres from the trace start: the mean of the two where both are set.
        double distanceM = 0;
    };

    // Nominal wavelength of a trace, nm: the general parameters' value, or
    // the measured one where that is unset.
    static double WavelengthNm(const sor::CFile& file);
    // The file name with its wavelength ("1310", "1310nm", "_1550_") replaced
    // by "*", or an empty text when the name holds no such number.
    static QString NameWithoutWavelength(const QString& fileName, int wavelengthNm);
    // Whether two loaded traces look like one fibre at two wavelengths: the
    // wavelengths differ and either the file names agree but for the
    // wavelength, or the cable and fibre IDs are set and equal and the two
    // locations run the same way.
    static bool IsPair(const sor::CFile& a, const sor::CFile& b);
    // Of `candidates`, the one `file` pairs with, or null. The nearest
    // wavelength wins when several do.
    static const sor::CFile* FindPartner(const sor::CFile& file, const std::vector<const sor::CFile*>& candidates);

    // Of the records that follow the first in a file holding several
    // wavelengths, the one nearest in wavelength to the file's own among those
    // at another wavelength, or null. One file is one fibre: no name or ID
    // needs to agree.
    static QSharedPointer<sor::CFile> RecordPartner(const sor::CFile& file);

    // Events closer than this are one place on the link (metres): three pulse
    // lengths of the longer pulse, at least 10 m.
    static double ToleranceM(double pulseNsA, double pulseNsB, double groupIndex);
    // The events of both traces in distance order, each event of one matched
    // to the nearest unmatched event of the other within `toleranceM`.
    static std::vector<tMatch> Match(const tAnalysisResult& shorter, const tAnalysisResult& longer, double toleranceM);

    // Why the two traces cannot be compared (same wavelength, fibres of
    // different length, no events), or an empty text when they can.
    // `shorter` and `longer` are the events of the two files.
    static QString Refusal(const sor::CFile& shortFile, const tAnalysisResult& shorter, const sor::CFile& longFile,
        const tAnalysisResult& longer);
};

} // namespace analysis
