#pragma once

#include "CBlockMap.h"
#include "CCheckSum.h"
#include "CDataPoints.h"
#include "CFixedParameters.h"
#include "CGeneralParameters.h"
#include "CKeyEvents.h"
#include "CSupplierParameters.h"

namespace bc {

// Block names the program understands.
namespace BlockName {
inline constexpr char General[] = "GenParams";
inline constexpr char Supplier[] = "SupParams";
inline constexpr char Fixed[] = "FxdParams";
inline constexpr char KeyEvents[] = "KeyEvents";
inline constexpr char DataPoints[] = "DataPts";
inline constexpr char Checksum[] = "Cksum";
} // namespace BlockName

// The in-memory image of one trace file, version 1.0 or the later layout
// (revisions 2xx), which is written as it was read: the map, the blocks the
// program understands, the checksum and every other block as raw bytes.
// Blocks are read and written in map order; a block the map does not list
// keeps its defaults and is not written.
class CBellcore : public IStream
{
public:
    void Serialize(CFileStream& stream) override;

    // Sorts the events by time, numbers them consecutively from the number
    // the file's first event had (1 where the file's numbers were not
    // consecutive, or it had no events), and keeps a "KeyEvents" entry in the
    // map exactly while there are events.
    void UpdateEventsBlock();

    // Whether the map lists a block of this name.
    bool HasBlock(const char* name) const;

    CBlockMap map;
    CGeneralParameters general;
    CSupplierParameters supplier;
    CFixedParameters fixed;
    CKeyEvents keyEvents;
    CDataPoints dataPoints;
    CCheckSum checksum;
    // Bytes after the last block of the map, kept as they came.
    QByteArray aTrailing;

private:
    // The number of the first event as read, where the file numbered its
    // events consecutively (some instruments start at 2); 1 otherwise.
    unsigned int m_nFirstEventNumber = 1;

    void SerializeEntries(CFileStream& stream, bool& checksumStale);
    void SerializeEntry(CFileStream& stream, CBlockInfo& entry, bool repeated, bool& checksumWritten);
};

} // namespace bc
