#include "tPrivateStore.h"

#include <CApplicationStart.h>
#include <CBidirectionalPanel.h>
#include <CBidirectionalTable.h>
#include <CFile.h>
#include <CFileList.h>
#include <CGraphPix.h>
#include <CGraphView.h>
#include <CLinkMap.h>
#include <CSynthLink.h>
#include <ComparePalette.h>
#include <MainWindow.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int CountPixels(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    return count;
}

} // namespace

// The bidirectional panel in the window: the proposed pair on the plot and in
// the table, manual pairing with its refusal, the report page, and the plot
// given back to the file list afterwards, with neither file changed.
class tst_bidirectionalpanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pairInWindow();

private:
    tPrivateStore m_store;
    QTemporaryDir m_folder;
    std::unique_ptr<CSynthLink> m_link;
};

void tst_bidirectionalpanel::initTestCase()
{
    QVERIFY(m_store.IsValid());
    CApplicationStart::SetIdentity();
    tPrivateStore::Clear();
    CSynthTrace::tOptions options;
    options.seed = 4;
    options.lengthKm = 15;
    options.events = 5;
    m_link = std::make_unique<CSynthLink>(options);
    m_link->Write(m_folder.filePath("route_AB.sor"), CSynthLink::AToB);
    m_link->Write(m_folder.filePath("route_BA.sor"), CSynthLink::BToA);
    options.lengthKm = 30;
    CSynthTrace(options).Write(m_folder.filePath("spare.sor"));
}

void tst_bidirectionalpanel::pairInWindow()
{
    MainWindow window(m_folder.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CFileList* list = window.FileList();
    QTRY_COMPARE(list->count(), 3);
    auto* action = window.findChild<QAction*>(QStringLiteral("actionBidirectional"));
    auto* panel = window.findChild<CBidirectionalPanel*>();
    QVERIFY(action && panel);
    action->trigger();
    QTRY_VERIFY(panel->isVisible());

    // The proposal by the names' suffixes is taken at once.
    QCOMPARE(panel->Proposals()->count(), 1);
    QVERIFY(panel->Result().Paired());
    const std::vector<CSynthLink::tJoint>& joints = m_link->Joints();
    QCOMPARE(panel->Table()->rowCount(), int(joints.size()) + 1);
    for (size_t i = 0; i < joints.size(); ++i) {
        const double shown = panel->Table()->item(int(i), CBidirectionalTable::ColumnLoss)->text().toDouble();
        QVERIFY(std::abs(shown - joints[i].loss) <= 0.02);
    }
    QCOMPARE(panel->Totals()->rowCount(), 3);

    // Distances in the unit the A→B file is shown in: its own, or the one chosen for all.
    const std::tuple<int, quint32, QString, double> units[] = { { -1, sor::Kilometres, "km", 1000 },
        { -1, sor::Metres, "m", 1 }, { sor::Feet, sor::Metres, "ft", 0.3048 } };
    for (const auto& [choice, own, symbol, per] : units) {
        panel->Traces().back()->file->FixedParameters().distanceUnit = own;
        window.findChild<QAction*>(QStringLiteral("actionDistanceUnit%1").arg(choice))->trigger();
        QCOMPARE(panel->Table()->horizontalHeaderItem(1)->text() + panel->Totals()->item(2, 0)->text(),
            "Distance\n[" + symbol + "]Fibre end [" + symbol + ']');
        // To a tenth of a metre.
        const auto metres = [per = per](const QTableWidgetItem* item) { return item->text().toDouble() * per; };
        QVERIFY(std::abs(metres(panel->Table()->item(1, 1)) - panel->Result().events[1].distanceM) <= 0.05
            && std::abs(metres(panel->Totals()->item(2, 1)) - *panel->Result().aToB.fiberEndM) <= 0.05);
    }

    // The plot shows A→B and the mirrored B→A in the compare colours, and
    // keeps them while the current row moves.
    const tGraphState& geometry = list->GraphState();
    QCOMPARE(geometry.files, &panel->Traces());
    QCOMPARE(panel->Traces().size(), size_t(2));
    QVERIFY(panel->Traces().back()->file->Path().endsWith(QLatin1String("route_AB.sor")));
    list->setCurrentRow(2);
    QCOMPARE(geometry.files, &panel->Traces());
    // The link map shows the pair's averaged events as long as the plot does.
    QVERIFY(window.LinkMap()->ShowsResult());
    QCOMPARE(window.LinkMap()->Items().size(), panel->Result().events.size());
    const QImage plot = window.View()->Pix()->grab().toImage();
    QVERIFY(CountPixels(plot, ComparePalette(0, true)) > 100);
    QVERIFY(CountPixels(plot, ComparePalette(1, true)) > 100);

    // Two listed files chosen by hand that are no pair: the reason, no rows,
    // and the plot is the list's again.
    const int spare = panel->AToBBox()->findText(QStringLiteral("spare.sor"));
    panel->AToBBox()->setCurrentIndex(spare);
    emit panel->AToBBox()->activated(spare);
    QVERIFY2(panel->Status()->text().contains(QStringLiteral("The lengths to the fibre end differ")),
        qPrintable(panel->Status()->text()));
    QCOMPARE(panel->Table()->rowCount(), 0);
    QVERIFY(geometry.files != &panel->Traces());
    QVERIFY(!window.LinkMap()->ShowsResult());

    emit panel->Proposals()->activated(0);
    QVERIFY(panel->Result().Paired());
    const QString pdf = m_folder.filePath(QStringLiteral("pair.pdf"));
    QString error;
    QVERIFY2(panel->ExportPdf(pdf, &error), qPrintable(error));
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
        QVERIFY(text.waitForFinished(60000) && text.exitCode() == 0);
        const QString shown = QString::fromUtf8(text.readAllStandardOutput());
        for (const QString& item : { QStringLiteral("Bidirectional analysis"), QStringLiteral("route_BA.sor"),
                 QStringLiteral("Fibre end [ft]"), QString::number(*panel->Result().averageLossDb, 'f', 3),
                 QString::number(*panel->Result().events.front().lossDb, 'f', 3) })
            QVERIFY2(shown.contains(item), qPrintable(item));
    }

    action->trigger();
    QVERIFY(geometry.files != &panel->Traces());
    QVERIFY(geometry.files && !geometry.files->empty());
    for (int row = 0; row < list->count(); ++row)
        QVERIFY(!list->GetFile(row)->IsModified());
}

QTEST_MAIN(tst_bidirectionalpanel)
#include "tst_bidirectionalpanel.moc"
