#include "CFocusController.h"
#include "CNumValidator.h"
#include "CStrValidator.h"
#include "NumValue.h"
#include "StrValue.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QSharedPointer>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

using namespace CType;

// The instantiations used by the file blocks, named after a field that uses them.
using Wavelength = NumValue<float, qint16, 1, 0>;
using Backscatter = NumValue<float, qint16, -10, 0>;
using Averages = NumValue<unsigned int, qint32, 1, 0>;
using NoiseFloor = NumValue<double, quint16, -1000, 2>;
using ScaleFactor = NumValue<float, qint16, 1000, 5>;
using EventLoss = NumValue<float, qint16, 1000, 7>;
using EventNumber = NumValue<unsigned int, qint16, 1, 0>;
using Comment = StrValue<101>;
using SupplierName = StrValue<32>;

using ValuePtr = QSharedPointer<IValue>;
using NumPtr = QSharedPointer<INumValue>;
using StrPtr = QSharedPointer<IStrValue>;
Q_DECLARE_METATYPE(ValuePtr)
Q_DECLARE_METATYPE(NumPtr)
Q_DECLARE_METATYPE(StrPtr)

template<typename V> static NumPtr Num()
{
    return NumPtr(new V);
}

// An edit box of the program's own kind, derived from QLineEdit.
class CustomEdit : public QLineEdit
{
    Q_OBJECT
};

class TstValidators : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void numberCheck_data();
    void numberCheck();
    void textCheck_data();
    void textCheck();

    void finalCheckNeedsEditBox();

    void commitEdit_data();
    void commitEdit();
    void keystrokeRefusalShowsTooltip();
    void focusShowsHint();
};

void TstValidators::initTestCase()
{
    QLocale locale(QLocale::English);
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(locale);
}

void TstValidators::cleanup()
{
    QToolTip::hideText();
}

void TstValidators::numberCheck_data()
{
    QTest::addColumn<NumPtr>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QValidator::State>("state");
    // {min} and {max} stand for the value's own limit texts.
    QTest::addColumn<QString>("message");

    const QString cantBeNegative = QStringLiteral("Value can't be negative");
    const QString cantBePositive = QStringLiteral("Value can't be positive (put '-' first)");
    const QString notNumeric = QStringLiteral("Enter a numeric value");
    const QString cantBeZero = QStringLiteral("Value can't be zero");
    const auto I = QValidator::Invalid;
    const auto M = QValidator::Intermediate;
    const auto A = QValidator::Acceptable;

    QTest::newRow("negative, positive field") << Num<Wavelength>() << "-5" << I << cantBeNegative;
    QTest::newRow("positive, negative field") << Num<Backscatter>() << "5" << I << cantBePositive;
    QTest::newRow("unsigned zero, negative field") << Num<NoiseFloor>() << "0" << I << cantBePositive;
    QTest::newRow("signed zero, negative field") << Num<NoiseFloor>() << "-0" << A << QString();

    // Integer fields refuse a full stop even where the digits would fit.
    QTest::newRow("fraction, event number") << Num<EventNumber>() << "1.5" << I << "Value must be integer";

    // Digit count, without sign and decimal point.
    QTest::newRow("nine digits, float") << Num<Wavelength>() << "123456789" << I << "Max digits count is 8";
    QTest::newRow("sign and point not counted") << Num<Backscatter>() << "-0.000001" << A << QString();
    QTest::newRow("eight digits and point") << Num<EventLoss>() << "-1234.5678" << I << "Minimum value is {min}";

    // Nothing typed yet: the range hint, with zero named when it lies on a limit.
    QTest::newRow("empty wavelength") << Num<Wavelength>() << "" << M << "Enter numeric value from 0.000001 to 32767";
    QTest::newRow("minus, noise floor") << Num<NoiseFloor>() << "-" << M
                                        << "Enter numeric value from -65.535 to 0 (can be zero)";
    QTest::newRow("minus, backscatter") << Num<Backscatter>() << "-" << M
                                        << "Enter numeric value from {min} to -0.000001";
    // Zero strictly inside the range needs no mention.
    QTest::newRow("minus, event loss") << Num<EventLoss>() << "-" << M << "Enter numeric value from {min} to {max}";

    // Not a number.
    QTest::newRow("letters") << Num<Wavelength>() << "abc" << I << notNumeric;
    QTest::newRow("group separator") << Num<Wavelength>() << "1,550" << I << notNumeric;
    QTest::newRow("not a number") << Num<Wavelength>() << "nan" << I << notNumeric;
    QTest::newRow("hex in integer") << Num<Averages>() << "0x10" << A << QString();

    // Zero.
    QTest::newRow("zero, loss") << Num<EventLoss>() << "0" << A << QString();
    QTest::newRow("zero, wavelength") << Num<Wavelength>() << "0" << M << cantBeZero;
    QTest::newRow("minus zero, scale factor") << Num<ScaleFactor>() << "-0" << M << cantBeZero;
    // With every digit used up, a zero cannot become anything else.
    QTest::newRow("full zero, wavelength") << Num<Wavelength>() << "0.0000000" << I << cantBeZero;

    // Range.
    QTest::newRow("under step, wavelength") << Num<Wavelength>() << "0.0000001" << I << "Minimum value is 0.000001";
    QTest::newRow("under min, noise floor") << Num<NoiseFloor>() << "-65.536" << I << "Minimum value is -65.535";
    QTest::newRow("over max, wavelength") << Num<Wavelength>() << "32768" << I << "Maximum value is 32767";
    QTest::newRow("over step, backscatter") << Num<Backscatter>() << "-0.0000001" << I << "Maximum value is -0.000001";

    // Acceptable.
    QTest::newRow("wavelength") << Num<Wavelength>() << "1550" << A << QString();
    QTest::newRow("trailing point") << Num<Wavelength>() << "1550." << A << QString();
}

void TstValidators::numberCheck()
{
    QFETCH(NumPtr, value);
    QFETCH(QString, text);
    QFETCH(QString, message);
    message.replace(QLatin1String("{min}"), value->MinText());
    message.replace(QLatin1String("{max}"), value->MaxText());

    const QString valueBefore = value->ToString();
    CNumValidator validator(nullptr, valueBefore, value.get());
    QString shown = QStringLiteral("stale");
    QTEST(validator.Check(text, &shown), "state");
    QCOMPARE(shown, message);
    // Checking parses a copy: the value itself stays as it was.
    QCOMPARE(value->ToString(), valueBefore);

    // Without an edit box, validate() is the plain check.
    QString edited = text;
    int position = int(text.size());
    QTEST(validator.validate(edited, position), "state");
    QCOMPARE(edited, text);
}

void TstValidators::textCheck_data()
{
    QTest::addColumn<StrPtr>("value");
    QTest::addColumn<int>("length");
    QTest::addColumn<QValidator::State>("state");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << StrPtr(new Comment) << 0 << QValidator::Acceptable << QString();
    QTest::newRow("comment too long") << StrPtr(new Comment) << 101 << QValidator::Invalid
                                      << "Maximum string length is 100";
    QTest::newRow("supplier name too long")
        << StrPtr(new SupplierName) << 32 << QValidator::Invalid << "Maximum string length is 31";
}

void TstValidators::textCheck()
{
    QFETCH(StrPtr, value);
    QFETCH(int, length);

    CStrValidator validator(nullptr, QString(), value.get());
    QString shown = QStringLiteral("stale");
    QTEST(validator.Check(QString(length, QLatin1Char('a')), &shown), "state");
    QTEST(shown, "message");
}

void TstValidators::finalCheckNeedsEditBox()
{
    Wavelength wavelength(1550.0f);
    QString text = QStringLiteral("0");
    int position = CValidator::FinalCheckMode;

    // Anything but an edit box only gets the state.
    QObject owner;
    CNumValidator unbound(&owner, wavelength.ToString(), &wavelength);
    QCOMPARE(unbound.validate(text, position), QValidator::Intermediate);

    // An edit box of a derived class is still an edit box, and its refusal is
    // reported.
    CustomEdit edit;
    CNumValidator bound(&edit, wavelength.ToString(), &wavelength);
    bool refused = false;
    try {
        bound.validate(text, position);
    } catch (const tValidationRefusal& refusal) {
        refused = true;
        QCOMPARE(refusal.pEdit, static_cast<QLineEdit*>(&edit));
        QCOMPARE(refusal.sMessage, QStringLiteral("Value can't be zero"));
        QCOMPARE(refusal.sKeptText, QStringLiteral("1550"));
    }
    QVERIFY(refused);

    // An acceptable text passes the final check.
    text = QStringLiteral("1310");
    QCOMPARE(bound.validate(text, position), QValidator::Acceptable);
}

void TstValidators::commitEdit_data()
{
    QTest::addColumn<ValuePtr>("value");
    // Typed after the old text is deleted.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored");

    QTest::newRow("emptied") << ValuePtr(new Wavelength(1550.0f)) << "" << true
                             << "Enter numeric value from 0.000001 to 32767"
                             << "1550";
    QTest::newRow("zero") << ValuePtr(new Wavelength(1550.0f)) << "0" << true << "Value can't be zero"
                          << "1550";
    QTest::newRow("minus only") << ValuePtr(new NoiseFloor(-60.0)) << "-" << true
                                << "Enter numeric value from -65.535 to 0 (can be zero)"
                                << "-60";
    QTest::newRow("wavelength") << ValuePtr(new Wavelength(1550.0f)) << "1310" << false << QString() << "1310";
    QTest::newRow("zero allowed") << ValuePtr(new EventLoss(0.25f)) << "0" << false << QString() << "0";
    QTest::newRow("comment") << ValuePtr(new Comment(QStringLiteral("old"))) << "new comment" << false << QString()
                             << "new comment";
}

void TstValidators::commitEdit()
{
    QFETCH(ValuePtr, value);
    QFETCH(QString, typed);
    QFETCH(bool, refused);

    QLineEdit edit;
    const QString before = value->ToString();
    value->Attach(&edit, true);
    QCOMPARE(edit.text(), before);
    QVERIFY(edit.isEnabled());
    QVERIFY(edit.validator());

    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, typed);
    QCOMPARE(edit.text(), typed);

    bool thrown = false;
    try {
        value->CommitEdit();
    } catch (const tValidationRefusal& refusal) {
        thrown = true;
        QTEST(refusal.sMessage, "message");
        QCOMPARE(refusal.pEdit, &edit);
        QCOMPARE(refusal.sKeptText, before);
    }
    QCOMPARE(thrown, refused);
    QTEST(value->ToString(), "stored");
}

void TstValidators::keystrokeRefusalShowsTooltip()
{
    Backscatter backscatter(-80.0f);
    QWidget window;
    auto* edit = new QLineEdit(&window);
    backscatter.Attach(edit, true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("5"));
    QCOMPARE(edit->text(), QStringLiteral("-80"));
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("Value can't be positive (put '-' first)"));

    // An acceptable text takes the explanation away.
    edit->end(false);
    QTest::keyClicks(edit, QStringLiteral("1"));
    QCOMPARE(edit->text(), QStringLiteral("-801"));
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TstValidators::focusShowsHint()
{
    Wavelength wavelength(1550.0f);
    EventLoss loss(0.0f);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* wavelengthEdit = new QLineEdit(&window);
    auto* lossEdit = new QLineEdit(&window);
    layout->addWidget(wavelengthEdit);
    layout->addWidget(lossEdit);
    wavelength.Attach(wavelengthEdit, true);
    loss.Attach(lossEdit, true);
    wavelengthEdit->clear();

    lossEdit->setFocus();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(lossEdit));

    const QString hint = QStringLiteral("Enter numeric value from 0.000001 to 32767");
    wavelengthEdit->setFocus();
    QTRY_COMPARE(QToolTip::text(), hint);

    // Entering a field whose text is fine leaves no stale hint behind.
    lossEdit->setFocus();
    QTRY_VERIFY(!QToolTip::isVisible());

    // Coming back shows the hint again, although it has not changed.
    wavelengthEdit->setFocus();
    QTRY_COMPARE(QToolTip::text(), hint);
}

QTEST_MAIN(TstValidators)
#include "tst_validators.moc"
