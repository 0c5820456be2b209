#include "TestPaths.h"

#include <CSynthPair.h>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct tRun
{
    int exitCode = -1;
    QByteArray out;
    QString err;
};

tRun Run(const QStringList& arguments, const QString& command = QStringLiteral("bends"))
{
    tRun run;
    QProcess process;
    process.start(TestPaths::BinDir() + QStringLiteral("/lumetrix-sor"), QStringList { command } + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

// lumetrix-sor bends: the JSON of a compared pair, and the refusals.
class TstBendsCommand : public QObject
{
    Q_OBJECT

private slots:
    void json_synthBendAndSharedPair();
    void oneFileOfTwoWavelengths_sameAsTwoFiles();
    void refusals_data();
    void refusals();

private:
    QTemporaryDir m_dir;
};

void TstBendsCommand::json_synthBendAndSharedPair()
{
    CSynthPair::tOptions options;
    options.trace.events = 6;
    options.bend = true;
    options.bendKm = 7.5;
    const QString shortPath = m_dir.filePath(QStringLiteral("f-1310.sor"));
    const QString longPath = m_dir.filePath(QStringLiteral("f-1550.sor"));
    CSynthPair(options).Write(shortPath, longPath);

    // The long file first: the wavelengths decide which is which.
    const tRun run
        = Run({ longPath, shortPath, QStringLiteral("--json"), QStringLiteral("--threshold"), QStringLiteral("0.7") });
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QJsonObject object = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(object.keys(), QStringList({ "events", "long_nm", "short_nm", "threshold_db" }));
    QCOMPARE(object.value(QStringLiteral("short_nm")).toDouble(), 1310.0);
    QCOMPARE(object.value(QStringLiteral("long_nm")).toDouble(), 1550.0);
    QCOMPARE(object.value(QStringLiteral("threshold_db")).toDouble(), 0.7);
    const QJsonArray events = object.value(QStringLiteral("events")).toArray();
    QCOMPARE(events.size(), 7);
    int bends = 0;
    for (const QJsonValue& value : events) {
        const QJsonObject event = value.toObject();
        QCOMPARE(event.keys(), QStringList({ "bend", "distance_m", "loss_long_db", "loss_short_db" }));
        if (event.value(QStringLiteral("bend")).toBool()) {
            ++bends;
            QVERIFY(std::abs(event.value(QStringLiteral("distance_m")).toDouble() - 7500) < 1);
            QCOMPARE(event.value(QStringLiteral("loss_long_db")).toDouble(), 1.0);
            QCOMPARE(event.value(QStringLiteral("loss_short_db")).toDouble(), 0.1);
        }
    }
    QCOMPARE(bends, 1);

    const QString shared = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
    if (shared.isEmpty())
        QSKIP("the shared instrument files are not there");
    const QString stem = shared + QStringLiteral("/example4-exfo-ftb4ftbx730c-mfdgainer-");
    const tRun text = Run({ stem + QStringLiteral("1310nm.sor"), stem + QStringLiteral("1550nm.sor") });
    QVERIFY2(text.exitCode == 0, qPrintable(text.err));
    QVERIFY(text.out.contains("0 bend(s) found."));
}

void TstBendsCommand::oneFileOfTwoWavelengths_sameAsTwoFiles()
{
    const QStringList options { "--events", "6", "--bend-km", "7.5", "--long-nm", "1625" };
    const QString both = m_dir.filePath(QStringLiteral("both.sor"));
    const QStringList two { m_dir.filePath(QStringLiteral("two-1310.sor")), m_dir.filePath(QStringLiteral("two-1625.sor")) };
    QCOMPARE(Run(options + QStringList { "--one-file", both }, QStringLiteral("synth-pair")).exitCode, 0);
    QCOMPARE(Run(options + two, QStringLiteral("synth-pair")).exitCode, 0);
    const tRun one = Run({ both, QStringLiteral("--json") });
    QVERIFY2(one.exitCode == 0, qPrintable(one.err));
    QCOMPARE(one.out, Run(two + QStringList { QStringLiteral("--json") }).out);
    QVERIFY(one.out.contains("\"bend\": true"));
    QVERIFY(Run({ both }).out.contains("both.sor, record 2"));
    QVERIFY(Run({ both }, QStringLiteral("info")).out.contains("2 records at 1310, 1625 nm"));
}

void TstBendsCommand::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    const QString a = m_dir.filePath(QStringLiteral("r-a.sor"));
    const QString b = m_dir.filePath(QStringLiteral("r-b.sor"));
    const QString shorter = m_dir.filePath(QStringLiteral("r-short.sor"));
    CSynthPair::tOptions options;
    options.longNm = 1310;
    CSynthPair(options).Write(a, b);
    options.longNm = 1550;
    options.trace.lengthKm = 9;
    CSynthPair(options).Write(shorter, m_dir.filePath(QStringLiteral("r-short-1550.sor")));
    const QString other = m_dir.filePath(QStringLiteral("r-short-1550.sor"));
    QTest::newRow("same wavelength") << QStringList { a, b } << QStringLiteral("taken at 1310 nm");
    QTest::newRow("different fibres") << QStringList { a, other } << QStringLiteral("different fibres");
    QTest::newRow("one wavelength") << QStringList { a } << QStringLiteral("holds one wavelength only (1310 nm)");
    QTest::newRow("three files") << QStringList { a, b, other } << QStringLiteral("two files, or one");
    QTest::newRow("option twice") << QStringList { a, other, "--json", "--json" } << QStringLiteral("given twice");
    QTest::newRow("bad threshold") << QStringList { a, other, "--threshold", "x" } << QStringLiteral("not valid");
    QTest::newRow("missing file") << QStringList { a, m_dir.filePath(QStringLiteral("none.sor")) }
                                  << QStringLiteral("none.sor");
}

void TstBendsCommand::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const tRun run = Run(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

QTEST_GUILESS_MAIN(TstBendsCommand)
#include "tst_bendscommand.moc"
