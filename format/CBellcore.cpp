#include "CBellcore.h"

#include "CFileStream.h"
#include "Exception.h"

#include <QLocale>

#include <algorithm>

namespace bc {

namespace {
constexpr quint8 kModule = Exception::ModuleBlocks;
#define BLOCK_THROW(Type) throw Type(kModule, __LINE__)

// A block the program reads. In the later layout it starts with its name, and
// a vendor may have put bytes after the fields the program knows; both are
// kept in the entry and written back in place.
class tFramedBlock final : public IStream
{
public:
    tFramedBlock(CBlockInfo& entry, IStream& body) : m_entry(entry), m_body(body) { }

    void Serialize(CFileStream& stream) override
    {
        const bool later = stream.LaterLayout();
        if (later) {
            if (stream.IsWriting() && m_entry.sHeader.isNull())
                m_entry.sHeader = m_entry.sName;
            BC_LOCATED(kModule, stream.SerializeRawString(m_entry.sHeader));
        }
        BC_LOCATED(kModule, m_body.Serialize(stream));
        if (!later)
            return;
        if (stream.IsReading()) {
            const qint64 rest = stream.Remaining();
            m_entry.aTail = QByteArray(stream.ReadSpan(rest), qsizetype(rest));
        } else {
            stream.WriteBytes(m_entry.aTail.constData(), m_entry.aTail.size());
        }
    }

private:
    CBlockInfo& m_entry;
    IStream& m_body;
};

bool IsKnown(const QByteArray& name)
{
    for (const char* known : { BlockName::General, BlockName::Supplier, BlockName::Fixed, BlockName::KeyEvents,
             BlockName::DataPoints, BlockName::Checksum }) {
        if (name == known)
            return true;
    }
    return false;
}

// Names what is wrong with a block that could not be read: where the file
// ends before the size its map entry announces, by how much.
void Explain(EFileLoadInvalidFormat& failure, const QByteArray& name, quint32 size, qint64 available)
{
    if (!failure.Cause().isEmpty())
        return;
    const QString block = QString::fromLatin1(name);
    if (qint64(size) > available) {
        failure.SetCause(EFileLoadInvalidFormat::tr("the block %1 ends %2 bytes before its announced size")
                             .arg(block, QLocale().toString(qint64(size) - available)));
    } else {
        failure.SetCause(EFileLoadInvalidFormat::tr("the fields of the block %1 do not read as its %2 bytes announce")
                             .arg(block, QLocale().toString(qint64(size))));
    }
}

void SerializeFramed(CFileStream& stream, IStream& body, CBlockInfo& entry)
{
    tFramedBlock framed(entry, body);
    SerializeBlock(stream, framed, entry);
}
} // namespace

bool CBellcore::HasBlock(const char* name) const
{
    return std::any_of(
        map.entries.begin(), map.entries.end(), [name](const CBlockInfo& entry) { return entry.sName == name; });
}

void CBellcore::Serialize(CFileStream& stream)
{
    bool checksumStale = false;
    try {
        SerializeEntries(stream, checksumStale);
    } catch (EFileLoadInvalidFormat& failure) {
        failure.SetLaterLayout(map.bNamed);
        throw;
    }
    if (stream.IsWriting() && checksumStale) {
        // A size at or after the checksum changed after the checksum was
        // computed over it; the sizes are right now, so a second pass gives a
        // checksum that matches the image.
        stream.RestartWriting();
        SerializeEntries(stream, checksumStale);
    }
    if (stream.IsWriting())
        checksum.Finish(stream);
    if (stream.IsReading() && !HasBlock(BlockName::Checksum))
        stream.AddWarning(WarningChecksumMissing);
    if (stream.IsReading()) {
        const std::deque<sor::tKeyEvent>& events = keyEvents.events;
        m_nFirstEventNumber = events.empty() ? 1 : events.front().number.Value();
        for (size_t i = 0; i < events.size(); ++i) {
            if (events[i].number.Value() != m_nFirstEventNumber + unsigned(i))
                m_nFirstEventNumber = 1;
        }
    }
}

void CBellcore::SerializeEntries(CFileStream& stream, bool& checksumStale)
{
    checksumStale = false;
    bool checksumWritten = false;
    try {
        BC_LOCATED(kModule, SerializeBlock(stream, map, map));
    } catch (EFileLoadInvalidFormat& failure) {
        if (failure.Cause().isEmpty())
            failure.SetCause(EFileLoadInvalidFormat::tr("the block map cannot be read"));
        throw;
    }

    // In both layouts a second block of a known name is kept as raw bytes:
    // read into the same object, it would be written back as the first one.
    std::vector<QByteArray> seen;
    for (CBlockInfo& entry : map.entries) {
        const quint32 sizeBefore = entry.nSize;
        const QByteArray& name = entry.sName;
        const bool repeated = std::find(seen.begin(), seen.end(), name) != seen.end();
        seen.push_back(name);
        const qint64 available = stream.Remaining();
        try {
            SerializeEntry(stream, entry, repeated, checksumWritten);
        } catch (EFileLoadInvalidFormat& failure) {
            if (stream.IsReading() && name != BlockName::Checksum)
                Explain(failure, name, entry.nSize, available);
            throw;
        }
        if (stream.IsWriting() && checksumWritten && entry.nSize != sizeBefore)
            checksumStale = true;
    }

    // Bytes after the last block of the map belong to whoever wrote them.
    if (stream.IsReading()) {
        const qint64 rest = stream.Remaining();
        aTrailing = QByteArray(stream.ReadSpan(rest), qsizetype(rest));
    } else {
        stream.WriteBytes(aTrailing.constData(), aTrailing.size());
    }
}

void CBellcore::SerializeEntry(CFileStream& stream, CBlockInfo& entry, bool repeated, bool& checksumWritten)
{
    const QByteArray& name = entry.sName;
    if (entry.nSize == 0 && entry.userBlock.aBytes.isEmpty() && (repeated || !IsKnown(name))) {
        // An empty block of another program: nothing to read, nothing to write.
    } else if (repeated) {
        if (stream.IsWriting() && entry.userBlock.aBytes.isEmpty())
            BLOCK_THROW(EInternalError);
        BC_LOCATED(kModule, SerializeBlock(stream, entry.userBlock, entry));
    } else if (name == BlockName::General) {
        BC_LOCATED(kModule, SerializeFramed(stream, general, entry));
    } else if (name == BlockName::Supplier) {
        BC_LOCATED(kModule, SerializeFramed(stream, supplier, entry));
    } else if (name == BlockName::Fixed) {
        BC_LOCATED(kModule, SerializeFramed(stream, fixed, entry));
    } else if (name == BlockName::KeyEvents) {
        BC_LOCATED(kModule, SerializeFramed(stream, keyEvents, entry));
    } else if (name == BlockName::DataPoints) {
        BC_LOCATED(kModule, SerializeFramed(stream, dataPoints, entry));
    } else if (name == BlockName::Checksum) {
        const qint64 start = stream.Pos();
        checksum.nBlockStart = start;
        // A checksum block that could not be read is written afresh, with
        // its own header and the checksum of the bytes before it.
        if (stream.IsWriting() && entry.nSize <= entry.HeaderSize())
            entry.nSize = entry.HeaderSize() + 1;
        try {
            SerializeFramed(stream, checksum, entry);
        } catch (EFileLoadInvalidFormat&) {
            if (stream.IsWriting())
                throw;
            // An unreadable checksum does not make the trace unusable.
            stream.AddWarning(WarningChecksumMissing);
            checksum.convention = tChecksumConvention::Absent;
            stream.Seek(qMin(start + qint64(entry.nSize), stream.Size()));
            entry.sHeader = QByteArray();
            entry.aTail.clear();
        }
        checksumWritten = true;
    } else {
        if (stream.IsWriting() && entry.userBlock.aBytes.isEmpty())
            BLOCK_THROW(EInternalError);
        BC_LOCATED(kModule, SerializeBlock(stream, entry.userBlock, entry));
    }
}

void CBellcore::UpdateEventsBlock()
{
    std::deque<sor::tKeyEvent>& events = keyEvents.events;
    std::stable_sort(events.begin(), events.end(),
        [](const sor::tKeyEvent& a, const sor::tKeyEvent& b) { return float(a.time) < float(b.time); });
    unsigned int number = m_nFirstEventNumber;
    for (sor::tKeyEvent& event : events)
        event.number = number++;

    auto& entries = map.entries;
    const auto present = std::find_if(
        entries.begin(), entries.end(), [](const CBlockInfo& entry) { return entry.sName == BlockName::KeyEvents; });
    if (present != entries.end()) {
        // The later layout holds an empty list; version 1.0 cannot.
        if (events.empty() && !map.bNamed)
            entries.erase(present);
        return;
    }
    if (events.empty())
        return;
    const auto dataPoints = std::find_if(
        entries.begin(), entries.end(), [](const CBlockInfo& entry) { return entry.sName == BlockName::DataPoints; });
    entries.insert(dataPoints, CBlockInfo(BlockName::KeyEvents, map.bNamed ? map.nRevision : 1, 1));
}

} // namespace bc
