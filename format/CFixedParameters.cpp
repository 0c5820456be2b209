#include "CFixedParameters.h"

#include "CFileStream.h"
#include "Exception.h"
#include "FieldCodes.h"

#include <cmath>

namespace bc {

namespace {
constexpr quint8 kModule = Exception::ModuleBlocks;
constexpr const char* kUnits[] = { "km", "mt", "ft", "kf", "mi" };
constexpr const char* kTraceTypes[] = { "ST", "RT", "DT", "RF" };
// A noise-floor scale factor from this value up counts in thousandths.
constexpr qint16 kThousandths = 1000;
#define BLOCK_THROW(Type) throw Type(kModule, __LINE__)
} // namespace

void CFixedParameters::Serialize(CFileStream& stream)
{
    sor::tFixedParameters& p = params;
    const bool writing = stream.IsWriting();
    const bool later = stream.LaterLayout();
    if (writing && p.pulses.empty())
        BLOCK_THROW(EInternalError);

    quint32 seconds = 0;
    if (writing) {
        const qint64 secs = p.dateTime.isValid() ? p.dateTime.toSecsSinceEpoch() : -1;
        if (secs < 0 || secs > qint64(0xFFFFFFFFu))
            BLOCK_THROW(EInternalError);
        seconds = quint32(secs);
    }
    BC_LOCATED(kModule, stream.SerializeUInt32(seconds));
    if (!writing)
        p.dateTime = QDateTime::fromSecsSinceEpoch(qint64(seconds), Qt::UTC);

    BC_LOCATED(kModule, FieldCodes::SerializeCode(stream, p.distanceUnit, kUnits, p.distanceUnitCode));
    BC_LOCATED(kModule, p.actualWavelength.Serialize(stream));
    BC_LOCATED(kModule, p.acquisitionOffset.Serialize(stream));
    if (later)
        BC_LOCATED(kModule, p.acquisitionOffsetDistance.Serialize(stream));

    if (writing) {
        p.pulses.front().pulseWidth = p.pulseWidth;
        p.pulses.front().dataSpacing = p.dataSpacing;
        if (p.pulses.size() > 0x7FFF)
            BLOCK_THROW(EInternalError);
    }
    qint16 count = qint16(p.pulses.size());
    BC_LOCATED(kModule, stream.SerializeInt16(count));
    if (!writing) {
        if (count < 1)
            BLOCK_THROW(EFileLoadInvalidFormat);
        p.pulses.assign(size_t(count), sor::tPulse());
    }
    for (sor::tPulse& pulse : p.pulses)
        BC_LOCATED(kModule, pulse.pulseWidth.Serialize(stream));
    for (sor::tPulse& pulse : p.pulses)
        BC_LOCATED(kModule, pulse.dataSpacing.Serialize(stream));
    for (sor::tPulse& pulse : p.pulses)
        BC_LOCATED(kModule, stream.SerializeUInt32(pulse.pointCount));
    if (!writing) {
        p.pulseWidth = p.pulses.front().pulseWidth;
        p.dataSpacing = p.pulses.front().dataSpacing;
    }

    BC_LOCATED(kModule, p.groupIndex.Serialize(stream));
    BC_LOCATED(kModule, p.backscatter.Serialize(stream));
    BC_LOCATED(kModule, p.averages.Serialize(stream));
    if (later)
        BC_LOCATED(kModule, p.averagingTime.Serialize(stream));
    BC_LOCATED(kModule, p.acquisitionRange.Serialize(stream));
    if (later)
        BC_LOCATED(kModule, p.acquisitionRangeDistance.Serialize(stream));
    BC_LOCATED(kModule, p.frontPanelOffset.Serialize(stream));

    // The file holds the noise floor as a level and a scale factor. A factor
    // of 0 (some instruments write it) counts as 1 and is written back as 0.
    // Most instruments write the factor in thousandths (1000 for 1.0); a
    // factor of 1000 or more is read that way, since multiplying by it would
    // put the floor thousands of dB down.
    const auto factor = [](qint16 stored) {
        if (stored == 0)
            return 1.0;
        return stored >= kThousandths ? stored / double(kThousandths) : double(stored);
    };
    if (writing) {
        double level = double(p.noiseFloor) / factor(p.noiseFloorScale);
        if (level < -65.535 && p.noiseFloorScale > 0) {
            // An edited floor deeper than the level can hold: pick the smallest
            // factor that makes it fit, in the file's own coding.
            const double unit = p.noiseFloorScale >= kThousandths ? kThousandths : 1.0;
            const double needed = std::ceil(double(p.noiseFloor) / -65.535 * unit);
            if (needed <= 0x7FFF) {
                p.noiseFloorScale = qint16(needed);
                level = double(p.noiseFloor) / factor(p.noiseFloorScale);
            }
        }
        m_noiseLevel = level;
    }
    BC_LOCATED(kModule, m_noiseLevel.Serialize(stream));
    BC_LOCATED(kModule, stream.SerializeInt16(p.noiseFloorScale));
    if (!writing)
        p.noiseFloor = double(m_noiseLevel) * factor(p.noiseFloorScale);

    BC_LOCATED(kModule, p.powerOffset.Serialize(stream));
    BC_LOCATED(kModule, p.lossThreshold.Serialize(stream));
    BC_LOCATED(kModule, p.reflectanceThreshold.Serialize(stream));
    BC_LOCATED(kModule, p.endOfFiberThreshold.Serialize(stream));
    if (!later)
        return;
    BC_LOCATED(kModule, FieldCodes::SerializeCode(stream, p.traceType, kTraceTypes, p.traceTypeCode));
    for (qint32& coordinate : p.windowCoordinates)
        BC_LOCATED(kModule, stream.SerializeInt32(coordinate));
}

} // namespace bc
