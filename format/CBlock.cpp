#include "CBlock.h"

#include "CBlockInfo.h"
#include "CBlockMap.h"
#include "CCheckSum.h"
#include "CFileStream.h"
#include "Exception.h"

namespace bc {

namespace {
constexpr quint8 kModule = Exception::ModuleBlocks;
#define BLOCK_THROW(Type) throw Type(kModule, __LINE__)
} // namespace

void SerializeBlock(CFileStream& stream, IStream& block, CBlock& entry)
{
    const qint64 start = stream.Pos();
    if (stream.IsReading()) {
        if (static_cast<IStream*>(&entry) == &block) {
            // The map states its own size only once it has been read.
            BC_LOCATED(kModule, block.Serialize(stream));
        } else {
            // The block is parsed only inside the bytes its entry declares.
            struct tLimit
            {
                CFileStream& stream;
                qint64 previous;
                ~tLimit() { stream.PopLimit(previous); }
            } limit { stream, stream.PushLimit(qint64(entry.nSize) - qint64(entry.HeaderSize())) };
            BC_LOCATED(kModule, block.Serialize(stream));
        }
        if (stream.Pos() - start != qint64(entry.nSize) - qint64(entry.HeaderSize()))
            BLOCK_THROW(EFileLoadInvalidFormat); // unread bytes left, or read past the block
        return;
    }

    if (entry.nSize <= entry.HeaderSize())
        BLOCK_THROW(EInternalError);
    BC_LOCATED(kModule, block.Serialize(stream));
    const qint64 produced = stream.Pos() - start;
    if (produced > qint64(0xFFFFFFFFu) || entry.nSizePos == 0)
        BLOCK_THROW(EInternalError);
    entry.nSize = quint32(produced);
    const qint64 end = stream.Pos();
    stream.Seek(entry.nSizePos);
    stream.SerializeUInt32(entry.nSize);
    stream.Seek(end);
}

void CBlockInfo::CUserBlock::Serialize(CFileStream& stream)
{
    if (stream.IsReading()) {
        aBytes.resize(qsizetype(nExpected));
        stream.ReadBytes(aBytes.data(), aBytes.size());
        return;
    }
    stream.WriteBytes(aBytes.constData(), aBytes.size());
}

void CBlockInfo::Serialize(CFileStream& stream)
{
    if (stream.IsWriting() && sName.isEmpty())
        BLOCK_THROW(EInternalError);
    BC_LOCATED(kModule, stream.SerializeRawString(sName));
    if (stream.IsReading() && sName.isEmpty())
        BLOCK_THROW(EFileLoadInvalidFormat);
    BC_LOCATED(kModule, stream.SerializeUInt16(nRevision));
    if (stream.IsWriting())
        nSizePos = stream.Pos();
    BC_LOCATED(kModule, stream.SerializeUInt32(nSize));
    if (stream.IsReading()) {
        userBlock.aBytes.clear();
        userBlock.nExpected = nSize;
    }
}

void CBlockMap::Serialize(CFileStream& stream)
{
    if (stream.IsReading())
        bNamed = stream.NextBytesAre("Map", 4);
    stream.SetLaterLayout(bNamed);
    if (bNamed) {
        QByteArray name("Map");
        BC_LOCATED(kModule, stream.SerializeRawString(name));
    }
    BC_LOCATED(kModule, stream.SerializeUInt16(nRevision));
    if (stream.IsWriting())
        nSizePos = stream.Pos();
    BC_LOCATED(kModule, stream.SerializeUInt32(nSize));

    // The count includes the map itself.
    if (stream.IsWriting() && entries.size() >= 0x7FFF)
        BLOCK_THROW(EInternalError);
    qint16 count = qint16(entries.size() + 1);
    BC_LOCATED(kModule, stream.SerializeInt16(count));
    if (stream.IsReading()) {
        if (count < 1)
            BLOCK_THROW(EFileLoadInvalidFormat);
        entries.clear();
        entries.resize(size_t(count - 1));
    }
    for (CBlockInfo& entry : entries)
        BC_LOCATED(kModule, entry.Serialize(stream));
}

void CCheckSum::Serialize(CFileStream& stream)
{
    // The value covers every byte before it, wherever the block stands.
    const qint64 covered = stream.Pos();
    if (stream.IsReading()) {
        BC_LOCATED(kModule, stream.SerializeUInt16(nValue));
        const QByteArray& image = stream.Image();
        convention = CChecksumConvention::Recognise(image.constData(), image.size(), nBlockStart, covered, nValue);
        if (convention == tChecksumConvention::Mismatch)
            stream.AddWarning(WarningChecksumWrong);
        m_written = convention;
        m_nCovered = stream.LaterLayout() ? covered : -1;
        if (m_nCovered >= 0)
            m_nFingerprint = stream.Fingerprint(covered);
        return;
    }
    const bool unchanged
        = stream.LaterLayout() && covered == m_nCovered && stream.Fingerprint(covered) == m_nFingerprint;
    m_nValuePos = -1;
    if (!unchanged) {
        m_written = convention == tChecksumConvention::Absent || convention == tChecksumConvention::Mismatch
            ? tChecksumConvention::CcittFalse
            : convention;
        const QByteArray& image = stream.Image();
        nValue = CChecksumConvention::Compute(m_written, image.constData(), covered, nBlockStart, covered);
        if (m_written == tChecksumConvention::CcittFalseWholeFile)
            m_nValuePos = covered;
    }
    BC_LOCATED(kModule, stream.SerializeUInt16(nValue));
}

void CCheckSum::Finish(CFileStream& stream)
{
    if (!stream.IsWriting() || m_nValuePos < 0)
        return;
    const QByteArray& image = stream.Image();
    nValue = CChecksumConvention::Compute(m_written, image.constData(), image.size(), nBlockStart, m_nValuePos);
    const qint64 end = stream.Pos();
    stream.Seek(m_nValuePos);
    stream.SerializeUInt16(nValue);
    stream.Seek(end);
}

} // namespace bc
