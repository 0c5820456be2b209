#include "CWavelengthPair.h"

#include <CFile.h>

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr double kSpeedOfLight = 299792458.0; // m/s
// Least distance two events of one place may lie apart by, metres.
constexpr double kMinToleranceM = 10;
// Pulse lengths two events of one place may lie apart by.
constexpr double kTolerancePulses = 3;
// Fibre ends further apart than the tolerance and this share of the length
// belong to different fibres (index settings differ a little between
// wavelengths).
constexpr double kLengthShare = 0.002;

} // namespace

double CWavelengthPair::WavelengthNm(const sor::CFile& file)
{
    const double nominal = double(float(file.GeneralParameters().wavelength));
    if (nominal > 0)
        return nominal;
    return double(float(file.FixedParameters().actualWavelength));
}

QString CWavelengthPair::NameWithoutWavelength(const QString& fileName, int wavelengthNm)
{
    if (wavelengthNm <= 0)
        return QString();
    const QRegularExpression number(
        QStringLiteral("(?<!\\d)%1(?:\\s*nm)?(?!\\d)").arg(wavelengthNm), QRegularExpression::CaseInsensitiveOption);
    QString name = QFileInfo(fileName).fileName();
    if (!name.contains(number))
        return QString();
    name.replace(number, QStringLiteral("*"));
    return name;
}

bool CWavelengthPair::IsPair(const sor::CFile& a, const sor::CFile& b)
{
    const double wavelengthA = WavelengthNm(a);
    const double wavelengthB = WavelengthNm(b);
    if (!(wavelengthA > 0 && wavelengthB > 0) || std::abs(wavelengthA - wavelengthB) < 1)
        return false;
    const QString nameA = NameWithoutWavelength(a.Path(), int(std::lround(wavelengthA)));
    if (!nameA.isEmpty() && QFileInfo(a.Path()).absolutePath() == QFileInfo(b.Path()).absolutePath()
        && nameA == NameWithoutWavelength(b.Path(), int(std::lround(wavelengthB))))
        return true;
    const sor::tGeneralParameters& ga = a.GeneralParameters();
    const sor::tGeneralParameters& gb = b.GeneralParameters();
    const QString cable = ga.cableId.Text().trimmed();
    const QString fibre = ga.fiberId.Text().trimmed();
    return !cable.isEmpty() && !fibre.isEmpty() && cable == gb.cableId.Text().trimmed()
        && fibre == gb.fiberId.Text().trimmed()
        && ga.originatingLocation.Text().trimmed() == gb.originatingLocation.Text().trimmed()
        && ga.terminatingLocation.Text().trimmed() == gb.terminatingLocation.Text().trimmed();
}

const sor::CFile* CWavelengthPair::FindPartner(const sor::CFile& file, const std::vector<const sor::CFile*>& candidates)
{
    const sor::CFile* best = nullptr;
    double bestGap = 0;
    const double wavelength = WavelengthNm(file);
    for (const sor::CFile* candidate : candidates) {
        if (!candidate || candidate == &file || !IsPair(file, *candidate))
            continue;
        const double gap = std::abs(WavelengthNm(*candidate) - wavelength);
        if (!best || gap < bestGap) {
            best = candidate;
            bestGap = gap;
        }
    }
    return best;
}

QSharedPointer<sor::CFile> CWavelengthPair::RecordPartner(const sor::CFile& file)
{
    QSharedPointer<sor::CFile> best;
    const double wavelength = WavelengthNm(file);
    for (int index = 1; index < file.RecordCount(); ++index) {
        const QSharedPointer<sor::CFile> record = file.Record(index);
        const double gap = std::abs(WavelengthNm(*record) - wavelength);
        if (gap >= 1 && (!best || gap < std::abs(WavelengthNm(*best) - wavelength)))
            best = record;
    }
    return best;
}

double CWavelengthPair::ToleranceM(double pulseNsA, double pulseNsB, double groupIndex)
{
    const double pulse = std::max(pulseNsA, pulseNsB);
    const double index = groupIndex > 0 ? groupIndex : 1.468;
    const double pulseLength = pulse * 1e-9 * kSpeedOfLight / (2.0 * index);
    return std::max(kTolerancePulses * pulseLength, kMinToleranceM);
}

std::vector<CWavelengthPair::tMatch> CWavelengthPair::Match(
    const tAnalysisResult& shorter, const tAnalysisResult& longer, double toleranceM)
{
    // Nearest pairs first, so that a crowded stretch matches each event with
    // its own counterpart rather than with the first one in reach.
    struct tCandidate
    {
        double gap;
        size_t s;
        size_t l;
    };
    std::vector<tCandidate> candidates;
    for (size_t s = 0; s < shorter.events.size(); ++s)
        for (size_t l = 0; l < longer.events.size(); ++l) {
            const double gap = std::abs(shorter.events[s].distanceM - longer.events[l].distanceM);
            if (gap <= toleranceM)
                candidates.push_back({ gap, s, l });
        }
    std::stable_sort(
        candidates.begin(), candidates.end(), [](const tCandidate& a, const tCandidate& b) { return a.gap < b.gap; });
    std::vector<std::optional<size_t>> partnerOfShort(shorter.events.size());
    std::vector<bool> longTaken(longer.events.size(), false);
    for (const tCandidate& c : candidates) {
        if (partnerOfShort[c.s] || longTaken[c.l])
            continue;
        partnerOfShort[c.s] = c.l;
        longTaken[c.l] = true;
    }

    std::vector<tMatch> matches;
    for (size_t s = 0; s < shorter.events.size(); ++s) {
        tMatch match;
        match.shortIndex = s;
        match.longIndex = partnerOfShort[s];
        match.distanceM = match.longIndex
            ? (shorter.events[s].distanceM + longer.events[*match.longIndex].distanceM) / 2
            : shorter.events[s].distanceM;
        matches.push_back(match);
    }
    for (size_t l = 0; l < longer.events.size(); ++l)
        if (!longTaken[l])
            matches.push_back({ std::nullopt, l, longer.events[l].distanceM });
    std::stable_sort(
        matches.begin(), matches.end(), [](const tMatch& a, const tMatch& b) { return a.distanceM < b.distanceM; });
    return matches;
}

QString CWavelengthPair::Refusal(const sor::CFile& shortFile, const tAnalysisResult& shorter,
    const sor::CFile& longFile, const tAnalysisResult& longer)
{
    const double shortNm = WavelengthNm(shortFile);
    const double longNm = WavelengthNm(longFile);
    if (std::abs(shortNm - longNm) < 1)
        return tr("Both traces are taken at %1 nm: a bend shows only as the difference between two wavelengths.")
            .arg(shortNm);
    if (shorter.events.empty())
        return tr("The %1 nm trace has no events%2.")
            .arg(shortNm)
            .arg(shorter.reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(shorter.reason));
    if (longer.events.empty())
        return tr("The %1 nm trace has no events%2.")
            .arg(longNm)
            .arg(longer.reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(longer.reason));
    if (shorter.fiberEndM && longer.fiberEndM) {
        const double tolerance
            = ToleranceM(shorter.pulseNs, longer.pulseNs, double(float(longFile.FixedParameters().groupIndex)));
        const double gap = std::abs(*shorter.fiberEndM - *longer.fiberEndM);
        if (gap > std::max(tolerance, kLengthShare * std::max(*shorter.fiberEndM, *longer.fiberEndM)))
            return tr("The traces are of different fibres: the fibre ends at %1 m at %2 nm and at %3 m at %4 nm.")
                .arg(*shorter.fiberEndM, 0, 'f', 1)
                .arg(shortNm)
                .arg(*longer.fiberEndM, 0, 'f', 1)
                .arg(longNm);
    }
    return QString();
}

} // namespace analysis
