#include "CSynthFibre.h"

#include "CSynthRandom.h"

#include <algorithm>
#include <cmath>

namespace {

// Reflectance of the instrument's own front connector, dB. It saturates the
// receiver: the trace starts with a dead zone at the reference level.
constexpr double kFrontReflectance = -30.0;
// The receiver recovers from a reflection exponentially; this many pulse
// lengths after the pulse it is back within 0.1 dB.
constexpr double kRecoveryRate = 4.0;
constexpr double kRecoverySpan = 5.0;

// 0 before `u` = 0, 1 after `u` = 1, linear in between.
double Ramp(double u)
{
    return u <= 0 ? 0.0 : (u >= 1 ? 1.0 : u);
}

// Shape of a reflection over pulse lengths from the reflecting point: a fast
// rise, a flat top as long as the pulse, and the receiver's recovery tail.
double PulseShape(double u)
{
    if (u < 0)
        return 0;
    if (u < 0.1)
        return u / 0.1;
    if (u <= 1)
        return 1;
    return std::exp(-(u - 1) * kRecoveryRate);
}

double PowerOf(double level)
{
    return std::pow(10.0, -level / 5.0);
}

} // namespace

CSynthFibre::CSynthFibre(const tOptics& optics, std::vector<tFeature> features)
    : m_optics(optics), m_features(std::move(features))
{
}

std::vector<CSynthFibre::tFeature> CSynthFibre::Layout(CSynthRandom& random, double length, int count)
{
    count = std::max(count, 1);
    std::vector<tFeature> features;
    const double slot = length / count;
    for (int k = 0; k + 1 < count; ++k) {
        tFeature feature;
        feature.distance = slot * (k + 1) + random.Uniform(-0.3, 0.3) * slot;
        if (random.Chance(0.3)) {
            feature.kind = Connector;
            feature.loss = random.Uniform(0.15, 0.5);
            feature.reflectance = random.Uniform(-58.0, -40.0);
        } else {
            feature.kind = Splice;
            // Joining fibres of different mode field diameters looks like a
            // gain from this side.
            feature.loss = random.Chance(0.1) ? -random.Uniform(0.01, 0.05) : random.Uniform(0.02, 0.15);
        }
        features.push_back(feature);
    }
    tFeature end;
    end.kind = End;
    end.distance = length;
    end.reflectance = random.Uniform(-30.0, -14.0);
    features.push_back(end);
    return features;
}

double CSynthFibre::Level(double distance, double width) const
{
    double level = m_optics.startLevel + m_optics.attenuation * distance / 1000.0;
    for (const tFeature& feature : m_features) {
        if (feature.distance >= distance)
            break;
        if (feature.kind != End)
            level += feature.loss * Ramp((distance - feature.distance) / width);
    }
    return level;
}

double CSynthFibre::ReflectedPower(double reflectance, double backscatterPower) const
{
    // The backscatter of a pulse grows with its width; a reflection does not.
    const double pulseBackscatter = m_optics.backscatter + 10.0 * std::log10(m_optics.pulseWidth);
    return backscatterPower * std::pow(10.0, (reflectance - pulseBackscatter) / 10.0);
}

std::vector<quint16> CSynthFibre::Render(CSynthRandom& random, size_t count, double resolution) const
{
    // A pulse shorter than the sample spacing would slip between two samples.
    const double width = std::max(m_optics.pulseLength, 1.5 * resolution);
    const double noise = PowerOf(m_optics.noiseFloor);
    const double fibreEnd = m_features.empty() ? 0.0 : m_features.back().distance;

    struct tSpike
    {
        double distance;
        double power;
    };
    std::vector<tSpike> spikes { { 0.0, ReflectedPower(kFrontReflectance, PowerOf(m_optics.startLevel)) } };
    for (const tFeature& feature : m_features) {
        if (feature.kind != Splice)
            spikes.push_back(
                { feature.distance, ReflectedPower(feature.reflectance, PowerOf(Level(feature.distance, width))) });
    }

    std::vector<quint16> samples(count);
    for (size_t i = 0; i < count; ++i) {
        const double x = double(i) * resolution;
        double power = PowerOf(Level(x, width)) * (1.0 - Ramp((x - fibreEnd) / width));
        for (const tSpike& spike : spikes) {
            const double u = (x - spike.distance) / width;
            if (u >= 0 && u < 1 + kRecoverySpan)
                power += spike.power * PulseShape(u);
        }
        // Noise of constant power; where it outweighs the signal the level
        // scatters around the floor, clipped a few dB below it.
        const double measured = std::max(power + noise * random.Gauss(), noise * 0.1);
        const double level = std::clamp(-5.0 * std::log10(measured), 0.0, 65.535);
        samples[i] = quint16(std::lround(level * 1000.0));
    }
    return samples;
}

double CSynthFibre::EndToEndLoss() const
{
    if (m_features.empty())
        return 0;
    double loss = m_optics.attenuation * m_features.back().distance / 1000.0;
    for (const tFeature& feature : m_features) {
        if (feature.kind != End)
            loss += feature.loss;
    }
    return loss;
}

double CSynthFibre::ReturnLoss() const
{
    // Each reflection comes back through twice the loss in front of it; the
    // Rayleigh backscatter of a long fibre returns about -32 dB at 1550 nm,
    // more where the fibre scatters more.
    double returned = 0;
    double lossBefore = 0;
    double previous = 0;
    for (const tFeature& feature : m_features) {
        lossBefore += m_optics.attenuation * (feature.distance - previous) / 1000.0;
        previous = feature.distance;
        if (feature.kind != Splice)
            returned += std::pow(10.0, (feature.reflectance - 2 * lossBefore) / 10.0);
        lossBefore += feature.loss;
    }
    const double scatter = std::pow(10.0, (-32.0 + (m_optics.backscatter + 80.0)) / 10.0);
    returned += scatter * (1.0 - std::pow(10.0, -2 * EndToEndLoss() / 10.0));
    return -10.0 * std::log10(returned);
}
