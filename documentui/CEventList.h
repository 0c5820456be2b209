#pragma once

#include <CFile.h>
#include <CVerdict.h>

#include <QSharedPointer>
#include <QStringList>
#include <QTableWidget>

#include <optional>

class CFileList;

// The key events of the file list's current file, one row per event: number,
// distance, loss, reflectance, attenuation coefficient, the length of fibre
// since the previous event, the loss summed up to the event, and the comment,
// the only cell that can be edited. Follows the centre cursor of the plot by
// selecting the first event that is not more than 1 m before it. Every
// change goes through the document. Hidden while there is no current file;
// a file without events gets a notice that offers the analysis instead.
class CEventList : public QTableWidget
{
    Q_OBJECT

public:
    enum tColumn {
        ColumnEvent,
        ColumnDistance,
        ColumnLoss,
        ColumnReflectance,
        ColumnAttenuation,
        ColumnLength,
        ColumnTotal,
        ColumnComment,
        ColumnCount
    };

    // `fileList` (not owned) supplies the current file and the plot's cursors.
    explicit CEventList(CFileList* fileList, QWidget* parent = nullptr);

    // The column titles, and the cell texts of each event's row with its
    // running totals, as the table shows them (the printed report too), in
    // the distance unit of `file`.
    static QStringList HeaderTexts(const sor::CFile* file = nullptr);
    static QList<QStringList> RowTexts(const sor::CFile& file);

    // The row selected at the next rebuild.
    int SelectedRow() const { return m_nSelectedRow; }

signals:
    // The events changed: the plot shows them too.
    void sigUpdate();
    // The notice of a trace without events asks for its analysis.
    void sigAnalyzeRequested();
    // The current file's verdict after each rebuild; none while traces are
    // not judged or no file is current.
    void sigVerdict(const std::optional<analysis::tVerdict>& verdict);

public slots:
    // Rebuilds the table from the current file.
    void OnUpdateView();
    // Selects the event at or after the centre cursor, then rebuilds.
    void OnUpdateSelectedNumber();
    // Deletes the event of the current row.
    void OnDeleteEvent();
    // Opens the comment editor of the current row.
    void OnEditEvent();
    void OnItemChanged(QTableWidgetItem* item);
    // Opens the comment editor of the row, whatever column was clicked.
    void OnCellDoubleClicked(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSharedPointer<sor::CFile> CurrentFile() const;
    // Centres the notice of a trace without events.
    void PlaceNotice();
    // The selected rows with the column titles, as tab-separated lines.
    void CopySelectedRows() const;
    void FillRow(int row, const sor::tKeyEvent& event, const QStringList& texts);

    CFileList* m_pFileList;
    // Says that the trace carries no events and offers the analysis.
    QWidget* m_pNoEvents = nullptr;
    int m_nSelectedRow = 0;
    // Set while an edited comment is handed to the document: a rebuild asked
    // for meanwhile would delete the item being changed, so it waits.
    bool m_bChanging = false;
    bool m_bRebuildPending = false;
    // The comment field's type: the limits the comment editor checks.
    decltype(sor::tKeyEvent::comment) m_commentLimits;
};
