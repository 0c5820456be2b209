#include "TestPaths.h"

#include <CFile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>

namespace {

struct tRun
{
    int exitCode = -1;
    QByteArray out;
    QString err;
};

using tTable = QList<QStringList>;

// An independent RFC 4180 reader: quoted fields may hold commas, doubled
// quotes and line breaks; records end in CR LF.
tTable ReadCsv(const QByteArray& bytes, bool* wellFormed)
{
    const QString text = QString::fromUtf8(bytes);
    tTable rows;
    QStringList row;
    QString field;
    bool quoted = false;
    *wellFormed = true;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                field += text.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            ++i;
        } else {
            *wellFormed = *wellFormed && c != QLatin1Char('"') && c != QLatin1Char('\n') && c != QLatin1Char('\r');
            field += c;
        }
    }
    *wellFormed = *wellFormed && !quoted && row.isEmpty() && field.isEmpty();
    return rows;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// lumetrix-sor export and the batch options of the many-file commands, run as
// the user runs them; the tables are read back with a reader of their own.
class TstLumetrixSorExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void events_roundTripThroughCsvReader();
    // With a limit set: the file's verdict on every row, and each event's.
    void events_verdictColumns();
    void trace_matchesDumpPoints();
    void jsonl_oneObjectPerFile();
    void batch_sameOutputForListsAndJobs_data();
    void batch_sameOutputForListsAndJobs();
    void batch_refusesBadOptions();
    void batch_interruptLeavesNoTable();

private:
    tRun Run(const QStringList& arguments, const QByteArray& input = QByteArray()) const;

    QString m_tool;
    QTemporaryDir m_dir;
    QStringList m_files;
    QString m_commented;
};

tRun TstLumetrixSorExport::Run(const QStringList& arguments, const QByteArray& input) const
{
    tRun run;
    QProcess process;
    process.start(m_tool, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void TstLumetrixSorExport::initTestCase()
{
    m_tool = TestPaths::BinDir() + QStringLiteral("/lumetrix-sor");
    QVERIFY(m_dir.isValid());
    m_files = TestPaths::SorFiles(TestPaths::SharedSamplesDir(QStringLiteral("v1")))
        + TestPaths::SorFiles(TestPaths::SharedSamplesDir(QStringLiteral("v2")))
        + TestPaths::SorFiles(TestPaths::SamplesDir());
    QVERIFY(m_files.size() >= 8);

    // A copy whose events carry comments a CSV must quote.
    quint32 warnings = 0;
    sor::CFile file(QDir(TestPaths::SamplesDir()).filePath(QStringLiteral("1310_02km_city.sor")), warnings);
    std::deque<sor::tKeyEvent> events = file.KeyEvents();
    QVERIFY(events.size() >= 2);
    events[0].comment = QStringLiteral("splice, \"tray 4\"\nnorth");
    events[1].comment = QStringLiteral("\"");
    file.SetKeyEvents(events);
    m_commented = m_dir.filePath(QStringLiteral("commented.sor"));
    file.SaveCopy(m_commented);
    m_files << m_commented;
}

// Every stored event of every file, in input order and distance order, with
// the library's own values: distances exact, empty cells where the file has no value.
void TstLumetrixSorExport::events_roundTripThroughCsvReader()
{
    const QString csv = m_dir.filePath(QStringLiteral("events.csv"));
    const tRun run = Run(QStringList { QStringLiteral("export"), QStringLiteral("--events"), csv } + m_files);
    QCOMPARE(run.exitCode, 0);
    bool wellFormed = false;
    const tTable rows = ReadCsv(ReadAll(csv), &wellFormed);
    QVERIFY(wellFormed);
    QVERIFY(!rows.isEmpty());
    const QStringList header = rows.front();
    QCOMPARE(header.size(), 12);
    int at = 1;
    for (const QString& path : m_files) {
        quint32 warnings = 0;
        const sor::CFile file(path, warnings);
        std::vector<sor::tKeyEvent> events(file.KeyEvents().begin(), file.KeyEvents().end());
        std::stable_sort(events.begin(), events.end(),
            [](const sor::tKeyEvent& a, const sor::tKeyEvent& b) { return a.time.Value() < b.time.Value(); });
        for (const sor::tKeyEvent& event : events) {
            QVERIFY2(at < rows.size(), qPrintable(path));
            const QStringList& row = rows.at(at++);
            QCOMPARE(row.size(), header.size());
            QCOMPARE(row[0], path);
            QCOMPARE(row[4].toUInt(), event.number.Value());
            QCOMPARE(row[5].toFloat(), file.TimeToDistance(event.time.Value()));
            QCOMPARE(row[8].toFloat(), event.loss.Value());
            const bool reflective
                = event.codeType == sor::tKeyEvent::Reflective || event.codeType == sor::tKeyEvent::Saturated;
            QCOMPARE(row[9].isEmpty(), !reflective || event.reflectance.Value() == 0.0f);
            if (!row[9].isEmpty())
                QCOMPARE(row[9].toFloat(), event.reflectance.Value());
            QCOMPARE(row[10].isEmpty(), event.attenuation.Value() == 0.0f);
            QCOMPARE(row[11], event.comment.Text());
        }
    }
    QCOMPARE(at, rows.size());
    QVERIFY(std::any_of(rows.begin(), rows.end(), [](const QStringList& row) { return row.last().contains('\n'); }));
}

void TstLumetrixSorExport::events_verdictColumns()
{
    const QStringList limits { QStringLiteral("--limits"), QStringLiteral("general-sm") };
    const tRun run = Run(QStringList { QStringLiteral("export"), QStringLiteral("--events"), QStringLiteral("-") }
        + limits + m_files);
    QCOMPARE(run.exitCode, 0);
    bool wellFormed = false;
    const tTable rows = ReadCsv(run.out, &wellFormed);
    QVERIFY(wellFormed && rows.size() > 1);
    QCOMPARE(rows.front().mid(12), QStringList({ "limit_set", "file_verdict", "event_verdict" }));
    for (const QString& path : m_files) {
        // "FAIL: event 3 loss ..." names the event that failed first, by its
        // place in the list.
        const QString line = QString::fromUtf8(Run(QStringList { QStringLiteral("verdict"), path } + limits).out);
        const QString state = line.section(QStringLiteral(": "), 1, 1).left(4);
        const QString failed = line.section(QStringLiteral("event "), 1).section(QLatin1Char(' '), 0, 0);
        int listed = 0;
        for (const QStringList& row : rows) {
            if (row.front() != path)
                continue;
            ++listed;
            QCOMPARE(row.mid(12, 2), QStringList({ "general-sm", state }));
            if (QString::number(listed) == failed && state == QLatin1String("FAIL"))
                QCOMPARE(row.at(14), state);
        }
        QVERIFY2(listed > 0 || line.contains(QLatin1String("no events")), qPrintable(line));
    }
    QCOMPARE(Run(QStringList { QStringLiteral("export"), QStringLiteral("--jsonl"), QStringLiteral("-") } + limits
                 + m_files)
                 .exitCode,
        2);
}

// Distances and levels of every sample of every pulse against dump --points
// (a bundled file, and a real one whose samples carry a scale factor).
void TstLumetrixSorExport::trace_matchesDumpPoints()
{
    QStringList paths { QDir(TestPaths::SamplesDir()).filePath(QStringLiteral("1550_25km_metro_3pulses.sor")) };
    const QString scaled = QDir(TestPaths::SharedSamplesDir(QStringLiteral("v2"))).filePath(QStringLiteral("2.sor"));
    if (QFileInfo::exists(scaled))
        paths << scaled;
    const QString dir = m_dir.filePath(QStringLiteral("traces"));
    QCOMPARE(Run(QStringList { QStringLiteral("export"), QStringLiteral("--trace"), dir } + paths).exitCode, 0);
    for (const QString& path : paths) {
        const tRun dump = Run({ QStringLiteral("dump"), QStringLiteral("--points"), path });
        QCOMPARE(dump.exitCode, 0);
        const QJsonObject json = QJsonDocument::fromJson(dump.out).object();
        const QJsonArray groups = json[QStringLiteral("dataPoints")][QStringLiteral("groups")].toArray();
        const double resolution = json[QStringLiteral("trace")][QStringLiteral("resolution")].toDouble();
        for (int pulse = 0; pulse < groups.size(); ++pulse) {
            const QString base = QFileInfo(path).completeBaseName();
            const QString name = pulse == 0 ? base + QStringLiteral(".csv") : base + QStringLiteral(".pulse%1.csv").arg(pulse + 1);
            bool wellFormed = false;
            const tTable rows = ReadCsv(ReadAll(QDir(dir).filePath(name)), &wellFormed);
            QVERIFY2(wellFormed, qPrintable(name));
            const QJsonArray points = groups[pulse][QStringLiteral("points")].toArray();
            QCOMPARE(rows.size(), points.size() + 1);
            QCOMPARE(rows.front(), (QStringList { "distance_m", "level_db" }));
            for (int i = 0; i < points.size(); ++i) {
                QCOMPARE(qRound(rows[i + 1][1].toDouble() * -1000.0), points[i].toInt());
                if (pulse == 0)
                    QCOMPARE(rows[i + 1][0].toDouble(), i * resolution);
            }
        }
    }
}

void TstLumetrixSorExport::jsonl_oneObjectPerFile()
{
    const tRun run = Run(QStringList { QStringLiteral("export"), QStringLiteral("--jsonl"), QStringLiteral("-") } + m_files);
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.size(), m_files.size());
    for (int i = 0; i < lines.size(); ++i) {
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(lines[i], &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object[QStringLiteral("file")].toString(), m_files[i]);
        quint32 warnings = 0;
        const sor::CFile file(m_files[i], warnings);
        const QJsonArray events = object[QStringLiteral("events")].toArray();
        QCOMPARE(size_t(events.size()), file.KeyEvents().size());
        for (const QJsonValue event : events) {
            for (const char* key : { "distance_m", "type", "loss_db", "reflectance_db", "saturated", "merged",
                     "attenuation_db_per_km" })
                QVERIFY2(event.toObject().contains(QLatin1String(key)), key);
        }
        const qint32 endToEnd = file.KeyEventsBlock().endToEndLoss.Value();
        QCOMPARE(object[QStringLiteral("end_to_end_loss_db")].isNull(), endToEnd == 0);
        if (endToEnd != 0)
            QCOMPARE(object[QStringLiteral("end_to_end_loss_db")].toDouble(), endToEnd / 1000.0);
    }
}

void TstLumetrixSorExport::batch_sameOutputForListsAndJobs_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::newRow("info") << QStringList { "info" };
    QTest::newRow("check") << QStringList { "check" };
    QTest::newRow("export jsonl") << QStringList { "export", "--jsonl", "-" };
    QTest::newRow("export events") << QStringList { "export", "--events", "-" };
    QTest::newRow("analyze json") << QStringList { "analyze", "--json" };
    QTest::newRow("verdict json") << QStringList { "verdict", "--limits", "general-sm", "--analyze", "--json" };
}

// The same files named, listed on standard input, and run on one or two
// threads give the same output; a missing file is named and the rest go on.
void TstLumetrixSorExport::batch_sameOutputForListsAndJobs()
{
    QFETCH(QStringList, command);
    QStringList files = m_files;
    const QString missing = m_dir.filePath(QStringLiteral("missing.sor"));
    files.insert(3, missing);
    const tRun named = Run(command + QStringList { "-j", "1" } + files);
    const tRun listed = Run(command + QStringList { "--files-from", "-", "-j2" }, files.join('\n').toUtf8() + '\n');
    QCOMPARE(named.exitCode, 2);
    QCOMPARE(listed.exitCode, named.exitCode);
    QVERIFY(!named.out.isEmpty());
    QCOMPARE(listed.out, named.out);
    QCOMPARE(listed.err, named.err);
    QVERIFY(named.err.startsWith(missing + QStringLiteral(": ")));
    QCOMPARE(named.err.count('\n'), 1);
}

void TstLumetrixSorExport::batch_refusesBadOptions()
{
    const QString file = m_files.front();
    for (const QStringList& arguments : { QStringList { "info", "-j", "1", "-j", "2", file },
             QStringList { "check", "-j", "0", file }, QStringList { "export", file },
             QStringList { "export", "--events", "a.csv", "--events", "b.csv", file },
             QStringList { "info", "--files-from", m_dir.filePath(QStringLiteral("nolist.txt")) } }) {
        const tRun run = Run(arguments);
        QVERIFY2(run.exitCode == 2 && !run.err.isEmpty() && run.out.isEmpty(), qPrintable(arguments.join(' ')));
    }
}

// Ctrl+C ends a long run with exit code 3 and leaves no table behind.
void TstLumetrixSorExport::batch_interruptLeavesNoTable()
{
    const QString csv = m_dir.filePath(QStringLiteral("interrupted.csv"));
    QByteArray list;
    for (int i = 0; i < 20000; ++i)
        list += m_files.at(i % m_files.size()).toUtf8() + '\n';
    QProcess process;
    process.start(m_tool, { "export", "--files-from", "-", "-j", "2", "--events", csv, "--jsonl", "-" });
    process.write(list);
    process.closeWriteChannel();
    QVERIFY(process.waitForReadyRead(60000));
    ::kill(pid_t(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 3);
    QVERIFY(!QFile::exists(csv));
    QVERIFY(QDir(m_dir.path()).entryList({ QStringLiteral("interrupted.csv*") }, QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_GUILESS_MAIN(TstLumetrixSorExport)
#include "tst_lumetrixsorexport.moc"
