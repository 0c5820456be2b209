#include <RangeText.h>

#include <QLocale>
#include <QTest>

#include <limits>

// The text of a value shown only within limits, shared by the event table and
// the marker panel.
class TstRangeText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rangeText_data();
    void rangeText();
};

void TstRangeText::initTestCase()
{
    QLocale locale(QLocale::English);
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(locale);
}

void TstRangeText::rangeText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("limit");
    QTest::addColumn<QString>("text");

    constexpr double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("three decimals") << 1.5 << 16.0 << "1.500";
    QTest::newRow("rounded") << -0.12345 << 16.0 << "-0.123";
    QTest::newRow("above") << 20.0 << 16.0 << ">16";
    QTest::newRow("below") << -75.0 << 70.0 << "<-70";
    QTest::newRow("infinitely high") << inf << 16.0 << ">16";
    QTest::newRow("tiny negative") << -0.0001 << 16.0 << "0.000";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 16.0 << "";
}

void TstRangeText::rangeText()
{
    QFETCH(double, value);
    QFETCH(double, limit);
    QFETCH(QString, text);
    QCOMPARE(sor::RangeText(value, -limit, limit), text);
}

QTEST_MAIN(TstRangeText)
#include "tst_rangetext.moc"
