#include "SorBuilder.h"
#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

// File time (0.1 ns) of a distance on a trace of group index 1.468.
qint32 Time(double metres)
{
    return qint32(std::llround(metres * 1.468 / 0.299792458 * 10.0));
}

// A trace with a splice of `spliceLoss` (0.001 dB) at 1 km and its
// reflective end at 2 km.
QByteArray Trace(qint16 spliceLoss)
{
    using namespace SorBuilder;
    tKeyEvents events;
    events.events = { { 1, Time(1000), 200, spliceLoss, 0, "0F9999", "LS", "" },
        { 2, Time(2000), 200, 0, -14000, "1E9999", "LS", "" } };
    std::vector<tBlock> blocks = StandardBlocks();
    blocks[3].body = KeyEventsBody(events);
    return Assemble(blocks);
}

} // namespace

// lumetrix-sor verdict as the user runs it: the line per file, the JSON
// figures, the exit codes and the refusals.
class TstLumetrixSorVerdict : public QObject
{
    Q_OBJECT

    struct tRun
    {
        int exit = -1;
        QString out, err;
    };

    tRun Run(const QStringList& arguments)
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // The user's own limit sets are read from a private store.
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        tool.setProcessEnvironment(environment);
        tool.start(QDir(TestPaths::BinDir()).filePath(QStringLiteral("lumetrix-sor")),
            QStringList { QStringLiteral("verdict") } + arguments);
        tRun run;
        if (tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit)
            run = { tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
                QString::fromUtf8(tool.readAllStandardError()) };
        return run;
    }

    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }

    QTemporaryDir m_dir;
    QString m_pass, m_fail;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_pass = Write(QStringLiteral("pass.sor"), Trace(100));
        m_fail = Write(QStringLiteral("fail.sor"), Trace(610));
        QVERIFY(!m_pass.isEmpty() && !m_fail.isEmpty());
    }

    void linesAndExitCodes()
    {
        tRun run = Run({ QStringLiteral("--list-presets") });
        QCOMPARE(run.exit, 0);
        QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts),
            QStringList({ "general-sm", "tia568-sm-inside", "tia568-sm-outside", "tia568-mm" }));

        run = Run({ m_pass, QStringLiteral("--limits"), QStringLiteral("tia568-sm-outside") });
        QCOMPARE(run.exit, 0);
        QCOMPARE(run.out, m_pass + QStringLiteral(": PASS\n"));

        run = Run({ m_pass, m_fail, QStringLiteral("--limits"), QStringLiteral("tia568-sm-outside") });
        QCOMPARE(run.exit, 3);
        QVERIFY2(run.out.endsWith(m_fail + QStringLiteral(": FAIL: event 1 loss 0.610 dB > 0.300 dB\n")),
            qPrintable(run.out));

        // A file that cannot be read is named, and outweighs a failure; "--"
        // lets a file's name start like an option.
        run = Run({ QStringLiteral("--limits"), QStringLiteral("general-sm"), m_fail, QStringLiteral("--"),
            QStringLiteral("--missing.sor") });
        QCOMPARE(run.exit, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("--missing.sor: ")), qPrintable(run.err));
        QVERIFY(run.out.contains(QStringLiteral("FAIL")));

        // A trace without stored events goes to the analysis; where that
        // finds none, the trace fails with its reason.
        std::vector<SorBuilder::tBlock> blocks = SorBuilder::StandardBlocks();
        blocks.erase(blocks.begin() + 3);
        const QString bare = Write(QStringLiteral("bare.sor"), SorBuilder::Assemble(blocks));
        run = Run({ bare, QStringLiteral("--limits"), QStringLiteral("general-sm"), QStringLiteral("--analyze") });
        QCOMPARE(run.exit, 3);
        QVERIFY2(run.out.startsWith(bare + QStringLiteral(": FAIL: ")), qPrintable(run.out));
    }

    void jsonHoldsEveryTestedValue()
    {
        const tRun run = Run({ m_fail, QStringLiteral("--limits"), QStringLiteral("tia568-sm-inside"),
            QStringLiteral("--json"), QStringLiteral("--launch"), QStringLiteral("0") });
        QCOMPARE(run.exit, 3);
        const QJsonObject object = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(object.value("verdict").toString(), QStringLiteral("FAIL"));
        QCOMPARE(object.value("limitSet").toString(), QStringLiteral("tia568-sm-inside"));
        const QJsonArray checks = object.value("checks").toArray();
        QVERIFY(!checks.isEmpty());
        const QJsonObject splice = checks.at(0).toObject();
        QCOMPARE(splice.value("event").toInt(), 1);
        QCOMPARE(splice.value("kind").toString(), QStringLiteral("nonReflectiveLoss"));
        QCOMPARE(splice.value("value").toDouble(), 0.61);
        QCOMPARE(splice.value("fail").toDouble(), 0.3);
        QCOMPARE(splice.value("state").toString(), QStringLiteral("FAIL"));
        // 2 km at 0.2 dB/km and the splice.
        const QJsonObject span = object.value("span").toObject();
        QCOMPARE(span.value("lossDb").toDouble(), 1.01);
        QVERIFY(std::abs(span.value("lengthM").toDouble() - 2000.0) < 0.02);
        QCOMPARE(span.value("splices").toInt(), 1);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString limits = m_dir.filePath(QStringLiteral("limits.json"));
        QFile file(limits);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"name\":\"mine\",\"levels\":[{\"reflectance\":{\"warn\":-30,\"fail\":-35}}]}");
        file.close();
        QTest::newRow("twice") << QStringList { "x.sor", "--limits", "general-sm", "--json", "--json" }
                               << QString("\"--json\" is given twice");
        QTest::newRow("no limits") << QStringList { "x.sor" } << QString("--limits");
        QTest::newRow("unknown set") << QStringList { "x.sor", "--limits", "nonesuch" } << QString("\"nonesuch\"");
        QTest::newRow("warning beyond fail") << QStringList { "x.sor", "--limits", limits } << QString("\"reflectance\"");
        QTest::newRow("negative cord") << QStringList { "x.sor", "--limits", "general-sm", "--launch", "-5" }
                                       << QString("\"--launch\"");
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const tRun run = Run(arguments);
        QCOMPARE(run.exit, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TstLumetrixSorVerdict)
#include "tst_lumetrixsorverdict.moc"
