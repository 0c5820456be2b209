#include "CSynthRandom.h"

#include <cmath>

double CSynthRandom::Unit()
{
    const std::uint64_t high = m_engine() >> 5; // 27 bits
    const std::uint64_t low = m_engine() >> 6; // 26 bits
    return double((high << 26) | low) * (1.0 / 9007199254740992.0);
}

double CSynthRandom::Uniform(double low, double high)
{
    return low + (high - low) * Unit();
}

int CSynthRandom::Integer(int low, int high)
{
    const double span = double(high) - double(low) + 1.0;
    const int value = low + int(std::floor(Unit() * span));
    return value > high ? high : value;
}

double CSynthRandom::Gauss()
{
    // Marsaglia's polar method; every second call uses the spare value.
    if (m_hasSpare) {
        m_hasSpare = false;
        return m_spare;
    }
    double u = 0;
    double v = 0;
    double s = 0;
    do {
        u = 2.0 * Unit() - 1.0;
        v = 2.0 * Unit() - 1.0;
        s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double factor = std::sqrt(-2.0 * std::log(s) / s);
    m_spare = v * factor;
    m_hasSpare = true;
    return u * factor;
}
