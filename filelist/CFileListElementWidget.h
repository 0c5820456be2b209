#pragma once

#include "tListedFile.h"

#include <QBrush>
#include <QFrame>

class CGraphWidget;
class QLabel;
class QLineEdit;

// One row of the file list as a card: row number and file name, the date of
// the measurement and the operator, the compare colour while the file is
// compared, and the trace's thumbnail. Without a parent it is the drawing
// form (the name as a heading); with a parent it is the list's inline editor,
// the name being a line edit holding the name without its last suffix.
class CFileListElementWidget : public QFrame
{
    Q_OBJECT

public:
    // State flags of a row.
    enum : quint32 { StateSelected = 0x1, StateCurrent = 0x2, StateFocus = 0x10 };

    CFileListElementWidget(int row, quint32 state, const QSharedPointer<tListedFile>& listed, QWidget* parent);

    // The edited base name (editor form; empty in the drawing form).
    QString NameText() const;
    const QSharedPointer<tListedFile>& ListedFile() const { return m_pListed; }
    CGraphWidget* Thumbnail() const { return m_pThumbnail; }

    // The date of the measurement as the card shows it (UTC, as stored).
    static QString DateText(const QDateTime& dateTime);

signals:
    void editingOk(CFileListElementWidget* editor);
    void editingLeave(CFileListElementWidget* editor);

public slots:
    void OnEditingOk();
    void OnEditingLeave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSharedPointer<tListedFile> m_pListed;
    QLineEdit* m_pNameEditor = nullptr;
    // The name heading of the drawing form and the text it shows in full.
    QLabel* m_pHeading = nullptr;
    QString m_sName;
    QBrush m_background;
    QBrush m_inner;
    CGraphWidget* m_pThumbnail = nullptr;
};
