#include "CFileList.h"

#include "CDocumentHistory.h"
#include "FileListSupport.h"

#include "CFileDialogs.h"
#include "CFileListWatcher.h"
#include "CFileListElementDelegate.h"
#include "CSaveList.h"
#include "CTraceWindow.h"
#include "CTrash.h"
#include "ComparePalette.h"
#include "IARMessageBox.h"

#include <Exception.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSaveFile>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QUndoGroup>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

using namespace filelist;

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
      m_pDelegate(new CFileListElementDelegate(this)),
      m_sFileFilter(tr("Bellcore v1.0 files (*.sor);;All files (*.*)")),
      m_pDialogs(&CFileDialogs::Standard())
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
    setItemDelegate(m_pDelegate);
    // Rows leave room for the scroll bar while it is needed.
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &CFileList::UpdateRowSizes);

    connect(this, &QListWidget::currentItemChanged, this,
        qOverload<QListWidgetItem*, QListWidgetItem*>(&CFileList::OnCurrentItemChanged));
    connect(this, &QAbstractItemView::doubleClicked, this, &CFileList::doubleClicked);
    // Traces out of view leave memory; their cards keep the outline.
    new CTraceWindow(this);
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
    // The file is read once before its row goes: a file that no longer loads
    // leaves the listed trace (and its unsaved changes) as it was.
    const std::optional<tFailure> failure = Attempt([&] {
        quint32 warnings = 0;
        sor::CFile probe(path, warnings);
    });
    if (failure) {
        const QString name = FileName(path);
        ShowBox(this, failure->bAccess ? QMessageBox::Warning : QMessageBox::Critical,
            failure->bAccess ? tr("Cannot reload \"%1\"").arg(name)
                             : tr("Error reloading \"%1\"").arg(name),
            failure->sMessage + QStringLiteral("\n\n") + tr("The file stays listed as it was loaded before."));
        return;
    }
    // The new trace is listed before the old row goes, so that declining its
    // load warnings keeps the old one too.
    const bool wasCurrent = row == currentRow();
    const int before = count();
    if (!AddFile(path, nullptr) || count() == before)
        return;
    RemoveRow(RowOf(file));
    // The row that went took the watch of the shared path with it.
    m_pWatcher->WatchFile(path);
    if (!wasCurrent)
        return;
    for (int listed = 0; listed < count(); ++listed) {
        if (GetFile(listed)->Path() == path)
            SetCurrentRowWithin(listed);
    }
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
    const CFileListWatcher::tOwnChanges own(m_pWatcher);
    m_pWatcher->UnwatchDirs();
    // A folder that cannot be entered is not reported here: the folder that
    // stays current is listed instead.
    QDir::setCurrent(folder);
    const QDir current = QDir::current();
    QWidget* titled = m_pParent ? m_pParent : this;
    titled->setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" - [%1]").arg(current.absolutePath()));

    // Unreadable files are read again.
    RemoveUnreadable();
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
    QFileInfoList entries = current.entryInfoList({ QStringLiteral("*.sor") }, QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString canonical = entry.canonicalFilePath();
        if (canonical.isEmpty() || listedPaths.contains(canonical))
            continue;
        listedPaths.insert(canonical);
        if (!AddFile(canonical, &state))
            break;
    }
    m_bListing = false;
    // Not held while the watcher lists the folder once more.
    entries = QFileInfoList();

    m_pWatcher->WatchDir(current.canonicalPath());
    // The current file stays current where new names came before it.
    const int currentNow = currentRow();
    SetCurrentRowWithin(remembered >= 0 && currentNow >= 0 ? currentNow : remembered);
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
        try {
            file = QSharedPointer<sor::CFile>::create(path, warnings);
        } catch (const EFileAccessError& error) {
            icon = QMessageBox::Warning;
            title = tr("Cannot load \"%1\"").arg(name);
            text = error.Message();
        } catch (const Exception& error) {
            icon = QMessageBox::Critical;
            title = tr("Error loading \"%1\"").arg(name);
            text = error.Message();
        }

        if (!file) {
            // While a folder or a download is listed, an unreadable file is
            // listed as such, with its reason, and the listing goes on
            // without a question.
            if (state) {
                // A file that went away meanwhile is simply not there.
                if (QFileInfo::exists(path))
                    AddUnreadable(path, text);
                return true;
            }
            // One file: the box names it; Ignore, the default, lists it as
            // unreadable.
            goOn = IARMessageBox::Exec(this, icon, title,
                tr("The file \"%1\" cannot be read.").arg(name) + QStringLiteral("\n\n") + text, retry, nullptr,
                true, QMessageBox::Ignore);
            if (retry)
                continue;
            AddUnreadable(path, text);
            return goOn;
        }

        // What the load noticed about a trace it read whole (a checksum of no
        // known convention, a missing code page) is shown on its card and in
        // the status bar, not asked about.
        AddItem(file);
        return true;
    }
}

bool CFileList::AddLoadedFiles(const QList<QPair<QString, QByteArray>>& files)
{
    const CFileListWatcher::tOwnChanges own(m_pWatcher);
    const int remembered = currentRow();
    const int oldCount = count();
    QString firstNew;
    tErrorState state;
    bool all = true;

    m_bListing = true;
    for (const QPair<QString, QByteArray>& loaded : files) {
        const QString& target = loaded.first;
        const QByteArray& bytes = loaded.second;
        if (!ReleaseListed(target, tr("Loading file \"%1\"").arg(QFileInfo(target).fileName()))) {
            all = false;
            continue;
        }
        bool written = false;
        bool goOn = true;
        for (bool retry = true; retry && goOn;) {
            // A failed write must not leave a truncated file where an older
            // trace of the same name was.
            written = WriteWhole(target, bytes);
            if (written)
                break;
            const QString text = EFileAccessError(Exception::ModuleStream, __LINE__).Message();
            goOn = IARMessageBox::Exec(this, QMessageBox::Warning,
                tr("Cannot load \"%1\"").arg(QFileInfo(target).fileName()), text, retry,
                &state.bIgnoreProblems, false);
        }
        if (!goOn || !written) {
            all = false;
            if (!goOn)
                break;
            continue;
        }

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
        const int before = count();
        const bool goOnListing = AddFile(listedPath, &state);
        all = all && count() > before;
        if (!goOnListing)
            break;
        if (firstNew.isEmpty())
            firstNew = listedPath;
    }

    m_bListing = false;

    // After a download the first new trace becomes current, wherever its name
    // put it in the list.
    int firstRow = files.isEmpty() ? remembered : oldCount;
    for (int row = 0; !firstNew.isEmpty() && row < count(); ++row) {
        if (const QSharedPointer<sor::CFile> listed = GetFile(row); listed && listed->Path() == firstNew)
            firstRow = row;
    }
    SetCurrentRowWithin(firstRow);
    UpdateState();
    return all;
}

bool CFileList::ReleaseForCopy(const QSharedPointer<sor::CFile>& file, const QString& target)
{
    // A copy onto itself is refused by the copy; nothing is replaced.
    return SameFile(target, file->Path())
        || ReleaseListed(target, tr("Copying file \"%1\"").arg(FileName(file->Path())));
}

bool CFileList::ReleaseListed(const QString& target, const QString& title)
{
    int row = 0;
    while (row < count() && !(GetFile(row) && SameFile(GetFile(row)->Path(), target)))
        ++row;
    if (row == count() || !GetFile(row)->IsModified())
        return true;
    QMessageBox box(QMessageBox::Question, title,
        tr("\"%1\" has unsaved changes and is about to be replaced. Save the changes first?")
            .arg(FileName(target)),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Discard:
        return true;
    case QMessageBox::Save:
        // A save the user gave up or ignored keeps the file as it is.
        return SaveRow(row, nullptr) && !GetFile(row)->IsModified();
    default:
        return false;
    }
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
        if (const auto found = m_histories.find(listed->file.data()); found != m_histories.end()) {
            delete found->second;
            m_histories.erase(found);
        }
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
    // A save that failed (also one the user chose to ignore) keeps the row
    // with its changes.
    if (save && file->IsModified() && (!SaveRow(row, state) || file->IsModified()))
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

void CFileList::OnFileInformation(bool bNotShowDevice)
{
    const QSharedPointer<sor::CFile> file = GetFile(currentRow());
    if (file && m_informationDialog)
        m_informationDialog(file, !bNotShowDevice);
}

void CFileList::OnFileInformation()
{
    OnFileInformation(true);
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
        OnDeleteSelectedFiles();
        break;
    default:
        break;
    }
    QListWidget::keyPressEvent(event);
}

void CFileList::resizeEvent(QResizeEvent* event)
{
    UpdateRowSizes();
    QListWidget::resizeEvent(event);
}

void CFileList::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::LanguageChange:
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
        m_pDelegate->DropCache();
        viewport()->update();
        break;
    default:
        break;
    }
    QListWidget::changeEvent(event);
}

void CFileList::OnBackgroundChanged()
{
    m_pDelegate->DropCache();
    viewport()->update();
}

void CFileList::UpdateRowSizes()
{
    const QSize size = m_pDelegate->sizeHint(QStyleOptionViewItem(), QModelIndex());
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem* const rowItem = item(row);
        if (rowItem->sizeHint() != size)
            rowItem->setSizeHint(size);
    }
}

void CFileList::AddItem(const QSharedPointer<sor::CFile>& file)
{
    connect(file.data(), &sor::CFile::sigFileChanged, this, &CFileList::OnFileChanged);
    auto* history = new CDocumentHistory(file, this);
    m_histories[file.data()] = history;
    if (m_pUndoGroup)
        m_pUndoGroup->addStack(history->Stack());

    auto* const rowItem = new QListWidgetItem(QFileInfo(file->Path()).fileName());
    rowItem->setFlags(rowItem->flags() | Qt::ItemIsEditable);
    rowItem->setSizeHint(m_pDelegate->sizeHint(QStyleOptionViewItem(), QModelIndex()));
    rowItem->setData(Qt::UserRole, QVariant::fromValue(QSharedPointer<tListedFile>::create(file)));
    m_pWatcher->WatchFile(file->Path());

    // The new row does not become current, except in a list without a current
    // row. It is not made current even for a moment: that would switch the
    // plot to it and back, re-fitting the markers to its length and costing
    // two refreshes for every file of a folder.
    // In its place by name, as the folder is listed: added and downloaded
    // files do not go to the end.
    const int remembered = currentRow();
    insertItem(SortedPosition(rowItem), rowItem);
    if (remembered < 0)
        SetCurrentRowWithin(0);
    else if (!m_bListing)
        scrollToItem(currentItem());
    // A large folder is listed without holding every trace at once: the
    // rows kept so far go as soon as the list outgrows a small one, and the
    // current trace is read back as the plot draws it.
    if (count() == CTraceWindow::KeepAllRows() + 1)
        findChild<CTraceWindow*>(QString(), Qt::FindDirectChildrenOnly)->Sweep();
    if (rowItem != currentItem() && !CTraceWindow::KeepsAll(count()))
        file->ReleaseTrace();
}

void CFileList::MoveToSortedPlace(QListWidgetItem* rowItem)
{
    const int from = row(rowItem);
    int to = 0;
    for (int other = 0; other < count(); ++other) {
        if (other != from && CListOrder::Less(m_order, item(other), rowItem))
            ++to;
    }
    if (to == from)
        return;
    const bool wasCurrent = currentRow() == from;
    {
        // The row is the same file before and after: nothing else becomes
        // current on the way.
        const QSignalBlocker blocker(this);
        takeItem(from);
        insertItem(to, rowItem);
    }
    if (wasCurrent)
        setCurrentRow(to, QItemSelectionModel::ClearAndSelect);
    scrollToItem(rowItem);
}

int CFileList::SortedPosition(const QListWidgetItem* rowItem) const
{
    // After the rows that do not go after it: rows of equal keys keep the
    // order they were added in.
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (CListOrder::Less(m_order, rowItem, item(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

void CFileList::SetOrder(CListOrder::tOrder order)
{
    m_order = order;
    QListWidgetItem* const current = currentItem();
    std::vector<QListWidgetItem*> rows;
    {
        // The same files stay listed and the same one current: nothing is
        // reported as changed on the way.
        const QSignalBlocker blocker(this);
        while (count() > 0)
            rows.push_back(takeItem(0));
        std::stable_sort(rows.begin(), rows.end(),
            [order](const QListWidgetItem* a, const QListWidgetItem* b) { return CListOrder::Less(order, a, b); });
        for (QListWidgetItem* row : rows)
            addItem(row);
        if (current)
            setCurrentItem(current, QItemSelectionModel::ClearAndSelect);
    }
    if (current)
        scrollToItem(current);
    viewport()->update();
}

void CFileList::SetUndoGroup(QUndoGroup* group)
{
    m_pUndoGroup = group;
    if (group) {
        for (const auto& entry : m_histories)
            group->addStack(entry.second->Stack());
    }
    UpdateUndoGroup();
}

QUndoStack* CFileList::UndoStack(const QSharedPointer<sor::CFile>& file) const
{
    const auto found = m_histories.find(file.data());
    return found == m_histories.end() ? nullptr : found->second->Stack();
}

bool CFileList::ApplyEdit(
    const QSharedPointer<sor::CFile>& file, const QString& text, const std::function<void()>& edit)
{
    if (!file)
        return false;
    const auto found = m_histories.find(file.data());
    if (found != m_histories.end())
        return found->second->Apply(text, edit);
    const QByteArray before = file->Image();
    const bool wasModified = file->IsModified();
    bool changed = false;
    try {
        edit();
        changed = file->Image() != before;
    } catch (...) {
        // Not kept: the trace goes back to the image taken before the edit.
        file->Restore(before);
        file->SetModified(wasModified);
        throw;
    }
    if (changed && !file->IsModified())
        file->SetModified(true);
    return changed;
}

void CFileList::UpdateUndoGroup()
{
    if (m_pUndoGroup)
        m_pUndoGroup->setActiveStack(UndoStack(GetFile(currentRow())));
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
    UpdateUndoGroup();
    m_graphState.Recompute();
    emit sigEnabled(count() != 0);
    emit sigHasChecked(!m_compareSet.empty());
    const QSharedPointer<sor::CFile> current = GetFile(currentRow());
    emit sigFileChanged(current && current->IsModified());
}

int CFileList::RowOf(const QSharedPointer<sor::CFile>& file) const
{
    for (int row = 0; file && row < count(); ++row) {
        if (GetFile(row) == file)
            return row;
    }
    return -1;
}

void CFileList::SetFileDialogs(IFileDialogs* dialogs)
{
    m_pDialogs = dialogs ? dialogs : &CFileDialogs::Standard();
}

void CFileList::SetNeedAckFileDeletion(std::function<bool()> needAck)
{
    m_needAckFileDeletion = std::move(needAck);
}

void CFileList::SetInformationDialog(tInformationDialog dialog)
{
    m_informationDialog = std::move(dialog);
}
