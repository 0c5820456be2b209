#include "TestPaths.h"
#include "tPrivateStore.h"

#include <CApplicationStart.h>
#include <CDistanceUnit.h>
#include <CEventList.h>
#include <CFileList.h>
#include <CGraphWidget.h>
#include <CListOrder.h>
#include <MainWindow.h>

#include <QAction>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTest>

// The View menu's distance unit and list order: what they change in the
// window, and that they are there again after a restart.
class TstViewChoices : public QObject
{
    Q_OBJECT

    tPrivateStore m_store;

private slots:
    void init()
    {
        CApplicationStart::SetIdentity();
        tPrivateStore::Clear();
    }

    void unitChangesTableAndCards()
    {
        MainWindow window(TestPaths::SamplesDir());
        window.resize(1000, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CFileList* list = window.FileList();
        int row = 0;
        while (row < list->GetCount() && list->GetFile(row)->KeyEvents().empty())
            ++row;
        QVERIFY(row < list->GetCount());
        list->setCurrentRow(row);
        const sor::CFile& file = *list->GetFile(row);
        QCOMPARE(file.FixedParameters().distanceUnit, quint32(sor::Kilometres));
        CEventList* table = window.Events();
        const auto header = [table] { return table->horizontalHeaderItem(CEventList::ColumnDistance)->text(); };
        QVERIFY(header().contains(QStringLiteral("[km]")));
        const double km = table->item(0, CEventList::ColumnDistance)->text().toDouble();
        const QImage before = list->viewport()->grab().toImage();

        window.findChild<QAction*>(QStringLiteral("actionDistanceUnit%1").arg(int(sor::Feet)))->trigger();
        QVERIFY(header().contains(QStringLiteral("[ft]")));
        QCOMPARE(table->item(0, CEventList::ColumnDistance)->text(), QString::number(km * 1000 / 0.3048, 'f', 1));
        QVERIFY(CGraphWidget::Labels(file)[2].endsWith(QStringLiteral("ft")));
        QVERIFY(list->viewport()->grab().toImage() != before);
        QCOMPARE(MainWindow::ZoomText(list->GraphState()).isEmpty(), false);
    }

    void unitAndOrderRemembered_data()
    {
        QTest::addColumn<int>("order");
        QTest::newRow("date") << int(CListOrder::ByDate);
        QTest::newRow("wavelength") << int(CListOrder::ByWavelength);
        QTest::newRow("length") << int(CListOrder::ByLength);
    }
    void unitAndOrderRemembered()
    {
        QFETCH(int, order);
        {
            MainWindow window(TestPaths::SamplesDir());
            window.findChild<QAction*>(QStringLiteral("actionDistanceUnit%1").arg(int(sor::Miles)))->trigger();
            window.findChild<QAction*>(QStringLiteral("actionListOrder%1").arg(order))->trigger();
        }
        CDistanceUnit::Choose(CDistanceUnit::kFileUnit);
        MainWindow window(TestPaths::SamplesDir());
        QCOMPARE(CDistanceUnit::Choice(), int(sor::Miles));
        QVERIFY(window.findChild<QAction*>(QStringLiteral("actionListOrder%1").arg(order))->isChecked());
        CFileList* list = window.FileList();
        QVERIFY(list->count() >= 3);
        QStringList names;
        for (int row = 0; row < list->count(); ++row) {
            names << list->item(row)->text();
            if (row > 0)
                QVERIFY(!CListOrder::Less(CListOrder::tOrder(order), list->item(row), list->item(row - 1)));
        }
        // The samples' names start with their wavelength: only the other
        // orders differ from the order of names.
        QCOMPARE(names == TestPaths::SorFiles(TestPaths::SamplesDir()).replaceInStrings(QRegularExpression(".*/"), ""),
            order == CListOrder::ByWavelength);
    }
};

QTEST_MAIN(TstViewChoices)
#include "tst_viewchoices.moc"
