#include "CBoxAnswerer.h"
#include "TestPaths.h"
#include "tPrivateStore.h"

#include <CApplicationStart.h>
#include <CEventList.h>
#include <CFileList.h>
#include <CGraphDlg.h>
#include <CGraphPix.h>
#include <CGraphView.h>
#include <CMainOpt.h>
#include <CWindowConveniences.h>
#include <MainWindow.h>
#include <tGraphState.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

// The main window's additions: size, keys, dropped files, recent folders,
// the event table's selection on the plot and typed marker positions.
class TstWindowConveniences : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_store.IsValid() && m_other.isValid());
        m_start = QDir::currentPath();
        m_samples = QFileInfo(TestPaths::SamplesDir()).canonicalFilePath();
        const QStringList files = TestPaths::SorFiles(m_samples);
        QVERIFY(files.size() >= 3);
        QVERIFY(QFile::copy(files[1], m_other.filePath(QStringLiteral("b.sor"))));
        QVERIFY(QFile::copy(files[2], m_other.filePath(QStringLiteral("a.sor"))));
    }
    void init()
    {
        CApplicationStart::SetIdentity();
        tPrivateStore::Clear();
    }
    void cleanup() { QDir::setCurrent(m_start); }

    void fitsSmallScreens()
    {
        // At most 800 x 600 logical pixels: a 1280 x 720 screen at any scale
        // holds the window with its plot, table and status bar.
        MainWindow window(m_samples);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
        QVERIFY2(least.width() <= 800 && least.height() <= 600,
            qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        window.resize(800, 600);
        QTRY_COMPARE(window.size(), QSize(800, 600));
        QVERIFY(window.View()->Pix()->height() >= 150);
    }

    void renameKeys()
    {
        MainWindow window(m_samples);
        const QList<QKeySequence> keys = window.findChild<QAction*>(QStringLiteral("actionRename"))->shortcuts();
        QVERIFY(keys.contains(QKeySequence(Qt::Key_F2)) && keys.contains(QKeySequence(Qt::CTRL | Qt::Key_M)));
    }

    // Dropped files open their folder with the first one current; a folder
    // opens itself; the folders come back as recent folders after a restart.
    void dropAndRecentFolders()
    {
        {
            MainWindow window(m_samples);
            CWindowConveniences* extras = window.Conveniences();
            QMimeData data;
            data.setUrls({ QUrl::fromLocalFile(m_other.filePath(QStringLiteral("b.sor"))),
                QUrl::fromLocalFile(m_samples + QStringLiteral("/x.sor")) });
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &drop);
            QCOMPARE(QDir::currentPath(), QFileInfo(m_other.path()).canonicalFilePath());
            QCOMPARE(window.FileList()->GetCount(), 2);
            const QSharedPointer<sor::CFile> current = window.FileList()->GetFile(window.FileList()->currentRow());
            QCOMPARE(QFileInfo(current->Path()).fileName(), QStringLiteral("b.sor"));
            QVERIFY(extras->OpenPaths({ m_samples }));
        }
        MainWindow again(m_empty.path());
        const QStringList recent = CWindowConveniences::RecentFolders();
        QCOMPARE(recent.mid(0, 3),
            QStringList({ QFileInfo(m_empty.path()).canonicalFilePath(), m_samples,
                QFileInfo(m_other.path()).canonicalFilePath() }));
        emit again.Conveniences()->RecentMenu()->aboutToShow();
        QCOMPARE(again.Conveniences()->RecentMenu()->actions().size(), recent.size());
        // Never more than eight.
        for (int i = 0; i < 10; ++i)
            QVERIFY(again.Conveniences()->OpenPaths({ i % 2 ? m_samples : m_other.path() }));
        QVERIFY(CWindowConveniences::RecentFolders().size() <= CWindowConveniences::kRecentCount);
    }

    // A row chosen in the event table is the plot's selected event, and the
    // plot scrolls to it when it is out of view.
    void tableSelectionOnThePlot()
    {
        MainWindow window(m_samples);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CFileList* list = window.FileList();
        int row = 0;
        while (row < list->GetCount() && list->GetFile(row)->KeyEvents().size() < 2)
            ++row;
        if (row == list->GetCount())
            QSKIP("No sample trace with two events");
        list->setCurrentRow(row);
        tGraphState& geometry = list->GraphState();
        for (int i = 0; i < 12; ++i)
            window.View()->OnZoomXIn();
        const sor::CFile& file = *list->GetFile(row);
        const int last = int(file.KeyEvents().size()) - 1;
        window.Events()->setCurrentCell(last, 0);
        QCOMPARE(geometry.selectedEvent, last);
        const QRectF visible = geometry.VisibleData();
        const double at = file.TimeToDistance(file.KeyEvents()[size_t(last)].time);
        QVERIFY(at >= visible.left() && at <= visible.right());
    }

    // Digits typed into a marker's position box are the position, not the
    // marker keys; Enter moves the marker there.
    void typedMarkerPosition()
    {
        MainWindow window(m_samples);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        CCursors& cursors = *window.FileList()->GraphState().cursors;
        const float right = cursors.RightMarker().fPosition;
        window.findChild<QAction*>(QStringLiteral("actionSetLeftMarker"))->trigger();
        auto* edit = window.findChild<QLineEdit*>(QStringLiteral("lPos"));
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClicks(edit, QStringLiteral("1.3"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(std::abs(cursors.LeftMarker().fPosition - 1300.0f) < 0.01f);
        QCOMPARE(cursors.RightMarker().fPosition, std::max(right, 1300.0f));
    }

    void optionsWithoutChangeSayNothing()
    {
        MainWindow window(m_samples);
        auto* options = window.findChild<CMainOpt*>();
        QVERIFY(options);
        CBoxAnswerer answerer;
        QTimer::singleShot(0, options, &QDialog::accept);
        options->exec();
        QCOMPARE(answerer.Count(), 0);
    }

private:
    tPrivateStore m_store;
    QString m_start;
    QString m_samples;
    QTemporaryDir m_other;
    QTemporaryDir m_empty;
};

QTEST_MAIN(TstWindowConveniences)
#include "tst_windowconveniences.moc"
