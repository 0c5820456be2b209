#include "CNumValidator.h"
#include "CStrValidator.h"
#include "CValueEdit.h"
#include "NumValue.h"
#include "StrValue.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QScopeGuard>
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
using UserOffset = NumValue<float, qint32, 10, 2>;
using Averages = NumValue<unsigned int, qint32, 1, 0>;
using NoiseFloor = NumValue<double, quint16, -1000, 2>;
using LossThreshold = NumValue<float, quint16, 1000, 2>;
using EventLoss = NumValue<float, qint16, 1000, 7>;
using EventNumber = NumValue<unsigned int, qint16, 1, 0>;
using ReturnLoss = NumValue<qint16, qint16, 1, 2>;
using Comment = StrValue<101>;

using ValuePtr = QSharedPointer<IValue>;
using NumPtr = QSharedPointer<INumValue>;
Q_DECLARE_METATYPE(ValuePtr)
Q_DECLARE_METATYPE(NumPtr)

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
    void initTestCase()
    {
        QLocale locale(QLocale::English);
        locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        QLocale::setDefault(locale);
    }

    void cleanup() { QToolTip::hideText(); }

    void fromString_data()
    {
        QTest::addColumn<NumPtr>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("stored");

        // Trailing zeros go, and the decimal point with them when nothing is left.
        QTest::newRow("trailing zeros") << Num<Wavelength>() << "1550.000" << true << "1550";
        QTest::newRow("smallest step") << Num<Wavelength>() << "0.000001" << true << "0.000001";
        // Below six decimals only the integer part is left; its zero stays.
        QTest::newRow("rounds to zero") << Num<Wavelength>() << "0.0000004" << true << "0";
        // A float shows the decimal it was given, not its binary noise.
        QTest::newRow("float 65.535") << Num<LossThreshold>() << "65.535" << true << "65.535";
        // Range is not tested when parsing.
        QTest::newRow("float out of range") << Num<Backscatter>() << "80" << true << "80";
        QTest::newRow("unsigned hex") << Num<Averages>() << "0x10" << true << "16";
        QTest::newRow("unsigned negative") << Num<Averages>() << "-1" << false << QString();
        QTest::newRow("short overflow") << Num<ReturnLoss>() << "32768" << false << QString();
    }

    void fromString()
    {
        QFETCH(NumPtr, value);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QCOMPARE(value->FromString(text), accepted);
        if (accepted)
            QTEST(value->ToString(), "stored");
    }

    void numberCheck_data()
    {
        QTest::addColumn<NumPtr>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QValidator::State>("state");
        // {min} and {max} stand for the value's own limit texts.
        QTest::addColumn<QString>("message");

        const QString cantBeNegative = QStringLiteral("Value can't be negative");
        const QString cantBePositive = QStringLiteral("Value can't be positive (put '-' first)");
        const QString cantBeZero = QStringLiteral("Value can't be zero");
        const auto I = QValidator::Invalid;
        const auto M = QValidator::Intermediate;
        const auto A = QValidator::Acceptable;

        // Sign, by the first character alone and before anything else.
        QTest::newRow("minus, positive field") << Num<Wavelength>() << "-" << I << cantBeNegative;
        QTest::newRow("negative garbage, positive field") << Num<UserOffset>() << "-x" << I << cantBeNegative;
        QTest::newRow("point, negative field") << Num<Backscatter>() << "." << I << cantBePositive;
        QTest::newRow("signed zero, negative field") << Num<NoiseFloor>() << "-0" << A << QString();

        // Integer fields refuse a full stop even where the digits would fit.
        QTest::newRow("fraction, event number") << Num<EventNumber>() << "1.5" << I << "Value must be integer";

        // Digit count, without sign and decimal point.
        QTest::newRow("nine digits, float") << Num<Wavelength>() << "123456789" << I << "Max digits count is 8";
        QTest::newRow("sign and point not counted") << Num<Backscatter>() << "-0.000001" << A << QString();
        QTest::newRow("eight digits and point") << Num<EventLoss>() << "-1234.5678" << I << "Minimum value is {min}";

        // Nothing typed yet: the range hint, with zero named when it lies on a limit.
        QTest::newRow("empty wavelength")
            << Num<Wavelength>() << "" << M << "Enter numeric value from 0.000001 to 32767";
        QTest::newRow("empty loss threshold")
            << Num<LossThreshold>() << "" << M << "Enter numeric value from 0 to {max} (can be zero)";
        QTest::newRow("minus, noise floor")
            << Num<NoiseFloor>() << "-" << M << "Enter numeric value from -65.535 to 0 (can be zero)";
        // Zero strictly inside the range needs no mention.
        QTest::newRow("minus, event loss") << Num<EventLoss>() << "-" << M << "Enter numeric value from {min} to {max}";

        // Not a number.
        QTest::newRow("hex in float") << Num<Wavelength>() << "0x10" << I << "Enter a numeric value";
        QTest::newRow("hex in integer") << Num<Averages>() << "0x10" << A << QString();

        // Zero.
        QTest::newRow("zero, loss") << Num<EventLoss>() << "0" << A << QString();
        QTest::newRow("zero, wavelength") << Num<Wavelength>() << "0" << M << cantBeZero;
        // With every digit used up, a zero cannot become anything else.
        QTest::newRow("full zero, wavelength") << Num<Wavelength>() << "0.0000000" << I << cantBeZero;

        // Range.
        QTest::newRow("under step, wavelength") << Num<Wavelength>() << "0.0000001" << I << "Minimum value is 0.000001";
        QTest::newRow("under min, noise floor") << Num<NoiseFloor>() << "-65.536" << I << "Minimum value is -65.535";
        QTest::newRow("over max, wavelength") << Num<Wavelength>() << "32768" << I << "Maximum value is 32767";
        QTest::newRow("over step, backscatter")
            << Num<Backscatter>() << "-0.0000001" << I << "Maximum value is -0.000001";

        // Acceptable.
        QTest::newRow("wavelength at max") << Num<Wavelength>() << "32767" << A << QString();
        QTest::newRow("noise floor at min") << Num<NoiseFloor>() << "-65.535" << A << QString();
        QTest::newRow("trailing point") << Num<Wavelength>() << "1550." << A << QString();
    }

    void numberCheck()
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

    void numberCheckInOtherLocale_data()
    {
        QTest::addColumn<NumPtr>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QValidator::State>("state");
        QTest::addColumn<QString>("message");

        const auto I = QValidator::Invalid;
        const auto M = QValidator::Intermediate;
        const auto A = QValidator::Acceptable;

        // The decimal point of the locale, here a comma.
        QTest::newRow("point alone") << Num<Wavelength>() << "," << M << "Enter numeric value from 0,000001 to 32767";
        QTest::newRow("point not counted") << Num<Wavelength>() << "12345,678" << A << QString();
        // A full stop still marks a fraction in an integer field.
        QTest::newRow("full stop, integer") << Num<EventNumber>() << "1.5" << I << "Value must be integer";
        QTest::newRow("comma, integer") << Num<EventNumber>() << "1,5" << I << "Enter a numeric value";
    }

    void numberCheckInOtherLocale()
    {
        const QLocale english;
        QLocale german(QLocale::German);
        german.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        QLocale::setDefault(german);
        const auto restore = qScopeGuard([&english] { QLocale::setDefault(english); });
        numberCheck();
    }

    void textCheck_data()
    {
        QTest::addColumn<QByteArray>("codec");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QValidator::State>("state");
        QTest::addColumn<QString>("message");

        const QString a100(100, QLatin1Char('a'));
        const auto I = QValidator::Invalid;
        const auto A = QValidator::Acceptable;
        QTest::newRow("comment at limit") << QByteArray() << a100 << A << QString();
        QTest::newRow("comment too long") << QByteArray() << a100 + 'a' << I << "Maximum string length is 100";
        // The file's codepage decides; the first character it lacks is named, whole beyond 16 bits.
        QTest::newRow("accent in 1251") << QByteArray("Windows-1251") << QString::fromUtf8("Муфта é中") << I
                                        << QString::fromUtf8("The file's codepage has no character \"é\"");
        QTest::newRow("accent in 1250") << QByteArray("Windows-1250") << QString::fromUtf8("café") << A << QString();
        QTest::newRow("emoji in EUC-JP") << QByteArray("EUC-JP") << QString::fromUtf8("中😀") << I
                                         << QString::fromUtf8("The file's codepage has no character \"😀\"");
    }

    void textCheck()
    {
        QFETCH(QByteArray, codec);
        QFETCH(QString, text);
        Comment value;
        CStrValidator validator(nullptr, QString(), &value, codec);
        QString shown = QStringLiteral("stale");
        QTEST(validator.Check(text, &shown), "state");
        QTEST(shown, "message");
    }

    void finalCheckNeedsEditBox()
    {
        Wavelength wavelength(1550.0f);
        QString text = QStringLiteral("0");
        int position = CValidator::FinalCheckMode;

        // Anything but an edit box only gets the state.
        QObject owner;
        CNumValidator unbound(&owner, wavelength.ToString(), &wavelength);
        QCOMPARE(unbound.validate(text, position), QValidator::Intermediate);

        // An edit box of a derived class is still one, and its refusal is reported.
        CustomEdit edit;
        CNumValidator bound(&edit, wavelength.ToString(), &wavelength);
        bool refused = false;
        try {
            bound.validate(text, position);
        } catch (const tValidationRefusal& refusal) {
            refused = true;
            QCOMPARE(refusal.pEdit, static_cast<QLineEdit*>(&edit));
        }
        QVERIFY(refused);
    }

    void commitEdit_data()
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
        QTest::newRow("backscatter") << ValuePtr(new Backscatter(-80.0f)) << "-82.5" << false << QString() << "-82.5";
        QTest::newRow("comment emptied") << ValuePtr(new Comment(QStringLiteral("old"))) << "" << false << QString()
                                         << "";
    }

    void commitEdit()
    {
        QFETCH(ValuePtr, value);
        QFETCH(QString, typed);

        QLineEdit edit;
        const QString before = value->ToString();
        CValueEdit binding(*value, &edit, true);
        QCOMPARE(edit.text(), before);

        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.text(), typed);

        bool thrown = false;
        try {
            binding.Commit();
        } catch (const tValidationRefusal& refusal) {
            thrown = true;
            QTEST(refusal.sMessage, "message");
            QCOMPARE(refusal.pEdit, &edit);
            QCOMPARE(refusal.sKeptText, before);
        }
        QTEST(thrown, "refused");
        QTEST(value->ToString(), "stored");
    }

    void keystrokeRefusalShowsTooltip()
    {
        Backscatter backscatter(-80.0f);
        QWidget window;
        auto* edit = new QLineEdit(&window);
        CValueEdit backscatterBinding(backscatter, edit, true);
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

    void focusShowsHint()
    {
        Wavelength wavelength(1550.0f);
        EventLoss loss(0.0f);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* wavelengthEdit = new QLineEdit(&window);
        auto* lossEdit = new QLineEdit(&window);
        layout->addWidget(wavelengthEdit);
        layout->addWidget(lossEdit);
        CValueEdit wavelengthBinding(wavelength, wavelengthEdit, true);
        CValueEdit lossBinding(loss, lossEdit, true);
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
};

QTEST_MAIN(TstValidators)
#include "tst_validators.moc"
