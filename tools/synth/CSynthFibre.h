#pragma once

#include <QtGlobal>

#include <vector>

class CSynthRandom;

// A fibre link and the trace a reflectometer would record on it: the
// backscatter falling with the fibre's attenuation, steps at splices, spikes
// at connectors and at the fibre end, each as wide as the pulse with a tail
// that grows with it, and noise of constant power, which shows more and more
// as the backscatter falls towards the noise floor. Levels are dB below the
// trace's reference as shown on the trace (one-way, five times the decimal
// logarithm of the received power).
class CSynthFibre
{
public:
    enum tKind { Splice, Connector, End };

    struct tFeature
    {
        tKind kind = Splice;
        // Metres from the trace start.
        double distance = 0;
        // dB; a splice may show a small gain (negative loss).
        double loss = 0;
        // dB; 0 for a splice.
        double reflectance = 0;
    };

    struct tOptics
    {
        // dB/km.
        double attenuation = 0.19;
        // dB of backscatter for a 1 ns pulse.
        double backscatter = -80;
        // ns.
        double pulseWidth = 100;
        // Metres of fibre the pulse covers (one way).
        double pulseLength = 10;
        // dB below the reference where the backscatter starts.
        double startLevel = 5;
        // dB below the reference of the noise's RMS power.
        double noiseFloor = 40;
    };

    // `features` in order of distance; the last one is the fibre end.
    CSynthFibre(const tOptics& optics, std::vector<tFeature> features);

    // `count` features spread over `length` metres, the last of them the
    // fibre end at `length`; at least the end.
    static std::vector<tFeature> Layout(CSynthRandom& random, double length, int count);

    // `count` samples `resolution` metres apart, in 0.001 dB below the reference.
    std::vector<quint16> Render(CSynthRandom& random, size_t count, double resolution) const;

    // Optical return loss of the link seen from its start, dB.
    double ReturnLoss() const;
    // Loss from the start to the fibre end, dB.
    double EndToEndLoss() const;

    const std::vector<tFeature>& Features() const { return m_features; }

private:
    // Backscatter level at `distance` without the reflections, dB; `width` is
    // the distance over which a step builds up.
    double Level(double distance, double width) const;
    // Received power of a reflection of `reflectance` dB over backscatter of
    // power `backscatterPower`.
    double ReflectedPower(double reflectance, double backscatterPower) const;

    tOptics m_optics;
    std::vector<tFeature> m_features;
};
