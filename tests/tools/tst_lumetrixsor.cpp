#include "TestPaths.h"

#include <CFile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct tRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool Lists(const sor::CFile& file, const char* block)
{
    const auto& entries = file.BlockMap().entries;
    return std::any_of(entries.begin(), entries.end(), [block](const bc::CBlockInfo& e) { return e.sName == block; });
}

// The bytes of each block of a file by name, as its map places them.
QMap<QByteArray, QByteArray> Blocks(const QString& path)
{
    QMap<QByteArray, QByteArray> blocks;
    quint32 warnings = 0;
    const sor::CFile file(path, warnings);
    const QByteArray image = ReadAll(path);
    qint64 offset = file.BlockMap().nSize;
    for (const bc::CBlockInfo& entry : file.BlockMap().entries) {
        blocks.insert(entry.sName, image.mid(offset, entry.nSize));
        offset += entry.nSize;
    }
    return blocks;
}

} // namespace

// The lumetrix-sor tool, run as the user runs it: its exit codes, the files it
// writes and the JSON it prints, compared with what the library itself reads.
class TstLumetrixSor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void check_exitCodes_data();
    void check_exitCodes();
    void resave_isByteIdentical_data();
    void resave_isByteIdentical();
    void laterLayout_dumpMatchesIndependentReading_data();
    void laterLayout_dumpMatchesIndependentReading();
    void edit_writesEveryFileItCan();
    void checksumConventionAndCauseNamed();
    void dump_matchesDocument_data();
    void dump_matchesDocument();
    void synth();
    void report();
    void argumentRules_data();
    void argumentRules();
    void lostOutputIsAnError();
    // Analysis: the JSON keys, the thresholds' source, option errors, and
    // --write changing the events block alone.
    void analyze();

private:
    tRun Run(const QStringList& arguments) const;
    QString Sample(const QString& name) const { return QDir(TestPaths::SamplesDir()).filePath(name); }
    QString Temp(const QString& name) const { return m_dir.filePath(name); }

    QString m_tool;
    QTemporaryDir m_dir;
    // Where the tool's standard output goes; empty: read by the test.
    QString m_sStdout;
};

tRun TstLumetrixSor::Run(const QStringList& arguments) const
{
    tRun run;
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    if (!m_sStdout.isEmpty())
        process.setStandardOutputFile(m_sStdout);
    process.start(m_tool, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void TstLumetrixSor::initTestCase()
{
    m_tool = TestPaths::BinDir() + QStringLiteral("/lumetrix-sor");
    QVERIFY2(QFileInfo(m_tool).isExecutable(), qPrintable(m_tool));
    QVERIFY(m_dir.isValid());

    // Damaged copies of a good sample.
    const QByteArray good = ReadAll(Sample(QStringLiteral("1310_02km_city.sor")));
    QVERIFY(good.size() > 100);
    QByteArray wrongCrc = good;
    wrongCrc[wrongCrc.size() - 1] = char(wrongCrc.at(wrongCrc.size() - 1) ^ 0x5A);
    QVERIFY(WriteAll(Temp(QStringLiteral("ok.sor")), good));
    QVERIFY(WriteAll(Temp(QStringLiteral("crc.sor")), wrongCrc));
    QVERIFY(WriteAll(Temp(QStringLiteral("nocrc.sor")), good.left(good.size() - 2)));
    QVERIFY(WriteAll(Temp(QStringLiteral("truncated.sor")), good.left(good.size() / 2)));
}

void TstLumetrixSor::check_exitCodes_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("reports");

    const QString crcWrong = QStringLiteral("Invalid file CRC (file loaded)");
    const QString crcMissing = QStringLiteral("CRC block not present (file loaded)");
    const QString formatError = QStringLiteral("Format of loaded file is no Bellcore v1.0 format");
    QTest::newRow("good") << QStringList { "ok.sor" } << 0 << QStringList { "OK" };
    QTest::newRow("checksum byte changed") << QStringList { "crc.sor" } << 1 << QStringList { crcWrong };
    QTest::newRow("checksum cut off") << QStringList { "nocrc.sor" } << 1 << QStringList { crcMissing };
    QTest::newRow("truncated") << QStringList { "truncated.sor" } << 2 << QStringList { formatError };
    QTest::newRow("warning and error") << QStringList { "crc.sor", "truncated.sor", "ok.sor" } << 2
                                       << QStringList { crcWrong, formatError, "OK" };
}

void TstLumetrixSor::check_exitCodes()
{
    QFETCH(QStringList, files);
    QFETCH(int, exitCode);
    QFETCH(QStringList, reports);

    QStringList arguments { QStringLiteral("check") };
    for (const QString& name : files)
        arguments << Temp(name);
    const tRun run = Run(arguments);
    QCOMPARE(run.exitCode, exitCode);
    const QStringList lines = (run.out + run.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), files.size());
    for (int i = 0; i < files.size(); ++i) {
        const QString prefix = Temp(files.at(i)) + QStringLiteral(": ") + reports.at(i);
        QVERIFY2(std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(prefix); }),
            qPrintable(prefix));
    }
    if (exitCode == 2)
        QVERIFY2(run.err.contains(QStringLiteral("Error code is SOR-")), qPrintable(run.err));
}

// `check` and `dump` name the checksum convention a real file follows; a
// failure says its cause in words, beside the usual text and code.
void TstLumetrixSor::checksumConventionAndCauseNamed()
{
    const QString v2 = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
    if (v2.isEmpty())
        QSKIP("no shared v2 instrument files here");
    const QString anritsu = QDir(v2).filePath(QStringLiteral("1310_0001.sor"));
    tRun run = Run({ QStringLiteral("check"), anritsu, QDir(v2).filePath(QStringLiteral("otdr1.sor")) });
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains("1310_0001.sor: OK; format 200, checksum matches (CRC-16/XMODEM)"), qPrintable(run.out));
    QVERIFY2(run.out.contains("otdr1.sor: OK; format 200, checksum matches (zero"), qPrintable(run.out));
    run = Run({ QStringLiteral("dump"), anritsu });
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(json[QStringLiteral("checksumConvention")].toString(), QStringLiteral("xmodem"));
    QCOMPARE(json[QStringLiteral("codePage")].toString(), QStringLiteral("Windows-1251"));

    run = Run({ QStringLiteral("check"), Temp(QStringLiteral("absent.sor")) });
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("File access error - no such file"), qPrintable(run.err));
    QVERIFY(QFile::copy(Temp(QStringLiteral("ok.sor")), Temp(QStringLiteral("cjk.sor"))));
    QFile(Temp(QStringLiteral("cjk.sor"))).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    run = Run({ QStringLiteral("edit"), Temp(QStringLiteral("cjk.sor")), QStringLiteral("--comment"), QStringLiteral(u"中") });
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral(u"has no character \"中\"")), qPrintable(run.err));
}

void TstLumetrixSor::resave_isByteIdentical_data()
{
    QTest::addColumn<QString>("path");
    // The real instrument files are resaved by the library's own test.
    for (const QString& path : TestPaths::SorFiles(TestPaths::SamplesDir()))
        QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
}

void TstLumetrixSor::resave_isByteIdentical()
{
    QFETCH(QString, path);
    const QString copy = Temp(QStringLiteral("resaved.sor"));
    QFile::remove(copy);
    const tRun run = Run({ QStringLiteral("resave"), path, copy });
    QCOMPARE(run.exitCode, 0);
    const QByteArray original = ReadAll(path);
    QVERIFY(!original.isEmpty());
    QVERIFY(ReadAll(copy) == original);
}

void TstLumetrixSor::laterLayout_dumpMatchesIndependentReading_data()
{
    if (!TestPaths::AddSharedFileRows(QStringLiteral("v2")))
        QSKIP("no shared v2 instrument files here");
}

// The dump of each real later-layout file against the figures read from its
// bytes here: resolution, point count, events and the link losses.
void TstLumetrixSor::laterLayout_dumpMatchesIndependentReading()
{
    QFETCH(QString, path);
    const tRun run = Run({ QStringLiteral("dump"), path });
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    const QByteArray bytes = ReadAll(path);
    int at = 4;
    const auto take = [&](auto value) {
        at += int(sizeof value);
        return qFromLittleEndian<decltype(value)>(bytes.constData() + at - sizeof value);
    };
    QCOMPARE(json[QStringLiteral("format")].toInt(), int(take(quint16())));
    // The program holds spacing and index in single precision.
    const auto near = [](double a, double b) { return std::abs(a - b) <= 1e-6 * std::abs(b); };
    double metresPerNs = 0;
    int offset = take(qint32());
    for (const QJsonValue block : json[QStringLiteral("map")][QStringLiteral("blocks")].toArray()) {
        const QByteArray name = block[QStringLiteral("name")].toString().toLatin1();
        at = offset;
        offset += block[QStringLiteral("size")].toInt();
        if (at == offset)
            continue;
        QCOMPARE(bytes.mid(at, name.size() + 1), name + '\0'); // the map's sizes lead to every block
        at += int(name.size()) + 1;
        if (name == "FxdParams") {
            at += 4 + 2 + 2 + 4 + 4;
            const int pulses = take(qint16());
            at += 2 * pulses;
            const double nsPerPoint = take(qint32()) / 1e5;
            at += 8 * pulses - 4;
            metresPerNs = 0.299792458 / (take(qint32()) / 1e5);
            QVERIFY(
                near(json[QStringLiteral("trace")][QStringLiteral("resolution")].toDouble(), nsPerPoint * metresPerNs));
        } else if (name == "DataPts") {
            at += 6;
            QCOMPARE(json[QStringLiteral("trace")][QStringLiteral("pointCount")].toInt(), int(take(quint32())));
        } else if (name == "KeyEvents") {
            const QJsonObject keyEvents = json[QStringLiteral("keyEvents")].toObject();
            const QJsonArray events = keyEvents[QStringLiteral("events")].toArray();
            QCOMPARE(int(events.size()), int(take(qint16())));
            for (const QJsonValue event : events) {
                at += 2;
                QVERIFY(near(event[QStringLiteral("distance")].toDouble(), take(qint32()) / 10.0 * metresPerNs));
                at += 2;
                QCOMPARE(float(event[QStringLiteral("loss")].toDouble()), float(take(qint16()) / 1000.0));
                at = int(bytes.indexOf('\0', at + 4 + 8 + 20)) + 1; // past the comment
            }
            const qint32 endToEnd = take(qint32());
            QCOMPARE(keyEvents[QStringLiteral("endToEndLossRaw")].toInt(), endToEnd);
            QCOMPARE(keyEvents[QStringLiteral("endToEndLoss")].toDouble(), endToEnd / 1000.0);
            at += 8;
            const quint16 returnLoss = take(quint16());
            QCOMPARE(keyEvents[QStringLiteral("returnLossRaw")].toInt(), int(returnLoss));
            QCOMPARE(keyEvents[QStringLiteral("returnLoss")].toDouble(), returnLoss / 1000.0);
        }
    }
    QVERIFY(metresPerNs > 0);
}

// edit writes every file it can and names the one it cannot (which bytes an
// edit leaves alone is the document's test).
void TstLumetrixSor::edit_writesEveryFileItCan()
{
    const QString original = QDir(TestPaths::SharedSamplesDir(QStringLiteral("v2"))).filePath("otdr1.sor");
    if (!QFileInfo::exists(original))
        QSKIP("no shared v2 instrument files here");
    const QStringList files { Temp("edit-v2.sor"), Temp("missing.sor"), Temp("edit-v1.sor") };
    QVERIFY(WriteAll(files[0], ReadAll(original)) && WriteAll(files[2], ReadAll(Temp(QStringLiteral("ok.sor")))));
    const tRun run
        = Run(QStringList { "edit", files[0], files[1], files[2], "--comment", "Survey 7", "--condition", "RC" });
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith(files[1] + QStringLiteral(": ")));
    for (const QString& path : { files[0], files[2] }) {
        QVERIFY(run.out.contains(path + QStringLiteral(": written")));
        quint32 warnings = 0;
        const sor::CFile file(path, warnings);
        QCOMPARE(warnings, 0u);
        QCOMPARE(file.GeneralParameters().comment.Text(), QStringLiteral("Survey 7"));
        QCOMPARE(file.GeneralParameters().currentDataFlag, quint32(sor::AsRepaired));
    }
}

void TstLumetrixSor::dump_matchesDocument_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("comment");
    const QString english = QStringLiteral("Synthetic trace, seed ");
    QTest::newRow("Russian texts") << Sample(QStringLiteral("1310_08km_campus_ru.sor"))
                                   << QStringLiteral("Синтетическая трасса, затравка 12");
    QTest::newRow("no events") << Sample(QStringLiteral("1550_05km_noevents.sor")) << english + "13";
}

// The values the dump prints read back as exactly what the document holds.
void TstLumetrixSor::dump_matchesDocument()
{
    QFETCH(QString, path);
    QFETCH(QString, comment);
    const tRun run = Run({ QStringLiteral("dump"), QStringLiteral("--points"), path });
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));

    quint32 warnings = 0;
    const sor::CFile file(path, warnings);
    QCOMPARE(quint32(json[QStringLiteral("warnings")].toInt()), warnings);
    const QJsonArray blocks = json[QStringLiteral("map")][QStringLiteral("blocks")].toArray();
    QCOMPARE(size_t(blocks.size()), file.BlockMap().entries.size());
    QCOMPARE(json[QStringLiteral("general")][QStringLiteral("comment")].toString(), comment);
    QCOMPARE(file.GeneralParameters().comment.Text(), comment);
    const QJsonObject fixed = json[QStringLiteral("fixed")].toObject();
    QCOMPARE(QDateTime::fromString(fixed[QStringLiteral("dateTime")].toString(), Qt::ISODate),
        file.FixedParameters().dateTime);
    QCOMPARE(fixed[QStringLiteral("noiseFloor")].toDouble(), file.FixedParameters().noiseFloor.Value());
    QCOMPARE(json.contains(QStringLiteral("keyEvents")), Lists(file, bc::BlockName::KeyEvents));
    const QJsonArray events = json[QStringLiteral("keyEvents")][QStringLiteral("events")].toArray();
    QCOMPARE(size_t(events.size()), file.KeyEvents().size());
    for (size_t i = 0; i < file.KeyEvents().size(); ++i) {
        const QJsonObject event = events.at(qsizetype(i)).toObject();
        QCOMPARE(float(event[QStringLiteral("time")].toDouble()), file.KeyEvents()[i].time.Value());
        QCOMPARE(float(event[QStringLiteral("loss")].toDouble()), file.KeyEvents()[i].loss.Value());
    }
    const QJsonObject first = json[QStringLiteral("dataPoints")][QStringLiteral("groups")][0].toObject();
    const QJsonArray points = first[QStringLiteral("points")].toArray();
    QCOMPARE(first[QStringLiteral("count")].toInt(), file.PointCount());
    QCOMPARE(points.size(), file.PointCount());
    for (int i = 0; i < points.size(); ++i) {
        if (points.at(i).toInt() != file.Point(i))
            QFAIL(qPrintable(QStringLiteral("sample %1 differs").arg(i)));
    }
}

// The same seed makes the same file, another seed another, with what was asked for.
void TstLumetrixSor::synth()
{
    const auto synth = [&](const QString& name, int seed) {
        return Run({ "synth", Temp(name), "--wavelength", "1625", "--length-km", "70", "--pulses", "3", "--events", "9",
                       "--lang", "RU", "--seed", QString::number(seed) })
            .exitCode;
    };
    QCOMPARE(synth(QStringLiteral("a.sor"), 5), 0);
    QCOMPARE(synth(QStringLiteral("b.sor"), 5), 0);
    QCOMPARE(synth(QStringLiteral("c.sor"), 6), 0);
    const QByteArray a = ReadAll(Temp(QStringLiteral("a.sor")));
    QVERIFY(!a.isEmpty());
    QVERIFY(a == ReadAll(Temp(QStringLiteral("b.sor"))));
    QVERIFY(a != ReadAll(Temp(QStringLiteral("c.sor"))));

    quint32 warnings = 0;
    const sor::CFile file(Temp(QStringLiteral("a.sor")), warnings);
    QCOMPARE(warnings, 0u);
    QCOMPARE(QString::fromLatin1(file.Language().data(), 2), QStringLiteral("RU"));
    QCOMPARE(int(file.GeneralParameters().wavelength), 1625);
    QCOMPARE(int(file.FixedParameters().pulses.size()), 3);
    QCOMPARE(int(file.KeyEvents().size()), 9);
    // The trace runs past the fibre end, where only noise is left.
    QVERIFY(file.Length() > 70000.0);
    QVERIFY(file.Point(file.PointCount() - 1) > file.Point(int(70000.0 / file.Resolution()) / 2) + 5000);
}

// One page per file in the given order, each with its file's name, wavelength
// and event distances; a file that does not load writes nothing, and neither
// does an output that cannot be written.
void TstLumetrixSor::report()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QStringList files = TestPaths::SorFiles(TestPaths::SamplesDir());
    QCOMPARE(files.size(), 8);
    const QString pdf = Temp(QStringLiteral("report.pdf"));
    tRun run = Run(QStringList { QStringLiteral("report") } + files + QStringList { "-o", pdf, "--landscape" });
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    // Each file's pages (its first page names it; a long event table
    // continues on the pages after it) show its name, wavelength and events,
    // in the order given.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), { pdf, "-" });
    QVERIFY(text.waitForFinished(60000) && text.exitCode() == 0);
    const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
    int page = 0;
    for (int index = 0; index < files.size(); ++index) {
        const QString name = QFileInfo(files[index]).fileName();
        QVERIFY2(page < pages.size() && pages[page].contains(name), qPrintable(name));
        QString shown = pages[page++];
        while (page < pages.size() && !pages[page].trimmed().isEmpty()
            && (index + 1 == files.size() || !pages[page].contains(QFileInfo(files[index + 1]).fileName())))
            shown += pages[page++];
        quint32 warnings = 0;
        const sor::CFile file(files[index], warnings);
        QStringList expected { QString::number(double(file.FixedParameters().actualWavelength), 'g', 6) + "nm" };
        for (const sor::tKeyEvent& event : file.KeyEvents())
            expected << QString::number(double(file.TimeToDistance(event.time)) / 1000.0, 'f', 4);
        for (const QString& item : expected)
            QVERIFY2(shown.contains(item), qPrintable(QStringLiteral("%1: %2").arg(name, item)));
    }

    const QString refused = Temp(QStringLiteral("refused.pdf"));
    run = Run({ QStringLiteral("report"), files[0], Temp(QStringLiteral("truncated.sor")), "-o", refused });
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("truncated.sor")), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(refused));
    // An output that cannot be written is an error too.
    run = Run({ QStringLiteral("report"), files[0], "-o", Temp(QStringLiteral("missing/out.pdf")) });
    QCOMPARE(run.exitCode, 2);
}

// The same rules in every command: "--" ends the options, an option given
// twice is refused as such, and a single space is a value. Nothing is written
// on a refusal.
void TstLumetrixSor::argumentRules_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("comment"); // "-": not looked at
    QTest::newRow("option twice") << QStringList { "edit", "e.sor", "--comment", "A", "--comment", "B" } << 2
                                  << "\"--comment\" is given more than once" << "-";
    QTest::newRow("one space") << QStringList { "edit", "e.sor", "--comment", " " } << 0 << "" << "";
    QTest::newRow("edit after --") << QStringList { "edit", "--comment", "x", "--", "--x.sor" } << 0 << "" << "x";
    QTest::newRow("info after --") << QStringList { "info", "--", "--x.sor" } << 0 << "" << "-";
    QTest::newRow("dump after --") << QStringList { "dump", "--points", "--", "--x.sor" } << 0 << "" << "-";
    QTest::newRow("unknown option") << QStringList { "check", "--x.sor" } << 2 << "Unknown option" << "-";
    QTest::newRow("report of -d.sor") << QStringList { "report", "-d.sor", "-o", "d.pdf" } << 0 << "" << "-";
    // report never writes over a trace: an input, also through a link, or another.
    for (const char* output : { "e.sor", "./e.sor", "link.pdf", "-d.sor" })
        QTest::addRow("report to %s", output) << QStringList { "report", "e.sor", "-o", output } << 2
                                              << "nothing was written" << "-";
}

void TstLumetrixSor::argumentRules()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, comment);
    const QByteArray good = ReadAll(Temp(QStringLiteral("ok.sor")));
    for (const char* name : { "e.sor", "--x.sor", "-d.sor" })
        QVERIFY(WriteAll(Temp(QString::fromLatin1(name)), good));
    QFile::link(Temp("e.sor"), Temp("link.pdf"));
    const tRun run = Run(arguments);
    QTEST(run.exitCode, "exitCode");
    QFETCH(QString, error);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    if (comment != QLatin1String("-")) {
        quint32 warnings = 0;
        const sor::CFile file(Temp(arguments[1] == "e.sor" ? "e.sor" : "--x.sor"), warnings);
        QCOMPARE(file.GeneralParameters().comment.Text(), comment);
    }
    if (run.exitCode != 0)
        QVERIFY(ReadAll(Temp("e.sor")) == good && ReadAll(Temp("-d.sor")) == good);
}

// Output that could not be written fails the command, whatever it is.
void TstLumetrixSor::lostOutputIsAnError()
{
    m_sStdout = QStringLiteral("/dev/full");
    for (const char* arguments : { "dump ok.sor", "dump --points ok.sor", "info ok.sor", "check ok.sor", "--version" }) {
        const tRun run = Run(QString::fromLatin1(arguments).split(' '));
        QVERIFY2(run.exitCode == 2 && run.err.contains("could not be written"), arguments);
    }
    m_sStdout.clear();
}

void TstLumetrixSor::analyze()
{
    const QString path = Sample(QStringLiteral("1550_05km_noevents.sor"));
    tRun run = Run({ QStringLiteral("analyze"), QStringLiteral("--json"), path });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.count(QLatin1Char('\n')), 1);
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(json.keys(),
        QStringList({ "end_to_end_loss_db", "events", "fiber_end_m", "file", "orl_db", "pulse_ns", "thresholds" }));
    QCOMPARE(json.value("thresholds").toObject().keys(), QStringList({ "end_db", "from", "loss_db", "reflectance_db" }));
    QCOMPARE(json.value("thresholds").toObject().value("from").toString(), QStringLiteral("file"));
    const QJsonArray events = json.value("events").toArray();
    QVERIFY(!events.isEmpty());
    QCOMPARE(events.last().toObject().keys(), QStringList({ "attenuation_db_per_km", "distance_m", "loss_db", "merged",
                                                  "reflectance_db", "saturated", "type" }));
    QCOMPARE(events.last().toObject().value("type").toString(), QStringLiteral("end"));
    QVERIFY(json.value("fiber_end_m").isDouble());

    run = Run({ "analyze", "--json", "--loss-threshold", "0.2", "--", path });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8()).object().value("thresholds").toObject().value("from").toString(),
        QStringLiteral("option"));
    run = Run({ "analyze", "--json", "--json", path });
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains(QStringLiteral("\"--json\" is given twice")));

    // Written: the events are the analysis, every other block as it was
    // (the map's sizes and the checksum follow the events block).
    const QString copy = Temp(QStringLiteral("analyzed.sor"));
    QVERIFY(WriteAll(copy, ReadAll(path)));
    run = Run({ "analyze", "--write", copy, Temp(QStringLiteral("missing.sor")) });
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains(Temp(QStringLiteral("missing.sor"))));
    const QMap<QByteArray, QByteArray> before = Blocks(path);
    const QMap<QByteArray, QByteArray> after = Blocks(copy);
    QVERIFY(after.contains("KeyEvents") && !before.contains("KeyEvents"));
    for (auto it = before.begin(); it != before.end(); ++it)
        if (it.key() != "Cksum")
            QVERIFY2(after.value(it.key()) == it.value(), it.key().constData());
    quint32 warnings = 0;
    const sor::CFile written(copy, warnings);
    QCOMPARE(warnings, 0u);
    QCOMPARE(int(written.KeyEvents().size()), int(events.size()));
    QCOMPARE(written.KeyEvents().back().Code()[1], 'E');
    QVERIFY(std::abs(double(written.TimeToDistance(float(written.KeyEvents().back().time)))
                - events.last().toObject().value("distance_m").toDouble())
        < 0.1);

    // A return loss above what the field holds (32.767 dB) is written as the
    // highest it holds, not refused.
    const QString shared = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
    if (shared.isEmpty() || !QFile::exists(shared + QStringLiteral("/otdr3.sor")))
        return;
    const QString later = Temp(QStringLiteral("later.sor"));
    QVERIFY(WriteAll(later, ReadAll(shared + QStringLiteral("/otdr3.sor"))));
    run = Run({ "analyze", "--json", "--write", later });
    QCOMPARE(run.exitCode, 0);
    const double orl = QJsonDocument::fromJson(run.out.toUtf8()).object().value("orl_db").toDouble();
    QVERIFY2(orl > 32.767, qPrintable(run.out));
    run = Run({ "dump", later });
    QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8()).object().value("keyEvents").toObject().value("returnLossRaw").toInt(),
        32767);
}

QTEST_GUILESS_MAIN(TstLumetrixSor)
#include "tst_lumetrixsor.moc"
