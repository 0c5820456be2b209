#pragma once

#include "CFileStream.h"

#include <array>
#include <cstring>
#include <iterator>

namespace bc::FieldCodes {

// Position of a fixed-width code in a table of codes, or `notFound`.
template<size_t Width, size_t Count>
quint32 IndexOf(const std::array<char, Width>& code, const char* const (&table)[Count], quint32 notFound)
{
    for (size_t i = 0; i < Count; ++i) {
        if (std::memcmp(code.data(), table[i], Width) == 0)
            return quint32(i);
    }
    return notFound;
}

// A field stored as a fixed-width code from a table and held as its index.
// `asRead` keeps the code the file held. A code not in the table is a format
// error, unless the stream keeps file values: then the index is the table's
// size and the code is written back as it came. An index beyond that is an
// internal error when saving.
template<size_t Width, size_t Count>
void SerializeCode(
    CFileStream& stream, quint32& index, const char* const (&table)[Count], std::array<char, Width>& asRead)
{
    std::array<char, Width> code {};
    if (stream.IsWriting()) {
        if (index < Count)
            std::memcpy(code.data(), table[index], Width);
        else if (index == Count && stream.KeepsFileValues())
            code = asRead;
        else
            stream.OnInternalError();
    }
    stream.SerializeBytes(code.data(), Width);
    asRead = code;
    if (stream.IsReading()) {
        index = IndexOf(code, table, quint32(Count));
        if (index >= Count && !stream.KeepsFileValues())
            stream.OnLoadFormatError();
    }
}

// A one-character code held as its position in `characters`, kept as read in
// the same way.
void SerializeCharacter(CFileStream& stream, quint32& index, const char* characters, char& asRead);

} // namespace bc::FieldCodes
