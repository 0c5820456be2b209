#include "CBoxAnswerer.h"
#include "TestPaths.h"
#include "tPrivateStore.h"

#include <CActiveVerdict.h>
#include <CApplicationStart.h>
#include <CBellcore.h>
#include <CEventList.h>
#include <CFile.h>
#include <CFileList.h>
#include <CFileStream.h>
#include <CLimitSets.h>
#include <CLinkMap.h>
#include <CSynthPair.h>
#include <CVerdictLine.h>
#include <MainWindow.h>

#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using analysis::CLinkMapModel;

namespace {

// Pixels of an icon's square that are drawn in about `colour`.
int PixelsNear(const QImage& image, const QRect& rect, const QColor& colour)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green())
                    + std::abs(pixel.blue() - colour.blue())
                < 60;
        }
    return count;
}

QImage Grab(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The current row of the list set to the file named `name`.
void MakeCurrent(CFileList* list, const QString& name)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->GetFile(row)->Path().endsWith(name))
            list->setCurrentRow(row);
}

} // namespace

// The link map in the main window: icons for the current trace, bends against
// the same fibre at another wavelength, clicks and label placement.
class TstLinkMap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void sharedPair_bendDrawnAfterAddedLoss();
    void everyIconKind_drawnAndClickSelects();
    void thirtyEvents_labelsApartAt1280();
    void limitSet_failedEventDrawnInFailColour();
    void synthPair_bendOfTheLongerOnBothMapsAndFailing();
    void oneFileOfTwoWavelengths_pairsWithItself();

private:
    tPrivateStore m_store;
    QString m_startFolder;
};

void TstLinkMap::initTestCase()
{
    QVERIFY(m_store.IsValid());
    m_startFolder = QDir::currentPath();
}

void TstLinkMap::init()
{
    CApplicationStart::SetIdentity();
    tPrivateStore::Clear();
    analysis::CActiveVerdict::Reload();
    QDir::setCurrent(m_startFolder);
}

void TstLinkMap::sharedPair_bendDrawnAfterAddedLoss()
{
    const QString shared = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
    if (shared.isEmpty())
        QSKIP("the shared instrument files are not there");
    QTemporaryDir dir;
    for (const char* wavelength : { "1310nm", "1550nm" }) {
        const QString name
            = QStringLiteral("example4-exfo-ftb4ftbx730c-mfdgainer-%1.sor").arg(QLatin1String(wavelength));
        QVERIFY(QFile::copy(shared + '/' + name, dir.filePath(name)));
    }
    // The instrument's files load with a warning.
    CBoxAnswerer answerer({ QStringLiteral("Ignore all") });
    MainWindow window(dir.path());
    window.resize(1280, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.FileList()->count(), 2);
    MakeCurrent(window.FileList(), QStringLiteral("1550nm.sor"));
    CLinkMap* map = window.LinkMap();
    QTRY_VERIFY(map->isVisible() && map->height() == map->sizeHint().height());
    QVERIFY(map->Partner() && map->Partner()->Path().endsWith(QStringLiteral("1310nm.sor")));
    QCOMPARE(map->Items().size(), size_t(9));
    for (const CLinkMap::tItem& item : map->Items())
        QVERIFY(item.icon != CLinkMapModel::Bend);
    QCOMPARE(map->Items()[1].icon, CLinkMapModel::Gainer);
    const QImage before = Grab(map);
    const QColor bend(230, 110, 20);
    QCOMPARE(PixelsNear(before, map->CurrentLayout().icons[4], bend), 0);

    // 0.6 dB more at event 5 of the 1550 nm trace, through the document.
    const QSharedPointer<sor::CFile> file = window.FileList()->GetFile(window.FileList()->currentRow());
    std::deque<sor::tKeyEvent> events = file->KeyEvents();
    events[4].loss = float(events[4].loss) + 0.6f;
    file->SetKeyEvents(events);
    QTRY_COMPARE(map->Items()[4].icon, CLinkMapModel::Bend);
    QTRY_COMPARE(map->height(), map->sizeHint().height());
    QVERIFY(PixelsNear(Grab(map), map->CurrentLayout().icons[4], bend) > 20);
}

void TstLinkMap::everyIconKind_drawnAndClickSelects()
{
    // A 1310/1550 pair with a bend, and in the 1550 nm trace a launch
    // connection, a gainer, a splitter-like loss and a receive cord.
    QTemporaryDir dir;
    CSynthPair::tOptions options;
    options.trace.events = 5;
    options.trace.seed = 11;
    options.trace.lengthKm = 20;
    options.bend = true;
    bc::CBellcore shorter;
    bc::CBellcore longer;
    const CSynthPair synth(options);
    synth.Build(shorter, longer);
    // Half-way along the longest section of a trace, metres.
    const auto freePlace = [](const bc::CBellcore& file) {
        const double metresPerNs = 299792458.0 / double(float(file.fixed.params.groupIndex)) / 1e9;
        double from = 0, best = 0, gap = 0;
        for (const sor::tKeyEvent& event : file.keyEvents.events) {
            const double at = double(float(event.time)) * metresPerNs;
            if (at - from > gap) {
                gap = at - from;
                best = (at + from) / 2;
            }
            from = at;
        }
        return best;
    };
    for (const double loss : { 3.4, -0.25 }) {
        const double at = freePlace(longer);
        CSynthPair::AddLoss(shorter, at, loss);
        CSynthPair::AddLoss(longer, at, loss);
    }
    // The launch connection on both; a receive cord behind the last
    // connector only at 1550 nm, so that the 1310 nm trace keeps a plain end.
    for (bc::CBellcore* file : { &shorter, &longer }) {
        std::deque<sor::tKeyEvent>& events = file->keyEvents.events;
        sor::tKeyEvent launch = events.front();
        launch.time = 0.0f;
        launch.loss = 0.3f;
        launch.codeType = sor::tKeyEvent::Reflective;
        events.push_front(launch);
        if (file == &longer) {
            sor::tKeyEvent cord = events.back();
            cord.time = float(events.back().time) - 2450.0f;
            cord.codeOrigin = 3;
            events.insert(events.end() - 1, cord);
        }
        unsigned number = 0;
        for (sor::tKeyEvent& event : events)
            event.number = ++number;
    }
    bc::CFileStream(dir.filePath(QStringLiteral("link-1310.sor"))).Save(shorter);
    bc::CFileStream(dir.filePath(QStringLiteral("link-1550.sor"))).Save(longer);
    if (!qEnvironmentVariableIsEmpty("LUMETRIX_SHOT_DIR")) {
        for (const char* name : { "link-1310.sor", "link-1550.sor" })
            QFile::copy(dir.filePath(QLatin1String(name)), qEnvironmentVariable("LUMETRIX_SHOT_DIR") + '/' + name);
    }

    MainWindow window(dir.path());
    window.resize(1280, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CLinkMap* map = window.LinkMap();
    // Each icon is drawn, and no two kinds look alike.
    QMap<int, QImage> pictures;
    for (const QString& name : { QStringLiteral("link-1310.sor"), QStringLiteral("link-1550.sor") }) {
        MakeCurrent(window.FileList(), name);
        QTRY_VERIFY(map->isVisible() && map->Partner() && !map->Partner()->Path().endsWith(name));
        QTRY_COMPARE(map->height(), map->sizeHint().height());
        const QImage image = Grab(map);
        const CLinkMap::tLayout layout = map->CurrentLayout();
        for (int i = 0; i < layout.icons.size(); ++i) {
            const QImage picture = image.copy(layout.icons[i]);
            int inked = 0;
            for (int y = 2; y < picture.height() - 2; ++y)
                for (int x = 2; x < picture.width() - 2; ++x)
                    inked += qGray(picture.pixel(x, y)) < 170;
            QVERIFY2(inked > 30, qPrintable(CLinkMap::IconName(map->Items()[size_t(i)].icon)));
            pictures.insert(map->Items()[size_t(i)].icon, picture);
        }
    }
    QCOMPARE(pictures.size(), int(CLinkMapModel::IconCount));
    const QList<QImage> distinct = pictures.values();
    for (int a = 0; a < distinct.size(); ++a)
        for (int b = a + 1; b < distinct.size(); ++b)
            QVERIFY(distinct[a] != distinct[b]);

    // A click on an icon selects its event in the table and centres the plot on it.
    const int index = 3;
    QTest::mouseClick(map, Qt::LeftButton, {}, map->CurrentLayout().icons[index].center());
    QCOMPARE(window.Events()->currentRow(), index);
    QCOMPARE(map->Selected(), index);
    const tGraphState& state = window.FileList()->GraphState();
    QVERIFY(std::abs(state.cursors->Centre().Position() - map->Items()[index].distanceM) < 1.5);
    QVERIFY(std::abs(state.centre.x() - map->Items()[index].distanceM) < state.VisibleData().width() / 2 + 1);
}

void TstLinkMap::thirtyEvents_labelsApartAt1280()
{
    QTemporaryDir dir;
    CSynthTrace::tOptions options;
    options.events = 30;
    options.lengthKm = 60;
    CSynthTrace(options).Write(dir.filePath(QStringLiteral("thirty.sor")));
    MainWindow window(dir.path());
    window.resize(1280, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(1280, 800));
    CLinkMap* map = window.LinkMap();
    QTRY_COMPARE(map->Items().size(), size_t(30));
    QTRY_COMPARE(map->height(), map->sizeHint().height());
    const CLinkMap::tLayout layout = map->CurrentLayout();
    for (int i = 0; i < 30; ++i) {
        QVERIFY2(!layout.labels[i].isNull(), qPrintable(layout.texts[i]));
        QVERIFY(map->rect().contains(layout.labels[i]) && map->rect().contains(layout.icons[i]));
        for (int j = i + 1; j < 30; ++j) {
            QVERIFY(!layout.labels[i].intersects(layout.labels[j]));
            QVERIFY(!layout.icons[i].intersects(layout.icons[j]));
        }
    }
}

void TstLinkMap::limitSet_failedEventDrawnInFailColour()
{
    analysis::tLimitSet set;
    set.name = QStringLiteral("strict");
    set.levels.resize(1);
    set.levels[0].limits[analysis::tLimitLevels::NonReflectiveLoss] = { {}, 1.5 };
    set.levels[0].limits[analysis::tLimitLevels::ReflectiveLoss] = { {}, 1.5 };
    analysis::CLimitSets::SetUserSets({ set });
    analysis::CLimitSets::SetActiveName(set.name);
    analysis::CActiveVerdict::Reload();
    QTemporaryDir dir;
    CSynthTrace::tOptions options;
    options.events = 5;
    CSynthTrace(options).Write(dir.filePath(QStringLiteral("judged.sor")));
    MainWindow window(dir.path());
    window.resize(1280, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CLinkMap* map = window.LinkMap();
    QTRY_COMPARE(map->Items().size(), size_t(5));
    // Event 3 loses 2 dB, through the document.
    const QSharedPointer<sor::CFile> file = window.FileList()->GetFile(0);
    std::deque<sor::tKeyEvent> events = file->KeyEvents();
    events[2].loss = 2.0f;
    file->SetKeyEvents(events);
    QTRY_COMPARE(map->Items()[2].verdict, CLinkMapModel::Fail);
    QTRY_COMPARE(map->height(), map->sizeHint().height());
    const QImage image = Grab(map);
    const QColor fail(210, 40, 40);
    const CLinkMap::tLayout layout = map->CurrentLayout();
    QVERIFY(PixelsNear(image, layout.icons[2], fail) > 10);
    QCOMPARE(map->Items()[1].verdict, CLinkMapModel::Pass);
    QCOMPARE(PixelsNear(image, layout.icons[1], fail), 0);
}

void TstLinkMap::synthPair_bendOfTheLongerOnBothMapsAndFailing()
{
    analysis::tLimitSet set;
    set.name = QStringLiteral("macro");
    set.levels.resize(1);
    set.levels[0].limits[analysis::tLimitLevels::Bend] = { {}, 0.5 };
    analysis::CLimitSets::SetUserSets({ set });
    analysis::CLimitSets::SetActiveName(set.name);
    analysis::CActiveVerdict::Reload();
    QTemporaryDir dir;
    CSynthPair::tOptions options;
    options.trace.events = 6;
    options.bend = true;
    const CSynthPair synth(options);
    synth.Write(dir.filePath(QStringLiteral("pair-1310.sor")), dir.filePath(QStringLiteral("pair-1550.sor")));
    MainWindow window(dir.path());
    window.resize(1280, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CLinkMap* map = window.LinkMap();
    // Only the 1550 nm trace keeps an event at the bend: the 1310 nm map
    // shows it too, as a bend of no event of its own.
    MakeCurrent(window.FileList(), QStringLiteral("pair-1310.sor"));
    const QSharedPointer<sor::CFile> shorter = window.FileList()->GetFile(window.FileList()->currentRow());
    std::deque<sor::tKeyEvent> events = shorter->KeyEvents();
    events.erase(std::find_if(events.begin(), events.end(), [&](const sor::tKeyEvent& event) {
        return std::abs(double(shorter->TimeToDistance(float(event.time))) - synth.BendDistanceM()) < 1.0;
    }));
    shorter->SetKeyEvents(events);
    for (const QString& name : { QStringLiteral("pair-1310.sor"), QStringLiteral("pair-1550.sor") }) {
        MakeCurrent(window.FileList(), name);
        QTRY_VERIFY(map->Partner() && !map->Partner()->Path().endsWith(name));
        const auto bend = std::find_if(map->Items().begin(), map->Items().end(),
            [](const CLinkMap::tItem& item) { return item.icon == CLinkMapModel::Bend; });
        QVERIFY(bend != map->Items().end() && std::abs(bend->distanceM - synth.BendDistanceM()) < 1.0);
        const bool longer = name.contains(QStringLiteral("1550"));
        QCOMPARE(bend->eventIndex == CLinkMap::kNoEvent, !longer);
        // The bend fails the 1550 nm trace in the map and the verdict line.
        QCOMPARE(bend->verdict, longer ? CLinkMapModel::Fail : CLinkMapModel::NoVerdict);
        QCOMPARE(window.findChild<CVerdictLine*>()->text().contains(QStringLiteral("bend")), longer);
    }
}

void TstLinkMap::oneFileOfTwoWavelengths_pairsWithItself()
{
    QTemporaryDir dir;
    CSynthPair::tOptions options;
    options.trace.events = 6;
    options.bend = true;
    const CSynthPair synth(options);
    synth.WriteOneFile(dir.filePath(QStringLiteral("both.sor")));
    MainWindow window(dir.path());
    window.resize(1280, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.FileList()->count(), 1);
    window.FileList()->setCurrentRow(0);
    const QSharedPointer<sor::CFile> file = window.FileList()->GetFile(0);
    CLinkMap* map = window.LinkMap();
    // The 1310 nm record is shown; its partner is the file's own 1550 nm record.
    QTRY_VERIFY(map->isVisible() && map->Partner());
    QCOMPARE(map->Partner()->RecordIndex(), 1);
    QCOMPARE(map->Partner()->Path(), file->Path());
    QCOMPARE(float(map->Partner()->GeneralParameters().wavelength), 1550.0f);
    const auto bend = std::find_if(map->Items().begin(), map->Items().end(),
        [](const CLinkMap::tItem& item) { return item.icon == CLinkMapModel::Bend; });
    QVERIFY(bend != map->Items().end() && std::abs(bend->distanceM - synth.BendDistanceM()) < 1.0);
    QTRY_COMPARE(map->height(), map->sizeHint().height());
    const QRect icon = map->CurrentLayout().icons[int(bend - map->Items().begin())];
    QVERIFY(PixelsNear(Grab(map), icon, QColor(230, 110, 20)) > 20);
    QCOMPARE(std::count_if(map->Items().begin(), map->Items().end(),
                 [](const CLinkMap::tItem& item) { return item.icon == CLinkMapModel::Bend; }),
        1);
}

QTEST_MAIN(TstLinkMap)
#include "tst_linkmap.moc"
