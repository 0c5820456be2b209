#pragma once

#include "IStream.h"

#include <IFileStream.h>

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace bc {

// Load warnings: the file loaded, but something about it is not as it should be.
enum tLoadWarning : quint32 {
    WarningChecksumMissing = 0x1,
    WarningChecksumWrong = 0x2,
    WarningCodepageMissing = 0x4,
};

// The byte stream of one trace file. A load reads the whole file into memory
// and parses it there; a save builds the complete image in memory and only
// then replaces the file on disk, so a failure never leaves a half-written
// file behind. All integers are little-endian.
class CFileStream : public CType::FileStreams::IFileStream
{
public:
    // Allowed classes of a range-tested integer.
    enum tRange : unsigned {
        RangePositive = 0x1,
        RangeZero = 0x2,
        RangeNegative = 0x4, // signed variants only
    };

    explicit CFileStream(const QString& fileName);
    ~CFileStream() override;

    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

    const QString& FileName() const { return m_fileName; }

    bool IsReading() const override { return m_reading; }
    [[noreturn]] void OnLoadFormatError() override;
    [[noreturn]] void OnInternalError() override;
    bool KeepsFileValues() const override { return m_laterLayout; }

    // Whether the file being read or written has the later layout, in which
    // every block carries its name (set by the map, first thing of each run).
    bool LaterLayout() const { return m_laterLayout; }
    void SetLaterLayout(bool later) { m_laterLayout = later; }

    void SerializeString(QString& text, QByteArray& bytesAsRead, QString& textAsRead) override;
    void SerializeUInt16(quint16& value) override;
    void SerializeInt16(qint16& value) override;
    void SerializeInt32(qint32& value) override;
    void SerializeUInt32(quint32& value);

    // A zero-terminated string taken as raw bytes, without any codec.
    void SerializeRawString(QByteArray& bytes);
    // Exactly `count` raw bytes (fixed-width codes, unknown blocks).
    void SerializeBytes(char* data, qint64 count);

    void SerializeRanged(qint16& value, unsigned allowed);
    void SerializeRanged(quint16& value, unsigned allowed);
    void SerializeRanged(qint32& value, unsigned allowed);
    void SerializeRanged(quint32& value, unsigned allowed);

    // Reads exactly `count` bytes. Running past the end of the file, or of the
    // block being read, is a format error.
    void ReadBytes(char* data, qint64 count);
    // Reads `count` bytes in place: the result stays valid until the load ends.
    const char* ReadSpan(qint64 count);
    void WriteBytes(const char* data, qint64 count);

    qint64 Pos() const;
    void Seek(qint64 pos);
    qint64 Size() const;
    // Bytes left before the end of the block being read (or of the file).
    qint64 Remaining() const;

    // While loading, keeps the reads within the next `size` bytes; returns the
    // limit to hand back to PopLimit. A size running past the end of the
    // current limit is a format error.
    qint64 PushLimit(qint64 size);
    void PopLimit(qint64 previous);

    // The file image being read or written (valid during the run).
    const QByteArray& Image() const { return m_data; }
    // CRC-16/CCITT-FALSE over the first `count` bytes of the image.
    quint16 Checksum(qint64 count) const;
    // A 64-bit digest of the first `count` bytes, to tell whether a save
    // reproduces what a load found.
    quint64 Fingerprint(qint64 count) const;
    // While loading, whether the next bytes are exactly these.
    bool NextBytesAre(const char* bytes, qint64 count) const;

    void SetCodepage(quint32 number);
    quint32 Codepage() const { return m_codepage; }
    // Name of the codec the texts of the file are read and written with.
    const QByteArray& CodecName() const { return m_codecName; }
    bool EmptyStringMode() const { return m_emptyStringMode; }
    void AddWarning(quint32 bits) { m_warnings |= bits; }

    // Runs the object's Serialize and returns the number of bytes it consumed
    // or produced.
    qint64 SerializeObject(IStream& object);

    // Loads the object from the file; returns the load warnings.
    quint32 Load(IStream& object);
    // Builds the object's image in memory and writes it over the file.
    void Save(IStream& object);
    // Same as Save, but to another path; the stream keeps its own file name.
    void SaveTo(IStream& object, const QString& fileName);
    // Loads the object from bytes already in memory (a downloaded file).
    quint32 LoadFromData(IStream& object, const QByteArray& data);
    // Builds the object's image in memory and returns it.
    QByteArray SaveToData(IStream& object);
    // Discards what a save pass wrote so far, so that the pass can run again.
    void RestartWriting();

    void Rename(const QString& newName);

    // The codec used where the file names none: a single-byte codec that maps
    // every byte to a character and back (Windows-1251 where the system
    // locale is UTF-8).
    static QByteArray LocaleCodecName();
    // The codec of files marked English or with no known language code:
    // Windows-1251 or Windows-1252 as the user chose, the locale codec while
    // nothing was chosen (empty name).
    static void SetEnglishCodecName(const QByteArray& name);
    static QByteArray EnglishCodecName();
    // For tests: makes a codec name look unavailable, as on a system that
    // lacks it.
    static void SetCodecHiddenForTesting(const QByteArray& name, bool hidden);

private:
    void RequireOneDirection() const;
    void EndRun();
    void SelectCodec(const QByteArray& name);
    // Makes the converters of the codec chosen when a run needs them.
    void MakeConverters();
    // The first character of `text` the present codec cannot hold.
    QString FirstUnmapped(const QString& text);
    [[noreturn]] void ThrowUnmapped(int line, const QString& character);

    QString m_fileName;
    QByteArray m_data;
    qint64 m_pos = 0;
    qint64 m_end = 0;
    quint32 m_codepage = 7;
    bool m_emptyStringMode = false;
    bool m_reading = false;
    bool m_writing = false;
    bool m_laterLayout = false;
    quint32 m_warnings = 0;
    QByteArray m_codecName;
    // Windows-1252 through the program's own tables, which map every byte.
    bool m_ownWestern = false;
    QStringEncoder m_encoder;
    QStringDecoder m_decoder;
};

} // namespace bc
