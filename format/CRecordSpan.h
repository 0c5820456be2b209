#pragma once

#include <QByteArray>

namespace bc {

// Instruments that save every wavelength of one test in one file write one
// complete record after another: a map, then the blocks it lists. A record
// takes exactly its map's size plus the sizes of those blocks.
class CRecordSpan
{
public:
    // The length of the record that starts at `offset` of `bytes`, read from
    // its map alone; 0 where no readable map starts there or the blocks it
    // lists would run past the end of `bytes`. Reads no more than the map.
    static qint64 Length(const QByteArray& bytes, qint64 offset);
};

} // namespace bc
