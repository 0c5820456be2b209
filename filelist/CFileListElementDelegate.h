#pragma once

#include "tListedFile.h"

#include <QCache>
#include <QPixmap>
#include <QStyledItemDelegate>

class CFileList;
class CFileListElementWidget;

// Draws every row of the file list as a card and edits a file's name in
// place. A card's picture is kept per row until anything it shows changes
// (row, state, size, background, the document's texts or trace), so that a
// repaint or scrolling back draws a stored picture instead of building the
// card anew.
class CFileListElementDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // `view` is also the parent.
    explicit CFileListElementDelegate(CFileList* view);

    // Rows keep the ratio 70 : 185 of the list's width; their width leaves
    // room for the vertical scroll bar while it is needed.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The editor covers the whole row.
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Forgets every stored card picture (language, style or palette changed).
    void DropCache();

public slots:
    void OnEditingOk(CFileListElementWidget* editor);
    void OnEditingLeave(CFileListElementWidget* editor);
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Everything a card's picture depends on.
    struct tCardKey
    {
        int nRow = 0;
        quint32 nState = 0;
        QSize size;
        qreal fPixelRatio = 1;
        QRgb background = 0;
        QRgb colour = 0;
        qint32 nSlot = -1;
        const void* pDocument = nullptr;
        quint64 nTraceDigest = 0;
        int nPoints = 0;
        bool bModified = false;
        QString sPath;
        QString sOperator;
        qint64 nTime = 0;
        float fPulseWidth = 0;
        float fWavelength = 0;
        float fRange = 0;
        float fGroupIndex = 0;
        // The distance unit the card's length is shown in.
        int nUnit = 0;
        // The verdict's state; -1 while traces are not judged.
        int nVerdict = -1;

        bool operator==(const tCardKey& other) const;
    };
    struct tCard
    {
        QWeakPointer<tListedFile> listed;
        tCardKey key;
        QPixmap pixmap;
    };

    // The mark of a card with something to say in its tool tip.
    static void PaintMark(QPainter* painter, const QRect& card, const QColor& colour);
    // The card of a file that could not be read.
    void PaintUnreadable(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    QPixmap Card(int row, quint32 state, const QSharedPointer<tListedFile>& listed, const QSize& size,
        qreal pixelRatio) const;

    CFileList* m_pView;
    mutable QCache<const tListedFile*, tCard> m_cards;
};
