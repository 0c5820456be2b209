#pragma once

#include <QObject>
#include <QTimer>

class CFileList;

// Keeps the traces of a long list out of memory where nothing needs them: a
// listed document lets its samples go once its row is out of view and it is
// neither the current file, nor compared, nor modified. Its card is drawn
// from the outline the document keeps, and the samples come back by
// themselves when anything uses them (see sor::CFile::ReleaseTrace).
//
// A list of up to KeepAllRows() rows keeps every trace: there a file that
// goes away on disk can still be saved back from memory.
class CTraceWindow : public QObject
{
    Q_OBJECT

public:
    // Watches `list`'s scrolling and current row; `list` is also the parent.
    explicit CTraceWindow(CFileList* list);

    // Lets go of every trace that may go now; returns how many went.
    int Sweep();
    // A sweep once the events at hand are handled.
    void Schedule();

    // Whether a list of `rows` rows keeps every trace.
    static bool KeepsAll(int rows) { return rows <= s_nKeepAllRows; }
    static int KeepAllRows() { return s_nKeepAllRows; }
    // For tests: a smaller list that lets traces go.
    static void SetKeepAllRows(int rows) { s_nKeepAllRows = rows; }

private:
    CFileList* m_pList;
    QTimer m_soon;
    // Traces read back for a print, an analysis or a search go again with
    // the next sweep, at the latest this one.
    QTimer m_regular;
    static int s_nKeepAllRows;
};
