#include <CBidirectionalPair.h>
#include <CBidirectionalPairing.h>
#include <CEventSource.h>
#include <CFile.h>
#include <CSynthLink.h>
#include <TestPaths.h>

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace analysis;

namespace {

std::unique_ptr<sor::CFile> Load(const QString& path)
{
    quint32 warnings = 0;
    return std::make_unique<sor::CFile>(path, warnings);
}

// Level step of the samples at `at` metres: straight lines fitted to the
// backscatter on each side over `span` metres, clear of the step by `gap`.
double StepAt(const sor::CFile& file, double at, double gap, double span)
{
    const auto fit = [&](double from, double to) {
        double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (int i = int(from / file.Resolution()); i * file.Resolution() < to; ++i) {
            const double x = i * file.Resolution() - at;
            const double y = file.Point(i) / 1000.0;
            n += 1, sx += x, sy += y, sxx += x * x, sxy += x * y;
        }
        const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
        return (sy - slope * sx) / n; // the line's level at `at`
    };
    return fit(at + gap, at + gap + span) - fit(at - gap - span, at - gap);
}

} // namespace

class tst_bidirectional : public QObject
{
    Q_OBJECT

private slots:
    void synthPairs_data();
    void synthPairs();
    void realTraceWithItsMirror();
    void refused_data();
    void refused();
    void proposals();
};

void tst_bidirectional::synthPairs_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<double>("lengthKm");
    QTest::addColumn<int>("pulseNs");
    QTest::addColumn<int>("events");
    QTest::newRow("short, 4 events") << 3u << 12.0 << 100 << 4;
    QTest::newRow("long, 7 events") << 11u << 40.0 << 300 << 7;
    QTest::newRow("short pulse, 2 events") << 5u << 6.0 << 30 << 2;
}

void tst_bidirectional::synthPairs()
{
    QFETCH(quint32, seed);
    QFETCH(double, lengthKm);
    QFETCH(int, pulseNs);
    QFETCH(int, events);
    CSynthTrace::tOptions options;
    options.seed = seed;
    options.lengthKm = lengthKm;
    options.pulseNs = pulseNs;
    options.events = events;
    const CSynthLink link(options);
    QTemporaryDir dir;
    link.Write(dir.filePath("link_AB.sor"), CSynthLink::AToB);
    link.Write(dir.filePath("link_BA.sor"), CSynthLink::BToA);
    const auto a = Load(dir.filePath("link_AB.sor"));
    const auto b = Load(dir.filePath("link_BA.sor"));

    const tBidirectionalResult result = CBidirectionalPair::Analyse(*a, *b, tThresholds());
    QVERIFY2(result.Paired(), qPrintable(result.reason));
    const std::vector<CSynthLink::tJoint>& joints = link.Joints();
    QCOMPARE(result.events.size(), joints.size() + 1);
    QCOMPARE(result.events.back().kind, tFoundEvent::End);
    bool gainer = false;
    for (size_t i = 0; i < joints.size(); ++i) {
        const tBidirectionalEvent& event = result.events[i];
        QCOMPARE(event.seen, tBidirectionalEvent::Both);
        QVERIFY(std::abs(event.distanceM - joints[i].distance) < 1.0);
        QVERIFY(event.lossAToBDb && event.lossBToADb && event.lossDb);
        // The one-way figures disagree; their mean is the joint's own loss.
        QVERIFY(std::abs(*event.lossAToBDb - *event.lossBToADb) > 0.05);
        QVERIFY2(std::abs(*event.lossDb - joints[i].loss) <= 0.02,
            qPrintable(QStringLiteral("%1 against %2").arg(*event.lossDb).arg(joints[i].loss)));
        gainer = gainer || *event.lossAToBDb < 0 || *event.lossBToADb < 0;
        QCOMPARE(event.kind, joints[i].reflectance != 0 ? tFoundEvent::Reflective : tFoundEvent::NonReflective);
        if (joints[i].reflectance != 0) {
            const double aSide = *result.aToB.events[i].reflectanceDb;
            const double bSide = *result.bToA.events[joints.size() - 1 - i].reflectanceDb;
            QCOMPARE(*event.reflectanceDb, std::max(aSide, bSide));
        }
    }
    QVERIFY(gainer);
    // The traces show the one-way losses their files list.
    const double pulseLength = CBidirectionalPair::PulseLengthM(pulseNs, double(a->FixedParameters().groupIndex));
    const double gap = 3 * pulseLength + 20;
    // Clear of the neighbouring joints (or the ends) and the launch dead zone.
    const double next = joints.size() > 1 ? joints[1].distance : link.Length();
    const double span = std::min({ 1500.0, joints[0].distance - gap - 500, next - joints[0].distance - 2 * gap });
    QVERIFY(span > 300);
    QVERIFY(std::abs(StepAt(*a, joints[0].distance, gap, span) - link.OneWayLoss(0, CSynthLink::AToB)) < 0.02);
    QVERIFY(std::abs(StepAt(*b, link.Length() - joints[0].distance, gap, span) - link.OneWayLoss(0, CSynthLink::BToA))
        < 0.02);
    QVERIFY(result.averageLossDb);
    QVERIFY(*result.aToB.endToEndLossDb != *result.bToA.endToEndLossDb);
    QVERIFY(!a->IsModified() && !b->IsModified());
}

void tst_bidirectional::realTraceWithItsMirror()
{
    int tried = 0;
    for (const QString& layout : { QStringLiteral("v1"), QStringLiteral("v2") }) {
        for (const QString& path : TestPaths::SorFiles(TestPaths::SharedSamplesDir(layout))) {
            const auto a = Load(path);
            const tAnalysisResult own = CEventSource::Stored(*a);
            if (!own.fiberEndM)
                continue;
            ++tried;
            // The same trace measured from the far end: every event but the
            // end mirrored about the fibre end, the end where it was; what
            // lies beyond the end is not on the fibre.
            quint32 warnings = 0;
            sor::CFile b(QStringLiteral("mirror.sor"), a->Image(), warnings);
            const std::deque<sor::tKeyEvent>& stored = a->KeyEvents();
            size_t end = 0;
            while (own.events[end].kind != tFoundEvent::End)
                ++end;
            const double endTime = double(float(stored[end].time));
            std::deque<sor::tKeyEvent> mirrored;
            for (size_t i = 0; i < stored.size(); ++i) {
                sor::tKeyEvent copy = stored[i];
                const double time = double(float(copy.time));
                if (time > endTime)
                    continue;
                if (i != end)
                    copy.time = float(endTime - time);
                mirrored.push_front(copy);
            }
            b.SetKeyEvents(mirrored);

            const tBidirectionalResult result = CBidirectionalPair::Analyse(*a, b, tThresholds());
            QVERIFY2(result.Paired(), qPrintable(path + QStringLiteral(": ") + result.reason));
            size_t count = 0;
            for (const tFoundEvent& event : own.events) {
                if (event.kind == tFoundEvent::End)
                    break;
                ++count;
            }
            QCOMPARE(result.events.size(), count + 1);
            for (size_t i = 0; i < result.events.size(); ++i) {
                const tBidirectionalEvent& got = result.events[i];
                const tFoundEvent& want = own.events[i];
                QVERIFY2(std::abs(got.distanceM - want.distanceM) < 0.05, qPrintable(path));
                QCOMPARE(got.kind, want.kind);
                QCOMPARE(got.lossDb, want.lossDb);
                QCOMPARE(got.reflectanceDb, want.reflectanceDb);
                QCOMPARE(got.seen, tBidirectionalEvent::Both);
            }
            // The mirrored trace runs backwards from the far end.
            const QSharedPointer<sor::CFile> image = CBidirectionalPair::Mirrored(b, result.mirrorOffsetM);
            QVERIFY(image);
            const int last = int(std::lround(result.mirrorOffsetM / a->Resolution()));
            QCOMPARE(image->PointCount(), last + 1);
            QCOMPARE(image->Point(0), a->Point(last));
            QCOMPARE(image->Point(last), a->Point(0));
            QVERIFY(image->KeyEvents().empty());
        }
    }
    if (tried == 0)
        QSKIP("No real traces with a fibre end beside the project.");
}

void tst_bidirectional::refused_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("reason");
    QTest::newRow("wavelength") << "wavelength"
                                << "The wavelengths differ: 1550 nm (A→B) and 1310 nm (B→A).";
    QTest::newRow("group index") << "index"
                                 << "The group indices differ by more than 0.001";
    QTest::newRow("length") << "length"
                            << "The lengths to the fibre end differ by more than ";
    QTest::newRow("no fibre end") << "end"
                                  << "The B→A trace has no fibre end.";
    QTest::newRow("itself") << "itself"
                            << "A trace cannot be paired with itself.";
}

void tst_bidirectional::refused()
{
    QFETCH(QString, change);
    QFETCH(QString, reason);
    CSynthTrace::tOptions options;
    options.lengthKm = 20;
    QTemporaryDir dir;
    CSynthLink(options).Write(dir.filePath("a.sor"), CSynthLink::AToB);
    if (change == QLatin1String("length"))
        options.lengthKm = 20.25;
    CSynthLink(options).Write(dir.filePath("b.sor"), CSynthLink::BToA);
    const auto a = Load(dir.filePath("a.sor"));
    const auto b = Load(dir.filePath(change == QLatin1String("itself") ? "a.sor" : "b.sor"));
    if (change == QLatin1String("end")) {
        std::deque<sor::tKeyEvent> events = b->KeyEvents();
        events.pop_back();
        b->SetKeyEvents(events);
    }
    sor::tGeneralParameters general = b->GeneralParameters();
    sor::tFixedParameters fixed = b->FixedParameters();
    if (change == QLatin1String("wavelength"))
        general.wavelength = 1310.0f;
    if (change == QLatin1String("index"))
        fixed.groupIndex = float(fixed.groupIndex) + 0.0015f;
    b->SetParameters(&general, nullptr, &fixed);

    const tBidirectionalResult result = CBidirectionalPair::Analyse(*a, *b, tThresholds());
    QVERIFY(!result.Paired());
    QVERIFY2(result.reason.startsWith(reason), qPrintable(result.reason));
    QVERIFY(result.events.empty());
    // Each within its tolerance is still a pair.
    if (change == QLatin1String("index") || change == QLatin1String("length")) {
        if (change == QLatin1String("index"))
            fixed.groupIndex = float(fixed.groupIndex) - 0.001f;
        b->SetParameters(nullptr, nullptr, &fixed);
        options.lengthKm = 20.15;
        CSynthLink(options).Write(dir.filePath("c.sor"), CSynthLink::BToA);
        const auto near = Load(dir.filePath("c.sor"));
        const sor::CFile& other = change == QLatin1String("index") ? *b : *near;
        const tBidirectionalResult paired = CBidirectionalPair::Analyse(*a, other, tThresholds());
        QVERIFY2(paired.Paired(), qPrintable(paired.reason));
    }
}

void tst_bidirectional::proposals()
{
    using tTrace = CBidirectionalPairing::tTrace;
    const auto trace
        = [](const char* path, const char* cable, const char* origin, const char* destination, int wavelength) {
              return tTrace { QString::fromUtf8(path), QString::fromUtf8(cable), QStringLiteral("F01"),
                  QString::fromUtf8(origin), QString::fromUtf8(destination), wavelength };
          };
    const std::vector<tTrace> traces = {
        trace("/d/north_BA.sor", "", "", "", 1550), // 0: by suffix with 3
        trace("/d/c7.sor", "C7", "Exchange", "Node", 1550), // 1: by IDs with 4
        trace("/d/c7-1310.sor", "C7", "Node", "Exchange", 1310), // 2: another wavelength
        trace("/d/NORTH_ab.sor", "", "", "", 1550), // 3
        trace("/d/c7-back.sor", "C7", "Node", "Exchange", 1550), // 4
        trace("/d/c7-again.sor", "C7", "Exchange", "Node", 1550), // 5: its partner is taken
        trace("/e/south_AB.sor", "", "", "", 1550), // 6: the partner is in another folder
        trace("/d/south_BA.sor", "", "", "", 1550), // 7
    };
    const std::vector<CBidirectionalPairing::tProposal> got
        = CBidirectionalPairing::Propose(traces, QStringLiteral("_AB"), QStringLiteral("_BA"));
    QCOMPARE(got.size(), size_t(2));
    QCOMPARE(got[0].aToB, 3);
    QCOMPARE(got[0].bToA, 0);
    QVERIFY(got[0].bySuffix);
    QCOMPARE(got[1].aToB, 1);
    QCOMPARE(got[1].bToA, 4);
    QVERIFY(!got[1].bySuffix);
    // Other suffixes, or none, leave the names alone.
    QCOMPARE(CBidirectionalPairing::Propose(traces, QStringLiteral("-1"), QString()).size(), size_t(1));
}

QTEST_GUILESS_MAIN(tst_bidirectional)
#include "tst_bidirectional.moc"
