#pragma once

#include <QCoreApplication>
#include <QString>

namespace bc {
class CBellcore;
}

// A realistic synthetic trace file built from scratch: a fibre with splices,
// connectors and an end (CSynthFibre), its trace, the matching key events and
// plausible parameter blocks. The same options and seed give the same file.
class CSynthTrace
{
    Q_DECLARE_TR_FUNCTIONS(CSynthTrace)

public:
    struct tOptions
    {
        // Kilometres from the trace start to the fibre end.
        double lengthKm = 25;
        // ns.
        int pulseNs = 100;
        // nm.
        int wavelength = 1550;
        // Key events listed, the fibre end included; 0 writes no key-events block.
        int events = 4;
        quint32 seed = 1;
        // Russian texts with language code "RU" instead of English ones with "EN".
        bool russian = false;
        // Pulse widths listed in the fixed parameters; the samples are the first one's.
        int pulses = 1;
        // Samples of the trace; 0 picks a usual sample spacing for the range.
        int points = 0;
    };

    explicit CSynthTrace(const tOptions& options) : m_options(options) { }

    // Why the options cannot make a trace, or an empty text when they can.
    static QString Refusal(const tOptions& options);

    // Fills an empty container with the blocks of the trace.
    void Build(bc::CBellcore& file) const;
    // Builds the trace and writes it to `path` through the file stream; the
    // stream's exceptions pass through.
    void Write(const QString& path) const;
    // The true events of the trace Build() makes, as JSON for scoring an
    // analysis: the pulse, spacing and group index, each feature with its
    // distance, type, loss and reflectance, whether it stands out of the noise
    // and the threshold ("detectable"), and where the trace sinks into the
    // noise before the fibre end ("noise_from_m", else null). `name` is the
    // trace file's name.
    QByteArray TruthJson(const QString& name) const;

private:
    struct tTruth;
    void Build(bc::CBellcore& file, tTruth* truth) const;

    tOptions m_options;
};
