#pragma once

#include "CSynthTrace.h"

#include <QString>

namespace bc {
class CBellcore;
}

// One fibre link measured at two wavelengths: two synthetic traces with the
// same features, whose splices and connectors lose the same at both, and
// optionally a macrobend that loses more at the longer wavelength.
class CSynthPair
{
public:
    struct tOptions
    {
        // Length, pulse, events, seed ... of both traces; the wavelength is
        // replaced by the two below.
        CSynthTrace::tOptions trace;
        int shortNm = 1310;
        int longNm = 1550;
        // A bend is added where this is set: kilometres from the trace start,
        // or a negative value to place it half-way along the longest section.
        bool bend = false;
        double bendKm = -1;
        // dB of the bend at each wavelength.
        double bendShortDb = 0.1;
        double bendLongDb = 1.0;
    };

    explicit CSynthPair(const tOptions& options) : m_options(options) { }

    // Fills two empty containers with the traces.
    void Build(bc::CBellcore& shortFile, bc::CBellcore& longFile) const;
    // Writes both traces; the stream's exceptions pass through.
    void Write(const QString& shortPath, const QString& longPath) const;
    // Writes both traces into one file, as instruments that save every
    // wavelength of a test together do: the shorter wavelength's record
    // first, the longer one's complete record right after it.
    void WriteOneFile(const QString& path) const;
    // Metres from the trace start where the bend is put.
    double BendDistanceM() const;

    // Adds a non-reflective loss of `lossDb` at `distanceM` to a built trace:
    // the key event, the step in the samples up to the fibre end and the
    // end-to-end loss. `comment` goes with the event.
    static void AddLoss(bc::CBellcore& file, double distanceM, double lossDb, const QString& comment = QString());

private:
    tOptions m_options;
};
