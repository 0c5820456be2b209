#pragma once

#include <QByteArray>
#include <QString>

#include "tAnalysisResult.h"


#include <tFixedParameters.h>

namespace sor {
class CFile;
}

namespace analysis {

struct tVerdict;

// Plain exports of a trace for spreadsheets and databases: the stored events
// as rows of comma-separated values and the samples of one pulse as distance
// and level. Text follows RFC 4180: fields holding a comma, a quote or a line
// break are quoted, quotes doubled, lines end in CR LF. A value the file does
// not have is an empty field, never a made-up 0. Numbers are the shortest
// text that reads back to the value the program holds (C locale).
// Distances are in metres unless another unit is asked for; the column's
// name says which ("distance_m", "distance_kft").
class CCsvExport
{
public:
    // The header line of EventRows; with the verdict columns: the limit
    // set, the file's verdict and each event's (PASS, WARN or FAIL; empty
    // where no limit covers the event).
    static QByteArray EventsHeader(sor::tDistanceUnit unit = sor::Metres, bool verdict = false);
    // One line per stored event of `file`, in distance order, labelled with
    // `label` (the file's name or path as the user gave it): file,
    // wavelength (nm), pulse (ns), group index, event number, distance (m),
    // type (non-reflective, reflective, end or echo), code, loss (dB),
    // reflectance (dB), attenuation of the section before it (dB/km), comment.
    // `verdict`, where given, judged these stored events: its columns follow.
    static QByteArray EventRows(const sor::CFile& file, const QString& label, sor::tDistanceUnit unit = sor::Metres,
        const tVerdict* verdict = nullptr);

    // The header line of TraceRows.
    static QByteArray TraceHeader(sor::tDistanceUnit unit = sor::Metres);
    // One line per sample of pulse `pulse` (0-based): distance from the
    // trace start in metres and level in dB (0.001 dB steps, exact).
    static QByteArray TraceRows(const sor::CFile& file, int pulse, sor::tDistanceUnit unit = sor::Metres);

    // `text` as one field: quoted where it must be.
    static QByteArray Field(const QString& text);
    // The shortest text that reads back as the same float, or double.
    static QByteArray Number(float value);
    static QByteArray Number(double value);
    // Type names of the events, as in the JSON outputs.
    static const char* TypeName(tFoundEvent::tKind kind);
};

} // namespace analysis
