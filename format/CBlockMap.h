#pragma once

#include "CBlockInfo.h"

#include <vector>

namespace bc {

// The map at the start of the file: its own revision and size, then one
// entry per block in file order.
class CBlockMap : public CBlock
{
public:
    void Serialize(CFileStream& stream) override;

    std::vector<CBlockInfo> entries;
    // The later layout: the map starts with "Map" and every block with its
    // name. The revision (200, 210 ...) is the map's own.
    bool bNamed = false;
};

} // namespace bc
