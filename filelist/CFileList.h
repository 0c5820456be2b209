#pragma once

#include "CListOrder.h"
#include "IFileList.h"
#include "tErrorState.h"
#include "tListedFile.h"

#include <tGraphState.h>

#include <QListWidget>

#include <deque>
#include <map>
#include <functional>

class CDocumentHistory;
class CFileListElementDelegate;
class CFileListWatcher;
class QUndoGroup;
class QUndoStack;
class IFileDialogs;

// The list of trace files of the working folder. Every listed file stays
// loaded; the current row decides what the plot shows, and up to seven files
// form the compare set, each drawn in its own palette colour. The working
// folder is the process's current folder.
class CFileList : public QListWidget, public IFileList
{
    Q_OBJECT

public:
    // `parent` is the main window: its title shows the working folder.
    explicit CFileList(QWidget* parent = nullptr);
    ~CFileList() override;

    // IFileList
    QSharedPointer<sor::CFile> GetFile(int row) const override;
    int GetCount() const override;
    void ReloadFile(int row) override;
    bool CloseFile(int row) override;
    void Rescan() override;

    // Makes `path` (home when empty) the working folder and lists its *.sor
    // files that are not listed yet.
    void SetDir(const QString& path);
    // Loads and lists one file; false ends the whole operation. `state` is
    // null for an operation on one file.
    bool AddFile(const QString& path, tErrorState* state);
    // Writes downloaded traces (absolute target path, file bytes) into place
    // and lists them; the first new trace becomes current. True when every
    // trace is on disk and listed.
    bool AddLoadedFiles(const QList<QPair<QString, QByteArray>>& files);
    static QSharedPointer<tListedFile> ListedFile(const QListWidgetItem* item);
    // Sorts the rows in `order`; added and renamed files take their place in it.
    void SetOrder(CListOrder::tOrder order);
    CListOrder::tOrder Order() const { return m_order; }
    void RemoveRow(int row);
    // Writes the row's document back when it is modified, asking what to do
    // after a failure. False means that the whole operation stops; true
    // includes a failure the user chose to ignore (the file stays modified).
    bool SaveRow(int row, tErrorState* state);
    // Removes a row, saving it first when `save` is set; false (nothing
    // removed) when the save was given up.
    bool CloseRow(int row, bool save, tErrorState* state);
    // Closes the rows of `paths` (every row when empty), first offering to
    // save the modified ones. False when the user cancelled or gave up a
    // save, or when a file whose save failed was kept with its changes; rows
    // closed by then stay closed.
    bool CloseAll(const QStringList& paths);
    // Writes the document to `target` (overwriting it); the document keeps
    // its own path and state. True when the copy is on disk.
    bool CopyFile(const QSharedPointer<sor::CFile>& file, const QString& target);
    // Renames the document's file to `baseName` plus its present suffix.
    // True only when the name changed on disk; refusals show why.
    bool Rename(const QSharedPointer<sor::CFile>& file, const QString& baseName);
    // Moves the row's file to the trash and closes the row without saving.
    // Where the file cannot go to the trash it stays, and so does its row.
    // False when the user gave up the whole deletion.
    bool DeleteRow(int row, tErrorState* state = nullptr);
    // Asks for a folder, closes every row (offering to save) and makes the
    // folder the process's current one; false when any step was given up.
    bool SelectDir(const QString& caption);

    // The file and folder dialogs; null restores the platform's own. Not
    // owned: it must outlive its use by this list.
    void SetFileDialogs(IFileDialogs* dialogs);
    // Whether deleting asks first; asked at each deletion (the option can
    // change while the list lives). Without it the list always asks.
    void SetNeedAckFileDeletion(std::function<bool()> needAck);
    // Shows the information dialog of a file, on its instrument page when
    // `showDevice` is set. The dialog lives above this list; without it the
    // information slots do nothing.
    using tInformationDialog = std::function<void(const QSharedPointer<sor::CFile>& file, bool showDevice)>;
    void SetInformationDialog(tInformationDialog dialog);

    // Geometry of the plot (owned here; the plot, the marker panel and the
    // overview share it).
    tGraphState& GraphState() { return m_graphState; }
    const std::deque<QSharedPointer<tListedFile>>& CompareSet() const { return m_compareSet; }
    // The text shown for a row in its tool tip and, while it is current, in
    // the status bar: why an unreadable file could not be read, or what the
    // load noticed about a listed trace (a checksum that matches no
    // convention, a missing code page); empty when there is nothing to say.
    QString StateText(int row) const;
    static QString StateText(const sor::CFile& file);
    // Why the row's file could not be read; empty for a listed trace.
    QString UnreadableReason(int row) const;
    // The path of the row's file, whether its trace is listed or unreadable.
    QString RowPath(int row) const;

    // Filter of the file dialogs.
    const QString& FileFilter() const { return m_sFileFilter; }
    // Puts the current file into the compare set or takes it out.
    void ToggleCompare();

    // Undo: every listed document has its own history; the group (not
    // owned) holds their stacks and follows the current row.
    void SetUndoGroup(QUndoGroup* group);
    QUndoStack* UndoStack(const QSharedPointer<sor::CFile>& file) const;
    // Runs `edit` on a listed document as one undoable step named `text`
    // (for edits other than the events, which are recorded by themselves);
    // returns whether it changed the file. An unlisted document is edited
    // without a history.
    bool ApplyEdit(const QSharedPointer<sor::CFile>& file, const QString& text, const std::function<void()>& edit);

signals:
    void sigFileChanged(bool modified);
    void sigEnabled(bool enabled);
    void sigHasChecked(bool hasChecked);

public slots:
    void OnCurrentItemChanged(QListWidgetItem* current, QListWidgetItem* previous);
    void OnCurrentItemChanged(QListWidgetItem* current);
    void OnCurrentItemChanged();
    void OnFileChanged(bool changed);
    void OnOpenDir();
    void OnSaveAll();
    void OnSaveFile();
    void OnCopySelectedFiles();
    void OnAddFile();
    void OnUncheckAll();
    void OnRenameFile();
    void OnDeleteSelectedFiles();
    // Opens the information of the current file; on the instrument page
    // unless `bNotShowDevice` is set.
    void OnFileInformation(bool bNotShowDevice);
    void OnFileInformation();
    void doubleClicked(const QModelIndex& index);
    // The plot background changed: the cards are drawn anew on it.
    void OnBackgroundChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void AddItem(const QSharedPointer<sor::CFile>& file);
    // Lists a file that could not be read, with the reason, so that the user
    // sees it is there; it has no trace to show.
    void AddUnreadable(const QString& path, const QString& reason);
    // Takes the rows of unreadable files away (they are read again when the
    // folder is listed).
    void RemoveUnreadable();
    // Where a new row goes in the list's order.
    int SortedPosition(const QListWidgetItem* rowItem) const;
    // Puts a new row in its place in the list's order.
    void InsertSorted(QListWidgetItem* rowItem);
    void LeaveCompare(const QSharedPointer<tListedFile>& listed);
    void UpdateState();
    // The row holding `file`, or -1.
    int RowOf(const QSharedPointer<sor::CFile>& file) const;
    // Lists a file just written into the working folder; a row that held
    // the same path is replaced, so that its stale document cannot be saved
    // over the new file.
    void ListWritten(const QString& path);
    // Before `target` is replaced: when it is listed with unsaved changes,
    // asks whether to save them, discard them or cancel. False keeps the
    // file as it is.
    bool ReleaseListed(const QString& target, const QString& title);
    bool ReleaseForCopy(const QSharedPointer<sor::CFile>& file, const QString& target);
    // Moves a renamed row to its place in the list's order, keeping it current.
    void MoveToSortedPlace(QListWidgetItem* rowItem);
    // Gives every row the size of a card at the list's present width.
    void UpdateRowSizes();
    // Makes `row`, limited to the rows there are, the current row and shows it.
    void SetCurrentRowWithin(int row);

    // The active stack of the undo group follows the current row.
    void UpdateUndoGroup();

    QWidget* m_pParent;
    QUndoGroup* m_pUndoGroup = nullptr;
    std::map<const sor::CFile*, CDocumentHistory*> m_histories;
    CFileListWatcher* m_pWatcher;
    CFileListElementDelegate* m_pDelegate;
    std::deque<QSharedPointer<tListedFile>> m_compareSet;
    quint32 m_nUsedSlots = 0;
    std::deque<QSharedPointer<tListedFile>> m_shownSet;
    tGraphState m_graphState;
    QString m_sFileFilter;
    IFileDialogs* m_pDialogs;
    std::function<bool()> m_needAckFileDeletion;
    tInformationDialog m_informationDialog;
    // Set while a folder or a download is being listed: the current row is
    // scrolled into view once at the end, not for every file.
    bool m_bListing = false;
    CListOrder::tOrder m_order = CListOrder::ByName;
};
