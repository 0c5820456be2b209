#pragma once

#include "IFileList.h"
#include "tErrorState.h"
#include "tListedFile.h"

#include <tGraphState.h>

#include <QListWidget>

#include <deque>

class CFileListWatcher;

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
    // and lists them; the first new trace becomes current.
    void AddLoadedFiles(const QList<QPair<QString, QByteArray>>& files);
    static QSharedPointer<tListedFile> ListedFile(const QListWidgetItem* item);
    void RemoveRow(int row);
    // Removes a row, saving it first when `save` is set (saving comes with the
    // file operations); returns false when the operation should stop.
    bool CloseRow(int row, bool save, tErrorState* state);

    // Geometry of the plot (owned here; the plot, the marker panel and the
    // overview share it).
    tGraphState& GraphState() { return m_graphState; }
    const std::deque<QSharedPointer<tListedFile>>& CompareSet() const { return m_compareSet; }
    // Filter of the file dialogs.
    const QString& FileFilter() const { return m_sFileFilter; }
    // Puts the current file into the compare set or takes it out.
    void ToggleCompare();

signals:
    void sigFileChanged(bool modified);
    void sigEnabled(bool enabled);
    void sigHasChecked(bool hasChecked);

public slots:
    void OnCurrentItemChanged(QListWidgetItem* current, QListWidgetItem* previous);
    void OnCurrentItemChanged(QListWidgetItem* current);
    void OnCurrentItemChanged();
    void OnFileChanged(bool changed);
    void OnUncheckAll();
    void doubleClicked(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void AddItem(const QSharedPointer<sor::CFile>& file);
    void LeaveCompare(const QSharedPointer<tListedFile>& listed);
    void UpdateState();
    // Writes a modified document back before its row closes; true when the
    // row may go.
    bool SaveRow(int row, tErrorState* state);
    // The size every row takes at the list's present width.
    QSize RowSize() const;
    // Makes `row`, limited to the rows there are, the current row and shows it.
    void SetCurrentRowWithin(int row);

    QWidget* m_pParent;
    CFileListWatcher* m_pWatcher;
    std::deque<QSharedPointer<tListedFile>> m_compareSet;
    quint32 m_nUsedSlots = 0;
    std::deque<QSharedPointer<tListedFile>> m_shownSet;
    tGraphState m_graphState;
    QString m_sFileFilter;
    // Set while a folder or a download is being listed: the current row is
    // scrolled into view once at the end, not for every file.
    bool m_bListing = false;
};
