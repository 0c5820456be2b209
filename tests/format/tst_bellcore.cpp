#include "CBellcore.h"
#include "CFileStream.h"
#include "ErrorKind.h"
#include "Exception.h"
#include "SorBuilder.h"
#include "TestPaths.h"

#include <StrValue.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include <functional>

using namespace SorBuilder;

using Edit = std::function<void(bc::CBellcore&)>;
Q_DECLARE_METATYPE(Edit)

namespace {
// A file image loaded, edited and saved again through one stream.
struct tResaved
{
    QString loadError;
    quint32 warnings = 0;
    QString saveError;
    QByteArray saved;
};

tResaved Resave(const QByteArray& file, const Edit& edit = {})
{
    tResaved result;
    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    result.loadError = ErrorOf([&] { result.warnings = stream.LoadFromData(sor, file); });
    if (result.loadError != "none")
        return result;
    if (edit)
        edit(sor);
    result.saveError = ErrorOf([&] { result.saved = stream.SaveToData(sor); });
    return result;
}

// The standard blocks with one body replaced.
QByteArray WithBody(const char* name, const QByteArray& body, tChecksum checksum = CorrectChecksum)
{
    std::vector<tBlock> blocks = StandardBlocks();
    for (tBlock& block : blocks) {
        if (block.name == name)
            block.body = body;
    }
    return Assemble(blocks, checksum);
}

// The standard blocks with one block's fields changed.
template<typename T>
QByteArray With(const char* name, QByteArray (*body)(const T&), const std::function<void(T&)>& change)
{
    T fields;
    change(fields);
    return WithBody(name, body(fields));
}

QByteArray General(const std::function<void(tGeneral&)>& c)
{
    return With("GenParams", GeneralBody, c);
}
QByteArray Fixed(const std::function<void(tFixed&)>& c)
{
    return With("FxdParams", FixedBody, c);
}
QByteArray Events(const std::function<void(tKeyEvents&)>& c)
{
    return With("KeyEvents", KeyEventsBody, c);
}
QByteArray Points(const std::function<void(tDataPoints&)>& c)
{
    return With("DataPts", DataPointsBody, c);
}

tGeneral Repaired()
{
    tGeneral general;
    general.condition = "RC";
    return general;
}

tFixed ThreePulses()
{
    tFixed fixed;
    fixed.timeStamp = 0;
    fixed.pulses = { { 10, 500000, 16000 }, { 100, 1000000, 8000 }, { 1000, 2000000, 4000 } };
    fixed.groupIndex = 146800;
    fixed.unit = "mt";
    return fixed;
}

tKeyEvents OneEvent()
{
    tKeyEvents events;
    events.events = { { 1, 123456, 210, -150, -45000, "1F9999", "2P", "splice" } };
    events.returnLoss = 32767;
    return events;
}

QByteArray PatchU32(QByteArray file, int offset, quint32 value)
{
    file.replace(offset, 4, ByteWriter().U32(value).Bytes());
    return file;
}

// A second sample group with the given factor (the first keeps factor 1).
QByteArray Scaled(qint16 factor, const std::vector<quint16>& samples)
{
    return Points([&](tDataPoints& d) { d.groups = { tGroup(), { samples, factor, {} } }; });
}

// Checks the scaled samples as held, then edits one.
Edit EditSample(const std::vector<quint16>& held, size_t index, quint16 value)
{
    return [=](bc::CBellcore& s) {
        QCOMPARE(s.dataPoints.groups[1].points, held);
        s.dataPoints.groups[1].points[index] = value;
    };
}
// An object whose Serialize is whatever the test needs.
class CProbe : public bc::IStream
{
public:
    explicit CProbe(std::function<void(bc::CFileStream&)> body) : m_body(std::move(body)) { }
    void Serialize(bc::CFileStream& stream) override { m_body(stream); }

private:
    std::function<void(bc::CFileStream&)> m_body;
};

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QString LocaleDecoded(const QByteArray& bytes)
{
    QStringDecoder decoder(bc::CFileStream::LocaleCodecName().constData());
    return decoder.decode(bytes);
}

} // namespace

class TstBellcore : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("file");

        QTest::newRow("events out of order") << Events([](tKeyEvents& k) {
            k.events
                = { { 1, 50000, 200, 50, -45000, "1F9999", "2P", "far" }, { 2, 1000, 0, -150, 0, "2M1234", "LS", "" } };
        });
        // The ends of the signed and unsigned field types survive the scaling.
        QTest::newRow("extremes") << [] {
            tFixed f;
            f.timeStamp = 0xFFFFFFFFu;
            f.pulses[0] = { 32767, 2147483647, 0xFFFFFFFFu };
            f.noiseFloorLevel = 0;
            f.lossThreshold = 65535;
            tKeyEvents k;
            k.events = { { 32767, 2147483647, -32768, 32767, -2147483647 - 1, "2O0000", "LS", "" },
                { 1, 0, 32767, -32768, 2147483647, "0A9999", "2P", "" } };
            tDataPoints d;
            d.groups = { { { 1, 65535 }, 32767, {} }, { { 2, 0 }, -32768, {} } };
            return Assemble({ { "FxdParams", 100, FixedBody(f), {} }, { "KeyEvents", 100, KeyEventsBody(k), {} },
                { "DataPts", 100, DataPointsBody(d), {} } });
        }();
        QTest::newRow("unusual order and revisions")
            << Assemble({ { "DataPts", 210, DataPointsBody(), {} }, { "FxdParams", 1, FixedBody(), {} },
                            { "GenParams", 0xFFFF, GeneralBody(), {} } },
                   CorrectChecksum, 1);
        QTest::newRow("only a map and checksum") << Assemble({});
        // Unknown blocks keep their bytes and their place, an empty one too.
        std::vector<tBlock> unknown = StandardBlocks();
        unknown.insert(unknown.begin() + 1, { "LnkParams", 7, QByteArray("\x01\x02\x00\x03zz", 6), {} });
        unknown.insert(unknown.begin() + 3, { "Vendor", 3, QByteArray(), {} });
        unknown.push_back({ "Trailer", 200, QByteArray(300, '\x7F'), {} });
        QTest::newRow("unknown blocks") << Assemble(unknown);
        // A repeated known block keeps both copies, each with its own bytes.
        std::vector<tBlock> twice = StandardBlocks();
        tGeneral second;
        second.cableId = "SECOND";
        twice.insert(twice.begin() + 1, { "GenParams", 100, GeneralBody(second), {} });
        QTest::newRow("a known block twice") << Assemble(twice);
    }

    void roundTrip()
    {
        QFETCH(QByteArray, file);
        // Through a real file, loaded and saved by the same stream.
        const QString path = m_dir.filePath(QStringLiteral("roundtrip.sor"));
        WriteFile(path, file);
        bc::CBellcore sor;
        bc::CFileStream stream(path);
        QCOMPARE(stream.Load(sor), 0u);
        stream.Save(sor);
        QCOMPARE(ReadFile(path), file);
    }

    void checksum_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<quint32>("warnings");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<quint32>("savedWarnings");

        const quint32 missingBit = bc::WarningChecksumMissing;
        const QByteArray correct = StandardFile();
        const QByteArray missing = Assemble(StandardBlocks(), NoChecksum);
        QTest::newRow("correct") << correct << 0u << correct << 0u;
        QTest::newRow("wrong value") << Assemble(StandardBlocks(), WrongChecksum) << quint32(bc::WarningChecksumWrong)
                                     << correct << 0u;
        QTest::newRow("last byte missing") << correct.left(correct.size() - 1) << missingBit << correct << 0u;
        // The value covers the bytes before it also where other blocks follow it.
        std::vector<tBlock> inner = StandardBlocks();
        inner.push_back({ "Cksum", 100, QByteArray(2, '\0'), {} });
        inner.push_back({ "Vendor", 100, "xyz", {} });
        const QByteArray zeroed = Assemble(inner, NoChecksum);
        const int at = int(zeroed.size()) - 5;
        // (A value of zero is one some makers store: a wrong one is taken.)
        QTest::newRow("checksum before another block")
            << zeroed.left(at) + ByteWriter().U16(0x1234).Bytes() + "xyz" << quint32(bc::WarningChecksumWrong)
            << zeroed.left(at) + ByteWriter().U16(Crc16(zeroed.left(at))).Bytes() + "xyz" << 0u;
        // An unreadable block of size 0 is written afresh.
        std::vector<tBlock> empty = StandardBlocks();
        empty.push_back({ "Cksum", 100, QByteArray(), {} });
        QTest::newRow("checksum of size 0") << Assemble(empty, NoChecksum) << missingBit << correct << 0u;
        // Saving does not add a block the file did not list.
        QTest::newRow("no checksum in the map") << missing << missingBit << missing << missingBit;
    }

    void checksum()
    {
        QFETCH(QByteArray, file);
        const tResaved result = Resave(file);
        QCOMPARE(result.loadError, "none");
        QTEST(result.warnings, "warnings");
        QCOMPARE(result.saveError, "none");
        QTEST(result.saved, "saved");
        QTEST(Resave(result.saved).warnings, "savedWarnings");
    }

    void refusedOnLoad_data()
    {
        QTest::addColumn<QByteArray>("file");

        // A block size in the map that differs from what its fields take.
        for (const tBlock& block : StandardBlocks()) {
            std::vector<tBlock> longer = StandardBlocks();
            std::vector<tBlock> shorter = StandardBlocks();
            for (size_t i = 0; i < longer.size(); ++i) {
                if (longer[i].name != block.name)
                    continue;
                // One byte more than the fields take, and counted in the map.
                longer[i].body.append('\0');
                shorter[i].declaredSize = quint32(shorter[i].body.size() - 1);
            }
            QTest::addRow("%s with an extra byte", block.name.constData()) << Assemble(longer);
            QTest::addRow("%s declared one byte short", block.name.constData()) << Assemble(shorter);
        }
        const QByteArray standard = StandardFile();
        const quint32 mapSize = quint32(standard[2]) | quint32(quint8(standard[3])) << 8;
        QTest::newRow("map declared one byte long") << PatchU32(standard, 2, mapSize + 1);
        QTest::newRow("map declared one byte short") << PatchU32(standard, 2, mapSize - 1);

        QTest::newRow("condition XX") << General([](tGeneral& g) { g.condition = "XX"; });
        QTest::newRow("wavelength 0") << General([](tGeneral& g) { g.wavelength = 0; });
        QTest::newRow("cable id of 101 characters") << General([](tGeneral& g) { g.cableId = QByteArray(101, 'c'); });
        QTest::newRow("no pulse widths") << Fixed([](tFixed& f) {
            f.pulses.clear();
            f.pulseCount = 0;
        });
        QTest::newRow("backscatter above 0 dB") << Fixed([](tFixed& f) { f.backscatter = -5; });
        QTest::newRow("no events") << Events([](tKeyEvents& k) {
            k.events.clear();
            k.eventCount = 0;
        });
        QTest::newRow("event count past the block") << Events([](tKeyEvents& k) { k.eventCount = 32767; });
        QTest::newRow("technique XX") << Events([](tKeyEvents& k) { k.events[0].technique = "XX"; });
        QTest::newRow("no data groups") << Points([](tDataPoints& d) {
            d.groups.clear();
            d.groupCount = 0;
        });
        QTest::newRow("scale factor 0") << Points([](tDataPoints& d) { d.groups[0].factor = 0; });
        QTest::newRow("huge sample count") << Points([](tDataPoints& d) { d.groups[0].count = 0x7FFFFFFFu; });

        std::vector<tBlock> huge = StandardBlocks();
        huge.insert(huge.begin() + 2, { "Vendor", 100, QByteArray("abc"), 0xFFFFFFF0u });
        QTest::newRow("huge user block") << Assemble(huge);

        std::vector<tBlock> unterminated = StandardBlocks();
        unterminated[1].body.chop(1);
        QTest::newRow("string runs past its block") << Assemble(unterminated);

        std::vector<tBlock> unnamed = StandardBlocks();
        unnamed[1].name.clear();
        QTest::newRow("empty block name") << Assemble(unnamed);

        QByteArray countZero = StandardFile();
        countZero.replace(6, 2, ByteWriter().I16(0).Bytes());
        QTest::newRow("map count 0") << countZero;

        QTest::newRow("file ends inside the data") << Assemble(StandardBlocks(), NoChecksum).chopped(3);
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("later layout") << QByteArray("Map\0", 4) + StandardFile();
    }

    void refusedOnLoad()
    {
        QFETCH(QByteArray, file);
        QCOMPARE(Resave(file).loadError, "format");
    }

    void refusedOnSave_data()
    {
        QTest::addColumn<Edit>("edit");

        QTest::newRow("wavelength 0") << Edit([](bc::CBellcore& s) { s.general.wavelength = 0.0f; });
        QTest::newRow("condition index 4") << Edit([](bc::CBellcore& s) { s.general.currentDataFlag = 4; });
        QTest::newRow("noise floor above 0 dB") << Edit([](bc::CBellcore& s) { s.fixed.params.noiseFloor = 1.0; });
        QTest::newRow("no pulses") << Edit([](bc::CBellcore& s) { s.fixed.params.pulses.clear(); });
        QTest::newRow("time stamp before 1970") << Edit(
            [](bc::CBellcore& s) { s.fixed.params.dateTime = QDateTime(QDate(1969, 12, 31), QTime(23, 59), Qt::UTC); });
        QTest::newRow("events emptied but listed") << Edit([](bc::CBellcore& s) { s.keyEvents.events.clear(); });
        QTest::newRow("no data groups") << Edit([](bc::CBellcore& s) { s.dataPoints.groups.clear(); });
        QTest::newRow("empty block name") << Edit([](bc::CBellcore& s) { s.map.entries[1].sName.clear(); });

        // The next float above a typed maximum must not wrap in the file type.
        using Time = decltype(sor::tKeyEvent::time);
        using Range = decltype(sor::tFixedParameters::acquisitionRange);
        QTest::newRow("event time above its maximum")
            << Edit([](bc::CBellcore& s) { s.keyEvents.events[0].time = std::nextafter(Time::Max(), INFINITY); });
        QTest::newRow("acquisition range above its maximum")
            << Edit([](bc::CBellcore& s) { s.fixed.params.acquisitionRange = std::nextafter(Range::Max(), INFINITY); });
        // Substitute bytes would change the text.
        QTest::newRow("comment the codepage cannot hold")
            << Edit([](bc::CBellcore& s) { s.general.comment = QString::fromUtf8("Муфта é"); });
    }

    void refusedOnSave()
    {
        QFETCH(Edit, edit);
        const tResaved result = Resave(StandardFile(), edit);
        QCOMPARE(result.loadError, "none");
        QCOMPARE(result.saveError, "internal");
    }

    // Scaled and coded fields as read; how they are written is in edits().
    void fieldsRead()
    {
        std::vector<tBlock> blocks = StandardBlocks();
        blocks[0].body = GeneralBody(Repaired());
        blocks[2].body = FixedBody(ThreePulses());
        blocks[3].body = KeyEventsBody(OneEvent());
        bc::CBellcore sor;
        bc::CFileStream stream(QStringLiteral("unused.sor"));
        QCOMPARE(stream.LoadFromData(sor, Assemble(blocks)), 0u);
        QCOMPARE(sor.general.currentDataFlag, quint32(sor::AsRepaired));

        const sor::tFixedParameters& p = sor.fixed.params;
        QCOMPARE(p.dateTime, QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC));
        QCOMPARE(p.dateTime.timeSpec(), Qt::UTC);
        QCOMPARE(p.distanceUnit, quint32(sor::Metres));
        QCOMPARE(p.pulses.size(), size_t(3));
        QCOMPARE(float(p.pulseWidth), 10.0f);

        QCOMPARE(sor.keyEvents.events.size(), size_t(1));
        const sor::tKeyEvent& e = sor.keyEvents.events.front();
        QCOMPARE(e.codeType, 1u);
        QCOMPARE(e.codeOrigin, 3u);
        QCOMPARE(QByteArray(e.codeRest.data(), 4), QByteArray("9999"));
        QCOMPARE(e.technique, quint32(sor::tKeyEvent::TwoPoint));
        QCOMPARE(float(e.time), 12345.6f);
        QCOMPARE(qint16(sor.keyEvents.returnLoss), qint16(32767));
    }

    void edits_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QByteArray>("saved");

        // Codes are written from the index, not copied from the file.
        QTest::newRow("general") << StandardFile() << Edit([](bc::CBellcore& s) {
            s.general.currentDataFlag = sor::AsRepaired;
            s.general.wavelength = 1310.0f;
            s.general.userOffset = 12.5f;
        }) << General([](tGeneral& g) {
            g = Repaired();
            g.wavelength = 1310;
            g.userOffset = 125;
        });
        std::vector<tBlock> longest = StandardBlocks();
        tGeneral general;
        general.cableId = QByteArray(100, 'c');
        tSupplier supplier;
        supplier.supplierName = QByteArray(31, 'n');
        longest[0].body = GeneralBody(general);
        longest[1].body = SupplierBody(supplier);
        QTest::newRow("longest texts") << StandardFile() << Edit([](bc::CBellcore& s) {
            s.supplier.supplierName = QString(31, QLatin1Char('n'));
            s.general.cableId = QString(100, QLatin1Char('c'));
        }) << Assemble(longest);
        // Pulse width and spacing edits reach the first entry; a typed maximum fits the file.
        tFixed fixed = ThreePulses();
        const QByteArray pulses = WithBody("FxdParams", FixedBody(fixed));
        fixed.timeStamp = 1577836800;
        fixed.pulses[0].width = 30;
        fixed.pulses[0].spacing = 250000;
        fixed.groupIndex = 146820;
        fixed.acquisitionRange = 2147483520;
        fixed.unit = "mi";
        QTest::newRow("fixed") << pulses << Edit([](bc::CBellcore& s) {
            s.fixed.params.pulseWidth = 30.0f;
            s.fixed.params.dataSpacing = 2.5f;
            s.fixed.params.distanceUnit = sor::Miles;
            s.fixed.params.dateTime = QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
            s.fixed.params.groupIndex = 1.4682f;
            s.fixed.params.acquisitionRange = decltype(sor::tFixedParameters::acquisitionRange)::Max();
        }) << WithBody("FxdParams", FixedBody(fixed));
        QTest::newRow("event") << Events([](tKeyEvents& k) { k = OneEvent(); }) << Edit([](bc::CBellcore& s) {
            sor::tKeyEvent& changed = s.keyEvents.events.front();
            changed.loss = -0.2f;
            changed.codeType = 2;
            changed.codeOrigin = 4;
            changed.technique = sor::tKeyEvent::LeastSquares;
            changed.comment = QStringLiteral("repaired");
        }) << Events([](tKeyEvents& k) {
            k = OneEvent();
            k.events[0].loss = -200;
            k.events[0].code = "2O9999";
            k.events[0].technique = "LS";
            k.events[0].comment = "repaired";
        });
        QTest::newRow("factor 2") << Scaled(2000, { 30000, 40000, 0 }) << EditSample({ 60000, 65535, 0 }, 0, 60002)
                                  << Scaled(2000, { 30001, 40000, 0 });
        QTest::newRow("factor 2, edited to the maximum")
            << Scaled(2000, { 30000, 40000, 0 }) << EditSample({ 60000, 65535, 0 }, 2, 65535)
            << Scaled(2000, { 30000, 40000, 32768 });
        QTest::newRow("factor 0.5") << Scaled(500, { 3, 1, 65535 }) << EditSample({ 2, 1, 32768 }, 0, 10)
                                    << Scaled(500, { 20, 1, 65535 });
        // The total point count is kept as read, not recounted.
        QTest::newRow("total points") << Points([](tDataPoints& d) { d.totalPoints = 12345; })
                                      << Edit([](bc::CBellcore& s) { s.dataPoints.groups[0].points.push_back(2000); })
                                      << Points([](tDataPoints& d) {
                                             d.totalPoints = 12345;
                                             d.groups[0].samples.push_back(2000);
                                         });
    }

    void edits()
    {
        QFETCH(QByteArray, file);
        QFETCH(Edit, edit);
        const tResaved result = Resave(file, edit);
        QCOMPARE(result.loadError, "none");
        QCOMPARE(result.saveError, "none");
        QTEST(result.saved, "saved");
    }

    void noiseFloor_data()
    {
        QTest::addColumn<quint16>("level");
        QTest::addColumn<qint16>("scale");
        QTest::addColumn<double>("floor");
        QTest::addColumn<double>("edited");
        QTest::addColumn<quint16>("savedLevel");
        QTest::addColumn<qint16>("savedScale");

        QTest::newRow("scale 0 counts as 1")
            << quint16(65535) << qint16(0) << -65.535 << -10.0 << quint16(10000) << qint16(0);
        // Most instruments write the factor in thousandths.
        QTest::newRow("thousandths") << quint16(52058) << qint16(1000) << -52.058 << -40.0 << quint16(40000)
                                     << qint16(1000);
        // A floor deeper than the level can hold takes the smallest factor that fits.
        QTest::newRow("thousandths, deeper than one level")
            << quint16(30000) << qint16(1000) << -30.0 << -80.0 << quint16(65520) << qint16(1221);
    }

    void noiseFloor()
    {
        QFETCH(quint16, level);
        QFETCH(qint16, scale);
        QFETCH(double, edited);
        QFETCH(quint16, savedLevel);
        QFETCH(qint16, savedScale);

        const QByteArray file = Fixed([&](tFixed& f) {
            f.noiseFloorLevel = level;
            f.noiseFloorScale = scale;
        });
        bc::CBellcore sor;
        bc::CFileStream stream(QStringLiteral("unused.sor"));
        QCOMPARE(stream.LoadFromData(sor, file), 0u);
        QTEST(double(sor.fixed.params.noiseFloor), "floor");
        QCOMPARE(sor.fixed.params.noiseFloorScale, scale);
        QCOMPARE(stream.SaveToData(sor), file);

        sor.fixed.params.noiseFloor = edited;
        QCOMPARE(stream.SaveToData(sor), Fixed([&](tFixed& f) {
            f.noiseFloorLevel = savedLevel;
            f.noiseFloorScale = savedScale;
        }));
    }

    void updateEventsInsertsBlock()
    {
        std::vector<tBlock> blocks = StandardBlocks();
        blocks.erase(blocks.begin() + 3);
        blocks.push_back({ "Trailer", 5, QByteArray("tail"), {} });
        bc::CBellcore sor;
        bc::CFileStream stream(QStringLiteral("unused.sor"));
        QCOMPARE(stream.LoadFromData(sor, Assemble(blocks)), 0u);

        sor::tKeyEvent event;
        event.time = 100.0f;
        sor.keyEvents.events.push_back(event);
        sor.UpdateEventsBlock();

        // A fresh record (0A9999, LS, 1 dB/km); the never-read link fields are zero.
        tKeyEvents expected;
        expected.events = { { 1, 1000, 1000, 0, 0, "0A9999", "LS", "" } };
        expected.endToEndLoss = expected.endToEndEnd = expected.returnLossEnd = 0;
        expected.returnLoss = 0;
        blocks.insert(blocks.begin() + 3, { "KeyEvents", 1, KeyEventsBody(expected), {} });
        QCOMPARE(stream.SaveToData(sor), Assemble(blocks));
    }

    void sharedSamplesLoadAndResave_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArrayList>("replace"); // pairs of byte strings put in place of each other
        const QString v2 = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
        if (v2.isEmpty())
            QSKIP("no shared instrument files here");
        for (const QString layout : { "v1", "v2" }) {
            for (const QString& path : TestPaths::SorFiles(TestPaths::SharedSamplesDir(layout)))
                QTest::newRow(qPrintable(layout + QLatin1Char('/') + QFileInfo(path).fileName()))
                    << path << QByteArrayList();
        }
        QTest::newRow("v2 codes outside the 1.0 tables")
            << QDir(v2).filePath(QStringLiteral("otdr2.sor")) << QByteArrayList { "0M9999LS", "0D9999OT", "BC", "NC" };
    }

    // Real instrument files come back byte for byte; a later-layout checksum of their own only warns.
    void sharedSamplesLoadAndResave()
    {
        QFETCH(QString, path);
        QFETCH(QByteArrayList, replace);
        QFile in(path);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QByteArray original = in.readAll();
        for (int i = 0; i + 1 < replace.size(); i += 2)
            original.replace(replace[i], replace[i + 1]);
        bc::CBellcore sor;
        bc::CFileStream stream(path);
        quint32 warnings = 0xFF;
        QCOMPARE(ErrorOf([&] { warnings = stream.LoadFromData(sor, original); }), "none");
        const bool later = original.startsWith(QByteArrayLiteral("Map\0"));
        QCOMPARE(sor.map.bNamed, later);
        QCOMPARE(warnings & ~(later ? quint32(bc::WarningChecksumWrong) : 0u), 0u);
        QVERIFY(stream.SaveToData(sor) == original);
    }

    void failedSaveKeepsFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.sor"));
        const QByteArray original = StandardFile();
        WriteFile(path, original);

        bc::CBellcore sor;
        bc::CFileStream stream(path);
        QCOMPARE(stream.Load(sor), 0u);
        sor.general.comment = QStringLiteral("first change");
        sor.supplier.supplierName = QString(32, QLatin1Char('n'));
        QCOMPARE(ErrorOf([&] { stream.Save(sor); }), "internal");

        QCOMPARE(ReadFile(path), original);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("kept.sor") });

        // The stream is usable again once the fault is gone.
        sor.supplier.supplierName = QStringLiteral("Norvane");
        stream.Save(sor);
        QCOMPARE(ReadFile(path), General([](tGeneral& g) { g.comment = "first change"; }));
    }

    void emptyStrings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("spaceMode");
        QTest::addColumn<QByteArray>("saved");

        // Three strings are read, the third cleared and all saved by the same stream.
        QTest::newRow("zero bytes only") << QByteArray("\0\0abc\0", 6) << false << QByteArray("\0\0\0", 3);
        QTest::newRow("lone space marks empty") << QByteArray(" \0x\0abc\0", 8) << true << QByteArray(" \0x\0 \0", 6);
        QTest::newRow("unedited zero byte keeps its form")
            << QByteArray("\0 \0abc\0", 7) << true << QByteArray("\0 \0 \0", 5);
    }

    void emptyStrings()
    {
        QFETCH(QByteArray, file);
        CType::StrValue<101> texts[3];
        CProbe probe([&](bc::CFileStream& stream) {
            for (auto& text : texts)
                text.Serialize(stream);
        });
        bc::CFileStream stream(QStringLiteral("unused.sor"));
        QCOMPARE(stream.LoadFromData(probe, file), 0u);
        QVERIFY(QString(texts[0]).isEmpty());
        QCOMPARE(QString(texts[2]), QStringLiteral("abc"));
        QTEST(stream.EmptyStringMode(), "spaceMode");
        texts[2] = QString();
        QTEST(stream.SaveToData(probe), "saved");
    }

    void codepages_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hideEucJp");
        QTest::addColumn<quint32>("warnings");

        const QByteArray accented("\xC0\xE8", 2);
        QTest::newRow("EN locale") << QByteArray("EN") << accented << LocaleDecoded(accented) << false << 0u;
        QTest::newRow("FR 1252") << QByteArray("FR") << accented << QStringLiteral(u"\u00C0\u00E8") << false << 0u;
        // An unknown language takes the locale codec without a warning.
        QTest::newRow("lower-case ru is not RU")
            << QByteArray("ru") << accented << LocaleDecoded(accented) << false << 0u;

        const QByteArray hiragana("\xA4\xA2", 2);
        QTest::newRow("JA EUC-JP") << QByteArray("JA") << hiragana << QStringLiteral(u"\u3042") << false << 0u;
        QTest::newRow("JA without EUC-JP")
            << QByteArray("JA") << hiragana << LocaleDecoded(hiragana) << true << quint32(bc::WarningCodepageMissing);
    }

    void codepages()
    {
        QFETCH(QByteArray, language);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, hideEucJp);

        if (!hideEucJp && language == "JA" && !QStringDecoder("EUC-JP").isValid())
            QSKIP("this system has no EUC-JP codec");

        bc::CFileStream::SetCodecHiddenForTesting("EUC-JP", hideEucJp);
        const auto unhide = qScopeGuard([] { bc::CFileStream::SetCodecHiddenForTesting("EUC-JP", false); });

        tGeneral general;
        general.language = language;
        general.cableId = bytes;
        const QByteArray file = WithBody("GenParams", GeneralBody(general));

        bc::CBellcore sor;
        bc::CFileStream stream(QStringLiteral("unused.sor"));
        QTEST(stream.LoadFromData(sor, file), "warnings");
        QTEST(QString(sor.general.cableId), "text");
        // Whatever the codec made of them, unedited texts keep their bytes.
        QCOMPARE(stream.SaveToData(sor), file);
    }

    void cyrillicRoundTrip()
    {
        tGeneral general;
        general.language = "RU";
        general.cableId = QByteArray("\xCA\xE0\xE1\xE5\xEB\xFC", 6); // "Кабель" in Windows-1251
        bc::CBellcore sor;
        bc::CFileStream stream(QStringLiteral("unused.sor"));
        QCOMPARE(stream.LoadFromData(sor, WithBody("GenParams", GeneralBody(general))), 0u);
        QCOMPARE(QString(sor.general.cableId), QStringLiteral(u"Кабель"));

        sor.general.operatorName = QStringLiteral(u"Пётр Иванов");
        general.operatorName = QByteArray("\xCF\xB8\xF2\xF0 \xC8\xE2\xE0\xED\xEE\xE2", 11);
        QCOMPARE(stream.SaveToData(sor), WithBody("GenParams", GeneralBody(general)));
    }

    void localeCodecMapsEveryByte()
    {
        // The stand-in system codec maps every byte to a character and back, so edits keep other texts.
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(b == 0x98 ? QByteArray() : QByteArray(1, char(b))); // 0x98: undefined in Windows-1251
        const QByteArray name = bc::CFileStream::LocaleCodecName();
        QStringDecoder decoder(name.constData());
        QStringEncoder encoder(name.constData());
        const QString text = decoder.decode(all);
        QCOMPARE(text.size(), all.size());
        QCOMPARE(QByteArray(encoder.encode(text)), all);
    }

    void missingFileIsAccessError()
    {
        bc::CBellcore sor;
        bc::CFileStream stream(m_dir.filePath(QStringLiteral("does-not-exist.sor")));
        QCOMPARE(ErrorOf([&] { stream.Load(sor); }), "access");
        QVERIFY(!stream.IsReading());
    }

    void locationCodesAccumulateOutwards()
    {
        // The general block ends inside the cable identifier, which the stream notices.
        const QByteArray file = Assemble({ { "GenParams", 100, GeneralBody(), 5u } }, NoChecksum);

        bc::CBellcore sor;
        bc::CFileStream stream(QStringLiteral("unused.sor"));
        try {
            stream.LoadFromData(sor, file);
            QFAIL("a truncated file loaded");
        } catch (const EFileLoadInvalidFormat& error) {
            const QList<quint32>& codes = error.Locations();
            // Raised by the stream, then passed through the field, the block and the file.
            QVERIFY2(codes.size() >= 4, qPrintable(error.LocationText()));
            QCOMPARE(Exception::ModuleOf(codes.first()), quint8(Exception::ModuleStream));
            for (qsizetype i = 1; i < codes.size(); ++i)
                QCOMPARE(Exception::ModuleOf(codes[i]), quint8(Exception::ModuleBlocks));
            for (quint32 code : codes)
                QVERIFY(Exception::LineOf(code) > 0);
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TstBellcore)
#include "tst_bellcore.moc"
