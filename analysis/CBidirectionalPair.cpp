#include "CBidirectionalPair.h"

#include "CEventSource.h"

#include <CFile.h>
#include <Exception.h>

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr double kSpeedOfLight = 299792458.0; // m/s
// Traces of one fibre have the same group index, to the instrument's setting.
constexpr double kGroupIndexTolerance = 0.001;
// The lengths to the fibre end agree to the larger of this share of the
// longer length and kLengthPulses pulse lengths of the longer pulse.
constexpr double kLengthShare = 0.01;
constexpr double kLengthPulses = 3;
// Events of the two directions are one event when they are closer than the
// larger of kMatchPulses pulse lengths of the longer pulse and kMatchMinM.
constexpr double kMatchPulses = 3;
constexpr double kMatchMinM = 10;

const tFoundEvent* EndOf(const tAnalysisResult& result)
{
    for (const tFoundEvent& event : result.events)
        if (event.kind == tFoundEvent::End)
            return &event;
    return nullptr;
}

// The events of a trace up to its fibre end, the end itself and echoes left
// out: an echo is an image of a reflection, seen from one side only by its
// nature. An event at the end's own distance counts, whichever is listed first.
std::vector<const tFoundEvent*> EventsBeforeEnd(const tAnalysisResult& result)
{
    const tFoundEvent* end = EndOf(result);
    std::vector<const tFoundEvent*> events;
    for (const tFoundEvent& event : result.events) {
        if (event.kind != tFoundEvent::End && event.kind != tFoundEvent::Echo
            && (!end || event.distanceM <= end->distanceM))
            events.push_back(&event);
    }
    return events;
}

std::optional<double> Worse(const std::optional<double>& a, const std::optional<double>& b)
{
    if (a && b)
        return std::max(*a, *b);
    return a ? a : b;
}

QString Number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace

double CBidirectionalPair::PulseLengthM(double pulseNs, double groupIndex)
{
    // The pulse goes out and its backscatter comes back: on the one-way
    // distance axis it covers half of its length in the fibre.
    return groupIndex > 0 ? pulseNs * 1e-9 * kSpeedOfLight / (2.0 * groupIndex) : 0.0;
}

tBidirectionalResult CBidirectionalPair::Analyse(
    const sor::CFile& aToB, const sor::CFile& bToA, const tThresholds& defaults)
{
    if (&aToB == &bToA || (!aToB.Path().isEmpty() && QFileInfo(aToB.Path()) == QFileInfo(bToA.Path()))) {
        tBidirectionalResult result;
        result.reason = tr("A trace cannot be paired with itself.");
        return result;
    }
    return Combine(
        aToB, CEventSource::StoredOrAnalysed(aToB, defaults), bToA, CEventSource::StoredOrAnalysed(bToA, defaults));
}

tBidirectionalResult CBidirectionalPair::Combine(
    const sor::CFile& aToB, const tAnalysisResult& aEvents, const sor::CFile& bToA, const tAnalysisResult& bEvents)
{
    tBidirectionalResult result;
    result.aToB = aEvents;
    result.bToA = bEvents;

    const double waveA = double(aToB.GeneralParameters().wavelength);
    const double waveB = double(bToA.GeneralParameters().wavelength);
    if (std::lround(waveA) != std::lround(waveB)) {
        result.reason
            = tr("The wavelengths differ: %1 nm (A→B) and %2 nm (B→A).").arg(Number(waveA, 0), Number(waveB, 0));
        return result;
    }
    const double indexA = double(aToB.FixedParameters().groupIndex);
    const double indexB = double(bToA.FixedParameters().groupIndex);
    // A little slack for the indices' storage in 1e-5 steps.
    if (std::abs(indexA - indexB) > kGroupIndexTolerance + 1e-7) {
        result.reason = tr("The group indices differ by more than %1: %2 (A→B) and %3 (B→A).")
                            .arg(Number(kGroupIndexTolerance, 3), Number(indexA, 5), Number(indexB, 5));
        return result;
    }
    const struct
    {
        const tAnalysisResult& events;
        QString name;
    } sides[] = { { aEvents, tr("A→B") }, { bEvents, tr("B→A") } };
    for (const auto& side : sides) {
        if (side.events.events.empty() && !side.events.reason.isEmpty()) {
            result.reason = tr("The %1 trace has no events: %2").arg(side.name, side.events.reason);
            return result;
        }
        if (!side.events.fiberEndM) {
            result.reason = tr("The %1 trace has no fibre end.").arg(side.name);
            return result;
        }
    }

    const double pulseLength
        = std::max(PulseLengthM(aEvents.pulseNs, indexA), PulseLengthM(bEvents.pulseNs, indexB > 0 ? indexB : indexA));
    const double lengthA = *aEvents.fiberEndM;
    const double lengthB = *bEvents.fiberEndM;
    const double lengthTolerance = std::max(kLengthShare * std::max(lengthA, lengthB), kLengthPulses * pulseLength);
    if (std::abs(lengthA - lengthB) > lengthTolerance) {
        result.reason = tr("The lengths to the fibre end differ by more than %1 m: %2 m (A→B) and %3 m (B→A).")
                            .arg(Number(lengthTolerance, 1), Number(lengthA, 1), Number(lengthB, 1));
        return result;
    }
    result.mirrorOffsetM = lengthB;
    result.matchToleranceM = std::max(kMatchPulses * pulseLength, kMatchMinM);

    // Both lists in A→B distance order; the mirrored B→A list is reversed.
    const std::vector<const tFoundEvent*> listA = EventsBeforeEnd(aEvents);
    std::vector<const tFoundEvent*> listB = EventsBeforeEnd(bEvents);
    std::reverse(listB.begin(), listB.end());
    std::vector<double> atB;
    for (const tFoundEvent* event : listB)
        atB.push_back(lengthB - event->distanceM);

    // Nearest pairs first, each event in one pair at most, and no pair
    // crossing another: the order of events along the fibre is the same
    // from both ends.
    struct tCandidate
    {
        size_t a;
        size_t b;
        double gap;
    };
    std::vector<tCandidate> candidates;
    for (size_t i = 0; i < listA.size(); ++i)
        for (size_t j = 0; j < listB.size(); ++j) {
            const double gap = std::abs(listA[i]->distanceM - atB[j]);
            if (gap <= result.matchToleranceM)
                candidates.push_back({ i, j, gap });
        }
    std::stable_sort(
        candidates.begin(), candidates.end(), [](const tCandidate& x, const tCandidate& y) { return x.gap < y.gap; });
    std::vector<int> partnerOfA(listA.size(), -1);
    std::vector<int> partnerOfB(listB.size(), -1);
    std::vector<tCandidate> accepted;
    for (const tCandidate& c : candidates) {
        if (partnerOfA[c.a] >= 0 || partnerOfB[c.b] >= 0)
            continue;
        const bool crosses = std::any_of(accepted.begin(), accepted.end(),
            [&c](const tCandidate& other) { return (c.a < other.a) != (c.b < other.b); });
        if (crosses)
            continue;
        accepted.push_back(c);
        partnerOfA[c.a] = int(c.b);
        partnerOfB[c.b] = int(c.a);
    }

    for (size_t i = 0; i < listA.size(); ++i) {
        const tFoundEvent& a = *listA[i];
        tBidirectionalEvent event;
        event.distanceM = a.distanceM;
        event.kind = a.kind;
        event.lossAToBDb = a.lossDb;
        event.reflectanceDb = a.reflectanceDb;
        event.saturated = a.saturated;
        if (partnerOfA[i] < 0) {
            event.seen = tBidirectionalEvent::AToBOnly;
            if (a.lossDb)
                event.lossDb = *a.lossDb / 2.0;
        } else {
            const tFoundEvent& b = *listB[size_t(partnerOfA[i])];
            event.lossBToADb = b.lossDb;
            if (b.kind == tFoundEvent::Reflective)
                event.kind = tFoundEvent::Reflective;
            event.reflectanceDb = Worse(a.reflectanceDb, b.reflectanceDb);
            event.saturated = a.saturated || b.saturated;
            if (a.lossDb && b.lossDb)
                event.lossDb = (*a.lossDb + *b.lossDb) / 2.0;
            else
                event.lossDb = a.lossDb ? a.lossDb : b.lossDb;
        }
        result.events.push_back(event);
    }
    for (size_t j = 0; j < listB.size(); ++j) {
        if (partnerOfB[j] >= 0)
            continue;
        const tFoundEvent& b = *listB[j];
        tBidirectionalEvent event;
        event.distanceM = atB[j];
        event.kind = b.kind;
        event.seen = tBidirectionalEvent::BToAOnly;
        event.lossBToADb = b.lossDb;
        if (b.lossDb)
            event.lossDb = *b.lossDb / 2.0;
        event.reflectanceDb = b.reflectanceDb;
        event.saturated = b.saturated;
        result.events.push_back(event);
    }

    // The far end is A→B's end. The B→A end lies at the A→B launch point,
    // which A→B does not list as an event either.
    const tFoundEvent* end = EndOf(aEvents);
    tBidirectionalEvent last;
    last.distanceM = end->distanceM;
    last.kind = tFoundEvent::End;
    last.lossAToBDb = end->lossDb;
    last.lossDb = end->lossDb;
    last.reflectanceDb = end->reflectanceDb;
    last.saturated = end->saturated;
    result.events.push_back(last);
    std::stable_sort(result.events.begin(), result.events.end(),
        [](const tBidirectionalEvent& x, const tBidirectionalEvent& y) { return x.distanceM < y.distanceM; });

    if (aEvents.endToEndLossDb && bEvents.endToEndLossDb)
        result.averageLossDb = (*aEvents.endToEndLossDb + *bEvents.endToEndLossDb) / 2.0;
    return result;
}

QSharedPointer<sor::CFile> CBidirectionalPair::Mirrored(sor::CFile& bToA, double mirrorOffsetM)
{
    const double resolution = bToA.Resolution();
    if (!(resolution > 0) || !(mirrorOffsetM >= 0) || bToA.PointCount() == 0)
        return {};
    try {
        bc::CBellcore copy;
        bc::CFileStream stream(bToA.Path());
        stream.LoadFromData(copy, bToA.Image());
        std::vector<quint16>& points = copy.dataPoints.groups.front().points;
        const std::vector<quint16> original = points;
        const long long last
            = std::min<long long>(std::llround(mirrorOffsetM / resolution), (long long)(original.size()) - 1);
        points.assign(size_t(last + 1), 0);
        for (long long i = 0; i <= last; ++i)
            points[size_t(i)] = original[size_t(last - i)];
        copy.dataPoints.totalPoints = quint32(points.size());
        if (!copy.fixed.params.pulses.empty())
            copy.fixed.params.pulses.front().pointCount = quint32(points.size());
        quint32 warnings = 0;
        const auto mirrored = QSharedPointer<sor::CFile>::create(bToA.Path(), stream.SaveToData(copy), warnings);
        // Its events would stand at B→A's distances on the A→B axis.
        mirrored->SetKeyEvents({});
        mirrored->SetModified(false);
        return mirrored;
    } catch (const Exception&) {
    } catch (const std::exception&) {
    }
    return {};
}

} // namespace analysis
