#include "TestPaths.h"

#include <CBendFinder.h>
#include <CEventSource.h>
#include <CFile.h>
#include <CSynthPair.h>
#include <CWavelengthBends.h>
#include <CWavelengthPair.h>

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using analysis::CBendFinder;
using analysis::CWavelengthPair;

namespace {

struct tPair
{
    std::unique_ptr<sor::CFile> shorter;
    std::unique_ptr<sor::CFile> longer;
};

tPair Load(const QString& shortPath, const QString& longPath)
{
    quint32 warnings = 0;
    return { std::make_unique<sor::CFile>(shortPath, warnings), std::make_unique<sor::CFile>(longPath, warnings) };
}

std::vector<CBendFinder::tPlace> Bends(const tPair& pair, double threshold = CBendFinder::kDefaultThresholdDb)
{
    const analysis::tAnalysisResult s = analysis::CEventSource::Stored(*pair.shorter);
    const analysis::tAnalysisResult l = analysis::CEventSource::Stored(*pair.longer);
    const double tolerance
        = CWavelengthPair::ToleranceM(s.pulseNs, l.pulseNs, double(float(pair.longer->FixedParameters().groupIndex)));
    return CBendFinder::Find(s, l, tolerance, threshold);
}

std::vector<double> BendDistances(const std::vector<CBendFinder::tPlace>& places)
{
    std::vector<double> distances;
    for (const CBendFinder::tPlace& place : places)
        if (place.bend)
            distances.push_back(place.distanceM);
    return distances;
}

analysis::tAnalysisResult Events(std::initializer_list<std::pair<double, double>> distanceAndLoss)
{
    analysis::tAnalysisResult result;
    for (const auto& [distance, loss] : distanceAndLoss) {
        analysis::tFoundEvent event;
        event.distanceM = distance;
        event.lossDb = loss;
        result.events.push_back(event);
    }
    return result;
}

} // namespace

// Two wavelengths of one fibre: which files pair, how their events match and
// where the bends are.
class TstBendFinder : public QObject
{
    Q_OBJECT

private slots:
    void sharedPair_gainerIsNoBend_addedLossIs();
    void synthPair_bendFlaggedSplicesNot_data();
    void synthPair_bendFlaggedSplicesNot();
    void find_rules_data();
    void find_rules();
    void match_eachEventOnce();
    void refusal_sameWavelengthOrOtherFibre();
    void pairedEvents_bendOnBothSidesAndJudged();
};

void TstBendFinder::sharedPair_gainerIsNoBend_addedLossIs()
{
    const QString dir = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
    if (dir.isEmpty())
        QSKIP("the shared instrument files are not there");
    const QString stem = dir + QStringLiteral("/example4-exfo-ftb4ftbx730c-mfdgainer-");
    tPair pair = Load(stem + QStringLiteral("1310nm.sor"), stem + QStringLiteral("1550nm.sor"));
    QVERIFY(CWavelengthPair::IsPair(*pair.shorter, *pair.longer));
    QCOMPARE(CWavelengthPair::FindPartner(*pair.longer, { pair.longer.get(), pair.shorter.get() }), pair.shorter.get());
    QCOMPARE(CWavelengthPair::Refusal(*pair.shorter, analysis::CEventSource::Stored(*pair.shorter), *pair.longer,
                 analysis::CEventSource::Stored(*pair.longer)),
        QString());

    const std::vector<CBendFinder::tPlace> places = Bends(pair);
    QCOMPARE(places.size(), size_t(9));
    QVERIFY(BendDistances(places).empty());
    // The gainer (event 2) is matched at both wavelengths and is no bend.
    QVERIFY(places[1].lossShortDb && *places[1].lossShortDb < 0 && places[1].lossLongDb);

    // 0.6 dB more at one splice of the 1550 nm trace, through the document.
    std::deque<sor::tKeyEvent> events = pair.longer->KeyEvents();
    events[4].loss = float(events[4].loss) + 0.6f;
    pair.longer->SetKeyEvents(events);
    const std::vector<CBendFinder::tPlace> after = Bends(pair);
    QCOMPARE(BendDistances(after).size(), size_t(1));
    QCOMPARE(after[4].longIndex, std::optional<size_t>(4));
    QVERIFY(after[4].bend);
}

void TstBendFinder::synthPair_bendFlaggedSplicesNot_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("pulse");
    QTest::addColumn<int>("shortNm");
    QTest::addColumn<int>("longNm");
    QTest::addColumn<bool>("bend");
    QTest::newRow("1310/1550 bend") << 3u << 100 << 1310 << 1550 << true;
    QTest::newRow("1550/1625 bend, long pulse") << 7u << 1000 << 1550 << 1625 << true;
    QTest::newRow("1310/1550 splices only") << 3u << 100 << 1310 << 1550 << false;
}

void TstBendFinder::synthPair_bendFlaggedSplicesNot()
{
    QFETCH(quint32, seed);
    QFETCH(int, pulse);
    QFETCH(int, shortNm);
    QFETCH(int, longNm);
    QFETCH(bool, bend);
    CSynthPair::tOptions options;
    options.trace.seed = seed;
    options.trace.pulseNs = pulse;
    options.trace.events = 8;
    options.trace.lengthKm = 30;
    options.shortNm = shortNm;
    options.longNm = longNm;
    options.bend = bend;
    const CSynthPair synth(options);
    QTemporaryDir dir;
    const QString shortPath = dir.filePath(QStringLiteral("link-%1nm.sor").arg(shortNm));
    const QString longPath = dir.filePath(QStringLiteral("link-%1nm.sor").arg(longNm));
    synth.Write(shortPath, longPath);
    const tPair pair = Load(shortPath, longPath);
    QVERIFY(CWavelengthPair::IsPair(*pair.shorter, *pair.longer));
    QCOMPARE(pair.longer->KeyEvents().size(), size_t(bend ? 9 : 8));

    const std::vector<double> bends = BendDistances(Bends(pair));
    QCOMPARE(bends.size(), size_t(bend ? 1 : 0));
    if (bend)
        QVERIFY(std::abs(bends.front() - synth.BendDistanceM()) < 1.0);
    // Every splice and connector loses the same at both wavelengths.
    for (const CBendFinder::tPlace& place : Bends(pair, 0.0))
        QVERIFY(place.bend == (bend && std::abs(place.distanceM - synth.BendDistanceM()) < 1.0));
}

void TstBendFinder::find_rules_data()
{
    QTest::addColumn<double>("shortLoss");
    QTest::addColumn<double>("longLoss");
    QTest::addColumn<bool>("bend");
    QTest::newRow("more at the longer") << 0.1 << 0.65 << true;
    QTest::newRow("just at the threshold") << 0.1 << 0.6 << false;
    QTest::newRow("gainer at the shorter") << -0.4 << 0.3 << false;
    QTest::newRow("gainer at both") << -0.4 << -0.3 << false;
    QTest::newRow("more at the shorter") << 0.9 << 0.2 << false;
}

void TstBendFinder::find_rules()
{
    QFETCH(double, shortLoss);
    QFETCH(double, longLoss);
    QFETCH(bool, bend);
    const auto places = CBendFinder::Find(Events({ { 1000, shortLoss } }), Events({ { 1004, longLoss } }), 10, 0.5);
    QCOMPARE(places.size(), size_t(1));
    QCOMPARE(places.front().bend, bend);

    // Seen only at the longer wavelength: compared with no loss.
    const auto alone
        = CBendFinder::Find(Events({ { 1000, 0.1 } }), Events({ { 1000, 0.1 }, { 5000, longLoss } }), 10, 0.5);
    QCOMPARE(alone.size(), size_t(2));
    QVERIFY(!alone[1].shortIndex);
    QCOMPARE(alone[1].bend, longLoss > 0.5);
}

void TstBendFinder::match_eachEventOnce()
{
    QCOMPARE(CWavelengthPair::ToleranceM(10, 30, 1.5), 10.0);
    QVERIFY(std::abs(CWavelengthPair::ToleranceM(1000, 100, 1.5) - 3 * 99.93) < 0.1);
    // Two events within reach of one: each is matched with its nearest.
    const auto matches
        = CWavelengthPair::Match(Events({ { 100, 0.1 }, { 108, 0.1 } }), Events({ { 107, 0.2 }, { 300, 0.2 } }), 10);
    QCOMPARE(matches.size(), size_t(3));
    QCOMPARE(matches[0].shortIndex, std::optional<size_t>(0));
    QVERIFY(!matches[0].longIndex);
    QCOMPARE(matches[1].shortIndex, std::optional<size_t>(1));
    QCOMPARE(matches[1].longIndex, std::optional<size_t>(0));
    QCOMPARE(matches[2].longIndex, std::optional<size_t>(1));
    QVERIFY(!matches[2].shortIndex);
}

void TstBendFinder::refusal_sameWavelengthOrOtherFibre()
{
    QTemporaryDir dir;
    CSynthPair::tOptions options;
    options.longNm = 1310;
    CSynthPair(options).Write(dir.filePath(QStringLiteral("a.sor")), dir.filePath(QStringLiteral("b.sor")));
    options.longNm = 1550;
    options.trace.lengthKm = 12;
    CSynthPair(options).Write(dir.filePath(QStringLiteral("c.sor")), dir.filePath(QStringLiteral("d.sor")));
    const tPair same = Load(dir.filePath(QStringLiteral("a.sor")), dir.filePath(QStringLiteral("b.sor")));
    const tPair other = Load(dir.filePath(QStringLiteral("a.sor")), dir.filePath(QStringLiteral("d.sor")));
    const auto refusal = [](const tPair& pair) {
        return CWavelengthPair::Refusal(*pair.shorter, analysis::CEventSource::Stored(*pair.shorter), *pair.longer,
            analysis::CEventSource::Stored(*pair.longer));
    };
    QVERIFY(refusal(same).contains(QStringLiteral("1310 nm")));
    QVERIFY(refusal(other).contains(QStringLiteral("different fibres")));
    QVERIFY(!CWavelengthPair::IsPair(*same.shorter, *same.longer));
}

void TstBendFinder::pairedEvents_bendOnBothSidesAndJudged()
{
    using analysis::CWavelengthBends;
    CSynthPair::tOptions options;
    options.trace.seed = 7;
    options.trace.events = 6;
    options.trace.lengthKm = 25;
    options.bend = true;
    const CSynthPair synth(options);
    QTemporaryDir dir;
    synth.Write(dir.filePath(QStringLiteral("a-1310.sor")), dir.filePath(QStringLiteral("a-1550.sor")));
    const tPair pair = Load(dir.filePath(QStringLiteral("a-1310.sor")), dir.filePath(QStringLiteral("a-1550.sor")));
    analysis::tAnalysisResult s = analysis::CEventSource::Stored(*pair.shorter);
    const analysis::tAnalysisResult l = analysis::CEventSource::Stored(*pair.longer);
    // The bend is too faint at the shorter wavelength to be an event there.
    s.events.erase(std::find_if(s.events.begin(), s.events.end(),
        [&](const analysis::tFoundEvent& e) { return std::abs(e.distanceM - synth.BendDistanceM()) < 1.0; }));

    // The shorter wavelength's side holds its own events and the bend, with
    // no event of its own there.
    const auto fromShort = CWavelengthBends::Pair(*pair.shorter, s, *pair.longer, l, 0.5);
    QVERIFY(fromShort && fromShort->events.events.size() == s.events.size() + 1);
    size_t ownEvents = 0;
    for (size_t i = 0; i < fromShort->own.size(); ++i) {
        QCOMPARE(fromShort->bends[i], !fromShort->own[i]);
        QCOMPARE(fromShort->bends[i], std::abs(fromShort->events.events[i].distanceM - synth.BendDistanceM()) < 1.0);
        ownEvents += fromShort->own[i] ? 1 : 0;
    }
    QCOMPARE(ownEvents, s.events.size());

    // The longer wavelength's verdict: the bend breaks the level it is above.
    analysis::tLimitSet set;
    set.levels.resize(1);
    QCOMPARE(CWavelengthBends::Threshold(&set, 1550, 0.7), 0.7);
    for (const auto& [limit, state] : { std::pair { analysis::tLimit { 0.4, 0.8 }, analysis::tCheck::Fail },
             std::pair { analysis::tLimit { 0.4, 1.5 }, analysis::tCheck::Warn } }) {
        set.levels[0].limits[analysis::tLimitLevels::Bend] = limit;
        QCOMPARE(CWavelengthBends::Threshold(&set, 1550, 0.7), 0.4);
        const auto fromLong = CWavelengthBends::Pair(*pair.longer, l, *pair.shorter, s, 0.4);
        QVERIFY(fromLong);
        analysis::tVerdict verdict = analysis::CVerdict::Judge(*pair.longer, l, set, {});
        QCOMPARE(verdict.state, analysis::tCheck::Pass);
        CWavelengthBends::Judge(verdict, *fromLong, limit);
        QCOMPARE(verdict.state, state);
        QCOMPARE(verdict.Worst()->kind, analysis::tLimitLevels::Bend);
        QVERIFY(std::abs(l.events[size_t(verdict.Worst()->event)].distanceM - synth.BendDistanceM()) < 1.0);
    }
}

QTEST_GUILESS_MAIN(TstBendFinder)
#include "tst_bendfinder.moc"
