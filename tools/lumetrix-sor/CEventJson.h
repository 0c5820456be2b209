#pragma once

#include <tAnalysisResult.h>

#include <vector>

class CJsonWriter;

// The events and span figures of a trace in JSON, under the keys that
// `analyze --json` and `export --jsonl` share: "events" (each with
// distance_m, type, loss_db, reflectance_db, saturated, merged and
// attenuation_db_per_km), then end_to_end_loss_db, orl_db and fiber_end_m.
// A value the trace does not have is null, never a made-up 0.
class CEventJson
{
public:
    enum tPrecision {
        // Figures found by the analysis, to the decimals they mean:
        // distances to 0.01 m, losses to 0.001 dB, reflectances to 0.01 dB.
        Measured,
        // Figures as a file stores them, in their shortest exact form: the
        // event fields and the fibre end in single precision, the span
        // losses in double.
        Stored,
    };

    // Writes "events" and its array, in the order given.
    static void WriteEvents(CJsonWriter& json, const std::vector<analysis::tFoundEvent>& events, tPrecision precision);
    // Writes end_to_end_loss_db, orl_db and fiber_end_m.
    static void WriteSpan(CJsonWriter& json, const analysis::tAnalysisResult& result, tPrecision precision);
};
