#include "CBoxAnswerer.h"
#include "CSavePromptAnswerer.h"
#include "tListFolder.h"

#include <Exception.h>

#include <QApplication>

#include <csignal>
#include <sys/resource.h>

namespace {

using namespace SorBuilder;

// The file size limit of the process, as a full disk: every write past
// `bytes` fails (with the signal that would end the process ignored).
class tWriteLimit
{
public:
    explicit tWriteLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~tWriteLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

// Saving with the retry and ignore question, copying, adding, deleting to the
// trash and changing the working folder.
class TstFileOperations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void saveAllIgnoresAllUnwritable();
    void failedSaveKeepsOriginal();
    void failedAddAndDownloadLeaveNoPartialFile();
    void copyOntoItselfWritesNothing_data();
    void copyOntoItselfWritesNothing();
    void copyOneFile();
    void copySelectedIntoWorkingFolder();
    void addCopy();
    void deleteToTrash();
    void deleteWithoutTrashKeepsFile();
    void changeFolder();
    void closeAllSavesSelected();

private:
    QString TrashFile(const QString& name) const { return m_home.filePath("data/Trash/files/" + name); }

    // Home and per-user data folder of the test, so that deleted files go to
    // a trash of its own.
    QTemporaryDir m_home;
};

void TstFileOperations::initTestCase()
{
    QVERIFY(m_home.isValid());
    QVERIFY(QDir(m_home.path()).mkpath("data"));
    // The trash in use is the one on the home folder's file system; the
    // home and the working folders are temporary folders side by side.
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath("data")));
}

void TstFileOperations::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath("data")));
    QDir(m_home.filePath("data/Trash")).removeRecursively();
}

void TstFileOperations::saveAllIgnoresAllUnwritable()
{
    tListFolder folder({ "a.sor", "b.sor", "c.sor", "d.sor", "e.sor" });
    for (const QString& name : folder.Names())
        folder.Change(name);
    // b and d cannot be written, even by a privileged user: a folder now
    // stands where each file was.
    for (const char* name : { "b.sor", "d.sor" }) {
        QVERIFY(QFile::remove(folder.Path(name)));
        QVERIFY(QDir().mkdir(folder.Path(name)));
    }

    {
        CBoxAnswerer answerer({ "Ignore all" });
        folder.list->OnSaveAll();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Cannot save \"b.sor\""));
        QCOMPARE(answerer.Seen()[0].icon, QMessageBox::Warning);
        QStringList buttons = answerer.Seen()[0].buttons;
        buttons.sort();
        QCOMPARE(buttons, QStringList({ "Abort", "Ignore", "Ignore all", "Retry" }));
    }
    for (const char* name : { "a.sor", "c.sor", "e.sor" }) {
        QVERIFY2(!folder.File(name)->IsModified(), name);
        QCOMPARE(ReadFile(folder.Path(name)), folder.File(name)->Image());
    }
    QVERIFY(folder.File("b.sor")->IsModified());
    QVERIFY(folder.File("d.sor")->IsModified());

    // Abort on the first failure ends Save all there: e stays modified.
    folder.Change("e.sor");
    CBoxAnswerer aborting({ "Abort" });
    folder.list->OnSaveAll();
    QCOMPARE(aborting.Count(), 1);
    QVERIFY(folder.File("e.sor")->IsModified());
}

void TstFileOperations::failedSaveKeepsOriginal()
{
    tListFolder folder({ "a.sor" });
    const QByteArray original = ReadFile(folder.Path("a.sor"));
    const QSharedPointer<sor::CFile> file = folder.Change("a.sor");

    {
        // The file system takes no more than a few bytes of any file.
        const tWriteLimit fullDisk(16);
        CBoxAnswerer answerer({ "Retry", "Cancel" });
        folder.list->OnSaveFile();
        QCOMPARE(answerer.Count(), 2);
        QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Cannot save \"a.sor\""));
        QCOMPARE(answerer.Seen()[0].text, EFileAccessError(Exception::ModuleStream, 0).Message());
        QVERIFY(answerer.Seen()[0].buttons.contains("Retry"));
        QVERIFY(!answerer.Seen()[0].buttons.contains("Ignore"));
    }
    QCOMPARE(ReadFile(folder.Path("a.sor")), original);
    QCOMPARE(folder.OnDisk(), QStringList({ "a.sor" }));
    QVERIFY(file->IsModified());

    // With room again the same action saves.
    folder.list->OnSaveFile();
    QVERIFY(!file->IsModified());
    QCOMPARE(ReadFile(folder.Path("a.sor")), file->Image());
}

void TstFileOperations::failedAddAndDownloadLeaveNoPartialFile()
{
    tListFolder folder({ "a.sor" });
    const QByteArray original = ReadFile(folder.Path("a.sor"));
    QTemporaryDir other;
    WriteFile(other.filePath("n.sor"), StandardFile());
    folder.dialogs.answers << other.filePath("n.sor");
    {
        const tWriteLimit fullDisk(16);
        CBoxAnswerer answerer({ "Cancel", "Abort" });
        folder.list->OnAddFile();
        // A download over a listed trace, which must survive the failure.
        folder.list->AddLoadedFiles({ { folder.Path("a.sor"), StandardFile() + QByteArray(100, 'x') } });
        QCOMPARE(answerer.Count(), 2);
        QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Cannot add \"n.sor\""));
        QCOMPARE(answerer.Seen()[1].title, QStringLiteral("Cannot load \"a.sor\""));
    }
    QCOMPARE(folder.OnDisk(), QStringList({ "a.sor" }));
    QCOMPARE(ReadFile(folder.Path("a.sor")), original);
    QCOMPARE(folder.Names(), QStringList({ "a.sor" }));
}

void TstFileOperations::copyOntoItselfWritesNothing_data()
{
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("same path") << false;
    QTest::newRow("through a linked folder") << true;
}

void TstFileOperations::copyOntoItselfWritesNothing()
{
    QFETCH(bool, throughLink);
    tListFolder folder({ "a.sor" });
    const QByteArray original = ReadFile(folder.Path("a.sor"));
    const QSharedPointer<sor::CFile> file = folder.Change("a.sor");
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath("link");
    QVERIFY(QFile::link(folder.dir.path(), link));
    folder.dialogs.answers << (throughLink ? link + "/a.sor" : folder.Path("a.sor"));
    folder.Select({ 0 });

    CBoxAnswerer answerer;
    folder.list->OnCopySelectedFiles();
    QCOMPARE(folder.dialogs.asked[0].start, folder.Path("a.sor"));
    QCOMPARE(answerer.Count(), 1);
    QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Copying file a.sor  issue"));
    QCOMPARE(answerer.Seen()[0].text, QStringLiteral("Cannot copy a file to itself"));
    QCOMPARE(ReadFile(folder.Path("a.sor")), original);
    QVERIFY(file->IsModified());
    QCOMPARE(folder.list->count(), 1);
}

void TstFileOperations::copyOneFile()
{
    tListFolder folder({ "a.sor", "b.sor" });
    const QByteArray original = ReadFile(folder.Path("a.sor"));
    const QSharedPointer<sor::CFile> file = folder.Change("a.sor");
    folder.Select({ 0 });

    // Into another folder: the copy holds the changes, the document stays
    // where and as it was, and nothing is listed.
    QTemporaryDir other;
    folder.dialogs.answers << other.filePath("copy.sor");
    folder.list->OnCopySelectedFiles();
    QCOMPARE(ReadFile(other.filePath("copy.sor")), file->Image());
    QCOMPARE(file->Path(), folder.Path("a.sor"));
    QVERIFY(file->IsModified());
    QCOMPARE(ReadFile(folder.Path("a.sor")), original);
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "b.sor" }));

    // Into the working folder: the copy is listed.
    folder.dialogs.answers << folder.Path("c.sor");
    folder.list->OnCopySelectedFiles();
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "b.sor", "c.sor" }));
    QVERIFY(!folder.File("c.sor")->IsModified());

    // Over a listed file with unsaved changes: asked first, Cancel copies
    // nothing. Discard lets the copy replace it: its row now holds the new
    // file, so its old document cannot be saved over the copy.
    folder.Change("b.sor");
    {
        CBoxAnswerer replacing({ "Cancel", "Discard" });
        for (int i = 0; i < 2; ++i) {
            QVERIFY(folder.File("b.sor")->IsModified());
            folder.Select({ 0 });
            folder.dialogs.answers << folder.Path("b.sor");
            folder.list->OnCopySelectedFiles();
        }
        QCOMPARE(replacing.Count(), 2);
        QStringList buttons = replacing.Seen()[0].buttons;
        buttons.sort();
        QCOMPARE(buttons, QStringList({ "Cancel", "Discard", "Save" }));
    }
    QCOMPARE(folder.list->count(), 3);
    QCOMPARE(folder.File("b.sor")->GeneralParameters().cableId, QStringLiteral("changed a.sor"));

    // A place that cannot be written: a file stands where the folder would be.
    folder.Select({ 0 });
    WriteFile(other.filePath("plain"), "x");
    folder.dialogs.answers << other.filePath("plain/d.sor");
    CBoxAnswerer answerer({ "Retry", "Cancel" });
    folder.list->OnCopySelectedFiles();
    QCOMPARE(answerer.Count(), 2);
    QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Cannot copy \"a.sor\""));
    QVERIFY(!answerer.Seen()[0].buttons.contains("Ignore"));

    // A cancelled dialog copies nothing.
    const QStringList before = folder.OnDisk();
    folder.list->OnCopySelectedFiles();
    QCOMPARE(folder.OnDisk(), before);
}

void TstFileOperations::copySelectedIntoWorkingFolder()
{
    tListFolder folder({ "a.sor", "b.sor", "c.sor" });
    folder.Change("b.sor");
    // Another folder becomes the working folder; the rows of the first stay.
    QTemporaryDir second;
    WriteFile(second.filePath("x.sor"), StandardFile());
    folder.list->SetDir(second.path());
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "b.sor", "c.sor", "x.sor" }));

    folder.Select({ 0, 1, 2 });
    folder.dialogs.answers << second.path();
    folder.list->OnCopySelectedFiles();
    QCOMPARE(folder.dialogs.asked[0].kind, QStringLiteral("folder"));

    // Each copy is listed by its name, after the original.
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "a.sor", "b.sor", "b.sor", "c.sor", "c.sor", "x.sor" }));
    const QString secondPath = QDir(second.path()).canonicalPath();
    for (int row = 1; row < 7; row += 2) {
        const QSharedPointer<sor::CFile> copy = folder.list->GetFile(row);
        QCOMPARE(QFileInfo(copy->Path()).path(), secondPath);
        QCOMPARE(ReadFile(copy->Path()), folder.list->GetFile(row - 1)->Image());
    }
    QVERIFY(folder.list->GetFile(2)->IsModified());
    QCOMPARE(folder.list->GetFile(3)->GeneralParameters().cableId, QStringLiteral("changed b.sor"));
}

void TstFileOperations::addCopy()
{
    tListFolder folder({ "a.sor" });
    const QByteArray listed = ReadFile(folder.Path("a.sor"));
    QTemporaryDir other;
    // A valid trace that differs from the listed one.
    quint32 warnings = 0;
    sor::CFile changed(folder.Path("a.sor"), warnings);
    changed.GeneralParameters().cableId = QStringLiteral("other");
    const QByteArray different = changed.Image();
    QVERIFY(different != listed);
    WriteFile(other.filePath("a.sor"), different);
    WriteFile(other.filePath("n.sor"), different);

    // A name already listed is refused before anything is copied.
    folder.dialogs.answers << other.filePath("a.sor");
    {
        CBoxAnswerer answerer;
        folder.list->OnAddFile();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Adding file a.sor issue"));
        QCOMPARE(answerer.Seen()[0].text, QStringLiteral("File \"a.sor\" already exists."));
    }
    QCOMPARE(folder.dialogs.asked[0].start, QDir::currentPath());
    QCOMPARE(ReadFile(folder.Path("a.sor")), listed);
    QCOMPARE(folder.OnDisk(), QStringList({ "a.sor" }));

    // A new name is copied byte for byte and listed.
    folder.dialogs.answers << other.filePath("n.sor");
    folder.list->OnAddFile();
    QCOMPARE(ReadFile(folder.Path("n.sor")), different);
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "n.sor" }));

    // An unlisted file of that name in the working folder is not overwritten.
    WriteFile(folder.Path("z.sor"), "keep");
    WriteFile(other.filePath("z.sor"), different);
    folder.dialogs.answers << other.filePath("z.sor");
    {
        CBoxAnswerer answerer({ "Retry", "Cancel" });
        folder.list->OnAddFile();
        QCOMPARE(answerer.Count(), 2);
        QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Cannot add \"z.sor\""));
    }
    QCOMPARE(ReadFile(folder.Path("z.sor")), QByteArray("keep"));
    QCOMPARE(folder.list->count(), 2);
}

void TstFileOperations::deleteToTrash()
{
    tListFolder folder({ "a.sor", "b.sor", "c.sor", "d.sor" });
    const QByteArray original = ReadFile(folder.Path("a.sor"));
    folder.Change("a.sor");
    folder.Select({ 0 });

    // The Delete key asks; Yes is the only question, the unsaved changes go.
    CSavePromptAnswerer prompt(QStringLiteral("Save selected"));
    {
        CBoxAnswerer answerer({ "Yes" });
        QTest::keyClick(folder.list, Qt::Key_Delete);
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Delete file \"a.sor\""));
        QCOMPARE(answerer.Seen()[0].text,
            QStringLiteral("This operation will delete file \"%1\" to Windows trash.\nAre you sure?")
                .arg(QDir::toNativeSeparators(folder.Path("a.sor"))));
        QVERIFY(answerer.Seen()[0].buttons.contains("Yes"));
        QVERIFY(answerer.Seen()[0].buttons.contains("No"));
    }
    QVERIFY(prompt.shown.isEmpty());
    QCOMPARE(folder.Names(), QStringList({ "b.sor", "c.sor", "d.sor" }));
    QVERIFY(!QFileInfo::exists(folder.Path("a.sor")));
    QCOMPARE(ReadFile(TrashFile("a.sor")), original);

    // Several files: one question naming the count.
    folder.Select({ 0, 2 });
    {
        CBoxAnswerer answerer({ "Yes" });
        folder.list->OnDeleteSelectedFiles();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Delete files"));
        QCOMPARE(answerer.Seen()[0].text,
            QStringLiteral("This operation will delete 2 selected files to Windows trash.\nAre you sure?"));
    }
    QCOMPARE(folder.Names(), QStringList({ "c.sor" }));
    QVERIFY(QFileInfo::exists(TrashFile("b.sor")));
    QVERIFY(QFileInfo::exists(TrashFile("d.sor")));
    QCOMPARE(folder.OnDisk(), QStringList({ "c.sor" }));

    // A listed file that is gone already only loses its row.
    QVERIFY(QFile::remove(folder.Path("c.sor")));
    folder.Select({ 0 });
    CBoxAnswerer answerer({ "Yes" });
    folder.list->OnDeleteSelectedFiles();
    QCOMPARE(folder.list->count(), 0);
}

void TstFileOperations::deleteWithoutTrashKeepsFile()
{
    tListFolder folder({ "a.sor", "b.sor" });
    folder.list->SetNeedAckFileDeletion([] { return false; });
    const QSharedPointer<sor::CFile> file = folder.Change("a.sor");
    // No trash can be made: the per-user data folder does not exist.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath("missing")));

    folder.Select({ 0 });
    {
        CBoxAnswerer answerer({ "Cancel" });
        folder.list->OnDeleteSelectedFiles();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Cannot delete \"a.sor\""));
        QCOMPARE(answerer.Seen()[0].text,
            QStringLiteral("File \"%1\" cannot be moved to the trash, so it was not deleted.")
                .arg(QDir::toNativeSeparators(folder.Path("a.sor"))));
    }
    QCOMPARE(folder.OnDisk(), QStringList({ "a.sor", "b.sor" }));
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "b.sor" }));
    QVERIFY(file->IsModified());

    // Several files: "Ignore all" keeps them all without asking again.
    folder.Select({ 0, 1 });
    {
        CBoxAnswerer answerer({ "Ignore all" });
        folder.list->OnDeleteSelectedFiles();
        QCOMPARE(answerer.Count(), 1);
    }
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "b.sor" }));
    QCOMPARE(folder.OnDisk(), QStringList({ "a.sor", "b.sor" }));
}

void TstFileOperations::changeFolder()
{
    tListFolder folder({ "a.sor", "b.sor" });
    const QString first = QDir::currentPath();
    const QByteArray original = ReadFile(folder.Path("a.sor"));
    folder.Change("a.sor");
    QTemporaryDir second;
    WriteFile(second.filePath("x.sor"), StandardFile());

    // Cancelling the save prompt keeps the folder and every row.
    {
        CSavePromptAnswerer prompt(QStringLiteral("Cancel"));
        folder.dialogs.answers << second.path();
        folder.list->OnOpenDir();
        QCOMPARE(prompt.shown, QList<QStringList>({ { "a.sor" } }));
        QCOMPARE(prompt.title, QStringLiteral("Saving modified files"));
    }
    QCOMPARE(folder.dialogs.asked.back().start, first);
    QCOMPARE(QDir::currentPath(), first);
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "b.sor" }));
    QVERIFY(folder.File("a.sor")->IsModified());

    // A folder that cannot be entered: after Cancel the old folder is listed
    // again.
    WriteFile(second.filePath("plain"), "x");
    {
        CSavePromptAnswerer prompt(QStringLiteral("Close without saving"));
        CBoxAnswerer answerer({ "Cancel" });
        folder.dialogs.answers << second.filePath("plain");
        folder.list->OnOpenDir();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Cannot open the folder"));
        QCOMPARE(answerer.Seen()[0].text,
            QStringLiteral("Cannot select directory \"%1\"").arg(QDir::toNativeSeparators(second.filePath("plain"))));
    }
    QCOMPARE(QDir::currentPath(), first);
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "b.sor" }));
    QCOMPARE(ReadFile(folder.Path("a.sor")), original);

    // Without modified files there is no prompt; the new folder's files
    // replace the rows.
    folder.dialogs.answers << second.path();
    folder.list->OnOpenDir();
    QCOMPARE(QDir::current().canonicalPath(), QDir(second.path()).canonicalPath());
    QCOMPARE(folder.Names(), QStringList({ "x.sor" }));
}

void TstFileOperations::closeAllSavesSelected()
{
    tListFolder folder({ "a.sor", "b.sor", "c.sor" });
    const QByteArray original = ReadFile(folder.Path("b.sor"));
    const QSharedPointer<sor::CFile> a = folder.Change("a.sor");
    folder.Change("b.sor");

    // Only the given paths close; b is deselected and loses its changes.
    {
        CSavePromptAnswerer prompt(QStringLiteral("Save selected"), { 1 });
        QVERIFY(folder.list->CloseAll({ folder.Path("a.sor"), folder.Path("b.sor") }));
        QCOMPARE(prompt.shown, QList<QStringList>({ { "a.sor", "b.sor" } }));
    }
    QCOMPARE(folder.Names(), QStringList({ "c.sor" }));
    QCOMPARE(ReadFile(folder.Path("a.sor")), a->Image());
    QVERIFY(!a->IsModified());
    QCOMPARE(ReadFile(folder.Path("b.sor")), original);

    // A save that fails and is ignored keeps the row with its changes: the
    // close does not happen, and a box says so.
    folder.Change("c.sor");
    QVERIFY(QFile::remove(folder.Path("c.sor")));
    QVERIFY(QDir().mkdir(folder.Path("c.sor")));
    CSavePromptAnswerer prompt(QStringLiteral("Save selected"));
    CBoxAnswerer answerer({ "Ignore", "Ok" });
    QVERIFY(!folder.list->CloseAll({}));
    QCOMPARE(folder.Names(), QStringList({ "c.sor" }));
    QVERIFY(folder.File("c.sor")->IsModified());
    QCOMPARE(answerer.Count(), 2);
    QCOMPARE(answerer.Seen()[1].title, QStringLiteral("Closing files"));

    // Nothing modified: no prompt, every row closes.
    folder.File("c.sor")->SetModified(false);
    QVERIFY(folder.list->CloseAll({}));
    QCOMPARE(prompt.shown.size(), 1);
    QCOMPARE(folder.list->count(), 0);
}

QTEST_MAIN(TstFileOperations)
#include "tst_fileoperations.moc"
