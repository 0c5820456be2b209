#pragma once

#include "IStream.h"

#include <QtGlobal>

namespace bc {

// The "Cksum" block: a CRC-16/CCITT-FALSE of every byte before it.
class CCheckSum : public IStream
{
public:
    void Serialize(CFileStream& stream) override;

    // The value found in the file, or the one last written.
    quint16 nValue = 0;
};

} // namespace bc
