#pragma once

#include <QColor>

// Colours of text and marks that stay readable on the background they are
// drawn on: the contrast ratio of the web's accessibility rules (relative
// luminance, 1:1 to 21:1), and an ink chosen by it.
class CContrast
{
public:
    // Relative luminance, 0 (black) to 1 (white).
    static double Luminance(const QColor& colour);
    // (lighter + 0.05) / (darker + 0.05).
    static double Ratio(const QColor& a, const QColor& b);
    // `preferred` when it reaches `least` on `background`; otherwise the same
    // hue made darker or lighter until it does, and black or white at the end.
    static QColor Ink(const QColor& background, const QColor& preferred, double least = kReadable);
    // The background's opposite for a halo or a plate behind text in `ink`.
    static QColor Halo(const QColor& ink);

    // Least ratio of normal text.
    static constexpr double kReadable = 4.5;
};
