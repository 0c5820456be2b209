#include "TestPaths.h"
#include "TestTraces.h"
#include "tPrivateStore.h"

#include <CApplicationStart.h>
#include <CEventList.h>
#include <CFile.h>
#include <CFileList.h>
#include <CGraphPix.h>
#include <CGraphView.h>
#include <MainWindow.h>
#include <tGraphState.h>

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <cmath>

namespace {

// Group index of the test traces.
constexpr double kGroupIndex = 1498.96229;

// A 10 km trace at 2 m per sample: 0.5 dB/km up to a reflective event at
// 5000 m, whose peak stands at 1.000 dB for five samples, then 0.5 dB/km
// again 0.5 dB lower.
std::vector<quint16> ReflectiveEvent()
{
    std::vector<quint16> samples = TestTraces::Line(5000, 5000, 1);
    for (size_t i = 2500; i < samples.size(); ++i)
        samples[i] = quint16(i < 2505 ? 1000 : samples[i] + 500);
    return samples;
}

} // namespace

// A whole measurement done through the main window as a user does it: the
// toolbar buttons, the cursors dragged on the plot, the event table, and the
// saved file read back by lumetrix-sor.
class TstMeasurement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void reflectionMeasuredThroughTheWindow();

private:
    void Click(const MainWindow& window, const char* action);
    // Drags a cursor with the mouse to the pixel of `metres`.
    void Drag(CCursors::CEditableCursor& cursor, float metres);

    tPrivateStore m_store;
    QTemporaryDir m_dir;
    QString m_path;
    CGraphPix* m_pPix = nullptr;
    const tGraphState* m_pGeometry = nullptr;
};

void TstMeasurement::initTestCase()
{
    QVERIFY(m_store.IsValid() && m_dir.isValid());
    TestTraces::tTrace trace;
    trace.samples = ReflectiveEvent();
    m_path = TestTraces::Write(m_dir.path(), trace, QStringLiteral("fibre.sor"));
    QVERIFY(!m_path.isEmpty());
    CApplicationStart::SetIdentity();
    tPrivateStore::Clear();
}

void TstMeasurement::Click(const MainWindow& window, const char* action)
{
    // The button of the action on the Events toolbar.
    auto* toolBar = window.findChild<QToolBar*>(QStringLiteral("eventsToolBar"));
    auto* button
        = qobject_cast<QToolButton*>(toolBar->widgetForAction(window.findChild<QAction*>(QString::fromLatin1(action))));
    QVERIFY(button && button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

void TstMeasurement::Drag(CCursors::CEditableCursor& cursor, float metres)
{
    // The measurement cursors are short ticks on the trace: grabbed there.
    const tGraphState& geometry = *m_pGeometry;
    const auto x = [&geometry](float at) { return int(std::lround(at / geometry.xScale - geometry.view.left())); };
    const double y = (geometry.Active()->ValueAt(cursor.Position()) - geometry.extentTop) / geometry.yScale
        - geometry.view.top();
    const QPoint from(x(cursor.Position()), int(std::lround(y)));
    const QPoint to(x(metres), from.y());
    QTest::mousePress(m_pPix, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(m_pPix, (from + to) / 2);
    QTest::mouseMove(m_pPix, to);
    QTest::mouseRelease(m_pPix, Qt::LeftButton, Qt::NoModifier, to);
    // Within the metres of one pixel.
    QVERIFY2(std::abs(cursor.Position() - metres) <= m_pGeometry->xScale,
        qPrintable(QStringLiteral("%1 m instead of %2 m").arg(cursor.Position()).arg(metres)));
}

void TstMeasurement::reflectionMeasuredThroughTheWindow()
{
    MainWindow window(m_dir.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CFileList* list = window.FileList();
    QCOMPARE(list->GetCount(), 1);
    m_pPix = window.View()->Pix();
    m_pGeometry = &list->GraphState();
    QTRY_VERIFY(m_pGeometry->IsValid());
    const QSharedPointer<sor::CFile> document = list->GetFile(0);
    CCursors& cursors = *m_pGeometry->cursors;
    CEventList* events = window.Events();
    QCOMPARE(events->rowCount(), 0);
    QVERIFY(events->findChild<QWidget*>(QStringLiteral("noEvents"))->isVisible());

    Click(window, "actionMeasureReflection");
    QVERIFY(cursors.IsMeasuring());
    QCOMPARE(cursors.MeasureKind(), quint32(CCursors::MeasureReflection));

    // The right interval beyond the event, the centre before it, the left
    // interval well before it; each marker drags its outer cursor along.
    Drag(cursors.RightMarker(), 5200);
    Drag(cursors.Centre(), 4940);
    Drag(cursors.LeftMarker(), 4000);
    Drag(cursors.OuterLeft(), 1000);
    Drag(cursors.OuterRight(), 9000);

    // An interval of one sample gives no number: a dash, no Add event, and
    // the status bar says why, until it is wide again.
    QAction* addEvent = window.findChild<QAction*>(QStringLiteral("actionAddEvent"));
    for (const float outerLeft : { cursors.LeftMarker().Position(), 1000.0f }) {
        const bool wide = outerLeft == 1000.0f;
        cursors.MoveTo(cursors.OuterLeft(), outerLeft);
        emit m_pPix->sigUpdate();
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("mAttCoeff"))->text() == QStringLiteral("\u2014"), !wide);
        QCOMPARE(addEvent->isEnabled(), wide);
        QCOMPARE(window.statusBar()->currentMessage().contains(QStringLiteral("fewer than two samples")), !wide);
    }
    const float centre = cursors.Centre().Position();
    QVERIFY(centre < 5000);

    Click(window, "actionAddEvent");
    QVERIFY(!cursors.IsMeasuring());
    QVERIFY(document->IsModified());
    QVERIFY(!window.findChild<QAction*>(QStringLiteral("actionMeasureReflection"))->isChecked());
    QVERIFY(!addEvent->isEnabled());

    // The table shows the new event, selected as the one at the centre cursor.
    QVERIFY(events->isVisible());
    QCOMPARE(events->rowCount(), 1);
    QCOMPARE(events->currentRow(), 0);
    // Cursors between samples may shift each fitted line by half a unit: 0.001 dB.
    QVERIFY(std::abs(events->item(0, CEventList::ColumnLoss)->text().toDouble() - 0.5) < 0.0015);

    // A comment through the Events menu, typed into the table.
    window.findChild<QAction*>(QStringLiteral("actionEditComment"))->trigger();
    auto* editor = events->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Patch panel"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(document->KeyEvents().front().comment.Text(), QStringLiteral("Patch panel"));

    document->Save();
    QVERIFY(!document->IsModified());

    QProcess dump;
    dump.start(TestPaths::BinDir() + QStringLiteral("/lumetrix-sor"), { QStringLiteral("dump"), m_path });
    QVERIFY(dump.waitForFinished(60000));
    QCOMPARE(dump.exitCode(), 0);
    const QJsonObject root = QJsonDocument::fromJson(dump.readAllStandardOutput()).object();
    const QJsonArray saved
        = root.value(QStringLiteral("keyEvents")).toObject().value(QStringLiteral("events")).toArray();
    QCOMPARE(saved.size(), 1);
    const QJsonObject event = saved.first().toObject();

    // Code 1A9999, technique LS.
    for (const auto& [key, value] : { std::pair("codeType", QVariant(1)), { "codeOrigin", 0 }, { "codeRest", "9999" },
             { "technique", 1 }, { "comment", "Patch panel" } })
        QCOMPARE(event.value(QLatin1String(key)).toVariant(), value);
    // One-way time of the centre cursor, ns.
    const double time = centre * kGroupIndex / 0.299792458;
    QVERIFY2(std::abs(event.value(QStringLiteral("time")).toDouble() - time) < 2.0,
        qPrintable(QString::number(event.value(QStringLiteral("time")).toDouble())));
    // Parallel lines 500 units apart; the fibre before it 1 unit per 2 m.
    QVERIFY(std::abs(event.value(QStringLiteral("loss")).toDouble() - 0.5) < 0.0015);
    QCOMPARE(event.value(QStringLiteral("attenuation")).toDouble(), 0.5);
    // The peak is 1000 units high; the level at the centre lies on the line.
    const double height = (std::floor(5000 + centre / TestTraces::kResolution + 0.5) - 1000) / 1000;
    const double reflectance = 10 * std::log10(std::pow(10, height / 5) - 1) + 10 * std::log10(100.0) - 80;
    QVERIFY2(std::abs(event.value(QStringLiteral("reflectance")).toDouble() - reflectance) < 0.002,
        qPrintable(QString::number(event.value(QStringLiteral("reflectance")).toDouble())));

    // "Delete event" takes it out again, and the table says there are none.
    window.findChild<QAction*>(QStringLiteral("actionDeleteEvent"))->trigger();
    QVERIFY(document->KeyEvents().empty());
    QCOMPARE(events->rowCount(), 0);
    QVERIFY(events->findChild<QWidget*>(QStringLiteral("noEvents"))->isVisible());
}

QTEST_MAIN(TstMeasurement)
#include "tst_measurement.moc"
