#include "FieldCodes.h"

namespace bc::FieldCodes {

void SerializeCharacter(CFileStream& stream, quint32& index, const char* characters)
{
    const size_t count = std::strlen(characters);
    char code = 0;
    if (stream.IsWriting()) {
        if (index >= count)
            stream.OnInternalError();
        code = characters[index];
    }
    stream.SerializeBytes(&code, 1);
    if (stream.IsReading()) {
        const char* found = code ? std::strchr(characters, code) : nullptr;
        if (!found)
            stream.OnLoadFormatError();
        index = quint32(found - characters);
    }
}

} // namespace bc::FieldCodes
