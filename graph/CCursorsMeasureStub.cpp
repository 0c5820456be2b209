#include "CCursors.h"

// Stand-ins for the measurement results until the measurement arithmetic is
// there: every result reads 0.

float CCursors::SpliceLoss() const
{
    return 0;
}

float CCursors::AttenuationCoefficient() const
{
    return 0;
}

float CCursors::Reflectance() const
{
    return 0;
}
