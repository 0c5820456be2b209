#pragma once

#include "IStream.h"

#include <QtGlobal>

namespace bc {

// Common part of the map and of a map entry: a revision number and the exact
// size in bytes of the block body that the entry describes.
class CBlock : public IStream
{
public:
    virtual ~CBlock() = default;

    // Bytes of the block that precede its body; none in version 1.0 files.
    virtual quint32 HeaderSize() const { return 0; }

    quint16 nRevision = 0;
    quint32 nSize = 1;
    // Where the size field was written during a save; 0 until then.
    qint64 nSizePos = 0;
};

// Serialises `block` against its map `entry`: while loading, the block must
// take exactly the entry's size; while saving, the entry's size field is
// patched with the bytes the block produced.
void SerializeBlock(CFileStream& stream, IStream& block, CBlock& entry);

} // namespace bc
