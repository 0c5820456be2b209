#include "CBidirectionalPanel.h"

#include <CBidirectionalPair.h>
#include <CBidirectionalPairing.h>
#include <CBidirectionalReport.h>
#include <CBidirectionalTable.h>
#include <CDistanceUnit.h>
#include <CFile.h>
#include <CFileList.h>
#include <ComparePalette.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kSettingsGroup = QStringLiteral("Bidirectional");
const QString kSuffixesKey = QStringLiteral("Suffixes");
// Report pages at this resolution, dots per inch.
constexpr int kPdfResolution = 300;

QString FileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

CBidirectionalPanel::CBidirectionalPanel(CFileList* fileList, QWidget* parent) : QWidget(parent), m_pFileList(fileList)
{
    setObjectName(QStringLiteral("bidirectionalPanel"));
    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    const QStringList suffixes = settings.value(kSuffixesKey).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    m_sSuffixAToB = suffixes.size() == 2 ? suffixes[0] : analysis::CBidirectionalPairing::DefaultSuffixAToB();
    m_sSuffixBToA = suffixes.size() == 2 ? suffixes[1] : analysis::CBidirectionalPairing::DefaultSuffixBToA();

    m_pProposals = new QComboBox(this);
    m_pProposals->setObjectName(QStringLiteral("bidirectionalProposals"));
    m_pProposals->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_pAToB = new QComboBox(this);
    m_pAToB->setObjectName(QStringLiteral("bidirectionalAToB"));
    m_pBToA = new QComboBox(this);
    m_pBToA->setObjectName(QStringLiteral("bidirectionalBToA"));
    m_pSwap = new QPushButton(tr("Swap"), this);
    m_pSwap->setToolTip(tr("Swap the directions"));
    m_pSuffixes = new QLineEdit(m_sSuffixAToB + QLatin1Char(' ') + m_sSuffixBToA, this);
    m_pSuffixes->setObjectName(QStringLiteral("bidirectionalSuffixes"));
    m_pSuffixes->setToolTip(tr("The name endings of the two directions, separated by a space"));
    m_pSuffixes->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("_AB_ _BA_ MM")));
    m_pExport = new QPushButton(tr("Report PDF…"), this);
    m_pExport->setObjectName(QStringLiteral("bidirectionalExport"));
    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName(QStringLiteral("bidirectionalStatus"));
    m_pStatus->setWordWrap(true);
    m_pTable = new CBidirectionalTable(this);
    m_pTotals = new QTableWidget(this);
    m_pTotals->setObjectName(QStringLiteral("bidirectionalTotals"));
    m_pTotals->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTotals->verticalHeader()->hide();
    m_pTotals->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    // Compact rows, and room for a header and several events without scrolling.
    const int rowHeight = fontMetrics().height() + 6;
    for (QTableWidget* table : { static_cast<QTableWidget*>(m_pTable), m_pTotals }) {
        table->verticalHeader()->setDefaultSectionSize(rowHeight);
        table->setMinimumHeight(8 * rowHeight);
    }

    auto* choice = new QGridLayout;
    choice->addWidget(new QLabel(tr("Proposed pair:"), this), 0, 0);
    choice->addWidget(m_pProposals, 0, 1, 1, 3);
    choice->addWidget(new QLabel(tr("Suffixes:"), this), 0, 4);
    choice->addWidget(m_pSuffixes, 0, 5);
    choice->addWidget(new QLabel(tr("A→B:"), this), 1, 0);
    choice->addWidget(m_pAToB, 1, 1);
    choice->addWidget(new QLabel(tr("B→A:"), this), 1, 2);
    choice->addWidget(m_pBToA, 1, 3);
    choice->addWidget(m_pSwap, 1, 4);
    choice->addWidget(m_pExport, 1, 5);
    choice->setColumnStretch(1, 1);
    choice->setColumnStretch(3, 1);
    auto* tables = new QHBoxLayout;
    tables->addWidget(m_pTable, 3);
    tables->addWidget(m_pTotals, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(choice);
    layout->addWidget(m_pStatus);
    layout->addLayout(tables, 1);

    connect(m_pProposals, qOverload<int>(&QComboBox::activated), this, &CBidirectionalPanel::OnProposal);
    connect(m_pAToB, qOverload<int>(&QComboBox::activated), this, &CBidirectionalPanel::OnChosen);
    connect(m_pBToA, qOverload<int>(&QComboBox::activated), this, &CBidirectionalPanel::OnChosen);
    connect(m_pSwap, &QPushButton::clicked, this, &CBidirectionalPanel::OnSwap);
    connect(m_pSuffixes, &QLineEdit::editingFinished, this, &CBidirectionalPanel::OnSuffixesEdited);
    connect(m_pExport, &QPushButton::clicked, this, &CBidirectionalPanel::OnExport);
    if (m_pFileList) {
        // Connected after the list's own handler: the pair stays on the plot
        // while the current row moves.
        connect(m_pFileList, &QListWidget::currentItemChanged, this, [this] {
            if (m_bActive)
                ShowOnPlot();
        });
        // Rows come and go in bursts (a folder being listed, the list being
        // destroyed): the list is read again once the burst is over.
        const auto later = [this] {
            if (m_bRefreshPending)
                return;
            m_bRefreshPending = true;
            QTimer::singleShot(0, this, [this] {
                m_bRefreshPending = false;
                Refresh();
            });
        };
        connect(m_pFileList->model(), &QAbstractItemModel::rowsInserted, this, later);
        connect(m_pFileList->model(), &QAbstractItemModel::rowsRemoved, this, later);
        connect(m_pFileList, &CFileList::sigFileChanged, this, [this] {
            if (m_bActive && m_pAFile && m_pBFile)
                Recompute();
        });
    }
    Recompute();
}

CBidirectionalPanel* CBidirectionalPanel::AddDock(QMainWindow* window, CFileList* fileList)
{
    auto* dock = new QDockWidget(tr("Bidirectional analysis"), window);
    dock->setObjectName(QStringLiteral("bidirectionalDock"));
    dock->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    auto* panel = new CBidirectionalPanel(fileList, dock);
    dock->setWidget(panel);
    window->addDockWidget(Qt::BottomDockWidgetArea, dock);
    dock->hide();
    panel->m_pToggle = dock->toggleViewAction();
    panel->m_pToggle->setObjectName(QStringLiteral("actionBidirectional"));
    panel->m_pToggle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
    panel->m_pToggle->setStatusTip(tr("Average the events of two traces of one fibre measured from both ends"));
    connect(panel->m_pToggle, &QAction::toggled, panel, &CBidirectionalPanel::SetActive);
    return panel;
}

CBidirectionalPanel::~CBidirectionalPanel()
{
    // The geometry outlives this panel: it must not keep pointing at the pair.
    if (m_pFileList && m_pFileList->GraphState().files == &m_traces)
        m_pFileList->GraphState().SetFiles(nullptr);
}

QSharedPointer<sor::CFile> CBidirectionalPanel::Listed(const QString& path) const
{
    if (!m_pFileList)
        return {};
    for (int row = 0; row < m_pFileList->GetCount(); ++row) {
        const QSharedPointer<sor::CFile> file = m_pFileList->GetFile(row);
        if (file && file->Path() == path)
            return file;
    }
    return {};
}

void CBidirectionalPanel::SetActive(bool active)
{
    m_bActive = active;
    if (active) {
        Refresh();
        ShowOnPlot();
    } else if (m_pFileList) {
        m_pFileList->OnCurrentItemChanged();
        emit sigUpdate();
    }
}

void CBidirectionalPanel::SetSuffixes(const QString& aToB, const QString& bToA)
{
    m_sSuffixAToB = aToB.trimmed();
    m_sSuffixBToA = bToA.trimmed();
    m_pSuffixes->setText(m_sSuffixAToB + QLatin1Char(' ') + m_sSuffixBToA);
    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    settings.setValue(kSuffixesKey, m_pSuffixes->text());
    Refresh();
}

void CBidirectionalPanel::Refresh()
{
    // Listing a folder adds its rows one by one: the proposals wait until the
    // panel is in use.
    if (m_bRefreshing || !m_pFileList || !m_bActive)
        return;
    m_bRefreshing = true;
    std::vector<analysis::CBidirectionalPairing::tTrace> traces;
    for (int row = 0; row < m_pFileList->GetCount(); ++row)
        if (const QSharedPointer<sor::CFile> file = m_pFileList->GetFile(row))
            traces.push_back(analysis::CBidirectionalPairing::tTrace::Of(*file));
    for (QComboBox* box : { m_pAToB, m_pBToA }) {
        box->clear();
        for (const auto& trace : traces)
            box->addItem(FileName(trace.path), trace.path);
    }
    m_pProposals->clear();
    const std::vector<analysis::CBidirectionalPairing::tProposal> proposals
        = analysis::CBidirectionalPairing::Propose(traces, m_sSuffixAToB, m_sSuffixBToA);
    for (const auto& proposal : proposals) {
        const QString a = traces[size_t(proposal.aToB)].path;
        const QString b = traces[size_t(proposal.bToA)].path;
        m_pProposals->addItem(tr("%1 and %2").arg(FileName(a), FileName(b)), QStringList { a, b });
    }
    if (proposals.empty())
        m_pProposals->addItem(tr("No pair proposed in this folder"));
    m_pProposals->setEnabled(!proposals.empty());
    m_bRefreshing = false;

    // The pair stays while both its files are listed; otherwise the first
    // proposal is taken.
    const bool kept
        = m_pAFile && m_pBFile && Listed(m_pAFile->Path()) == m_pAFile && Listed(m_pBFile->Path()) == m_pBFile;
    if (kept) {
        m_pAToB->setCurrentIndex(m_pAToB->findData(m_pAFile->Path()));
        m_pBToA->setCurrentIndex(m_pBToA->findData(m_pBFile->Path()));
        Recompute();
    } else if (!proposals.empty()) {
        OnProposal(0);
    } else {
        m_pAFile.clear();
        m_pBFile.clear();
        m_pAToB->setCurrentIndex(-1);
        m_pBToA->setCurrentIndex(-1);
        Recompute();
    }
}

bool CBidirectionalPanel::SetPair(const QSharedPointer<sor::CFile>& aToB, const QSharedPointer<sor::CFile>& bToA)
{
    m_pAFile = aToB;
    m_pBFile = bToA;
    m_pAToB->setCurrentIndex(aToB ? m_pAToB->findData(aToB->Path()) : -1);
    m_pBToA->setCurrentIndex(bToA ? m_pBToA->findData(bToA->Path()) : -1);
    const int proposal = aToB && bToA ? m_pProposals->findData(QStringList { aToB->Path(), bToA->Path() }) : -1;
    if (proposal >= 0)
        m_pProposals->setCurrentIndex(proposal);
    Recompute();
    return m_result.Paired() && m_pAFile && m_pBFile;
}

void CBidirectionalPanel::OnProposal(int index)
{
    const QStringList paths = m_pProposals->itemData(index).toStringList();
    if (paths.size() == 2)
        SetPair(Listed(paths[0]), Listed(paths[1]));
}

void CBidirectionalPanel::OnChosen()
{
    SetPair(Listed(m_pAToB->currentData().toString()), Listed(m_pBToA->currentData().toString()));
}

void CBidirectionalPanel::OnSwap()
{
    SetPair(m_pBFile, m_pAFile);
}

void CBidirectionalPanel::OnSuffixesEdited()
{
    const QStringList parts = m_pSuffixes->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() == 2)
        SetSuffixes(parts[0], parts[1]);
    else
        m_pSuffixes->setText(m_sSuffixAToB + QLatin1Char(' ') + m_sSuffixBToA);
}

void CBidirectionalPanel::Recompute()
{
    m_traces.clear();
    m_result = analysis::tBidirectionalResult();
    if (!m_pAFile || !m_pBFile) {
        m_result.reason = tr("Choose the A→B and the B→A trace of one fibre.");
    } else {
        m_result = analysis::CBidirectionalPair::Analyse(*m_pAFile, *m_pBFile, analysis::tThresholds());
        if (m_result.Paired()) {
            if (const QSharedPointer<sor::CFile> mirrored
                = analysis::CBidirectionalPair::Mirrored(*m_pBFile, m_result.mirrorOffsetM)) {
                auto b = QSharedPointer<tListedFile>::create(mirrored);
                b->colour = ComparePalette(1, true);
                m_traces.push_back(b);
            }
            auto a = QSharedPointer<tListedFile>::create(m_pAFile);
            a->colour = ComparePalette(0, true);
            m_traces.push_back(a);
        }
    }
    ShowTexts();
    m_pExport->setEnabled(m_result.Paired());
    m_pSwap->setEnabled(m_pAFile && m_pBFile);
    if (m_bActive)
        ShowOnPlot();
}

void CBidirectionalPanel::ShowTexts()
{
    const sor::tDistanceUnit unit = CDistanceUnit::Of(m_pAFile.data());
    if (m_result.Paired()) {
        m_pStatus->setStyleSheet(QString());
        m_pStatus->setText(tr("%1 (A→B) with %2 (B→A) mirrored; events closer than %3 are one event.")
                               .arg(FileName(m_pAFile->Path()), FileName(m_pBFile->Path()),
                                   CDistanceUnit::Text(m_result.matchToleranceM, unit)));
    } else {
        m_pStatus->setStyleSheet(m_pAFile && m_pBFile ? QStringLiteral("color: #b00000") : QString());
        m_pStatus->setText(m_pAFile && m_pBFile ? tr("Not a pair: %1").arg(m_result.reason) : m_result.reason);
    }
    m_pTable->SetResult(m_result, unit);
    FillTotals(unit);
}

void CBidirectionalPanel::FillTotals(sor::tDistanceUnit unit)
{
    const QList<QStringList> rows = CBidirectionalTable::TotalTexts(m_result, unit);
    m_pTotals->clear();
    m_pTotals->setColumnCount(rows.front().size());
    m_pTotals->setHorizontalHeaderLabels(rows.front());
    m_pTotals->setRowCount(m_result.Paired() ? int(rows.size()) - 1 : 0);
    for (int row = 1; m_result.Paired() && row < rows.size(); ++row)
        for (int column = 0; column < rows[row].size(); ++column) {
            auto* item = new QTableWidgetItem(rows[row][column]);
            if (column > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_pTotals->setItem(row - 1, column, item);
        }
}

void CBidirectionalPanel::ShowOnPlot()
{
    if (!m_pFileList)
        return;
    tGraphState& geometry = m_pFileList->GraphState();
    if (!m_traces.empty())
        geometry.SetFiles(&m_traces);
    else if (geometry.files == &m_traces)
        m_pFileList->OnCurrentItemChanged();
    emit sigUpdate();
}

bool CBidirectionalPanel::ExportPdf(const QString& path, QString* error) const
{
    if (!m_result.Paired() || !m_pAFile || !m_pBFile) {
        if (error)
            *error = m_result.reason;
        return false;
    }
    CBidirectionalReport::tPair pair;
    pair.aToB = m_pAFile.data();
    pair.bToA = m_pBFile.data();
    pair.traces = &m_traces;
    pair.result = &m_result;
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15));
    return CBidirectionalReport::WritePdf(path, pair, layout, kPdfResolution, error);
}

void CBidirectionalPanel::OnExport()
{
    const QString suggested
        = m_pAFile ? QFileInfo(m_pAFile->Path()).completeBaseName() + QStringLiteral("-bidir.pdf") : QString();
    const QString path
        = QFileDialog::getSaveFileName(this, tr("Export the pair's report"), suggested, tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!ExportPdf(path, &error))
        QMessageBox::warning(this, tr("Export the pair's report"),
            tr("The report could not be written to %1: %2").arg(QDir::toNativeSeparators(path), error));
}
