#include "tLimitSet.h"

#include <QJsonArray>
#include <QJsonValue>

#include <cmath>

namespace analysis {

namespace {

const char* const kKeys[tLimitLevels::KindCount] = { "nonReflectiveLoss", "reflectiveLoss", "reflectance",
    "attenuation", "spanLoss", "spanLengthMin", "spanLengthMax", "spanOrl", "bend" };

// Nominal wavelengths closer than this are the same band (nm).
constexpr double kWavelengthMatch = 20;

QJsonObject LimitJson(const tLimit& limit)
{
    QJsonObject object;
    if (limit.warn)
        object.insert(QStringLiteral("warn"), *limit.warn);
    if (limit.fail)
        object.insert(QStringLiteral("fail"), *limit.fail);
    return object;
}

} // namespace

const char* tLimitLevels::Key(tKind kind)
{
    return kKeys[kind];
}

tLimitLevels tLimitSet::For(double wavelengthNm) const
{
    tLimitLevels result;
    result.wavelengthNm = int(std::lround(wavelengthNm));
    const tLimitLevels* general = nullptr;
    const tLimitLevels* specific = nullptr;
    for (const tLimitLevels& entry : levels) {
        if (entry.wavelengthNm == 0)
            general = &entry;
        else if (std::abs(entry.wavelengthNm - wavelengthNm) <= kWavelengthMatch)
            specific = &entry;
    }
    for (int kind = 0; kind < tLimitLevels::KindCount; ++kind) {
        if (specific && specific->limits[size_t(kind)].IsSet())
            result.limits[size_t(kind)] = specific->limits[size_t(kind)];
        else if (general)
            result.limits[size_t(kind)] = general->limits[size_t(kind)];
    }
    return result;
}

QJsonObject tLimitSet::ToJson() const
{
    QJsonArray entries;
    for (const tLimitLevels& entry : levels) {
        QJsonObject object;
        object.insert(QStringLiteral("wavelength"), entry.wavelengthNm);
        for (int kind = 0; kind < tLimitLevels::KindCount; ++kind) {
            if (entry.limits[size_t(kind)].IsSet())
                object.insert(QLatin1String(kKeys[kind]), LimitJson(entry.limits[size_t(kind)]));
        }
        entries.append(object);
    }
    QJsonObject set;
    set.insert(QStringLiteral("name"), name);
    set.insert(QStringLiteral("linkBudget"), linkBudget);
    set.insert(QStringLiteral("levels"), entries);
    return set;
}

std::optional<tLimitSet> tLimitSet::FromJson(const QJsonObject& object, QString& error)
{
    tLimitSet set;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString key = it.key();
        if (key == QLatin1String("name") && it.value().isString()) {
            set.name = it.value().toString().trimmed();
        } else if (key == QLatin1String("linkBudget") && it.value().isBool()) {
            set.linkBudget = it.value().toBool();
        } else if (key == QLatin1String("levels") && it.value().isArray()) {
            continue;
        } else {
            error = tr("the key \"%1\" is unknown or its value is not valid").arg(key);
            return std::nullopt;
        }
    }
    if (set.name.isEmpty()) {
        error = tr("the key \"name\" is missing or empty");
        return std::nullopt;
    }
    const QJsonArray entries = object.value(QStringLiteral("levels")).toArray();
    for (const QJsonValue& value : entries) {
        if (!value.isObject()) {
            error = tr("the key \"levels\" holds an entry that is not an object");
            return std::nullopt;
        }
        const QJsonObject entry = value.toObject();
        tLimitLevels levels;
        for (auto it = entry.begin(); it != entry.end(); ++it) {
            const QString key = it.key();
            if (key == QLatin1String("wavelength")) {
                const double nm = it.value().toDouble(-1);
                if (!it.value().isDouble() || nm < 0 || nm > 2000 || nm != std::floor(nm)) {
                    error = tr("the key \"%1\" is not a wavelength in nm").arg(key);
                    return std::nullopt;
                }
                levels.wavelengthNm = int(nm);
                continue;
            }
            int kind = 0;
            while (kind < tLimitLevels::KindCount && key != QLatin1String(kKeys[kind]))
                ++kind;
            if (kind == tLimitLevels::KindCount || !it.value().isObject()) {
                error = tr("the key \"%1\" is unknown or its value is not valid").arg(key);
                return std::nullopt;
            }
            tLimit& limit = levels.limits[size_t(kind)];
            const QJsonObject pair = it.value().toObject();
            for (auto level = pair.begin(); level != pair.end(); ++level) {
                const QString name = key + QLatin1Char('.') + level.key();
                if (!level.value().isDouble()) {
                    error = tr("the key \"%1\" is unknown or its value is not a number").arg(name);
                    return std::nullopt;
                }
                if (level.key() == QLatin1String("warn"))
                    limit.warn = level.value().toDouble();
                else if (level.key() == QLatin1String("fail"))
                    limit.fail = level.value().toDouble();
                else {
                    error = tr("the key \"%1\" is unknown").arg(name);
                    return std::nullopt;
                }
            }
            if (limit.warn && limit.fail) {
                const bool lower = tLimitLevels::LowerIsWorse(tLimitLevels::tKind(kind));
                if (lower ? *limit.warn < *limit.fail : *limit.warn > *limit.fail) {
                    error = tr("the key \"%1\" has a warning level beyond its fail level").arg(key);
                    return std::nullopt;
                }
            }
        }
        for (const tLimitLevels& other : set.levels) {
            if (other.wavelengthNm == levels.wavelengthNm) {
                error = tr("the key \"wavelength\" repeats %1 nm").arg(levels.wavelengthNm);
                return std::nullopt;
            }
        }
        set.levels.push_back(levels);
    }
    return set;
}

} // namespace analysis
