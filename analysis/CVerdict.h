#pragma once

#include "tAnalysisResult.h"
#include "tLimitSet.h"
#include "tSpan.h"

#include <tFixedParameters.h>

#include <QCoreApplication>
#include <QString>

#include <optional>
#include <vector>

namespace sor {
class CFile;
}

namespace analysis {

// The span of a trace worked out from the span settings and the events.
struct tSpanFigures
{
    // Metres from the trace start.
    double startM = 0;
    double endM = 0;
    // Indexes into the events of the first and the last event inside the span;
    // -1 when the span holds none.
    int firstEvent = -1;
    int lastEvent = -1;
    double lengthM = 0;
    // dB: the events' losses and the fibre between them.
    std::optional<double> lossDb;
    // dB (positive): the file's stored figure when the span is the whole
    // trace, otherwise computed from the events and the backscatter coefficient.
    std::optional<double> orlDb;
    bool orlStored = false;
    // Reflective and non-reflective events inside the span (the fibre end is
    // neither).
    int connectors = 0;
    int splices = 0;

    bool Holds(int event) const { return event >= firstEvent && event <= lastEvent && firstEvent >= 0; }
};

// One tested figure.
struct tCheck
{
    enum tState { Pass, Warn, Fail };

    tLimitLevels::tKind kind = tLimitLevels::NonReflectiveLoss;
    // Index into the events; -1 for a figure of the span.
    int event = -1;
    // dB, dB/km or metres, as tested (rounded to the resolution of its kind).
    double value = 0;
    tLimit limit;
    tState state = Pass;
};

// The judgement of one trace against a limit set.
struct tVerdict
{
    QString limitSet;
    tCheck::tState state = tCheck::Pass;
    std::vector<tCheck> checks;
    tSpanFigures span;
    // Why nothing was tested ("no events", "no end of the span"); then the
    // verdict is a fail.
    QString problem;
    // The unit its texts give span lengths in: kilometres, unless the window
    // sets the unit the file is shown in.
    sor::tDistanceUnit unit = sor::Kilometres;

    // The first failing check, or else the first warning; null when all pass.
    const tCheck* Worst() const;
    // The state of one figure of an event, or of the span (event -1).
    std::optional<tCheck::tState> StateOf(int event, tLimitLevels::tKind kind) const;
};

// Judges a trace's events against a limit set within a span. A figure passes
// while it is not worse than its level: a loss equal to its fail level passes,
// one a resolution step above fails. Values are rounded before the comparison
// to the resolution the files store them in (0.001 dB, 0.001 dB/km, 0.1 m),
// so that a stored 0.3 dB is not failed against 0.3 dB by the float noise of
// its conversion.
class CVerdict
{
    Q_DECLARE_TR_FUNCTIONS(CVerdict)

public:
    // Events within this distance of a cord's end are the span's end event.
    static constexpr double kSnapM = 10;

    static tVerdict Judge(const sor::CFile& file, const tAnalysisResult& events, const tLimitSet& set,
        const tSpan& span);
    static tSpanFigures SpanOf(const sor::CFile& file, const tAnalysisResult& events, const tSpan& span);
    // The state of a value against a limit of a kind (higher or lower is worse).
    static tCheck::tState Compare(tLimitLevels::tKind kind, double value, const tLimit& limit);
    // The span-loss limit of a link-budget set for these span figures.
    static tLimit Budget(const tLimitLevels& levels, const tSpanFigures& span);
    // Return loss of the interval [startM, endM]: the backscatter integrated
    // over the fibre between and the reflections inside, each weakened by the
    // two-way loss from startM. Unset without a backscatter coefficient.
    static std::optional<double> IntervalOrl(
        const sor::CFile& file, const tAnalysisResult& events, double startM, double endM);

    // "PASS", "WARN", "FAIL".
    static QString StateText(tCheck::tState state);
    // A symbol that goes with the colour of a state: check mark, exclamation
    // mark in a triangle, cross.
    static QString StateSymbol(tCheck::tState state);
    // "PASS", or "FAIL: event 3 loss 0.610 dB > 0.500 dB".
    static QString Line(const tVerdict& verdict);
    // "event 3 loss 0.610 dB > 0.500 dB" (the level it broke, or the fail
    // level it kept). Span lengths read in `unit`, as in the other texts.
    static QString CheckText(const tCheck& check, sor::tDistanceUnit unit = sor::Kilometres);
    // The levels for a tool tip: "Fail above 0.500 dB, warning above 0.300 dB".
    static QString LimitText(const tCheck& check, sor::tDistanceUnit unit = sor::Kilometres);
    // "span 1.0200-5.4800 km (4.4600 km)".
    static QString SpanText(const tSpanFigures& span, sor::tDistanceUnit unit = sor::Kilometres);
    static QString KindText(tLimitLevels::tKind kind);
    static QString UnitText(tLimitLevels::tKind kind, sor::tDistanceUnit unit = sor::Kilometres);
    // A value of a kind with its unit; lengths (metres) converted to `unit`.
    static QString Number(tLimitLevels::tKind kind, double value, sor::tDistanceUnit unit = sor::Kilometres);
};

} // namespace analysis
