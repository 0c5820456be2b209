#include "CBoxAnswerer.h"
#include "CFileList.h"
#include "CFileListElementWidget.h"
#include "tListFolder.h"

#include <CGraphWidget.h>

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <ctime>

namespace {

using namespace SorBuilder;

constexpr int kPoints = 400;

// A trace falling evenly over its whole length (group index 1.4682, taken
// 2020-09-13 12:26:40 UTC by "Ivanov"): on a thumbnail it runs from the
// top-left corner to the bottom-right one.
QByteArray Trace()
{
    tFixed fixed;
    fixed.groupIndex = 146820;
    fixed.pulses[0].points = kPoints;
    tDataPoints data;
    data.groups[0].samples.resize(kPoints);
    for (int i = 0; i < kPoints; ++i)
        data.groups[0].samples[size_t(i)] = quint16(i * 100);
    std::vector<tBlock> blocks = StandardBlocks();
    blocks[2].body = FixedBody(fixed);
    blocks[4].body = DataPointsBody(data);
    return Assemble(blocks);
}

// A shown, active list of the files `names`, written as `Trace()`.
struct tList
{
    explicit tList(const QStringList& names, int width = 250)
    {
        for (const QString& name : names)
            WriteFile(dir.filePath(name), Trace());
        list.setFrameShape(QFrame::NoFrame);
        list.resize(width, 500);
        list.show();
        list.activateWindow();
        list.SetDir(dir.path());
    }
    QString Name(int row) const { return QFileInfo(list.GetFile(row)->Path()).fileName(); }

    QTemporaryDir dir;
    CFileList list;
};

// Whether `area` of `image` holds a solid `side` x `side` square of `colour`.
bool Holds(const QImage& image, const QRect& area, const QColor& colour, int side = 1)
{
    const auto solid = [&](int left, int top) {
        for (int y = top; y < top + side; ++y)
            for (int x = left; x < left + side; ++x)
                if (image.pixelColor(x, y) != colour)
                    return false;
        return true;
    };
    for (int y = area.top(); y + side <= area.bottom() + 1; ++y)
        for (int x = area.left(); x + side <= area.right() + 1; ++x)
            if (solid(x, y))
                return true;
    return false;
}

} // namespace

class TstFileListCards : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void thumbnail();
    void rowSize_data();
    void rowSize();
    void cardTexts();
    void cardPixels();
    void rename_data();
    void rename();
    void toolTip();
};

void TstFileListCards::initTestCase()
{
    // Far from UTC, so that a date shown in local time would differ.
    qputenv("TZ", "Asia/Tokyo");
    tzset();
}

void TstFileListCards::thumbnail()
{
    tList files({ "a.sor" });
    const QSharedPointer<tListedFile> listed = CFileList::ListedFile(files.list.item(0));
    QCOMPARE(CGraphWidget::Labels(*listed->file),
        QStringList({ QStringLiteral("τ=100ns"), QStringLiteral("λ=1550nm"), "L=4.084km", "k=1.4682" }));

    // The whole trace fills the picture: it starts in the top left corner and
    // ends in the bottom right one, on the given background.
    CGraphWidget thumbnail(nullptr, listed);
    thumbnail.SetBackground(Qt::yellow);
    thumbnail.resize(120, 50);
    const QImage image = thumbnail.grab().toImage();
    const QPoint end(120 - 4, 50 - 4);
    QVERIFY(Holds(image, QRect(1, 1, 3, 3), Qt::blue));
    QVERIFY(Holds(image, QRect(end, QSize(3, 3)), Qt::blue));
    QCOMPARE(image.pixelColor(3, end.y()), QColor(Qt::yellow));
    QCOMPARE(image.pixelColor(0, end.y()), QColor(Qt::black));
}

void TstFileListCards::rowSize_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("scrollBar");
    QTest::addColumn<int>("height");
    QTest::newRow("narrowest") << 185 << 1 << false << 70;
    QTest::newRow("widest, scrolled") << 300 << 12 << true << 114;
}

void TstFileListCards::rowSize()
{
    QFETCH(int, width);
    QFETCH(int, files);
    QFETCH(bool, scrollBar);
    QFETCH(int, height);
    QStringList names;
    for (int i = 0; i < files; ++i)
        names << QStringLiteral("f%1.sor").arg(i);
    tList list(names, width);

    const int barWidth = scrollBar ? list.list.verticalScrollBar()->width() : 0;
    QTRY_COMPARE(list.list.visualItemRect(list.list.item(files - 1)).size(), QSize(width - barWidth, height));
    QCOMPARE(list.list.verticalScrollBar()->maximum() > 0, scrollBar);
    QCOMPARE(list.list.horizontalScrollBar()->maximum(), 0);
}

void TstFileListCards::cardTexts()
{
    tList files({ "a.sor" });
    const QSharedPointer<tListedFile> listed = CFileList::ListedFile(files.list.item(0));
    sor::CFile& document = *listed->file;
    const auto texts = [&listed](int row) {
        CFileListElementWidget card(row, 0, listed, nullptr);
        QStringList shown;
        for (const QLabel* label : card.findChildren<QLabel*>())
            shown << label->text();
        return shown;
    };

    document.SetModified(true);
    QCOMPARE(texts(0), QStringList({ "№1 ", "13/09/2020 12:26", "Ivanov", "<h3>* a.sor</h3>" }));

    // Just before midnight in UTC (the next morning in local time), no operator.
    document.SetModified(false);
    document.FixedParameters().dateTime = QDateTime::fromSecsSinceEpoch(1609459140, Qt::UTC);
    document.GeneralParameters().operatorName = QString();
    QCOMPARE(texts(11), QStringList({ "№12 ", "31/12/2020 23:59", "<h3>a.sor</h3>" }));
}

void TstFileListCards::cardPixels()
{
    tList files({ "a.sor", "b.sor" });
    CFileList& list = files.list;
    const QRect compared = list.visualItemRect(list.item(0));
    const QRect other = list.visualItemRect(list.item(1));
    const auto picture = [&list] { return list.viewport()->grab().toImage(); };
    const QColor blue(Qt::blue);

    // The swatch shows the compare colour while the file is compared.
    list.setCurrentRow(0);
    QTest::keyClick(&list, Qt::Key_Space);
    QCOMPARE(list.CompareSet().size(), size_t(1));
    const QImage image = picture();
    QVERIFY(Holds(image, compared, blue, 10));
    QVERIFY(!Holds(image, other, blue, 10));
    list.OnUncheckAll();
    QVERIFY(!Holds(picture(), compared, blue, 10));

    // A new plot background reaches the cards drawn before.
    QVERIFY(!Holds(picture(), other, Qt::yellow));
    list.GraphState().background = Qt::yellow;
    list.OnBackgroundChanged();
    QVERIFY(Holds(picture(), other, Qt::yellow));
}

void TstFileListCards::rename_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("Return renames") << "renamed" << int(Qt::Key_Return) << "renamed.sor" << QString();
    QTest::newRow("Escape keeps the name") << "other" << int(Qt::Key_Escape) << "a.b.sor" << QString();
    QTest::newRow("focus loss keeps the name") << "other" << 0 << "a.b.sor" << QString();
    QTest::newRow("forbidden symbol") << "b?c" << int(Qt::Key_Return) << "a.b.sor"
                                      << QStringLiteral("A file name cannot contain any of these characters: \\/:*?\"<>|");
    QTest::newRow("blanks") << "   " << int(Qt::Key_Return) << "a.b.sor" << QString();
    QTest::newRow("refused name") << "c" << int(Qt::Key_Return) << "a.b.sor"
                                  << QStringLiteral("File \"c.sor\" already exists.");
}

void TstFileListCards::rename()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, name);
    QFETCH(QString, message);
    tList files({ "a.b.sor", "c.sor" });
    QVERIFY(QTest::qWaitForWindowActive(&files.list));
    files.list.setCurrentRow(0);
    files.list.GetFile(0)->SetModified(true);
    CBoxAnswerer answerer;

    // The editor holds the name without the star and without its last
    // suffix; Up and Down stay in it.
    files.list.OnRenameFile();
    auto* const editor = files.list.findChild<QLineEdit*>(QStringLiteral("nameEditor"));
    QVERIFY(editor);
    QTRY_VERIFY(editor->hasFocus());
    QCOMPARE(editor->text(), QStringLiteral("a.b"));
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(files.list.currentRow(), 0);

    editor->setText(typed);
    if (key != 0)
        QTest::keyClick(editor, Qt::Key(key));
    else
        files.list.setFocus();
    QTRY_VERIFY(!files.list.findChild<QLineEdit*>(QStringLiteral("nameEditor")));
    QTRY_COMPARE(answerer.Count(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(answerer.Seen()[0].text, message);
    // The list stays sorted by name, and the renamed file stays current.
    QTRY_COMPARE(files.Name(files.list.currentRow()), name);
    QCOMPARE(files.Name(0) < files.Name(1), true);
    QVERIFY(QFileInfo::exists(files.dir.filePath(name)));
}

void TstFileListCards::toolTip()
{
    tList files({ "a.sor", "b.sor" });
    files.list.GetFile(1)->SetModified(true);
    for (const QString& expected : { QStringLiteral("a.sor"), QStringLiteral("* b.sor") }) {
        const QPoint at = files.list.visualItemRect(files.list.item(expected == "a.sor" ? 0 : 1)).center();
        QHelpEvent event(QEvent::ToolTip, at, files.list.viewport()->mapToGlobal(at));
        QApplication::sendEvent(files.list.viewport(), &event);
        QTRY_COMPARE(QToolTip::text(), expected);
    }
}

QTEST_MAIN(TstFileListCards)
#include "tst_filelistcards.moc"
