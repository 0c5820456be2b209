#pragma once

#include <QCoreApplication>
#include <QString>

namespace bc {

// The ways instrument makers fill the "Cksum" value. Version 1.0 files and
// some later-layout instruments store the CRC-16/CCITT-FALSE of every byte
// before the value; others store zero, start the register at zero (XMODEM),
// leave out the checksum block's own header, cover the whole file with the
// value taken as zero, or invert the result.
enum class tChecksumConvention {
    // No "Cksum" block, or none that could be read.
    Absent,
    // The CRC-16/CCITT-FALSE of every byte before the value.
    CcittFalse,
    // The value zero, which several makers store instead of a checksum.
    Zero,
    // CRC-16/XMODEM (initial value 0) of every byte before the value.
    Xmodem,
    // CRC-16/CCITT-FALSE of the bytes before the checksum block.
    CcittFalseBeforeBlock,
    // CRC-16/CCITT-FALSE of the whole file with the value taken as zero.
    CcittFalseWholeFile,
    // CRC-16/CCITT-FALSE of every byte before the value, inverted.
    CcittFalseInverted,
    // None of the above: the value does not match.
    Mismatch,
};

// Recognises and computes the checksum conventions.
class CChecksumConvention
{
    Q_DECLARE_TR_FUNCTIONS(CChecksumConvention)

public:
    // The convention the stored `value` follows in the file image `data` of
    // `size` bytes, whose checksum block starts at `blockStart` and whose value
    // is the two bytes at `valuePos`. The standard CRC is tried first.
    static tChecksumConvention Recognise(const char* data, qint64 size, qint64 blockStart, qint64 valuePos, quint16 value);
    // The value of `convention` for the same image; Absent and Mismatch give
    // the standard CRC.
    static quint16 Compute(
        tChecksumConvention convention, const char* data, qint64 size, qint64 blockStart, qint64 valuePos);
    // The convention's name as `check` and `dump` print it ("CRC-16/XMODEM").
    static QString Name(tChecksumConvention convention);
    // A key that does not change with the language ("xmodem"), for the JSON dump.
    static const char* Key(tChecksumConvention convention);
};

} // namespace bc
