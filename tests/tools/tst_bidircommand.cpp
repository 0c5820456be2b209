#include <CBidirectionalPair.h>
#include <CFile.h>
#include <TestPaths.h>

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// `lumetrix-sor bidir` as the user runs it: the figures of the library's
// pairing, the refusals with their reasons, and both files left as they were.
class tst_bidircommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pairMatchesLibrary();
    void refusals_data();
    void refusals();

private:
    struct tRun
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    tRun Run(const QStringList& arguments) const;
    QString Temp(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QString m_tool;
    QTemporaryDir m_dir;
};

tst_bidircommand::tRun tst_bidircommand::Run(const QStringList& arguments) const
{
    tRun run;
    QProcess process;
    process.start(m_tool, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void tst_bidircommand::initTestCase()
{
    m_tool = TestPaths::BinDir() + QStringLiteral("/lumetrix-sor");
    QVERIFY(QFileInfo(m_tool).isExecutable());
    const QStringList link { "--seed", "7", "--length-km", "18", "--events", "5" };
    QCOMPARE(Run(QStringList { "synth", Temp("l_AB.sor"), "--direction", "AB" } + link).exitCode, 0);
    QCOMPARE(Run(QStringList { "synth", Temp("l_BA.sor"), "--direction", "ba" } + link).exitCode, 0);
    QCOMPARE(Run({ "synth", Temp("other.sor"), "--length-km", "30" }).exitCode, 0);
}

void tst_bidircommand::pairMatchesLibrary()
{
    const auto hash = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                                              : QByteArray();
    };
    const QByteArray before = hash(Temp("l_AB.sor")) + hash(Temp("l_BA.sor"));
    const tRun json = Run({ "bidir", "--json", "--", Temp("l_AB.sor"), Temp("l_BA.sor") });
    QCOMPARE(json.exitCode, 0);
    QVERIFY(json.err.isEmpty());
    QCOMPARE(hash(Temp("l_AB.sor")) + hash(Temp("l_BA.sor")), before);

    quint32 warnings = 0;
    const sor::CFile a(Temp("l_AB.sor"), warnings);
    const sor::CFile b(Temp("l_BA.sor"), warnings);
    const analysis::tBidirectionalResult want = analysis::CBidirectionalPair::Analyse(a, b, analysis::tThresholds());
    QVERIFY(want.Paired());
    const QJsonObject got = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(got.value("averageLossDb").toDouble(), *want.averageLossDb);
    QCOMPARE(got.value("aToB").toObject().value("orlDb").toDouble(), *want.aToB.orlDb);
    QCOMPARE(got.value("bToA").toObject().value("lossDb").toDouble(), *want.bToA.endToEndLossDb);
    const QJsonArray events = got.value("events").toArray();
    QCOMPARE(size_t(events.size()), want.events.size());
    for (int i = 0; i < events.size(); ++i) {
        const QJsonObject event = events[i].toObject();
        QCOMPARE(event.value("distanceM").toDouble(), want.events[size_t(i)].distanceM);
        QCOMPARE(event.value("seen").toString(), QStringLiteral("both"));
        if (want.events[size_t(i)].kind != analysis::tFoundEvent::End)
            QCOMPARE(event.value("lossDb").toDouble(), *want.events[size_t(i)].lossDb);
    }
    QCOMPARE(events.last().toObject().value("kind").toString(), QStringLiteral("end"));

    // The text shows the same averages, one row per event.
    const tRun text = Run({ "bidir", Temp("l_AB.sor"), Temp("l_BA.sor") });
    QCOMPARE(text.exitCode, 0);
    QVERIFY(text.out.contains(QString::number(*want.events.front().lossDb, 'f', 3)));
    QVERIFY(text.out.contains(QString::number(*want.averageLossDb, 'f', 3)));
}

void tst_bidircommand::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("lengths") << QStringList { "l_AB.sor", "other.sor" }
                             << "are not a pair: The lengths to the fibre end differ";
    QTest::newRow("itself") << QStringList { "l_AB.sor", "l_AB.sor" } << "cannot be paired with itself";
    QTest::newRow("missing file") << QStringList { "l_AB.sor", "none.sor" } << "none.sor: ";
    QTest::newRow("one file") << QStringList { "l_AB.sor" } << "bidir needs two files";
    QTest::newRow("option twice") << QStringList { "--json", "l_AB.sor", "--json", "l_BA.sor" }
                                  << "The option \"--json\" is given twice.";
    QTest::newRow("unknown option") << QStringList { "--csv", "l_AB.sor", "l_BA.sor" } << "Unknown option \"--csv\"";
}

void tst_bidircommand::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    for (QString& argument : arguments)
        if (!argument.startsWith(QLatin1String("--")))
            argument = m_dir.filePath(argument);
    const tRun run = Run(QStringList { "bidir" } + arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(tst_bidircommand)
#include "tst_bidircommand.moc"
