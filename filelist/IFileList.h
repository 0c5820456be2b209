#pragma once

#include <CFile.h>

#include <QSharedPointer>

// What the folder watcher and the other parts may do with the file list.
class IFileList
{
public:
    virtual QSharedPointer<sor::CFile> GetFile(int row) const = 0;
    virtual int GetCount() const = 0;
    // Reads the row's file anew from disk.
    virtual void ReloadFile(int row) = 0;
    // Removes the row without saving.
    virtual bool CloseFile(int row) = 0;
    // Lists the working folder again.
    virtual void Rescan() = 0;

protected:
    ~IFileList() = default;
};
