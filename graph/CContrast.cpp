#include "CContrast.h"

#include <cmath>

namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double CContrast::Luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double CContrast::Ratio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor CContrast::Ink(const QColor& background, const QColor& preferred, double least)
{
    if (Ratio(background, preferred) >= least)
        return preferred;
    // Dark backgrounds take light ink, light ones dark ink: step the
    // preferred colour's lightness that way until the ratio is reached.
    const bool dark = Ratio(background, Qt::white) > Ratio(background, Qt::black);
    QColor ink = preferred.toHsl();
    for (int step = 0; step < 20; ++step) {
        const int lightness = ink.lightness();
        ink.setHsl(ink.hslHue(), ink.hslSaturation(),
            dark ? std::min(255, lightness + 16) : std::max(0, lightness - 16), preferred.alpha());
        if (Ratio(background, ink) >= least)
            return ink.toRgb();
    }
    return dark ? QColor(Qt::white) : QColor(Qt::black);
}

QColor CContrast::Halo(const QColor& ink)
{
    return Luminance(ink) > 0.4 ? QColor(Qt::black) : QColor(Qt::white);
}
