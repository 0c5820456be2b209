#pragma once

#include <tListedFile.h>

#include <QSharedPointer>
#include <QTemporaryDir>

#include <vector>

// Traces for the plot tests, written as real files and loaded as documents.
namespace TestTraces {

// Group index 1498.96229 and 10 000 ns between samples give 2 m per sample
// (to about 1e-7 m; compare distances with a tolerance).
constexpr double kResolution = 2.0;

// `count` samples rising evenly from 0 to `maxValue`.
std::vector<quint16> Ramp(int count, quint16 maxValue);
// Writes the samples as a trace file in `dir` and loads it.
QSharedPointer<tListedFile> Load(const QTemporaryDir& dir, const std::vector<quint16>& samples);

} // namespace TestTraces
