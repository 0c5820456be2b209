#pragma once

#include <tBidirectionalResult.h>
#include <tFixedParameters.h>
#include <tGraphState.h>

#include <QPointer>
#include <QSharedPointer>
#include <QWidget>

class CBidirectionalTable;
class CFileList;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QAction;
class QPushButton;
class QTableWidget;

namespace sor {
class CFile;
}

// The bidirectional analysis of two listed traces of one fibre measured from
// opposite ends: the pairs proposed in the working folder (direction suffixes
// of the names, or the same cable and fibre with the locations swapped), the
// two traces chosen by hand, the averaged events, the figures of both
// directions side by side, and the report page. While active, the plot shows
// the A→B trace with the B→A trace mirrored onto its axis, in the compare
// colours. Neither file is changed.
class CBidirectionalPanel : public QWidget
{
    Q_OBJECT

public:
    // `fileList` (not owned) lists the traces and owns the plot's geometry.
    explicit CBidirectionalPanel(CFileList* fileList, QWidget* parent = nullptr);
    ~CBidirectionalPanel() override;

    // Docks a new panel at the bottom of `window`, hidden. The dock's own
    // checkable action ("Bidirectional analysis") shows it and makes it active.
    static CBidirectionalPanel* AddDock(QMainWindow* window, CFileList* fileList);
    // The action that shows the dock; null for a panel outside a dock.
    QAction* ToggleAction() const { return m_pToggle; }

    bool IsActive() const { return m_bActive; }
    // Pairs two listed documents; returns whether they make a pair (the
    // reason shows otherwise).
    bool SetPair(const QSharedPointer<sor::CFile>& aToB, const QSharedPointer<sor::CFile>& bToA);
    const analysis::tBidirectionalResult& Result() const { return m_result; }
    // The mirrored B→A trace and the A→B trace, as the plot shows them; empty
    // without a pair.
    const tFileSet& Traces() const { return m_traces; }
    // The direction suffixes the proposals look for, e.g. "_AB" and "_BA";
    // kept in the settings store.
    void SetSuffixes(const QString& aToB, const QString& bToA);

    CBidirectionalTable* Table() const { return m_pTable; }
    QTableWidget* Totals() const { return m_pTotals; }
    QComboBox* Proposals() const { return m_pProposals; }
    QComboBox* AToBBox() const { return m_pAToB; }
    QComboBox* BToABox() const { return m_pBToA; }
    QLabel* Status() const { return m_pStatus; }

    // Writes the pair's report page as a PDF (A4); false with the reason.
    bool ExportPdf(const QString& path, QString* error) const;

signals:
    // The plot shows other traces: scroll bars, overview and plot follow.
    void sigUpdate();

public slots:
    // Shows the pair on the plot, or gives the plot back to the file list.
    void SetActive(bool active);
    // Reads the listed files again and proposes pairs.
    void Refresh();
    // Shows the distances again in the unit the A→B file is shown in (after
    // the View menu's choice changed).
    void ShowTexts();

private slots:
    void OnProposal(int index);
    void OnChosen();
    void OnSwap();
    void OnSuffixesEdited();
    void OnExport();

private:
    QSharedPointer<sor::CFile> Listed(const QString& path) const;
    void Recompute();
    void ShowOnPlot();
    void FillTotals(sor::tDistanceUnit unit);

    QPointer<CFileList> m_pFileList;
    QAction* m_pToggle = nullptr;
    bool m_bActive = false;
    bool m_bRefreshing = false;
    bool m_bRefreshPending = false;
    QString m_sSuffixAToB;
    QString m_sSuffixBToA;
    QSharedPointer<sor::CFile> m_pAFile;
    QSharedPointer<sor::CFile> m_pBFile;
    analysis::tBidirectionalResult m_result;
    tFileSet m_traces;

    QComboBox* m_pProposals;
    QComboBox* m_pAToB;
    QComboBox* m_pBToA;
    QPushButton* m_pSwap;
    QLineEdit* m_pSuffixes;
    QPushButton* m_pExport;
    QLabel* m_pStatus;
    CBidirectionalTable* m_pTable;
    QTableWidget* m_pTotals;
};
