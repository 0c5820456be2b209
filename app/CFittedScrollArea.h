#pragma once

#include <QScrollArea>

// A scroll area as large as its content asks, scrolling only when its parent
// gives it less: QScrollArea keeps the first size hint of its content, which
// is too small once the content grows (the marker panel shows with the first
// trace).
class CFittedScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    explicit CFittedScrollArea(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
