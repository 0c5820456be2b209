#pragma once

#include "CChecksumConvention.h"
#include "IStream.h"

#include <QtGlobal>

namespace bc {

// The "Cksum" block: a CRC-16/CCITT-FALSE of every byte before its value, or
// one of the other conventions instruments follow (CChecksumConvention).
// Instruments writing the later layout disagree about the checksum, so there
// a file saved with the bytes before the value unchanged keeps the value it
// came with; any change gets the CRC.
class CCheckSum : public IStream
{
public:
    void Serialize(CFileStream& stream) override;

    // After a save pass: a value that covers the bytes after it as well is
    // computed once the whole image is there.
    void Finish(CFileStream& stream);

    // The value found in the file, or the one last written.
    quint16 nValue = 0;
    // Where the block starts (its header included), set before it is read.
    qint64 nBlockStart = 0;
    // The convention the value read matches. An edited file is written with
    // the same convention, so that its maker's programs accept it; a value
    // that matched none gets the standard CRC.
    tChecksumConvention convention = tChecksumConvention::Absent;
    // The convention of the value last written.
    tChecksumConvention Written() const { return m_written; }

private:
    // What the load found before the value: its length and digest.
    qint64 m_nCovered = -1;
    quint64 m_nFingerprint = 0;
    // Where the last save pass put the value, and with which convention.
    qint64 m_nValuePos = -1;
    tChecksumConvention m_written = tChecksumConvention::Absent;
};

} // namespace bc
