#include "tSampleMapping.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsFinite(const QRectF& rect)
{
    return std::isfinite(rect.left()) && std::isfinite(rect.top()) && std::isfinite(rect.width())
        && std::isfinite(rect.height());
}

} // namespace

tSampleMapping tSampleMapping::Make(const QRect& target, const QRectF& data, double resolution, int pointCount)
{
    tSampleMapping mapping;
    // A single sample has no length to spread over the target.
    if (pointCount < 2 || !std::isfinite(resolution) || resolution <= 0 || target.width() <= 0 || target.height() < 2
        || !IsFinite(data) || data.width() <= 0 || data.height() <= 0)
        return mapping;

    const double left = data.left() / resolution;
    mapping.kx = data.width() / resolution / target.width();
    mapping.ky = data.height() / (target.height() - 1);
    if (!std::isfinite(mapping.kx) || !std::isfinite(mapping.ky) || mapping.kx <= 0 || mapping.ky <= 0)
        return mapping;

    mapping.resolution = resolution;
    mapping.first = int(std::clamp(std::floor(left), 0.0, double(pointCount - 1)));
    mapping.x0 = target.left() - ToPixel((left - mapping.first) / mapping.kx);
    mapping.y0 = target.top() - ToPixel(data.top() / mapping.ky);
    // Three samples beyond the right edge so that the last segment reaches it.
    const double count = std::floor(data.width() / resolution + 0.5) + 3;
    mapping.count = int(std::min(count, double(pointCount - mapping.first)));
    mapping.valid = true;
    return mapping;
}
