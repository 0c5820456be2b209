#include "CBidirectionalPairing.h"

#include <CFile.h>

#include <QFileInfo>

#include <cmath>

namespace analysis {

namespace {

bool Same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

CBidirectionalPairing::tTrace CBidirectionalPairing::tTrace::Of(const sor::CFile& file)
{
    const sor::tGeneralParameters& general = file.GeneralParameters();
    tTrace trace;
    trace.path = file.Path();
    trace.cableId = general.cableId.Text().trimmed();
    trace.fiberId = general.fiberId.Text().trimmed();
    trace.origin = general.originatingLocation.Text().trimmed();
    trace.destination = general.terminatingLocation.Text().trimmed();
    trace.wavelength = int(std::lround(double(general.wavelength)));
    return trace;
}

std::vector<CBidirectionalPairing::tProposal> CBidirectionalPairing::Propose(
    const std::vector<tTrace>& traces, const QString& suffixAToB, const QString& suffixBToA)
{
    std::vector<tProposal> proposals;
    std::vector<bool> taken(traces.size(), false);
    const auto take = [&](size_t a, size_t b, bool bySuffix) {
        taken[a] = taken[b] = true;
        proposals.push_back({ int(a), int(b), bySuffix });
    };

    if (!suffixAToB.isEmpty() && !suffixBToA.isEmpty() && !Same(suffixAToB, suffixBToA)) {
        for (size_t a = 0; a < traces.size(); ++a) {
            const QFileInfo infoA(traces[a].path);
            const QString nameA = infoA.completeBaseName();
            if (taken[a] || !nameA.endsWith(suffixAToB, Qt::CaseInsensitive))
                continue;
            const QString wanted = nameA.left(nameA.size() - suffixAToB.size()) + suffixBToA;
            for (size_t b = 0; b < traces.size(); ++b) {
                const QFileInfo infoB(traces[b].path);
                if (b != a && !taken[b] && Same(infoB.completeBaseName(), wanted)
                    && infoB.absolutePath() == infoA.absolutePath() && traces[b].wavelength == traces[a].wavelength) {
                    take(a, b, true);
                    break;
                }
            }
        }
    }

    for (size_t a = 0; a < traces.size(); ++a) {
        const tTrace& ta = traces[a];
        if (taken[a] || ta.cableId.isEmpty() || ta.fiberId.isEmpty() || ta.origin.isEmpty() || ta.destination.isEmpty()
            || Same(ta.origin, ta.destination))
            continue;
        for (size_t b = a + 1; b < traces.size(); ++b) {
            const tTrace& tb = traces[b];
            if (!taken[b] && Same(ta.cableId, tb.cableId) && Same(ta.fiberId, tb.fiberId)
                && ta.wavelength == tb.wavelength && Same(ta.origin, tb.destination)
                && Same(ta.destination, tb.origin)) {
                take(a, b, false);
                break;
            }
        }
    }
    return proposals;
}

} // namespace analysis
