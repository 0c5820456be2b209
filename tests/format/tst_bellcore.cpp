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

#include <cmath>

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
    void generalFields();
    void supplierNameLength();
    void fixedFields();
    void noiseFloor_data();
    void noiseFloor();
    void eventFields();
    void dataPointScaling_data();
    void dataPointScaling();
    void totalPointsKept();
    void updateEventsSortsAndRenumbers();
    void updateEventsRemovesEmptyBlock();
    void updateEventsInsertsBlock();
    void sharedSamplesLoadAndResave_data();
    void sharedSamplesLoadAndResave();
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
    QTest::newRow("16000 samples") << Points([](tDataPoints& d) {
        d.groups[0].samples.resize(16000);
        for (size_t i = 0; i < d.groups[0].samples.size(); ++i)
            d.groups[0].samples[i] = quint16(i * 7 % 65536);
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
    // The value covers the bytes before it also where other blocks follow it.
    std::vector<tBlock> inner = StandardBlocks();
    inner.push_back({ "Cksum", 100, QByteArray(2, '\0'), {} });
    inner.push_back({ "Vendor", 100, "xyz", {} });
    const QByteArray zeroed = Assemble(inner, NoChecksum);
    const int at = int(zeroed.size()) - 5;
    QTest::newRow("checksum before another block")
        << zeroed << quint32(bc::WarningChecksumWrong)
        << zeroed.left(at) + ByteWriter().U16(Crc16(zeroed.left(at))).Bytes() + "xyz" << 0u;
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
    QTest::newRow("wavelength negative") << General([](tGeneral& g) { g.wavelength = -1550; });
    QTest::newRow("user offset negative") << General([](tGeneral& g) { g.userOffset = -1; });
    QTest::newRow("cable id of 101 characters") << General([](tGeneral& g) { g.cableId = QByteArray(101, 'c'); });
    QTest::newRow("supplier name of 32 characters")
        << Supplier([](tSupplier& s) { s.supplierName = QByteArray(32, 's'); });
    QTest::newRow("unit yd") << Fixed([](tFixed& f) { f.unit = "yd"; });
    QTest::newRow("no pulse widths") << Fixed([](tFixed& f) {
        f.pulses.clear();
        f.pulseCount = 0;
    });
    QTest::newRow("pulse count past the block") << Fixed([](tFixed& f) { f.pulseCount = 32767; });
    QTest::newRow("pulse width 0") << Fixed([](tFixed& f) { f.pulses[0].width = 0; });
    QTest::newRow("data spacing 0") << Fixed([](tFixed& f) { f.pulses[0].spacing = 0; });
    QTest::newRow("group index 0") << Fixed([](tFixed& f) { f.groupIndex = 0; });
    QTest::newRow("backscatter above 0 dB") << Fixed([](tFixed& f) { f.backscatter = -5; });
    QTest::newRow("averages 0") << Fixed([](tFixed& f) { f.averages = 0; });
    QTest::newRow("acquisition range 0") << Fixed([](tFixed& f) { f.acquisitionRange = 0; });
    QTest::newRow("end-of-fibre threshold 0") << Fixed([](tFixed& f) { f.endOfFiberThreshold = 0; });
    QTest::newRow("no events") << Events([](tKeyEvents& k) {
        k.events.clear();
        k.eventCount = 0;
    });
    QTest::newRow("event count past the block") << Events([](tKeyEvents& k) { k.eventCount = 32767; });
    QTest::newRow("event number 0") << Events([](tKeyEvents& k) { k.events[0].number = 0; });
    QTest::newRow("event time negative") << Events([](tKeyEvents& k) { k.events[0].time = -1; });
    QTest::newRow("event code 3") << Events([](tKeyEvents& k) { k.events[0].code = "3F9999"; });
    QTest::newRow("event origin X") << Events([](tKeyEvents& k) { k.events[0].code = "0X9999"; });
    QTest::newRow("technique XX") << Events([](tKeyEvents& k) { k.events[0].technique = "XX"; });
    QTest::newRow("return loss 40000") << Events([](tKeyEvents& k) { k.returnLoss = qint16(quint16(40000)); });
    QTest::newRow("end-to-end loss negative") << Events([](tKeyEvents& k) { k.endToEndLoss = -1; });
    QTest::newRow("no data groups") << Points([](tDataPoints& d) {
        d.groups.clear();
        d.groupCount = 0;
    });
    QTest::newRow("group without samples") << Points([](tDataPoints& d) { d.groups[0].samples.clear(); });
    QTest::newRow("scale factor 0") << Points([](tDataPoints& d) { d.groups[0].factor = 0; });
    QTest::newRow("huge sample count") << Points([](tDataPoints& d) { d.groups[0].count = 0x7FFFFFFFu; });
    QTest::newRow("huge group count") << Points([](tDataPoints& d) { d.groupCount = 32767; });

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

    QTest::newRow("file ends inside the map") << StandardFile().left(20);
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
    QTest::newRow("cable id of 101 characters")
        << Edit([](bc::CBellcore& s) { s.general.cableId = QString(101, QLatin1Char('c')); });
    QTest::newRow("wavelength 0") << Edit([](bc::CBellcore& s) { s.general.wavelength = 0.0f; });
    QTest::newRow("condition index 4") << Edit([](bc::CBellcore& s) { s.general.currentDataFlag = 4; });
    QTest::newRow("unit index 5") << Edit([](bc::CBellcore& s) { s.fixed.params.distanceUnit = 5; });
    QTest::newRow("backscatter above 0 dB") << Edit([](bc::CBellcore& s) { s.fixed.params.backscatter = 1.0f; });
    QTest::newRow("noise floor above 0 dB") << Edit([](bc::CBellcore& s) { s.fixed.params.noiseFloor = 1.0; });
    QTest::newRow("no pulses") << Edit([](bc::CBellcore& s) { s.fixed.params.pulses.clear(); });
    QTest::newRow("time stamp before 1970") << Edit(
        [](bc::CBellcore& s) { s.fixed.params.dateTime = QDateTime(QDate(1969, 12, 31), QTime(23, 59), Qt::UTC); });
    QTest::newRow("event type index 3") << Edit([](bc::CBellcore& s) { s.keyEvents.events[0].codeType = 3; });
    QTest::newRow("technique index 2") << Edit([](bc::CBellcore& s) { s.keyEvents.events[0].technique = 2; });
    QTest::newRow("event number 0") << Edit([](bc::CBellcore& s) { s.keyEvents.events[0].number = 0u; });
    QTest::newRow("return loss negative") << Edit([](bc::CBellcore& s) { s.keyEvents.returnLoss = qint16(-1); });
    QTest::newRow("events emptied but listed") << Edit([](bc::CBellcore& s) { s.keyEvents.events.clear(); });
    QTest::newRow("no data groups") << Edit([](bc::CBellcore& s) { s.dataPoints.groups.clear(); });
    QTest::newRow("group without samples") << Edit([](bc::CBellcore& s) { s.dataPoints.groups[0].points.clear(); });
    QTest::newRow("scale factor 0") << Edit([](bc::CBellcore& s) { s.dataPoints.groups[0].scaleFactor = 0.0f; });
    QTest::newRow("empty block name") << Edit([](bc::CBellcore& s) { s.map.entries[1].sName.clear(); });

    // The next float above a typed maximum: its scaled integer is past the
    // file type, and the product must not wrap.
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

void TstBellcore::refusedOnSave()
{
    QFETCH(Edit, edit);
    const tResaved result = Resave(StandardFile(), edit);
    QCOMPARE(result.loadError, "none");
    QCOMPARE(result.saveError, "internal");
}

void TstBellcore::generalFields()
{
    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    const QByteArray repaired = General([](tGeneral& g) { g.condition = "RC"; });
    QCOMPARE(stream.LoadFromData(sor, repaired), 0u);
    QCOMPARE(sor.general.currentDataFlag, quint32(sor::AsRepaired));
    QCOMPARE(float(sor.general.wavelength), 1550.0f);

    // The code is written from the index, not copied from the file.
    const tResaved edited = Resave(StandardFile(), [](bc::CBellcore& s) {
        s.general.currentDataFlag = sor::AsRepaired;
        s.general.wavelength = 1310.0f;
        s.general.userOffset = 12.5f;
    });
    QCOMPARE(edited.saveError, "none");
    QCOMPARE(edited.saved, General([](tGeneral& g) {
        g.condition = "RC";
        g.wavelength = 1310;
        g.userOffset = 125;
    }));
}

void TstBellcore::supplierNameLength()
{
    const tResaved tooLong
        = Resave(StandardFile(), [](bc::CBellcore& s) { s.supplier.supplierName = QString(32, QLatin1Char('n')); });
    QCOMPARE(tooLong.saveError, "internal");

    const tResaved longest = Resave(StandardFile(), [](bc::CBellcore& s) {
        s.supplier.supplierName = QString(31, QLatin1Char('n'));
        s.general.cableId = QString(100, QLatin1Char('c'));
    });
    QCOMPARE(longest.saveError, "none");
    tGeneral general;
    general.cableId = QByteArray(100, 'c');
    tSupplier supplier;
    supplier.supplierName = QByteArray(31, 'n');
    std::vector<tBlock> blocks = StandardBlocks();
    blocks[0].body = GeneralBody(general);
    blocks[1].body = SupplierBody(supplier);
    QCOMPARE(longest.saved, Assemble(blocks));
}

void TstBellcore::fixedFields()
{
    const QByteArray file = Fixed([](tFixed& f) {
        f.timeStamp = 0;
        f.pulses = { { 10, 500000, 16000 }, { 100, 1000000, 8000 }, { 1000, 2000000, 4000 } };
        f.groupIndex = 146800;
        f.unit = "mt";
    });
    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(sor, file), 0u);
    const sor::tFixedParameters& p = sor.fixed.params;
    QCOMPARE(p.dateTime, QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC));
    QCOMPARE(p.dateTime.timeSpec(), Qt::UTC);
    QCOMPARE(p.distanceUnit, quint32(sor::Metres));
    QCOMPARE(p.pulses.size(), size_t(3));
    QCOMPARE(float(p.pulses[1].pulseWidth), 100.0f);
    QCOMPARE(float(p.pulses[2].dataSpacing), 20.0f);
    QCOMPARE(p.pulses[2].pointCount, 4000u);
    QCOMPARE(float(p.pulseWidth), 10.0f);
    QCOMPARE(float(p.dataSpacing), 5.0f);
    QCOMPARE(float(p.groupIndex), 1.468f);
    QCOMPARE(float(p.backscatter), -80.0f);
    QCOMPARE(float(p.actualWavelength), 1550.0f);

    // The top-level pulse width and spacing are the first entry's; edits go
    // there and reach the file through it.
    const tResaved edited = Resave(file, [](bc::CBellcore& s) {
        s.fixed.params.pulseWidth = 30.0f;
        s.fixed.params.dataSpacing = 2.5f;
        s.fixed.params.distanceUnit = sor::Miles;
        s.fixed.params.dateTime = QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
        s.fixed.params.groupIndex = 1.4682f;
        // A typed maximum is a value the file can hold.
        s.fixed.params.acquisitionRange = decltype(sor::tFixedParameters::acquisitionRange)::Max();
    });
    QCOMPARE(edited.saveError, "none");
    QCOMPARE(edited.saved, Fixed([](tFixed& f) {
        f.timeStamp = 1577836800;
        f.pulses = { { 30, 250000, 16000 }, { 100, 1000000, 8000 }, { 1000, 2000000, 4000 } };
        f.groupIndex = 146820;
        f.acquisitionRange = 2147483520;
        f.unit = "mi";
    }));
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
    // Most instruments write the factor in thousandths.
    QTest::newRow("thousandths") << quint16(52058) << qint16(1000) << -52.058 << -40.0 << quint16(40000)
                                 << qint16(1000);
    QTest::newRow("thousandths, deeper than one level")
        << quint16(30000) << qint16(1000) << -30.0 << -80.0 << quint16(65520) << qint16(1221);
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

void TstBellcore::eventFields()
{
    tKeyEvents events;
    events.events = { { 1, 123456, 210, -150, -45000, "1F9999", "2P", "splice" } };
    events.returnLoss = 32767;
    const QByteArray file = WithBody("KeyEvents", KeyEventsBody(events));

    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(sor, file), 0u);
    QCOMPARE(sor.keyEvents.events.size(), size_t(1));
    const sor::tKeyEvent& e = sor.keyEvents.events.front();
    QCOMPARE(e.codeType, 1u);
    QCOMPARE(e.codeOrigin, 3u);
    QCOMPARE(QByteArray(e.codeRest.data(), 4), QByteArray("9999"));
    QCOMPARE(e.technique, quint32(sor::tKeyEvent::TwoPoint));
    QCOMPARE(float(e.time), 12345.6f);
    QCOMPARE(float(e.loss), -0.15f);
    QCOMPARE(float(e.attenuation), 0.21f);
    QCOMPARE(float(e.reflectance), -45.0f);
    QCOMPARE(QString(e.comment), QStringLiteral("splice"));
    QCOMPARE(qint16(sor.keyEvents.returnLoss), qint16(32767));
    QCOMPARE(stream.SaveToData(sor), file);

    sor::tKeyEvent& changed = sor.keyEvents.events.front();
    changed.loss = -0.2f;
    changed.codeType = 2;
    changed.codeOrigin = 4;
    changed.technique = sor::tKeyEvent::LeastSquares;
    changed.comment = QStringLiteral("repaired");
    events.events[0].loss = -200;
    events.events[0].code = "2O9999";
    events.events[0].technique = "LS";
    events.events[0].comment = "repaired";
    QCOMPARE(stream.SaveToData(sor), WithBody("KeyEvents", KeyEventsBody(events)));
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
    QTest::newRow("factor 1 passes through")
        << qint16(1000) << QList<quint16> { 0, 65535, 12345 } << QList<quint16> { 0, 65535, 12345 } << -1 << 0
        << QList<quint16> { 0, 65535, 12345 };
    QTest::newRow("factor 2") << qint16(2000) << twice << QList<quint16> { 60000, 65535, 0 } << -1 << 0 << twice;
    QTest::newRow("factor 2, one sample edited") << qint16(2000) << twice << QList<quint16> { 60000, 65535, 0 } << 0
                                                 << 60002 << QList<quint16> { 30001, 40000, 0 };
    QTest::newRow("factor 2, edited to the maximum") << qint16(2000) << twice << QList<quint16> { 60000, 65535, 0 } << 2
                                                     << 65535 << QList<quint16> { 30000, 40000, 32768 };
    QTest::newRow("factor 0.5") << qint16(500) << half << QList<quint16> { 2, 1, 32768 } << -1 << 0 << half;
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

void TstBellcore::totalPointsKept()
{
    const QByteArray file = Points([](tDataPoints& d) { d.totalPoints = 12345; });
    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(sor, file), 0u);
    QCOMPARE(sor.dataPoints.totalPoints, 12345u);
    QCOMPARE(sor.dataPoints.groups[0].points.size(), size_t(8));
    sor.dataPoints.groups[0].points.push_back(2000);
    QCOMPARE(stream.SaveToData(sor), Points([](tDataPoints& d) {
        d.totalPoints = 12345;
        d.groups[0].samples.push_back(2000);
    }));
}

void TstBellcore::updateEventsSortsAndRenumbers()
{
    tKeyEvents events;
    events.events = { { 1, 3000, 0, 10, 0, "0F9999", "LS", "c" }, { 2, 1000, 0, 20, 0, "0F9999", "LS", "a" },
        { 3, 2000, 0, 30, 0, "0F9999", "LS", "b" } };
    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(sor, WithBody("KeyEvents", KeyEventsBody(events))), 0u);
    // Loaded in file order, numbers as read.
    QCOMPARE(float(sor.keyEvents.events[0].time), 300.0f);
    QCOMPARE(unsigned(sor.keyEvents.events[0].number), 1u);

    sor.UpdateEventsBlock();
    events.events = { { 1, 1000, 0, 20, 0, "0F9999", "LS", "a" }, { 2, 2000, 0, 30, 0, "0F9999", "LS", "b" },
        { 3, 3000, 0, 10, 0, "0F9999", "LS", "c" } };
    QCOMPARE(stream.SaveToData(sor), WithBody("KeyEvents", KeyEventsBody(events)));
}

void TstBellcore::updateEventsRemovesEmptyBlock()
{
    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(sor, StandardFile()), 0u);
    sor.keyEvents.events.clear();
    sor.UpdateEventsBlock();
    QVERIFY(!sor.HasBlock("KeyEvents"));

    std::vector<tBlock> blocks = StandardBlocks();
    blocks.erase(blocks.begin() + 3);
    QCOMPARE(stream.SaveToData(sor), Assemble(blocks));
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

void TstBellcore::sharedSamplesLoadAndResave_data()
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

// Real instrument files of both layouts load and come back byte for byte;
// most instruments of the later layout store a checksum of their own, which
// is a warning only.
void TstBellcore::sharedSamplesLoadAndResave()
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

void TstBellcore::saveToUnwritablePlace_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("readOnlyFolder");

    QTest::newRow("missing folder") << m_dir.filePath(QStringLiteral("missing/trace.sor")) << false;
    QTest::newRow("folder is a file") << m_dir.filePath(QStringLiteral("plain-file/trace.sor")) << false;
    QTest::newRow("read-only folder") << m_dir.filePath(QStringLiteral("read-only/trace.sor")) << true;
}

void TstBellcore::saveToUnwritablePlace()
{
    QFETCH(QString, path);
    QFETCH(bool, readOnlyFolder);

    QFile plain(m_dir.filePath(QStringLiteral("plain-file")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString folder = QFileInfo(path).path();
    struct tRestore
    {
        QString folder;
        bool active;
        // Gives the folder back its write permission so that it can be removed.
        ~tRestore()
        {
            if (active)
                QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    } restore { folder, readOnlyFolder };
    if (readOnlyFolder) {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("this user may write into read-only folders");
        }
    }

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
