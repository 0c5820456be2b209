#include "MainWindow.h"

#include "CHelpWindow.h"
#include "CFittedScrollArea.h"
#include "CMainOpt.h"
#include "CViewChoices.h"
#include "CWindowConveniences.h"
#include "tVersion.h"

#include <CDevice.h>
#include <CDistanceUnit.h>
#include <CEventList.h>
#include <CEventPane.h>
#include <CVerdictLine.h>
#include <CLinkMap.h>
#include <CFileInfo.h>
#include <CFileList.h>
#include <CGraphDlg.h>
#include <CGraphPix.h>
#include <CGraphView.h>
#include <CPreviewFrame.h>
#include <CPrinter.h>
#include <GraphTools.h>
#include <Preview.h>
#include <tGraphState.h>

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QToolBar>
#include <QUndoGroup>
#include <QVBoxLayout>

namespace {

// Zooms up to this count as the whole extent.
constexpr float kResetZoom = 1.001f;

const QString kLayoutGroup = QStringLiteral("MainWindow");

QPixmap DevicePixmap(bool connected)
{
    return QPixmap(
        connected ? QStringLiteral(":/images/DeviceConnected.png") : QStringLiteral(":/images/DeviceDisconnected.png"));
}

} // namespace

MainWindow::MainWindow(const QString& folder, QWidget* parent) : QMainWindow(parent)
{
    CreateStatusBar();
    m_pOptions = new CMainOpt(this);

    m_pMainSplit = new QSplitter(Qt::Horizontal, this);
    m_pMainSplit->setObjectName(QStringLiteral("mainSplit"));
    setCentralWidget(m_pMainSplit);
    m_pGraphSplit = new QSplitter(Qt::Vertical, m_pMainSplit);
    m_pGraphSplit->setObjectName(QStringLiteral("graphSplit"));

    // The plot area: the tool row above the plot.
    auto* plotArea = new QWidget(m_pGraphSplit);
    plotArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_pFileList = new CFileList(this);
    m_pFileList->SetNeedAckFileDeletion([options = m_pOptions] { return options->bNeedAckFileDeletion; });
    // The option is read at each opening: it may change while the program runs.
    m_pFileList->SetInformationDialog([this](const QSharedPointer<sor::CFile>& file, bool showDevice) {
        CFileInfo dialog(file, m_pOptions->bEnableServiceInfoEditing, this);
        dialog.SetApplyEdit([this, file](const std::function<void()>& edit) {
            m_pFileList->ApplyEdit(file, tr("File information"), edit);
        });
        if (showDevice)
            dialog.SetPage(CFileInfo::PageDevice);
        dialog.exec();
    });
    tGraphState& geometry = m_pFileList->GraphState();
    if (m_pOptions->cBackground.isValid())
        geometry.background = m_pOptions->cBackground;
    m_pView = new CGraphView(&geometry, plotArea);
    m_pTools = new GraphTools(&geometry, m_pView->Pix(), plotArea);
    m_pEvents = new CEventList(m_pFileList);
    m_pEvents->setObjectName(QStringLiteral("events"));
    m_pEvents->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* plotLayout = new QVBoxLayout(plotArea);
    plotLayout->setContentsMargins(0, 0, 0, 0);
    plotLayout->setSpacing(0);
    // The panel row scrolls when the window is too small for it, so that the
    // window fits small and high-scale screens with the plot still in view.
    auto* toolsScroll = new CFittedScrollArea(plotArea);
    toolsScroll->setObjectName(QStringLiteral("toolsScroll"));
    toolsScroll->setWidget(m_pTools);
    toolsScroll->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Maximum);
    plotLayout->addWidget(toolsScroll);
    plotLayout->addWidget(m_pView);
    m_pLinkMap = new CLinkMap(m_pFileList, plotArea);
    m_pLinkMap->setObjectName(QStringLiteral("linkMap"));
    m_pLinkMap->SetBendThreshold(m_pOptions->dBendThresholdDb);
    plotLayout->addWidget(m_pLinkMap);

    CGraphPix* pix = m_pView->Pix();
    CGraphDlg* panel = m_pTools->Panel();
    CPreviewFrame* overview = m_pTools->Overview();
    Preview* preview = overview->GetPreview();
    connect(m_pFileList, &CFileList::sigFileChanged, m_pView, &CGraphView::UpdateScrolls);
    connect(m_pFileList, &CFileList::sigFileChanged, this, &MainWindow::UpdateStatusBar);
    // What the load noticed about the current file, or why it is unreadable.
    connect(m_pFileList, &QListWidget::currentRowChanged, this,
        [this](int row) { statusBar()->showMessage(m_pFileList->StateText(row)); });
    // An unreadable current entry says why where its plot would be.
    connect(m_pFileList, &QListWidget::currentRowChanged, pix, [this, pix](int row) {
        pix->SetNotice(m_pFileList->UnreadableReason(row).isEmpty() ? QString() : m_pFileList->StateText(row));
    });
    connect(m_pFileList, &CFileList::sigFileChanged, pix, qOverload<>(&QWidget::update));
    connect(m_pFileList, &CFileList::sigFileChanged, preview, qOverload<>(&QWidget::update));
    connect(m_pFileList, &CFileList::sigFileChanged, panel, &CGraphDlg::OnUpdateValues);
    connect(preview, &Preview::sigUpdate, m_pView, &CGraphView::UpdateScrolls);
    connect(preview, &Preview::sigUpdate, this, &MainWindow::UpdateStatusBar);
    connect(m_pOptions, &CMainOpt::sigBackgroundChanged, this, [this, pix, preview](const QColor& background) {
        m_pFileList->GraphState().background = background;
        pix->update();
        preview->update();
        m_pFileList->OnBackgroundChanged();
    });
    connect(pix, &CGraphPix::sigUpdate, m_pView, &CGraphView::UpdateScrolls);
    connect(pix, &CGraphPix::sigUpdate, this, &MainWindow::UpdateStatusBar);
    connect(pix, &CGraphPix::sigUpdate, overview, &CPreviewFrame::OnUpdatePix);
    connect(pix, &CGraphPix::sigUpdate, panel, &CGraphDlg::OnUpdateValues);
    connect(m_pView, &CGraphView::sigUpdate, panel, &CGraphDlg::OnUpdateValues);
    connect(m_pView, &CGraphView::sigUpdate, preview, qOverload<>(&QWidget::update));
    connect(m_pView, &CGraphView::sigUpdate, pix, qOverload<>(&QWidget::update));
    connect(m_pView, &CGraphView::sigUpdate, this, &MainWindow::UpdateStatusBar);
    connect(panel, &CGraphDlg::sigUpdate, pix, qOverload<>(&QWidget::update));
    connect(panel, &CGraphDlg::sigUpdate, preview, qOverload<>(&QWidget::update));
    connect(m_pFileList, &CFileList::sigFileChanged, m_pEvents, &CEventList::OnUpdateView);
    connect(m_pView, &CGraphView::editingEnd, m_pEvents, &CEventList::OnUpdateSelectedNumber);
    connect(m_pEvents, &CEventList::sigUpdate, m_pView, qOverload<>(&QWidget::update));
    connect(m_pFileList, &CFileList::sigFileChanged, m_pLinkMap, &CLinkMap::OnUpdateView);
    connect(m_pEvents, &CEventList::sigUpdate, m_pLinkMap, &CLinkMap::OnUpdateView);
    connect(m_pEvents, &QTableWidget::currentCellChanged, m_pLinkMap, &CLinkMap::SetSelectedEvent);
    connect(m_pOptions, &CMainOpt::sigBendThresholdChanged, m_pLinkMap, &CLinkMap::SetBendThreshold);
    // A click on the map: the plot centres on the event, and the table
    // selects it as it does for the centre cursor.
    connect(m_pLinkMap, &CLinkMap::sigEventClicked, this, [this](int, double distanceM) {
        tGraphState& state = m_pFileList->GraphState();
        if (!state.IsValid())
            return;
        state.cursors->MoveTo(state.cursors->Centre(), float(distanceM));
        state.centre.setX(distanceM);
        state.Recompute();
        m_pView->UpdateScrolls();
        m_pEvents->OnUpdateSelectedNumber();
    });

    m_pGraphSplit->addWidget(plotArea);
    // The current trace's verdict in a line under the table.
    auto* verdictLine = new CVerdictLine;
    connect(m_pEvents, &CEventList::sigVerdict, verdictLine, &CVerdictLine::OnVerdict);
    m_pGraphSplit->addWidget(new CEventPane(m_pEvents, verdictLine));
    m_pGraphSplit->setChildrenCollapsible(false);
    m_pGraphSplit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_pGraphSplit->setStretchFactor(0, 1);

    m_pMainSplit->addWidget(m_pFileList);
    m_pMainSplit->addWidget(m_pGraphSplit);
    m_pMainSplit->setChildrenCollapsible(false);
    m_pMainSplit->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Expanding);
    m_pMainSplit->setStretchFactor(1, 1);

    setWindowTitle(tr("Lumetrix"));

    // The splitter handles look the same on every platform. A widget does not
    // own its style, so each style is the splitter's child.
    for (QSplitter* splitter : { m_pMainSplit, m_pGraphSplit }) {
        if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
            style->setParent(splitter);
            splitter->setStyle(style);
        }
    }

    CreateFileActions();
    CreateEditActions();
    CreateDeviceActions();
    CreateViewActions();
    CreateEventsActions();
    CreateHelpActions();
    CreatePlotMenu();
    CreateShortcuts();
    ConnectEnabling();
    m_pConveniences = new CWindowConveniences(this, findChild<QMenu*>(QStringLiteral("fileMenu")), m_pViewMenu);
    new CViewChoices(this, m_pViewMenu);

    RestoreLayout();

    m_pFileList->SetDir(folder.isEmpty() ? m_pOptions->sLastDir : folder);
    m_pFileList->setFocus();
    UpdateStatusBar();
}

MainWindow::~MainWindow()
{
    // The list's signals reach this window and its parts, which go before the
    // list does; and the plot, the overview and the event table work on the
    // geometry that the list owns, so they go first.
    m_pFileList->blockSignals(true);
    delete m_pGraphSplit;
}

QSize MainWindow::sizeHint() const
{
    return QSize(800, 600);
}

void MainWindow::CreateStatusBar()
{
    m_pZoomLabel = new QLabel(this);
    m_pZoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    // As wide as the longest zoom text, whatever it shows: a longer text
    // must not make the window wider.
    m_pZoomLabel->setFixedWidth(m_pZoomLabel->fontMetrics().horizontalAdvance(
                                    tr("Zoom %1 %2 × %3 %4").arg("99999.99", tr("km"), "99.99", tr("dB")))
        + 12);
    m_pDeviceIcon = new QLabel(this);
    m_pDeviceIcon->setObjectName(QStringLiteral("deviceIcon"));
    m_pDeviceIcon->setPixmap(DevicePixmap(false));
    m_pDeviceLabel = new QLabel(this);
    m_pDeviceLabel->setObjectName(QStringLiteral("deviceLabel"));
    m_pDeviceLabel->hide();
    statusBar()->addPermanentWidget(m_pZoomLabel);
    statusBar()->addPermanentWidget(m_pDeviceIcon);
    statusBar()->addPermanentWidget(m_pDeviceLabel);
}

QString MainWindow::ZoomText(const tGraphState& geometry)
{
    if (!geometry.view.isValid() || !geometry.files || geometry.files->empty())
        return QString();
    if (geometry.xZoom <= kResetZoom && geometry.yZoom <= kResetZoom)
        return tr("Zoom reset");

    double width = geometry.extent.width() / geometry.xZoom;
    QString unit = tr("m");
    const CDistanceUnit::tUnit chosen = CDistanceUnit::Of(geometry.Active().data());
    if (chosen != sor::Kilometres && chosen != sor::Metres) {
        width = CDistanceUnit::FromMetres(width, chosen);
        unit = CDistanceUnit::Symbol(chosen);
    } else if (width < 1) {
        width *= 100;
        unit = tr("cm");
    } else if (width > 10000) {
        width /= 1000;
        unit = tr("km");
    }
    const double height = geometry.extent.height() / geometry.yZoom / 1000;
    return tr("Zoom %1 %2 × %3 %4")
        .arg(QString::number(width, 'f', 2), unit, QString::number(height, 'f', 2), tr("dB"));
}

void MainWindow::UpdateStatusBar()
{
    m_pZoomLabel->setText(ZoomText(m_pFileList->GraphState()));

    const bool connected = IsDeviceConnected();
    if (connected) {
        const tDeviceInfo info = m_pDevice->ConnectedDevice();
        m_pDeviceLabel->setText(info.sPort + QLatin1Char(' ') + info.sModel + tr(" s/n ") + info.sNumber);
    }
    m_pDeviceLabel->setVisible(connected);
    m_pDeviceIcon->setPixmap(DevicePixmap(connected));
    m_pDeviceIcon->setToolTip(connected ? tr("Connected") : tr("Disconnected"));
}

bool MainWindow::IsDeviceConnected() const
{
    return m_pDevice && m_pDevice->IsConnected();
}

void MainWindow::ChangeVisibleActions(bool visible)
{
    m_pActLeftCursorHere->setVisible(visible);
    m_pActCenterCursorHere->setVisible(visible);
    m_pActRightCursorHere->setVisible(visible);
}

void MainWindow::UpdateMeasureActions()
{
    const bool shown = m_pFileList->GraphState().Active() != nullptr;
    const bool splice = m_pActMeasureSplice->isChecked();
    const bool reflection = m_pActMeasureReflection->isChecked();
    m_pActMeasureSplice->setEnabled(shown && !reflection);
    m_pActMeasureReflection->setEnabled(shown && !splice);
    // A fit interval of fewer than two samples gives no number to store.
    const CCursors* cursors = m_pFileList->GraphState().cursors.get();
    // Nor does one whose fit lies in the noise: the reason is shown.
    const QString why = shown && (splice || reflection) && cursors && cursors->IsMeasuring()
        ? cursors->MeasurementRefusal()
        : QString();
    const bool tooShort = !why.isEmpty();
    m_pActAddEvent->setEnabled(shown && (splice || reflection) && !tooShort);
    ChangeVisibleActions(splice || reflection);
    if (tooShort)
        statusBar()->showMessage(why);
    else if (m_sRefusalShown == statusBar()->currentMessage())
        statusBar()->clearMessage();
    m_sRefusalShown = why;
}

void MainWindow::ShowMainViewContextMenu(bool bShow)
{
    m_pView->Pix()->setContextMenuPolicy(bShow ? Qt::ActionsContextMenu : Qt::NoContextMenu);
}

void MainWindow::About()
{
    QMessageBox box(this);
    box.setWindowTitle(tr("About"));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::RichText);
    box.setText(
        QStringLiteral("<p align=\"center\">%1</p><p align=\"center\">%2</p>")
            .arg(tr("Processor programm for Bellcore files ver. %1").arg(kProgramVersion.Text()).toHtmlEscaped(),
                tr("Norvane, built with Qt %1").arg(QString::fromLatin1(qVersion())).toHtmlEscaped()));
    box.exec();
}

void MainWindow::HelpTopics()
{
    if (!m_pHelp)
        m_pHelp = new CHelpWindow(m_pOptions->sLanguageName, this);
    m_pHelp->show();
    m_pHelp->raise();
    m_pHelp->activateWindow();
}

bool MainWindow::CanClose()
{
    // Offers to save the modified files; the rows close when the user agrees.
    return m_pFileList->CloseAll(QStringList());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!CanClose()) {
        event->ignore();
        return;
    }
    SaveLayout();
    event->accept();
}

void MainWindow::RestoreLayout()
{
    QSettings settings;
    settings.beginGroup(kLayoutGroup);
    // The window's own record of its place, size and state (with the normal
    // geometry of a maximised window); the first start gets most of the
    // screen, centred.
    if (!restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray())) {
        const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
        const QRect available = shown ? shown->availableGeometry() : QRect(0, 0, 1024, 768);
        const QSize size = (available.size() * 0.85).expandedTo(minimumSizeHint()).boundedTo(available.size());
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
    }

    const struct
    {
        const char* key;
        QToolBar* toolBar;
    } toolBars[] = { { "fileToolBar", m_pFileToolBar }, { "deviceToolBar", m_pDeviceToolBar },
        { "viewToolBar", m_pViewToolBar }, { "eventsToolBar", m_pEventsToolBar } };
    for (const auto& entry : toolBars) {
        if (!settings.value(QString::fromLatin1(entry.key), true).toBool())
            entry.toolBar->hide();
    }

    // Without stored sizes the splitters keep the sizes their widgets ask for.
    const struct
    {
        QSplitter* splitter;
        const char* first;
        const char* last;
    } splitters[] = { { m_pMainSplit, "mainSplit0", "mainSplit1" }, { m_pGraphSplit, "graphSplit0", "graphSplit1" } };
    for (const auto& entry : splitters) {
        const QVariant first = settings.value(QString::fromLatin1(entry.first));
        const QVariant last = settings.value(QString::fromLatin1(entry.last));
        if (first.isValid() && last.isValid())
            entry.splitter->setSizes({ first.toInt(), last.toInt() });
    }
}

void MainWindow::SaveLayout()
{
    QSettings settings;
    settings.beginGroup(kLayoutGroup);
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    const bool maximized = isMaximized();
    settings.setValue(QStringLiteral("maximized"), maximized);
    // The normal geometry, also of a maximised window: what it returns to when
    // it is no longer maximised. pos() is the frame's corner, as move() takes it.
    const QRect normal = maximized ? normalGeometry() : geometry();
    const QPoint frameOffset = geometry().topLeft() - pos();
    settings.setValue(QStringLiteral("size"), normal.size());
    settings.setValue(QStringLiteral("pos"), normal.topLeft() - frameOffset);

    settings.setValue(QStringLiteral("fileToolBar"), m_pFileToolBar->isVisibleTo(this));
    settings.setValue(QStringLiteral("deviceToolBar"), m_pDeviceToolBar->isVisibleTo(this));
    settings.setValue(QStringLiteral("viewToolBar"), m_pViewToolBar->isVisibleTo(this));
    settings.setValue(QStringLiteral("eventsToolBar"), m_pEventsToolBar->isVisibleTo(this));

    const QList<int> mainSizes = m_pMainSplit->sizes();
    const QList<int> graphSizes = m_pGraphSplit->sizes();
    settings.setValue(QStringLiteral("mainSplit0"), mainSizes.value(0));
    settings.setValue(QStringLiteral("mainSplit1"), mainSizes.value(mainSizes.size() - 1));
    settings.setValue(QStringLiteral("graphSplit0"), graphSizes.value(0));
    settings.setValue(QStringLiteral("graphSplit1"), graphSizes.value(graphSizes.size() - 1));
}
