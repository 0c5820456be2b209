#pragma once

namespace bc {

class CFileStream;

// A block of the file, or a part of one, that reads and writes itself through
// the file stream; the stream says which way.
class IStream
{
public:
    virtual void Serialize(CFileStream& stream) = 0;

protected:
    ~IStream() = default;
};

} // namespace bc
