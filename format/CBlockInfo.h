#pragma once

#include "CBlock.h"

#include <QByteArray>

namespace bc {

// One entry of the block map: the name, revision and size of a block.
class CBlockInfo final : public CBlock
{
public:
    // Raw bytes of a block that the program does not interpret; kept as read
    // and written back unchanged, in place.
    class CUserBlock final : public IStream
    {
    public:
        void Serialize(CFileStream& stream) override;

        QByteArray aBytes;
        // Size the block must have while loading.
        quint32 nExpected = 0;
    };

    CBlockInfo() = default;
    CBlockInfo(const QByteArray& name, quint16 revision, quint32 size)
    {
        sName = name;
        nRevision = revision;
        nSize = size;
    }

    // The entry itself: name, revision, size.
    void Serialize(CFileStream& stream) override;

    QByteArray sName;
    CUserBlock userBlock;
    // Later layout, blocks the program reads: the name that starts the block
    // as the file holds it (null: the entry's name), and the bytes a vendor
    // put after the fields the program knows. Both are written back in place.
    QByteArray sHeader;
    QByteArray aTail;
};

} // namespace bc
