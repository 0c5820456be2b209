#include "CSaveList.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CSaveList::CSaveList(const QStringList& names, QWidget* parent) : QDialog(parent), m_pNames(new QListWidget(this))
{
    setWindowTitle(tr("Saving modified files"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("Some files were changed, but not saved.\nSave the following selected files?"), this));

    // A click toggles a name; every name starts selected.
    m_pNames->setObjectName(QStringLiteral("names"));
    m_pNames->setSelectionMode(QAbstractItemView::MultiSelection);
    m_pNames->addItems(names);
    m_pNames->selectAll();
    layout->addWidget(m_pNames);

    layout->addWidget(new QLabel(tr("Note: You can deselect saving files."), this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* save = buttons->addButton(tr("Save selected"), QDialogButtonBox::ActionRole);
    QPushButton* discard = buttons->addButton(tr("Close without saving"), QDialogButtonBox::ActionRole);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &CSaveList::saveWithSelected);
    connect(discard, &QPushButton::clicked, this, &CSaveList::saveWithoutSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QStringList CSaveList::SelectedNames() const
{
    QStringList names;
    for (int row : SelectedRows())
        names << m_pNames->item(row)->text();
    return names;
}

QList<int> CSaveList::SelectedRows() const
{
    QList<int> rows;
    if (!m_bSaveSelected)
        return rows;
    for (int row = 0; row < m_pNames->count(); ++row) {
        if (m_pNames->item(row)->isSelected())
            rows << row;
    }
    return rows;
}

void CSaveList::saveWithSelected()
{
    m_bSaveSelected = true;
    accept();
}

void CSaveList::saveWithoutSelected()
{
    m_bSaveSelected = false;
    accept();
}
