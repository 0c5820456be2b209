#include "TestTraces.h"

#include <CDistanceUnit.h>
#include <CFile.h>
#include <CTracePainter.h>

#include <QTemporaryDir>
#include <QTest>

// Distances in the five units of the file format: the factors both ways, the
// texts the tables show, the file's own unit against the user's choice, and
// the plot's distance axis in each unit's family.
class TstDistanceUnit : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CDistanceUnit::Choose(CDistanceUnit::kFileUnit); }

    void conversion_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("metresPerUnit");
        QTest::addColumn<QString>("text"); // 1234.56 m to a tenth of a metre
        QTest::newRow("km") << int(sor::Kilometres) << 1000.0 << "1.2346 km";
        QTest::newRow("m") << int(sor::Metres) << 1.0 << "1234.6 m";
        QTest::newRow("ft") << int(sor::Feet) << 0.3048 << "4050.4 ft";
        QTest::newRow("kft") << int(sor::Kilofeet) << 304.8 << "4.0504 kft";
        QTest::newRow("mi") << int(sor::Miles) << 1609.344 << "0.76712 mi";
    }
    void conversion()
    {
        QFETCH(int, unit);
        QFETCH(double, metresPerUnit);
        QFETCH(QString, text);
        const auto u = CDistanceUnit::tUnit(unit);
        QCOMPARE(CDistanceUnit::ToMetres(1.0, u), metresPerUnit);
        QCOMPARE(CDistanceUnit::FromMetres(metresPerUnit * 2.5, u), 2.5);
        QCOMPARE(CDistanceUnit::ToMetres(CDistanceUnit::FromMetres(1234.56, u), u), 1234.56);
        QCOMPARE(CDistanceUnit::Text(1234.56, u), text);
        // One tenth of a metre still shows in the last decimal.
        QVERIFY(CDistanceUnit::Number(1234.66, u) != CDistanceUnit::Number(1234.56, u));
    }

    // The file's own unit unless one is chosen; codes past the table are km.
    void fileUnitAndChoice()
    {
        const QTemporaryDir dir;
        const QSharedPointer<tListedFile> listed = TestTraces::Load(dir, TestTraces::Ramp(100, 1000));
        sor::CFile& file = *listed->file;
        const auto own = [&file](quint32 code) {
            file.FixedParameters().distanceUnit = code;
            return CDistanceUnit::Of(&file);
        };
        QCOMPARE(own(sor::Miles), sor::Miles);
        QCOMPARE(own(7), sor::Kilometres);
        QCOMPARE(CDistanceUnit::Of(nullptr), sor::Kilometres);
        CDistanceUnit::Choose(sor::Feet);
        QCOMPARE(own(sor::Miles), sor::Feet);
        CDistanceUnit::Choose(12);
        QCOMPARE(CDistanceUnit::Choice(), CDistanceUnit::kFileUnit);
        QCOMPARE(own(sor::Kilofeet), sor::Kilofeet);
    }

    // Grid lines on round numbers of the unit the labels name.
    void axisLabels_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("visible"); // metres
        QTest::addColumn<int>("line");       // the grid line's index
        QTest::addColumn<QString>("text");
        QTest::newRow("km as before") << int(sor::Kilometres) << 20000.0 << 5 << "10 km";
        QTest::newRow("m as before") << int(sor::Metres) << 1000.0 << 3 << "300 m";
        QTest::newRow("ft") << int(sor::Feet) << 1000.0 << 3 << "600 ft";
        QTest::newRow("kft") << int(sor::Kilofeet) << 10000.0 << 3 << "6 kft";
        QTest::newRow("mi") << int(sor::Miles) << 20000.0 << 5 << "5 mi";
        QTest::newRow("tenths of a mile") << int(sor::Miles) << 2000.0 << 3 << "0.3 mi";
        QTest::newRow("short view in miles") << int(sor::Miles) << 100.0 << 2 << "0.010 mi";
        // A file in kilometres or metres keeps its unit at any zoom.
        QTest::newRow("km file, 3 m") << int(sor::Kilometres) << 3.0 << 7 << "0.0014 km";
        QTest::newRow("m file, 3 m") << int(sor::Metres) << 3.0 << 7 << "1.4 m";
        QTest::newRow("m file, 30 km") << int(sor::Metres) << 30000.0 << 5 << "10000 m";
    }
    void axisLabels()
    {
        QFETCH(int, unit);
        QFETCH(double, visible);
        QFETCH(int, line);
        QFETCH(QString, text);
        const auto u = CDistanceUnit::tUnit(unit);
        const double step = CTracePainter::DistanceStep(visible, u);
        QCOMPARE(CTracePainter::DistanceLabel(line * step, step, u), text);
    }
};

QTEST_GUILESS_MAIN(TstDistanceUnit)
#include "tst_distanceunit.moc"
