#include "CEventList.h"
#include "CFile.h"
#include "TestTraces.h"

#include <CFileList.h>
#include <RangeText.h>
#include <tGraphState.h>

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <limits>
#include <memory>

using TestTraces::FileTime;

namespace {

// The texts of one table row.
QStringList RowTexts(const QTableWidget& table, int row)
{
    QStringList texts;
    for (int column = 0; column < table.columnCount(); ++column) {
        const QTableWidgetItem* item = table.item(row, column);
        texts << (item ? item->text() : QStringLiteral("<none>"));
    }
    return texts;
}

} // namespace

// The event table on a.sor (two events), b.sor (none) and c.sor (values beyond the shown ranges).
class TstEventList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The range texts follow the default locale; the tests read them in C.
        QLocale::setDefault(QLocale::c());
        m_startFolder = QDir::currentPath();
    }

    void init()
    {
        QVERIFY(m_dir.isValid());
        // a.sor: 1 km (loss 0.5 dB, 0.35 dB/km) and 3 km (0.2 dB, 0.30 dB/km); attenuation comes before loss.
        TestTraces::tTrace two;
        two.samples = TestTraces::Line(5000, 1000, 1);
        two.events = { { 1, FileTime(1000), 350, 500, 0, "0F9999", "LS", "Splice 1" },
            { 2, FileTime(3000), 300, 200, -45000, "1F9999", "LS", "End" } };
        TestTraces::tTrace none;
        none.samples = two.samples;
        TestTraces::tTrace ranges;
        ranges.samples = two.samples;
        ranges.events = { { 1, FileTime(1000), -20000, 20000, -75000, "1F9999" },
            { 2, FileTime(2000), 16000, -16000, 70000, "1F9999" }, { 3, FileTime(4000), 0, 1500, 70000, "0F9999" } };
        for (const auto& [trace, name] : { std::pair(&two, "a.sor"), { &none, "b.sor" }, { &ranges, "c.sor" } })
            QVERIFY(!TestTraces::Write(m_dir.path(), *trace, QString::fromLatin1(name)).isEmpty());

        m_list = std::make_unique<CFileList>();
        m_table = std::make_unique<CEventList>(m_list.get());
        // As the main window wires them.
        connect(m_list.get(), &CFileList::sigFileChanged, m_table.get(), &CEventList::OnUpdateView);
        m_list->SetDir(m_dir.path());
        QCOMPARE(m_list->GetCount(), 3);
        QCOMPARE(m_list->currentRow(), 0);
        m_table->resize(900, 200);
        m_table->show();
    }

    void cleanup()
    {
        m_table.reset();
        m_list.reset();
        QDir::setCurrent(m_startFolder);
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(m_dir.filePath(name));
    }

    void layout()
    {
        CEventList& table = *m_table;
        // Only the comment can be edited.
        for (int column = 0; column < table.columnCount(); ++column)
            QCOMPARE(bool(table.item(0, column)->flags() & Qt::ItemIsEditable), column == CEventList::ColumnComment);
        // The reflective event has the reflection icon, the other the splice icon.
        const auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
        QCOMPARE(image(table.item(0, 0)->icon()), image(QIcon(QStringLiteral(":/images/EventJunction.png"))));
        QCOMPARE(image(table.item(1, 0)->icon()), image(QIcon(QStringLiteral(":/images/EventReflection.png"))));
    }

    void hiddenWithoutEvents()
    {
        QVERIFY(m_table->isVisible());
        m_list->setCurrentRow(1);
        // A trace without events: no rows, a notice offering the analysis.
        QCOMPARE(m_table->rowCount(), 0);
        QVERIFY(m_table->findChild<QWidget*>(QStringLiteral("noEvents"))->isVisible());
        m_list->setCurrentRow(2);
        QVERIFY(m_table->isVisible());
        QCOMPARE(m_table->rowCount(), 3);
        QVERIFY(!m_table->findChild<QWidget*>(QStringLiteral("noEvents"))->isVisible());
    }

    void lengthsAndTotals()
    {
        QCOMPARE(m_table->rowCount(), 2);
        QCOMPARE(
            RowTexts(*m_table, 0), QStringList({ "1", "1.0000", "0.500", "", "0.350", "1.0000", "0.350", "Splice 1" }));
        QCOMPARE(RowTexts(*m_table, 1),
            QStringList({ "2", "3.0000", "0.200", "-45.000", "0.300", "2.0000", "1.450", "End" }));
    }

    // The text of a value shown only within limits, shared with the marker panel.
    void rangeText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");

        QTest::newRow("rounded") << -0.12345 << "-0.123";
        QTest::newRow("tiny negative") << -0.0001 << "0.000";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "";
    }

    void rangeText()
    {
        QFETCH(double, value);
        QTEST(sor::RangeText(value, -16.0, 16.0), "text");
    }

    void rangeTexts_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("texts");

        // Loss, reflectance and attenuation of c.sor.
        QTest::newRow("beyond below and above") << 0 << QStringList { ">16", "<-70", "<-16" };
        QTest::newRow("at the limits") << 1 << QStringList { "-16.000", "70.000", "16.000" };
    }

    void rangeTexts()
    {
        QFETCH(int, row);
        m_list->setCurrentRow(2);
        const QStringList shown { m_table->item(row, CEventList::ColumnLoss)->text(),
            m_table->item(row, CEventList::ColumnReflectance)->text(),
            m_table->item(row, CEventList::ColumnAttenuation)->text() };
        QTEST(shown, "texts");
    }

    void followsTheCentreCursor_data()
    {
        QTest::addColumn<float>("centre");
        QTest::addColumn<int>("row");

        // Events at 1000 m and 3000 m count as passed more than 1 m before the centre cursor.
        QTest::newRow("3000.5 m") << 3000.5f << 1;
        QTest::newRow("3001.5 m, after both") << 3001.5f << -1;
        QTest::newRow("1000.5 m") << 1000.5f << 0;
    }

    void followsTheCentreCursor()
    {
        QFETCH(float, centre);
        QFETCH(int, row);

        CCursors& cursors = *m_list->GraphState().cursors;
        cursors.Centre().fPosition = centre;
        m_table->OnUpdateSelectedNumber();
        QCOMPARE(m_table->SelectedRow(), row < 0 ? 2 : row);
        QCOMPARE(m_table->currentRow(), row);
        const QList<QTableWidgetItem*> selected = m_table->selectedItems();
        QCOMPARE(selected.size(), row < 0 ? 0 : 8);
        for (const QTableWidgetItem* item : selected)
            QCOMPARE(item->row(), row);
    }

    void deleteKeyRemovesTheCurrentEvent()
    {
        const QSharedPointer<sor::CFile> file = m_list->GetFile(0);
        QSignalSpy tableUpdate(m_table.get(), &CEventList::sigUpdate);
        m_table->setFocus();
        m_table->setCurrentCell(1, 2);
        QTest::keyClick(m_table.get(), Qt::Key_Delete);
        QCOMPARE(file->KeyEvents().size(), size_t(1));
        QCOMPARE(file->KeyEvents().front().comment.Text(), QStringLiteral("Splice 1"));
        QVERIFY(file->IsModified());
        QCOMPARE(tableUpdate.count(), 1);
        QCOMPARE(m_table->rowCount(), 1);
        // The remaining event takes the place of the deleted one.
        QCOMPARE(m_table->currentRow(), 0);

        QTest::keyClick(m_table.get(), Qt::Key_Delete);
        QVERIFY(file->KeyEvents().empty());
        QVERIFY(m_table->findChild<QWidget*>(QStringLiteral("noEvents"))->isVisible());
        // Nothing left: a further Delete changes nothing.
        m_table->OnDeleteEvent();
        QCOMPARE(tableUpdate.count(), 2);

        // The saved file has no key-events block at all and reads back as such.
        file->Save();
        quint32 warnings = 0;
        const sor::CFile saved(m_dir.filePath(QStringLiteral("a.sor")), warnings);
        QCOMPARE(warnings, 0u);
        QVERIFY(saved.KeyEvents().empty());
        QFile bytes(saved.Path());
        QVERIFY(bytes.open(QIODevice::ReadOnly));
        QVERIFY(!bytes.readAll().contains("KeyEvents"));
    }

    void altDeleteIsNotTheTables()
    {
        m_table->setCurrentCell(0, 0);
        QTest::keyClick(m_table.get(), Qt::Key_Delete, Qt::AltModifier);
        const QSharedPointer<sor::CFile> file = m_list->GetFile(0);
        QCOMPARE(file->KeyEvents().size(), size_t(2));
        // Nor do rows the document does not have.
        QVERIFY(!file->DeleteKeyEvent(2));
        QVERIFY(!file->DeleteKeyEvent(-1));
        QVERIFY(!file->SetKeyEventComment(2, QStringLiteral("x")));
        QVERIFY(!file->IsModified());
    }

    void sameCommentDoesNotModify()
    {
        const QSharedPointer<sor::CFile> file = m_list->GetFile(0);
        QSignalSpy changed(file.data(), &sor::CFile::sigFileChanged);
        QSignalSpy tableUpdate(m_table.get(), &CEventList::sigUpdate);
        QTableWidgetItem* comment = m_table->item(1, CEventList::ColumnComment);
        m_table->OnItemChanged(comment);
        QVERIFY(!file->IsModified());
        QCOMPARE(changed.count(), 0);
        QCOMPARE(tableUpdate.count(), 0);

        // Changes of other cells are no comment edits.
        QTableWidgetItem* distance = m_table->item(1, CEventList::ColumnDistance);
        distance->setText(QStringLiteral("7"));
        QVERIFY(!file->IsModified());
        QCOMPARE(file->KeyEvents()[1].comment.Text(), QStringLiteral("End"));
    }

    void longCommentIsCutAndSaves()
    {
        const QSharedPointer<sor::CFile> file = m_list->GetFile(0);
        const QString longText(150, QLatin1Char('x'));
        QVERIFY(file->SetKeyEventComment(0, longText));
        QCOMPARE(file->KeyEvents()[0].comment.Text(), longText.left(100));
        // The same long text again is no change: it would be cut the same way.
        QVERIFY(!file->SetKeyEventComment(0, longText));

        file->Save();
        quint32 warnings = 0;
        const sor::CFile saved(m_dir.filePath(QStringLiteral("a.sor")), warnings);
        QCOMPARE(saved.KeyEvents()[0].comment.Text(), longText.left(100));
    }

    void commentEditedInPlace_data()
    {
        QTest::addColumn<bool>("doubleClick");

        QTest::newRow("edit command") << false;
        QTest::newRow("double click on another cell") << true;
    }

    void commentEditedInPlace()
    {
        QFETCH(bool, doubleClick);
        const QSharedPointer<sor::CFile> file = m_list->GetFile(0);
        QSignalSpy tableUpdate(m_table.get(), &CEventList::sigUpdate);
        if (doubleClick) {
            const QPoint at = m_table->visualItemRect(m_table->item(1, CEventList::ColumnDistance)).center();
            // The press of the first click is what a double click is checked against.
            QTest::mousePress(m_table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseRelease(m_table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseDClick(m_table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        } else {
            m_table->setCurrentCell(1, 0);
            m_table->OnEditEvent();
        }
        auto* editor = m_table->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("End"));
        QVERIFY(m_table->visualItemRect(m_table->item(1, CEventList::ColumnComment)).intersects(editor->geometry()));
        editor->selectAll();
        // A character the file's codepage (Windows-1251) cannot hold is refused as typed.
        QTest::keyClicks(editor, QStringLiteral("Conn"));
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString::fromUtf8("é"), Qt::NoModifier);
        QTest::keyClicks(editor, QStringLiteral("ector"));
        QTest::keyClick(editor, Qt::Key_Return);

        // The delegate commits once the editor has seen the key.
        QTRY_COMPARE(file->KeyEvents()[1].comment.Text(), QStringLiteral("Connector"));
        QVERIFY(file->IsModified());
        QCOMPARE(tableUpdate.count(), 1);
        // The table is rebuilt once the edit has finished and shows the document.
        QTRY_COMPARE(m_table->rowCount(), 2);
        QTRY_COMPARE(m_table->item(1, CEventList::ColumnComment)->text(), QStringLiteral("Connector"));
        QCOMPARE(m_table->item(0, CEventList::ColumnComment)->text(), QStringLiteral("Splice 1"));
    }

private:
    QTemporaryDir m_dir;
    QString m_startFolder;
    std::unique_ptr<CFileList> m_list;
    std::unique_ptr<CEventList> m_table;
};

QTEST_MAIN(TstEventList)
#include "tst_eventlist.moc"
