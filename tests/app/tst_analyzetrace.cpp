#include "TestPaths.h"
#include "tPrivateStore.h"

#include <CApplicationStart.h>
#include <CEventList.h>
#include <CFile.h>
#include <CFileList.h>
#include <MainWindow.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

// Events > Analyze trace through the main window: the notice of a trace
// without events, one undo step per file, comments kept, several files.
class TstAnalyzeTrace : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void analysesThroughTheWindow();

private:
    tPrivateStore m_store;
    QTemporaryDir m_dir;
};

void TstAnalyzeTrace::initTestCase()
{
    QVERIFY(m_store.IsValid() && m_dir.isValid());
    const QString sample = QDir(TestPaths::SamplesDir()).filePath(QStringLiteral("1550_05km_noevents.sor"));
    QVERIFY2(QFileInfo::exists(sample), qPrintable(sample));
    for (const char* name : { "a.sor", "b.sor" })
        QVERIFY(QFile::copy(sample, m_dir.filePath(QLatin1String(name))));
    CApplicationStart::SetIdentity();
    tPrivateStore::Clear();
}

void TstAnalyzeTrace::analysesThroughTheWindow()
{
    MainWindow window(m_dir.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CFileList* list = window.FileList();
    QCOMPARE(list->GetCount(), 2);
    list->setCurrentRow(0);
    const QSharedPointer<sor::CFile> first = list->GetFile(0);
    const QSharedPointer<sor::CFile> second = list->GetFile(1);
    QVERIFY(first->KeyEvents().empty());

    // The table says there are no events and offers the analysis.
    auto* notice = window.Events()->findChild<QWidget*>(QStringLiteral("noEvents"));
    QTRY_VERIFY(notice->isVisible());
    QTest::mouseClick(notice->findChild<QPushButton*>(QStringLiteral("analyzeTrace")), Qt::LeftButton);
    QTRY_VERIFY(!first->KeyEvents().empty());
    QVERIFY(first->IsModified());
    QVERIFY(!notice->isVisible());
    QCOMPARE(window.Events()->rowCount(), int(first->KeyEvents().size()));
    QCOMPARE(list->UndoStack(first)->count(), 1);
    const std::deque<sor::tKeyEvent> found = first->KeyEvents();

    // A comment stays with its event through another analysis, which then
    // changes nothing and adds no step.
    QVERIFY(first->SetKeyEventComment(0, QStringLiteral("Splice box 4")));
    const int steps = list->UndoStack(first)->count();
    window.findChild<QAction*>(QStringLiteral("actionAnalyzeTrace"))->trigger();
    QCOMPARE(first->KeyEvents().front().comment.Text(), QStringLiteral("Splice box 4"));
    QCOMPARE(first->KeyEvents().size(), found.size());
    QCOMPARE(list->UndoStack(first)->count(), steps);

    // Both listed traces selected: each gets its events, one step each; the
    // trace the list had let go is let go again with its new events.
    QVERIFY(second->ReleaseTrace());
    list->selectAll();
    window.findChild<QAction*>(QStringLiteral("actionAnalyzeTrace"))->trigger();
    QCOMPARE(second->KeyEvents().size(), found.size());
    QVERIFY(second->IsTraceReleased() && second->IsModified());
    QCOMPARE(list->UndoStack(second)->count(), 1);
    list->UndoStack(second)->undo();
    QVERIFY(second->KeyEvents().empty());
    list->UndoStack(second)->redo();
    QCOMPARE(second->KeyEvents().size(), found.size());
}

QTEST_MAIN(TstAnalyzeTrace)
#include "tst_analyzetrace.moc"
