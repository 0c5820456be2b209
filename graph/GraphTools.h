#pragma once

#include <QWidget>

class CGraphDlg;
class CPreviewFrame;
class tGraphState;

// The row above the plot: the marker panel and, beside it, the overview frame.
class GraphTools : public QWidget
{
    Q_OBJECT

public:
    // `geometry` and `plot` (the plot widget the overview copies the shape
    // of) are not owned.
    GraphTools(tGraphState* geometry, QWidget* plot, QWidget* parent = nullptr);

    CGraphDlg* Panel() const { return m_pPanel; }
    CPreviewFrame* Overview() const { return m_pOverview; }

private:
    CGraphDlg* m_pPanel;
    CPreviewFrame* m_pOverview;
};
