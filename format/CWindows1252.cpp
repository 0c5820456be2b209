#include "CWindows1252.h"

#include <QHash>

namespace bc {

namespace {

// Characters of the bytes 0x80 to 0x9F; every other byte is its own character.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

char16_t CharacterOf(uchar byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t(byte);
}

// The byte of a character, or -1.
int ByteOf(char16_t character)
{
    static const QHash<char16_t, uchar> high = [] {
        QHash<char16_t, uchar> table;
        for (int i = 0; i < 32; ++i)
            table.insert(kHigh[i], uchar(0x80 + i));
        return table;
    }();
    if (character < 0x80 || (character >= 0xA0 && character < 0x100))
        return character;
    const auto found = high.constFind(character);
    return found == high.constEnd() ? -1 : found.value();
}

} // namespace

QString CWindows1252::Decode(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(CharacterOf(uchar(byte)));
    return text;
}

QByteArray CWindows1252::Encode(const QString& text, bool& ok, QString& unmapped)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    ok = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = ByteOf(text.at(i).unicode());
        if (byte < 0) {
            ok = false;
            const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
            unmapped = text.mid(i, pair ? 2 : 1);
            return {};
        }
        bytes.append(char(byte));
    }
    return bytes;
}

} // namespace bc
