#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace CType::FileStreams {

// A bidirectional stream for the file format: every field has one Serialize
// routine, and the stream tells it whether it is loading or saving. While
// loading, each call fills its argument; while saving, it writes it. The
// argument keeps its value in both directions.
class IFileStream
{
public:
    virtual ~IFileStream() = default;

    virtual bool IsReading() const = 0;
    bool IsWriting() const { return !IsReading(); }

    // A value read from the file breaks its field's rules: the file is refused.
    [[noreturn]] virtual void OnLoadFormatError() = 0;
    // A value about to be written breaks its field's rules: the program's own
    // data is wrong, and nothing is written.
    [[noreturn]] virtual void OnInternalError() = 0;
    // While loading: a value outside its field's limits is kept as the file
    // brings it instead of refusing the file (the later layout, whose
    // instruments write such values). The limits still hold for edited values.
    virtual bool KeepsFileValues() const { return false; }

    // A zero-terminated single-byte string in the file's codepage.
    // `bytesAsRead` and `textAsRead` remember what a load found, so that an
    // unedited text is written back with exactly the bytes it came with, even
    // where the codec cannot map every byte sequence back.
    virtual void SerializeString(QString& text, QByteArray& bytesAsRead, QString& textAsRead) = 0;

    virtual void SerializeUInt16(quint16& value) = 0;
    virtual void SerializeInt16(qint16& value) = 0;
    // Also used for unsigned 32-bit fields.
    virtual void SerializeInt32(qint32& value) = 0;
};

} // namespace CType::FileStreams
