#pragma once

#include "tBidirectionalResult.h"

#include <QCoreApplication>
#include <QSharedPointer>

namespace sor {
class CFile;
}

namespace analysis {

// Two traces of one fibre at one wavelength measured from opposite ends (A→B
// and B→A) made into one list of events: the B→A events mirrored onto the A→B
// distance axis, the events of both directions matched by distance and their
// losses averaged, which cancels the part of a one-way loss that comes from
// the two fibres scattering back differently (the "gainer" seen from one end
// and the exaggerated loss seen from the other). Nothing is written into
// either document.
class CBidirectionalPair
{
    Q_DECLARE_TR_FUNCTIONS(CBidirectionalPair)

public:
    // Pairs two documents with their stored events, or the analysis with
    // `defaults` where a trace stores none. A refused pair has its reason set.
    static tBidirectionalResult Analyse(const sor::CFile& aToB, const sor::CFile& bToA, const tThresholds& defaults);
    // The same from the events each trace already has.
    static tBidirectionalResult Combine(
        const sor::CFile& aToB, const tAnalysisResult& aEvents, const sor::CFile& bToA, const tAnalysisResult& bEvents);

    // Metres of the distance axis one pulse of `pulseNs` covers in a fibre of
    // `groupIndex`; 0 without a group index.
    static double PulseLengthM(double pulseNs, double groupIndex);

    // A new document (not linked to any file) holding the B→A trace mirrored
    // onto the A→B axis: the sample at A→B distance x is B→A's sample at
    // `mirrorOffsetM` - x, so the trace runs from the B→A fibre end at 0 to
    // the B→A start at `mirrorOffsetM`. It keeps B→A's path and parameters,
    // without events. Null when the document cannot be rebuilt.
    static QSharedPointer<sor::CFile> Mirrored(sor::CFile& bToA, double mirrorOffsetM);
};

} // namespace analysis
