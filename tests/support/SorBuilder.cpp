#include "SorBuilder.h"

namespace SorBuilder {

ByteWriter& ByteWriter::U16(quint16 value)
{
    m_bytes.append(char(value & 0xFF));
    m_bytes.append(char(value >> 8));
    return *this;
}

ByteWriter& ByteWriter::I16(qint16 value)
{
    return U16(quint16(value));
}

ByteWriter& ByteWriter::U32(quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        m_bytes.append(char((value >> shift) & 0xFF));
    return *this;
}

ByteWriter& ByteWriter::I32(qint32 value)
{
    return U32(quint32(value));
}

ByteWriter& ByteWriter::Str(const QByteArray& bytes)
{
    m_bytes.append(bytes);
    m_bytes.append('\0');
    return *this;
}

ByteWriter& ByteWriter::Raw(const QByteArray& bytes)
{
    m_bytes.append(bytes);
    return *this;
}

QByteArray GeneralBody(const tGeneral& g)
{
    ByteWriter w;
    w.Raw(g.language).Str(g.cableId).Str(g.fiberId).I16(g.wavelength);
    w.Str(g.originatingLocation).Str(g.terminatingLocation).Str(g.cableCode);
    w.Raw(g.condition).I32(g.userOffset).Str(g.operatorName).Str(g.comment);
    return w.Bytes();
}

QByteArray SupplierBody(const tSupplier& s)
{
    ByteWriter w;
    w.Str(s.supplierName).Str(s.mainframeId).Str(s.mainframeSerial).Str(s.opticalModuleId);
    w.Str(s.opticalModuleSerial).Str(s.softwareRevision).Str(s.otherInfo);
    return w.Bytes();
}

QByteArray FixedBody(const tFixed& f)
{
    ByteWriter w;
    w.U32(f.timeStamp).Raw(f.unit).I16(f.actualWavelength).I32(f.acquisitionOffset);
    w.I16(f.pulseCount.value_or(qint16(f.pulses.size())));
    for (const tPulse& pulse : f.pulses)
        w.I16(pulse.width);
    for (const tPulse& pulse : f.pulses)
        w.I32(pulse.spacing);
    for (const tPulse& pulse : f.pulses)
        w.U32(pulse.points);
    w.I32(f.groupIndex).I16(f.backscatter).I32(f.averages).I32(f.acquisitionRange).I32(f.frontPanelOffset);
    w.U16(f.noiseFloorLevel).I16(f.noiseFloorScale);
    w.U16(f.powerOffset).U16(f.lossThreshold).U16(f.reflectanceThreshold).U16(f.endOfFiberThreshold);
    return w.Bytes();
}

QByteArray KeyEventsBody(const tKeyEvents& k)
{
    ByteWriter w;
    w.I16(k.eventCount.value_or(qint16(k.events.size())));
    for (const tEvent& e : k.events) {
        w.I16(e.number).I32(e.time).I16(e.attenuation).I16(e.loss).I32(e.reflectance);
        w.Raw(e.code).Raw(e.technique).Str(e.comment);
    }
    w.I32(k.endToEndLoss).I32(k.endToEndStart).I32(k.endToEndEnd);
    w.I16(k.returnLoss).I32(k.returnLossStart).I32(k.returnLossEnd);
    return w.Bytes();
}

QByteArray DataPointsBody(const tDataPoints& d)
{
    quint32 total = 0;
    for (const tGroup& group : d.groups)
        total += quint32(group.samples.size());
    ByteWriter w;
    w.U32(d.totalPoints.value_or(total));
    w.I16(d.groupCount.value_or(qint16(d.groups.size())));
    for (const tGroup& group : d.groups) {
        w.U32(group.count.value_or(quint32(group.samples.size())));
        w.I16(group.factor);
        for (quint16 sample : group.samples)
            w.U16(sample);
    }
    return w.Bytes();
}

std::vector<tBlock> StandardBlocks()
{
    return {
        { "GenParams", 100, GeneralBody(), {} },
        { "SupParams", 100, SupplierBody(), {} },
        { "FxdParams", 100, FixedBody(), {} },
        { "KeyEvents", 100, KeyEventsBody(), {} },
        { "DataPts", 100, DataPointsBody(), {} },
    };
}

quint16 Crc16(const QByteArray& bytes)
{
    quint16 crc = 0xFFFF;
    for (char byte : bytes) {
        crc ^= quint16(quint8(byte)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

QByteArray Assemble(const std::vector<tBlock>& blocks, tChecksum checksum, quint16 mapRevision)
{
    std::vector<tBlock> all = blocks;
    if (checksum != NoChecksum)
        all.push_back({ "Cksum", 100, QByteArray(), 2u });

    // Revision, size and count, then one name, revision and size per entry.
    quint32 mapSize = 2 + 4 + 2;
    for (const tBlock& block : all)
        mapSize += quint32(block.name.size()) + 1 + 2 + 4;

    ByteWriter w;
    w.U16(mapRevision).U32(mapSize).I16(qint16(all.size() + 1));
    for (const tBlock& block : all)
        w.Str(block.name).U16(block.revision).U32(block.declaredSize.value_or(quint32(block.body.size())));
    for (const tBlock& block : blocks)
        w.Raw(block.body);

    QByteArray file = w.Bytes();
    if (checksum == CorrectChecksum || checksum == WrongChecksum) {
        const quint16 crc = Crc16(file);
        file.append(ByteWriter().U16(checksum == CorrectChecksum ? crc : quint16(crc + 1)).Bytes());
    }
    return file;
}

QByteArray StandardFile()
{
    return Assemble(StandardBlocks());
}

QByteArray TimedFile(quint32 timeStamp, int points)
{
    tFixed fixed;
    fixed.timeStamp = timeStamp;
    fixed.pulses[0].points = quint32(points);
    tDataPoints data;
    data.groups[0].samples.assign(size_t(points), 5000);
    std::vector<tBlock> blocks = StandardBlocks();
    blocks[2].body = FixedBody(fixed);
    blocks[4].body = DataPointsBody(data);
    return Assemble(blocks);
}

} // namespace SorBuilder
