#include "TestTraces.h"
#include "tPrivateStore.h"

#include <CActiveVerdict.h>
#include <CDistanceUnit.h>
#include <CVerdictMark.h>
#include <CEventList.h>
#include <CFileInfo.h>
#include <CFileList.h>
#include <CFileListElementWidget.h>
#include <CLimitSets.h>
#include <CLimitsDialog.h>
#include <CReportPage.h>
#include <CVerdictLine.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace analysis;
using TestTraces::FileTime;

namespace {

const QColor kPass(0xc6, 0xef, 0xce), kWarn(0xff, 0xe0, 0x8a), kFail(0xff, 0xb3, 0xb3);

} // namespace

// A verdict where the user looks: the event table's cells, the line under
// it, the list card and the report; and the group index that moves every
// event's distance.
class TstVerdictViews : public QObject
{
    Q_OBJECT

    void Choose(const QString& name, const tSpan& span = {})
    {
        CLimitSets::SetActiveName(name);
        CLimitSets::SetActiveSpan(span);
        CActiveVerdict::Reload();
        if (m_table)
            m_table->OnUpdateView();
    }

private slots:
    void init()
    {
        QVERIFY(m_store.IsValid() && m_dir.isValid());
        tPrivateStore::Clear();
        tLimitSet set;
        set.name = QStringLiteral("site");
        set.levels.resize(1);
        set.levels[0].limits[tLimitLevels::NonReflectiveLoss] = { 0.1, 0.3 };
        set.levels[0].limits[tLimitLevels::ReflectiveLoss] = { 0.5, 0.75 };
        set.levels[0].limits[tLimitLevels::Reflectance] = { -45, -35 };
        CLimitSets::SetUserSets({ set });
        // A splice that passes, a connector whose loss warns and whose
        // reflectance fails, and the fibre end.
        TestTraces::tTrace trace;
        trace.samples = TestTraces::Line(3000, 1000, 1);
        trace.events = { { 1, FileTime(1000), 350, 50, 0, "0F9999", "LS", "" },
            { 2, FileTime(2000), 300, 600, -30000, "1F9999", "LS", "" },
            { 3, FileTime(5000), 300, 0, -14000, "1E9999", "LS", "" } };
        QVERIFY(!TestTraces::Write(m_dir.path(), trace, QStringLiteral("a.sor")).isEmpty());
        m_list = std::make_unique<CFileList>();
        m_table = std::make_unique<CEventList>(m_list.get());
        m_line = std::make_unique<CVerdictLine>();
        connect(m_list.get(), &CFileList::sigFileChanged, m_table.get(), &CEventList::OnUpdateView);
        connect(m_table.get(), &CEventList::sigVerdict, m_line.get(), &CVerdictLine::OnVerdict);
        m_list->SetDir(m_dir.path());
        m_table->resize(900, 200);
        m_table->show();
    }

    void cleanup()
    {
        m_line.reset();
        m_table.reset();
        m_list.reset();
        Choose(QString());
        CDistanceUnit::Choose(CDistanceUnit::kFileUnit);
    }

    void cellsLineCardAndReport()
    {
        QVERIFY(!m_line->isVisible());
        Choose(QStringLiteral("site"));
        const CEventList& table = *m_table;
        const struct {
            int row, column;
            QColor colour;
            QChar symbol;
        } cells[] = { { 0, CEventList::ColumnLoss, kPass, QChar(0x2713) }, { 1, CEventList::ColumnLoss, kWarn, '!' },
            { 1, CEventList::ColumnReflectance, kFail, QChar(0x2717) } };
        const QImage shown = m_table->viewport()->grab().toImage();
        for (const auto& cell : cells) {
            const QTableWidgetItem* item = table.item(cell.row, cell.column);
            QCOMPARE(item->background().color(), cell.colour);
            QVERIFY2(item->text().endsWith(cell.symbol), qPrintable(item->text()));
            // The unselected row shows the colour on screen.
            if (cell.row == 1) {
                const QRect rect = table.visualItemRect(item);
                QCOMPARE(shown.pixelColor(rect.topLeft() + QPoint(2, 2)), cell.colour);
            }
        }
        QCOMPARE(table.item(1, CEventList::ColumnLoss)->toolTip(),
            QStringLiteral("WARN: fail above 0.750 dB, warning above 0.500 dB"));
        QVERIFY(m_line->isVisible());
        QVERIFY2(m_line->text().startsWith(QChar(0x2717) + QStringLiteral(" FAIL: event 2 reflectance -30.000 dB > "
                                                                           "-35.000 dB   (limits site, span 0.0000-")),
            qPrintable(m_line->text()));

        const QSharedPointer<tListedFile> listed = CFileList::ListedFile(m_list->item(0));
        const CFileListElementWidget card(0, 0, listed, nullptr);
        const auto* mark = card.findChild<QLabel*>(QStringLiteral("verdictMark"));
        QVERIFY(mark);
        QCOMPARE(mark->text(), QChar(0x2717) + QStringLiteral(" FAIL"));
        // In a row too narrow for the word, the symbol alone.
        CVerdictMark narrow(tCheck::Fail, nullptr);
        narrow.resize(narrow.minimumSizeHint());
        narrow.show();
        QTRY_COMPARE(narrow.text(), QString(QChar(0x2717)));

        const QString html = CReportPage::EventTableHtml(*listed->file);
        QVERIFY(html.contains(QStringLiteral("Limits:</td><td>site</td>")));
        QVERIFY(html.contains(QStringLiteral("<td bgcolor=\"#ffb3b3\"><b>-30.000 ") + QChar(0x2717)));

        // A launch cord past the splice leaves it grey and untested.
        tSpan span;
        span.launchM = 1500;
        Choose(QStringLiteral("site"), span);
        QCOMPARE(table.item(0, CEventList::ColumnLoss)->background().style(), Qt::NoBrush);
        QCOMPARE(table.item(0, CEventList::ColumnLoss)->toolTip(), QStringLiteral("Outside the span: not tested"));
        QCOMPARE(table.item(1, CEventList::ColumnLoss)->background().color(), kWarn);

        // Not judged: no marks anywhere.
        Choose(QString());
        QCOMPARE(table.item(1, CEventList::ColumnReflectance)->background().style(), Qt::NoBrush);
        QVERIFY(!m_line->isVisible());
        const CFileListElementWidget plain(0, 0, listed, nullptr);
        QVERIFY(!plain.findChild<QLabel*>(QStringLiteral("verdictMark")));
        QVERIFY(!CReportPage::EventTableHtml(*listed->file).contains(QStringLiteral("bgcolor")));
    }

    // Span lengths read in the unit the file is shown in (its own, or the one
    // chosen for all) on the verdict line and the report; the limits dialog
    // shows and takes the cords in it, and keeps a length not typed again.
    void spanLengthInShownUnit_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("own");
        QTest::addColumn<QString>("level"); // as the verdict line reads it
        QTest::newRow("metre file") << -1 << int(sor::Metres) << "> 100.0 m";
        QTest::newRow("km file") << -1 << int(sor::Kilometres) << "> 0.1000 km";
        QTest::newRow("feet chosen") << int(sor::Feet) << int(sor::Metres) << "> 328.1 ft";
    }
    void spanLengthInShownUnit()
    {
        QFETCH(int, choice);
        QFETCH(int, own);
        QFETCH(QString, level);
        tLimitSet set { QStringLiteral("length"), false, { tLimitLevels() } };
        set.levels[0].limits[tLimitLevels::SpanLengthMax].fail = 100.0;
        CLimitSets::SetUserSets({ set });
        CDistanceUnit::Choose(choice);
        const QSharedPointer<sor::CFile> file = m_list->GetFile(0);
        file->FixedParameters().distanceUnit = quint32(own);
        tSpan span { 30.48, 12.345, {}, {} };
        Choose(set.name, span);
        const QString line = m_line->text(), unit = level.section(' ', -1);
        QVERIFY2(line.contains(level) && line.endsWith(' ' + unit + "))"), qPrintable(line));
        QVERIFY(CReportPage::EventTableHtml(*file).contains(level.toHtmlEscaped()));

        CLimitsDialog dialog(nullptr, CDistanceUnit::Of(file.data()));
        const double metresPer = CDistanceUnit::MetresPer(CDistanceUnit::Of(file.data()));
        auto* launch = dialog.findChild<QLineEdit*>(QStringLiteral("launch"));
        QCOMPARE(QLocale().toDouble(launch->text()) * metresPer, 30.48);
        launch->setText(QLocale().toString(2.5));
        dialog.accept();
        QCOMPARE(CLimitSets::ActiveSpan(), (tSpan { 2.5 * metresPer, 12.345, {}, {} }));
    }

    // The stored times stay; every distance follows the index, scaled by
    // old / new. "Set the length" finds the index that puts the span's end
    // at the length typed.
    void groupIndexMovesDistances()
    {
        const QSharedPointer<sor::CFile> file = m_list->GetFile(0);
        std::vector<double> before;
        std::vector<quint32> times;
        for (const sor::tKeyEvent& event : file->KeyEvents()) {
            before.push_back(file->TimeToDistance(float(event.time)));
            times.push_back(quint32(event.time));
        }
        const double oldIndex = double(float(file->FixedParameters().groupIndex));
        {
            CFileInfo dialog(file, true);
            auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("GI"));
            edit->setText(QStringLiteral("1.5"));
            edit->setModified(true);
            dialog.accept();
        }
        QCOMPARE(double(float(file->FixedParameters().groupIndex)), double(1.5f));
        for (size_t i = 0; i < before.size(); ++i) {
            QCOMPARE(quint32(file->KeyEvents()[i].time), times[i]);
            const double scaled = before[i] * oldIndex / double(1.5f);
            const double now = file->TimeToDistance(float(file->KeyEvents()[i].time));
            QVERIFY2(std::abs(now - scaled) < 1e-6 * scaled, qPrintable(QStringLiteral("%1 %2").arg(now).arg(scaled)));
        }
        // The table shows the new distances.
        QCOMPARE(m_table->item(2, CEventList::ColumnDistance)->text(),
            QString::number(double(file->TimeToDistance(float(times[2]))) / 1000.0, 'f', 4));

        // The fibre end, the span's end, measured at a length that needs 1.46.
        const double known = double(file->TimeToDistance(float(times[2]))) * 1.5 / 1.46;
        // Typed in the unit the file is shown in, here its own metres.
        file->FixedParameters().distanceUnit = sor::Metres;
        {
            CFileInfo dialog(file, true);
            QTimer::singleShot(0, this, [known] {
                if (auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
                    input->setDoubleValue(input->labelText().endsWith(QStringLiteral("[m]:")) ? known : 1);
                    input->accept();
                }
            });
            dialog.findChild<QPushButton*>(QStringLiteral("setLength"))->click();
            QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("GI"))->text(), QStringLiteral("1.46000"));
            dialog.accept();
        }
        QVERIFY(std::abs(file->TimeToDistance(float(times[2])) - known) < 1e-5 * known);
        // Without full edit the index is not the user's to change.
        CFileInfo locked(file, false);
        QVERIFY(!locked.SetSpanEndLength(5000.0));
    }

private:
    tPrivateStore m_store;
    QTemporaryDir m_dir;
    std::unique_ptr<CFileList> m_list;
    std::unique_ptr<CEventList> m_table;
    std::unique_ptr<CVerdictLine> m_line;
};

QTEST_MAIN(TstVerdictViews)
#include "tst_verdictviews.moc"
