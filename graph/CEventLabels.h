#pragma once

#include <QRect>
#include <QString>
#include <QVector>

class QFontMetrics;
struct tSampleMapping;

namespace sor {
class CFile;
}

// Where the labels of the events go on the plot. Every event gets its number
// at its mark; the loss, reflectance, distance and icon join it where they
// fit. A label is placed only where it meets neither the rectangles already
// taken (the grid labels) nor a label placed before it; what does not fit is
// left out, down to the bare tick, until zooming in separates the marks. The
// selected event is placed first, so its labels always show.
class CEventLabels
{
public:
    enum tPart { PartNumber, PartLoss, PartReflectance, PartDistance, PartIcon, PartAttenuation };
    struct tLabel
    {
        int event = 0;
        tPart part = PartNumber;
        QRect rect;
        QString text;
    };

    // The labels of the events of `file` in `target`. `iconSize` is the side
    // of the event icon; `selected` the selected event's index or -1; without
    // `details` every event gets its number alone.
    static QVector<tLabel> Place(const sor::CFile& file, const tSampleMapping& mapping, const QRect& target,
        const QFontMetrics& metrics, int iconSize, const QVector<QRect>& taken, int selected, bool details = true);

    // Half height of an event's tick, pixels, as the painter draws it.
    static constexpr int kTick = 5;
    // Least room between two labels, pixels.
    static constexpr int kGap = 2;
};
