// The main window's actions, menus, tool bars, shortcuts and their enabling rules.
#include "MainWindow.h"

#include "CAnalyzeTraces.h"
#include "CBidirectionalPanel.h"
#include "CHelpWindow.h"
#include "CLinkMapLinks.h"
#include "CMainOpt.h"
#include "tVersion.h"

#include <CCsvExportActions.h>
#include <CDevice.h>
#include <CDistanceUnit.h>
#include <CEventList.h>
#include <CLimitsDialog.h>
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

// A standard key of the platform with one more modifier (Save with Shift is Save all).
QKeySequence WithModifier(QKeySequence::StandardKey key, Qt::KeyboardModifier modifier)
{
    const QKeyCombination combination = QKeySequence(key)[0];
    return QKeySequence(QKeyCombination(combination.keyboardModifiers() | modifier, combination.key()));
}

} // namespace

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
    // F2 as in every file manager; Ctrl+M as before.
    m_pActRename->setShortcuts({ QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_M) });
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
    auto* csvExport = new CCsvExportActions(m_pFileList, this);
    QMenu* exportMenu = menu->addMenu(tr("Expo&rt"));
    exportMenu->setObjectName(QStringLiteral("exportMenu"));
    exportMenu->addActions({ csvExport->EventsAction(), csvExport->TraceAction() });
    exportMenu->setEnabled(m_pFileList->count() != 0);
    connect(m_pFileList, &CFileList::sigEnabled, exportMenu, &QWidget::setEnabled);
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
    m_pActClearMemory = NewAction(tr("Cl&ear memory"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E), tr("Clear memory"),
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
    QAction* zoomXOff = NewAction(tr("Reset zoom X"), QKeySequence(Qt::CTRL | Qt::Key_Asterisk),
        tr("Reset zoom X"), tr("Reset zoom X"), "ViewZoomXOff.png", "actionZoomXOff");
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
        tr("&Delete"), QKeySequence(), tr("Delete event"), tr("Delete event"), "EventsDelete.png", "actionDeleteEvent");
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
    m_pActAnalyze = NewAction(tr("A&nalyze trace"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
        tr("Find and measure the events of the trace"), tr("Find and measure the events of the trace"), nullptr,
        "actionAnalyzeTrace");
    m_pActAnalyze->setEnabled(false);
    connect(m_pFileList, &CFileList::sigEnabled, m_pActAnalyze, &QAction::setEnabled);
    connect(m_pActAnalyze, &QAction::triggered, this, &MainWindow::AnalyzeTraces);
    connect(m_pEvents, &CEventList::sigAnalyzeRequested, this, &MainWindow::AnalyzeTraces);
    m_pEventsMenu->addSeparator();
    m_pEventsMenu->addAction(m_pActAnalyze);
    // The limit set and span every trace is judged by: the table, its verdict
    // line and the list cards show the new verdicts at once.
    QAction* limits = NewAction(tr("Pass/fail &limits..."), QKeySequence(), tr("Pass/fail limits"),
        tr("Choose the limit set and the span the traces are judged by"), nullptr, "actionLimits");
    connect(limits, &QAction::triggered, this, [this] {
        CLimitsDialog dialog(this, CDistanceUnit::Of(m_pFileList->GraphState().Active().data()));
        if (dialog.exec() == QDialog::Accepted) {
            m_pEvents->OnUpdateView();
            m_pFileList->OnBackgroundChanged();
            m_pLinkMap->OnUpdateView();
        }
    });
    m_pEventsMenu->addSeparator();
    m_pEventsMenu->addAction(limits);
    // The bidirectional analysis, docked under the plot while its action is checked.
    CBidirectionalPanel* bidirectional = CBidirectionalPanel::AddDock(this, m_pFileList);
    connect(bidirectional, &CBidirectionalPanel::sigUpdate, m_pView, &CGraphView::UpdateScrolls);
    connect(bidirectional, &CBidirectionalPanel::sigUpdate, m_pView->Pix(), qOverload<>(&QWidget::update));
    connect(bidirectional, &CBidirectionalPanel::sigUpdate, m_pTools->Overview()->GetPreview(),
        qOverload<>(&QWidget::update));
    connect(bidirectional, &CBidirectionalPanel::sigUpdate, m_pTools->Panel(), &CGraphDlg::OnUpdateValues);
    connect(bidirectional, &CBidirectionalPanel::sigUpdate, this, &MainWindow::UpdateStatusBar);
    CLinkMapLinks::Connect(m_pLinkMap, m_pEvents, m_pFileList, bidirectional);
    m_pEventsMenu->addSeparator();
    m_pEventsMenu->addAction(bidirectional->ToggleAction());

    m_pEventsToolBar = NewToolBar(tr("Events toolbar"), "eventsToolBar");
    m_pEventsToolBar->addActions({ m_pActMeasureSplice, m_pActMeasureReflection, m_pActAddEvent, m_pActLockMarkers });

    m_pEvents->addActions({ deleteTwin, editTwin });
}

void MainWindow::AnalyzeTraces()
{
    analysis::tThresholds defaults;
    defaults.lossDb = m_pOptions->fLossThreshold;
    defaults.reflectanceDb = m_pOptions->fReflectanceThreshold;
    defaults.endDb = m_pOptions->fEndThreshold;
    CAnalyzeTraces analyze(m_pFileList, this);
    analyze.Run(analyze.Chosen(), defaults);
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
