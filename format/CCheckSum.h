#pragma once

#include "IStream.h"

#include <QtGlobal>

namespace bc {

// The "Cksum" block: a CRC-16/CCITT-FALSE of every byte before its value.
// Instruments writing the later layout disagree about the checksum, so there
// a file saved with the bytes before the value unchanged keeps the value it
// came with; any change gets the CRC.
class CCheckSum : public IStream
{
public:
    void Serialize(CFileStream& stream) override;

    // The value found in the file, or the one last written.
    quint16 nValue = 0;

private:
    // What the load found before the value: its length and digest.
    qint64 m_nCovered = -1;
    quint64 m_nFingerprint = 0;
};

} // namespace bc
