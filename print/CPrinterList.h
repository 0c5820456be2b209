#pragma once

#include "tPrinterListFile.h"

#include <QDialog>
#include <QList>

class IFileList;
class QListWidget;

// "Print files": the work area and every file of the working-folder list, to
// choose the pages of a report from. The work area is chosen when it opens.
class CPrinterList : public QDialog
{
    Q_OBJECT

public:
    CPrinterList(const IFileList& fileList, QWidget* parent = nullptr);

    // The chosen entries, in the order they were chosen.
    QList<tPrinterListFile> Selected() const;
    QListWidget* List() const { return m_pList; }

private:
    QListWidget* m_pList;
};
