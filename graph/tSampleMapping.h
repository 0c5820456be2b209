#pragma once

#include <QRect>
#include <QRectF>

#include <algorithm>
#include <cmath>

// Maps the samples of a trace to the pixels of a paint target. Built for each
// paint from the target rectangle (pixels), the data rectangle it shows
// (x metres, y sample units) and the active document's sample spacing, so
// that every trace and mark of one picture shares the same pixel grid.
struct tSampleMapping
{
    // An invalid mapping (see `valid`) when nothing can be mapped: fewer than
    // two samples, no sample spacing, an empty data rectangle or a target
    // less than two pixels high.
    static tSampleMapping Make(const QRect& target, const QRectF& data, double resolution, int pointCount);

    // Pixel column of sample `index`. Inline: the painter calls it per sample.
    int SampleX(int index) const { return ToPixel((index - first) / kx) + x0; }
    // Pixel row of a sample value (0.001 dB, larger is lower).
    int ValueY(double value) const { return ToPixel(value / ky) + y0; }
    // Pixel column of a distance in metres from the trace start.
    int DistanceX(double metres) const { return ToPixel((metres / resolution - first) / kx) + x0; }
    // floor(value + 0.5), held far outside any target but inside int.
    static int ToPixel(double value)
    {
        constexpr double limit = 1e8;
        return int(std::clamp(std::floor(value + 0.5), -limit, limit));
    }

    bool valid = false;
    // Samples per pixel column.
    double kx = 0;
    // Sample units per pixel row.
    double ky = 0;
    // First sample drawn and the number of samples drawn from it; the range
    // covers the data rectangle plus a few samples beyond its right edge.
    int first = 0;
    int count = 0;
    // Pixel column of sample `first` and pixel row of value 0.
    int x0 = 0;
    int y0 = 0;
    // Metres per sample of the active document.
    double resolution = 0;
};
