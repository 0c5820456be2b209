#include "CVerdict.h"

#include <CDistanceUnit.h>
#include <CFile.h>

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr double kSpeedOfLight = 299792458.0;
// Positions closer than this are the same point of the trace (metres).
constexpr double kSame = 0.5;

double Round(tLimitLevels::tKind kind, double value)
{
    const double steps = kind == tLimitLevels::SpanLengthMin || kind == tLimitLevels::SpanLengthMax ? 10 : 1000;
    return std::round(value * steps) / steps;
}

// The attenuation of the fibre before event `index` (dB/km): its own figure,
// or else the nearest event's after it, or else before it.
std::optional<double> SectionAttenuation(const std::vector<tFoundEvent>& events, int index)
{
    const int count = int(events.size());
    for (int i = std::max(0, index); i < count; ++i) {
        if (events[size_t(i)].attenuationDbPerKm)
            return events[size_t(i)].attenuationDbPerKm;
    }
    for (int i = std::min(index, count) - 1; i >= 0; --i) {
        if (events[size_t(i)].attenuationDbPerKm)
            return events[size_t(i)].attenuationDbPerKm;
    }
    return std::nullopt;
}

// Index of the event nearest `distance` within CVerdict::kSnapM, or -1.
int NearestEvent(const std::vector<tFoundEvent>& events, double distance)
{
    int nearest = -1;
    for (int i = 0; i < int(events.size()); ++i) {
        const double gap = std::abs(events[size_t(i)].distanceM - distance);
        if (gap <= CVerdict::kSnapM
            && (nearest < 0 || gap < std::abs(events[size_t(nearest)].distanceM - distance)))
            nearest = i;
    }
    return nearest;
}

// A reflectance of 0 dB or more returns more light than was sent: some
// instruments store the magnitude without its sign, or nothing measured, there.
// It is neither tested nor added to a return loss.
std::optional<double> Measured(const std::optional<double>& reflectance)
{
    return reflectance && *reflectance < 0 ? reflectance : std::nullopt;
}

bool Counts(const tFoundEvent& event)
{
    return event.kind == tFoundEvent::Reflective || event.kind == tFoundEvent::NonReflective;
}

// Walks the span from its start: the fibre sections and the events inside,
// with the one-way loss so far. `section(a, b, attenuation, lossSoFar)` and
// `event(event, lossSoFar)` see each in order.
template<typename tSection, typename tEvent>
bool Walk(const tAnalysisResult& result, const tSpanFigures& span, tSection section, tEvent event)
{
    const std::vector<tFoundEvent>& events = result.events;
    double position = span.startM;
    double loss = 0;
    bool complete = true;
    auto fibre = [&](double to, int farIndex) {
        if (to <= position + 1e-9)
            return;
        const std::optional<double> attenuation = SectionAttenuation(events, farIndex);
        if (!attenuation)
            complete = false;
        const double a = attenuation.value_or(0);
        section(position, to, a, loss);
        loss += a * (to - position) / 1000.0;
        position = to;
    };
    for (int i = std::max(0, span.firstEvent); span.firstEvent >= 0 && i <= span.lastEvent; ++i) {
        const tFoundEvent& current = events[size_t(i)];
        fibre(current.distanceM, i);
        event(current, loss);
        if (Counts(current) && current.lossDb)
            loss += *current.lossDb;
    }
    int after = span.lastEvent + 1;
    while (after < int(events.size()) && events[size_t(after)].distanceM < span.endM - kSame)
        ++after;
    fibre(span.endM, after);
    return complete;
}

} // namespace

const tCheck* tVerdict::Worst() const
{
    for (tCheck::tState state : { tCheck::Fail, tCheck::Warn }) {
        for (const tCheck& check : checks) {
            if (check.state == state)
                return &check;
        }
    }
    return nullptr;
}

std::optional<tCheck::tState> tVerdict::StateOf(int event, tLimitLevels::tKind kind) const
{
    for (const tCheck& check : checks) {
        if (check.event == event && check.kind == kind)
            return check.state;
    }
    return std::nullopt;
}

tCheck::tState CVerdict::Compare(tLimitLevels::tKind kind, double value, const tLimit& limit)
{
    const double v = Round(kind, value);
    if (tLimitLevels::LowerIsWorse(kind)) {
        if (limit.fail && v < *limit.fail)
            return tCheck::Fail;
        if (limit.warn && v < *limit.warn)
            return tCheck::Warn;
        return tCheck::Pass;
    }
    if (limit.fail && v > *limit.fail)
        return tCheck::Fail;
    if (limit.warn && v > *limit.warn)
        return tCheck::Warn;
    return tCheck::Pass;
}

tLimit CVerdict::Budget(const tLimitLevels& levels, const tSpanFigures& span)
{
    auto level = [&](std::optional<double> tLimit::*which) -> std::optional<double> {
        const std::optional<double> attenuation = levels.limits[tLimitLevels::Attenuation].*which;
        const std::optional<double> connector = levels.limits[tLimitLevels::ReflectiveLoss].*which;
        const std::optional<double> splice = levels.limits[tLimitLevels::NonReflectiveLoss].*which;
        // Each term needs its level unless its count is nought.
        if (!attenuation || (span.connectors > 0 && !connector) || (span.splices > 0 && !splice))
            return std::nullopt;
        const double budget = span.lengthM / 1000.0 * *attenuation + span.connectors * connector.value_or(0)
            + span.splices * splice.value_or(0);
        return std::round(budget * 1000.0) / 1000.0;
    };
    return { level(&tLimit::warn), level(&tLimit::fail) };
}

std::optional<double> CVerdict::IntervalOrl(
    const sor::CFile& file, const tAnalysisResult& events, double startM, double endM)
{
    const double backscatter = double(float(file.FixedParameters().backscatter));
    const double groupIndex = double(float(file.FixedParameters().groupIndex));
    if (!(backscatter < 0) || !(groupIndex > 0) || !(endM > startM))
        return std::nullopt;
    tSpanFigures span;
    span.startM = startM;
    span.endM = endM;
    for (int i = 0; i < int(events.events.size()); ++i) {
        const double d = events.events[size_t(i)].distanceM;
        if (d >= startM - kSame && d <= endM + kSame) {
            span.firstEvent = span.firstEvent < 0 ? i : span.firstEvent;
            span.lastEvent = i;
        }
    }
    // The backscatter coefficient is the backscattered power of a 1 ns pulse
    // against the launched power: per metre of fibre the fibre returns
    // 10^(BC/10) x 2 / (metres per ns) of continuous light, weakened by the
    // two-way loss to it.
    const double metresPerNs = kSpeedOfLight / groupIndex / 1e9;
    const double perMetre = std::pow(10.0, backscatter / 10.0) * 2.0 / metresPerNs;
    double returned = 0;
    Walk(
        events, span,
        [&](double a, double b, double attenuation, double lossSoFar) {
            const double start = std::pow(10.0, -lossSoFar / 5.0);
            const double k = attenuation * std::log(10.0) / 5000.0;
            const double integral = k > 1e-12 ? start * (1.0 - std::exp(-k * (b - a))) / k : start * (b - a);
            returned += perMetre * integral;
        },
        [&](const tFoundEvent& event, double lossSoFar) {
            if (Measured(event.reflectanceDb))
                returned += std::pow(10.0, *event.reflectanceDb / 10.0) * std::pow(10.0, -lossSoFar / 5.0);
        });
    if (!(returned > 0))
        return std::nullopt;
    return -10.0 * std::log10(returned);
}

tSpanFigures CVerdict::SpanOf(const sor::CFile& file, const tAnalysisResult& result, const tSpan& span)
{
    const std::vector<tFoundEvent>& events = result.events;
    const int count = int(events.size());
    double fibreEnd = double(file.Length());
    if (result.fiberEndM)
        fibreEnd = *result.fiberEndM;
    else if (count > 0)
        fibreEnd = events.back().distanceM;

    tSpanFigures figures;
    auto snap = [&](double distance) {
        const int nearest = NearestEvent(events, distance);
        return nearest >= 0 ? events[size_t(nearest)].distanceM : distance;
    };
    if (span.launchM)
        figures.startM = snap(*span.launchM);
    else if (span.startEvent && *span.startEvent >= 1 && *span.startEvent <= count)
        figures.startM = events[size_t(*span.startEvent - 1)].distanceM;
    if (span.receiveM)
        figures.endM = snap(fibreEnd - *span.receiveM);
    else if (span.endEvent && *span.endEvent >= 1 && *span.endEvent <= count)
        figures.endM = events[size_t(*span.endEvent - 1)].distanceM;
    else
        figures.endM = fibreEnd;
    figures.lengthM = std::max(0.0, figures.endM - figures.startM);
    if (figures.lengthM <= 0)
        return figures;

    for (int i = 0; i < count; ++i) {
        const tFoundEvent& event = events[size_t(i)];
        if (event.distanceM < figures.startM - kSame || event.distanceM > figures.endM + kSame)
            continue;
        if (figures.firstEvent < 0)
            figures.firstEvent = i;
        figures.lastEvent = i;
        if (event.kind == tFoundEvent::Reflective)
            ++figures.connectors;
        else if (event.kind == tFoundEvent::NonReflective)
            ++figures.splices;
    }

    double loss = 0;
    const bool complete = Walk(
        result, figures, [&](double a, double b, double attenuation, double) { loss += attenuation * (b - a) / 1000.0; },
        [&](const tFoundEvent& event, double) {
            if (Counts(event) && event.lossDb)
                loss += *event.lossDb;
        });
    if (complete)
        figures.lossDb = loss;
    if (span.IsWhole() && result.orlDb) {
        figures.orlDb = result.orlDb;
        figures.orlStored = true;
    } else {
        figures.orlDb = IntervalOrl(file, result, figures.startM, figures.endM);
    }
    return figures;
}

tVerdict CVerdict::Judge(
    const sor::CFile& file, const tAnalysisResult& result, const tLimitSet& set, const tSpan& span)
{
    tVerdict verdict;
    verdict.limitSet = set.name;
    const std::vector<tFoundEvent>& events = result.events;
    const int count = int(events.size());
    for (const std::optional<int>& number : { span.startEvent, span.endEvent }) {
        if (number && (*number < 1 || *number > count))
            verdict.problem = tr("the span's event %1 does not exist").arg(*number);
    }
    if (count == 0)
        verdict.problem = result.reason.isEmpty() ? tr("no events") : result.reason;
    if (verdict.problem.isEmpty()) {
        verdict.span = SpanOf(file, result, span);
        if (verdict.span.lengthM <= 0)
            verdict.problem = tr("the span is empty");
    }
    if (!verdict.problem.isEmpty()) {
        verdict.state = tCheck::Fail;
        return verdict;
    }

    const tLimitLevels levels = set.For(double(float(file.GeneralParameters().wavelength)));
    auto test = [&](tLimitLevels::tKind kind, int event, std::optional<double> value, const tLimit& limit) {
        if (!value || !limit.IsSet())
            return;
        tCheck check;
        check.kind = kind;
        check.event = event;
        check.value = Round(kind, *value);
        check.limit = limit;
        check.state = Compare(kind, *value, limit);
        verdict.checks.push_back(check);
    };
    const tSpanFigures& figures = verdict.span;
    for (int i = figures.firstEvent; i >= 0 && i <= figures.lastEvent; ++i) {
        const tFoundEvent& event = events[size_t(i)];
        if (event.kind == tFoundEvent::Reflective) {
            test(tLimitLevels::ReflectiveLoss, i, event.lossDb, levels.limits[tLimitLevels::ReflectiveLoss]);
            test(tLimitLevels::Reflectance, i, Measured(event.reflectanceDb), levels.limits[tLimitLevels::Reflectance]);
        } else if (event.kind == tFoundEvent::NonReflective) {
            test(tLimitLevels::NonReflectiveLoss, i, event.lossDb, levels.limits[tLimitLevels::NonReflectiveLoss]);
        }
        // The fibre before the event, where all of it lies inside the span.
        const double previous = i == 0 ? 0.0 : events[size_t(i - 1)].distanceM;
        if (event.kind != tFoundEvent::Echo && previous >= figures.startM - kSame && event.distanceM > previous)
            test(tLimitLevels::Attenuation, i, event.attenuationDbPerKm, levels.limits[tLimitLevels::Attenuation]);
    }
    const tLimit spanLoss = set.linkBudget ? Budget(levels, figures) : levels.limits[tLimitLevels::SpanLoss];
    test(tLimitLevels::SpanLoss, -1, figures.lossDb, spanLoss);
    test(tLimitLevels::SpanLengthMin, -1, figures.lengthM, levels.limits[tLimitLevels::SpanLengthMin]);
    test(tLimitLevels::SpanLengthMax, -1, figures.lengthM, levels.limits[tLimitLevels::SpanLengthMax]);
    test(tLimitLevels::SpanOrl, -1, figures.orlDb, levels.limits[tLimitLevels::SpanOrl]);
    for (const tCheck& check : verdict.checks)
        verdict.state = std::max(verdict.state, check.state);
    return verdict;
}

QString CVerdict::StateText(tCheck::tState state)
{
    switch (state) {
    case tCheck::Pass:
        return tr("PASS");
    case tCheck::Warn:
        return tr("WARN");
    case tCheck::Fail:
        break;
    }
    return tr("FAIL");
}

QString CVerdict::StateSymbol(tCheck::tState state)
{
    switch (state) {
    case tCheck::Pass:
        return QString(QChar(0x2713));
    case tCheck::Warn:
        return QStringLiteral("!");
    case tCheck::Fail:
        break;
    }
    return QString(QChar(0x2717));
}

QString CVerdict::KindText(tLimitLevels::tKind kind)
{
    switch (kind) {
    case tLimitLevels::NonReflectiveLoss:
    case tLimitLevels::ReflectiveLoss:
        return tr("loss");
    case tLimitLevels::Reflectance:
        return tr("reflectance");
    case tLimitLevels::Attenuation:
        return tr("attenuation");
    case tLimitLevels::SpanLoss:
        return tr("span loss");
    case tLimitLevels::SpanLengthMin:
    case tLimitLevels::SpanLengthMax:
        return tr("span length");
    case tLimitLevels::Bend:
        return tr("bend");
    case tLimitLevels::SpanOrl:
    case tLimitLevels::KindCount:
        break;
    }
    return tr("span ORL");
}

QString CVerdict::UnitText(tLimitLevels::tKind kind, sor::tDistanceUnit unit)
{
    switch (kind) {
    case tLimitLevels::Attenuation:
        return tr("dB/km");
    case tLimitLevels::SpanLengthMin:
    case tLimitLevels::SpanLengthMax:
        return CDistanceUnit::Symbol(unit);
    default:
        break;
    }
    return tr("dB");
}

QString CVerdict::Number(tLimitLevels::tKind kind, double value, sor::tDistanceUnit unit)
{
    if (kind == tLimitLevels::SpanLengthMin || kind == tLimitLevels::SpanLengthMax)
        return CDistanceUnit::Text(value, unit);
    return QString::number(value, 'f', 3) + QLatin1Char(' ') + UnitText(kind);
}

QString CVerdict::CheckText(const tCheck& check, sor::tDistanceUnit unit)
{
    const bool lower = tLimitLevels::LowerIsWorse(check.kind);
    std::optional<double> level = check.state == tCheck::Warn ? check.limit.warn : check.limit.fail;
    if (!level)
        level = check.limit.warn;
    QString relation;
    if (check.state == tCheck::Pass)
        relation = lower ? QStringLiteral(">=") : QStringLiteral("<=");
    else
        relation = lower ? QStringLiteral("<") : QStringLiteral(">");
    const QString text = KindText(check.kind) + QLatin1Char(' ') + Number(check.kind, check.value, unit)
        + QLatin1Char(' ') + relation + QLatin1Char(' ') + (level ? Number(check.kind, *level, unit) : QString());
    return check.event >= 0 ? tr("event %1 %2").arg(check.event + 1).arg(text) : text;
}

QString CVerdict::LimitText(const tCheck& check, sor::tDistanceUnit unit)
{
    const bool lower = tLimitLevels::LowerIsWorse(check.kind);
    QStringList parts;
    if (check.limit.fail)
        parts << (lower ? tr("fail below %1") : tr("fail above %1")).arg(Number(check.kind, *check.limit.fail, unit));
    if (check.limit.warn)
        parts << (lower ? tr("warning below %1") : tr("warning above %1"))
                     .arg(Number(check.kind, *check.limit.warn, unit));
    return tr("%1: %2").arg(StateText(check.state), parts.join(QStringLiteral(", ")));
}

QString CVerdict::SpanText(const tSpanFigures& span, sor::tDistanceUnit unit)
{
    return tr("span %1-%2 (%3)")
        .arg(CDistanceUnit::Number(span.startM, unit), CDistanceUnit::Text(span.endM, unit),
            CDistanceUnit::Text(span.lengthM, unit));
}

QString CVerdict::Line(const tVerdict& verdict)
{
    if (!verdict.problem.isEmpty())
        return tr("%1: %2").arg(StateText(tCheck::Fail), verdict.problem);
    if (const tCheck* worst = verdict.Worst())
        return tr("%1: %2").arg(StateText(worst->state), CheckText(*worst, verdict.unit));
    return StateText(tCheck::Pass);
}

} // namespace analysis
