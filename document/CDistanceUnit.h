#pragma once

#include <tFixedParameters.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

namespace sor {
class CFile;
}

// The one place where distances become the numbers and unit names the user
// reads: the event table, the marker panel, the cards, the plot, the report
// pages and the exports of the window all format through it. A file names
// the unit its instrument showed; the user may choose one unit for every
// file instead (View > Distance unit), which Choose() records here.
class CDistanceUnit
{
    Q_DECLARE_TR_FUNCTIONS(CDistanceUnit)

public:
    using tUnit = sor::tDistanceUnit;
    // The choice meaning "each file in its own unit".
    static constexpr int kFileUnit = -1;
    // Every unit, in the order of the file's unit codes.
    static constexpr tUnit kUnits[] = { sor::Kilometres, sor::Metres, sor::Feet, sor::Kilofeet, sor::Miles };

    // The user's choice: kFileUnit or one of kUnits; anything else is kFileUnit.
    static int Choice();
    static void Choose(int choice);

    // The unit distances of `file` are shown in: the chosen one, or else the
    // file's own (kilometres without a file or for a code past the table).
    static tUnit Of(const sor::CFile* file);
    // The unit of a file's own unit field.
    static tUnit Own(quint32 code);

    // Metres in one `unit`.
    static double MetresPer(tUnit unit);
    static double FromMetres(double metres, tUnit unit);
    static double ToMetres(double value, tUnit unit);

    // "km", "m", "kft", "ft", "mi", translated.
    static QString Symbol(tUnit unit);
    // The untranslated symbol for names in exports: "km", "m", "kft", "ft", "mi".
    static QByteArray Code(tUnit unit);
    // "Kilometres (km)" and so on, for menus.
    static QString Name(tUnit unit);
    // Decimals that show a distance in `unit` to `resolution` metres.
    static int Decimals(tUnit unit, double resolution);
    // `metres` as a number in `unit` to `resolution` metres ("1.2346"), with
    // the point whatever the locale, as the tables and exports have it.
    static QString Number(double metres, tUnit unit, double resolution = kResolution);
    // The number followed by the unit's symbol ("1.2346 km").
    static QString Text(double metres, tUnit unit, double resolution = kResolution);

    // The resolution of distances in tables and panels: a tenth of a metre.
    static constexpr double kResolution = 0.1;

private:
    static int s_choice;
};
