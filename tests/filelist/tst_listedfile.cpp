#include "ComparePalette.h"
#include "tListedFile.h"

#include <QTest>
#include <QVariant>

#include <algorithm>
#include <cmath>

class TstListedFile : public QObject
{
    Q_OBJECT

private slots:
    void newRecord();
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

// Contrast ratio of two colours as the accessibility guidelines define it.
static double Contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void TstListedFile::palette()
{
    // Every slot's colours read on the plot's default background, and the
    // current file's colour differs from the others' in its slot and from the
    // current colours of the other slots.
    const QColor background(218, 236, 255);
    for (int slot = 0; slot < kCompareSlots; ++slot) {
        for (const bool bright : { false, true })
            QVERIFY2(Contrast(ComparePalette(slot, bright), background) >= 3.0, qPrintable(QString::number(slot)));
        QVERIFY(ComparePalette(slot, true) != ComparePalette(slot, false));
        for (int other = 0; other < slot; ++other)
            QVERIFY(ComparePalette(slot, true) != ComparePalette(other, true));
    }
    for (const int outside : { -1, kCompareSlots })
        QCOMPARE(ComparePalette(outside, true), QColor(Qt::darkBlue));
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
