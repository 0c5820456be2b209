#include <CFileList.h>
#include <CPrinter.h>
#include <CPrinterList.h>
#include <CReportFacts.h>
#include <CReportPage.h>
#include <SorBuilder.h>
#include <TestPaths.h>
#include <tListFolder.h>
#include <tSampleMapping.h>

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <functional>

namespace {

constexpr int kPoints = 10000;
constexpr double kLight = 0.299792458; // metres per ns

// A trace of 10 000 samples 5 ns apart with one event at `eventMetres`,
// written into `dir` and loaded.
QSharedPointer<sor::CFile> Document(const QString& dir, const QString& name, qint32 groupIndex = 146800,
    double eventMetres = 9000, SorBuilder::tGeneral general = {}, SorBuilder::tSupplier supplier = {},
    const QByteArray& eventComment = "")
{
    using namespace SorBuilder;
    tFixed fixed;
    fixed.groupIndex = groupIndex;
    fixed.pulses[0].points = kPoints;
    tDataPoints points;
    points.groups[0].samples.resize(kPoints);
    for (int i = 0; i < kPoints; ++i)
        points.groups[0].samples[size_t(i)] = quint16(2000 + i * 2 + (i % 7) * 40);
    tKeyEvents events;
    events.events[0].time = qint32(std::llround(eventMetres * groupIndex / 1e5 / kLight * 10));
    events.events[0].comment = eventComment;
    const QString path = dir + QLatin1Char('/') + name;
    WriteFile(path, Assemble({ { "GenParams", 100, GeneralBody(general), {} },
        { "SupParams", 100, SupplierBody(supplier), {} }, { "FxdParams", 100, FixedBody(fixed), {} },
        { "KeyEvents", 100, KeyEventsBody(events), {} }, { "DataPts", 100, DataPointsBody(points), {} } }));
    quint32 warnings = 0;
    return QSharedPointer<sor::CFile>::create(path, warnings);
}

// Runs `answer` on the next modal dialog of type T once it is open.
template<class T> void Answer(const std::function<void(T*)>& answer, int tries = 500)
{
    QTimer::singleShot(10, [answer, tries] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            answer(dialog);
        else if (tries > 0)
            Answer<T>(answer, tries - 1);
    });
}

// The text of each page of a PDF.
QStringList PdfPages(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), { path, QStringLiteral("-") });
    process.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    pages.removeLast();
    return pages;
}

} // namespace

class TstPrinter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void jobs_data();
    void jobs();
    void fileTextsPrintAsWritten();
    void deviceLine_data();
    void deviceLine();
    void eventMarkAtItsDistance();
    void smallPageStaysOnIt();
    void longEventTableContinues_data();
    void longEventTableContinues();
    void previewGivesTheWindowBack();
    // The later layout stores the return loss unsigned: 37.78 dB is not negative.
    void laterLayoutReturnLoss();

private:
    QTemporaryDir m_dir;
    QWidget m_window;
    std::unique_ptr<CFileList> m_list;
};

void TstPrinter::init()
{
    QVERIFY(m_dir.isValid());
    for (const char* name : { "a.sor", "b.sor", "c.sor" })
        QVERIFY(Document(m_dir.path(), name));
    m_list = std::make_unique<CFileList>(&m_window);
    m_list->SetDir(m_dir.path());
    m_list->setCurrentRow(0);
    tGraphState& geometry = m_list->GraphState();
    geometry.Resize(QSize(600, 300));
    geometry.cursors->MoveTo(geometry.cursors->RightMarker(), 2500);
    geometry.cursors->MoveTo(geometry.cursors->LeftMarker(), 1000);
}

void TstPrinter::jobs_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("pageFiles");
    QTest::newRow("work area") << QList<int>() << QStringList { "a.sor" };
    QTest::newRow("two files in the order chosen") << QList<int> { 0, 3, 1 } << QStringList { "c.sor", "a.sor" };
    QTest::newRow("nothing chosen") << QList<int> { 0 } << QStringList();
}

void TstPrinter::jobs()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, pageFiles);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    CPrinter printer(m_list.get(), &m_window);
    tScriptedDialogs dialogs;
    const QString pdf = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    dialogs.answers << pdf;
    printer.SetFileDialogs(&dialogs);
    Answer<CPrinterList>([clicks](CPrinterList* list) {
        for (const int row : clicks) {
            const QRect rect = list->List()->visualItemRect(list->List()->item(row));
            QTest::mouseClick(list->List()->viewport(), Qt::LeftButton, {}, rect.center());
        }
        list->accept();
    });
    printer.ExportPdf();

    QCOMPARE(QFile::exists(pdf), !pageFiles.isEmpty());
    QCOMPARE(dialogs.asked.size(), pageFiles.isEmpty() ? 0 : 1);
    if (pageFiles.isEmpty())
        return;
    const QStringList pages = PdfPages(pdf);
    QCOMPARE(pages.size(), pageFiles.size());
    const bool workArea = clicks.isEmpty();
    for (int i = 0; i < pages.size(); ++i) {
        QVERIFY2(pages[i].contains(pageFiles[i]), qPrintable(pages[i]));
        for (const char* reading : { "1.000 km", "2.500 km", "1.500 km" })
            QCOMPARE(pages[i].contains(QLatin1String(reading)), workArea);
    }
}

// Markup in any text of a file is shown as written, in the header and in the
// event table.
void TstPrinter::fileTextsPrintAsWritten()
{
    SorBuilder::tGeneral general;
    general.operatorName = "op <b>x</b>";
    general.cableId = "ca<b/c";
    general.fiberId = "fi&amp;\"x\"";
    general.comment = "a<b/c %2";
    SorBuilder::tSupplier supplier;
    supplier.mainframeId = "<i>M</i>";
    supplier.mainframeSerial = "S/2&lt;";
    const QTemporaryDir dir;
    const auto file = Document(dir.path(), QStringLiteral("n<a&b>.sor"), 146800, 9000, general, supplier, "e<v>/t");
    QVERIFY(file);
    QTextDocument page;
    page.setHtml(CReportPage::HeaderHtml(*file, QDateTime::currentDateTime()) + CReportPage::EventTableHtml(*file));
    const QString text = page.toPlainText();
    for (const char* written :
        { "op <b>x</b>", "ca<b/c", "fi&amp;\"x\"", "a<b/c %2", "<i>M</i>", "S/2&lt;", "n<a&b>.sor", "e<v>/t" })
        QVERIFY2(text.contains(QString::fromUtf8(written)), written);
}

// The report's instrument line: maker, model and serial number where the file
// holds them, nothing dangling where it does not.
void TstPrinter::deviceLine_data()
{
    QTest::addColumn<QByteArrayList>("fields"); // maker, model, serial, module, module serial
    QTest::addColumn<QString>("line");
    QTest::newRow("padded") << QByteArrayList { "JDSU ", "EOTDR  ", "2537 ", "", "" }
                            << QStringLiteral("JDSU EOTDR \u21162537");
    QTest::newRow("no serial") << QByteArrayList { "JDSU", "EOTDR", " ", "EOTDR-1625", "2537" }
                               << QStringLiteral("JDSU EOTDR");
    QTest::newRow("blank mainframe, named module") << QByteArrayList { " ", " ", " ", "MAX-730C", "1327161" }
                                                   << QStringLiteral("MAX-730C \u21161327161");
    QTest::newRow("nothing") << QByteArrayList { " ", "", "", "", "" } << QString();
}

void TstPrinter::deviceLine()
{
    QFETCH(QByteArrayList, fields);
    const SorBuilder::tSupplier supplier { fields[0], fields[1], fields[2], fields[3], fields[4], "1.0", "" };
    const QTemporaryDir dir;
    const auto file = Document(dir.path(), QStringLiteral("d.sor"), 146800, 9000, {}, supplier);
    QTEST(CReportFacts::Device(*file), "line");
    QTextDocument page;
    page.setHtml(CReportPage::HeaderHtml(*file, QDateTime::currentDateTime()));
    QVERIFY2(
        page.toPlainText().contains("Device:\n" + CReportFacts::Device(*file) + '\n'), qPrintable(page.toPlainText()));
}

// The mark of an event stands on the pixel column of its distance, which
// follows the file's group index.
void TstPrinter::eventMarkAtItsDistance()
{
    for (const qint32 groupIndex : { 144000, 150000 }) {
        const QTemporaryDir dir;
        const auto file = Document(dir.path(), QStringLiteral("gi.sor"), groupIndex, 9000);
        QVERIFY(file);
        QImage image(794, 1123, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const QRect box = CReportPage::Draw(painter, image.rect(), *file, nullptr, QDateTime::currentDateTime());
        painter.end();

        const tSampleMapping mapping = tSampleMapping::Make(box,
            CReportPage::TraceData(*file, box, QFontMetrics(QFont(QStringLiteral("Arial"), 8), &image)),
            file->Resolution(), file->PointCount());
        // Around the mark: its number stands clear of it.
        const int markY = mapping.ValueY(file->ValueAt(9000));
        const auto blackIn = [&](int x) {
            int count = 0;
            for (int y = markY - 6; y <= markY + 6; ++y)
                count += image.pixel(x, y) == qRgb(0, 0, 0);
            return count;
        };
        const int x = mapping.DistanceX(9000);
        QVERIFY2(blackIn(x) >= 11, qPrintable(QStringLiteral("%1: %2").arg(groupIndex).arg(blackIn(x))));
        QCOMPARE(blackIn(x - 2) + blackIn(x + 2), 2);
    }
}

// A page too small for its header still shows the header above a trace box
// of the least height, and nothing lands outside the page.
void TstPrinter::smallPageStaysOnIt()
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect page(50, 40, 300, 200);
    QPainter painter(&image);
    const QRect box = CReportPage::Draw(painter, page, *m_list->GetFile(0), nullptr, QDateTime::currentDateTime());
    painter.end();
    QVERIFY(page.contains(box));
    QVERIFY2(box.height() >= page.height() / 6 - 4, qPrintable(QString::number(box.height())));
    int inkAbove = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool ink = image.pixel(x, y) != qRgb(255, 255, 255);
            QVERIFY(!ink || page.contains(x, y));
            inkAbove += ink && y < box.top() - 2 && x < page.right() - page.width() / 4;
        }
    }
    QVERIFY(inkAbove > 100);
}

void TstPrinter::longEventTableContinues_data()
{
    QTest::addColumn<QPageLayout>("layout");
    QTest::newRow("A4 portrait")
        << QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    QTest::newRow("Letter landscape")
        << QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10));
}

// With 24 events the trace keeps half the page, the table goes on over the
// next page, and the page names the link and prints each axis label once.
void TstPrinter::longEventTableContinues()
{
    QFETCH(QPageLayout, layout);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    using namespace SorBuilder;
    tFixed fixed;
    fixed.pulses[0].points = kPoints;
    tDataPoints points;
    points.groups[0].samples.resize(kPoints);
    for (int i = 0; i < kPoints; ++i)
        points.groups[0].samples[size_t(i)] = quint16(2000 + i * 2 + (i % 7) * 40);
    tKeyEvents events;
    events.events.resize(24);
    for (int i = 0; i < 24; ++i) {
        events.events[size_t(i)].number = qint16(i + 1);
        events.events[size_t(i)].time = 2000 + i * 3000;
    }
    tGeneral general;
    general.originatingLocation = "Depot A";
    general.terminatingLocation = "Hill B";
    const QString path = m_dir.filePath(QStringLiteral("long.sor"));
    WriteFile(path, Assemble({ { "GenParams", 100, GeneralBody(general), {} },
        { "SupParams", 100, SupplierBody({}), {} }, { "FxdParams", 100, FixedBody(fixed), {} },
        { "KeyEvents", 100, KeyEventsBody(events), {} },
        { "DataPts", 100, DataPointsBody(points), {} } }));
    quint32 warnings = 0;
    const auto file = QSharedPointer<sor::CFile>::create(path, warnings);
    QCOMPARE(int(file->KeyEvents().size()), 24);

    const QString pdf = m_dir.filePath(QStringLiteral("long.pdf"));
    QString error;
    QVERIFY2(
        CReportPage::WritePdf(pdf, { tPrinterListFile { file } }, nullptr, layout, 300, &error), qPrintable(error));
    const QStringList pages = PdfPages(pdf);
    QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
    QVERIFY(pages[0].contains(QStringLiteral("Depot A")) && pages[0].contains(QStringLiteral("Hill B")));
    QVERIFY(pages[0].contains(QStringLiteral("End-to-end loss:")));
    QVERIFY(pages.last().contains(QStringLiteral("Comment")));
    const QRegularExpression level(QStringLiteral("-\\d+\\.\\d dB"));
    for (const QRegularExpressionMatch& match : level.globalMatch(pages[0]))
        QCOMPARE(pages[0].count(match.captured()), 1);

    QImage image(layout.paintRectPixels(100).size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    int next = 0;
    const QRect box = CReportPage::Draw(painter, image.rect(), *file, nullptr, QDateTime::currentDateTime(), &next);
    QVERIFY2(box.height() >= image.height() / 2 - 4, qPrintable(QString::number(box.height())));
    QVERIFY(next >= 0 && next < 24);
    QCOMPARE(CReportPage::DrawTableContinued(painter, image.rect(), *file, next), 24);
    // Under the box, a room too small for one row leaves the table to the next
    // page instead of a shrunken row; a page of its own always takes one.
    const auto html = [&file](int rows) { return CReportPage::EventTableHtml(*file, 0, rows); };
    for (const bool ownPage : { false, true })
        QCOMPARE(CReportPage::RowsThatFit(painter, image.width(), 5, 24, html, ownPage), ownPage ? 1 : 0);
}

// The preview takes the window's place, maximised when the window is, and
// gives it back as it was.
void TstPrinter::previewGivesTheWindowBack()
{
    for (const bool maximized : { true, false }) {
        m_window.setGeometry(100, 100, 500, 400);
        maximized ? m_window.showMaximized() : m_window.showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
        const QRect before = m_window.geometry();
        CPrinter printer(m_list.get(), &m_window);
        bool previewMaximized = !maximized;
        bool windowHidden = false;
        Answer<CPrinterList>([&](CPrinterList* list) {
            Answer<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
                previewMaximized = preview->isMaximized();
                windowHidden = !m_window.isVisible();
                preview->reject();
            });
            list->accept();
        });
        printer.Preview();
        QCOMPARE(previewMaximized, maximized);
        QVERIFY(windowHidden);
        QVERIFY(m_window.isVisible());
        QCOMPARE(m_window.isMaximized(), maximized);
        QTRY_COMPARE(m_window.geometry(), before);
    }
}

void TstPrinter::laterLayoutReturnLoss()
{
    const QString path = TestPaths::SharedSamplesDir(QStringLiteral("v2"))
        + QStringLiteral("/example4-exfo-ftb4ftbx730c-mfdgainer-1550nm.sor");
    if (!QFile::exists(path))
        QSKIP("the shared later-layout files are not here");
    quint32 warnings = 0;
    const sor::CFile file(path, warnings);
    const QString facts = CReportFacts::Html(file);
    QVERIFY2(facts.contains(QStringLiteral("37.780")), qPrintable(facts));
}

QTEST_MAIN(TstPrinter)
#include "tst_printer.moc"
