#pragma once

namespace sor {

class CFile;

// The lengths a file's views show, in metres, so that the list card, the
// marker panel, the information dialog and the report agree.

// Distance of the last sample; 0 without samples.
double TraceExtent(const CFile& file);

// The acquisition range the instrument stored; where it stored 0 (some
// makers do), the trace's own extent.
double ShownRange(const CFile& file);

// Index of the event that ends the fibre, or -1: the event whose code marks
// the end ("E" as its origin), or else the last event when its loss reaches
// the file's end-of-fibre threshold.
int EndEventIndex(const CFile& file);

// What a user reads as the length of the fibre: the end event's distance
// where the file has one, else the shown range.
double FibreLength(const CFile& file);

} // namespace sor
