#include "CBellcore.h"
#include "CFileStream.h"
#include "ErrorKind.h"
#include "Exception.h"
#include "SorBuilder.h"
#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace SorBuilder;

using Edit = std::function<void(bc::CBellcore&)>;
Q_DECLARE_METATYPE(Edit)

namespace {

// The outcome of loading a file image, editing it and saving it again through
// the same stream.
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

template<typename Change> QByteArray General(Change change)
{
    tGeneral general;
    change(general);
    return WithBody("GenParams", GeneralBody(general));
}

template<typename Change> QByteArray Supplier(Change change)
{
    tSupplier supplier;
    change(supplier);
    return WithBody("SupParams", SupplierBody(supplier));
}

template<typename Change> QByteArray Fixed(Change change)
{
    tFixed fixed;
    change(fixed);
    return WithBody("FxdParams", FixedBody(fixed));
}

template<typename Change> QByteArray Events(Change change)
{
    tKeyEvents events;
    change(events);
    return WithBody("KeyEvents", KeyEventsBody(events));
}

template<typename Change> QByteArray Points(Change change)
{
    tDataPoints points;
    change(points);
    return WithBody("DataPts", DataPointsBody(points));
}

QByteArray PatchU32(QByteArray file, int offset, quint32 value)
{
    file.replace(offset, 4, ByteWriter().U32(value).Bytes());
    return file;
}

std::vector<quint16> Samples(const QList<quint16>& list)
{
    return std::vector<quint16>(list.begin(), list.end());
}

} // namespace

class TstBellcore : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void unknownBlocksKeepBytesAndPlace();
    void blockSizeMustMatch_data();
    void blockSizeMustMatch();
    void checksum_data();
    void checksum();
    void refusedOnLoad_data();
    void refusedOnLoad();
    void refusedOnSave_data();
    void refusedOnSave();
    void noiseFloor_data();
    void noiseFloor();
    void fieldsReadAndWritten();
    void dataPointScaling_data();
    void dataPointScaling();
    void updateEventsInsertsBlock();
    void sharedSamplesLoadAndResave();
    void laterLayoutRefused();
    void saveToUnwritablePlace_data();
    void saveToUnwritablePlace();
    void failedSaveKeepsFile();

private:
    QTemporaryDir m_dir;
};

void TstBellcore::roundTrip_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<quint32>("warnings");

    QTest::newRow("standard") << StandardFile() << 0u;
    QTest::newRow("lone-space strings") << General([](tGeneral& g) {
        g.cableCode = " ";
        g.comment = " ";
    }) << 0u;
    QTest::newRow("Cyrillic RU") << General([](tGeneral& g) {
        g.language = "RU";
        g.cableId = "\xCA\xE0\xE1\xE5\xEB\xFC";
        g.operatorName = "\xCF\xE5\xF2\xF0\xEE\xE2";
    }) << 0u;
    QTest::newRow("bytes no codec maps back") << General([](tGeneral& g) { g.comment = "\x98\xFF\x81"; }) << 0u;
    QTest::newRow("three pulse widths") << Fixed([](tFixed& f) {
        f.pulses = { { 10, 250000, 16000 }, { 100, 500000, 8000 }, { 1000, 1000000, 4000 } };
    }) << 0u;
    QTest::newRow("events out of order") << Events([](tKeyEvents& k) {
        k.events
            = { { 1, 50000, 200, 50, -45000, "1F9999", "2P", "far" }, { 2, 1000, 0, -150, 0, "2M1234", "LS", "" } };
    }) << 0u;
    QTest::newRow("two groups with factors") << Points([](tDataPoints& d) {
        d.groups = { { { 30000, 40000, 1, 0 }, 2000, {} }, { { 3, 1, 65535 }, 500, {} } };
        d.totalPoints = 99;
    }) << 0u;
    QTest::newRow("extremes") << [] {
        tGeneral g;
        g.wavelength = 32767;
        g.userOffset = 2147483647;
        tFixed f;
        f.timeStamp = 0xFFFFFFFFu;
        f.actualWavelength = 32767;
        f.pulses[0] = { 32767, 2147483647, 0xFFFFFFFFu };
        f.groupIndex = 2147483647;
        f.backscatter = 32767;
        f.averages = 2147483647;
        f.acquisitionRange = 2147483647;
        f.frontPanelOffset = 2147483647;
        f.noiseFloorLevel = 0;
        f.powerOffset = 65535;
        f.lossThreshold = 65535;
        f.reflectanceThreshold = 0;
        f.endOfFiberThreshold = 65535;
        tKeyEvents k;
        k.events = { { 32767, 2147483647, -32768, 32767, -2147483647 - 1, "2O0000", "LS", "" },
            { 1, 0, 32767, -32768, 2147483647, "0A9999", "2P", "" } };
        k.endToEndLoss = 2147483647;
        k.returnLoss = 32767;
        tDataPoints d;
        d.groups = { { { 1, 65535 }, 32767, {} }, { { 2, 0 }, -32768, {} } };
        return Assemble({ { "GenParams", 100, GeneralBody(g), {} }, { "FxdParams", 100, FixedBody(f), {} },
            { "KeyEvents", 100, KeyEventsBody(k), {} }, { "DataPts", 100, DataPointsBody(d), {} } });
    }() << 0u;
    QTest::newRow("unusual order and revisions") << Assemble(
        { { "DataPts", 210, DataPointsBody(), {} }, { "FxdParams", 1, FixedBody(), {} },
            { "GenParams", 0xFFFF, GeneralBody(), {} } },
        CorrectChecksum, 1) << 0u;
    QTest::newRow("longest names") << [] {
        tGeneral g;
        g.cableId = QByteArray(100, 'c');
        tSupplier s;
        s.supplierName = QByteArray(31, 'n');
        std::vector<tBlock> blocks = StandardBlocks();
        blocks[0].body = GeneralBody(g);
        blocks[1].body = SupplierBody(s);
        return Assemble(blocks);
    }() << 0u;
    QTest::newRow("only a map and checksum") << Assemble({}) << 0u;
    QTest::newRow("without checksum") << Assemble(StandardBlocks(), NoChecksum) << quint32(bc::WarningChecksumMissing);
}

void TstBellcore::roundTrip()
{
    QFETCH(QByteArray, file);
    QFETCH(quint32, warnings);

    // Through a real file, loaded and saved by the same stream.
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.sor"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(file);
    out.close();

    bc::CBellcore sor;
    bc::CFileStream stream(path);
    QCOMPARE(stream.Load(sor), warnings);
    stream.Save(sor);
    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), file);
}

void TstBellcore::unknownBlocksKeepBytesAndPlace()
{
    const QByteArray link("\x01\x02\x00\x03zz", 6);
    const QByteArray trailer(300, '\x7F');
    std::vector<tBlock> blocks = StandardBlocks();
    blocks.insert(blocks.begin() + 1, { "LnkParams", 7, link, {} });
    blocks.insert(blocks.begin() + 3, { "Vendor", 3, QByteArray(), {} });
    blocks.push_back({ "Trailer", 200, trailer, {} });
    const QByteArray file = Assemble(blocks);

    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(sor, file), 0u);
    const std::vector<bc::CBlockInfo>& entries = sor.map.entries;
    QCOMPARE(entries.size(), size_t(9));
    QCOMPARE(entries[1].sName, QByteArray("LnkParams"));
    QCOMPARE(entries[1].nRevision, quint16(7));
    QCOMPARE(entries[1].userBlock.aBytes, link);
    QCOMPARE(entries[3].sName, QByteArray("Vendor"));
    QCOMPARE(entries[3].nSize, 0u);
    QCOMPARE(entries[7].userBlock.aBytes, trailer);
    QCOMPARE(entries[8].sName, QByteArray("Cksum"));

    QCOMPARE(stream.SaveToData(sor), file);
}

void TstBellcore::blockSizeMustMatch_data()
{
    QTest::addColumn<QByteArray>("file");

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
}

void TstBellcore::blockSizeMustMatch()
{
    QFETCH(QByteArray, file);
    QCOMPARE(Resave(file).loadError, "format");
}

void TstBellcore::checksum_data()
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
    QTest::newRow("value bytes missing") << Assemble(StandardBlocks(), TruncatedChecksum) << missingBit << correct
                                         << 0u;
    QTest::newRow("last byte missing") << correct.left(correct.size() - 1) << missingBit << correct << 0u;
    // Saving does not add a block the file did not list.
    QTest::newRow("no checksum in the map") << missing << missingBit << missing << missingBit;
}

void TstBellcore::checksum()
{
    QFETCH(QByteArray, file);
    QFETCH(quint32, warnings);
    QFETCH(QByteArray, saved);
    QFETCH(quint32, savedWarnings);

    const tResaved result = Resave(file);
    QCOMPARE(result.loadError, "none");
    QCOMPARE(result.warnings, warnings);
    QCOMPARE(result.saveError, "none");
    QCOMPARE(result.saved, saved);
    QCOMPARE(Resave(result.saved).warnings, savedWarnings);
}

void TstBellcore::refusedOnLoad_data()
{
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("condition XX") << General([](tGeneral& g) { g.condition = "XX"; });
    QTest::newRow("wavelength 0") << General([](tGeneral& g) { g.wavelength = 0; });
    QTest::newRow("unit yd") << Fixed([](tFixed& f) { f.unit = "yd"; });
    QTest::newRow("no pulse widths") << Fixed([](tFixed& f) {
        f.pulses.clear();
        f.pulseCount = 0;
    });
    QTest::newRow("pulse count past the block") << Fixed([](tFixed& f) { f.pulseCount = 32767; });
    QTest::newRow("no events") << Events([](tKeyEvents& k) {
        k.events.clear();
        k.eventCount = 0;
    });
    QTest::newRow("event count past the block") << Events([](tKeyEvents& k) { k.eventCount = 32767; });
    QTest::newRow("event code 3") << Events([](tKeyEvents& k) { k.events[0].code = "3F9999"; });
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

void TstBellcore::refusedOnLoad()
{
    QFETCH(QByteArray, file);
    QCOMPARE(Resave(file).loadError, "format");
}

void TstBellcore::refusedOnSave_data()
{
    QTest::addColumn<Edit>("edit");

    QTest::newRow("supplier name of 32 characters")
        << Edit([](bc::CBellcore& s) { s.supplier.supplierName = QString(32, QLatin1Char('s')); });
    QTest::newRow("condition index 4") << Edit([](bc::CBellcore& s) { s.general.currentDataFlag = 4; });
    QTest::newRow("time stamp before 1970") << Edit(
        [](bc::CBellcore& s) { s.fixed.params.dateTime = QDateTime(QDate(1969, 12, 31), QTime(23, 59), Qt::UTC); });
    QTest::newRow("events emptied but listed") << Edit([](bc::CBellcore& s) { s.keyEvents.events.clear(); });
    QTest::newRow("empty block name") << Edit([](bc::CBellcore& s) { s.map.entries[1].sName.clear(); });

    // Values inside the typed range whose scaled integer is one past the file
    // type: float rounds the range limit up, and the product must not wrap.
    using Time = decltype(sor::tKeyEvent::time);
    using Range = decltype(sor::tFixedParameters::acquisitionRange);
    QTest::newRow("event time at its float maximum")
        << Edit([](bc::CBellcore& s) { s.keyEvents.events[0].time = Time::Max(); });
    QTest::newRow("acquisition range at its float maximum")
        << Edit([](bc::CBellcore& s) { s.fixed.params.acquisitionRange = Range::Max(); });
    QTest::newRow("user offset at its float maximum")
        << Edit([](bc::CBellcore& s) { s.general.userOffset = decltype(sor::tGeneralParameters::userOffset)::Max(); });
}

void TstBellcore::refusedOnSave()
{
    QFETCH(Edit, edit);
    const tResaved result = Resave(StandardFile(), edit);
    QCOMPARE(result.loadError, "none");
    QCOMPARE(result.saveError, "internal");
}

void TstBellcore::noiseFloor_data()
{
    QTest::addColumn<quint16>("level");
    QTest::addColumn<qint16>("scale");
    QTest::addColumn<double>("floor");
    QTest::addColumn<double>("edited");
    QTest::addColumn<quint16>("savedLevel");
    QTest::addColumn<qint16>("savedScale");

    QTest::newRow("scale 2") << quint16(40000) << qint16(2) << -80.0 << -70.0 << quint16(35000) << qint16(2);
    QTest::newRow("scale 0 counts as 1") << quint16(65535) << qint16(0) << -65.535 << -10.0 << quint16(10000)
                                         << qint16(0);
    // A floor deeper than the level can hold takes the smallest factor that fits.
    QTest::newRow("deeper than one level")
        << quint16(30000) << qint16(1) << -30.0 << -100.0 << quint16(50000) << qint16(2);
}

void TstBellcore::noiseFloor()
{
    QFETCH(quint16, level);
    QFETCH(qint16, scale);
    QFETCH(double, floor);
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
    QCOMPARE(double(sor.fixed.params.noiseFloor), floor);
    QCOMPARE(sor.fixed.params.noiseFloorScale, scale);
    QCOMPARE(stream.SaveToData(sor), file);

    sor.fixed.params.noiseFloor = edited;
    QCOMPARE(stream.SaveToData(sor), Fixed([&](tFixed& f) {
        f.noiseFloorLevel = savedLevel;
        f.noiseFloorScale = savedScale;
    }));
}

void TstBellcore::fieldsReadAndWritten()
{
    // Read: scaled values, the codes as indices, the time stamp in UTC, and
    // the top-level pulse width and spacing are the first entry's.
    tKeyEvents events;
    events.events = { { 1, 123456, 210, -150, -45000, "1F9999", "2P", "splice" } };
    std::vector<tBlock> blocks = StandardBlocks();
    tGeneral general;
    general.condition = "RC";
    tFixed fixed;
    fixed.timeStamp = 0;
    fixed.pulses = { { 10, 500000, 16000 }, { 100, 1000000, 8000 } };
    fixed.unit = "mt";
    const auto assemble = [&] {
        blocks[0].body = GeneralBody(general);
        blocks[2].body = FixedBody(fixed);
        blocks[3].body = KeyEventsBody(events);
        return Assemble(blocks);
    };
    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(sor, assemble()), 0u);
    QCOMPARE(sor.general.currentDataFlag, quint32(sor::AsRepaired));
    sor::tFixedParameters& p = sor.fixed.params;
    QCOMPARE(p.dateTime, QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC));
    QCOMPARE(p.distanceUnit, quint32(sor::Metres));
    QCOMPARE(float(p.pulseWidth), 10.0f);
    QCOMPARE(float(p.dataSpacing), 5.0f);
    QCOMPARE(float(p.groupIndex), 1.468f);
    sor::tKeyEvent& e = sor.keyEvents.events.front();
    QCOMPARE(e.codeType, 1u);
    QCOMPARE(e.codeOrigin, 3u);
    QCOMPARE(e.technique, quint32(sor::tKeyEvent::TwoPoint));
    QCOMPARE(float(e.time), 12345.6f);
    QCOMPARE(float(e.loss), -0.15f);
    QCOMPARE(float(e.reflectance), -45.0f);

    // Written: each edited value from its index or its scaled number, not
    // from the bytes read.
    sor.general.currentDataFlag = sor::AsBuilt;
    sor.general.userOffset = 12.5f;
    p.pulseWidth = 30.0f;
    p.distanceUnit = sor::Miles;
    p.dateTime = QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    p.groupIndex = 1.4682f;
    e.loss = -0.2f;
    e.codeType = 2;
    e.codeOrigin = 4;
    e.technique = sor::tKeyEvent::LeastSquares;
    e.comment = QStringLiteral("repaired");
    general.condition = "BC";
    general.userOffset = 125;
    fixed.timeStamp = 1577836800;
    fixed.pulses[0].width = 30;
    fixed.groupIndex = 146820;
    fixed.unit = "mi";
    events.events[0].loss = -200;
    events.events[0].code = "2O9999";
    events.events[0].technique = "LS";
    events.events[0].comment = "repaired";
    QCOMPARE(stream.SaveToData(sor), assemble());
}

void TstBellcore::dataPointScaling_data()
{
    QTest::addColumn<qint16>("factor");
    QTest::addColumn<QList<quint16>>("file");
    QTest::addColumn<QList<quint16>>("held");
    QTest::addColumn<int>("editIndex");
    QTest::addColumn<int>("editValue");
    QTest::addColumn<QList<quint16>>("saved");

    const QList<quint16> twice { 30000, 40000, 0 };
    const QList<quint16> half { 3, 1, 65535 };
    QTest::newRow("factor 2, one sample edited") << qint16(2000) << twice << QList<quint16> { 60000, 65535, 0 } << 0
                                                 << 60002 << QList<quint16> { 30001, 40000, 0 };
    QTest::newRow("factor 2, edited to the maximum") << qint16(2000) << twice << QList<quint16> { 60000, 65535, 0 } << 2
                                                     << 65535 << QList<quint16> { 30000, 40000, 32768 };
    QTest::newRow("factor 0.5, one sample edited")
        << qint16(500) << half << QList<quint16> { 2, 1, 32768 } << 0 << 10 << QList<quint16> { 20, 1, 65535 };
}

void TstBellcore::dataPointScaling()
{
    QFETCH(qint16, factor);
    QFETCH(QList<quint16>, file);
    QFETCH(QList<quint16>, held);
    QFETCH(int, editIndex);
    QFETCH(int, editValue);
    QFETCH(QList<quint16>, saved);

    // A first group with factor 1 keeps the scaled group off the front.
    const QByteArray image = Points([&](tDataPoints& d) { d.groups = { tGroup(), { Samples(file), factor, {} } }; });
    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(sor, image), 0u);
    QCOMPARE(sor.dataPoints.groups.size(), size_t(2));
    QCOMPARE(sor.dataPoints.groups[1].points, Samples(held));

    if (editIndex >= 0)
        sor.dataPoints.groups[1].points[size_t(editIndex)] = quint16(editValue);
    QCOMPARE(stream.SaveToData(sor), Points([&](tDataPoints& d) {
        d.groups = { tGroup(), { Samples(saved), factor, {} } };
    }));
}

void TstBellcore::updateEventsInsertsBlock()
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

    // A fresh record: event code 0A9999, technique LS, attenuation 1 dB/km;
    // the link fields were never read and are zero.
    tKeyEvents expected;
    expected.events = { { 1, 1000, 1000, 0, 0, "0A9999", "LS", "" } };
    expected.endToEndLoss = expected.endToEndEnd = expected.returnLossEnd = 0;
    expected.returnLoss = 0;
    blocks.insert(blocks.begin() + 3, { "KeyEvents", 1, KeyEventsBody(expected), {} });
    QCOMPARE(stream.SaveToData(sor), Assemble(blocks));
}

void TstBellcore::sharedSamplesLoadAndResave()
{
    const QStringList files = TestPaths::SorFiles(TestPaths::SharedSamplesDir(QStringLiteral("v1")));
    if (files.isEmpty())
        QSKIP("no shared v1 instrument files here");
    for (const QString& path : files) {
        QFile in(path);
        QVERIFY2(in.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray original = in.readAll();
        bc::CBellcore sor;
        bc::CFileStream stream(path);
        quint32 warnings = 0xFF;
        QCOMPARE(ErrorOf([&] { warnings = stream.Load(sor); }), "none");
        QVERIFY2(warnings == 0, qPrintable(path));
        QVERIFY2(stream.SaveToData(sor) == original, qPrintable(path));
    }
}

void TstBellcore::laterLayoutRefused()
{
    const QStringList files = TestPaths::SorFiles(TestPaths::SharedSamplesDir(QStringLiteral("v2")));
    if (files.isEmpty())
        QSKIP("no shared v2 instrument files here");
    for (const QString& path : files) {
        bc::CBellcore sor;
        bc::CFileStream stream(path);
        QVERIFY2(ErrorOf([&] { stream.Load(sor); }) == "format", qPrintable(path));
    }
}

void TstBellcore::saveToUnwritablePlace_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing folder") << QStringLiteral("missing/trace.sor");
    QTest::newRow("folder is a file") << QStringLiteral("plain-file/trace.sor");
}

void TstBellcore::saveToUnwritablePlace()
{
    QFETCH(QString, path);
    path = m_dir.filePath(path);
    QFile plain(m_dir.filePath(QStringLiteral("plain-file")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    bc::CBellcore sor;
    bc::CFileStream stream(path);
    QCOMPARE(stream.LoadFromData(sor, StandardFile()), 0u);
    QCOMPARE(ErrorOf([&] { stream.Save(sor); }), "access");
    QVERIFY(!QFile::exists(path));
    QCOMPARE(ErrorOf([&] { stream.Pos(); }), "internal");
}

void TstBellcore::failedSaveKeepsFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.sor"));
    const QByteArray original = StandardFile();
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(original);
    out.close();

    bc::CBellcore sor;
    bc::CFileStream stream(path);
    QCOMPARE(stream.Load(sor), 0u);
    sor.general.comment = QStringLiteral("first change");
    sor.supplier.supplierName = QString(32, QLatin1Char('n'));
    QCOMPARE(ErrorOf([&] { stream.Save(sor); }), "internal");

    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("kept.sor") });

    // The stream is usable again once the fault is gone.
    sor.supplier.supplierName = QStringLiteral("Norvane");
    stream.Save(sor);
    QFile replaced(path);
    QVERIFY(replaced.open(QIODevice::ReadOnly));
    QCOMPARE(replaced.readAll(), General([](tGeneral& g) { g.comment = "first change"; }));
}

QTEST_GUILESS_MAIN(TstBellcore)
#include "tst_bellcore.moc"
