#include "TestPaths.h"

#include <CDataPoints.h>
#include <CFile.h>

#include <QTest>

#include <cmath>
#include <set>

// Scaled samples: the bulk conversion gives every sample the value the
// per-sample rounding (floor of the single-precision product, saturated)
// always gave, for every possible sample and the factors files use.
class TstDataPoints : public QObject
{
    Q_OBJECT

private slots:
    void toHeld_equalsRoundingOfEverySample();
};

void TstDataPoints::toHeld_equalsRoundingOfEverySample()
{
    // Every factor of the shared real files, and a sweep over the stored range
    // (factor times 1000 in 16 bits, negative ones included).
    std::set<float> factors;
    for (const QString& layout : { QStringLiteral("v1"), QStringLiteral("v2") }) {
        for (const QString& path : TestPaths::SorFiles(TestPaths::SharedSamplesDir(layout))) {
            quint32 warnings = 0;
            const sor::CFile file(path, warnings);
            for (const auto& group : file.DataPoints().groups)
                factors.insert(group.scaleFactor);
        }
    }
    for (int stored = -32768; stored <= 32767; stored += 211)
        factors.insert(float(stored / 1000.0));
    for (const int stored : { 1, 999, 1000, 1001, 1024, 2000, 32767 })
        factors.insert(float(stored / 1000.0));

    std::vector<quint16> samples(65536 + 5);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = quint16(i);
    std::vector<quint16> held(samples.size());
    for (const float factor : factors) {
        bc::CDataPoints::tDataPointsGroup::ToHeld(samples.data(), samples.size(), factor, held.data());
        for (size_t i = 0; i < samples.size(); ++i) {
            const float value = std::floor(float(samples[i]) * factor + 0.5f);
            const quint16 expected = (value >= 0.0f && value <= 65535.0f) ? quint16(value) : quint16(65535);
            if (held[i] != expected)
                QFAIL(qPrintable(QStringLiteral("factor %1, sample %2: %3, not %4")
                                     .arg(double(factor))
                                     .arg(samples[i])
                                     .arg(held[i])
                                     .arg(expected)));
        }
    }
    QVERIFY(factors.size() > 300);
}

QTEST_GUILESS_MAIN(TstDataPoints)
#include "tst_datapoints.moc"
