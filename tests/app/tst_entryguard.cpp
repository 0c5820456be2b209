#include "CBoxAnswerer.h"
#include "TestPaths.h"
#include "tListFolder.h"
#include "tPrivateStore.h"

#include <CApplicationStart.h>
#include <CDocumentHistory.h>
#include <CEventList.h>
#include <CFileInfo.h>
#include <CFileListWatcher.h>
#include <CSnapshotCommand.h>
#include <Exception.h>
#include <IFileList.h>
#include <MainWindow.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>

namespace {

// Answers the information dialog once it is open: OK, with `comment` typed
// into the comment first when it is not null; Cancel when it is still open.
struct tInfoAnswerer
{
    explicit tInfoAnswerer(const QString& comment = QString())
    {
        timer.callOnTimeout([this, comment] {
            if (auto* dialog = qobject_cast<CFileInfo*>(QApplication::activeModalWidget())) {
                if (!comment.isNull())
                    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("CMT")), comment);
                const auto button = nPresses++ == 0 ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel;
                dialog->findChild<QDialogButtonBox*>()->button(button)->click();
            }
        });
        timer.start(20);
    }
    int nPresses = 0;
    QTimer timer;
};

// What a look at a document shows, without writing its image.
QString Look(const sor::CFile& file)
{
    QStringList look { file.GeneralParameters().comment.Text(), QString::number(file.KeyEvents().size()),
        QString::number(file.IsModified()) };
    for (const sor::tKeyEvent& event : file.KeyEvents())
        look << event.time.ToString();
    return look.join(QLatin1Char('|'));
}

// A shown main window over a folder holding `file` as "a.sor"; load
// warnings are ignored.
std::unique_ptr<MainWindow> Window(const QTemporaryDir& dir, const QByteArray& file)
{
    WriteFile(dir.filePath(QStringLiteral("a.sor")), file);
    CBoxAnswerer loadWarnings({ "Ignore" });
    auto window = std::make_unique<MainWindow>(dir.path());
    window->show();
    window->FileList()->setCurrentRow(0);
    return window;
}

// A file list whose reload fails as a document that cannot be read would.
class tFailingList : public IFileList
{
public:
    QSharedPointer<sor::CFile> GetFile(int row) const override { return row == 0 ? file : nullptr; }
    int GetCount() const override { return 1; }
    void ReloadFile(int) override { throw EInternalError(Exception::ModuleBlocks, __LINE__); }
    bool CloseFile(int) override { return false; }
    void Rescan() override { }
    QSharedPointer<sor::CFile> file;
};

} // namespace

// Whatever a document throws, no failure leaves the event loop: each entry
// reports it in a box and leaves the document as it was.
class TstEntryGuard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_store.IsValid());
        CApplicationStart::SetIdentity();
    }

    void fileInformationOkChangesNothing_data()
    {
        if (!TestPaths::AddSharedFileRows(QStringLiteral("v2")))
            QSKIP("no shared v2 instrument files here");
    }

    // Every real later-layout file: OK with nothing edited changes nothing.
    void fileInformationOkChangesNothing()
    {
        QFETCH(QString, path);
        QTemporaryDir dir;
        const std::unique_ptr<MainWindow> window = Window(dir, ReadFile(path));
        QCOMPARE(window->FileList()->count(), 1);
        CBoxAnswerer boxes;
        tInfoAnswerer info;
        window->findChild<QAction*>(QStringLiteral("actionInformation"))->trigger();
        QCOMPARE(info.nPresses, 1);
        QCOMPARE(boxes.Count(), 0);
        QVERIFY(window->isVisible());
        // Unedited, the trace is written back as the file it came from.
        QVERIFY(!window->FileList()->GetFile(0)->IsModified());
        QCOMPARE(window->FileList()->GetFile(0)->Image(), ReadFile(path));
    }

    void failingDocument_data()
    {
        QTest::addColumn<QString>("entry");
        for (const char* entry : { "file information", "delete event", "undo" })
            QTest::newRow(entry) << QString::fromLatin1(entry);
    }

    // A document whose image cannot be written (a condition index no table
    // holds) or a history step that cannot be put back.
    void failingDocument()
    {
        QFETCH(QString, entry);
        QTemporaryDir dir;
        const std::unique_ptr<MainWindow> owner = Window(dir, SorBuilder::StandardFile());
        MainWindow& window = *owner;
        const QSharedPointer<sor::CFile> file = window.FileList()->GetFile(0);
        QUndoStack* stack = window.FileList()->UndoStack(file);
        if (entry == QLatin1String("undo"))
            stack->push(new CSnapshotCommand(qobject_cast<CDocumentHistory*>(stack->parent()), "garbage",
                file->Image(), QStringLiteral("step")));
        else
            file->GeneralParameters().currentDataFlag = 1000;
        const QString before = Look(*file);

        CBoxAnswerer boxes;
        tInfoAnswerer info(QStringLiteral("edited"));
        if (entry == QLatin1String("file information")) {
            window.findChild<QAction*>(QStringLiteral("actionInformation"))->trigger();
            QCOMPARE(info.nPresses, 2); // OK failed and kept the dialog open
        } else if (entry == QLatin1String("delete event")) {
            window.Events()->setCurrentCell(0, 0);
            window.Events()->OnDeleteEvent();
        } else {
            window.findChild<QAction*>(QStringLiteral("actionUndo"))->trigger();
            QCOMPARE(stack->count(), 0);
        }
        QCOMPARE(boxes.Count(), 1);
        QCOMPARE(boxes.Seen().front().title, QStringLiteral("Operation failed"));
        QCOMPARE(Look(*file), before);
        QVERIFY(window.isVisible());
    }

    // The watcher's handlers: a reload that throws is reported, and the
    // questions go on.
    void failingReloadInTheWatcher()
    {
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).canonicalPath() + QStringLiteral("/a.sor");
        WriteFile(path, SorBuilder::StandardFile());
        QWidget parent;
        tFailingList list;
        quint32 warnings = 0;
        list.file = QSharedPointer<sor::CFile>::create(path, warnings);
        const QString before = Look(*list.file);
        CFileListWatcher watcher(&list, &parent);
        watcher.WatchFile(path);
        CBoxAnswerer boxes({ "Yes" });
        WriteFile(path, SorBuilder::TimedFile(7));
        QTRY_COMPARE_WITH_TIMEOUT(boxes.Count(), 2, 30000);
        QCOMPARE(boxes.Seen()[1].title, QStringLiteral("Operation failed"));
        QCOMPARE(Look(*list.file), before);
    }

    // A file another program deleted, kept by the user: no undo clears its
    // modified mark, so closing still offers to save the trace.
    void goneFileStaysModified()
    {
        QTemporaryDir dir;
        const std::unique_ptr<MainWindow> owner = Window(dir, SorBuilder::StandardFile());
        MainWindow& window = *owner;
        const QSharedPointer<sor::CFile> file = window.FileList()->GetFile(0);
        CBoxAnswerer boxes({ "No" });
        QVERIFY(QFile::remove(file->Path()));
        QTRY_COMPARE_WITH_TIMEOUT(boxes.Count(), 1, 30000);
        QVERIFY(file->IsModified());
        window.Events()->setCurrentCell(0, 0);
        window.Events()->OnDeleteEvent();
        QCOMPARE(file->KeyEvents().size(), size_t(0));
        window.findChild<QAction*>(QStringLiteral("actionUndo"))->trigger();
        QCOMPARE(file->KeyEvents().size(), size_t(1));
        QVERIFY(file->IsModified());
    }

private:
    tPrivateStore m_store;
};

QTEST_MAIN(TstEntryGuard)
#include "tst_entryguard.moc"
