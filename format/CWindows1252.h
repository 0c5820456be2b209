#pragma once

#include <QByteArray>
#include <QString>

namespace bc {

// Windows-1252, the code page Western European instruments write their texts
// in, with every byte value mapped: the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control characters
// of the same number, so any byte string comes back exactly as it was read.
class CWindows1252
{
public:
    static QString Decode(const QByteArray& bytes);
    // The bytes of `text`; false in `ok` (and `unmapped` set to the first
    // character) when the code page has no byte for a character.
    static QByteArray Encode(const QString& text, bool& ok, QString& unmapped);
};

} // namespace bc
