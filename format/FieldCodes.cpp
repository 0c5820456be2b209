#include "FieldCodes.h"

namespace bc::FieldCodes {

void SerializeCharacter(CFileStream& stream, quint32& index, const char* characters, char& asRead)
{
    const size_t count = std::strlen(characters);
    char code = 0;
    if (stream.IsWriting()) {
        if (index < count)
            code = characters[index];
        else if (index == count && stream.KeepsFileValues())
            code = asRead;
        else
            stream.OnInternalError();
    }
    stream.SerializeBytes(&code, 1);
    asRead = code;
    if (stream.IsReading()) {
        const char* found = code ? std::strchr(characters, code) : nullptr;
        index = found ? quint32(found - characters) : quint32(count);
        if (!found && !stream.KeepsFileValues())
            stream.OnLoadFormatError();
    }
}

} // namespace bc::FieldCodes
