#include "NumValue.h"
#include "StrValue.h"

#include <QLocale>
#include <QSharedPointer>
#include <QTest>

#include <cmath>
#include <memory>

using namespace CType;

// The instantiations used by the file blocks, named after a field that uses them.
using Wavelength = NumValue<float, qint16, 1, 0>;
using Backscatter = NumValue<float, qint16, -10, 0>;
using UserOffset = NumValue<float, qint32, 10, 2>;
using DataSpacing = NumValue<float, qint32, 100000, 0>;
using Averages = NumValue<unsigned int, qint32, 1, 0>;
using NoiseFloor = NumValue<double, quint16, -1000, 2>;
using LossThreshold = NumValue<float, quint16, 1000, 2>;
using EventLoss = NumValue<float, qint16, 1000, 7>;
using EventNumber = NumValue<unsigned int, qint16, 1, 0>;
using EndToEndLoss = NumValue<qint32, qint32, 1, 2>;
using ReturnLoss = NumValue<qint16, qint16, 1, 2>;

using NumPtr = QSharedPointer<INumValue>;
Q_DECLARE_METATYPE(NumPtr)

template<typename V> static NumPtr Num()
{
    return NumPtr(new V);
}

template<typename V, typename T> static NumPtr Num(T value)
{
    return NumPtr(new V(value));
}

class TstTypedValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void limits_data();
    void limits();
    void toString_data();
    void toString();
    void fromString_data();
    void fromString();
};

void TstTypedValues::initTestCase()
{
    QLocale locale(QLocale::English);
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(locale);
}

// A limit text read back must give the expected limit. Float limits are
// compared to float precision, since a float cannot hold -3276.7 exactly; a
// limit of zero must read exactly "0".
static bool SameLimit(const QString& text, double expected)
{
    if (expected == 0)
        return text == QLatin1String("0");
    bool ok = false;
    const double parsed = QLocale().toDouble(text, &ok);
    return ok && std::abs(parsed - expected) <= 1e-6 * std::abs(expected);
}

void TstTypedValues::limits_data()
{
    QTest::addColumn<NumPtr>("value");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<bool>("real");
    QTest::addColumn<bool>("canBeZero");
    QTest::addColumn<bool>("zeroAtEdge");
    QTest::addColumn<bool>("canBeNegative");
    QTest::addColumn<bool>("canBePositive");

    // Zero not allowed: a limit at zero moves one step away from it.
    QTest::newRow("wavelength") << Num<Wavelength>() << 0.000001 << 32767.0 << 8 << true << false << false << false
                                << true;
    // A negative scale keeps the value below zero.
    QTest::newRow("backscatter") << Num<Backscatter>() << -3276.7 << -0.000001 << 8 << true << false << false << true
                                 << false;
    QTest::newRow("user offset") << Num<UserOffset>() << 0.0 << 214748364.7 << 8 << true << true << true << false
                                 << true;
    QTest::newRow("averages") << Num<Averages>() << 1.0 << 2147483647.0 << 9 << false << false << false << false
                              << true;
    // Unsigned in the file: the whole range lies on one side of zero.
    QTest::newRow("noise floor") << Num<NoiseFloor>() << -65.535 << 0.0 << 17 << true << true << true << true << false;
    QTest::newRow("event loss") << Num<EventLoss>() << -32.768 << 32.767 << 8 << true << true << false << true << true;
    QTest::newRow("return loss") << Num<ReturnLoss>() << 0.0 << 32767.0 << 4 << false << true << true << false << true;
}

void TstTypedValues::limits()
{
    QFETCH(NumPtr, value);
    QFETCH(double, min);
    QFETCH(double, max);

    QVERIFY2(SameLimit(value->MinText(), min), qPrintable(value->MinText()));
    QVERIFY2(SameLimit(value->MaxText(), max), qPrintable(value->MaxText()));
    QTEST(value->MaxLength(), "maxLength");
    QTEST(value->IsReal(), "real");
    QTEST(value->CanBeZero(), "canBeZero");
    QTEST(value->ZeroAtRangeEdge(), "zeroAtEdge");
    QTEST(value->CanBeNegative(), "canBeNegative");
    QTEST(value->CanBePositive(), "canBePositive");
}

void TstTypedValues::toString_data()
{
    QTest::addColumn<NumPtr>("value");
    QTest::addColumn<QString>("text");

    // Trailing zeros go, and the decimal point with them when nothing is left.
    QTest::newRow("whole float") << Num<Wavelength>(1550.0f) << "1550";
    QTest::newRow("fraction") << Num<DataSpacing>(1.4682f) << "1.4682";
    QTest::newRow("negative") << Num<Backscatter>(-80.0f) << "-80";
    QTest::newRow("smallest step") << Num<Wavelength>(0.000001f) << "0.000001";
    // Below six decimals only the integer part is left; its zero stays.
    QTest::newRow("rounds to zero") << Num<Wavelength>(0.0000004f) << "0";
    QTest::newRow("double") << Num<NoiseFloor>(-65.535) << "-65.535";
    // A float shows the decimal it was given, not the noise of its binary
    // form: these are the limits of the loss, threshold and backscatter fields.
    QTest::newRow("float 65.535") << Num<LossThreshold>(65.535f) << "65.535";
    QTest::newRow("float -32.768") << Num<EventLoss>(-32.768f) << "-32.768";
}

void TstTypedValues::toString()
{
    QFETCH(NumPtr, value);
    QTEST(value->ToString(), "text");
}

void TstTypedValues::fromString_data()
{
    QTest::addColumn<NumPtr>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("stored");

    QTest::newRow("float") << Num<Wavelength>() << "1550" << true << "1550";
    QTest::newRow("double") << Num<NoiseFloor>() << "-65.535" << true << "-65.535";
    // Range is not tested when parsing.
    QTest::newRow("float out of range") << Num<Backscatter>() << "80" << true << "80";
    QTest::newRow("unsigned hex") << Num<Averages>() << "0x10" << true << "16";
    QTest::newRow("signed hex") << Num<EndToEndLoss>() << "0x10" << true << "16";
    QTest::newRow("float hex") << Num<Wavelength>() << "0x10" << false << QString();
    QTest::newRow("float garbage") << Num<Wavelength>() << "abc" << false << QString();
    QTest::newRow("integer with point") << Num<Averages>() << "1.5" << false << QString();
    QTest::newRow("unsigned negative") << Num<Averages>() << "-1" << false << QString();
    QTest::newRow("short overflow") << Num<ReturnLoss>() << "32768" << false << QString();
}

void TstTypedValues::fromString()
{
    QFETCH(NumPtr, value);
    QFETCH(QString, text);
    QFETCH(bool, accepted);

    QCOMPARE(value->FromString(text), accepted);
    if (accepted)
        QTEST(value->ToString(), "stored");
}

QTEST_GUILESS_MAIN(TstTypedValues)
#include "tst_typedvalues.moc"
