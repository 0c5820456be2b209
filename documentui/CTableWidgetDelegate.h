#pragma once

#include <QItemDelegate>

#include <functional>

class QValidator;

// Item delegate of the tables that select whole rows (the event table, the
// instrument list): draws the cells as usual but without a focus rectangle.
// A table may give the text editors of its cells a validator.
class CTableWidgetDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    // Makes the validator of the editor of `index` (owned by `editor`), or
    // returns null for none.
    using tValidatorMaker = std::function<QValidator*(const QModelIndex& index, QObject* editor)>;

    explicit CTableWidgetDelegate(QObject* parent = nullptr);

    void SetValidatorMaker(tValidatorMaker maker) { m_validatorMaker = std::move(maker); }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void drawFocus(QPainter* painter, const QStyleOptionViewItem& option, const QRect& rect) const override;

private:
    tValidatorMaker m_validatorMaker;
};
