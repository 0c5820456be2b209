#include "CTableWidgetDelegate.h"

#include <QLineEdit>

CTableWidgetDelegate::CTableWidgetDelegate(QObject* parent) : QItemDelegate(parent)
{
}

QWidget* CTableWidgetDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QWidget* editor = QItemDelegate::createEditor(parent, option, index);
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (edit && m_validatorMaker) {
        if (QValidator* validator = m_validatorMaker(index, edit))
            edit->setValidator(validator);
    }
    return editor;
}

void CTableWidgetDelegate::drawFocus(QPainter* painter, const QStyleOptionViewItem& option, const QRect& rect) const
{
    Q_UNUSED(painter);
    Q_UNUSED(option);
    Q_UNUSED(rect);
}
