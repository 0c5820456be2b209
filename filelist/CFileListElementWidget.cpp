#include "CFileListElementWidget.h"

#include "CColorBox.h"
#include "CVerdictMark.h"

#include <CActiveVerdict.h>
#include <CDateFormat.h>
#include <CGraphWidget.h>

#include <QApplication>
#include <QBoxLayout>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

namespace {

// Width of the card's border in its row's state colour.
constexpr int kBorder = 6;

QHBoxLayout* Row(QVBoxLayout* card, int spacing)
{
    auto* const row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    card->addLayout(row);
    return row;
}

// The name as a heading, shown as written: a file name may hold "&" or "<".
QString Heading(const QString& name)
{
    return QStringLiteral("<h3>") + name.toHtmlEscaped() + QStringLiteral("</h3>");
}

} // namespace

CFileListElementWidget::CFileListElementWidget(
    int row, quint32 state, const QSharedPointer<tListedFile>& listed, QWidget* parent)
    : QFrame(parent), m_pListed(listed)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);

    const sor::CFile* const document = listed ? listed->file.data() : nullptr;
    const QString path = document ? document->Path() : QString();

    auto* const number = new QLabel(tr("%1%2 ").arg(QChar(0x2116)).arg(row + 1), this);
    auto* const date = new QLabel(document ? DateText(document->FixedParameters().dateTime) : QString(), this);
    date->setAlignment(Qt::AlignCenter);
    const QString operatorName = document ? QString(document->GeneralParameters().operatorName) : QString();
    QLabel* const operatorLabel = operatorName.isEmpty() ? nullptr : new QLabel(operatorName, this);
    const std::optional<analysis::tVerdict> verdict
        = document ? analysis::CActiveVerdict::Of(*document) : std::optional<analysis::tVerdict>();
    CVerdictMark* const mark = verdict ? new CVerdictMark(verdict->state, this) : nullptr;

    QWidget* name = nullptr;
    if (parent) {
        m_pNameEditor = new QLineEdit(QFileInfo(path).completeBaseName(), this);
        m_pNameEditor->setObjectName(QStringLiteral("nameEditor"));
        m_pNameEditor->setFrame(false);
        m_pNameEditor->setFocusPolicy(Qt::StrongFocus);
        setFocusProxy(m_pNameEditor);
        connect(m_pNameEditor, &QLineEdit::returnPressed, this, &CFileListElementWidget::OnEditingOk);
        connect(m_pNameEditor, &QLineEdit::editingFinished, this, &CFileListElementWidget::OnEditingLeave);
        name = m_pNameEditor;
    } else {
        const QString star = document && document->IsModified() ? QStringLiteral("* ") : QString();
        m_sName = star + QFileInfo(path).fileName();
        m_pHeading = new QLabel(this);
        m_pHeading->setTextFormat(Qt::RichText);
        m_pHeading->setAlignment(Qt::AlignCenter);
        // A long name gives way to the number instead of widening the card;
        // it is shortened to the room it gets (resizeEvent).
        m_pHeading->setMinimumWidth(1);
        m_pHeading->setText(Heading(m_sName));
        name = m_pHeading;
    }

    CColorBox* const swatch = listed && listed->nSlot >= 0 ? new CColorBox(listed->colour, this) : nullptr;
    m_pThumbnail = new CGraphWidget(this, listed);

    // Brushes and text colour follow the row's state.
    const QPalette standard = QApplication::style()->standardPalette();
    const bool selected = state & StateSelected;
    QPalette::ColorRole textRole = QPalette::WindowText;
    if ((state & StateCurrent) && (state & StateFocus)) {
        m_background = standard.highlight();
        m_inner = selected ? standard.highlight() : standard.base();
        textRole = selected ? QPalette::HighlightedText : QPalette::WindowText;
    } else if (state & StateCurrent) {
        m_background = standard.dark();
        m_inner = selected ? standard.window() : standard.base();
    } else if (selected) {
        m_background = standard.window();
        m_inner = standard.window();
    } else {
        m_background = standard.base();
        m_inner = standard.base();
    }
    QPalette cardPalette = standard;
    cardPalette.setColor(QPalette::WindowText, standard.color(textRole));
    setPalette(cardPalette);
    m_pThumbnail->setPalette(standard);

    number->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    name->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    date->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    if (operatorLabel)
        operatorLabel->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    m_pThumbnail->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    const int hMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4;
    const int vMargin = style()->pixelMetric(QStyle::PM_FocusFrameVMargin);
    auto* const card = new QVBoxLayout(this);
    card->setSpacing(0);
    card->setContentsMargins(hMargin, vMargin, hMargin, vMargin + 4);
    QHBoxLayout* const first = Row(card, 0);
    first->addWidget(number);
    first->addWidget(name);
    // A gap keeps the date, the operator and the verdict mark apart when the
    // row is full.
    QHBoxLayout* const second = Row(card, 4);
    second->addWidget(date);
    if (operatorLabel)
        second->addWidget(operatorLabel);
    if (mark)
        second->addWidget(mark);
    QHBoxLayout* const third = Row(card, 3);
    if (swatch)
        third->addWidget(swatch);
    third->addWidget(m_pThumbnail);
}

QString CFileListElementWidget::NameText() const
{
    return m_pNameEditor ? m_pNameEditor->text() : QString();
}

QString CFileListElementWidget::DateText(const QDateTime& dateTime)
{
    return CDateFormat::Text(dateTime.toUTC());
}

void CFileListElementWidget::OnEditingOk()
{
    emit editingOk(this);
}

void CFileListElementWidget::OnEditingLeave()
{
    emit editingLeave(this);
}

void CFileListElementWidget::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        // Painting is clipped to the event's region; the border is always
        // measured from the whole card.
        painter.fillRect(rect(), m_background);
        painter.fillRect(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder), m_inner);
    }
    QFrame::paintEvent(event);
}

void CFileListElementWidget::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (!m_pHeading)
        return;
    // The layout has placed the heading already. A heading is set in bold at
    // 1.2 times the label's font.
    QFont font = m_pHeading->font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 1.2);
    else
        font.setPixelSize(qRound(font.pixelSize() * 1.2));
    m_pHeading->setText(
        Heading(QFontMetrics(font).elidedText(m_sName, Qt::ElideMiddle, m_pHeading->contentsRect().width())));
}

void CFileListElementWidget::keyPressEvent(QKeyEvent* event)
{
    // Up and Down must not reach the list and move its current row from
    // under the editor. Return has been dealt with by the name editor.
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_pNameEditor) {
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QFrame::keyPressEvent(event);
}
