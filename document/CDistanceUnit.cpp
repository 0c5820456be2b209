#include "CDistanceUnit.h"

#include "CFile.h"

#include <cmath>

namespace {

// International foot and statute mile.
constexpr double kFoot = 0.3048;
constexpr double kMile = 1609.344;

} // namespace

int CDistanceUnit::s_choice = CDistanceUnit::kFileUnit;

int CDistanceUnit::Choice()
{
    return s_choice;
}

void CDistanceUnit::Choose(int choice)
{
    s_choice = choice >= 0 && choice < int(std::size(kUnits)) ? choice : kFileUnit;
}

CDistanceUnit::tUnit CDistanceUnit::Own(quint32 code)
{
    return code < std::size(kUnits) ? kUnits[code] : sor::Kilometres;
}

CDistanceUnit::tUnit CDistanceUnit::Of(const sor::CFile* file)
{
    if (s_choice != kFileUnit)
        return kUnits[s_choice];
    return file ? Own(file->FixedParameters().distanceUnit) : sor::Kilometres;
}

double CDistanceUnit::MetresPer(tUnit unit)
{
    switch (unit) {
    case sor::Metres:
        return 1;
    case sor::Feet:
        return kFoot;
    case sor::Kilofeet:
        return 1000 * kFoot;
    case sor::Miles:
        return kMile;
    case sor::Kilometres:
        break;
    }
    return 1000;
}

double CDistanceUnit::FromMetres(double metres, tUnit unit)
{
    return metres / MetresPer(unit);
}

double CDistanceUnit::ToMetres(double value, tUnit unit)
{
    return value * MetresPer(unit);
}

QString CDistanceUnit::Symbol(tUnit unit)
{
    switch (unit) {
    case sor::Metres:
        return tr("m");
    case sor::Feet:
        return tr("ft");
    case sor::Kilofeet:
        return tr("kft");
    case sor::Miles:
        return tr("mi");
    case sor::Kilometres:
        break;
    }
    return tr("km");
}

QByteArray CDistanceUnit::Code(tUnit unit)
{
    switch (unit) {
    case sor::Metres:
        return QByteArrayLiteral("m");
    case sor::Feet:
        return QByteArrayLiteral("ft");
    case sor::Kilofeet:
        return QByteArrayLiteral("kft");
    case sor::Miles:
        return QByteArrayLiteral("mi");
    case sor::Kilometres:
        break;
    }
    return QByteArrayLiteral("km");
}

QString CDistanceUnit::Name(tUnit unit)
{
    switch (unit) {
    case sor::Metres:
        return tr("Metres (m)");
    case sor::Feet:
        return tr("Feet (ft)");
    case sor::Kilofeet:
        return tr("Kilofeet (kft)");
    case sor::Miles:
        return tr("Miles (mi)");
    case sor::Kilometres:
        break;
    }
    return tr("Kilometres (km)");
}

int CDistanceUnit::Decimals(tUnit unit, double resolution)
{
    if (!(resolution > 0))
        return 0;
    // The small allowance keeps a resolution of exactly 10^-n at n decimals.
    return std::max(0, int(std::ceil(-std::log10(resolution / MetresPer(unit)) - 1e-9)));
}

QString CDistanceUnit::Number(double metres, tUnit unit, double resolution)
{
    return QString::number(FromMetres(metres, unit), 'f', Decimals(unit, resolution));
}

QString CDistanceUnit::Text(double metres, tUnit unit, double resolution)
{
    return QStringLiteral("%1 %2").arg(Number(metres, unit, resolution), Symbol(unit));
}
