#pragma once

#include <QtGlobal>

// CRC-16/CCITT-FALSE (polynomial 0x1021, initial value 0xFFFF, most
// significant bit first, no reflection, no final XOR): the checksum of a
// Bellcore file. It covers the whole file on every load and save, so it runs
// with carry-less multiplication where the processor has it and eight bytes
// per table step elsewhere.
class CCrc16
{
public:
    static quint16 Compute(const char* data, qint64 count);
    // Continues a running checksum over more bytes.
    static quint16 Update(quint16 crc, const char* data, qint64 count);
    // The same checksum one bit at a time: the definition, for tests.
    static quint16 Reference(const char* data, qint64 count);
};
