#include "CBoxAnswerer.h"
#include "CFileList.h"
#include "ComparePalette.h"
#include "CTraceWindow.h"
#include "SorBuilder.h"
#include "tListFolder.h"

#include <QApplication>
#include <QScopeGuard>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoGroup>

namespace {

using namespace SorBuilder;

QByteArray Truncated()
{
    const QByteArray whole = StandardFile();
    return whole.left(whole.size() / 2);
}

// A trace of `samples` points 2 m apart, long enough to be zoomed.
QByteArray LongTrace(int samples)
{
    tFixed fixed;
    fixed.groupIndex = 149896229;
    fixed.pulses[0].spacing = 1000000000;
    fixed.pulses[0].points = quint32(samples);
    tDataPoints points;
    points.groups[0].samples.assign(size_t(samples), 0);
    for (int i = 0; i < samples; ++i)
        points.groups[0].samples[size_t(i)] = quint16(i * 4);
    return Assemble({ { "GenParams", 100, GeneralBody(), {} }, { "FxdParams", 100, FixedBody(fixed), {} },
        { "DataPts", 100, DataPointsBody(points), {} } });
}

} // namespace

// The working-folder list: listing a folder with its load questions, the
// compare set and its palette slots, the keys and the state signals.
class TstFileList : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void listsFolderOnce();
    void loadWarningsAndErrorsAskNothing();
    void oneUnreadableFileAsks_data();
    void oneUnreadableFileAsks();
    void compareSet();
    void modifiedSignalFollowsTheCurrentFile();
    void closeKeepsTheCurrentFile();
    void viewKeptPerFile();
    void undoRestoresEachEdit_data();
    void undoRestoresEachEdit();
    void addLoadedFiles();
    void tracesOutOfViewLetGo();
};

void TstFileList::cleanup()
{
    // The list makes every listed folder current; the temporary folders go.
    QDir::setCurrent(QDir::tempPath());
}

void TstFileList::listsFolderOnce()
{
    tListFolder folder;
    for (const char* name : { "c.sor", "a.sor", "b.sor" })
        folder.Write(QString::fromLatin1(name), StandardFile());
    folder.Write("notes.txt", "not a trace");
    QVERIFY(QDir(folder.dir.path()).mkdir("d.sor"));

    folder.list->SetDir(folder.dir.path());
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "b.sor", "c.sor" }));
    QCOMPARE(folder.list->currentRow(), 0);
    QCOMPARE(folder.window.windowTitle(),
        QCoreApplication::applicationName() + " - [" + QDir(folder.dir.path()).absolutePath() + "]");

    // The same folder again, also spelled another way: nothing is added.
    folder.list->SetDir(folder.dir.path());
    folder.list->SetDir(folder.Path("d.sor/.."));
    QCOMPARE(folder.list->count(), 3);

    // A new file takes its place by name without becoming current.
    folder.list->setCurrentRow(1);
    folder.Write("0.sor", StandardFile());
    folder.list->Rescan();
    QCOMPARE(folder.Names(), QStringList({ "0.sor", "a.sor", "b.sor", "c.sor" }));
    QCOMPARE(folder.list->currentRow(), 2);
}

// What a load notices about a trace it read whole is shown on the row, not
// asked about; a file that cannot be read stays listed with its reason.
void TstFileList::loadWarningsAndErrorsAskNothing()
{
    tListFolder folder;
    folder.Write("a_wrong.sor", Assemble(StandardBlocks(), WrongChecksum));
    folder.Write("b_missing.sor", Assemble(StandardBlocks(), NoChecksum));
    folder.Write("c_good.sor", StandardFile());
    folder.Write("d_cut.sor", Truncated());

    CBoxAnswerer answerer;
    folder.list->SetDir(folder.dir.path());

    QCOMPARE(answerer.Count(), 0);
    QCOMPARE(folder.list->count(), 4);
    QVERIFY(folder.list->StateText(0).startsWith("The checksum matches none of the conventions"));
    QVERIFY(folder.list->StateText(1).startsWith("The file has no checksum"));
    QCOMPARE(folder.list->StateText(2), QString());
    QVERIFY(!folder.list->GetFile(3));
    QCOMPARE(folder.list->RowPath(3), folder.Path("d_cut.sor"));
    QVERIFY2(folder.list->UnreadableReason(3).startsWith("Format of loaded file is no Bellcore v1.0 format; the block "),
        qPrintable(folder.list->UnreadableReason(3)));
    QVERIFY(folder.list->StateText(3).startsWith("\"d_cut.sor\" cannot be read: "));

    // Listing again reads it again, without a second row; closing every row takes it too.
    folder.list->Rescan();
    QCOMPARE(folder.list->count(), 4);
    QVERIFY(folder.list->CloseAll({}));
    QCOMPARE(folder.list->count(), 0);
}

// One unreadable file: a box that names it, Ignore by default; it is listed.
void TstFileList::oneUnreadableFileAsks_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("goOn");

    QTest::newRow("ignore") << "Ignore" << true;
    QTest::newRow("cancel stops") << "Cancel" << false;
}

void TstFileList::oneUnreadableFileAsks()
{
    QFETCH(QString, answer);
    QFETCH(bool, goOn);

    tListFolder folder;
    folder.Write("cut.sor", Truncated());
    CBoxAnswerer answerer({ answer });
    QCOMPARE(folder.list->AddFile(folder.Path("cut.sor"), nullptr), goOn);
    QCOMPARE(folder.list->count(), 1);
    QCOMPARE(answerer.Count(), 1);
    const CBoxAnswerer::tSeen& seen = answerer.Seen().front();
    QVERIFY(seen.text.startsWith("The file \"cut.sor\" cannot be read."));
    QCOMPARE(seen.defaultButton, QString("Ignore"));
    QVERIFY(!seen.buttons.contains("Ignore all"));
}

void TstFileList::compareSet()
{
    tListFolder folder;
    for (int i = 0; i < 8; ++i)
        folder.Write(QString("f%1.sor").arg(i), StandardFile());
    folder.list->SetDir(folder.dir.path());
    QCOMPARE(folder.list->count(), 8);

    for (int row = 0; row < 7; ++row)
        folder.Toggle(row);
    QCOMPARE(folder.CompareRows(), QList<int>({ 0, 1, 2, 3, 4, 5, 6 }));
    QSet<QRgb> colours;
    for (int row = 0; row < 7; ++row) {
        QCOMPARE(folder.Listed(row)->nSlot, row);
        QCOMPARE(folder.Listed(row)->colour, ComparePalette(row, row == 6));
        colours << ComparePalette(row, false).rgb() << ComparePalette(row, true).rgb();
    }
    // Every member can be told apart, dark or bright.
    QCOMPARE(colours.size(), 14);
    QCOMPARE(folder.list->GraphState().files, &folder.list->CompareSet());
    QCOMPARE(folder.list->GraphState().Active(), folder.list->GetFile(6));

    // The eighth is refused and nothing changes.
    {
        CBoxAnswerer answerer({ "Ok" });
        folder.Toggle(7);
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Seen().front().title, QString("Add to compare"));
        QCOMPARE(answerer.Seen().front().text, QString("Maximum number of files for compare is 7"));
    }
    QCOMPARE(folder.Listed(7)->nSlot, -1);
    QCOMPARE(folder.CompareRows(), QList<int>({ 0, 1, 2, 3, 4, 5, 6 }));

    // A freed slot is the next one taken; the current member is bright and last.
    folder.Toggle(2);
    QCOMPARE(folder.Listed(2)->nSlot, -1);
    QCOMPARE(folder.Listed(2)->colour, QColor(Qt::blue));
    folder.Toggle(7);
    QCOMPARE(folder.Listed(7)->nSlot, 2);
    QCOMPARE(folder.Listed(7)->colour, ComparePalette(2, true));
    QCOMPARE(folder.CompareRows(), QList<int>({ 0, 1, 3, 4, 5, 6, 7 }));

    // Another member becomes current: the others in list order before it.
    folder.list->setCurrentRow(3);
    QCOMPARE(folder.CompareRows(), QList<int>({ 0, 1, 4, 5, 6, 7, 3 }));
    QCOMPARE(folder.Listed(3)->colour, ComparePalette(3, true));
    QCOMPARE(folder.Listed(7)->colour, ComparePalette(2, false));

    // A file outside the set is shown alone, the members all dark.
    folder.list->setCurrentRow(2);
    const tFileSet* shown = folder.list->GraphState().files;
    QVERIFY(shown && shown->size() == 1);
    QCOMPARE(shown->front(), folder.Listed(2));
    QCOMPARE(folder.Listed(3)->colour, ComparePalette(3, false));

    // A double click toggles the row under the pointer into the slot freed last.
    folder.Toggle(3);
    const QRect rect = folder.list->visualItemRect(folder.list->item(2));
    // The first click of the pair comes as a press of its own.
    QTest::mouseClick(folder.list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QTest::mouseDClick(folder.list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QCOMPARE(folder.list->currentRow(), 2);
    QCOMPARE(folder.Listed(2)->nSlot, 3);

    // A removed member frees its slot for the next file.
    folder.list->RemoveRow(0);
    QCOMPARE(int(folder.list->CompareSet().size()), 6);
    folder.Toggle(2);
    QCOMPARE(folder.Listed(2)->nSlot, 0);

    // Escape empties the set: members blue, slots free, the current file alone.
    QSignalSpy checked(folder.list, &CFileList::sigHasChecked);
    QTest::keyClick(folder.list, Qt::Key_Escape);
    QVERIFY(folder.list->CompareSet().empty());
    QCOMPARE(checked.last().at(0).toBool(), false);
    QCOMPARE(folder.Listed(1)->colour, QColor(Qt::blue));
    QCOMPARE(folder.list->GraphState().Active(), folder.list->GetFile(folder.list->currentRow()));
    folder.Toggle(1);
    QCOMPARE(folder.Listed(1)->nSlot, 0);
}

void TstFileList::modifiedSignalFollowsTheCurrentFile()
{
    // The window's enabling follows the list's signals; the Save action
    // speaks for the current file only.
    tListFolder folder({ "a.sor", "b.sor" });
    QSignalSpy changed(folder.list, &CFileList::sigFileChanged);
    const auto modified = [&changed] { return !changed.isEmpty() && changed.last().at(0).toBool(); };
    folder.list->setCurrentRow(0);
    folder.list->GetFile(0)->SetModified(true);
    QVERIFY(modified());
    folder.list->setCurrentRow(1);
    QVERIFY(!modified());
    // A change of another row's document does not speak for the current one.
    folder.list->GetFile(0)->SetModified(true);
    QVERIFY(!modified());
    folder.list->GetFile(1)->SetModified(true);
    QVERIFY(modified());
    folder.list->CloseFile(1);
    QVERIFY(modified());
}

void TstFileList::closeKeepsTheCurrentFile()
{
    tListFolder folder({ "a.sor", "b.sor", "c.sor", "d.sor" });
    folder.list->setCurrentRow(2);

    // Closing a row above the current one keeps the current file shown.
    QVERIFY(folder.list->CloseRow(1, true, nullptr));
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "c.sor", "d.sor" }));
    QCOMPARE(folder.list->currentRow(), 1);
    QCOMPARE(folder.list->GraphState().Active(), folder.list->GetFile(1));

    // Closing the current row makes the next one current.
    QVERIFY(folder.list->CloseFile(1));
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "d.sor" }));
    QCOMPARE(folder.list->currentRow(), 1);
    QCOMPARE(folder.list->GraphState().Active(), folder.list->GetFile(1));

    // Without saving, a modified file goes like any other.
    folder.list->GetFile(0)->SetModified(true);
    QVERIFY(folder.list->CloseFile(0));
    QCOMPARE(folder.Names(), QStringList({ "d.sor" }));
    QCOMPARE(ReadFile(folder.Path("a.sor")), StandardFile());
}

void TstFileList::viewKeptPerFile()
{
    tListFolder folder;
    folder.Write("a.sor", LongTrace(5000));
    folder.Write("b.sor", LongTrace(4000));
    folder.list->SetDir(folder.dir.path());
    tGraphState& geometry = folder.list->GraphState();
    geometry.Resize(QSize(600, 400));

    geometry.xZoom = 4;
    geometry.centre = QPointF(6000.7, 8000.2);
    geometry.Recompute();
    folder.list->setCurrentRow(1);
    QCOMPARE(geometry.xZoom, 1.0f);
    QCOMPARE(folder.Listed(0)->fZoomX, 4.0f);
    QCOMPARE(folder.Listed(0)->nCentreX, 6000);

    folder.list->setCurrentRow(0);
    QCOMPARE(geometry.xZoom, 4.0f);
    QCOMPARE(geometry.centre.x(), 6000.0);
}

void TstFileList::undoRestoresEachEdit_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("add event") << 0;
    QTest::newRow("replace event") << 1;
    QTest::newRow("delete event") << 2;
    QTest::newRow("event comment") << 3;
    QTest::newRow("file information") << 4;
}

void TstFileList::undoRestoresEachEdit()
{
    // Each edit kind is undone and redone to the exact file image and
    // modified mark, per file; saving keeps the history, and undoing back to
    // the saved state clears the mark.
    QFETCH(int, kind);
    tListFolder folder({ "a.sor", "b.sor" });
    QUndoGroup group;
    folder.list->SetUndoGroup(&group);
    folder.list->setCurrentRow(1);
    const QSharedPointer<sor::CFile> file = folder.list->GetFile(1);
    QVERIFY(!file->KeyEvents().empty());
    const QByteArray original = file->Image();

    const auto edit = [&] {
        std::deque<sor::tKeyEvent> events = file->KeyEvents();
        switch (kind) {
        case 0:
            events.push_back(events.front());
            events.back().time = float(events.back().time) + 500;
            file->SetKeyEvents(events);
            break;
        case 1:
            events.front().loss = 0.25f;
            file->SetKeyEvents(events);
            break;
        case 2:
            QVERIFY(file->DeleteKeyEvent(0));
            break;
        case 3:
            QVERIFY(file->SetKeyEventComment(0, QStringLiteral("patched")));
            break;
        default:
            QVERIFY(folder.list->ApplyEdit(
                file, QStringLiteral("Information"), [&] { file->GeneralParameters().comment = QStringLiteral("x"); }));
        }
    };
    edit();
    const QByteArray edited = file->Image();
    QVERIFY(edited != original);
    QVERIFY(file->IsModified());
    QVERIFY(group.canUndo());

    group.undo();
    QCOMPARE(file->Image(), original);
    QVERIFY(!file->IsModified());
    group.redo();
    QCOMPARE(file->Image(), edited);
    QVERIFY(file->IsModified());

    // The other file has a history of its own.
    folder.list->setCurrentRow(0);
    QVERIFY(!group.canUndo());
    folder.list->setCurrentRow(1);

    file->Save();
    QVERIFY(group.canUndo());
    group.undo();
    QCOMPARE(file->Image(), original);
    QVERIFY(file->IsModified());
    group.redo();
    QVERIFY(!file->IsModified());
}

void TstFileList::addLoadedFiles()
{
    tListFolder folder({ "a.sor" });

    // A target that cannot be written is asked about and skipped.
    CBoxAnswerer answerer({ "Ignore" });
    folder.list->AddLoadedFiles({ { folder.Path("x.sor"), StandardFile() },
        { folder.Path("missing/y.sor"), StandardFile() }, { folder.Path("z.sor"), StandardFile() } });
    QCOMPARE(answerer.Count(), 1);
    QCOMPARE(answerer.Seen().front().title, QString("Cannot load \"y.sor\""));
    QCOMPARE(answerer.Seen().front().icon, QMessageBox::Warning);
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "x.sor", "z.sor" }));
    QCOMPARE(folder.list->currentRow(), 1);
    QCOMPARE(folder.list->selectedItems().size(), 1);

    // A download over a listed file replaces its row.
    folder.list->AddLoadedFiles({ { folder.Path("a.sor"), LongTrace(100) } });
    QCOMPARE(folder.Names(), QStringList({ "a.sor", "x.sor", "z.sor" }));
    QCOMPARE(folder.File("a.sor")->PointCount(), 100);
    QCOMPARE(folder.list->selectedItems().size(), 1);
}

// A long folder holds only the traces in use: rows out of view let theirs go,
// the modified and the compared file keep their own through scrolling away
// and back, and a trace read back is its file's, sample for sample.
void TstFileList::tracesOutOfViewLetGo()
{
    const int keepAll = CTraceWindow::KeepAllRows();
    const auto restore = qScopeGuard([keepAll] { CTraceWindow::SetKeepAllRows(keepAll); });
    CTraceWindow::SetKeepAllRows(0);
    tListFolder folder;
    for (int i = 0; i < 40; ++i)
        folder.Write(QStringLiteral("t%1.sor").arg(i, 2, 10, QLatin1Char('0')), LongTrace(100 + i));
    CFileList& list = *folder.list;
    list.SetDir(folder.dir.path());
    QCOMPARE(list.count(), 40);
    for (int row = 1; row < 40; ++row)
        QVERIFY(list.GetFile(row)->IsTraceReleased());

    const QSharedPointer<sor::CFile> edited = folder.Change(QStringLiteral("t00.sor"));
    folder.Toggle(1);
    // Read as the plot reads them.
    const QSharedPointer<sor::CFile> compared = list.GetFile(1);
    const QSharedPointer<sor::CFile> shown = list.GetFile(2);
    list.setCurrentRow(2);
    QVERIFY(compared->Points() && shown->Points() && !shown->IsTraceReleased());
    for (int row : { 39, 0 }) {
        list.setCurrentRow(row);
        QTRY_VERIFY(shown->IsTraceReleased());
        QVERIFY(!edited->IsTraceReleased() && edited->IsModified());
        QCOMPARE(edited->GeneralParameters().cableId.Text(), QStringLiteral("changed t00.sor"));
        QVERIFY(!compared->IsTraceReleased());
    }

    quint32 warnings = 0;
    sor::CFile fresh(shown->Path(), warnings);
    QCOMPARE(shown->PointCount(), 102);
    QVERIFY(std::equal(fresh.Points(), fresh.Points() + 102, shown->Points()));
    QCOMPARE(shown->Image(), fresh.Image());
    QCOMPARE(shown->LoadWarnings(), 0u);
}

QTEST_MAIN(TstFileList)
#include "tst_filelist.moc"
