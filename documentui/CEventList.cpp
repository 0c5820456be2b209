#include "CEventList.h"

#include "CTableWidgetDelegate.h"
#include "RangeText.h"
#include "CVerdictCells.h"

#include <CDistanceUnit.h>

#include <CEntryGuard.h>
#include <CEventIcon.h>
#include <CActiveVerdict.h>
#include <CFileList.h>
#include <CValueEdit.h>
#include <tGraphState.h>

#include <algorithm>

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Item data of the comment cells, by which edits are told from other changes.
const QString kCommentMarker = QStringLiteral("Comment");
// Loss and attenuation are shown within +-16, reflectance within +-70.
constexpr double kLossLimit = 16;
constexpr double kReflectanceLimit = 70;
// Events closer than this before the centre cursor count as at it (metres).
constexpr float kSelectMargin = 1.0f;

QTableWidgetItem* ReadOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

CEventList::CEventList(CFileList* fileList, QWidget* parent) : QTableWidget(parent), m_pFileList(fileList)
{
    setFocusPolicy(Qt::WheelFocus);
    setMinimumHeight(100);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    verticalHeader()->hide();
    // One line a row: a long comment is cut at its column rather than making
    // every row taller.
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows can be selected to be copied (Ctrl+C); editing acts on the current row.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setTabKeyNavigation(false);
    // A comment is refused as it is typed when it is too long or holds a
    // character the file's codepage cannot store.
    auto* delegate = new CTableWidgetDelegate(this);
    delegate->SetValidatorMaker([this](const QModelIndex& index, QObject* editor) -> QValidator* {
        if (index.column() != ColumnComment)
            return nullptr;
        const QSharedPointer<sor::CFile> file = CurrentFile();
        return CType::CValueEdit::CreateValidator(
            m_commentLimits, editor, index.data().toString(), file ? file->CodecName() : QByteArray());
    });
    setItemDelegate(delegate);
    hide();

    m_pNoEvents = new QWidget(viewport());
    m_pNoEvents->setObjectName(QStringLiteral("noEvents"));
    auto* notice = new QVBoxLayout(m_pNoEvents);
    auto* text = new QLabel(tr("This trace carries no events."), m_pNoEvents);
    auto* analyze = new QPushButton(tr("Analyze trace"), m_pNoEvents);
    analyze->setObjectName(QStringLiteral("analyzeTrace"));
    notice->addWidget(text, 0, Qt::AlignHCenter);
    notice->addWidget(analyze, 0, Qt::AlignHCenter);
    m_pNoEvents->hide();
    connect(analyze, &QPushButton::clicked, this, &CEventList::sigAnalyzeRequested);

    connect(this, &QTableWidget::itemChanged, this, &CEventList::OnItemChanged);
    connect(this, &QTableWidget::cellDoubleClicked, this, &CEventList::OnCellDoubleClicked);
}

void CEventList::PlaceNotice()
{
    m_pNoEvents->adjustSize();
    m_pNoEvents->move(std::max(0, (viewport()->width() - m_pNoEvents->width()) / 2),
        std::max(0, (viewport()->height() - m_pNoEvents->height()) / 2));
}

void CEventList::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    PlaceNotice();
}

QSharedPointer<sor::CFile> CEventList::CurrentFile() const
{
    return m_pFileList ? m_pFileList->GetFile(m_pFileList->currentRow()) : QSharedPointer<sor::CFile>();
}

void CEventList::OnUpdateView()
{
    if (m_bChanging) {
        m_bRebuildPending = true;
        return;
    }
    // The verdict goes out before the signals are blocked for the filling.
    const QSharedPointer<sor::CFile> judged = CurrentFile();
    const std::optional<analysis::tVerdict> verdict
        = judged ? analysis::CActiveVerdict::Of(*judged) : std::optional<analysis::tVerdict>();
    emit sigVerdict(verdict);
    // Filling the cells is no edit of a comment.
    const QSignalBlocker blocker(this);
    clear();
    setRowCount(0);

    // Hidden only when there is nothing to show: hiding it for every rebuild
    // would take the keyboard focus away from it after each deletion.
    const QSharedPointer<sor::CFile> file = CurrentFile();
    m_pNoEvents->setVisible(file && file->KeyEvents().empty());
    if (!file) {
        hide();
        return;
    }
    if (file->KeyEvents().empty()) {
        show();
        PlaceNotice();
        return;
    }
    const std::deque<sor::tKeyEvent>& events = file->KeyEvents();
    show();
    setRowCount(int(events.size()));
    setColumnCount(ColumnCount);
    // The units go on a second line of the header, so that the columns are as
    // narrow as their numbers and the comment keeps room (the Russian headers
    // are long).
    QStringList headers = HeaderTexts(file.data());
    for (QString& header : headers)
        header.replace(QStringLiteral(" ["), QStringLiteral("\n["));
    setHorizontalHeaderLabels(headers);
    // The comment takes the width that is left.
    horizontalHeader()->setSectionResizeMode(ColumnComment, QHeaderView::Stretch);

    const QList<QStringList> rows = RowTexts(*file);
    for (int row = 0; row < int(rows.size()); ++row)
        FillRow(row, events[size_t(row)], rows[row]);
    // The pictures the plot draws, which also know the whole file: saturated
    // reflections as reflections, the fibre's end as the end.
    for (int row = 0; row < int(rows.size()); ++row)
        item(row, ColumnEvent)->setIcon(CEventIcon::Icon(CEventIcon::KindOf(*file, row)));
    if (verdict)
        CVerdictCells::Apply(*this, *verdict);
    if (m_nSelectedRow >= 0 && m_nSelectedRow < rowCount())
        selectRow(m_nSelectedRow);
    // The values fit their columns; sizing the stretched comment to its text
    // as well would keep it from filling the rest of the table.
    for (int column = 0; column < ColumnComment; ++column)
        resizeColumnToContents(column);
    // Every row gets the height of the tallest, so rows with and without a
    // reflectance, or sized before and after the table was laid out, line up.
    resizeRowsToContents();
    int height = 0;
    for (int row = 0; row < rowCount(); ++row)
        height = std::max(height, rowHeight(row));
    for (int row = 0; row < rowCount(); ++row)
        setRowHeight(row, height);
}

QStringList CEventList::HeaderTexts(const sor::CFile* file)
{
    const QString unit = CDistanceUnit::Symbol(CDistanceUnit::Of(file));
    return { tr("Event %1").arg(QChar(0x2116)), tr("Distance [%1]").arg(unit), tr("Loss [dB]"),
        tr("Reflectance [dB]"), tr("Attenuation coeff. [dB/km]"), tr("Length [%1]").arg(unit), tr("Total loss [dB]"),
        tr("Comment") };
}

QList<QStringList> CEventList::RowTexts(const sor::CFile& file)
{
    // The fibre loss of a section and the loss of the event before it add up
    // from row to row; an event's own loss counts from the next row on.
    QList<QStringList> rows;
    double previous = 0;
    double previousLoss = 0;
    double total = 0;
    const CDistanceUnit::tUnit unit = CDistanceUnit::Of(&file);
    for (const sor::tKeyEvent& event : file.KeyEvents()) {
        const double distance = double(file.TimeToDistance(event.time)) / 1000.0;
        const double length = distance - previous;
        total += double(float(event.attenuation)) * length + previousLoss;
        const float reflectance = event.reflectance;
        // Distances to a tenth of a metre and losses to a thousandth of a dB, as
        // the panel and the plot show them: not the noise of the conversions.
        rows.append({ QString::number(event.number), CDistanceUnit::Number(distance * 1000, unit),
            sor::RangeText(float(event.loss), -kLossLimit, kLossLimit),
            reflectance == 0 ? QString() : sor::RangeText(reflectance, -kReflectanceLimit, kReflectanceLimit),
            sor::RangeText(float(event.attenuation), -kLossLimit, kLossLimit), CDistanceUnit::Number(length * 1000, unit),
            QString::number(total, 'f', 3), event.comment.Text() });
        previous = distance;
        previousLoss = float(event.loss);
    }
    return rows;
}

void CEventList::FillRow(int row, const sor::tKeyEvent& event, const QStringList& texts)
{
    QTableWidgetItem* number = ReadOnlyItem(texts[ColumnEvent]);
    number->setIcon(QIcon(event.codeType == sor::tKeyEvent::Reflective ? QStringLiteral(":/images/EventReflection.png")
                                                                       : QStringLiteral(":/images/EventJunction.png")));
    setItem(row, ColumnEvent, number);
    for (int column = ColumnDistance; column < ColumnComment; ++column)
        setItem(row, column, ReadOnlyItem(texts[column]));

    auto* comment = new QTableWidgetItem(texts[ColumnComment]);
    comment->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    comment->setData(Qt::UserRole, kCommentMarker);
    setItem(row, ColumnComment, comment);
}

void CEventList::OnUpdateSelectedNumber()
{
    const QSharedPointer<sor::CFile> file = CurrentFile();
    if (file && m_pFileList) {
        const float centre = m_pFileList->GraphState().cursors->Centre().Position();
        int before = 0;
        for (const sor::tKeyEvent& event : file->KeyEvents()) {
            if (!(centre - file->TimeToDistance(event.time) > kSelectMargin))
                break;
            ++before;
        }
        m_nSelectedRow = before;
    }
    OnUpdateView();
}

void CEventList::OnDeleteEvent()
{
    const QSharedPointer<sor::CFile> file = CurrentFile();
    const int row = currentRow();
    if (!file || row < 0)
        return;
    // The event after the deleted one, or the new last one, takes its place.
    const int remaining = int(file->KeyEvents().size()) - 1;
    bool deleted = false;
    if (!CEntryGuard::Run(this, [&] { deleted = file->DeleteKeyEvent(row); }) || !deleted)
        return;
    m_nSelectedRow = std::min(row, remaining - 1);
    OnUpdateView();
    emit sigUpdate();
}

void CEventList::OnEditEvent()
{
    const int row = currentRow();
    if (QTableWidgetItem* comment = row >= 0 ? item(row, ColumnComment) : nullptr)
        editItem(comment);
}

void CEventList::OnItemChanged(QTableWidgetItem* item)
{
    if (!item || item->data(Qt::UserRole).toString() != kCommentMarker || m_bChanging)
        return;
    const QSharedPointer<sor::CFile> file = CurrentFile();
    if (!file)
        return;
    m_bChanging = true;
    bool changed = false;
    if (!CEntryGuard::Run(this, [&] { changed = file->SetKeyEventComment(item->row(), item->text()); }))
        m_bRebuildPending = true; // the cell shows the comment the document kept
    m_bChanging = false;
    // The item is still being changed by the table: the rebuild, which shows
    // the comment as the document keeps it, follows once that is done.
    if (changed || m_bRebuildPending) {
        m_bRebuildPending = false;
        QMetaObject::invokeMethod(this, &CEventList::OnUpdateView, Qt::QueuedConnection);
    }
    if (changed)
        emit sigUpdate();
}

void CEventList::OnCellDoubleClicked(int row, int column)
{
    Q_UNUSED(column);
    if (QTableWidgetItem* comment = item(row, ColumnComment))
        editItem(comment);
}

void CEventList::keyPressEvent(QKeyEvent* event)
{
    // Alt combinations belong to the main window's shortcuts.
    if (event->modifiers() & Qt::AltModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Delete)
        OnDeleteEvent();
    if (event->matches(QKeySequence::Copy)) {
        CopySelectedRows();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void CEventList::CopySelectedRows() const
{
    QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    // Tab-separated with a header: pasted into a spreadsheet, every value is a cell.
    const auto cell = [](QString text) {
        return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    };
    QStringList lines;
    QStringList header;
    for (int column = 0; column < columnCount(); ++column)
        header << cell(horizontalHeaderItem(column) ? horizontalHeaderItem(column)->text() : QString());
    lines << header.join(QLatin1Char('\t'));
    for (const QModelIndex& row : rows) {
        QStringList cells;
        for (int column = 0; column < columnCount(); ++column)
            cells << cell(item(row.row(), column) ? item(row.row(), column)->text() : QString());
        lines << cells.join(QLatin1Char('\t'));
    }
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}
