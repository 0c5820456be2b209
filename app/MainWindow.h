#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

class CDevice;
class CEventList;
class CFileList;
class CGraphView;
class CHelpWindow;
class CLinkMap;
class CMainOpt;
class CPrinter;
class CWindowConveniences;
class GraphTools;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class QUndoGroup;
class tGraphState;

// The program's single window: the working folder's file list on the left;
// on the right the tool row, the plot with its scroll bars and the event
// table; the menus, toolbars, context menus and keys that drive them; and the
// status bar with the zoom and the instrument's connection. Every part is
// owned through the parent tree, the options object too, so that destroying
// the window writes the options.
//
// The options and file information dialogs come later: their actions exist
// already with their texts, keys and enabling rules.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // `folder`: the working folder to open; empty opens the folder the options
    // stored at the last end of the program (the home folder when none is).
    explicit MainWindow(const QString& folder = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    QSize sizeHint() const override;

    CFileList* FileList() const { return m_pFileList; }
    CGraphView* View() const { return m_pView; }
    CWindowConveniences* Conveniences() const { return m_pConveniences; }
    CEventList* Events() const { return m_pEvents; }
    CLinkMap* LinkMap() const { return m_pLinkMap; }
    CDevice* Device() const { return m_pDevice; }
    CPrinter* Printer() const { return m_pPrinter; }

    // The status bar's zoom text for a geometry: empty while nothing is shown,
    // "Zoom reset" at the whole extent, otherwise the visible width (in
    // centimetres, metres or kilometres) and height (dB).
    static QString ZoomText(const tGraphState& geometry);

public slots:
    void UpdateStatusBar();
    // Shows or hides the measurement cursors' entries of the plot's context menu.
    void ChangeVisibleActions(bool visible);
    // The plot has a context menu only while there are files.
    void ShowMainViewContextMenu(bool bShow);
    // A measurement needs a trace on the plot, and one runs at a time: while
    // one runs the other kind is disabled and "Add event" enabled.
    void UpdateMeasureActions();
    void About();
    void HelpTopics();
    // Events > Analyze trace: the selected traces (or the current one) get
    // the events of their analysis, with the options' default thresholds.
    void AnalyzeTraces();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateStatusBar();
    void CreateFileActions();
    void CreateEditActions();
    void CreateDeviceActions();
    void CreateViewActions();
    void CreateEventsActions();
    void CreateHelpActions();
    void CreatePlotMenu();
    void CreateShortcuts();
    void ConnectEnabling();
    // Every action is made alike: text, then icon (a name under ":/images/"),
    // shortcut and tips when given. `name` is its object name.
    QAction* NewAction(const QString& text, const QKeySequence& shortcut, const QString& toolTip,
        const QString& statusTip, const char* icon, const char* name);
    QToolBar* NewToolBar(const QString& title, const char* name);
    void RestoreLayout();
    void SaveLayout();
    // Asks the file list whether the window may close (modified files).
    bool CanClose();
    // Whether the instrument controller has an instrument connected.
    bool IsDeviceConnected() const;

    // Owned through the parent tree.
    CMainOpt* m_pOptions = nullptr;
    QUndoGroup* m_pUndoGroup = nullptr;
    CFileList* m_pFileList = nullptr;
    CDevice* m_pDevice = nullptr;
    CPrinter* m_pPrinter = nullptr;
    CGraphView* m_pView = nullptr;
    QLabel* m_pZoomLabel = nullptr;
    QLabel* m_pDeviceLabel = nullptr;
    QLabel* m_pDeviceIcon = nullptr;
    // The marker panel with the overview frame, above the plot.
    GraphTools* m_pTools = nullptr;
    CWindowConveniences* m_pConveniences = nullptr;
    CEventList* m_pEvents = nullptr;
    // The link map of the current trace, between the plot and the event table.
    CLinkMap* m_pLinkMap = nullptr;
    QSplitter* m_pMainSplit = nullptr;
    QSplitter* m_pGraphSplit = nullptr;
    QToolBar* m_pFileToolBar = nullptr;
    QToolBar* m_pDeviceToolBar = nullptr;
    QToolBar* m_pViewToolBar = nullptr;
    QToolBar* m_pEventsToolBar = nullptr;
    QMenu* m_pViewMenu = nullptr;
    QMenu* m_pEventsMenu = nullptr;
    QPointer<CHelpWindow> m_pHelp;

    QAction* m_pActSaveAll = nullptr;
    QAction* m_pActSave = nullptr;
    QAction* m_pActAddFile = nullptr;
    QAction* m_pActCopyTo = nullptr;
    QAction* m_pActRename = nullptr;
    QAction* m_pActDelete = nullptr;
    QAction* m_pActDeleteTwin = nullptr;
    QAction* m_pActUncheckAll = nullptr;
    QAction* m_pActInformation = nullptr;
    QAction* m_pActPrint = nullptr;
    QAction* m_pActPreview = nullptr;
    QAction* m_pActPageProperties = nullptr;
    QAction* m_pActExportPdf = nullptr;
    QAction* m_pActConnect = nullptr;
    QAction* m_pActDisconnect = nullptr;
    QAction* m_pActMeasurement = nullptr;
    QAction* m_pActLoadAll = nullptr;
    QAction* m_pActClearMemory = nullptr;
    QAction* m_pActProperties = nullptr;
    QAction* m_pActUpdateClock = nullptr;
    QAction* m_pActMeasureSplice = nullptr;
    QAction* m_pActMeasureReflection = nullptr;
    QAction* m_pActAddEvent = nullptr;
    QAction* m_pActLockMarkers = nullptr;
    QAction* m_pActDeleteEvent = nullptr;
    QAction* m_pActEditComment = nullptr;
    QAction* m_pActAnalyze = nullptr;
    QAction* m_pActLeftCursorHere = nullptr;
    QAction* m_pActCenterCursorHere = nullptr;
    QAction* m_pActRightCursorHere = nullptr;
    // The refusal of a measurement last shown in the status bar.
    QString m_sRefusalShown;
};
