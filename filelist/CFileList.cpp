#include "CFileList.h"

#include "CFileListWatcher.h"
#include "ComparePalette.h"
#include "IARMessageBox.h"

#include <Exception.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScrollBar>
#include <QSet>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kMinimumWidth = 185;
constexpr int kMaximumWidth = 300;

// A saved view centre is kept in whole units; a value that does not fit (or is
// not a number at all) is limited instead of overflowing the conversion.
qint32 Truncated(double value)
{
    if (!(value == value))
        return 0;
    constexpr double low = std::numeric_limits<qint32>::min();
    constexpr double high = std::numeric_limits<qint32>::max();
    return qint32(std::trunc(std::clamp(value, low, high)));
}

bool Contains(const std::deque<QSharedPointer<tListedFile>>& set, const QSharedPointer<tListedFile>& listed)
{
    return std::find(set.begin(), set.end(), listed) != set.end();
}

} // namespace

CFileList::CFileList(QWidget* parent)
    : QListWidget(parent),
      m_pParent(parent),
      m_pWatcher(new CFileListWatcher(this, this)),
      m_sFileFilter(tr("Bellcore v1.0 files (*.sor);;All files (*.*)"))
{
    setMinimumWidth(kMinimumWidth);
    setMaximumWidth(kMaximumWidth);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFocusPolicy(Qt::StrongFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);

    connect(this, &QListWidget::currentItemChanged, this,
        qOverload<QListWidgetItem*, QListWidgetItem*>(&CFileList::OnCurrentItemChanged));
    connect(this, &QAbstractItemView::doubleClicked, this, &CFileList::doubleClicked);
}

CFileList::~CFileList()
{
    // The rows go while this object is still a file list: no refresh may run
    // on a half-destroyed list, and documents shared elsewhere stop calling it.
    blockSignals(true);
    for (int row = 0; row < count(); ++row) {
        if (const QSharedPointer<tListedFile> listed = ListedFile(item(row)); listed && listed->file)
            disconnect(listed->file.data(), nullptr, this, nullptr);
    }
    clear();
    m_graphState.SetFiles(nullptr);
}

QSharedPointer<sor::CFile> CFileList::GetFile(int row) const
{
    const QSharedPointer<tListedFile> listed = ListedFile(item(row));
    return listed ? listed->file : QSharedPointer<sor::CFile>();
}

int CFileList::GetCount() const
{
    return count();
}

void CFileList::ReloadFile(int row)
{
    const QSharedPointer<sor::CFile> file = GetFile(row);
    if (!file)
        return;
    const QString path = file->Path();
    for (int other = 0; other < count(); ++other) {
        if (const QSharedPointer<sor::CFile> listed = GetFile(other); listed && listed->Path() == path) {
            RemoveRow(other);
            break;
        }
    }
    AddFile(path, nullptr);
}

bool CFileList::CloseFile(int row)
{
    return CloseRow(row, false, nullptr);
}

void CFileList::Rescan()
{
    SetDir(QDir::currentPath());
}

void CFileList::SetDir(const QString& path)
{
    const QString folder = path.isEmpty() ? QDir::homePath() : path;
    m_pWatcher->StopWatching();
    // A folder that cannot be entered is not reported here: the folder that
    // stays current is listed instead.
    QDir::setCurrent(folder);
    const QDir current = QDir::current();
    QWidget* titled = m_pParent ? m_pParent : this;
    titled->setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" - [%1]").arg(current.absolutePath()));

    const int remembered = currentRow();

    // The listed paths are collected once, so that a large folder is not
    // compared row by row for every file.
    QSet<QString> listedPaths;
    listedPaths.reserve(count());
    for (int row = 0; row < count(); ++row) {
        if (const QSharedPointer<sor::CFile> file = GetFile(row))
            listedPaths.insert(file->Path());
    }

    tErrorState state;
    m_bListing = true;
    const QFileInfoList entries = current.entryInfoList({ QStringLiteral("*.sor") }, QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString canonical = entry.canonicalFilePath();
        if (canonical.isEmpty() || listedPaths.contains(canonical))
            continue;
        listedPaths.insert(canonical);
        if (!AddFile(canonical, &state))
            break;
    }
    m_bListing = false;

    m_pWatcher->WatchFolder(current.canonicalPath());
    SetCurrentRowWithin(remembered);
    UpdateState();
}

bool CFileList::AddFile(const QString& path, tErrorState* state)
{
    const QString name = QFileInfo(path).fileName();
    for (;;) {
        bool retry = false;
        bool goOn = true;
        QSharedPointer<sor::CFile> file;
        quint32 warnings = 0;
        QMessageBox::Icon icon = QMessageBox::Information;
        QString title;
        QString text;
        bool* ignoreAll = nullptr;
        try {
            file = QSharedPointer<sor::CFile>::create(path, warnings);
        } catch (const EFileAccessError& error) {
            icon = QMessageBox::Warning;
            title = tr("Loading file \"%1\" problem").arg(name);
            text = error.Message();
            ignoreAll = state ? &state->bIgnoreProblems : nullptr;
        } catch (const Exception& error) {
            icon = QMessageBox::Critical;
            title = tr("Loading file \"%1\" error").arg(name);
            text = error.Message();
            ignoreAll = state ? &state->bIgnoreErrors : nullptr;
        }

        if (!file) {
            // Ignored: the file is left out and the operation goes on.
            goOn = IARMessageBox::Exec(this, icon, title, text, retry, ignoreAll, false);
            if (!goOn)
                return false;
            if (retry)
                continue;
            return true;
        }

        warnings &= bc::WarningCodepageMissing | bc::WarningChecksumMissing | bc::WarningChecksumWrong;
        if (warnings != 0) {
            if (warnings & bc::WarningCodepageMissing)
                text += tr("Requested codepage not present (file loaded)\n");
            if (warnings & bc::WarningChecksumMissing)
                text += tr("CRC block not present (file loaded)\n");
            if (warnings & bc::WarningChecksumWrong)
                text += tr("Invalid file CRC (file loaded)\n");
            goOn = IARMessageBox::Exec(this, QMessageBox::Information,
                tr("warnings file \"%1\" loading found").arg(name), text, retry,
                state ? &state->bIgnoreWarnings : nullptr, state == nullptr);
            if (!goOn)
                return false;
            if (retry)
                continue;
        }
        AddItem(file);
        return true;
    }
}

void CFileList::AddLoadedFiles(const QList<QPair<QString, QByteArray>>& files)
{
    const int remembered = currentRow();
    const int oldCount = count();
    tErrorState state;

    m_bListing = true;
    for (const QPair<QString, QByteArray>& loaded : files) {
        const QString& target = loaded.first;
        const QByteArray& bytes = loaded.second;
        bool written = false;
        bool goOn = true;
        for (bool retry = true; retry && goOn;) {
            QFile file(target);
            written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
            file.close();
            if (written)
                break;
            const QString text = EFileAccessError(Exception::ModuleStream, __LINE__).Message();
            goOn = IARMessageBox::Exec(this, QMessageBox::Warning,
                tr("Loading file \"%1\" problem").arg(QFileInfo(target).fileName()), text, retry,
                &state.bIgnoreProblems, false);
        }
        if (!goOn)
            break;
        if (!written)
            continue;

        // A download that overwrote a listed file replaces its row: two rows of
        // one path would let the stale document be saved over the new trace.
        const QString canonical = QFileInfo(target).canonicalFilePath();
        const QString listedPath = canonical.isEmpty() ? target : canonical;
        for (int row = 0; row < count(); ++row) {
            if (const QSharedPointer<sor::CFile> listed = GetFile(row); listed && listed->Path() == listedPath) {
                RemoveRow(row);
                break;
            }
        }
        if (!AddFile(listedPath, &state))
            break;
    }

    m_bListing = false;

    // After a download the first new trace becomes current.
    SetCurrentRowWithin(files.isEmpty() ? remembered : oldCount);
    UpdateState();
}

QSharedPointer<tListedFile> CFileList::ListedFile(const QListWidgetItem* item)
{
    if (!item)
        return {};
    return item->data(Qt::UserRole).value<QSharedPointer<tListedFile>>();
}

void CFileList::RemoveRow(int row)
{
    QListWidgetItem* const rowItem = item(row);
    if (!rowItem)
        return;
    const QSharedPointer<tListedFile> listed = ListedFile(rowItem);
    if (listed && Contains(m_compareSet, listed))
        LeaveCompare(listed);
    if (listed && listed->file) {
        m_pWatcher->UnwatchFile(listed->file->Path());
        disconnect(listed->file.data(), nullptr, this, nullptr);
    }
    delete takeItem(row);
    OnCurrentItemChanged();
}

bool CFileList::CloseRow(int row, bool save, tErrorState* state)
{
    if (count() == 0)
        return true;
    const QSharedPointer<sor::CFile> file = GetFile(row);
    if (!file)
        return true;
    if (save && file->IsModified() && !SaveRow(row, state))
        return false;

    // The current file stays current when another row goes; when the current
    // row itself goes, the row that takes its place becomes current.
    const int remembered = currentRow();
    RemoveRow(row);
    SetCurrentRowWithin(row < remembered ? remembered - 1 : remembered);
    return true;
}

void CFileList::ToggleCompare()
{
    const QSharedPointer<tListedFile> listed = ListedFile(currentItem());
    if (count() == 0 || !listed)
        return;

    if (Contains(m_compareSet, listed)) {
        LeaveCompare(listed);
    } else if (int(m_compareSet.size()) < kCompareSlots) {
        int slot = 0;
        while (slot < kCompareSlots && (m_nUsedSlots & (1u << slot)))
            ++slot;
        m_nUsedSlots |= 1u << slot;
        listed->nSlot = slot;
        listed->colour = ComparePalette(slot, false);
        m_compareSet.push_back(listed);
    } else {
        QMessageBox box(QMessageBox::Information, tr("Add to compare"),
            tr("Maximum number of files for compare is %1").arg(kCompareSlots), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    update(currentIndex());
    OnCurrentItemChanged();
}

void CFileList::OnCurrentItemChanged(QListWidgetItem* current, QListWidgetItem* previous)
{
    Q_UNUSED(current);
    Q_UNUSED(previous);
    OnCurrentItemChanged();
}

void CFileList::OnCurrentItemChanged(QListWidgetItem* current)
{
    Q_UNUSED(current);
    OnCurrentItemChanged();
}

void CFileList::OnCurrentItemChanged()
{
    // The file that was shown alone keeps the view it was left with.
    if (!m_shownSet.empty()) {
        tListedFile& left = *m_shownSet.front();
        left.fZoomX = m_graphState.xZoom;
        left.fZoomY = m_graphState.yZoom;
        left.nCentreX = Truncated(m_graphState.centre.x());
        left.nCentreY = Truncated(m_graphState.centre.y());
    }
    m_shownSet.clear();

    const QSharedPointer<tListedFile> current = ListedFile(currentItem());
    if (count() == 0 || !current) {
        m_graphState.SetFiles(nullptr);
    } else {
        for (const QSharedPointer<tListedFile>& member : m_compareSet)
            member->colour = ComparePalette(member->nSlot, member->file == current->file);

        if (Contains(m_compareSet, current)) {
            // The other members in list order, the current file last: the
            // plot takes the active document from the last entry.
            std::deque<QSharedPointer<tListedFile>> ordered;
            const size_t others = m_compareSet.size() - 1;
            for (int row = 0; row < count() && ordered.size() < others; ++row) {
                const QSharedPointer<tListedFile> listed = ListedFile(item(row));
                if (listed != current && Contains(m_compareSet, listed))
                    ordered.push_back(listed);
            }
            for (const QSharedPointer<tListedFile>& member : m_compareSet) {
                if (member != current && !Contains(ordered, member))
                    ordered.push_back(member);
            }
            ordered.push_back(current);
            m_compareSet.swap(ordered);
            m_shownSet.push_back(current);
            m_graphState.SetFiles(&m_compareSet);
        } else {
            m_shownSet.push_back(current);
            m_graphState.SetFiles(&m_shownSet);
            const QList<QListWidgetItem*> selected = selectedItems();
            if (selected.size() == 1)
                scrollToItem(selected.front());
        }
    }
    viewport()->update();
    UpdateState();
}

void CFileList::OnFileChanged(bool changed)
{
    Q_UNUSED(changed);
    // Any listed document may report a change (the watcher marks removed
    // files modified); the main window's Save action follows the current one.
    const QSharedPointer<sor::CFile> current = GetFile(currentRow());
    emit sigFileChanged(current && current->IsModified());
    viewport()->update();
}

void CFileList::OnUncheckAll()
{
    while (!m_compareSet.empty())
        LeaveCompare(m_compareSet.front());
    viewport()->update();
    OnCurrentItemChanged();
    emit sigHasChecked(false);
}

void CFileList::doubleClicked(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    ToggleCompare();
}

void CFileList::keyPressEvent(QKeyEvent* event)
{
    // Alt combinations belong to the main window's shortcuts.
    if (event->modifiers() & Qt::AltModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        if (event->modifiers() == Qt::NoModifier)
            ToggleCompare();
        break;
    case Qt::Key_Escape:
        OnUncheckAll();
        break;
    case Qt::Key_Delete:
        // Deleting the selected files is one of the file operations; until
        // they are wired here the key goes only through the standard handling.
        break;
    default:
        break;
    }
    QListWidget::keyPressEvent(event);
}

void CFileList::resizeEvent(QResizeEvent* event)
{
    const QSize size = RowSize();
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem* const rowItem = item(row);
        if (rowItem->sizeHint() != size)
            rowItem->setSizeHint(size);
    }
    QListWidget::resizeEvent(event);
}

void CFileList::AddItem(const QSharedPointer<sor::CFile>& file)
{
    connect(file.data(), &sor::CFile::sigFileChanged, this, &CFileList::OnFileChanged);

    auto* const rowItem = new QListWidgetItem(QFileInfo(file->Path()).fileName());
    rowItem->setFlags(rowItem->flags() | Qt::ItemIsEditable);
    rowItem->setData(Qt::UserRole, QVariant::fromValue(QSharedPointer<tListedFile>::create(file)));
    m_pWatcher->WatchFile(file->Path());

    // The new row does not become current, except in a list without a current
    // row. It is not made current even for a moment: that would switch the
    // plot to it and back, re-fitting the markers to its length and costing
    // two refreshes for every file of a folder.
    const int remembered = currentRow();
    addItem(rowItem);
    if (remembered < 0)
        SetCurrentRowWithin(0);
    else if (!m_bListing)
        scrollToItem(currentItem());
}

void CFileList::LeaveCompare(const QSharedPointer<tListedFile>& listed)
{
    const auto found = std::find(m_compareSet.begin(), m_compareSet.end(), listed);
    if (found == m_compareSet.end())
        return;
    m_compareSet.erase(found);
    if (listed->nSlot >= 0 && listed->nSlot < kCompareSlots)
        m_nUsedSlots &= ~(1u << listed->nSlot);
    listed->nSlot = -1;
    listed->colour = QColor(Qt::blue);
}

void CFileList::UpdateState()
{
    m_graphState.Recompute();
    emit sigEnabled(count() != 0);
    emit sigHasChecked(!m_compareSet.empty());
    const QSharedPointer<sor::CFile> current = GetFile(currentRow());
    emit sigFileChanged(current && current->IsModified());
}

bool CFileList::SaveRow(int row, tErrorState* state)
{
    Q_UNUSED(state);
    const QSharedPointer<sor::CFile> file = GetFile(row);
    // Writing documents back belongs to the file operations. Until they are in
    // place a modified document cannot be saved, so its row must stay: closing
    // it would throw the changes away.
    return !file || !file->IsModified();
}

QSize CFileList::RowSize() const
{
    // Rows take the width the list leaves beside its scroll bar and the
    // height of one line of the standard item text.
    const QScrollBar* const bar = verticalScrollBar();
    const int scrollBarWidth = bar && bar->minimum() != bar->maximum() ? bar->width() : 0;
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, this) + 1;
    return QSize(contentsRect().width() - scrollBarWidth, fontMetrics().height() + 2 * margin);
}

void CFileList::SetCurrentRowWithin(int row)
{
    if (count() == 0)
        return;
    setCurrentRow(std::clamp(row, 0, count() - 1));
    scrollToItem(currentItem());
}
