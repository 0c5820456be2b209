#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace analysis {

// A warning and a fail level of one tested figure; either may be left out,
// and a figure with neither is not tested.
struct tLimit
{
    std::optional<double> warn;
    std::optional<double> fail;

    bool IsSet() const { return warn || fail; }
};

// The levels of a limit set for one wavelength, or for every wavelength.
struct tLimitLevels
{
    enum tKind {
        // dB, per event.
        NonReflectiveLoss,
        ReflectiveLoss,
        Reflectance,
        // dB/km, per section between two events.
        Attenuation,
        // dB, metres, metres and dB (return loss, positive) of the span.
        SpanLoss,
        SpanLengthMin,
        SpanLengthMax,
        SpanOrl,
        // dB, per event of a trace paired with the same fibre at another
        // wavelength: how much more the longer wavelength loses there than
        // the shorter (a macrobend). Its lower level is also where the link
        // map draws a bend.
        Bend,
        KindCount
    };

    // nm; 0 for every wavelength.
    int wavelengthNm = 0;
    std::array<tLimit, KindCount> limits;

    // A figure above its level is worse, except the minimum span length and
    // the return loss, where below is worse.
    static bool LowerIsWorse(tKind kind) { return kind == SpanLengthMin || kind == SpanOrl; }
    // The key of a kind in the JSON form ("nonReflectiveLoss", ...).
    static const char* Key(tKind kind);
};

// A named set of limits against which traces are judged.
struct tLimitSet
{
    Q_DECLARE_TR_FUNCTIONS(tLimitSet)

public:
    QString name;
    // The span-loss limit is computed from the span: length x attenuation
    // level + reflective events x reflective-loss level + non-reflective
    // events x non-reflective-loss level, for the warning and the fail level
    // alike; a span-loss level given in the set is then not used.
    bool linkBudget = false;
    // At most one entry per wavelength; wavelength 0 holds the levels for
    // every wavelength.
    std::vector<tLimitLevels> levels;

    // The levels that apply at `wavelengthNm` (nominal; an entry within 20 nm
    // matches): each kind from the entry of that wavelength where it sets it,
    // otherwise from the entry for every wavelength.
    tLimitLevels For(double wavelengthNm) const;

    QJsonObject ToJson() const;
    // Reads a set; an unknown key, a value that is not a number, or a warning
    // level beyond its fail level returns nothing and names the key in
    // `error`.
    static std::optional<tLimitSet> FromJson(const QJsonObject& object, QString& error);
};

} // namespace analysis
