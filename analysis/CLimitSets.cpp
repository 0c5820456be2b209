#include "CLimitSets.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QSettings>

#include <algorithm>

namespace analysis {

namespace {

const QString kSetsKey = QStringLiteral("Limits/Sets");
const QString kActiveKey = QStringLiteral("Limits/Active");
const QString kLaunchKey = QStringLiteral("Limits/LaunchM");
const QString kReceiveKey = QStringLiteral("Limits/ReceiveM");
const QString kStartKey = QStringLiteral("Limits/StartEvent");
const QString kEndKey = QStringLiteral("Limits/EndEvent");
const QString kBendKey = QStringLiteral("Limits/BendFailDb");
const QString kSetsArray = QStringLiteral("limitSets");

// A file of limits is a few kilobytes; anything much larger is not one.
constexpr qint64 kMaxFileBytes = 1 << 20;

using K = tLimitLevels;

tLimitLevels Levels(int wavelengthNm, std::initializer_list<std::pair<K::tKind, tLimit>> limits)
{
    tLimitLevels levels;
    levels.wavelengthNm = wavelengthNm;
    for (const auto& [kind, limit] : limits)
        levels.limits[size_t(kind)] = limit;
    return levels;
}

tLimit Fail(double fail)
{
    return { std::nullopt, fail };
}

tLimit WarnFail(double warn, double fail)
{
    return { warn, fail };
}

std::optional<double> ReadNumber(const QSettings& settings, const QString& key)
{
    bool ok = false;
    const double value = settings.value(key).toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<int> ReadInt(const QSettings& settings, const QString& key)
{
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

template<typename T> void WriteOptional(QSettings& settings, const QString& key, const std::optional<T>& value)
{
    if (value)
        settings.setValue(key, *value);
    else
        settings.remove(key);
}

} // namespace

std::vector<tLimitSet> CLimitSets::Presets()
{
    std::vector<tLimitSet> presets;

    // A general single-mode acceptance set with warnings short of the fail
    // levels. Splice 0.3 dB and connector pair 0.75 dB as in TIA-568.3-D;
    // reflectance -35 dB, the TIA-568.3-D single-mode connector limit, with a
    // warning at -45 dB (a worn or dirty UPC connector shows between the two);
    // attenuation from ITU-T G.652 cable attributes (0.4 dB/km at 1310 nm,
    // 0.3 dB/km at 1550 and 1625 nm), warnings at typical installed values;
    // return loss 27 dB, the figure most operators ask of a point-to-point
    // link, warning at 32 dB (the ITU-T G.983/G.984 PON figure). A bend fails
    // where 1550/1625 nm lose 0.5 dB more than 1310/1550 nm at one place: the
    // usual field rule for a macrobend (a splice loses about the same at both).
    tLimitSet general;
    general.name = QStringLiteral("general-sm");
    general.levels = {
        Levels(0,
            { { K::NonReflectiveLoss, WarnFail(0.15, 0.3) }, { K::ReflectiveLoss, WarnFail(0.5, 0.75) },
                { K::Reflectance, WarnFail(-45, -35) }, { K::SpanOrl, WarnFail(32, 27) }, { K::Bend, Fail(0.5) } }),
        Levels(1310, { { K::Attenuation, WarnFail(0.36, 0.4) } }),
        Levels(1550, { { K::Attenuation, WarnFail(0.22, 0.3) } }),
        Levels(1625, { { K::Attenuation, WarnFail(0.25, 0.3) } }),
    };
    presets.push_back(general);

    // ANSI/TIA-568.3-D: mated connector pair 0.75 dB, splice 0.3 dB, and the
    // link loss is the fibre's loss at its table's attenuation plus those of
    // its connector pairs and splices: a link budget. Single-mode connector
    // reflectance -35 dB. Inside plant cable 1.0 dB/km at 1310 and 1550 nm.
    tLimitSet inside;
    inside.name = QStringLiteral("tia568-sm-inside");
    inside.linkBudget = true;
    inside.levels = { Levels(0,
        { { K::NonReflectiveLoss, Fail(0.3) }, { K::ReflectiveLoss, Fail(0.75) }, { K::Reflectance, Fail(-35) },
            { K::Attenuation, Fail(1.0) } }) };
    presets.push_back(inside);

    // The same standard, outside plant cable: 0.5 dB/km at 1310 and 1550 nm.
    tLimitSet outside = inside;
    outside.name = QStringLiteral("tia568-sm-outside");
    outside.levels.front().limits[K::Attenuation] = Fail(0.5);
    presets.push_back(outside);

    // The same standard, multimode: 3.5 dB/km at 850 nm and 1.5 dB/km at
    // 1300 nm; multimode connector reflectance -20 dB.
    tLimitSet multimode;
    multimode.name = QStringLiteral("tia568-mm");
    multimode.linkBudget = true;
    multimode.levels = {
        Levels(0, { { K::NonReflectiveLoss, Fail(0.3) }, { K::ReflectiveLoss, Fail(0.75) }, { K::Reflectance, Fail(-20) } }),
        Levels(850, { { K::Attenuation, Fail(3.5) } }),
        Levels(1300, { { K::Attenuation, Fail(1.5) } }),
    };
    presets.push_back(multimode);
    return presets;
}

std::vector<tLimitSet> CLimitSets::UserSets()
{
    const QSettings settings;
    const QJsonDocument document = QJsonDocument::fromJson(settings.value(kSetsKey).toByteArray());
    std::vector<tLimitSet> sets;
    // The store holds what this program wrote; a set spoiled by hand is left out.
    for (const QJsonValue& value : document.object().value(kSetsArray).toArray()) {
        QString error;
        if (std::optional<tLimitSet> set = tLimitSet::FromJson(value.toObject(), error))
            sets.push_back(*set);
    }
    return sets;
}

void CLimitSets::SetUserSets(const std::vector<tLimitSet>& sets)
{
    QJsonArray array;
    for (const tLimitSet& set : sets)
        array.append(set.ToJson());
    QSettings settings;
    settings.setValue(kSetsKey, QJsonDocument(QJsonObject { { kSetsArray, array } }).toJson(QJsonDocument::Compact));
}

std::vector<tLimitSet> CLimitSets::All()
{
    std::vector<tLimitSet> all = Presets();
    for (const tLimitSet& set : UserSets())
        all.push_back(set);
    return all;
}

std::optional<tLimitSet> CLimitSets::Find(const QString& name)
{
    for (const tLimitSet& set : All()) {
        if (set.name == name)
            return set;
    }
    return std::nullopt;
}

std::optional<tLimitSet> CLimitSets::Resolve(const QString& nameOrFile, QString& error)
{
    if (!nameOrFile.endsWith(QLatin1String(".json"), Qt::CaseInsensitive) && !QFileInfo(nameOrFile).isFile()) {
        if (std::optional<tLimitSet> set = Find(nameOrFile))
            return set;
        error = tr("no limit set is named \"%1\"").arg(nameOrFile);
        return std::nullopt;
    }
    const std::optional<std::vector<tLimitSet>> sets = ReadFile(nameOrFile, error);
    if (!sets)
        return std::nullopt;
    if (sets->size() != 1) {
        error = tr("%1: the file holds %2 limit sets, not one").arg(nameOrFile).arg(sets->size());
        return std::nullopt;
    }
    return sets->front();
}

std::optional<std::vector<tLimitSet>> CLimitSets::ReadFile(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = tr("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    if (file.size() > kMaxFileBytes) {
        error = tr("%1: the file is too large for a limit set").arg(path);
        return std::nullopt;
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    if (parse.error != QJsonParseError::NoError || !document.isObject()) {
        error = parse.error != QJsonParseError::NoError
            ? tr("%1: not valid JSON at byte %2: %3").arg(path).arg(parse.offset).arg(parse.errorString())
            : tr("%1: the file holds no JSON object").arg(path);
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    std::vector<tLimitSet> sets;
    QJsonArray array;
    if (root.contains(kSetsArray)) {
        for (auto it = root.begin(); it != root.end(); ++it) {
            if (it.key() != kSetsArray || !it.value().isArray()) {
                error = tr("%1: the key \"%2\" is unknown or its value is not valid").arg(path, it.key());
                return std::nullopt;
            }
        }
        array = root.value(kSetsArray).toArray();
    } else {
        array.append(root);
    }
    for (const QJsonValue& value : array) {
        QString problem;
        const std::optional<tLimitSet> set = value.isObject() ? tLimitSet::FromJson(value.toObject(), problem)
                                                              : std::nullopt;
        if (!set) {
            error = tr("%1: %2").arg(path, problem.isEmpty() ? tr("a limit set is not an object") : problem);
            return std::nullopt;
        }
        for (const tLimitSet& other : sets) {
            if (other.name == set->name) {
                error = tr("%1: the name \"%2\" is given to two sets").arg(path, set->name);
                return std::nullopt;
            }
        }
        sets.push_back(*set);
    }
    return sets;
}

bool CLimitSets::WriteFile(const QString& path, const std::vector<tLimitSet>& sets, QString& error)
{
    QJsonArray array;
    for (const tLimitSet& set : sets)
        array.append(set.ToJson());
    const QByteArray bytes = QJsonDocument(QJsonObject { { kSetsArray, array } }).toJson(QJsonDocument::Indented);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = tr("%1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

std::optional<QStringList> CLimitSets::Import(const QString& path, QString& error)
{
    const std::optional<std::vector<tLimitSet>> read = ReadFile(path, error);
    if (!read)
        return std::nullopt;
    for (const tLimitSet& set : *read) {
        for (const tLimitSet& preset : Presets()) {
            if (preset.name == set.name) {
                error = tr("%1: the name \"%2\" belongs to a shipped preset").arg(path, set.name);
                return std::nullopt;
            }
        }
    }
    std::vector<tLimitSet> sets = UserSets();
    QStringList names;
    for (const tLimitSet& set : *read) {
        auto same = std::find_if(sets.begin(), sets.end(), [&](const tLimitSet& old) { return old.name == set.name; });
        if (same != sets.end())
            *same = set;
        else
            sets.push_back(set);
        names << set.name;
    }
    SetUserSets(sets);
    return names;
}

QString CLimitSets::ActiveName()
{
    return QSettings().value(kActiveKey).toString();
}

void CLimitSets::SetActiveName(const QString& name)
{
    QSettings settings;
    if (name.isEmpty())
        settings.remove(kActiveKey);
    else
        settings.setValue(kActiveKey, name);
}

std::optional<tLimitSet> CLimitSets::Active()
{
    const QString name = ActiveName();
    std::optional<tLimitSet> set = name.isEmpty() ? std::nullopt : Find(name);
    const std::optional<double> bend = ActiveBendFail();
    if (set && bend) {
        // The chosen level holds at every wavelength; a warning above it goes.
        bool general = false;
        for (tLimitLevels& levels : set->levels) {
            tLimit& limit = levels.limits[tLimitLevels::Bend];
            limit.fail = levels.wavelengthNm == 0 || limit.IsSet() ? bend : limit.fail;
            if (limit.warn && *limit.warn > *bend)
                limit.warn.reset();
            general = general || levels.wavelengthNm == 0;
        }
        if (!general)
            set->levels.push_back(Levels(0, { { K::Bend, Fail(*bend) } }));
    }
    return set;
}

std::optional<double> CLimitSets::ActiveBendFail()
{
    const std::optional<double> level = ReadNumber(QSettings(), kBendKey);
    return level && *level > 0 ? level : std::nullopt;
}

void CLimitSets::SetActiveBendFail(const std::optional<double>& levelDb)
{
    QSettings settings;
    WriteOptional(settings, kBendKey, levelDb);
}

tSpan CLimitSets::ActiveSpan()
{
    const QSettings settings;
    tSpan span;
    span.launchM = ReadNumber(settings, kLaunchKey);
    span.receiveM = ReadNumber(settings, kReceiveKey);
    span.startEvent = ReadInt(settings, kStartKey);
    span.endEvent = ReadInt(settings, kEndKey);
    return span;
}

void CLimitSets::SetActiveSpan(const tSpan& span)
{
    QSettings settings;
    WriteOptional(settings, kLaunchKey, span.launchM);
    WriteOptional(settings, kReceiveKey, span.receiveM);
    WriteOptional(settings, kStartKey, span.startEvent);
    WriteOptional(settings, kEndKey, span.endEvent);
}

} // namespace analysis
