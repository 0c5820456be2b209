#pragma once

#include "IStream.h"
#include "tKeyEvent.h"

#include <deque>

namespace bc {

// The "KeyEvents" block: the events, then the end-to-end loss and the optical
// return loss of the link with the markers used to measure them.
class CKeyEvents : public IStream
{
public:
    // Marker positions of a link measurement, in file units.
    class tMarkers final : public IStream
    {
    public:
        void Serialize(CFileStream& stream) override;

        CType::NumValue<qint32, qint32, 1, 2> start;
        CType::NumValue<qint32, qint32, 1, 2> end;
    };

    void Serialize(CFileStream& stream) override;

    std::deque<sor::tKeyEvent> events;
    // 0.001 dB.
    CType::NumValue<qint32, qint32, 1, 2> endToEndLoss;
    tMarkers endToEndMarkers;
    // 0.001 dB.
    CType::NumValue<qint16, qint16, 1, 2> returnLoss;
    tMarkers returnLossMarkers;
};

} // namespace bc
