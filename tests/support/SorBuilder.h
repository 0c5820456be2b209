#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>
#include <vector>

// Assembles Bellcore v1.0 files byte by byte for the tests. It knows the
// layout only from the field tables, not from the program's own block classes,
// so a fault shared by the reader and the writer cannot hide behind it.
// Strings are raw bytes: the builder never converts text.
namespace SorBuilder {

// Little-endian writer of the file's field types.
class ByteWriter
{
public:
    ByteWriter& U16(quint16 value);
    ByteWriter& I16(qint16 value);
    ByteWriter& U32(quint32 value);
    ByteWriter& I32(qint32 value);
    // The bytes and a terminating zero.
    ByteWriter& Str(const QByteArray& bytes);
    // The bytes as they are, without terminator (fixed-width codes, bodies).
    ByteWriter& Raw(const QByteArray& bytes);

    const QByteArray& Bytes() const { return m_bytes; }
    qsizetype Size() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
};

// "GenParams". Defaults are a valid block with the language code "EN".
struct tGeneral
{
    QByteArray language = "EN";
    QByteArray cableId = "CABLE-1";
    QByteArray fiberId = "F01";
    qint16 wavelength = 1550;
    QByteArray originatingLocation = "Depot";
    QByteArray terminatingLocation = "Tower";
    QByteArray cableCode = "";
    QByteArray condition = "BC";
    qint32 userOffset = 0;
    QByteArray operatorName = "Ivanov";
    QByteArray comment = "";
};

// "SupParams".
struct tSupplier
{
    QByteArray supplierName = "Norvane";
    QByteArray mainframeId = "NR-100";
    QByteArray mainframeSerial = "123456";
    QByteArray opticalModuleId = "OM-1";
    QByteArray opticalModuleSerial = "789";
    QByteArray softwareRevision = "1.0";
    QByteArray otherInfo = "";
};

// One pulse width of "FxdParams" with its data spacing and point count.
struct tPulse
{
    qint16 width = 100;
    qint32 spacing = 500000;
    quint32 points = 8;
};

// "FxdParams". The pulse count written is the number of pulses unless
// `pulseCount` overrides it.
struct tFixed
{
    quint32 timeStamp = 1600000000;
    QByteArray unit = "km";
    qint16 actualWavelength = 15500;
    qint32 acquisitionOffset = 0;
    std::vector<tPulse> pulses { tPulse() };
    std::optional<qint16> pulseCount;
    qint32 groupIndex = 146800;
    qint16 backscatter = 800;
    qint32 averages = 1000;
    qint32 acquisitionRange = 200000;
    qint32 frontPanelOffset = 0;
    quint16 noiseFloorLevel = 30000;
    qint16 noiseFloorScale = 1;
    quint16 powerOffset = 0;
    quint16 lossThreshold = 200;
    quint16 reflectanceThreshold = 40000;
    quint16 endOfFiberThreshold = 3000;
};

// One event of "KeyEvents"; `code` is the six characters of the event code.
struct tEvent
{
    qint16 number = 1;
    qint32 time = 1000;
    qint16 attenuation = 200;
    qint16 loss = 50;
    qint32 reflectance = -45000;
    QByteArray code = "0F9999";
    QByteArray technique = "LS";
    QByteArray comment = "";
};

// "KeyEvents" with the link fields. The event count written is the number of
// events unless `eventCount` overrides it.
struct tKeyEvents
{
    std::vector<tEvent> events { tEvent() };
    std::optional<qint16> eventCount;
    qint32 endToEndLoss = 1500;
    qint32 endToEndStart = 0;
    qint32 endToEndEnd = 100000;
    qint16 returnLoss = 32000;
    qint32 returnLossStart = 0;
    qint32 returnLossEnd = 100000;
};

// One group of "DataPts": its factor (file value, 1000 = 1.0) and samples as
// the file holds them. `count` overrides the stated number of samples.
struct tGroup
{
    std::vector<quint16> samples { 1000, 1010, 1020, 1030, 1040, 1050, 1060, 1070 };
    qint16 factor = 1000;
    std::optional<quint32> count;
};

// "DataPts". `totalPoints` defaults to the sum of the group sizes and
// `groupCount` to the number of groups.
struct tDataPoints
{
    std::vector<tGroup> groups { tGroup() };
    std::optional<quint32> totalPoints;
    std::optional<qint16> groupCount;
};

QByteArray GeneralBody(const tGeneral& general = {});
QByteArray SupplierBody(const tSupplier& supplier = {});
QByteArray FixedBody(const tFixed& fixed = {});
QByteArray KeyEventsBody(const tKeyEvents& keyEvents = {});
QByteArray DataPointsBody(const tDataPoints& dataPoints = {});

// One entry of the map with its body. The map states the body's size unless
// `declaredSize` overrides it.
struct tBlock
{
    QByteArray name;
    quint16 revision = 100;
    QByteArray body;
    std::optional<quint32> declaredSize;
};

// The five blocks the program understands, with default bodies, in the usual
// order.
std::vector<tBlock> StandardBlocks();

// How the file ends.
enum tChecksum {
    NoChecksum,
    // A "Cksum" entry whose value is the CRC of every byte before it.
    CorrectChecksum,
    // The same, with the value off by one.
    WrongChecksum,
    // A "Cksum" entry of size 2 whose two value bytes are missing.
    TruncatedChecksum,
};

// CRC-16/CCITT-FALSE: polynomial 0x1021, initial value 0xFFFF, no reflection,
// no final XOR.
quint16 Crc16(const QByteArray& bytes);

// The whole file: the map (revision `mapRevision`) listing `blocks` in order,
// then their bodies, then the checksum block when one is asked for.
QByteArray Assemble(const std::vector<tBlock>& blocks, tChecksum checksum = CorrectChecksum, quint16 mapRevision = 100);

// A valid file made of the standard blocks and a correct checksum.
QByteArray StandardFile();

// A valid file of `points` level samples taken at `timeStamp` (seconds since
// 1970, UTC), as an instrument hands it over.
QByteArray TimedFile(quint32 timeStamp, int points = 600);

} // namespace SorBuilder
