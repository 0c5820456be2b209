#include "SorBuilder.h"
#include "TestPaths.h"
#include "tPrivateStore.h"

#include <CEventSource.h>
#include <CFile.h>
#include <CLimitSets.h>
#include <CVerdict.h>

#include <QDir>
#include <QFile>
#include <QTest>

#include <cmath>

using namespace analysis;
Q_DECLARE_METATYPE(tLimitLevels::tKind)
Q_DECLARE_METATYPE(tCheck::tState)
Q_DECLARE_METATYPE(tLimit)

namespace {

// A trace at `wavelength` nm with a backscatter coefficient of -80 dB and
// group index 1.468; its events come from the tests.
std::unique_ptr<sor::CFile> Trace(qint16 wavelength = 1550)
{
    using namespace SorBuilder;
    tGeneral general;
    general.wavelength = wavelength;
    std::vector<tBlock> blocks = StandardBlocks();
    blocks[0].body = GeneralBody(general);
    quint32 warnings = 0;
    return std::make_unique<sor::CFile>(QStringLiteral("trace.sor"), Assemble(blocks), warnings);
}

tFoundEvent Event(double metres, tFoundEvent::tKind kind, double loss, std::optional<double> reflectance = {},
    std::optional<double> attenuation = 0.35)
{
    tFoundEvent event;
    event.distanceM = metres;
    event.kind = kind;
    event.lossDb = loss;
    event.reflectanceDb = reflectance;
    event.attenuationDbPerKm = attenuation;
    return event;
}

// A 10 km link between a 100 m launch and a 100 m receive cord: three
// connectors (both cord joints among them) and three splices.
tAnalysisResult Link(double attenuation)
{
    tAnalysisResult link;
    link.events = { Event(100, tFoundEvent::Reflective, 0.4, -50.0), Event(2100, tFoundEvent::NonReflective, 0.1),
        Event(4100, tFoundEvent::NonReflective, 0.2), Event(6100, tFoundEvent::Reflective, 0.5, -45.0),
        Event(8100, tFoundEvent::NonReflective, 0.05), Event(10100, tFoundEvent::Reflective, 0.3, -48.0),
        Event(10200, tFoundEvent::End, 0, -14.0) };
    for (size_t i = 1; i + 1 < link.events.size(); ++i)
        link.events[i].attenuationDbPerKm = attenuation;
    link.fiberEndM = 10200;
    return link;
}

tLimitSet Set(tLimitLevels::tKind kind, tLimit limit)
{
    tLimitSet set;
    set.name = QStringLiteral("test");
    set.levels.resize(1);
    set.levels[0].limits[kind] = limit;
    return set;
}

} // namespace

class TstVerdict : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_store.IsValid()); }
    void init() { tPrivateStore::Clear(); }

    void compareAtLevels_data()
    {
        QTest::addColumn<tLimitLevels::tKind>("kind");
        QTest::addColumn<double>("value");
        QTest::addColumn<tLimit>("limit");
        QTest::addColumn<tCheck::tState>("expected");
        // A value equal to a level keeps it; one resolution step worse breaks it.
        for (int k = 0; k < tLimitLevels::KindCount; ++k) {
            const auto kind = tLimitLevels::tKind(k);
            const bool lengths = kind == tLimitLevels::SpanLengthMin || kind == tLimitLevels::SpanLengthMax;
            const double worse = (tLimitLevels::LowerIsWorse(kind) ? -1 : 1) * (lengths ? 0.1 : 0.001);
            const double fail = lengths ? 5000 : kind == tLimitLevels::Reflectance ? -35 : 0.5;
            const double warn = fail - 20 * worse;
            const QByteArray name = tLimitLevels::Key(kind);
            const tLimit both { warn, fail };
            QTest::newRow(name + " at fail") << kind << fail << both << tCheck::Warn;
            QTest::newRow(name + " above fail") << kind << fail + worse << both << tCheck::Fail;
            QTest::newRow(name + " below fail") << kind << fail - worse << both << tCheck::Warn;
            QTest::newRow(name + " at warn") << kind << warn << both << tCheck::Pass;
            QTest::newRow(name + " above warn") << kind << warn + worse << both << tCheck::Warn;
            QTest::newRow(name + " below warn") << kind << warn - worse << both << tCheck::Pass;
            QTest::newRow(name + " fail only, above") << kind << fail + worse << tLimit { {}, fail } << tCheck::Fail;
            QTest::newRow(name + " not tested") << kind << fail + 100 * worse << tLimit {} << tCheck::Pass;
        }
        // A stored 0.3 dB reaches the program as a float: it still keeps 0.3 dB.
        QTest::newRow("float loss at level") << tLimitLevels::NonReflectiveLoss << double(0.3f) << tLimit { {}, 0.3 }
                                             << tCheck::Pass;
        QTest::newRow("float loss one step above")
            << tLimitLevels::NonReflectiveLoss << double(0.301f) << tLimit { {}, 0.3 } << tCheck::Fail;
    }

    void compareAtLevels()
    {
        QFETCH(tLimitLevels::tKind, kind);
        QFETCH(double, value);
        QFETCH(tLimit, limit);
        QFETCH(tCheck::tState, expected);
        QCOMPARE(CVerdict::Compare(kind, value, limit), expected);

        // The same through a whole judgement, for the figures of an event.
        if (kind > tLimitLevels::Attenuation)
            return;
        tAnalysisResult result;
        const bool reflective = kind == tLimitLevels::ReflectiveLoss || kind == tLimitLevels::Reflectance;
        tFoundEvent event = Event(1000, reflective ? tFoundEvent::Reflective : tFoundEvent::NonReflective, 0.0,
            reflective ? std::optional<double>(-60) : std::nullopt, 0.0);
        if (kind == tLimitLevels::Reflectance)
            event.reflectanceDb = value;
        else if (kind == tLimitLevels::Attenuation)
            event.attenuationDbPerKm = value;
        else
            event.lossDb = value;
        result.events = { event, Event(3000, tFoundEvent::End, 0, {}, 0.0) };
        const tVerdict verdict = CVerdict::Judge(*Trace(), result, Set(kind, limit), tSpan());
        QCOMPARE(verdict.StateOf(0, kind).value_or(tCheck::Pass), expected);
        QCOMPARE(verdict.state, expected);
    }

    void firstReasonAndEventsOutsideTheSpan()
    {
        tAnalysisResult result = Link(0.35);
        result.events[2].lossDb = 0.61;
        result.events[4].lossDb = 0.9;
        tLimitSet set = Set(tLimitLevels::NonReflectiveLoss, { 0.3, 0.5 });
        set.levels[0].limits[tLimitLevels::ReflectiveLoss] = { {}, 0.45 };
        // The launch connector (0.4 dB) passes, the mid-span one (0.5 dB) fails.
        tVerdict verdict = CVerdict::Judge(*Trace(), result, set, tSpan());
        QCOMPARE(verdict.state, tCheck::Fail);
        QCOMPARE(CVerdict::Line(verdict), QStringLiteral("FAIL: event 3 loss 0.610 dB > 0.500 dB"));
        QCOMPARE(verdict.StateOf(0, tLimitLevels::ReflectiveLoss), tCheck::Pass);
        QCOMPARE(verdict.StateOf(3, tLimitLevels::ReflectiveLoss), tCheck::Fail);
        // The fibre end is no event of the link: its loss is not tested.
        QVERIFY(!verdict.StateOf(6, tLimitLevels::ReflectiveLoss));

        // A span from event 4 on leaves the first three events untested.
        tSpan span;
        span.startEvent = 4;
        verdict = CVerdict::Judge(*Trace(), result, set, span);
        QCOMPARE(verdict.span.firstEvent, 3);
        QVERIFY(!verdict.StateOf(2, tLimitLevels::NonReflectiveLoss));
        QCOMPARE(CVerdict::Line(verdict), QStringLiteral("FAIL: event 4 loss 0.500 dB > 0.450 dB"));
        span.endEvent = 9;
        QCOMPARE(CVerdict::Judge(*Trace(), result, set, span).problem, QStringLiteral("the span's event 9 does not exist"));
        QCOMPARE(CVerdict::Line(CVerdict::Judge(*Trace(), tAnalysisResult(), set, tSpan())),
            QStringLiteral("FAIL: no events"));
    }

    // The worked example of a link budget, ANSI/TIA-568.3-D outside plant:
    // 10.000 km x 0.5 dB/km + 3 connector pairs x 0.75 dB + 3 splices x 0.3 dB
    // = 5.000 + 2.250 + 0.900 = 8.150 dB. Measured: 10 km x 0.35 dB/km = 3.500
    // dB of fibre, events 0.4 + 0.1 + 0.2 + 0.5 + 0.05 + 0.3 = 1.550 dB: 5.050 dB.
    void linkBudgetWorkedExample()
    {
        const std::optional<tLimitSet> outside = CLimitSets::Find(QStringLiteral("tia568-sm-outside"));
        QVERIFY(outside && outside->linkBudget);
        tSpan cords;
        cords.launchM = 103; // a cord's length as labelled; the connector is found within 10 m
        cords.receiveM = 100;
        tVerdict verdict = CVerdict::Judge(*Trace(1310), Link(0.35), *outside, cords);
        QCOMPARE(verdict.span.startM, 100.0);
        QCOMPARE(verdict.span.endM, 10100.0);
        QCOMPARE(verdict.span.connectors, 3);
        QCOMPARE(verdict.span.splices, 3);
        QVERIFY(std::abs(*verdict.span.lossDb - 5.05) < 1e-9);
        const auto budget = std::find_if(verdict.checks.begin(), verdict.checks.end(),
            [](const tCheck& check) { return check.kind == tLimitLevels::SpanLoss; });
        QVERIFY(budget != verdict.checks.end());
        QCOMPARE(*budget->limit.fail, 8.15);
        QCOMPARE(budget->state, tCheck::Pass);
        QCOMPARE(verdict.state, tCheck::Pass);

        // At 0.8 dB/km the fibre alone breaks both its own level and the budget.
        verdict = CVerdict::Judge(*Trace(1310), Link(0.8), *outside, cords);
        QCOMPARE(verdict.state, tCheck::Fail);
        QCOMPARE(CVerdict::Line(verdict), QStringLiteral("FAIL: event 2 attenuation 0.800 dB/km > 0.500 dB/km"));
        QVERIFY(std::abs(*verdict.span.lossDb - (8.0 + 1.55)) < 1e-9);
        QCOMPARE(verdict.StateOf(-1, tLimitLevels::SpanLoss), tCheck::Fail);
    }

    // A known return loss: 1 km of lossless fibre at -80 dB backscatter
    // coefficient returns 1e-8 x 2 x 1000 m / 0.20422 m/ns = 9.7934e-5; a
    // -40 dB reflection at its end adds 1e-4: 37.034 dB together.
    void intervalReturnLoss()
    {
        tAnalysisResult result;
        result.events = { Event(0, tFoundEvent::NonReflective, 0, {}, 0.0),
            Event(1000, tFoundEvent::Reflective, 0, -40.0, 0.0) };
        const std::optional<double> orl = CVerdict::IntervalOrl(*Trace(), result, 0, 1000);
        QVERIFY(orl);
        QVERIFY2(std::abs(*orl - 37.034) < 0.002, qPrintable(QString::number(*orl)));
        // Seen through 1.5 dB of loss, the same returns 3 dB weaker.
        result.events[0].lossDb = 1.5;
        QVERIFY(std::abs(*CVerdict::IntervalOrl(*Trace(), result, 0, 1000) - (37.034 + 3.0)) < 0.002);
        // A reflectance stored without its sign is no reflection.
        result.events[1].reflectanceDb = 47.3;
        QVERIFY(std::abs(*CVerdict::IntervalOrl(*Trace(), result, 0, 1000) - (40.090 + 3.0)) < 0.002);
    }

    // A real trace with its 497 m launch cord, and a receive cord taken as
    // the last 2.1 km: the span runs from its second event to its last but
    // one; its length and loss worked out here from the stored events.
    void spanWithCordsOnRealFile()
    {
        const QString dir = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
        if (dir.isEmpty())
            QSKIP("the shared instrument files are not there");
        quint32 warnings = 0;
        const sor::CFile file(QDir(dir).filePath(QStringLiteral("issue14.sor")), warnings);
        const std::deque<sor::tKeyEvent>& stored = file.KeyEvents();
        QVERIFY(stored.size() >= 4);
        std::vector<double> at;
        for (const sor::tKeyEvent& event : stored)
            at.push_back(double(file.TimeToDistance(float(event.time))));
        const size_t last = stored.size() - 2;
        double loss = 0;
        for (size_t i = 1; i <= last; ++i) {
            loss += double(float(stored[i].loss));
            // A section too short for the instrument to measure takes the
            // attenuation of the next one that it did.
            size_t measured = i;
            while (measured + 1 < stored.size() && float(stored[measured].attenuation) == 0.0f)
                ++measured;
            if (i > 1)
                loss += double(float(stored[measured].attenuation)) * (at[i] - at[i - 1]) / 1000.0;
        }
        tSpan cords;
        cords.launchM = std::round(at[1]) + 2;
        cords.receiveM = std::round(at.back() - at[last]) - 2;
        const tSpanFigures span = CVerdict::SpanOf(file, CEventSource::Stored(file), cords);
        QCOMPARE(span.firstEvent, 1);
        QCOMPARE(span.lastEvent, int(last));
        QVERIFY(std::abs(span.lengthM - (at[last] - at[1])) < 1e-6);
        QVERIFY2(std::abs(*span.lossDb - loss) < 1e-6, qPrintable(QStringLiteral("%1 %2").arg(*span.lossDb).arg(loss)));
        // The stored return loss is for the whole trace, not for this span.
        QVERIFY(!span.orlStored);
    }

    void limitSetFiles_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("named");
        QTest::newRow("malformed") << QByteArray("{\"name\": \"x\",") << QString("not valid JSON");
        QTest::newRow("unknown key") << QByteArray("{\"name\":\"x\",\"levels\":[{\"spliceLoss\":{\"fail\":1}}]}")
                                     << QString("\"spliceLoss\"");
        QTest::newRow("unknown level") << QByteArray("{\"name\":\"x\",\"levels\":[{\"reflectance\":{\"max\":1}}]}")
                                       << QString("\"reflectance.max\"");
        QTest::newRow("warning beyond fail")
            << QByteArray("{\"name\":\"x\",\"levels\":[{\"spanOrl\":{\"warn\":25,\"fail\":27}}]}") << QString("\"spanOrl\"");
        QTest::newRow("a preset's name") << QByteArray("{\"name\":\"tia568-mm\"}") << QString("\"tia568-mm\"");
        QTest::newRow("second set bad") << QByteArray("{\"limitSets\":[{\"name\":\"good\"},{\"name\":\"bad\",\"colour\":1}]}")
                                        << QString("\"colour\"");
        QTest::newRow("accepted") << QByteArray("{\"limitSets\":[{\"name\":\"a\",\"linkBudget\":true,\"levels\":["
                                                "{\"wavelength\":1310,\"attenuation\":{\"warn\":0.3,\"fail\":0.4}}]}]}")
                                  << QString();
    }

    // A set is taken whole or not at all: a refused file leaves the store as it was.
    void limitSetFiles()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, named);
        tLimitSet kept = Set(tLimitLevels::SpanOrl, { 30, 27 });
        kept.name = QStringLiteral("kept");
        CLimitSets::SetUserSets({ kept });
        const QString path = m_store.Path(QStringLiteral("limits.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json);
        file.close();
        QString error;
        const std::optional<QStringList> names = CLimitSets::Import(path, error);
        if (named.isEmpty()) {
            QVERIFY2(names, qPrintable(error));
            QCOMPARE(*names, QStringList { "a" });
            const std::optional<tLimitSet> a = CLimitSets::Find(QStringLiteral("a"));
            QVERIFY(a && a->linkBudget);
            QCOMPARE(a->For(1312).limits[tLimitLevels::Attenuation].fail, std::optional<double>(0.4));
            QVERIFY(!a->For(1550).limits[tLimitLevels::Attenuation].IsSet());
            // Exported and read back, the same set.
            QVERIFY(CLimitSets::WriteFile(path, { *a }, error));
            QCOMPARE(CLimitSets::Resolve(path, error)->ToJson(), a->ToJson());
            return;
        }
        QVERIFY(!names);
        QVERIFY2(error.contains(named), qPrintable(error));
        QCOMPARE(CLimitSets::UserSets().size(), size_t(1));
        QCOMPARE(CLimitSets::UserSets().front().ToJson(), kept.ToJson());
    }

    void presetsReadBack()
    {
        for (const tLimitSet& preset : CLimitSets::Presets()) {
            QString error;
            const std::optional<tLimitSet> again = tLimitSet::FromJson(preset.ToJson(), error);
            QVERIFY2(again, qPrintable(preset.name + ": " + error));
            QCOMPARE(again->ToJson(), preset.ToJson());
        }
        const std::optional<tLimitSet> mm = CLimitSets::Find(QStringLiteral("tia568-mm"));
        QCOMPARE(mm->For(850).limits[tLimitLevels::Attenuation].fail, std::optional<double>(3.5));
        QCOMPARE(mm->For(1300).limits[tLimitLevels::Attenuation].fail, std::optional<double>(1.5));
        QCOMPARE(mm->For(1300).limits[tLimitLevels::ReflectiveLoss].fail, std::optional<double>(0.75));
    }

    // The bend level chosen for the active set takes the place of the set's
    // own at every wavelength; a warning above it goes.
    void activeBendLevel()
    {
        tLimitSet own = Set(tLimitLevels::Attenuation, { {}, 0.4 });
        own.name = QStringLiteral("own");
        own.levels.front().wavelengthNm = 1550;
        own.levels.front().limits[tLimitLevels::Bend] = { 1.0, 1.2 };
        CLimitSets::SetUserSets({ own });
        CLimitSets::SetActiveName(QStringLiteral("own"));
        QCOMPARE(CLimitSets::Active()->For(1550).limits[tLimitLevels::Bend].fail, std::optional<double>(1.2));
        QVERIFY(!CLimitSets::Active()->For(1310).limits[tLimitLevels::Bend].IsSet());
        CLimitSets::SetActiveBendFail(0.8);
        for (const int nm : { 1310, 1550 }) {
            const tLimit bend = CLimitSets::Active()->For(nm).limits[tLimitLevels::Bend];
            QVERIFY(!bend.warn && bend.fail == std::optional<double>(0.8));
        }
        CLimitSets::SetActiveName(QStringLiteral("general-sm"));
        QCOMPARE(CLimitSets::Active()->For(1625).limits[tLimitLevels::Bend].fail, std::optional<double>(0.8));
        CLimitSets::SetActiveBendFail(std::nullopt);
        QCOMPARE(CLimitSets::Active()->For(1625).limits[tLimitLevels::Bend].fail, std::optional<double>(0.5));
    }

private:
    tPrivateStore m_store;
};

QTEST_GUILESS_MAIN(TstVerdict)
#include "tst_verdict.moc"
