#include "CFileListElementDelegate.h"

#include "CFileList.h"
#include "CFileListElementWidget.h"

#include <CActiveVerdict.h>
#include <CDistanceUnit.h>
#include <CGraphWidget.h>
#include <TraceLengths.h>

#include <QApplication>
#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include <cmath>

namespace {

// Row height : list width.
constexpr double kRowHeight = 70;
constexpr double kRowWidth = 185;
// Stored card pictures, in kilobytes: a few screens of the widest rows.
constexpr int kCacheKilobytes = 32 * 1024;
// Property of an editor that is being closed.
constexpr char kClosing[] = "closing";

QSharedPointer<tListedFile> Listed(const QModelIndex& index)
{
    return index.data(Qt::UserRole).value<QSharedPointer<tListedFile>>();
}

} // namespace

bool CFileListElementDelegate::tCardKey::operator==(const tCardKey& other) const
{
    return nRow == other.nRow && nState == other.nState && size == other.size && fPixelRatio == other.fPixelRatio
        && background == other.background && colour == other.colour && nSlot == other.nSlot
        && pDocument == other.pDocument && nTraceDigest == other.nTraceDigest && nPoints == other.nPoints
        && bModified == other.bModified && sPath == other.sPath && sOperator == other.sOperator
        && nUnit == other.nUnit && nTime == other.nTime && fPulseWidth == other.fPulseWidth && fWavelength == other.fWavelength
        && fRange == other.fRange && fGroupIndex == other.fGroupIndex && nVerdict == other.nVerdict;
}

CFileListElementDelegate::CFileListElementDelegate(CFileList* view)
    : QStyledItemDelegate(view), m_pView(view), m_cards(kCacheKilobytes)
{
    // Connected before the view's own connection: an editor is marked before
    // the view closes it, whoever asked for the closing.
    connect(this, &QAbstractItemDelegate::closeEditor, this, [](QWidget* editor) {
        if (editor)
            editor->setProperty(kClosing, true);
    });
}

QSize CFileListElementDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option);
    Q_UNUSED(index);
    const int width = m_pView->contentsRect().width();
    const QScrollBar* const bar = m_pView->verticalScrollBar();
    const int barWidth = bar && bar->minimum() != bar->maximum() ? bar->width() : 0;
    // The height follows the whole width, so that the ratio holds whether or
    // not the scroll bar is there.
    return QSize(width - barWidth, int(std::floor(width * kRowHeight / kRowWidth + 0.5)));
}

void CFileListElementDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSharedPointer<tListedFile> listed = Listed(index);
    if (!listed || !listed->file) {
        if (!m_pView->UnreadableReason(index.row()).isEmpty())
            PaintUnreadable(painter, option, index);
        else
            QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    quint32 state = 0;
    if (option.state & QStyle::State_HasFocus)
        state |= CFileListElementWidget::StateFocus;
    if (option.state & QStyle::State_Selected)
        state |= CFileListElementWidget::StateSelected;
    if (index == m_pView->currentIndex())
        state |= CFileListElementWidget::StateCurrent;

    painter->save();
    const qreal pixelRatio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(option.rect.topLeft(), Card(index.row(), state, listed, sizeHint(option, index), pixelRatio));
    if (!CFileList::StateText(*listed->file).isEmpty())
        PaintMark(painter, option.rect, QColor(0xE0, 0x90, 0x00));
    if (state & CFileListElementWidget::StateFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_Item | QStyle::State_KeyboardFocusChange;
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
    }
    painter->restore();
}

QPixmap CFileListElementDelegate::Card(
    int row, quint32 state, const QSharedPointer<tListedFile>& listed, const QSize& size, qreal pixelRatio) const
{
    const sor::CFile& document = *listed->file;
    const sor::tFixedParameters& fixed = document.FixedParameters();
    tCardKey key;
    key.nRow = row;
    key.nState = state;
    key.size = size;
    key.fPixelRatio = pixelRatio;
    key.background = m_pView->GraphState().background.rgba();
    key.colour = listed->colour.rgba();
    key.nSlot = listed->nSlot;
    key.pDocument = &document;
    key.nTraceDigest = document.TraceDigest();
    key.nPoints = document.PointCount();
    key.bModified = document.IsModified();
    key.sPath = document.Path();
    key.sOperator = document.GeneralParameters().operatorName;
    key.nTime = fixed.dateTime.toSecsSinceEpoch();
    key.fPulseWidth = fixed.pulseWidth;
    key.fWavelength = document.GeneralParameters().wavelength;
    // The card shows the fibre length, which follows the events too.
    key.fRange = float(sor::FibreLength(document));
    key.fGroupIndex = fixed.groupIndex;
    key.nUnit = int(CDistanceUnit::Of(&document));
    if (const std::optional<analysis::tVerdict> verdict = analysis::CActiveVerdict::Of(document))
        key.nVerdict = int(verdict->state);

    if (const tCard* const stored = m_cards.object(listed.data());
        stored && stored->listed.toStrongRef() == listed && stored->key == key)
        return stored->pixmap;

    CFileListElementWidget card(row, state, listed, nullptr);
    card.Thumbnail()->SetBackground(m_pView->GraphState().background);
    card.setFixedSize(size);
    card.layout()->activate();
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    card.render(&pixmap);

    const int kilobytes = int(qMax<qint64>(1, qint64(pixmap.width()) * pixmap.height() * 4 / 1024));
    m_cards.insert(listed.data(), new tCard { listed, key, pixmap }, kilobytes);
    return pixmap;
}

void CFileListElementDelegate::PaintMark(QPainter* painter, const QRect& card, const QColor& colour)
{
    // A round mark with "!" at the card's left edge, under the row number,
    // where the card draws nothing.
    const int size = qMax(12, card.height() / 5);
    const QRect mark(card.left() + 4, card.top() + size + 6, size, size);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(Qt::white, 1));
    painter->setBrush(colour);
    painter->drawEllipse(mark);
    QFont font = painter->font();
    font.setBold(true);
    font.setPixelSize(qMax(8, size * 3 / 4));
    painter->setFont(font);
    painter->setPen(Qt::white);
    painter->drawText(mark, Qt::AlignCenter, QStringLiteral("!"));
    painter->restore();
}

void CFileListElementDelegate::PaintUnreadable(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // A plain card: the file's name, the word "unreadable" and the reason
    // as far as it fits; the whole reason is in the tool tip.
    painter->save();
    const QRect card = QRect(option.rect.topLeft(), sizeHint(option, index)).adjusted(1, 1, -1, -1);
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(card, selected ? option.palette.highlight() : option.palette.window());
    painter->setPen(QPen(QColor(0xC0, 0x30, 0x30), 1, Qt::DashLine));
    painter->drawRect(card.adjusted(0, 0, -1, -1));
    painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.windowText().color());
    const QRect text = card.adjusted(6, 4, -6, -4);
    QFont font = painter->font();
    font.setBold(true);
    painter->setFont(font);
    const QFontMetrics bold(font);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignTop,
        bold.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideMiddle, text.width()));
    font.setBold(false);
    painter->setFont(font);
    const QRect below = text.adjusted(card.height() / 5 + 6, bold.height() + 2, 0, 0);
    painter->drawText(below, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        tr("Unreadable: %1").arg(m_pView->UnreadableReason(index.row())));
    painter->restore();
    PaintMark(painter, option.rect, QColor(0xC0, 0x30, 0x30));
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_Item | QStyle::State_KeyboardFocusChange;
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
    }
}

void CFileListElementDelegate::DropCache()
{
    m_cards.clear();
}

QWidget* CFileListElementDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option);
    auto* const editor
        = new CFileListElementWidget(index.row(), CFileListElementWidget::StateSelected, Listed(index), parent);
    editor->Thumbnail()->SetBackground(m_pView->GraphState().background);
    connect(editor, &CFileListElementWidget::editingOk, this, &CFileListElementDelegate::OnEditingOk);
    connect(editor, &CFileListElementWidget::editingLeave, this, &CFileListElementDelegate::OnEditingLeave);
    return editor;
}

void CFileListElementDelegate::updateEditorGeometry(
    QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(index);
    editor->setGeometry(option.rect);
}

void CFileListElementDelegate::OnEditingOk(CFileListElementWidget* editor)
{
    const QSharedPointer<tListedFile> listed = editor->ListedFile();
    if (!listed || !listed->file)
        return;
    // The editor closes on this Return; the rename runs once it is gone, so
    // that a refusal's message box never opens over an editor being deleted.
    const QSharedPointer<sor::CFile> file = listed->file;
    const QString name = editor->NameText();
    const QPointer<CFileList> view = m_pView;
    QMetaObject::invokeMethod(
        this,
        [view, file, name] {
            if (!view)
                return;
            view->Rename(file, name);
            view->setFocus();
        },
        Qt::QueuedConnection);
}

void CFileListElementDelegate::OnEditingLeave(CFileListElementWidget* editor)
{
    // Closing (also by Escape) moves the focus away from the name editor,
    // which then reports the end of editing once more.
    if (editor->property(kClosing).toBool())
        return;
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool CFileListElementDelegate::helpEvent(
    QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QSharedPointer<tListedFile> listed = Listed(index);
    if (event && event->type() == QEvent::ToolTip && listed && listed->file) {
        const QString star = listed->file->IsModified() ? QStringLiteral("* ") : QString();
        const QString state = CFileList::StateText(*listed->file);
        QToolTip::showText(event->globalPos(),
            star + QFileInfo(listed->file->Path()).fileName() + (state.isEmpty() ? QString() : QLatin1Char('\n') + state),
            view);
        return true;
    }
    if (event && event->type() == QEvent::ToolTip && index.isValid()
        && !m_pView->UnreadableReason(index.row()).isEmpty()) {
        QToolTip::showText(event->globalPos(), m_pView->StateText(index.row()), view);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

bool CFileListElementDelegate::eventFilter(QObject* watched, QEvent* event)
{
    // Return belongs to the name editor, which renames and closes the card
    // itself; the standard handling would close it a second time later.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}
