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
using ActualWavelength = NumValue<float, qint16, 10, 0>;
using Backscatter = NumValue<float, qint16, -10, 0>;
using AcquisitionRange = NumValue<float, qint32, 10, 0>;
using UserOffset = NumValue<float, qint32, 10, 2>;
using DataSpacing = NumValue<float, qint32, 100000, 0>;
using Averages = NumValue<unsigned int, qint32, 1, 0>;
using NoiseFloor = NumValue<double, quint16, -1000, 2>;
using LossThreshold = NumValue<float, quint16, 1000, 2>;
using ReflectanceThreshold = NumValue<float, quint16, -1000, 2>;
using EndOfFibreThreshold = NumValue<float, quint16, 1000, 0>;
using ScaleFactor = NumValue<float, qint16, 1000, 5>;
using EventLoss = NumValue<float, qint16, 1000, 7>;
using EventReflectance = NumValue<float, qint32, 1000, 7>;
using EventNumber = NumValue<unsigned int, qint16, 1, 0>;
using EndToEndLoss = NumValue<qint32, qint32, 1, 2>;
using ReturnLoss = NumValue<qint16, qint16, 1, 2>;

using NumPtr = QSharedPointer<INumValue>;
using StrPtr = QSharedPointer<IStrValue>;
Q_DECLARE_METATYPE(NumPtr)
Q_DECLARE_METATYPE(StrPtr)

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
    void rangeTests_data();
    void rangeTests();
    void toString_data();
    void toString();
    void fromString_data();
    void fromString();
    void textInOtherLocale();
    void textValue_data();
    void textValue();
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
    QTest::newRow("actual wavelength") << Num<ActualWavelength>() << 0.000001 << 3276.7 << 8 << true << false << false
                                       << false << true;
    // A negative scale keeps the value below zero.
    QTest::newRow("backscatter") << Num<Backscatter>() << -3276.7 << -0.000001 << 8 << true << false << false << true
                                 << false;
    QTest::newRow("acquisition range") << Num<AcquisitionRange>() << 0.000001 << 214748364.7 << 8 << true << false
                                       << false << false << true;
    QTest::newRow("user offset") << Num<UserOffset>() << 0.0 << 214748364.7 << 8 << true << true << true << false
                                 << true;
    QTest::newRow("data spacing") << Num<DataSpacing>() << 0.000001 << 21474.83647 << 8 << true << false << false
                                  << false << true;
    QTest::newRow("averages") << Num<Averages>() << 1.0 << 2147483647.0 << 9 << false << false << false << false
                              << true;
    // Unsigned in the file: the whole range lies on one side of zero.
    QTest::newRow("noise floor") << Num<NoiseFloor>() << -65.535 << 0.0 << 17 << true << true << true << true << false;
    QTest::newRow("loss threshold") << Num<LossThreshold>() << 0.0 << 65.535 << 8 << true << true << true << false
                                    << true;
    QTest::newRow("reflectance threshold")
        << Num<ReflectanceThreshold>() << -65.535 << 0.0 << 8 << true << true << true << true << false;
    QTest::newRow("end-of-fibre threshold")
        << Num<EndOfFibreThreshold>() << 0.000001 << 65.535 << 8 << true << false << false << false << true;
    // Both signs: zero lies inside the range, whether allowed or not.
    QTest::newRow("scale factor") << Num<ScaleFactor>() << -32.768 << 32.767 << 8 << true << false << false << true
                                  << true;
    QTest::newRow("event loss") << Num<EventLoss>() << -32.768 << 32.767 << 8 << true << true << false << true << true;
    QTest::newRow("event reflectance") << Num<EventReflectance>() << -2147483.648 << 2147483.647 << 8 << true << true
                                       << false << true << true;
    QTest::newRow("event number") << Num<EventNumber>() << 1.0 << 32767.0 << 9 << false << false << false << false
                                  << true;
    QTest::newRow("end-to-end loss") << Num<EndToEndLoss>() << 0.0 << 2147483647.0 << 9 << false << true << true
                                     << false << true;
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

void TstTypedValues::rangeTests_data()
{
    QTest::addColumn<NumPtr>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("zero");
    QTest::addColumn<bool>("belowMin");
    QTest::addColumn<bool>("aboveMax");

    QTest::newRow("wavelength at min") << Num<Wavelength>() << "0.000001" << false << false << false;
    QTest::newRow("wavelength under min") << Num<Wavelength>() << "0.0000001" << false << true << false;
    QTest::newRow("wavelength at max") << Num<Wavelength>() << "32767" << false << false << false;
    QTest::newRow("wavelength over max") << Num<Wavelength>() << "32767.5" << false << false << true;
    QTest::newRow("backscatter at min") << Num<Backscatter>() << "-3276.7" << false << false << false;
    QTest::newRow("backscatter under min") << Num<Backscatter>() << "-3276.8" << false << true << false;
    QTest::newRow("backscatter at max") << Num<Backscatter>() << "-0.000001" << false << false << false;
    QTest::newRow("backscatter over max") << Num<Backscatter>() << "-0.0000001" << false << false << true;
    QTest::newRow("backscatter positive") << Num<Backscatter>() << "80" << false << false << true;
    QTest::newRow("loss threshold zero") << Num<LossThreshold>() << "0" << true << false << false;
    QTest::newRow("loss threshold negative") << Num<LossThreshold>() << "-0.001" << false << true << false;
    QTest::newRow("loss threshold over max") << Num<LossThreshold>() << "65.536" << false << false << true;
    QTest::newRow("noise floor at min") << Num<NoiseFloor>() << "-65.535" << false << false << false;
    QTest::newRow("noise floor under min") << Num<NoiseFloor>() << "-65.536" << false << true << false;
    QTest::newRow("noise floor zero") << Num<NoiseFloor>() << "-0" << true << false << false;
    QTest::newRow("event loss zero") << Num<EventLoss>() << "0" << true << false << false;
    QTest::newRow("event loss under min") << Num<EventLoss>() << "-32.769" << false << true << false;
    QTest::newRow("event number at max") << Num<EventNumber>() << "32767" << false << false << false;
    QTest::newRow("event number over max") << Num<EventNumber>() << "32768" << false << false << true;
    QTest::newRow("averages at max") << Num<Averages>() << "2147483647" << false << false << false;
    QTest::newRow("averages over max") << Num<Averages>() << "2147483648" << false << false << true;
}

void TstTypedValues::rangeTests()
{
    QFETCH(NumPtr, value);
    QFETCH(QString, text);

    QVERIFY(value->FromString(text));
    QTEST(value->IsZero(), "zero");
    QTEST(value->IsBelowMin(), "belowMin");
    QTEST(value->IsAboveMax(), "aboveMax");
}

void TstTypedValues::toString_data()
{
    QTest::addColumn<NumPtr>("value");
    QTest::addColumn<QString>("text");

    // Trailing zeros go, and the decimal point with them when nothing is left.
    QTest::newRow("whole float") << Num<Wavelength>(1550.0f) << "1550";
    QTest::newRow("hundred") << Num<Wavelength>(100.0f) << "100";
    QTest::newRow("ten") << Num<UserOffset>(10.0f) << "10";
    QTest::newRow("fraction") << Num<DataSpacing>(1.4682f) << "1.4682";
    QTest::newRow("half") << Num<Wavelength>(0.5f) << "0.5";
    QTest::newRow("negative") << Num<Backscatter>(-80.0f) << "-80";
    QTest::newRow("smallest step") << Num<Wavelength>(0.000001f) << "0.000001";
    // Below six decimals only the integer part is left; its zero stays.
    QTest::newRow("rounds to zero") << Num<Wavelength>(0.0000004f) << "0";
    QTest::newRow("zero") << Num<LossThreshold>(0.0f) << "0";
    QTest::newRow("double") << Num<NoiseFloor>(-65.535) << "-65.535";
    // A float shows the decimal it was given, not the noise of its binary
    // form: these are the limits of the loss, threshold and backscatter fields.
    QTest::newRow("float 65.535") << Num<LossThreshold>(65.535f) << "65.535";
    QTest::newRow("float -32.768") << Num<EventLoss>(-32.768f) << "-32.768";
    QTest::newRow("float -3276.7") << Num<Backscatter>(-3276.7f) << "-3276.7";
    QTest::newRow("unsigned") << Num<Averages>(12345u) << "12345";
    QTest::newRow("long") << Num<EndToEndLoss>(-123456) << "-123456";
    QTest::newRow("short") << Num<ReturnLoss>(qint16(4321)) << "4321";
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
    QTest::newRow("float fraction") << Num<DataSpacing>() << "1.4682" << true << "1.4682";
    QTest::newRow("double") << Num<NoiseFloor>() << "-65.535" << true << "-65.535";
    // Range is not tested when parsing.
    QTest::newRow("float out of range") << Num<Backscatter>() << "80" << true << "80";
    QTest::newRow("unsigned") << Num<Averages>() << "100" << true << "100";
    QTest::newRow("unsigned hex") << Num<Averages>() << "0x10" << true << "16";
    QTest::newRow("signed hex") << Num<EndToEndLoss>() << "0x10" << true << "16";
    QTest::newRow("signed negative") << Num<EndToEndLoss>() << "-5" << true << "-5";
    QTest::newRow("short") << Num<ReturnLoss>() << "32767" << true << "32767";
    QTest::newRow("float hex") << Num<Wavelength>() << "0x10" << false << QString();
    QTest::newRow("float garbage") << Num<Wavelength>() << "abc" << false << QString();
    QTest::newRow("float empty") << Num<Wavelength>() << "" << false << QString();
    QTest::newRow("group separator") << Num<Wavelength>() << "1,550" << false << QString();
    QTest::newRow("integer with point") << Num<Averages>() << "1.5" << false << QString();
    QTest::newRow("unsigned negative") << Num<Averages>() << "-1" << false << QString();
    QTest::newRow("short overflow") << Num<ReturnLoss>() << "32768" << false << QString();
    QTest::newRow("unsigned overflow") << Num<EventNumber>() << "4294967296" << false << QString();
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

void TstTypedValues::textInOtherLocale()
{
    // Text forms follow the program's locale, decimal point included.
    const QLocale english;
    QLocale german(QLocale::German);
    german.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(german);

    DataSpacing fraction(1.4682f);
    Wavelength whole(1550.0f);
    const QString fractionText = fraction.ToString();
    const QString wholeText = whole.ToString();
    const bool parsed = whole.FromString(QStringLiteral("0,5"));
    QLocale::setDefault(english);

    QCOMPARE(fractionText, QStringLiteral("1,4682"));
    QCOMPARE(wholeText, QStringLiteral("1550"));
    QVERIFY(parsed);
    QCOMPARE(whole.Value(), 0.5f);
}

void TstTypedValues::textValue_data()
{
    QTest::addColumn<StrPtr>("value");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<int>("length");

    QTest::newRow("comment, within") << StrPtr(new StrValue<101>) << 100 << 100;
    QTest::newRow("comment, too long") << StrPtr(new StrValue<101>) << 100 << 150;
    QTest::newRow("supplier name, too long") << StrPtr(new StrValue<32>) << 31 << 32;
}

void TstTypedValues::textValue()
{
    QFETCH(StrPtr, value);
    QFETCH(int, length);

    QTEST(value->MaxLength(), "maxLength");
    // Parsing keeps the text as it is; the length is the validator's and the
    // stream's business.
    const QString text(length, QLatin1Char('x'));
    QVERIFY(value->FromString(text));
    QCOMPARE(value->ToString(), text);
}

QTEST_GUILESS_MAIN(TstTypedValues)
#include "tst_typedvalues.moc"
