#include "CChecksumConvention.h"

#include "CCrc16.h"

namespace bc {

namespace {

constexpr tChecksumConvention kTried[] = {
    tChecksumConvention::CcittFalse,
    tChecksumConvention::Xmodem,
    tChecksumConvention::CcittFalseBeforeBlock,
    tChecksumConvention::CcittFalseWholeFile,
    tChecksumConvention::CcittFalseInverted,
    tChecksumConvention::Zero,
};

} // namespace

tChecksumConvention CChecksumConvention::Recognise(
    const char* data, qint64 size, qint64 blockStart, qint64 valuePos, quint16 value)
{
    for (const tChecksumConvention convention : kTried) {
        if (Compute(convention, data, size, blockStart, valuePos) == value)
            return convention;
    }
    return tChecksumConvention::Mismatch;
}

quint16 CChecksumConvention::Compute(
    tChecksumConvention convention, const char* data, qint64 size, qint64 blockStart, qint64 valuePos)
{
    valuePos = qBound<qint64>(0, valuePos, size);
    blockStart = qBound<qint64>(0, blockStart, valuePos);
    switch (convention) {
    case tChecksumConvention::Zero:
        return 0;
    case tChecksumConvention::Xmodem:
        return CCrc16::Update(0, data, valuePos);
    case tChecksumConvention::CcittFalseBeforeBlock:
        return CCrc16::Compute(data, blockStart);
    case tChecksumConvention::CcittFalseWholeFile: {
        // The value's two bytes count as zero; whatever follows them counts too.
        static const char zero[2] = { 0, 0 };
        const qint64 valueBytes = qMin<qint64>(2, size - valuePos);
        quint16 crc = CCrc16::Compute(data, valuePos);
        crc = CCrc16::Update(crc, zero, valueBytes);
        return CCrc16::Update(crc, data + valuePos + valueBytes, size - valuePos - valueBytes);
    }
    case tChecksumConvention::CcittFalseInverted:
        return quint16(~CCrc16::Compute(data, valuePos));
    case tChecksumConvention::Absent:
    case tChecksumConvention::CcittFalse:
    case tChecksumConvention::Mismatch:
        break;
    }
    return CCrc16::Compute(data, valuePos);
}

QString CChecksumConvention::Name(tChecksumConvention convention)
{
    switch (convention) {
    case tChecksumConvention::Absent:
        return tr("absent");
    case tChecksumConvention::CcittFalse:
        return tr("CRC-16/CCITT-FALSE");
    case tChecksumConvention::Zero:
        return tr("zero, not computed by the instrument");
    case tChecksumConvention::Xmodem:
        return tr("CRC-16/XMODEM");
    case tChecksumConvention::CcittFalseBeforeBlock:
        return tr("CRC-16/CCITT-FALSE before the checksum block");
    case tChecksumConvention::CcittFalseWholeFile:
        return tr("CRC-16/CCITT-FALSE over the whole file");
    case tChecksumConvention::CcittFalseInverted:
        return tr("CRC-16/CCITT-FALSE inverted");
    case tChecksumConvention::Mismatch:
        break;
    }
    return tr("does not match");
}

const char* CChecksumConvention::Key(tChecksumConvention convention)
{
    switch (convention) {
    case tChecksumConvention::Absent:
        return "absent";
    case tChecksumConvention::CcittFalse:
        return "ccitt-false";
    case tChecksumConvention::Zero:
        return "zero";
    case tChecksumConvention::Xmodem:
        return "xmodem";
    case tChecksumConvention::CcittFalseBeforeBlock:
        return "ccitt-false-before-block";
    case tChecksumConvention::CcittFalseWholeFile:
        return "ccitt-false-whole-file";
    case tChecksumConvention::CcittFalseInverted:
        return "ccitt-false-inverted";
    case tChecksumConvention::Mismatch:
        break;
    }
    return "mismatch";
}

} // namespace bc
