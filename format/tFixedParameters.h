#pragma once

#include <NumValue.h>

#include <QDateTime>

#include <array>

#include <vector>

namespace sor {

// Unit of distance the instrument displayed ("km", "mt", "ft", "kf", "mi").
enum tDistanceUnit : quint32 { Kilometres = 0, Metres = 1, Feet = 2, Kilofeet = 3, Miles = 4 };

// Kind of trace ("ST" standard, "RT" reverse, "DT" difference, "RF" reference).
enum tTraceType : quint32 { StandardTrace = 0, ReverseTrace = 1, DifferenceTrace = 2, ReferenceTrace = 3 };

// One pulse width used for the acquisition.
struct tPulse
{
    // ns.
    CType::NumValue<float, qint16, 1, 0> pulseWidth;
    // ns per sample (file: time for 10 000 samples in units of 100 ps).
    CType::NumValue<float, qint32, 100000, 0> dataSpacing;
    quint32 pointCount = 0;
};

// Acquisition settings of the trace.
struct tFixedParameters
{
    // Date and time of the measurement, UTC.
    QDateTime dateTime = QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
    // Index into tDistanceUnit.
    quint32 distanceUnit = Kilometres;
    // The unit code as the file holds it; an index past the table means this code.
    std::array<char, 2> distanceUnitCode { { 'k', 'm' } };
    // nm.
    CType::NumValue<float, qint16, 10, 0> actualWavelength;
    // ns.
    CType::NumValue<float, qint32, 10, 2> acquisitionOffset;
    // The later layout's distance companions of the offset and the range, in
    // the instrument's own units (instruments disagree on their scale).
    CType::NumValue<qint32, qint32, 1, 7> acquisitionOffsetDistance;
    CType::NumValue<qint32, qint32, 1, 7> acquisitionRangeDistance;
    // Noise-floor scale factor as stored in the file.
    qint16 noiseFloorScale = 1;
    // At least one entry in a valid file.
    std::vector<tPulse> pulses;
    // Pulse width and data spacing of the trace: the first pulse entry's.
    CType::NumValue<float, qint16, 1, 0> pulseWidth;
    CType::NumValue<float, qint32, 100000, 0> dataSpacing;
    // Refractive group index.
    CType::NumValue<float, qint32, 100000, 0> groupIndex;
    // Backscatter coefficient, dB (negative).
    CType::NumValue<float, qint16, -10, 0> backscatter;
    CType::NumValue<unsigned int, qint32, 1, 0> averages;
    // Averaging time, s; later layout only.
    CType::NumValue<float, quint16, 10, 2> averagingTime;
    // ns.
    CType::NumValue<float, qint32, 10, 0> acquisitionRange;
    // ns.
    CType::NumValue<float, qint32, 10, 2> frontPanelOffset;
    // dB, zero or negative: the true level (file level times the scale factor).
    CType::NumValue<double, quint16, -1000, 2> noiseFloor;
    // dB.
    CType::NumValue<float, quint16, 1000, 2> powerOffset;
    // dB.
    CType::NumValue<float, quint16, 1000, 2> lossThreshold;
    // dB, zero or negative.
    CType::NumValue<float, quint16, -1000, 2> reflectanceThreshold;
    // dB, above zero.
    CType::NumValue<float, quint16, 1000, 0> endOfFiberThreshold;
    // Later layout only: the kind of trace (index into tTraceType, the code as
    // the file holds it) and the window coordinates the instrument stored.
    quint32 traceType = StandardTrace;
    std::array<char, 2> traceTypeCode { { 'S', 'T' } };
    std::array<qint32, 4> windowCoordinates {};
};

} // namespace sor
