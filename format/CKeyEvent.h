#pragma once

#include "IStream.h"
#include "tKeyEvent.h"

namespace bc {

// Serialises one key event record.
class CKeyEvent : public IStream
{
public:
    CKeyEvent() = default;
    explicit CKeyEvent(const sor::tKeyEvent& event) : record(event) { }

    void Serialize(CFileStream& stream) override;

    sor::tKeyEvent record;
};

} // namespace bc
