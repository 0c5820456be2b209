#pragma once

#include "tAnalysisResult.h"

#include <tKeyEvent.h>

#include <deque>

namespace sor {
class CFile;
}

namespace analysis {

// Puts an analysis into a document: its events in the file's own time units
// and event codes (origin "F", found by software; the end "E"), and the span
// figures of the events block. Echoes are not events of the link and stay out.
class CEventWriter
{
public:
    // The events as the file stores them. A comment of a stored event at the
    // same place (within a pulse length) goes over to the found event.
    static std::deque<sor::tKeyEvent> KeyEvents(const sor::CFile& file, const tAnalysisResult& result);
    // Replaces the document's events and span figures in one change.
    static void Apply(sor::CFile& file, const tAnalysisResult& result);
};

} // namespace analysis
