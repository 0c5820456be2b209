#pragma once

#include <CFile.h>

#include <QMetaType>
#include <QSharedPointer>

// One page of a report job: a trace of the working-folder list, or no
// document for the work area (the file shown in the plot, with its view and
// markers). Carried as item data of the list of files to print.
struct tPrinterListFile
{
    QSharedPointer<sor::CFile> file;

    bool IsWorkArea() const { return file.isNull(); }
};

Q_DECLARE_METATYPE(tPrinterListFile)
