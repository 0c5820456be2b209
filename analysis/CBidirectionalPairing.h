#pragma once

#include <QString>

#include <vector>

namespace sor {
class CFile;
}

namespace analysis {

// Proposes which traces of a folder are the two directions of one fibre:
// names that are the same but for a direction suffix ("_AB" and "_BA"), or the
// same cable and fibre IDs at the same wavelength with the originating and
// terminating locations swapped. Each trace is in one proposal at most.
class CBidirectionalPairing
{
public:
    // What the proposal needs of a trace.
    struct tTrace
    {
        QString path;
        QString cableId;
        QString fiberId;
        QString origin;
        QString destination;
        // nm.
        int wavelength = 0;

        static tTrace Of(const sor::CFile& file);
    };

    // Indices into the traces the proposal was made from.
    struct tProposal
    {
        int aToB = -1;
        int bToA = -1;
        // By the names' suffixes, or else by the IDs and locations.
        bool bySuffix = false;
    };

    // The usual suffixes.
    static QString DefaultSuffixAToB() { return QStringLiteral("_AB"); }
    static QString DefaultSuffixBToA() { return QStringLiteral("_BA"); }

    // Pairs by the suffixes first (case is ignored; an empty suffix pairs
    // nothing), then by the IDs; by IDs the trace listed first is A→B.
    static std::vector<tProposal> Propose(
        const std::vector<tTrace>& traces, const QString& suffixAToB, const QString& suffixBToA);
};

} // namespace analysis
