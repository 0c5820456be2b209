#include "CFileStream.h"

#include "CCrc16.h"
#include "CWindows1252.h"
#include "Exception.h"

#include <QFile>
#include <QHash>
#include <QHashFunctions>
#include <QMutex>
#include <QSaveFile>
#include <QSet>
#include <QtEndian>

#include <cerrno>
#include <cstring>

namespace bc {

namespace {

constexpr quint8 kModule = Exception::ModuleStream;

#define STREAM_THROW(Type) throw Type(kModule, __LINE__)

const QByteArray kWindows1252 = QByteArrayLiteral("Windows-1252");

struct tCodecRegistry
{
    QMutex mutex;
    QSet<QByteArray> hidden;
    QHash<QByteArray, bool> available;
    // The code page of files marked English or unmarked; empty: the locale's.
    QByteArray english;
};

tCodecRegistry& Codecs()
{
    static tCodecRegistry registry;
    return registry;
}

// The cause of a failed file access in words, with the system's own text.
QString AccessCause(int error, const QString& systemText)
{
    QString words;
    switch (error) {
    case ENOENT:
        words = EFileAccessError::tr("no such file");
        break;
    case EACCES:
    case EPERM:
        words = EFileAccessError::tr("permission denied");
        break;
    case ENOSPC:
        words = EFileAccessError::tr("disk full");
        break;
    default:
        break;
    }
    // Without an error number the system's text says nothing ("Unknown error").
    if (words.isEmpty())
        return error == 0 || systemText == QLatin1String("Unknown error") ? QString() : systemText;
    return systemText.isEmpty() ? words : EFileAccessError::tr("%1 (%2)").arg(words, systemText);
}

[[noreturn]] void ThrowAccess(int line, int error, const QString& systemText)
{
    EFileAccessError failure(kModule, line);
    failure.SetCause(AccessCause(error, systemText));
    throw failure;
}

// Opening a converter is costly, so whether a codec exists is asked once.
bool CodecAvailable(const QByteArray& name)
{
    tCodecRegistry& codecs = Codecs();
    QMutexLocker lock(&codecs.mutex);
    if (codecs.hidden.contains(name))
        return false;
    if (name == kWindows1252)
        return true; // the program's own tables
    auto known = codecs.available.constFind(name);
    if (known == codecs.available.constEnd())
        known = codecs.available.insert(
            name, QStringDecoder(name.constData()).isValid() && QStringEncoder(name.constData()).isValid());
    return known.value();
}

QByteArray CodecNameForCodepage(quint32 number)
{
    switch (number) {
    case 0: // English
    case 7: // no language code the program knows
        return CFileStream::EnglishCodecName();
    case 1: // French
    case 3: // Spanish
    case 4: // German
        // Western European instruments write Windows-1252.
        return kWindows1252;
    case 2:
        return QByteArrayLiteral("EUC-JP");
    case 6:
        return QByteArrayLiteral("Windows-1251");
    default:
        return {};
    }
}

template<typename T> bool InRange(T value, unsigned allowed)
{
    if (value > 0)
        return allowed & CFileStream::RangePositive;
    if (value == 0)
        return allowed & CFileStream::RangeZero;
    return allowed & CFileStream::RangeNegative;
}

} // namespace

CFileStream::CFileStream(const QString& fileName) : m_fileName(fileName)
{
    SelectCodec(LocaleCodecName());
    if (!m_encoder.isValid() || !m_decoder.isValid())
        STREAM_THROW(EInternalError);
}

CFileStream::~CFileStream() = default;

QByteArray CFileStream::LocaleCodecName()
{
    // Texts in the file are single-byte. Where the system codec is a
    // multi-byte one (UTF-8, as Qt takes it on every Unix system) it would not
    // map arbitrary bytes to text and back, so the Cyrillic Windows codepage
    // stands in for it: it maps every byte to a character and back.
    const QString probe = QStringDecoder(QStringConverter::System).decode(QByteArrayLiteral("\xD0\x90"));
    if (probe.size() == 1)
        return QByteArrayLiteral("Windows-1251");
    // A single-byte system codec decodes the two bytes as two characters; Qt
    // knows it by the name the system gives it.
    const QByteArray system = QStringConverter::nameForEncoding(QStringConverter::System);
    return CodecAvailable(system) ? system : QByteArrayLiteral("Windows-1251");
}

void CFileStream::SetCodecHiddenForTesting(const QByteArray& name, bool hidden)
{
    tCodecRegistry& codecs = Codecs();
    QMutexLocker lock(&codecs.mutex);
    if (hidden)
        codecs.hidden.insert(name);
    else
        codecs.hidden.remove(name);
}

void CFileStream::SetEnglishCodecName(const QByteArray& name)
{
    tCodecRegistry& codecs = Codecs();
    QMutexLocker lock(&codecs.mutex);
    codecs.english = name;
}

QByteArray CFileStream::EnglishCodecName()
{
    {
        tCodecRegistry& codecs = Codecs();
        QMutexLocker lock(&codecs.mutex);
        if (!codecs.english.isEmpty())
            return codecs.english;
    }
    return LocaleCodecName();
}

void CFileStream::OnLoadFormatError()
{
    STREAM_THROW(EFileLoadInvalidFormat);
}

void CFileStream::OnInternalError()
{
    STREAM_THROW(EInternalError);
}

void CFileStream::RequireOneDirection() const
{
    if (m_reading == m_writing) {
        // Used outside a load or save: a fault of the program, not of the file.
        auto* self = const_cast<CFileStream*>(this);
        self->m_reading = self->m_writing = false;
        STREAM_THROW(EInternalError);
    }
}

void CFileStream::ReadBytes(char* data, qint64 count)
{
    std::memcpy(data, ReadSpan(count), size_t(count));
}

const char* CFileStream::ReadSpan(qint64 count)
{
    if (!m_reading)
        STREAM_THROW(EInternalError);
    if (count < 0 || count > m_end - m_pos)
        STREAM_THROW(EFileLoadInvalidFormat); // the file or block ends early
    const char* span = m_data.constData() + m_pos;
    m_pos += count;
    return span;
}

void CFileStream::WriteBytes(const char* data, qint64 count)
{
    if (!m_writing || count < 0)
        STREAM_THROW(EInternalError);
    const qint64 overlap = qMin<qint64>(count, m_data.size() - m_pos);
    if (overlap > 0)
        std::memcpy(m_data.data() + m_pos, data, size_t(overlap));
    if (count > overlap)
        m_data.append(data + overlap, count - overlap);
    m_pos += count;
}

void CFileStream::SerializeBytes(char* data, qint64 count)
{
    if (m_reading)
        ReadBytes(data, count);
    else
        WriteBytes(data, count);
}

void CFileStream::SerializeUInt16(quint16& value)
{
    if (m_reading) {
        value = qFromLittleEndian<quint16>(ReadSpan(2));
    } else {
        char bytes[2];
        qToLittleEndian<quint16>(value, bytes);
        WriteBytes(bytes, 2);
    }
}

void CFileStream::SerializeInt16(qint16& value)
{
    quint16 bits = quint16(value);
    SerializeUInt16(bits);
    value = qint16(bits);
}

void CFileStream::SerializeUInt32(quint32& value)
{
    if (m_reading) {
        value = qFromLittleEndian<quint32>(ReadSpan(4));
    } else {
        char bytes[4];
        qToLittleEndian<quint32>(value, bytes);
        WriteBytes(bytes, 4);
    }
}

void CFileStream::SerializeInt32(qint32& value)
{
    quint32 bits = quint32(value);
    SerializeUInt32(bits);
    value = qint32(bits);
}

template<typename T>
static void SerializeRangedValue(CFileStream& stream, T& value, unsigned allowed, void (CFileStream::*serialize)(T&))
{
    if (stream.IsWriting() && !InRange(value, allowed))
        stream.OnInternalError();
    (stream.*serialize)(value);
    if (stream.IsReading() && !InRange(value, allowed))
        stream.OnLoadFormatError();
}

void CFileStream::SerializeRanged(qint16& value, unsigned allowed)
{
    SerializeRangedValue(*this, value, allowed, &CFileStream::SerializeInt16);
}

void CFileStream::SerializeRanged(quint16& value, unsigned allowed)
{
    SerializeRangedValue(*this, value, allowed & ~unsigned(RangeNegative), &CFileStream::SerializeUInt16);
}

void CFileStream::SerializeRanged(qint32& value, unsigned allowed)
{
    SerializeRangedValue(*this, value, allowed, &CFileStream::SerializeInt32);
}

void CFileStream::SerializeRanged(quint32& value, unsigned allowed)
{
    SerializeRangedValue(*this, value, allowed & ~unsigned(RangeNegative), &CFileStream::SerializeUInt32);
}

void CFileStream::SerializeRawString(QByteArray& bytes)
{
    if (m_reading) {
        const char* start = m_data.constData() + m_pos;
        const void* zero = std::memchr(start, 0, size_t(m_end - m_pos));
        if (!zero)
            STREAM_THROW(EFileLoadInvalidFormat); // no terminator before the end
        const qint64 length = static_cast<const char*>(zero) - start;
        bytes = QByteArray(start, length);
        m_pos += length + 1;
    } else {
        if (bytes.contains('\0'))
            STREAM_THROW(EInternalError); // would end the string early
        WriteBytes(bytes.constData(), bytes.size() + 1); // with the zero terminator
    }
}

void CFileStream::SerializeString(QString& text, QByteArray& bytesAsRead, QString& textAsRead)
{
    if (m_reading) {
        QByteArray bytes;
        SerializeRawString(bytes);
        if (bytes == " ") {
            // A lone space marks an empty text; the file is written back the same way.
            m_emptyStringMode = true;
            text.clear();
        } else if (m_ownWestern) {
            text = CWindows1252::Decode(bytes);
        } else {
            MakeConverters();
            m_decoder.resetState();
            text = m_decoder.decode(bytes);
        }
        bytesAsRead = bytes;
        textAsRead = text;
        return;
    }

    QByteArray bytes;
    if (!bytesAsRead.isNull() && text == textAsRead) {
        // Unedited: the bytes it came with, whatever the codec would make of it.
        bytes = bytesAsRead;
    } else if (text.isEmpty()) {
        bytes = m_emptyStringMode ? QByteArrayLiteral(" ") : QByteArray("");
    } else if (m_ownWestern) {
        bool ok = true;
        QString unmapped;
        bytes = CWindows1252::Encode(text, ok, unmapped);
        if (!ok)
            ThrowUnmapped(__LINE__, unmapped);
    } else {
        MakeConverters();
        m_encoder.resetState();
        bytes = m_encoder.encode(text);
        // A character the codepage cannot hold would be written as a
        // substitute byte: the text must come back exactly as it was given.
        m_decoder.resetState();
        if (m_encoder.hasError() || m_decoder.decode(bytes) != text)
            ThrowUnmapped(__LINE__, FirstUnmapped(text));
    }
    SerializeRawString(bytes);
}

QString CFileStream::FirstUnmapped(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        QStringEncoder encoder(m_codecName.constData());
        QStringDecoder decoder(m_codecName.constData());
        const QByteArray bytes = encoder.encode(character);
        if (encoder.hasError() || decoder.decode(bytes) != character)
            return character;
        i += length - 1;
    }
    return text.left(1);
}

void CFileStream::ThrowUnmapped(int line, const QString& character)
{
    EInternalError failure(kModule, line);
    failure.SetCause(EInternalError::tr("the file's code page (%1) has no character \"%2\"")
                         .arg(QString::fromLatin1(m_codecName), character));
    throw failure;
}

qint64 CFileStream::Pos() const
{
    RequireOneDirection();
    return m_pos;
}

void CFileStream::Seek(qint64 pos)
{
    RequireOneDirection();
    if (pos < 0 || pos > m_data.size())
        STREAM_THROW(EInternalError);
    m_pos = pos;
}

qint64 CFileStream::Size() const
{
    RequireOneDirection();
    return m_data.size();
}

qint64 CFileStream::Remaining() const
{
    return m_reading ? m_end - m_pos : 0;
}

qint64 CFileStream::PushLimit(qint64 size)
{
    const qint64 previous = m_end;
    if (m_reading) {
        if (size < 0 || size > m_end - m_pos)
            STREAM_THROW(EFileLoadInvalidFormat); // the block runs past the end
        m_end = m_pos + size;
    }
    return previous;
}

void CFileStream::PopLimit(qint64 previous)
{
    if (m_reading)
        m_end = previous;
}

quint16 CFileStream::Checksum(qint64 count) const
{
    RequireOneDirection();
    count = qBound<qint64>(0, count, m_data.size());
    return CCrc16::Compute(m_data.constData(), count);
}

quint64 CFileStream::Fingerprint(qint64 count) const
{
    RequireOneDirection();
    count = qBound<qint64>(0, count, m_data.size());
    return quint64(qHashBits(m_data.constData(), size_t(count), 0x5EED));
}

bool CFileStream::NextBytesAre(const char* bytes, qint64 count) const
{
    return m_reading && m_end - m_pos >= count && std::memcmp(m_data.constData() + m_pos, bytes, size_t(count)) == 0;
}

void CFileStream::SelectCodec(const QByteArray& name)
{
    if (name == m_codecName)
        return;
    m_codecName = name;
    m_ownWestern = name == kWindows1252;
    m_encoder = QStringEncoder(name.constData());
    m_decoder = QStringDecoder(name.constData());
}

void CFileStream::MakeConverters()
{
    if (m_decoder.isValid())
        return;
    m_encoder = QStringEncoder(m_codecName.constData());
    m_decoder = QStringDecoder(m_codecName.constData());
}

void CFileStream::SetCodepage(quint32 number)
{
    RequireOneDirection();
    m_codepage = number;
    const QByteArray name = CodecNameForCodepage(number);
    if (!name.isEmpty() && CodecAvailable(name)) {
        SelectCodec(name);
        return;
    }
    if (!name.isEmpty())
        m_warnings |= WarningCodepageMissing;
    SelectCodec(LocaleCodecName());
}

qint64 CFileStream::SerializeObject(IStream& object)
{
    const qint64 start = Pos();
    object.Serialize(*this);
    return Pos() - start;
}

void CFileStream::EndRun()
{
    m_reading = m_writing = false;
    m_data = QByteArray();
    // A listed file keeps its stream for a later save: the converters (the
    // larger part of it) are made again when a run needs them.
    m_encoder = QStringEncoder();
    m_decoder = QStringDecoder();
    m_pos = m_end = 0;
}

quint32 CFileStream::Load(IStream& object)
{
    QFile file(m_fileName);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        ThrowAccess(__LINE__, errno, file.errorString());
    // Folders are listed by loading one file after another: the bytes go into
    // a buffer that each thread keeps for its next load, instead of a fresh
    // allocation of the file's size every time. Nothing keeps a reference to
    // it after the load: strings, unknown blocks and samples are copied out.
    thread_local QByteArray buffer;
    const qint64 size = file.size();
    QByteArray data;
    if (size > 0 && !file.isSequential()) {
        buffer.resize(qsizetype(size));
        if (file.read(buffer.data(), size) != size)
            ThrowAccess(__LINE__, errno, file.errorString());
        data = buffer;
    } else {
        data = file.readAll();
    }
    if (file.error() != QFileDevice::NoError)
        ThrowAccess(__LINE__, errno, file.errorString());
    file.close();
    return LoadFromData(object, data);
}

quint32 CFileStream::LoadFromData(IStream& object, const QByteArray& data)
{
    m_data = data;
    m_pos = 0;
    m_end = m_data.size();
    m_warnings = 0;
    m_laterLayout = false;
    m_reading = true;
    m_writing = false;
    try {
        SerializeObject(object);
    } catch (...) {
        EndRun();
        throw;
    }
    EndRun();
    return m_warnings;
}

void CFileStream::RestartWriting()
{
    if (!m_writing)
        STREAM_THROW(EInternalError);
    m_data.clear();
    m_pos = 0;
}

QByteArray CFileStream::SaveToData(IStream& object)
{
    m_data = QByteArray();
    m_pos = 0;
    m_reading = false;
    m_writing = true;
    try {
        SerializeObject(object);
    } catch (...) {
        EndRun();
        throw;
    }
    QByteArray image = m_data;
    EndRun();
    return image;
}

void CFileStream::Save(IStream& object)
{
    SaveTo(object, m_fileName);
}

void CFileStream::SaveTo(IStream& object, const QString& fileName)
{
    const QByteArray image = SaveToData(object);
    // The image replaces the file only once it is completely on disk: a full
    // disk or a failed write leaves the old file as it was. Such a failure is
    // one of file access, like a failed open, not a fault of the program.
    // The file is written unbuffered: a buffered write that the disk takes
    // only in part is not reported by the commit, which would then put a
    // truncated file in place of the old one.
    QSaveFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        ThrowAccess(__LINE__, errno, file.errorString());
    if (file.write(image) != image.size()) {
        const int error = errno;
        const QString text = file.errorString();
        file.cancelWriting();
        ThrowAccess(__LINE__, error, text);
    }
    if (!file.commit())
        ThrowAccess(__LINE__, errno, file.errorString());
}

void CFileStream::Rename(const QString& newName)
{
    if (m_reading || m_writing)
        STREAM_THROW(EInternalError);
    QFile file(m_fileName);
    errno = 0;
    if (!file.rename(newName))
        ThrowAccess(__LINE__, errno, file.errorString());
    m_fileName = newName;
}

} // namespace bc
