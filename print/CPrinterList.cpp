#include "CPrinterList.h"

#include <IFileList.h>

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CPrinterList::CPrinterList(const IFileList& fileList, QWidget* parent) : QDialog(parent), m_pList(new QListWidget(this))
{
    setWindowTitle(tr("Print files"));
    setModal(true);
    m_pList->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("List of files for printing"), this));
    layout->addWidget(m_pList);
    layout->addWidget(new QLabel(tr("Note: You can select files for printing."), this));
    layout->addWidget(buttons);

    auto* workArea = new QListWidgetItem(tr("Work area - selected file"), m_pList);
    workArea->setData(Qt::UserRole, QVariant::fromValue(tPrinterListFile()));
    for (int row = 0; row < fileList.GetCount(); ++row) {
        const QSharedPointer<sor::CFile> file = fileList.GetFile(row);
        if (!file)
            continue;
        auto* item = new QListWidgetItem(QFileInfo(file->Path()).fileName(), m_pList);
        item->setData(Qt::UserRole, QVariant::fromValue(tPrinterListFile { file }));
    }
    workArea->setSelected(true);
}

QList<tPrinterListFile> CPrinterList::Selected() const
{
    // A multi-selection list reports its items in the order they were chosen.
    QList<tPrinterListFile> entries;
    for (const QListWidgetItem* item : m_pList->selectedItems())
        entries.append(item->data(Qt::UserRole).value<tPrinterListFile>());
    return entries;
}
