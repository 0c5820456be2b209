#include "ComparePalette.h"
#include "tListedFile.h"

#include <QTest>
#include <QVariant>

class TstListedFile : public QObject
{
    Q_OBJECT

private slots:
    void newRecord();
    void palette_data();
    void palette();
    void travelsInVariant();
};

void TstListedFile::newRecord()
{
    const tListedFile listed;
    QVERIFY(listed.file.isNull());
    QCOMPARE(listed.colour, QColor(Qt::blue));
    QCOMPARE(listed.fZoomX, 1.0f);
    QCOMPARE(listed.fZoomY, 1.0f);
    QCOMPARE(listed.nCentreX, 0);
    QCOMPARE(listed.nCentreY, 0);
    QCOMPARE(listed.nSlot, -1);
}

void TstListedFile::palette_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QColor>("dark");
    QTest::addColumn<QColor>("bright");

    QTest::newRow("0") << 0 << QColor(Qt::darkBlue) << QColor(Qt::blue);
    QTest::newRow("1") << 1 << QColor(Qt::darkGreen) << QColor(Qt::green);
    QTest::newRow("2") << 2 << QColor(Qt::darkYellow) << QColor(Qt::yellow);
    QTest::newRow("3") << 3 << QColor(Qt::darkMagenta) << QColor(Qt::magenta);
    QTest::newRow("4") << 4 << QColor(Qt::darkRed) << QColor(Qt::red);
    QTest::newRow("5") << 5 << QColor(Qt::darkCyan) << QColor(Qt::cyan);
    QTest::newRow("6") << 6 << QColor(Qt::darkGray) << QColor(Qt::gray);
    QTest::newRow("7 is outside") << 7 << QColor(Qt::darkBlue) << QColor(Qt::darkBlue);
    QTest::newRow("-1 is outside") << -1 << QColor(Qt::darkBlue) << QColor(Qt::darkBlue);
}

void TstListedFile::palette()
{
    QFETCH(int, slot);
    QFETCH(QColor, dark);
    QFETCH(QColor, bright);

    QCOMPARE(ComparePalette(slot, false), dark);
    QCOMPARE(ComparePalette(slot, true), bright);
}

void TstListedFile::travelsInVariant()
{
    auto listed = QSharedPointer<tListedFile>::create();
    listed->nSlot = 3;
    const QVariant variant = QVariant::fromValue(listed);
    QVERIFY(variant.canConvert<QSharedPointer<tListedFile>>());
    QCOMPARE(variant.value<QSharedPointer<tListedFile>>(), listed);

    // List items are filled and read through the registered name as well.
    const QMetaType type = QMetaType::fromName("QSharedPointer<tListedFile>");
    QVERIFY(type.isValid());
    QCOMPARE(type, variant.metaType());
    QVariant byName(type);
    byName.setValue(listed);
    QCOMPARE(byName.value<QSharedPointer<tListedFile>>()->nSlot, 3);
}

QTEST_MAIN(TstListedFile)
#include "tst_listedfile.moc"
