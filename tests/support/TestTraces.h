#pragma once

#include <SorBuilder.h>
#include <tListedFile.h>

#include <QSharedPointer>
#include <QTemporaryDir>

#include <vector>

// Traces for the plot tests, written as real files and loaded as documents.
namespace TestTraces {

// Group index 1498.96229 and 10 000 ns between samples give 2 m per sample
// (to about 1e-7 m; compare distances with a tolerance).
constexpr double kResolution = 2.0;

// What a test trace file holds besides its samples.
struct tTrace
{
    std::vector<quint16> samples;
    // ns.
    qint16 pulseWidth = 100;
    // 0.1 dB below zero: 800 is -80 dB.
    qint16 backscatter = 800;
    // No key-events block when empty.
    std::vector<SorBuilder::tEvent> events;
    // Metres between samples (a multiple of 2 m, or a fraction of it).
    double resolution = kResolution;
};

// `count` samples rising evenly from 0 to `maxValue`.
std::vector<quint16> Ramp(int count, quint16 maxValue);
// `count` samples on a straight line: `start` + `step` per sample.
std::vector<quint16> Line(int count, int start, int step);
// The file time (0.1 ns) of a distance in metres on these traces.
qint32 FileTime(double metres);
// Writes the trace as `name` (a numbered name when empty) into `dir`; returns
// its path, or an empty text when it could not be written.
QString Write(const QString& dir, const tTrace& trace, const QString& name = QString());
// Writes the samples as a trace file in `dir` and loads it.
QSharedPointer<tListedFile> Load(const QTemporaryDir& dir, const std::vector<quint16>& samples);
QSharedPointer<tListedFile> Load(const QTemporaryDir& dir, const tTrace& trace);

} // namespace TestTraces
