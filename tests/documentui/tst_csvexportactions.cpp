#include "CBoxAnswerer.h"
#include "TestPaths.h"
#include "tListFolder.h"

#include <CCsvExportActions.h>
#include <CEventList.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTest>

namespace {

// A listed folder of copies of a bundled trace with several events.
void ListSamples(tListFolder& folder, const QStringList& names)
{
    for (const QString& name : names)
        folder.Write(name, ReadFile(QDir(TestPaths::SamplesDir()).filePath(QStringLiteral("1310_60km_regional.sor"))));
    folder.list->SetDir(folder.dir.path());
}

} // namespace

// File > Export > Events / Trace as CSV of the current trace, and Ctrl+C in
// the event table, as the user drives them.
class TstCsvExportActions : public QObject
{
    Q_OBJECT

private slots:
    void exports_writeTheCurrentTrace();
    void export_unwritableTargetSaysSoAndWritesNothing();
    void eventTable_copiesSelectedRowsAsTabSeparated();
};

void TstCsvExportActions::exports_writeTheCurrentTrace()
{
    tListFolder folder;
    ListSamples(folder, { QStringLiteral("a.sor"), QStringLiteral("b.sor") });
    folder.list->setCurrentRow(1);
    const QSharedPointer<sor::CFile> file = folder.list->GetFile(1);
    QVERIFY(file && !file->KeyEvents().empty());
    CCsvExportActions actions(folder.list, &folder.window);
    actions.SetFileDialogs(&folder.dialogs);
    folder.dialogs.answers << folder.Path(QStringLiteral("events")) << folder.Path(QStringLiteral("trace.csv"));

    actions.EventsAction()->trigger();
    QCOMPARE(folder.dialogs.asked.size(), 1);
    QVERIFY(folder.dialogs.asked[0].start.endsWith(QStringLiteral("b-events.csv")));
    const QList<QByteArray> events = ReadFile(folder.Path(QStringLiteral("events.csv"))).split('\n');
    QCOMPARE(size_t(events.size()), file->KeyEvents().size() + 2); // header, rows, the empty rest
    QVERIFY(events[0].startsWith("file,wavelength_nm,"));
    QVERIFY(events[1].startsWith("b.sor,"));

    actions.TraceAction()->trigger();
    const QList<QByteArray> trace = ReadFile(folder.Path(QStringLiteral("trace.csv"))).split('\n');
    QCOMPARE(trace.size(), file->PointCount() + 2);
    // In the file's own unit, as the window shows it.
    QCOMPARE(trace[0], QByteArray("distance_km,level_db\r"));
    QCOMPARE(trace[2].split(',')[0].toDouble() * 1000, double(file->Resolution()));
    QCOMPARE(qRound(trace[1].split(',')[1].trimmed().toDouble() * -1000), int(file->Point(0)));
}

void TstCsvExportActions::export_unwritableTargetSaysSoAndWritesNothing()
{
    tListFolder folder;
    ListSamples(folder, { QStringLiteral("a.sor") });
    folder.list->setCurrentRow(0);
    CCsvExportActions actions(folder.list, &folder.window);
    actions.SetFileDialogs(&folder.dialogs);
    const QString target = folder.Path(QStringLiteral("no-such-folder/events.csv"));
    folder.dialogs.answers << target;
    CBoxAnswerer answerer;
    actions.EventsAction()->trigger();
    QCOMPARE(answerer.Count(), 1);
    QCOMPARE(answerer.Seen().front().icon, QMessageBox::Critical);
    QVERIFY(answerer.Seen().front().text.contains(QStringLiteral("events.csv")));
    QVERIFY(!QFileInfo::exists(target));
}

void TstCsvExportActions::eventTable_copiesSelectedRowsAsTabSeparated()
{
    tListFolder folder;
    ListSamples(folder, { QStringLiteral("a.sor") });
    folder.list->setCurrentRow(0);
    CEventList table(folder.list);
    table.OnUpdateView();
    table.show();
    QVERIFY(table.rowCount() >= 3);
    table.clearSelection();
    table.selectionModel()->select(table.model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table.selectionModel()->select(table.model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0].split(QLatin1Char('\t')), CEventList::HeaderTexts());
    const QList<QStringList> rows = CEventList::RowTexts(*folder.list->GetFile(0));
    QCOMPARE(lines[1].split(QLatin1Char('\t')).mid(0, 2), rows[0].mid(0, 2));
    QCOMPARE(lines[2].split(QLatin1Char('\t')).mid(0, 2), rows[2].mid(0, 2));
}

QTEST_MAIN(TstCsvExportActions)
#include "tst_csvexportactions.moc"
