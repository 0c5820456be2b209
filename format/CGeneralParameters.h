#pragma once

#include "IStream.h"
#include "tGeneralParameters.h"

#include <array>

namespace bc {

// The "GenParams" block. Its language code selects the codec of every string
// of the file, so it is serialised before any of them.
class CGeneralParameters : public IStream, public sor::tGeneralParameters
{
public:
    void Serialize(CFileStream& stream) override;

    // Codepage number of a language code (position in the language table):
    // "EN" 0, "FR" 1, "JA" 2, "SP" 3, "GE" 4, "CH" 5, "RU" 6, anything else 7.
    static quint32 CodepageOf(const std::array<char, 2>& language);

    std::array<char, 2> language { { 'E', 'N' } };
};

} // namespace bc
