#include "CBoxAnswerer.h"
#include "CFileList.h"
#include "tListFolder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using SorBuilder::TimedFile;
using L = QStringList;

constexpr int kWait = 30000;

// A shown file list over the folder "work" of `names` (600-point traces),
// beside "src" with 200 other traces for other programs to copy in. Boxes
// are answered in turn by `answers`.
struct tFolder
{
    explicit tFolder(const QStringList& names, const QStringList& answers) : answerer(answers)
    {
        QDir(dir.path()).mkpath(QStringLiteral("work"));
        QDir(dir.path()).mkpath(QStringLiteral("src"));
        for (int i = 0; i < names.size(); ++i)
            WriteFile(Path(names[i]), TimedFile(1600000000 + i));
        for (int i = 0; i < 200; ++i)
            WriteFile(
                dir.path() + QStringLiteral("/src/t%1.sor").arg(i, 3, 10, QLatin1Char('0')), TimedFile(1700000000 + i));
        window.show();
        list->SetDir(Path({}));
    }
    ~tFolder()
    {
        for (QProcess* process : window.findChildren<QProcess*>())
            process->waitForFinished();
    }

    QString Path(const QString& name) const
    {
        return QDir(dir.path()).canonicalPath() + QStringLiteral("/work/") + name;
    }
    // Another program, working in the folder while the list runs.
    void Shell(const QString& command)
    {
        auto* const process = new QProcess(&window);
        process->setWorkingDirectory(Path({}));
        process->start(QStringLiteral("sh"), { QStringLiteral("-c"), command });
    }
    QStringList Names() const
    {
        QStringList names;
        for (int row = 0; row < list->count(); ++row)
            names << QFileInfo(list->GetFile(row)->Path()).fileName();
        return names;
    }
    QSharedPointer<sor::CFile> File(const QString& name) const { return list->GetFile(Names().indexOf(name)); }
    void Change(const QString& name) const
    {
        File(name)->GeneralParameters().cableId = QStringLiteral("edited");
        File(name)->SetModified(true);
    }
    // A file another program adds now is asked about (answer it No) only
    // after every question queued before.
    void Barrier()
    {
        const int before = answerer.Count();
        Shell(QStringLiteral("cp ../src/t199.sor barrier%1.sor").arg(before));
        QTRY_COMPARE_WITH_TIMEOUT(answerer.Count(), before + 1, kWait);
        QVERIFY(answerer.Seen().back().text.contains(QStringLiteral("New files appeared")));
    }

    QTemporaryDir dir;
    CBoxAnswerer answerer;
    QWidget window;
    CFileList* list = new CFileList(&window);
};

} // namespace

// What other programs do to the working folder reaches the list through
// questions; the program's own writes never raise one.
class TestFileListWatcher : public QObject
{
    Q_OBJECT

private slots:
    void addedFiles_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("command");
        QTest::newRow("two, taken") << L { "Yes", "No" } << 3 << "cp ../src/t000.sor ../src/t001.sor .";
        QTest::newRow("two, refused") << L { "No", "No" } << 1 << "cp ../src/t000.sor ../src/t001.sor .";
        QTest::newRow("200 in one go") << L { "Yes", "No" } << 201 << "cp ../src/*.sor .";
        QTest::newRow("three slow chunks") << L { "Yes", "No" } << 2
                                           << "dd if=../slow bs=800 count=1 > s.sor; sleep 0.2; "
                                              "dd if=../slow bs=800 skip=1 count=1 >> s.sor; sleep 0.2; "
                                              "dd if=../slow bs=800 skip=2 >> s.sor";
    }

    void addedFiles()
    {
        QFETCH(QStringList, answers);
        QFETCH(int, rows);
        QFETCH(QString, command);
        tFolder folder({ "x.sor" }, answers);
        WriteFile(folder.dir.path() + QStringLiteral("/slow"), TimedFile(1, 900));

        folder.Shell(command);
        QTRY_COMPARE_WITH_TIMEOUT(folder.answerer.Count(), 1, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(folder.list->count(), rows, kWait);
        folder.Barrier();
        QCOMPARE(folder.answerer.Count(), 2);
        QCOMPARE(folder.list->count(), rows);
        if (QTest::currentDataTag() == QByteArray("three slow chunks"))
            QCOMPARE(folder.File("s.sor")->PointCount(), 900);
    }

    void removedFiles_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("one, kept") << "rm a.sor" << L { "No" } << L { "a.sor", "b.sor", "c.sor" };
        QTest::newRow("three, No to All")
            << "rm a.sor b.sor c.sor" << L { "No to All" } << L { "a.sor", "b.sor", "c.sor" };
        QTest::newRow("three, each removed") << "rm a.sor b.sor c.sor" << L { "Yes", "Yes", "Yes" } << L {};
    }

    void removedFiles()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, kept);
        tFolder folder({ "a.sor", "b.sor", "c.sor" }, answers + L { "No" });
        folder.Shell(command);
        QTRY_COMPARE_WITH_TIMEOUT(folder.answerer.Count(), answers.size(), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(folder.Names(), kept, kWait);
        folder.Barrier();
        QCOMPARE(folder.answerer.Count(), answers.size() + 1);
        // The gone file was marked modified before its question, so that Save
        // can still write it back; the question speaks of lost changes only
        // where the user made some, and Enter keeps the row then.
        const CBoxAnswerer::tSeen& seen = folder.answerer.Seen().front();
        QVERIFY(seen.text.startsWith(QDir::toNativeSeparators(folder.Path("a.sor"))));
        QVERIFY(!seen.text.contains("lose the changes"));
        QCOMPARE(seen.defaultButton, QString("Yes"));
        for (const QString& name : kept)
            QCOMPARE(folder.File(name)->IsModified(), !QFileInfo::exists(folder.Path(name)));
    }

    void modifiedFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("points");
        QTest::newRow("another trace") << TimedFile(7, 900) << L { "No", "Yes" } << 900;
        // The listed trace and its changes stay, and a box says why.
        QTest::newRow("not a trace any more") << QByteArray("garbage") << L { "No", "Yes", "Ok" } << 600;
        // A checksum of no known convention is not asked about.
        QTest::newRow("checksum of no convention")
            << SorBuilder::Assemble(SorBuilder::StandardBlocks(), SorBuilder::WrongChecksum) << L { "No", "Yes" } << 8;
    }

    void modifiedFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, answers);
        QFETCH(int, points);
        tFolder folder({ "a.sor" }, answers);
        // The program's own save replaces the file and asks nothing; the new
        // file is watched in turn.
        folder.Change("a.sor");
        folder.list->OnSaveFile();
        folder.Barrier();
        QCOMPARE(folder.answerer.Count(), 1);
        folder.Change("a.sor");
        WriteFile(folder.dir.path() + QStringLiteral("/new"), content);
        folder.Shell(QStringLiteral("cp ../new a.sor"));

        QTRY_COMPARE_WITH_TIMEOUT(folder.answerer.Count(), answers.size(), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(folder.File("a.sor")->PointCount(), points, kWait);
        QVERIFY(folder.answerer.Seen()[1].text.contains("modified outside of program.\n Do you"));
        // Enter keeps the edits.
        QCOMPARE(folder.answerer.Seen()[1].defaultButton, QString("No"));
        QCOMPARE(folder.File("a.sor")->IsModified(), points == 600);
        QCOMPARE(folder.list->currentRow(), 0);
    }

    void ownChangesAskNothing()
    {
        tFolder folder({ "a.sor", "b.sor" }, { "No", "Yes", "No" });
        folder.Change("a.sor");
        folder.Change("b.sor");
        folder.list->OnSaveAll();
        folder.Change("a.sor");
        folder.list->setCurrentRow(0);
        folder.list->OnSaveFile();
        QVERIFY(folder.list->Rename(folder.File("b.sor"), "r"));
        folder.list->AddLoadedFiles(
            { { folder.Path("d.sor"), TimedFile(5) }, { folder.Path("a.sor"), TimedFile(6, 700) } });
        QVERIFY(folder.list->count() == 3 && folder.File("d.sor") && folder.File("r.sor"));
        folder.Barrier();
        QCOMPARE(folder.answerer.Count(), 1);

        // A row the user closes before its question is not asked about.
        folder.Shell(QStringLiteral("rm r.sor"));
        QTRY_VERIFY_WITH_TIMEOUT(folder.File("r.sor")->IsModified(), kWait);
        QVERIFY(folder.list->CloseRow(folder.Names().indexOf("r.sor"), false, nullptr));

        // Saved after the download, then removed by another program.
        folder.Change("a.sor");
        folder.list->setCurrentRow(folder.Names().indexOf("a.sor"));
        folder.list->OnSaveFile();
        folder.Shell(QStringLiteral("rm a.sor"));
        QTRY_COMPARE_WITH_TIMEOUT(folder.Names(), L { "d.sor" }, kWait);
        folder.Barrier();
        QCOMPARE(folder.answerer.Count(), 3);
        QVERIFY(folder.answerer.Seen()[1].text.startsWith(QDir::toNativeSeparators(folder.Path("a.sor"))));
    }
};

QTEST_MAIN(TestFileListWatcher)
#include "tst_filelistwatcher.moc"
