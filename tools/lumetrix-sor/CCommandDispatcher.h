#pragma once

#include "CBatchRunner.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>

namespace sor {
class CFile;
}

// Runs one command of the command line and returns the process exit code:
// 0 success, 1 files that loaded with warnings only (check), 2 any error,
// 3 a device command cancelled.
// Results go to standard output, errors to standard error.
class CCommandDispatcher
{
    Q_DECLARE_TR_FUNCTIONS(CCommandDispatcher)

public:
    // `arguments` as QCoreApplication::arguments(): the program first.
    int Run(const QStringList& arguments);

private:
    int Info(const QStringList& files);
    int Dump(const QStringList& arguments);
    int Check(const QStringList& files);
    int Resave(const QStringList& arguments);
    int Synth(const QStringList& arguments);
    int Report(const QStringList& arguments);
    int Usage(const QString& problem);
    // The files of a many-file command: its arguments and --files-from, with
    // -j taken by `batch`; returns an empty text or what is wrong.
    static QString BatchFiles(QStringList arguments, CBatchRunner& batch);

    // Loads `path`; on failure returns null and sets `error` to the one-line
    // message with its error code.
    static std::unique_ptr<sor::CFile> Load(const QString& path, quint32& warnings, QString& error);

    static void Out(const QString& text);
    static void Err(const QString& text);
};
