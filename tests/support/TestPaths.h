#pragma once

#include <QString>
#include <QStringList>

// Where the tests find the repository, its sample traces, the real instrument
// files beside the project, and the built programs.
namespace TestPaths {

QString SourceDir();
QString SamplesDir();
// The real instrument files of one layout ("v1" or "v2") in the shared
// material beside the repository; empty when that folder is not there.
QString SharedSamplesDir(const QString& layout);
// Full paths of the *.sor files of a folder, sorted by name.
QStringList SorFiles(const QString& dir);
// For a data function: a "path" column and a row per real instrument file of
// one layout, named by the file; false when there are none (skip then).
bool AddSharedFileRows(const QString& layout);
QString BinDir();

} // namespace TestPaths
