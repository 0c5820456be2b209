#include "CRecordSpan.h"

#include "CBlockMap.h"
#include "CFileStream.h"
#include "Exception.h"

namespace bc {

namespace {

// Reads the map of a record and nothing after it.
class tMapOnly final : public IStream
{
public:
    void Serialize(CFileStream& stream) override { SerializeBlock(stream, map, map); }

    CBlockMap map;
};

} // namespace

qint64 CRecordSpan::Length(const QByteArray& bytes, qint64 offset)
{
    if (offset < 0 || offset >= bytes.size())
        return 0;
    const qint64 available = bytes.size() - offset;
    // A view of the bytes, not a copy: only the map is read.
    const QByteArray rest = QByteArray::fromRawData(bytes.constData() + offset, qsizetype(available));
    tMapOnly record;
    try {
        CFileStream stream { QString() };
        stream.LoadFromData(record, rest);
    } catch (const Exception&) {
        return 0;
    }
    qint64 length = record.map.nSize;
    for (const CBlockInfo& entry : record.map.entries) {
        length += entry.nSize;
        if (length > available)
            return 0;
    }
    return length > 0 && length <= available ? length : 0;
}

} // namespace bc
