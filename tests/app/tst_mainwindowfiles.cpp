#include "CBoxAnswerer.h"
#include "CSavePromptAnswerer.h"
#include "SorBuilder.h"
#include "tPrivateStore.h"
#include "tListFolder.h"

#include <CApplicationStart.h>
#include <CFile.h>
#include <CFileList.h>
#include <CMainOpt.h>
#include <MainWindow.h>

#include <QAction>
#include <QLineEdit>
#include <QTest>

namespace {

QStringList Names(const CFileList& list)
{
    QStringList names;
    for (int row = 0; row < list.count(); ++row)
        names << QFileInfo(list.GetFile(row)->Path()).fileName();
    return names;
}

} // namespace

// The main window's side of the file operations: each File action reaches
// its operation, and closing the window offers to save modified files.
class TstMainWindowFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void close_offersToSaveModifiedFiles();
    void actions_saveRenameAndDelete();

private:
    QString Path(const QString& name) const { return QDir(m_folder->path()).canonicalPath() + '/' + name; }

    tPrivateStore m_store;
    QString m_startFolder;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TstMainWindowFiles::initTestCase()
{
    QVERIFY(m_store.IsValid());
    m_startFolder = QDir::currentPath();
    // Deleted files go to the store's own trash, on the home folder's file system.
    QVERIFY(QDir().mkpath(m_store.Path("home")));
    qputenv("HOME", QFile::encodeName(m_store.Path("home")));
}

void TstMainWindowFiles::init()
{
    CApplicationStart::SetIdentity();
    tPrivateStore::Clear();
    // A fresh working folder of three traces.
    m_folder = std::make_unique<QTemporaryDir>();
    for (const char* name : { "a.sor", "b.sor", "c.sor" })
        WriteFile(m_folder->filePath(QString::fromLatin1(name)), SorBuilder::StandardFile());
}

void TstMainWindowFiles::cleanup()
{
    QDir::setCurrent(m_startFolder);
    m_folder.reset();
}

void TstMainWindowFiles::close_offersToSaveModifiedFiles()
{
    MainWindow window(m_folder->path());
    window.setWindowState(Qt::WindowNoState);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CFileList* list = window.FileList();
    QCOMPARE(Names(*list), QStringList({ "a.sor", "b.sor", "c.sor" }));
    const QByteArray original = ReadFile(Path("b.sor"));
    list->GetFile(1)->GeneralParameters().cableId = QStringLiteral("changed");
    list->GetFile(1)->SetModified(true);

    // Cancel: the window stays, with its rows, and writes no layout.
    {
        CSavePromptAnswerer prompt(QStringLiteral("Cancel"));
        QVERIFY(!window.close());
        QCOMPARE(prompt.shown, QList<QStringList>({ { "b.sor" } }));
    }
    QVERIFY(window.isVisible());
    QCOMPARE(list->count(), 3);
    QVERIFY(!QSettings().contains(QStringLiteral("MainWindow/size")));

    // Close without saving: the window closes and the file stays as it was.
    {
        CSavePromptAnswerer prompt(QStringLiteral("Close without saving"));
        QVERIFY(window.close());
        QCOMPARE(prompt.shown.size(), 1);
    }
    QVERIFY(!window.isVisible());
    QCOMPARE(list->count(), 0);
    QCOMPARE(ReadFile(Path("b.sor")), original);
    QVERIFY(QSettings().contains(QStringLiteral("MainWindow/size")));
}

void TstMainWindowFiles::actions_saveRenameAndDelete()
{
    MainWindow window(m_folder->path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CFileList* list = window.FileList();
    list->setCurrentRow(0);
    const QSharedPointer<sor::CFile> a = list->GetFile(0);
    const QSharedPointer<sor::CFile> c = list->GetFile(2);
    a->GeneralParameters().cableId = QStringLiteral("changed");
    a->SetModified(true);
    c->SetModified(true);
    QAction* save = window.findChild<QAction*>(QStringLiteral("actionSave"));
    save->trigger();
    QVERIFY(!a->IsModified());
    QCOMPARE(ReadFile(Path("a.sor")), a->Image());
    QVERIFY(!save->isEnabled());
    QVERIFY(c->IsModified());
    window.findChild<QAction*>(QStringLiteral("actionSaveAll"))->trigger();
    QVERIFY(!c->IsModified());

    window.findChild<QAction*>(QStringLiteral("actionRename"))->trigger();
    auto* editor = list->findChild<QLineEdit*>(QStringLiteral("nameEditor"));
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("a"));
    QTest::keyClick(editor, Qt::Key_Escape);

    // The option decides whether deleting asks; both entries delete.
    CMainOpt::Instance()->bNeedAckFileDeletion = false;
    {
        CBoxAnswerer answerer;
        window.findChild<QAction*>(QStringLiteral("actionDelete"))->trigger();
        QCOMPARE(Names(*list), QStringList({ "b.sor", "c.sor" }));
        list->setCurrentRow(1);
        window.findChild<QAction*>(QStringLiteral("actionDeleteTwin"))->trigger();
        QCOMPARE(Names(*list), QStringList({ "b.sor" }));
        QCOMPARE(answerer.Count(), 0);
    }
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList({ "b.sor" }));

    CMainOpt::Instance()->bNeedAckFileDeletion = true;
    CBoxAnswerer asking({ "No" });
    window.findChild<QAction*>(QStringLiteral("actionDelete"))->trigger();
    QCOMPARE(asking.Count(), 1);
    QCOMPARE(Names(*list), QStringList({ "b.sor" }));
}

QTEST_MAIN(TstMainWindowFiles)
#include "tst_mainwindowfiles.moc"
