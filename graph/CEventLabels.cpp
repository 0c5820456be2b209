#include "CEventLabels.h"

#include "tSampleMapping.h"

#include <CDistanceUnit.h>
#include <CFile.h>

#include <QCoreApplication>
#include <QFontMetrics>

#include <algorithm>
#include <numeric>

namespace {

QString Unit(const char* unit)
{
    return QCoreApplication::translate("CTracePainter", unit);
}

// A rectangle of `width` centred on column `x`, moved inside the target so
// that the marks at the ends of the plot keep their labels whole.
QRect Centred(const QRect& target, int x, int top, int width, int height)
{
    const int left = std::max(target.left(), std::min(x - width / 2, target.right() + 1 - width));
    return QRect(left, top, width, height);
}

bool Free(const QRect& rect, const QRect& target, const QVector<QRect>& taken)
{
    if (rect.top() < target.top() || rect.bottom() > target.bottom())
        return false;
    const QRect grown = rect.adjusted(-CEventLabels::kGap, 0, CEventLabels::kGap, 0);
    return std::none_of(taken.begin(), taken.end(), [&](const QRect& other) { return grown.intersects(other); });
}

struct tMark
{
    int index = 0;
    float position = 0;
    int x = 0;
    int y = 0;
};

} // namespace

QVector<CEventLabels::tLabel> CEventLabels::Place(const sor::CFile& file, const tSampleMapping& mapping,
    const QRect& target, const QFontMetrics& metrics, int iconSize, const QVector<QRect>& taken, int selected,
    bool details)
{
    QVector<tLabel> labels;
    if (!mapping.valid)
        return labels;
    const std::deque<sor::tKeyEvent>& events = file.KeyEvents();
    QVector<tMark> marks;
    for (int i = 0; i < int(events.size()); ++i) {
        tMark mark;
        mark.index = i;
        mark.position = std::max(0.0f, file.TimeToDistance(events[size_t(i)].time));
        mark.x = mapping.DistanceX(mark.position);
        if (mark.x == target.right() + 1)
            mark.x = target.right();
        mark.y = mapping.ValueY(file.ValueAt(mark.position));
        marks.append(mark);
    }
    // The selected event first, then the others from the start of the fibre.
    QVector<int> order(marks.size());
    std::iota(order.begin(), order.end(), 0);
    if (selected >= 0 && selected < marks.size())
        std::rotate(order.begin(), order.begin() + selected, order.begin() + selected + 1);

    QVector<QRect> used = taken;
    const int line = metrics.height();
    const auto text = [&](const QString& s) { return metrics.horizontalAdvance(s) + 3; };
    const QString decibels = Unit(QT_TRANSLATE_NOOP("CTracePainter", "dB"));
    const CDistanceUnit::tUnit unit = CDistanceUnit::Of(&file);
    for (const int k : order) {
        const tMark& mark = marks[k];
        if (mark.x < target.left() || mark.x > target.right())
            continue;
        const sor::tKeyEvent& event = events[size_t(mark.index)];
        const QString number = QString::number(event.number);
        QVector<tLabel> stack;
        if (details) {
            // The distance under the tick; above it the number, the loss, the
            // reflectance and the icon, or all of them under the distance when
            // the mark is too near the top.
            const QString distance
                = CDistanceUnit::Text(double(mark.position), unit, 1).remove(QLatin1Char(' '));
            QVector<QPair<tPart, QString>> upper { { PartNumber, number },
                { PartLoss, QString::number(double(float(event.loss)), 'f', 3) + decibels } };
            if (event.codeType == sor::tKeyEvent::Reflective || event.codeType == sor::tKeyEvent::Saturated)
                upper.append({ PartReflectance, QString::number(double(float(event.reflectance)), 'f', 3) + decibels });
            const int distanceTop = mark.y + kTick + 2;
            stack.append(
                { mark.index, PartDistance, Centred(target, mark.x, distanceTop, text(distance), line), distance });
            const int height = int(upper.size()) * line + iconSize;
            const bool above = mark.y - kTick - 2 - height >= target.top();
            int top = above ? mark.y - kTick - 2 : distanceTop + line;
            for (const auto& [part, s] : upper) {
                if (above)
                    top -= line;
                stack.append({ mark.index, part, Centred(target, mark.x, top, text(s), line), s });
                if (!above)
                    top += line;
            }
            const int iconTop = above ? top - iconSize : top;
            stack.append({ mark.index, PartIcon, Centred(target, mark.x, iconTop, iconSize, iconSize), QString() });
        }
        const bool fits = !stack.isEmpty() && std::all_of(stack.begin(), stack.end(), [&](const tLabel& label) {
            return Free(label.rect, target, used);
        });
        if (!fits) {
            // The number first: above the tick, under it, beside it, or a
            // line further up or down, wherever it is free first; then each
            // other label of the stack that still finds its place free.
            const QVector<tLabel> others = stack;
            stack.clear();
            const int w = text(number);
            const QRect candidates[] = { Centred(target, mark.x, mark.y - kTick - 2 - line, w, line),
                Centred(target, mark.x, mark.y + kTick + 2, w, line),
                QRect(mark.x + kTick + 1, mark.y - line / 2, w, line),
                QRect(mark.x - kTick - 1 - w, mark.y - line / 2, w, line),
                Centred(target, mark.x, mark.y - kTick - 2 - 2 * line, w, line),
                Centred(target, mark.x, mark.y + kTick + 2 + line, w, line) };
            for (const QRect& rect : candidates) {
                if (target.contains(rect) && Free(rect, target, used)) {
                    stack.append({ mark.index, PartNumber, rect, number });
                    used.append(rect);
                    break;
                }
            }
            for (const tLabel& label : others) {
                if (label.part != PartNumber && !stack.isEmpty() && Free(label.rect, target, used)) {
                    stack.append(label);
                    used.append(label.rect);
                }
            }
            labels += stack;
            continue;
        }
        for (const tLabel& label : stack)
            used.append(label.rect);
        labels += stack;
    }

    // The attenuation of the fibre before each event, half-way along it and
    // above the trace, where it meets no other label.
    if (details) {
        for (int i = 0; i < marks.size(); ++i) {
            const float from = i > 0 ? marks[i - 1].position : 0.0f;
            const float middle = (from + marks[i].position) / 2;
            const int mx = mapping.DistanceX(middle);
            if (mx < target.left() || mx > target.right())
                continue;
            const QString s = QString::number(double(float(events[size_t(i)].attenuation)), 'f', 3)
                + Unit(QT_TRANSLATE_NOOP("CTracePainter", "dB/km"));
            const int my = mapping.ValueY(file.ValueAt(middle));
            const int top = my - 4 - line >= target.top() ? my - 4 - line : my + 4;
            const QRect rect = Centred(target, mx, top, text(s), line);
            // Only between the two marks, clear of both.
            const int left = i > 0 ? marks[i - 1].x : mapping.DistanceX(0);
            if (rect.left() <= left + kGap || rect.right() >= marks[i].x - kGap || !Free(rect, target, used))
                continue;
            used.append(rect);
            labels.append({ i, PartAttenuation, rect, s });
        }
    }
    return labels;
}
