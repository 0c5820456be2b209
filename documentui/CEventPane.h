#pragma once

#include <QWidget>

// The event table with the verdict line under it, as one pane of the main
// window's splitter. The pane is there while either of them is: a table
// hidden for a trace without events leaves the plot the whole height unless
// the line has something to say.
class CEventPane : public QWidget
{
    Q_OBJECT

public:
    // Takes `table` and `line` as its children, the line under the table.
    CEventPane(QWidget* table, QWidget* line, QWidget* parent = nullptr);

    // As small as the table may be, and the line: a layout would take the
    // table's size hint as its least height.
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow();

    QWidget* m_pTable;
    QWidget* m_pLine;
};
