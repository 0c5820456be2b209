#include "CKeyEvents.h"

#include "CFileStream.h"
#include "CKeyEvent.h"
#include "Exception.h"
#include "FieldCodes.h"

namespace bc {

namespace {
constexpr quint8 kModule = Exception::ModuleBlocks;
#define BLOCK_THROW(Type) throw Type(kModule, __LINE__)
} // namespace

void CKeyEvent::Serialize(CFileStream& stream)
{
    sor::tKeyEvent& e = record;
    BC_LOCATED(kModule, e.number.Serialize(stream));
    BC_LOCATED(kModule, e.time.Serialize(stream));
    BC_LOCATED(kModule, e.attenuation.Serialize(stream));
    BC_LOCATED(kModule, e.loss.Serialize(stream));
    BC_LOCATED(kModule, e.reflectance.Serialize(stream));
    BC_LOCATED(
        kModule, FieldCodes::SerializeCharacter(stream, e.codeType, sor::tKeyEvent::kCodeTypes, e.codeTypeAsRead));
    BC_LOCATED(kModule,
        FieldCodes::SerializeCharacter(stream, e.codeOrigin, sor::tKeyEvent::kCodeOrigins, e.codeOriginAsRead));
    BC_LOCATED(kModule, stream.SerializeBytes(e.codeRest.data(), 4));
    BC_LOCATED(kModule, FieldCodes::SerializeCode(stream, e.technique, sor::tKeyEvent::kTechniques, e.techniqueCode));
    if (stream.LaterLayout()) {
        for (qint32& marker : e.markers)
            BC_LOCATED(kModule, stream.SerializeInt32(marker));
    }
    BC_LOCATED(kModule, e.comment.Serialize(stream));
}

void CKeyEvents::tMarkers::Serialize(CFileStream& stream)
{
    BC_LOCATED(kModule, start.Serialize(stream));
    BC_LOCATED(kModule, end.Serialize(stream));
}

void CKeyEvents::Serialize(CFileStream& stream)
{
    const bool writing = stream.IsWriting();
    // Version 1.0 cannot hold an empty list: its map entry goes with the last
    // event. The later layout can.
    const bool emptyAllowed = stream.LaterLayout();
    if (writing && ((events.empty() && !emptyAllowed) || events.size() > 0x7FFF))
        BLOCK_THROW(EInternalError);
    qint16 count = qint16(events.size());
    BC_LOCATED(kModule, stream.SerializeInt16(count));
    if (writing) {
        for (const sor::tKeyEvent& event : events) {
            CKeyEvent wrapped(event);
            BC_LOCATED(kModule, wrapped.Serialize(stream));
        }
    } else {
        events.clear();
        if (count < (emptyAllowed ? 0 : 1))
            BLOCK_THROW(EFileLoadInvalidFormat);
        for (qint16 i = 0; i < count; ++i) {
            CKeyEvent wrapped;
            BC_LOCATED(kModule, wrapped.Serialize(stream));
            events.push_back(wrapped.record);
        }
    }
    BC_LOCATED(kModule, endToEndLoss.Serialize(stream));
    BC_LOCATED(kModule, endToEndMarkers.Serialize(stream));
    BC_LOCATED(kModule, returnLoss.Serialize(stream));
    BC_LOCATED(kModule, returnLossMarkers.Serialize(stream));
}

} // namespace bc
