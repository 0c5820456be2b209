#include "CRenameDelegate.h"

#include "CFileList.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>

CRenameDelegate::CRenameDelegate(CFileList* list) : QStyledItemDelegate(list), m_pList(list)
{
}

QWidget* CRenameDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option);
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("nameEditor"));
    editor->setFrame(false);
    const QSharedPointer<tListedFile> listed = CFileList::ListedFile(m_pList->item(index.row()));
    const QSharedPointer<sor::CFile> file = listed ? listed->file : QSharedPointer<sor::CFile>();
    CFileList* const list = m_pList;
    connect(editor, &QLineEdit::returnPressed, editor, [editor, file, list] {
        // The editor closes on this Return (the standard handling); the
        // rename runs after that, so its message boxes never open over an
        // editor that is going away.
        const QString name = editor->text();
        QMetaObject::invokeMethod(
            list, [list, file, name] { list->Rename(file, name); }, Qt::QueuedConnection);
    });
    return editor;
}

void CRenameDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* const line = qobject_cast<QLineEdit*>(editor);
    const QSharedPointer<tListedFile> listed = CFileList::ListedFile(m_pList->item(index.row()));
    if (line && listed && listed->file)
        line->setText(QFileInfo(listed->file->Path()).completeBaseName());
}

void CRenameDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    Q_UNUSED(editor);
    Q_UNUSED(model);
    Q_UNUSED(index);
}

bool CRenameDelegate::eventFilter(QObject* watched, QEvent* event)
{
    // Up and Down belong to the editor: they must not move the list's current
    // row under it.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}
