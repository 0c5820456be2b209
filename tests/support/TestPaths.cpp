#include "TestPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace TestPaths {

QString SourceDir()
{
    const QString fromEnv = qEnvironmentVariable("LUMETRIX_SOURCE_DIR");
    return fromEnv.isEmpty() ? QDir::currentPath() : fromEnv;
}

QString SamplesDir()
{
    return QDir(SourceDir()).filePath(QStringLiteral("samples"));
}

QString SharedSamplesDir(const QString& layout)
{
    QString base = qEnvironmentVariable("LUMETRIX_SHARED_DIR");
    if (base.isEmpty())
        base = QDir(SourceDir()).filePath(QStringLiteral("../shared"));
    const QString dir = QDir(base).filePath(QStringLiteral("sor-samples/") + layout);
    return QFileInfo(dir).isDir() ? QDir::cleanPath(dir) : QString();
}

QStringList SorFiles(const QString& dir)
{
    QStringList files;
    if (dir.isEmpty())
        return files;
    const QDir folder(dir);
    for (const QString& name : folder.entryList({ QStringLiteral("*.sor") }, QDir::Files, QDir::Name))
        files << folder.filePath(name);
    return files;
}

bool AddSharedFileRows(const QString& layout)
{
    QTest::addColumn<QString>("path");
    const QStringList files = SorFiles(SharedSamplesDir(layout));
    for (const QString& path : files)
        QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
    return !files.isEmpty();
}

QString BinDir()
{
    const QString fromEnv = qEnvironmentVariable("LUMETRIX_BIN_DIR");
    return fromEnv.isEmpty() ? QCoreApplication::applicationDirPath() : fromEnv;
}

} // namespace TestPaths
