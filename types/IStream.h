#pragma once

namespace CType::FileStreams {

class IFileStream;

// Something that reads and writes itself through a file stream.
class IStream
{
public:
    virtual void Serialize(IFileStream& stream) = 0;

protected:
    ~IStream() = default;
};

} // namespace CType::FileStreams
