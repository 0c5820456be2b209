#pragma once

#include <QStyledItemDelegate>

class CFileList;

// The list's inline name editor: a line edit over the row holding the file's
// name without its last suffix. Return hands the edited name to the list's
// Rename once the editor has closed; leaving the editor in any other way
// renames nothing.
class CRenameDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // `list` is also the parent.
    explicit CRenameDelegate(CFileList* list);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // The list renames the file and names the row itself.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CFileList* m_pList;
};
