#include "CEventJson.h"

#include "CJsonWriter.h"

#include <CCsvExport.h>

#include <optional>

namespace {

// How one figure is written: decimals when measured; single or double
// precision when stored.
struct tForm
{
    int decimals = 0;
    bool single = true;
};

void Write(CJsonWriter& json, const char* key, const std::optional<double>& value, CEventJson::tPrecision precision,
    tForm form)
{
    json.Key(key);
    if (!value)
        json.Null();
    else if (precision == CEventJson::Measured)
        json.Fixed(*value, form.decimals);
    else if (form.single)
        json.Value(float(*value));
    else
        json.Value(*value);
}

} // namespace

void CEventJson::WriteEvents(
    CJsonWriter& json, const std::vector<analysis::tFoundEvent>& events, tPrecision precision)
{
    json.Key("events");
    json.BeginArray();
    for (const analysis::tFoundEvent& event : events) {
        json.BeginObject();
        Write(json, "distance_m", event.distanceM, precision, { 2, true });
        json.Field("type", analysis::CCsvExport::TypeName(event.kind));
        Write(json, "loss_db", event.lossDb, precision, { 3, true });
        Write(json, "reflectance_db", event.reflectanceDb, precision, { 2, true });
        json.Key("saturated");
        json.Boolean(event.saturated);
        json.Key("merged");
        json.Boolean(event.merged);
        Write(json, "attenuation_db_per_km", event.attenuationDbPerKm, precision, { 3, true });
        json.EndObject();
    }
    json.EndArray();
}

void CEventJson::WriteSpan(CJsonWriter& json, const analysis::tAnalysisResult& result, tPrecision precision)
{
    Write(json, "end_to_end_loss_db", result.endToEndLossDb, precision, { 3, false });
    Write(json, "orl_db", result.orlDb, precision, { 2, false });
    Write(json, "fiber_end_m", result.fiberEndM, precision, { 2, true });
}
