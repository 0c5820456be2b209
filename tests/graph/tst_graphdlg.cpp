#include "CGraphDlg.h"
#include "GraphTools.h"
#include "TestPaths.h"
#include "TestTraces.h"
#include "tGraphState.h"

#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

using TestTraces::Load;
using TestTraces::Ramp;

namespace {

// A 10 km trace (last sample 9998 m) falling to 20 dB in a 600 x 400 px plot; markers at 1 and 2 km.
class tPanel
{
public:
    tPanel()
    {
        files.push_back(Load(dir, Ramp(5000, 20000)));
        geometry.SetFiles(&files);
        geometry.Resize(QSize(600, 400));
        panel = std::make_unique<CGraphDlg>(&geometry);
        panel->OnUpdateValues();
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    }

    QLineEdit* Field(const char* name) const { return panel->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    // The text of a typed or a shown value.
    QString Text(const char* name) const
    {
        if (const QLineEdit* field = Field(name))
            return field->text();
        const QLabel* value = panel->findChild<QLabel*>(QString::fromLatin1(name));
        return value ? value->text() : QStringLiteral("(none)");
    }
    bool Shown(const char* name) const
    {
        return panel->findChild<QWidget*>(QString::fromLatin1(name))->isVisibleTo(panel.get());
    }
    double Number(const char* name) const { return QLocale().toDouble(Text(name)); }
    // Types into a position field as a user does: click, select all, type, key.
    void Type(const char* name, const QString& text, Qt::Key key = Qt::Key_Return)
    {
        QLineEdit* field = Field(name);
        QTest::mouseClick(field, Qt::LeftButton);
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, key);
    }

    QTemporaryDir dir;
    tFileSet files;
    tGraphState geometry;
    std::unique_ptr<CGraphDlg> panel;
};

} // namespace

class TstGraphDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale locale(QLocale::English);
        locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        QLocale::setDefault(locale);
    }

    void showsTheMarkers()
    {
        tPanel panel;
        QCOMPARE(panel.Field("lPos")->text(), QStringLiteral("1.0000"));
        QCOMPARE(panel.Field("rPos")->text(), QStringLiteral("2.0000"));
        QCOMPARE(panel.Text("mDistance"), QStringLiteral("1.0000"));
        QCOMPARE(panel.Text("iResolution"), QLocale().toString(2.0, 'f', 3));
        // Levels fall 2 dB per km; the loss from left to right is positive.
        QVERIFY(std::abs(panel.Number("lVal") + 2.0) < 0.01);
        QVERIFY(std::abs(panel.Number("rVal") + 4.0) < 0.01);
        QVERIFY(std::abs(panel.Number("mLoss") - 2.0) < 0.01);
    }

    void typedPosition_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");

        const int enter = Qt::Key_Return;
        QTest::newRow("left 1.5") << QByteArray("lPos") << "1.5" << enter << 1500.0 << 2000.0;
        QTest::newRow("Escape drops the text")
            << QByteArray("lPos") << "1.7" << int(Qt::Key_Escape) << 1000.0 << 2000.0;
        QTest::newRow("not a number") << QByteArray("lPos") << "1.5x" << enter << 1000.0 << 2000.0;
        QTest::newRow("infinite") << QByteArray("lPos") << "inf" << enter << 1000.0 << 2000.0;
        // Past the right marker the left one pushes it along, and it stays pushed.
        QTest::newRow("left past the right marker") << QByteArray("lPos") << "3" << enter << 3000.0 << 3000.0;
        QTest::newRow("beyond the end") << QByteArray("rPos") << "100" << enter << 1000.0 << 9998.0;
    }

    void typedPosition()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(double, left);
        QFETCH(double, right);

        tPanel panel;
        QSignalSpy updates(panel.panel.get(), &CGraphDlg::sigUpdate);
        panel.Type(field.constData(), text, Qt::Key(key));

        const CCursors& cursors = *panel.geometry.cursors;
        QVERIFY(std::abs(cursors.LeftMarker().fPosition - left) < 0.01);
        QVERIFY(std::abs(cursors.RightMarker().fPosition - right) < 0.01);
        // The field lets go of the focus and shows where the marker is.
        QVERIFY(updates.count() >= 1);
        QVERIFY(!panel.Field(field.constData())->hasFocus());
        QCOMPARE(panel.Number("lPos"), std::round(left) / 1000);
        QCOMPARE(panel.Number("rPos"), std::round(right) / 1000);
    }

    void typingIsNotOverwritten()
    {
        tPanel panel;
        // "Set left marker" selects the position; typing replaces it even if the plot changes meanwhile.
        panel.panel->OnSetLeftMarker();
        QLineEdit* field = panel.Field("lPos");
        QVERIFY(field->hasFocus());
        QCOMPARE(field->selectedText(), field->text());
        panel.panel->OnUpdateValues();
        QTest::keyClicks(field, QStringLiteral("4"));
        panel.geometry.cursors->MoveBy(panel.geometry.cursors->RightMarker(), 10);
        panel.panel->OnUpdateValues();
        QCOMPARE(field->text(), QStringLiteral("4"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(std::abs(panel.geometry.cursors->LeftMarker().fPosition - 4000) < 0.01);
        QCOMPARE(field->text(), QStringLiteral("4.0000"));

        // Return on an untouched field leaves the marker, even between two shown decimals.
        panel.geometry.cursors->MoveTo(panel.geometry.cursors->RightMarker(), 5000.04f);
        panel.panel->OnSetRightMarker();
        QTest::keyClick(panel.Field("rPos"), Qt::Key_Return);
        QCOMPARE(panel.geometry.cursors->RightMarker().fPosition, 5000.04f);
    }

    void measurementRows()
    {
        tPanel panel;
        CCursors& cursors = *panel.geometry.cursors;
        const QSize size = panel.panel->sizeHint();
        const auto rows = [&] {
            return QString::fromLatin1("%1%2%3")
                .arg(panel.Shown("mPosition") ? 'P' : '-')
                .arg(panel.Shown("mrReflectance") ? 'R' : '-')
                .arg(panel.Shown("mbAttenuation") ? 'A' : '-');
        };
        QCOMPARE(rows(), QStringLiteral("---"));

        cursors.StartMeasure(CCursors::MeasureReflection);
        panel.panel->OnUpdateValues();
        QCOMPARE(rows(), QStringLiteral("PR-"));
        QCOMPARE(panel.Text("mPosition"), QStringLiteral("1.5000"));
        cursors.AddEvent(false);
        panel.panel->OnUpdateValues();
        QCOMPARE(rows(), QStringLiteral("---"));

        cursors.StartMeasure(CCursors::MeasureSplice);
        panel.panel->OnUpdateValues();
        QCOMPARE(rows(), QStringLiteral("P-A"));
        // The panel, and with it the plot below, keeps its size.
        QCOMPARE(panel.panel->sizeHint(), size);
        cursors.AddEvent(false);
        panel.panel->OnUpdateValues();
        QCOMPARE(rows(), QStringLiteral("---"));
    }

    void valuesAreNotCut_data()
    {
        QTest::addColumn<QString>("path");
        QStringList paths = TestPaths::SorFiles(TestPaths::SamplesDir());
        const QString real = TestPaths::SharedSamplesDir(QStringLiteral("v1"));
        if (!real.isEmpty())
            paths += TestPaths::SorFiles(real);
        QVERIFY(!paths.isEmpty());
        for (const QString& path : paths)
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
    }

    void valuesAreNotCut()
    {
        QFETCH(QString, path);
        quint32 warnings = 0;
        tFileSet files;
        files.push_back(QSharedPointer<tListedFile>::create(QSharedPointer<sor::CFile>::create(path, warnings)));
        tGraphState geometry;
        geometry.SetFiles(&files);
        geometry.Resize(QSize(900, 400));
        QWidget plot;
        plot.resize(900, 400);
        GraphTools tools(&geometry, &plot);
        tools.resize(1400, 160);
        tools.show();
        // Reflection measurement, right marker at the trace end: every field shows something.
        geometry.cursors->MoveTo(geometry.cursors->RightMarker(), geometry.cursors->MaxDistance());
        geometry.cursors->StartMeasure(CCursors::MeasureReflection);
        tools.Panel()->OnUpdateValues();
        QVERIFY(tools.Panel()->isVisible());
        tools.layout()->activate();

        const QList<QLabel*> labels = tools.Panel()->findChildren<QLabel*>();
        for (const QLabel* label : labels) {
            if (!label->isVisibleTo(tools.Panel()) || label->text().isEmpty())
                continue;
            QVERIFY2(label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(label->text()),
                qPrintable(QStringLiteral("%1: %2").arg(label->objectName(), label->text())));
        }
        for (const QLineEdit* field : tools.Panel()->findChildren<QLineEdit*>()) {
            if (field->objectName() != QStringLiteral("sComment"))
                QVERIFY2(
                    field->width() > field->fontMetrics().horizontalAdvance(field->text()), qPrintable(field->text()));
        }
    }
};

QTEST_MAIN(TstGraphDlg)
#include "tst_graphdlg.moc"
