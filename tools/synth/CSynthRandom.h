#pragma once

#include <cstdint>
#include <random>

// The random source of a synthetic trace. The engine's output is fixed by the
// C++ standard and the distributions are computed here, so a seed gives the
// same trace with every compiler and standard library.
class CSynthRandom
{
public:
    explicit CSynthRandom(std::uint32_t seed) : m_engine(seed) { }

    // Uniform in [low, high).
    double Uniform(double low, double high);
    // Uniform integer in [low, high].
    int Integer(int low, int high);
    // Standard normal: mean 0, deviation 1.
    double Gauss();
    // True with probability p.
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }

private:
    // Uniform in [0, 1) with 53 random bits.
    double Unit();

    std::mt19937 m_engine;
    bool m_hasSpare = false;
    double m_spare = 0;
};
