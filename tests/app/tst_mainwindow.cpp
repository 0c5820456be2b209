#include "TestPaths.h"
#include "tPrivateStore.h"

#include <CApplicationStart.h>
#include <CFile.h>
#include <CFileInfo.h>
#include <CFileList.h>
#include <CGraphDlg.h>
#include <CGraphPix.h>
#include <CGraphView.h>
#include <CHelpWindow.h>
#include <CMainOpt.h>
#include <GraphTools.h>
#include <MainWindow.h>
#include <Preview.h>
#include <tGraphState.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

namespace {

// What needs a listed trace, by object name ("Save" and "Uncheck all" need more).
const QStringList kNeedFiles = { "actionSaveAll", "actionSaveCopyTo", "actionRename", "actionDelete",
    "actionDeleteTwin", "actionInformation", "actionPrint", "actionPreview", "actionPageProperties", "actionExportPdf",
    "viewMenu", "viewToolBar", "eventsMenu", "eventsToolBar", "actionMeasureSplice", "actionMeasureReflection" };

bool IsEnabled(const MainWindow& window, const QString& name)
{
    if (auto* action = window.findChild<QAction*>(name))
        return action->isEnabled();
    auto* widget = window.findChild<QWidget*>(name);
    return widget && widget->isEnabled();
}

QString ZoomLabel(const MainWindow& window)
{
    return window.findChild<QLabel*>(QStringLiteral("zoomLabel"))->text();
}

} // namespace

// The main window's enabling rules, status bar, layout store and help, on the
// sample traces and on an empty folder.
class TstMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void emptyFolder_firstStartAndEnabling();
    void zoomText_data();
    void zoomText();
    void zoomAndTools_followThePlot();
    void layout_restoredAtNextConstruction();
    void help_showsOwnPages_data();
    void help_showsOwnPages();

private:
    tPrivateStore m_store;
    QString m_startFolder;
    QString m_samples;
    QTemporaryDir m_empty;
};

void TstMainWindow::initTestCase()
{
    QVERIFY(m_store.IsValid() && m_empty.isValid());
    m_startFolder = QDir::currentPath();
    m_samples = QFileInfo(TestPaths::SamplesDir()).canonicalFilePath();
    QVERIFY(TestPaths::SorFiles(m_samples).size() >= 3);
}

void TstMainWindow::init()
{
    CApplicationStart::SetIdentity();
    tPrivateStore::Clear();
}

void TstMainWindow::cleanup()
{
    QDir::setCurrent(m_startFolder);
}

void TstMainWindow::emptyFolder_firstStartAndEnabling()
{
    MainWindow window(m_empty.path());
    // At first start: most of the screen, centred, not maximised; an empty
    // folder shows how to get traces, with nothing to zoom.
    QVERIFY(!(window.windowState() & Qt::WindowMaximized));
    const QRect available = window.screen()->availableGeometry();
    QVERIFY(window.width() >= available.width() * 3 / 4 && window.height() >= available.height() * 3 / 4);
    QVERIFY(qAbs(window.geometry().center().x() - available.center().x()) <= 1);
    for (const char* name : { "actionZoomIn", "actionZoomOut", "actionZoomOff", "actionZoomXIn", "actionAddEvent" })
        QVERIFY2(!window.findChild<QAction*>(name)->isEnabled(), name);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage plot = window.View()->Pix()->grab().toImage();
    const QColor background = window.FileList()->GraphState().background;
    int ink = 0;
    for (int y = 0; y < plot.height(); ++y)
        for (int x = 0; x < plot.width(); ++x)
            ink += plot.pixelColor(x, y) != background ? 1 : 0;
    QVERIFY(ink > 200);

    // A disabled menu would still let the keys reach its actions: the
    // measurement actions themselves are disabled while no trace is shown.
    const auto enabled = [&window](bool on) {
        for (const QString& name : kNeedFiles)
            QVERIFY2(IsEnabled(window, name) == on, qPrintable(name));
        QCOMPARE(window.View()->Pix()->contextMenuPolicy(), on ? Qt::ActionsContextMenu : Qt::NoContextMenu);
        QVERIFY(!IsEnabled(window, "actionSave") && !IsEnabled(window, "actionUncheckAll"));
        QVERIFY(IsEnabled(window, "actionChangeFolder") && IsEnabled(window, "actionOptions"));
    };
    enabled(false);

    // Even when called, the view starts nothing without a trace.
    window.View()->OnJunctionMeas();
    QVERIFY(!window.findChild<QAction*>("actionMeasureSplice")->isChecked());
    QVERIFY(!window.FileList()->GraphState().cursors->IsMeasuring());
    QVERIFY(!window.findChild<QAction*>("actionCenterCursorHere")->isVisible());

    // A listed trace enables them, and removing it disables them again.
    QVERIFY(QFile::copy(TestPaths::SorFiles(m_samples).first(), m_empty.filePath(QStringLiteral("one.sor"))));
    window.FileList()->Rescan();
    enabled(true);
    window.FileList()->RemoveRow(0);
    enabled(false);
    QVERIFY(QFile::remove(m_empty.filePath(QStringLiteral("one.sor"))));
}

void TstMainWindow::zoomText_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QSizeF>("extent");
    QTest::addColumn<float>("xZoom");
    QTest::addColumn<float>("yZoom");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing shown") << false << QSizeF(40000, 10000) << 2.f << 2.f << "";
    QTest::newRow("whole extent") << true << QSizeF(40000, 10000) << 1.f << 1.f << "Zoom reset";
    QTest::newRow("40 km x2, 10 dB x2") << true << QSizeF(40000, 10000) << 2.f << 2.f << "Zoom 20.00 km × 5.00 dB";
    QTest::newRow("10 km in metres") << true << QSizeF(20000, 10000) << 2.f << 1.f << "Zoom 10000.00 m × 10.00 dB";
    QTest::newRow("below a metre") << true << QSizeF(100, 10000) << 200.f << 1.f << "Zoom 50.00 cm × 10.00 dB";
}

void TstMainWindow::zoomText()
{
    QFETCH(bool, shown);
    QFETCH(QSizeF, extent);
    QFETCH(float, xZoom);
    QFETCH(float, yZoom);
    QFETCH(QString, text);

    quint32 warnings = 0;
    const auto file = QSharedPointer<sor::CFile>::create(TestPaths::SorFiles(m_samples).first(), warnings);
    tFileSet files;
    if (shown)
        files.push_back(QSharedPointer<tListedFile>::create(file));
    tGraphState geometry;
    geometry.files = &files;
    geometry.view = QRect(0, 0, 600, 300);
    geometry.extent = extent;
    geometry.xZoom = xZoom;
    geometry.yZoom = yZoom;
    QCOMPARE(MainWindow::ZoomText(geometry), text);
}

void TstMainWindow::zoomAndTools_followThePlot()
{
    MainWindow window(m_samples);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(ZoomLabel(window), QStringLiteral("Zoom reset"));

    // Zooming never resizes the window, and the distance scroll bar is there
    // whenever the distance axis is zoomed.
    const QSize size = window.size();
    for (int step = 0; step < 10; ++step) {
        window.View()->OnZoomIn();
        QCOMPARE(window.size(), size);
        QVERIFY(window.View()->HorizontalScrollBar()->isVisible());
    }
    window.View()->OnZoomOff();
    QCOMPARE(ZoomLabel(window), QStringLiteral("Zoom reset"));
    window.View()->OnZoomXIn();
    QVERIFY(window.View()->HorizontalScrollBar()->isVisible());
    window.View()->OnZoomOff();

    auto* tools = window.findChild<GraphTools*>();
    auto* panel = window.findChild<CGraphDlg*>();
    auto* preview = window.findChild<Preview*>();
    QVERIFY(tools && panel && preview);
    QTRY_VERIFY(panel->isVisible());
    // The row lies above the plot, across its width.
    const QRect row(tools->mapTo(&window, QPoint(0, 0)), tools->size());
    const QRect plot(window.View()->mapTo(&window, QPoint(0, 0)), window.View()->size());
    QVERIFY(row.bottom() < plot.top());
    QCOMPARE(row.left(), plot.left());

    // The overview moves the plot: a click near its right end scrolls there.
    const tGraphState& geometry = window.FileList()->GraphState();
    window.findChild<QAction*>("actionZoomIn")->trigger();
    QVERIFY(preview->IsZoomed());
    QScrollBar* scroll = window.View()->HorizontalScrollBar();
    const int before = scroll->value();
    QTest::mouseClick(preview, Qt::LeftButton, Qt::NoModifier, QPoint(preview->width() - 2, preview->height() / 2));
    QVERIFY(scroll->value() > before);
    QCOMPARE(scroll->value(), geometry.view.left());
    QCOMPARE(ZoomLabel(window), MainWindow::ZoomText(geometry));

    // "Set left marker" puts the typing into the panel; the marker moves.
    auto* lPos = panel->findChild<QLineEdit*>(QStringLiteral("lPos"));
    window.findChild<QAction*>("actionSetLeftMarker")->trigger();
    QVERIFY(lPos->hasFocus());
    QTest::keyClicks(lPos, QStringLiteral("0.5"));
    QTest::keyClick(lPos, Qt::Key_Return);
    QVERIFY(std::abs(geometry.cursors->LeftMarker().fPosition - 500) < 0.01f);
    // A marker stepped from the plot shows in the panel.
    window.View()->OnMoveRightMarkerLeft();
    QVERIFY(geometry.cursors->LeftMarker().fPosition > 500.001f);
    QCOMPARE(lPos->text(), QLocale().toString(geometry.cursors->LeftMarker().Position() / 1000.0, 'f', 4));

    // The comment button and the menu entry open the file information on the
    // comment's page, the list's instrument variant on the instrument page;
    // the full-edit option (enabling "GI") is read at each opening.
    QStringList shown;
    const auto close = [&shown] {
        QTimer::singleShot(0, [&shown] {
            auto* info = qobject_cast<CFileInfo*>(QApplication::activeModalWidget());
            shown << info->findChild<QTabWidget*>()->currentWidget()->objectName()
                    + (info->findChild<QWidget*>(QStringLiteral("GI"))->isEnabled() ? "+" : "");
            info->reject();
        });
    };
    close();
    QTest::mouseClick(panel->findChild<QAbstractButton*>(QStringLiteral("btnComment")), Qt::LeftButton);
    CMainOpt::Instance()->bEnableServiceInfoEditing = true;
    close();
    window.findChild<QAction*>("actionInformation")->trigger();
    close();
    window.FileList()->OnFileInformation(false);
    QCOMPARE(shown, QStringList({ "MainInfo", "MainInfo+", "Device+" }));

    // Without traces the panel and the zoom text go.
    CFileList* list = window.FileList();
    while (list->GetCount() > 0)
        list->RemoveRow(0);
    QVERIFY(panel->isHidden());
    QCOMPARE(ZoomLabel(window), QString());
}

void TstMainWindow::layout_restoredAtNextConstruction()
{
    QList<int> mainSizes;
    QList<int> graphSizes;
    {
        MainWindow window(m_samples);
        window.setWindowState(Qt::WindowNoState);
        window.resize(900, 700);
        window.move(120, 130);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.findChild<QToolBar*>("eventsToolBar")->hide();
        window.findChild<QToolBar*>("fileToolBar")->hide();
        window.findChild<QSplitter*>("mainSplit")->setSizes({ 260, 600 });
        window.findChild<QSplitter*>("graphSplit")->setSizes({ 380, 150 });
        mainSizes = window.findChild<QSplitter*>("mainSplit")->sizes();
        graphSizes = window.findChild<QSplitter*>("graphSplit")->sizes();
        QVERIFY(window.close());
    }
    {
        MainWindow window(m_samples);
        QVERIFY(!(window.windowState() & Qt::WindowMaximized));
        const QStringList hidden = { "eventsToolBar", "fileToolBar" };
        for (const QString& name : hidden + QStringList { "deviceToolBar", "viewToolBar" })
            QCOMPARE(window.findChild<QToolBar*>(name)->isHidden(), hidden.contains(name));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(900, 700));
        QCOMPARE(window.pos(), QPoint(120, 130));
        QCOMPARE(window.findChild<QSplitter*>("mainSplit")->sizes(), mainSizes);
        QCOMPARE(window.findChild<QSplitter*>("graphSplit")->sizes(), graphSizes);
        // Left maximised, it comes back maximised, and returns to its size.
        window.showMaximized();
        QTRY_VERIFY(window.isMaximized());
        QVERIFY(window.close());
    }
    MainWindow again(m_samples);
    again.show();
    QTRY_VERIFY(again.isMaximized());
    again.showNormal();
    QTRY_COMPARE(again.size(), QSize(900, 700));
}

void TstMainWindow::help_showsOwnPages_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("words");
    QTest::newRow("English") << "English" << "en" << "compare set";
    QTest::newRow("Russian") << "Русский" << "ru" << "набор сравнения";
}

void TstMainWindow::help_showsOwnPages()
{
    QFETCH(QString, language);
    QFETCH(QString, folder);
    QFETCH(QString, words);

    QSettings().setValue(QStringLiteral("Language/LanguageName"), language);
    MainWindow window(m_empty.path());
    window.findChild<QAction*>("actionHelpTopics")->trigger();
    auto* help = window.findChild<CHelpWindow*>();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->Browser()->source(), QUrl(QStringLiteral("qrc:/help/%1/index.html").arg(folder)));
    QVERIFY(help->Browser()->toPlainText().contains(words));
    // A second request shows the same window.
    window.findChild<QAction*>("actionHelpTopics")->trigger();
    QCOMPARE(window.findChildren<CHelpWindow*>().size(), 1);
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
