#include "MainWindow.h"

#include "CHelpWindow.h"
#include "CMainOpt.h"
#include "tVersion.h"

#include <CDevice.h>
#include <CEventList.h>
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

// A standard key of the platform with one more modifier (Save with Shift is Save all).
QKeySequence WithModifier(QKeySequence::StandardKey key, Qt::KeyboardModifier modifier)
{
    const QKeyCombination combination = QKeySequence(key)[0];
    return QKeySequence(QKeyCombination(combination.keyboardModifiers() | modifier, combination.key()));
}

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
    plotLayout->addWidget(m_pTools);
    plotLayout->addWidget(m_pView);

    CGraphPix* pix = m_pView->Pix();
    CGraphDlg* panel = m_pTools->Panel();
    CPreviewFrame* overview = m_pTools->Overview();
    Preview* preview = overview->GetPreview();
    connect(m_pFileList, &CFileList::sigFileChanged, m_pView, &CGraphView::UpdateScrolls);
    connect(m_pFileList, &CFileList::sigFileChanged, this, &MainWindow::UpdateStatusBar);
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

    m_pGraphSplit->addWidget(plotArea);
    m_pGraphSplit->addWidget(m_pEvents);
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

QAction* MainWindow::NewAction(const QString& text, const QKeySequence& shortcut, const QString& toolTip,
    const QString& statusTip, const char* icon, const char* name)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    if (icon)
        action->setIcon(QIcon(QStringLiteral(":/images/") + QString::fromLatin1(icon)));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (!toolTip.isEmpty())
        action->setToolTip(toolTip);
    if (!statusTip.isEmpty())
        action->setStatusTip(statusTip);
    return action;
}

QToolBar* MainWindow::NewToolBar(const QString& title, const char* name)
{
    QToolBar* toolBar = addToolBar(title);
    toolBar->setObjectName(QString::fromLatin1(name));
    return toolBar;
}

void MainWindow::CreateFileActions()
{
    // The dialogs are connected when they exist.
    QAction* openDir = NewAction(tr("&Change folder"), QKeySequence::Open, tr("Change folder"), tr("Change folder"),
        "FileOpenDir.png", "actionChangeFolder");
    m_pActSaveAll = NewAction(tr("Sa&ve all"), WithModifier(QKeySequence::Save, Qt::ShiftModifier), tr("Save all"),
        tr("Save all traces"), "FileSaveAll.png", "actionSaveAll");
    m_pActAddFile = NewAction(tr("&Add copy from…"), WithModifier(QKeySequence::Open, Qt::AltModifier),
        tr("Add copy files from other folder"), tr("Add copy files from other folder"), nullptr, "actionAddCopyFrom");
    m_pActSave = NewAction(tr("&Save"), QKeySequence::Save, tr("Save"), tr("Save"), "FileSave.png", "actionSave");
    m_pActCopyTo = NewAction(tr("Save &copy to..."), WithModifier(QKeySequence::Save, Qt::AltModifier),
        tr("Save copy to another folder"), tr("Save copy to another folder"), nullptr, "actionSaveCopyTo");
    m_pActRename = NewAction(tr("Rena&me"), QKeySequence(Qt::CTRL | Qt::Key_M), tr("Rename file"), tr("Rename file"),
        nullptr, "actionRename");
    m_pActDelete = NewAction(tr("&Delete"), QKeySequence(), tr("Delete selected files"), tr("Delete selected files"),
        "FileDelete.png", "actionDelete");
    // The list handles Del and Esc itself; the menus only name the keys.
    m_pActDeleteTwin = NewAction(tr("&Delete") + QStringLiteral("\tDel"), QKeySequence(), tr("Delete selected files"),
        tr("Delete selected files"), "FileDelete.png", "actionDeleteTwin");
    m_pActUncheckAll = NewAction(
        tr("&Uncheck all\tEsc"), QKeySequence(), tr("Uncheck all"), tr("Uncheck all"), nullptr, "actionUncheckAll");
    m_pActInformation = NewAction(tr("&Information"), QKeySequence(Qt::CTRL | Qt::Key_I), tr("Information"),
        tr("Information"), nullptr, "actionInformation");
    m_pActPrint
        = NewAction(tr("&Print"), QKeySequence::Print, tr("Print"), tr("Print"), "FilePrint.png", "actionPrint");
    m_pActPreview = NewAction(tr("Pre&view"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), tr("Preview"),
        tr("Preview"), nullptr, "actionPreview");
    m_pActPageProperties = NewAction(tr("Page prop&erties"), QKeySequence(), tr("Page properties"),
        tr("Page properties"), nullptr, "actionPageProperties");
    m_pActExportPdf = NewAction(tr("Export PD&F..."), QKeySequence(), tr("Export the report as a PDF file"),
        tr("Export the report as a PDF file"), nullptr, "actionExportPdf");
    QAction* options
        = NewAction(tr("Op&tions"), QKeySequence(), tr("Options"), tr("Options"), nullptr, "actionOptions");
    QAction* exit
        = NewAction(tr("E&xit"), QKeySequence(Qt::ALT | Qt::Key_F4), tr("Exit"), tr("Exit"), nullptr, "actionExit");

    connect(openDir, &QAction::triggered, m_pFileList, &CFileList::OnOpenDir);
    connect(m_pActSaveAll, &QAction::triggered, m_pFileList, &CFileList::OnSaveAll);
    connect(m_pActAddFile, &QAction::triggered, m_pFileList, &CFileList::OnAddFile);
    connect(m_pActSave, &QAction::triggered, m_pFileList, &CFileList::OnSaveFile);
    connect(m_pActCopyTo, &QAction::triggered, m_pFileList, &CFileList::OnCopySelectedFiles);
    connect(m_pActRename, &QAction::triggered, m_pFileList, &CFileList::OnRenameFile);
    connect(m_pActDelete, &QAction::triggered, m_pFileList, &CFileList::OnDeleteSelectedFiles);
    connect(m_pActDeleteTwin, &QAction::triggered, m_pFileList, &CFileList::OnDeleteSelectedFiles);
    connect(m_pActUncheckAll, &QAction::triggered, m_pFileList, &CFileList::OnUncheckAll);
    connect(m_pActInformation, &QAction::triggered, m_pFileList, qOverload<>(&CFileList::OnFileInformation));
    // The button beside the file's comment in the marker panel opens the file
    // information as the menu entry does.
    connect(m_pTools->Panel()->CommentButton(), &QAbstractButton::clicked, m_pActInformation, &QAction::trigger);
    connect(exit, &QAction::triggered, this, &MainWindow::close);
    m_pPrinter = new CPrinter(m_pFileList, this);
    connect(m_pActPrint, &QAction::triggered, m_pPrinter, &CPrinter::Print);
    connect(m_pActPreview, &QAction::triggered, m_pPrinter, &CPrinter::Preview);
    connect(m_pActPageProperties, &QAction::triggered, m_pPrinter, &CPrinter::PageProperties);
    connect(m_pActExportPdf, &QAction::triggered, m_pPrinter, &CPrinter::ExportPdf);
    connect(options, &QAction::triggered, m_pOptions, &CMainOpt::exec);

    QMenu* menu = menuBar()->addMenu(tr("&File"));
    menu->setObjectName(QStringLiteral("fileMenu"));
    menu->addAction(openDir);
    menu->addAction(m_pActSaveAll);
    menu->addSeparator();
    menu->addAction(m_pActAddFile);
    menu->addAction(m_pActSave);
    menu->addSeparator();
    menu->addAction(m_pActCopyTo);
    menu->addAction(m_pActRename);
    menu->addAction(m_pActDelete);
    menu->addSeparator();
    menu->addAction(m_pActUncheckAll);
    menu->addAction(m_pActInformation);
    menu->addSeparator();
    menu->addAction(m_pActPrint);
    menu->addAction(m_pActPreview);
    menu->addAction(m_pActPageProperties);
    menu->addAction(m_pActExportPdf);
    menu->addSeparator();
    menu->addAction(options);
    menu->addSeparator();
    menu->addAction(exit);

    m_pFileToolBar = NewToolBar(tr("File"), "fileToolBar");
    m_pFileToolBar->addAction(openDir);
    m_pFileToolBar->addAction(m_pActSaveAll);
    m_pFileToolBar->addAction(m_pActSave);
    m_pFileToolBar->addAction(m_pActPrint);

    m_pFileList->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_pFileList->addActions({ m_pActAddFile, m_pActSave, m_pActCopyTo, m_pActRename, m_pActDeleteTwin, m_pActUncheckAll,
        m_pActInformation });
}

void MainWindow::CreateEditActions()
{
    // Each trace keeps its own history; the group follows the current file.
    m_pUndoGroup = new QUndoGroup(this);
    m_pFileList->SetUndoGroup(m_pUndoGroup);
    QAction* undo = m_pUndoGroup->createUndoAction(this, tr("&Undo"));
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = m_pUndoGroup->createRedoAction(this, tr("&Redo"));
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));

    QMenu* menu = menuBar()->addMenu(tr("&Edit"));
    menu->setObjectName(QStringLiteral("editMenu"));
    menu->addActions({ undo, redo });
}

void MainWindow::CreateDeviceActions()
{
    m_pDevice = new CDevice(m_pFileList, this);
    m_pDevice->SetDeleteOption([this] { return m_pOptions->bNeedDeleteLoadedFiles; });
    connect(m_pDevice, &CDevice::sigConnect, this, &MainWindow::UpdateStatusBar);
    connect(m_pDevice, &CDevice::sigDisconnect, this, &MainWindow::UpdateStatusBar);

    m_pActConnect = NewAction(tr("&Connect"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C), tr("Connect"),
        tr("Connect"), "DeviceConnect.png", "actionConnect");
    m_pActDisconnect = NewAction(tr("Dis&connect"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D), tr("Disconnect"),
        tr("Disconnect"), "DeviceDisconnect.png", "actionDisconnect");
    m_pActMeasurement = NewAction(tr("Measu&rement"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R), tr("Measurement"),
        tr("Measurement"), "DeviceMeasurement.png", "actionMeasurement");
    m_pActLoadAll = NewAction(tr("&Load all"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_L), tr("Load all"),
        tr("Load all"), "DeviceLoadAll.png", "actionLoadAll");
    m_pActClearMemory = NewAction(tr("Cl&ear memory"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E), tr("Clear Memory"),
        tr("Clear memory"), "DeviceClearMemory.png", "actionClearMemory");
    m_pActProperties = NewAction(tr("&Properties"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P), tr("Properties"),
        tr("Properties"), "DeviceProperties.png", "actionProperties");
    m_pActUpdateClock = NewAction(tr("&Update clock"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_U), tr("Update clock"),
        tr("Update clock"), "DeviceUpdateClock.png", "actionUpdateClock");

    m_pActDisconnect->setVisible(false);
    connect(m_pDevice, &CDevice::sigDisconnectedChange, m_pActConnect, &QAction::setVisible);
    connect(m_pDevice, &CDevice::sigConnectedChange, m_pActDisconnect, &QAction::setVisible);
    for (QAction* action :
        { m_pActMeasurement, m_pActLoadAll, m_pActClearMemory, m_pActProperties, m_pActUpdateClock }) {
        action->setEnabled(false);
        connect(m_pDevice, &CDevice::sigConnectedChange, action, &QAction::setEnabled);
    }
    connect(m_pActConnect, &QAction::triggered, m_pDevice, &CDevice::Connect);
    connect(m_pActDisconnect, &QAction::triggered, m_pDevice, &CDevice::Disconnect);
    connect(m_pActMeasurement, &QAction::triggered, m_pDevice, &CDevice::Measurement);
    connect(m_pActLoadAll, &QAction::triggered, m_pDevice, &CDevice::LoadAll);
    connect(m_pActClearMemory, &QAction::triggered, m_pDevice, &CDevice::ClearMemory);
    connect(m_pActProperties, &QAction::triggered, m_pDevice, &CDevice::Properties);
    connect(m_pActUpdateClock, &QAction::triggered, m_pDevice, &CDevice::UpdateDateTime);

    QMenu* menu = menuBar()->addMenu(tr("&Device"));
    menu->setObjectName(QStringLiteral("deviceMenu"));
    menu->addActions({ m_pActConnect, m_pActDisconnect });
    menu->addSeparator();
    menu->addActions({ m_pActMeasurement, m_pActLoadAll, m_pActClearMemory, m_pActProperties });
    menu->addSeparator();
    menu->addAction(m_pActUpdateClock);

    m_pDeviceToolBar = NewToolBar(tr("Device toolbar"), "deviceToolBar");
    m_pDeviceToolBar->addActions({ m_pActConnect, m_pActDisconnect });
    m_pDeviceToolBar->addSeparator();
    m_pDeviceToolBar->addActions({ m_pActMeasurement, m_pActLoadAll, m_pActProperties });
    m_pDeviceToolBar->addSeparator();
    m_pDeviceToolBar->addAction(m_pActUpdateClock);
}

void MainWindow::CreateViewActions()
{
    QAction* zoomIn = NewAction(
        tr("Zoom in"), QKeySequence(Qt::Key_Plus), tr("Zoom in"), tr("Zoom in"), "ViewZoomIn.png", "actionZoomIn");
    QAction* zoomOut = NewAction(tr("Zoom out"), QKeySequence(Qt::Key_Minus), tr("Zoom out"), tr("Zoom out"),
        "ViewZoomOut.png", "actionZoomOut");
    QAction* zoomOff = NewAction(tr("Reset zoom"), QKeySequence(Qt::Key_Asterisk), tr("Reset zoom"), tr("Reset zoom"),
        "ViewZoomOff.png", "actionZoomOff");
    QAction* zoomXIn = NewAction(tr("Zoom X in"), QKeySequence(Qt::CTRL | Qt::Key_Plus), tr("Zoom X in"),
        tr("Zoom X in"), "ViewZoomXIn.png", "actionZoomXIn");
    QAction* zoomXOut = NewAction(tr("Zoom X out"), QKeySequence(Qt::CTRL | Qt::Key_Minus), tr("Zoom X out"),
        tr("Zoom X out"), "ViewZoomXOut.png", "actionZoomXOut");
    QAction* zoomXOff = NewAction(tr("Reset zoom X "), QKeySequence(Qt::CTRL | Qt::Key_Asterisk),
        tr("Reset zoom X off"), tr("Reset zoom X"), "ViewZoomXOff.png", "actionZoomXOff");
    QAction* leftMarker = NewAction(tr("Set &left marker"), QKeySequence(Qt::CTRL | Qt::Key_L), tr("Set left marker"),
        tr("Set left marker"), nullptr, "actionSetLeftMarker");
    QAction* rightMarker = NewAction(tr("Set &right marker"), QKeySequence(Qt::CTRL | Qt::Key_R),
        tr("Set right marker"), tr("Set right marker"), nullptr, "actionSetRightMarker");

    connect(zoomIn, &QAction::triggered, m_pView, &CGraphView::OnZoomIn);
    connect(zoomOut, &QAction::triggered, m_pView, &CGraphView::OnZoomOut);
    connect(zoomOff, &QAction::triggered, m_pView, &CGraphView::OnZoomOff);
    connect(zoomXIn, &QAction::triggered, m_pView, &CGraphView::OnZoomXIn);
    connect(zoomXOut, &QAction::triggered, m_pView, &CGraphView::OnZoomXOut);
    connect(zoomXOff, &QAction::triggered, m_pView, &CGraphView::OnZoomXOff);
    connect(leftMarker, &QAction::triggered, m_pTools->Panel(), &CGraphDlg::OnSetLeftMarker);
    connect(rightMarker, &QAction::triggered, m_pTools->Panel(), &CGraphDlg::OnSetRightMarker);

    m_pViewMenu = menuBar()->addMenu(tr("&View"));
    m_pViewMenu->setObjectName(QStringLiteral("viewMenu"));
    m_pViewMenu->addActions({ zoomIn, zoomOut, zoomOff });
    m_pViewMenu->addSeparator();
    m_pViewMenu->addActions({ zoomXIn, zoomXOut, zoomXOff });
    m_pViewMenu->addSeparator();
    m_pViewMenu->addActions({ leftMarker, rightMarker });

    // Nothing to zoom without a trace.
    for (QAction* action : { zoomIn, zoomOut, zoomOff, zoomXIn, zoomXOut, zoomXOff }) {
        action->setEnabled(false);
        connect(m_pFileList, &CFileList::sigEnabled, action, &QAction::setEnabled);
    }

    m_pViewToolBar = NewToolBar(tr("View toolbar"), "viewToolBar");
    m_pViewToolBar->addActions({ zoomIn, zoomOut, zoomOff, zoomXIn, zoomXOut, zoomXOff });
}

void MainWindow::CreateEventsActions()
{
    m_pActMeasureSplice = NewAction(tr("Measure &splice"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_J),
        tr("Measure splice"), tr("Measure splice"), "EventsJunctionMeas.png", "actionMeasureSplice");
    m_pActMeasureReflection = NewAction(tr("Measure &reflection"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R),
        tr("Measure reflection"), tr("Measure reflection"), "EventsReflectionMeas.png", "actionMeasureReflection");
    m_pActAddEvent = NewAction(tr("Add &event"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), tr("Add event"),
        tr("Add event"), "EventsEndMeas.png", "actionAddEvent");
    m_pActLockMarkers = NewAction(tr("&Lock markers"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F),
        tr("Lock markers to fix their distance"), tr("Lock markers to fix their distance"), "EventsFixCursors.png",
        "actionLockMarkers");
    m_pActDeleteEvent = NewAction(
        tr("&Delete"), QKeySequence(), tr("Delete event"), tr("delete event"), "EventsDelete.png", "actionDeleteEvent");
    m_pActEditComment = NewAction(tr("&Edit comment"), QKeySequence(), tr("Edit comment"), tr("Edit comment"),
        "EventsEdit.png", "actionEditComment");
    QAction* deleteTwin = NewAction(m_pActDeleteEvent->text(), QKeySequence(), m_pActDeleteEvent->toolTip(),
        m_pActDeleteEvent->statusTip(), "EventsDelete.png", "actionDeleteEventTwin");
    QAction* editTwin = NewAction(m_pActEditComment->text(), QKeySequence(), m_pActEditComment->toolTip(),
        m_pActEditComment->statusTip(), "EventsEdit.png", "actionEditCommentTwin");

    m_pActMeasureSplice->setCheckable(true);
    m_pActMeasureReflection->setCheckable(true);
    m_pActLockMarkers->setCheckable(true);
    m_pActAddEvent->setEnabled(false);
    m_pView->SetSpliceAction(m_pActMeasureSplice);
    m_pView->SetReflectionAction(m_pActMeasureReflection);
    m_pView->SetLockAction(m_pActLockMarkers);
    connect(m_pActMeasureSplice, &QAction::triggered, m_pView, &CGraphView::OnJunctionMeas);
    connect(m_pActMeasureReflection, &QAction::triggered, m_pView, &CGraphView::OnReflectionMeas);
    connect(m_pActAddEvent, &QAction::triggered, m_pView, &CGraphView::OnEndMeas);
    connect(m_pActLockMarkers, &QAction::triggered, m_pView, &CGraphView::OnFixCursors);
    for (QAction* action : { m_pActDeleteEvent, deleteTwin })
        connect(action, &QAction::triggered, m_pEvents, &CEventList::OnDeleteEvent);
    for (QAction* action : { m_pActEditComment, editTwin })
        connect(action, &QAction::triggered, m_pEvents, &CEventList::OnEditEvent);

    m_pEventsMenu = menuBar()->addMenu(tr("&Events"));
    m_pEventsMenu->setObjectName(QStringLiteral("eventsMenu"));
    m_pEventsMenu->addActions({ m_pActMeasureSplice, m_pActMeasureReflection, m_pActAddEvent, m_pActLockMarkers });
    m_pEventsMenu->addSeparator();
    m_pEventsMenu->addActions({ m_pActDeleteEvent, m_pActEditComment });

    m_pEventsToolBar = NewToolBar(tr("Events toolbar"), "eventsToolBar");
    m_pEventsToolBar->addActions({ m_pActMeasureSplice, m_pActMeasureReflection, m_pActAddEvent, m_pActLockMarkers });

    m_pEvents->addActions({ deleteTwin, editTwin });
}

void MainWindow::CreateHelpActions()
{
    QAction* help
        = NewAction(tr("&Help topics"), QKeySequence(Qt::Key_F1), tr("Help"), tr("Help"), nullptr, "actionHelpTopics");
    QAction* about = NewAction(
        tr("&About"), QKeySequence(Qt::CTRL | Qt::Key_F1), tr("About"), tr("About"), nullptr, "actionAbout");
    connect(help, &QAction::triggered, this, &MainWindow::HelpTopics);
    connect(about, &QAction::triggered, this, &MainWindow::About);

    QMenu* menu = menuBar()->addMenu(tr("&Help"));
    menu->setObjectName(QStringLiteral("helpMenu"));
    menu->addAction(help);
    menu->addSeparator();
    menu->addAction(about);
}

void MainWindow::CreatePlotMenu()
{
    CGraphPix* pix = m_pView->Pix();
    m_pActLeftCursorHere = NewAction(
        tr("Move &Left cursor here"), QKeySequence(), QString(), QString(), "CursorELeft.png", "actionLeftCursorHere");
    QAction* leftMarker = NewAction(
        tr("Move &Left here"), QKeySequence(), QString(), QString(), "CursorLeft.png", "actionLeftMarkerHere");
    m_pActCenterCursorHere = NewAction(tr("Move &Center cursor here"), QKeySequence(), QString(), QString(),
        "CursorECenter.png", "actionCenterCursorHere");
    QAction* rightMarker = NewAction(
        tr("Move &Right here"), QKeySequence(), QString(), QString(), "CursorRight.png", "actionRightMarkerHere");
    m_pActRightCursorHere = NewAction(tr("Move &Right cursor here"), QKeySequence(), QString(), QString(),
        "CursorERight.png", "actionRightCursorHere");
    connect(m_pActLeftCursorHere, &QAction::triggered, pix, &CGraphPix::SetLeftCursorHere);
    connect(leftMarker, &QAction::triggered, pix, &CGraphPix::SetLeftMarkerHere);
    connect(m_pActCenterCursorHere, &QAction::triggered, pix, &CGraphPix::SetCenterCursorHere);
    connect(rightMarker, &QAction::triggered, pix, &CGraphPix::SetRightMarkerHere);
    connect(m_pActRightCursorHere, &QAction::triggered, pix, &CGraphPix::SetRightCursorHere);

    pix->setContextMenuPolicy(Qt::ActionsContextMenu);
    pix->addActions({ m_pActLeftCursorHere, leftMarker, m_pActCenterCursorHere, rightMarker, m_pActRightCursorHere });
    ChangeVisibleActions(false);
}

void MainWindow::CreateShortcuts()
{
    const struct
    {
        QKeySequence key;
        void (CGraphView::*slot)();
    } shortcuts[] = {
        { QKeySequence(Qt::ALT | Qt::Key_Up), &CGraphView::OnMoveUp },
        { QKeySequence(Qt::ALT | Qt::Key_Down), &CGraphView::OnMoveDown },
        { QKeySequence(Qt::ALT | Qt::Key_Left), &CGraphView::OnMoveLeft },
        { QKeySequence(Qt::ALT | Qt::Key_Right), &CGraphView::OnMoveRight },
        { QKeySequence(Qt::Key_4), &CGraphView::OnMoveLeftMarkerLeft },
        { QKeySequence(Qt::Key_6), &CGraphView::OnMoveRightMarkerLeft },
        { QKeySequence(Qt::Key_1), &CGraphView::OnMoveLeftMarkerRight },
        { QKeySequence(Qt::Key_3), &CGraphView::OnMoveRightMarkerRight },
    };
    for (const auto& entry : shortcuts) {
        auto* shortcut = new QShortcut(entry.key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, m_pView, entry.slot);
    }
}

void MainWindow::ConnectEnabling()
{
    // Everything that needs a listed file follows whether the list is empty.
    for (QWidget* widget :
        std::initializer_list<QWidget*> { m_pViewMenu, m_pViewToolBar, m_pEventsMenu, m_pEventsToolBar })
        connect(m_pFileList, &CFileList::sigEnabled, widget, &QWidget::setEnabled);
    for (QAction* action : { m_pActSaveAll, m_pActSave, m_pActCopyTo, m_pActRename, m_pActDelete, m_pActUncheckAll,
             m_pActDeleteTwin, m_pActInformation, m_pActPrint, m_pActPreview, m_pActPageProperties, m_pActExportPdf })
        connect(m_pFileList, &CFileList::sigEnabled, action, &QAction::setEnabled);
    connect(m_pFileList, &CFileList::sigEnabled, this, &MainWindow::ShowMainViewContextMenu);
    connect(m_pFileList, &CFileList::sigFileChanged, m_pActSave, &QAction::setEnabled);
    connect(m_pFileList, &CFileList::sigHasChecked, m_pActUncheckAll, &QAction::setEnabled);

    // One measurement at a time, and only on a shown trace. The view itself
    // unchecks a measurement when it ends or cannot start, so the states
    // follow the checked state, not only the clicks.
    connect(m_pFileList, &CFileList::sigEnabled, this, &MainWindow::UpdateMeasureActions);
    connect(m_pFileList, &CFileList::sigFileChanged, this, &MainWindow::UpdateMeasureActions);
    for (QAction* action : { m_pActMeasureSplice, m_pActMeasureReflection })
        connect(action, &QAction::toggled, this, &MainWindow::UpdateMeasureActions);
    connect(m_pActAddEvent, &QAction::triggered, this, &MainWindow::UpdateMeasureActions);
    // Moving a cursor can make a fit interval too short to measure.
    connect(m_pView, &CGraphView::sigUpdate, this, &MainWindow::UpdateMeasureActions);
    connect(m_pView->Pix(), &CGraphPix::sigUpdate, this, &MainWindow::UpdateMeasureActions);
}

QString MainWindow::ZoomText(const tGraphState& geometry)
{
    if (!geometry.view.isValid() || !geometry.files || geometry.files->empty())
        return QString();
    if (geometry.xZoom <= kResetZoom && geometry.yZoom <= kResetZoom)
        return tr("Zoom reset");

    double width = geometry.extent.width() / geometry.xZoom;
    QString unit = tr("m");
    if (width < 1) {
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
    const bool tooShort = shown && (splice || reflection) && cursors && cursors->IsMeasuring()
        && !cursors->MeasurementFits();
    m_pActAddEvent->setEnabled(shown && (splice || reflection) && !tooShort);
    ChangeVisibleActions(splice || reflection);
    const QString why = tr("A fit interval holds fewer than two samples: move the cursors apart to measure");
    if (tooShort)
        statusBar()->showMessage(why);
    else if (statusBar()->currentMessage() == why)
        statusBar()->clearMessage();
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
