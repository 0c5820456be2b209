#pragma once

#include "tLimitSet.h"
#include "tSpan.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace analysis {

// The limit sets the program knows: the shipped presets and the user's own
// sets, which live in the settings store of the running application, with the
// set and the span chosen for judging traces. Sets travel between users as
// small JSON files: one set, or an object whose "limitSets" array holds sets.
class CLimitSets
{
    Q_DECLARE_TR_FUNCTIONS(CLimitSets)

public:
    // The shipped presets, in the order they are offered.
    static std::vector<tLimitSet> Presets();
    // Presets first, then the user's sets.
    static std::vector<tLimitSet> All();
    static std::vector<tLimitSet> UserSets();
    // The set of that name, a preset or the user's.
    static std::optional<tLimitSet> Find(const QString& name);
    // A set name, or the path of a JSON file holding exactly one set (a path
    // ends in ".json" or names an existing file).
    static std::optional<tLimitSet> Resolve(const QString& nameOrFile, QString& error);

    // Reads every set of a JSON file; on any fault returns nothing and says
    // why in `error` (the file is taken whole or not at all).
    static std::optional<std::vector<tLimitSet>> ReadFile(const QString& path, QString& error);
    // Writes the sets atomically; false with `error` when it cannot.
    static bool WriteFile(const QString& path, const std::vector<tLimitSet>& sets, QString& error);
    // Adds the sets of a file to the user's, replacing sets of the same
    // name; a preset's name is refused. Returns the names added.
    static std::optional<QStringList> Import(const QString& path, QString& error);
    static void SetUserSets(const std::vector<tLimitSet>& sets);

    // The chosen set's name; empty when traces are not judged.
    static QString ActiveName();
    static void SetActiveName(const QString& name);
    // The chosen set, when there is one and it still exists, with the chosen
    // bend level put in place of its own.
    static std::optional<tLimitSet> Active();
    // The excess loss at which a bend fails, chosen for whichever set is
    // active (dB); nothing keeps the set's own bend levels.
    static std::optional<double> ActiveBendFail();
    static void SetActiveBendFail(const std::optional<double>& levelDb);
    static tSpan ActiveSpan();
    static void SetActiveSpan(const tSpan& span);
};

} // namespace analysis
