#pragma once

#include <QString>

namespace sor {

// Text of a measured value that is shown only within limits (the event table
// and the marker panel): a value from `lower` to `upper` with three decimals
// (1.5 reads "1.500"); below `lower` "<" and the limit without decimals (so
// "<-16"), above `upper` ">" and the limit (so ">70"). A value that is not a
// number has no text.
QString RangeText(double value, double lower, double upper);

} // namespace sor
