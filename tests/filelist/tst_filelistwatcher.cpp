#include "CBoxAnswerer.h"
#include "CFileList.h"
#include "SorBuilder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using SorBuilder::TimedFile;

constexpr int kWait = 30000;

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A shown file list over the folder "work" of `names` (600-point traces),
// beside "src" with 200 other traces that other programs copy in. Boxes are
// answered in turn by `answers`.
struct tFolder
{
    explicit tFolder(const QStringList& names, const QStringList& answers) : answerer(answers)
    {
        QDir(dir.path()).mkpath(QStringLiteral("work"));
        QDir(dir.path()).mkpath(QStringLiteral("src"));
        for (int i = 0; i < names.size(); ++i)
            Write(Path(names[i]), TimedFile(1600000000 + i));
        for (int i = 0; i < 200; ++i)
            Write(dir.path() + QStringLiteral("/src/t%1.sor").arg(i, 3, 10, QLatin1Char('0')), TimedFile(1700000000 + i));
        window.resize(300, 500);
        window.show();
        list->SetDir(Path({}));
    }
    ~tFolder()
    {
        for (QProcess* process : window.findChildren<QProcess*>())
            process->waitForFinished();
    }

    QString Path(const QString& name) const { return QDir(dir.path()).canonicalPath() + QStringLiteral("/work/") + name; }
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
    QSharedPointer<sor::CFile> Change(const QString& name) const
    {
        const QSharedPointer<sor::CFile> file = File(name);
        file->GeneralParameters().cableId = QStringLiteral("edited");
        file->SetModified(true);
        return file;
    }
    // A file another program adds now gets its question (to be answered No)
    // only after every question queued before it.
    void Barrier()
    {
        const int before = answerer.Count();
        Shell(QStringLiteral("cp ../src/t199.sor barrier%1.sor").arg(before));
        QTRY_COMPARE_WITH_TIMEOUT(answerer.Count(), before + 1, kWait);
        QVERIFY(answerer.Seen().back().text.contains(QStringLiteral("was added")));
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
    void addedFiles_data();
    void addedFiles();
    void removedFiles_data();
    void removedFiles();
    void modifiedFile_data();
    void modifiedFile();
    void ownChangesAskNothing();
};

void TestFileListWatcher::addedFiles_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("rows");
    QTest::newRow("two, taken") << "cp ../src/t000.sor ../src/t001.sor ." << "Yes" << 3;
    QTest::newRow("two, refused") << "cp ../src/t000.sor ../src/t001.sor ." << "No" << 1;
    QTest::newRow("200 in one go") << "cp ../src/*.sor ." << "Yes" << 201;
    QTest::newRow("three slow chunks")
        << "cat ../c1 > s.sor; sleep 0.2; cat ../c2 >> s.sor; sleep 0.2; cat ../c3 >> s.sor" << "Yes" << 2;
}

void TestFileListWatcher::addedFiles()
{
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(int, rows);
    tFolder folder({ QStringLiteral("x.sor") }, { answer, QStringLiteral("No") });
    const QByteArray slow = TimedFile(1, 900);
    for (int chunk = 0; chunk < 3; ++chunk) {
        const qsizetype from = chunk * slow.size() / 3;
        Write(folder.dir.path() + QStringLiteral("/c%1").arg(chunk + 1), slow.mid(from, (chunk + 1) * slow.size() / 3 - from));
    }

    folder.Shell(command);
    QTRY_COMPARE_WITH_TIMEOUT(folder.answerer.Count(), 1, kWait);
    QTRY_COMPARE_WITH_TIMEOUT(folder.list->count(), rows, kWait);
    folder.Barrier();
    QCOMPARE(folder.answerer.Count(), 2);
    QCOMPARE(folder.list->count(), rows);
    if (QTest::currentDataTag() == QByteArray("three slow chunks"))
        QCOMPARE(folder.File(QStringLiteral("s.sor"))->PointCount(), 900);
}

void TestFileListWatcher::removedFiles_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("one, removed") << "rm a.sor" << QStringList { "Yes" } << QStringList { "b.sor", "c.sor" };
    QTest::newRow("one, kept") << "rm a.sor" << QStringList { "No" } << QStringList { "a.sor", "b.sor", "c.sor" };
    QTest::newRow("three, No to All") << "rm a.sor b.sor c.sor" << QStringList { "No to All" }
                                      << QStringList { "a.sor", "b.sor", "c.sor" };
    QTest::newRow("three, each removed") << "rm a.sor b.sor c.sor" << QStringList { "Yes", "Yes", "Yes" }
                                         << QStringList {};
}

void TestFileListWatcher::removedFiles()
{
    QFETCH(QString, command);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, kept);
    tFolder folder({ QStringLiteral("a.sor"), QStringLiteral("b.sor"), QStringLiteral("c.sor") },
        answers + QStringList { QStringLiteral("No") });
    folder.Shell(command);
    QTRY_COMPARE_WITH_TIMEOUT(folder.answerer.Count(), answers.size(), kWait);
    QTRY_COMPARE_WITH_TIMEOUT(folder.Names(), kept, kWait);
    folder.Barrier();
    QCOMPARE(folder.answerer.Count(), answers.size() + 1);
    // The gone file was marked modified before it was asked about, so that
    // Save can still write it back.
    QVERIFY(folder.answerer.Seen().front().text.startsWith(QDir::toNativeSeparators(folder.Path("a.sor"))));
    QVERIFY(folder.answerer.Seen().front().text.contains(QStringLiteral("lose the changes")));
    for (const QString& name : kept)
        QCOMPARE(folder.File(name)->IsModified(), !QFileInfo::exists(folder.Path(name)));
}

void TestFileListWatcher::modifiedFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("points");
    QTest::newRow("another trace") << TimedFile(7, 900) << QStringList { "No", "Yes" } << 900;
    // The listed trace and its changes stay, and a box says why.
    QTest::newRow("not a trace any more") << QByteArray("garbage") << QStringList { "No", "Yes", "Ok" } << 600;
}

void TestFileListWatcher::modifiedFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, answers);
    QFETCH(int, points);
    tFolder folder({ QStringLiteral("a.sor") }, answers);
    // The program's own save replaces the file, which asks nothing; the new
    // file is watched too.
    folder.Change(QStringLiteral("a.sor"));
    folder.list->OnSaveFile();
    folder.Barrier();
    QCOMPARE(folder.answerer.Count(), 1);
    folder.Change(QStringLiteral("a.sor"));
    Write(folder.dir.path() + QStringLiteral("/new"), content);
    folder.Shell(QStringLiteral("cp ../new a.sor"));

    QTRY_COMPARE_WITH_TIMEOUT(folder.answerer.Count(), answers.size(), kWait);
    QTRY_COMPARE_WITH_TIMEOUT(folder.File(QStringLiteral("a.sor"))->PointCount(), points, kWait);
    QVERIFY(folder.answerer.Seen()[1].text.contains(QStringLiteral("modified outside of program.\n Do you")));
    QCOMPARE(folder.list->count(), 1);
    QCOMPARE(folder.File(QStringLiteral("a.sor"))->IsModified(), points == 600);
    QCOMPARE(folder.list->currentRow(), 0);
}

void TestFileListWatcher::ownChangesAskNothing()
{
    tFolder folder({ QStringLiteral("a.sor"), QStringLiteral("b.sor") }, { "No", "Yes", "No" });
    folder.Change(QStringLiteral("a.sor"));
    folder.Change(QStringLiteral("b.sor"));
    folder.list->OnSaveAll();
    folder.Change(QStringLiteral("a.sor"));
    folder.list->setCurrentRow(0);
    folder.list->OnSaveFile();
    QVERIFY(folder.list->Rename(folder.File(QStringLiteral("b.sor")), QStringLiteral("r")));
    folder.list->AddLoadedFiles({ { folder.Path("d.sor"), TimedFile(5) }, { folder.Path("a.sor"), TimedFile(6, 700) } });
    QStringList names = folder.Names();
    names.sort();
    QCOMPARE(names, QStringList({ "a.sor", "d.sor", "r.sor" }));
    folder.Barrier();
    QCOMPARE(folder.answerer.Count(), 1);

    // A row the user closes before its question is asked is not asked about.
    folder.Shell(QStringLiteral("rm r.sor"));
    QTRY_VERIFY_WITH_TIMEOUT(folder.File(QStringLiteral("r.sor"))->IsModified(), kWait);
    QVERIFY(folder.list->CloseRow(folder.Names().indexOf("r.sor"), false, nullptr));

    // Saved after the download, then removed by another program: the watch
    // follows every file the program writes.
    folder.Change(QStringLiteral("a.sor"));
    folder.list->setCurrentRow(folder.Names().indexOf("a.sor"));
    folder.list->OnSaveFile();
    folder.Shell(QStringLiteral("rm a.sor"));
    QTRY_COMPARE_WITH_TIMEOUT(folder.Names(), QStringList { "d.sor" }, kWait);
    folder.Barrier();
    QCOMPARE(folder.answerer.Count(), 3);
    QVERIFY(folder.answerer.Seen()[1].text.startsWith(QDir::toNativeSeparators(folder.Path("a.sor"))));
}

QTEST_MAIN(TestFileListWatcher)
#include "tst_filelistwatcher.moc"
