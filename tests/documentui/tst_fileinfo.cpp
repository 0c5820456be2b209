#include "CBoxAnswerer.h"
#include "TestPaths.h"

#include <CFileInfo.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

// A text typed into a widget (a combo box takes the item index) and the dump
// field that then holds it, or `stored`; no field when nothing may change, no
// widget for a field that follows another.
struct tEdit
{
    QString widget, text, field;
    const char* stored = nullptr;
};
using tEdits = QList<tEdit>;
Q_DECLARE_METATYPE(tEdits)

namespace {

void Flatten(const QJsonValue& value, const QString& path, QVariantMap& out)
{
    const QString prefix = path.isEmpty() ? path : path + '.';
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            Flatten(it.value(), prefix + it.key(), out);
    } else if (value.isArray()) {
        for (int i = 0; i < value.toArray().size(); ++i)
            Flatten(value.toArray()[i], prefix + QString::number(i), out);
    } else {
        out.insert(path, value.toVariant());
    }
}

// Every field of the file as the command-line tool reads it, but for the
// derived values (trace section, block sizes, distances from the group index).
QVariantMap Dump(const QString& path)
{
    QProcess tool;
    tool.start(QDir(TestPaths::BinDir()).filePath(QStringLiteral("lumetrix-sor")),
        { QStringLiteral("dump"), QStringLiteral("--points"), path });
    QVariantMap fields;
    if (tool.waitForFinished(60000) && tool.exitCode() == 0)
        Flatten(QJsonDocument::fromJson(tool.readAllStandardOutput()).object(), QString(), fields);
    fields.removeIf([](const auto& field) {
        return field.key().startsWith(QLatin1String("trace.")) || field.key().endsWith(QLatin1String(".size"))
            || field.key().endsWith(QLatin1String(".distance"));
    });
    return fields;
}

// Types into the widget as the user does: the page is shown, the old text
// replaced keystroke by keystroke (characters beyond Latin-1 included).
void Type(CFileInfo& dialog, const QString& name, const QString& text)
{
    QWidget* widget = dialog.findChild<QWidget*>(name);
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tabs"));
    for (int page = 0; page < tabs->count(); ++page)
        tabs->setCurrentIndex(tabs->widget(page)->isAncestorOf(widget) ? page : tabs->currentIndex());
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->setCurrentIndex(text.toInt());
    auto* edit = qobject_cast<QLineEdit*>(widget);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void Click(CFileInfo& dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

} // namespace

// The file information dialog on a copy of a sample trace (Windows-1251,
// condition "CC"), driven through its widgets; what it writes is read back
// with lumetrix-sor.
class TstFileInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void confirmWritesExactlyTheEdits_data();
    void confirmWritesExactlyTheEdits();
    void derivedDistances_data();
    void derivedDistances();
    void refusedOrLeft_data();
    void refusedOrLeft();
    void laterLayoutDistancesFollow();

private:
    QTemporaryDir m_dir;
    QString m_path;
    QSharedPointer<sor::CFile> m_file;
};

void TstFileInfo::initTestCase()
{
    QLocale locale(QLocale::English);
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(locale);
}

void TstFileInfo::init()
{
    m_path = m_dir.filePath(QStringLiteral("trace.sor"));
    QFile::remove(m_path);
    QVERIFY(QFile::copy(QDir(TestPaths::SamplesDir()).filePath(QStringLiteral("1310_02km_city.sor")), m_path));
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    quint32 warnings = 0;
    m_file.reset(new sor::CFile(m_path, warnings));
}

void TstFileInfo::confirmWritesExactlyTheEdits_data()
{
    QTest::addColumn<bool>("fullEdit");
    QTest::addColumn<tEdits>("edits");

    // Fields outside the description are not taken without full edit.
    QTest::newRow("description only") << false
                                      << tEdits { { "CMT", "Re-measured", "general.comment" },
                                             { "CDF", "2", "general.currentDataFlag" }, { "GI", "1.5", "" } };
    // Characters Windows-1251 lacks are refused as they are typed.
    QTest::newRow("every editable field")
        << true << tEdits {
            { "CID", "CBL-900", "general.cableId" }, { "FID", "F77", "general.fiberId" },
            { "OL", "Hub A", "general.originatingLocation" }, { "TL", "Hub B", "general.terminatingLocation" },
            { "CDF", "0", "general.currentDataFlag" }, { "CCD", "", "general.cableCode" },
            { "OP", "A. Smith", "general.operatorName" }, { "CMT", "Муфта é", "general.comment", "Муфта " },
            { "SN", "Norvane", "supplier.supplierName" },
            { "OMID", "OM-7", "supplier.opticalModuleId" }, { "OMSN", "M123", "supplier.opticalModuleSerial" }, { "MFID", "LS-3000", "supplier.mainframeId" },
            { "OTDR", "LS3-1", "supplier.mainframeSerial" }, { "SR", "v2中", "supplier.softwareRevision", "v2" },
            { "OT", "bench", "supplier.otherInfo" }, { "BC", "-81.5", "fixed.backscatter" },
            { "LT", "0.1", "fixed.lossThreshold" }, { "RT", "-60", "fixed.reflectanceThreshold" },
            { "ET", "5", "fixed.endOfFiberThreshold" }, { "AWnm", "1551.2", "fixed.actualWavelength" },
            { "GI", "1.4682", "fixed.groupIndex" }, { "ARns", "50000", "fixed.acquisitionRange" },
            { "DSns", "10", "fixed.dataSpacing" }, { "", "10", "fixed.pulses.0.dataSpacing" },
            { "PWUns", "30", "fixed.pulseWidth" }, { "", "30", "fixed.pulses.0.pulseWidth" },
            { "NAV", "2048", "fixed.averages" } };
}

void TstFileInfo::confirmWritesExactlyTheEdits()
{
    QFETCH(bool, fullEdit);
    QFETCH(tEdits, edits);

    QVariantMap expected = Dump(m_path);
    QVERIFY(!expected.isEmpty());
    CFileInfo dialog(m_file, fullEdit);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Information [trace.sor]"));
    QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("CDF"))->currentIndex(), 1);
    dialog.show();
    for (const tEdit& edit : edits) {
        if (!edit.widget.isEmpty())
            Type(dialog, edit.widget, edit.text);
        if (!edit.field.isEmpty()) {
            const bool number = expected[edit.field].typeId() == QMetaType::Double;
            expected[edit.field] = edit.stored ? QString::fromUtf8(edit.stored)
                : number                     ? QVariant(edit.text.toDouble())
                                             : QVariant(edit.text);
        }
    }
    QSignalSpy changed(m_file.get(), &sor::CFile::sigFileChanged);
    Click(dialog, QDialogButtonBox::Ok);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(changed.count(), 1);
    m_file->Save();

    const QVariantMap saved = Dump(m_path);
    QCOMPARE(saved.keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(saved[it.key()] == it.value(), qPrintable(it.key() + ": " + saved[it.key()].toString()));
}

void TstFileInfo::derivedDistances_data()
{
    QTest::addColumn<tEdits>("edits");
    QTest::addColumn<QString>("rangeKm");
    QTest::addColumn<QString>("spacingM");

    QTest::newRow("typed index and range")
        << tEdits { { "GI", "1.468", "" }, { "ARns", "100000", "" } } << "20.4218" << "1.24975";
    QTest::newRow("index of 0") << tEdits { { "GI", "0", "" } } << "Check GI" << "Check GI";
    QTest::newRow("empty spacing") << tEdits { { "DSns", "", "" } } << "2.5" << "<=Check";
}

void TstFileInfo::derivedDistances()
{
    QFETCH(tEdits, edits);

    CFileInfo dialog(m_file, true);
    dialog.show();
    for (const tEdit& edit : edits)
        Type(dialog, edit.widget, edit.text);
    QTEST(dialog.findChild<QLineEdit*>(QStringLiteral("ARkm"))->text(), "rangeKm");
    QTEST(dialog.findChild<QLineEdit*>(QStringLiteral("DSmt"))->text(), "spacingM");
}

void TstFileInfo::refusedOrLeft_data()
{
    QTest::addColumn<QString>("leave");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("result");

    // Two numbers left empty; the comment is valid. -1: the dialog stays open.
    QTest::newRow("retry") << "Ok" << QStringList { "Retry" } << -1;
    QTest::newRow("ignore each") << "Ok" << QStringList { "Ignore", "Ignore" } << int(QDialog::Accepted);
    QTest::newRow("ignore all") << "Ok" << QStringList { "Ignore all" } << int(QDialog::Accepted);
    QTest::newRow("abort") << "Ok" << QStringList { "Abort" } << int(QDialog::Rejected);
    QTest::newRow("cancel") << "Cancel" << QStringList() << int(QDialog::Rejected);
    QTest::newRow("window closed") << "close" << QStringList() << int(QDialog::Rejected);
}

void TstFileInfo::refusedOrLeft()
{
    QFETCH(QString, leave);
    QFETCH(QStringList, answers);
    QFETCH(int, result);

    const QByteArray before = m_file->Image();
    CFileInfo dialog(m_file, true);
    dialog.show();
    // A valid index typed, then taken away again: the copy must not keep it.
    Type(dialog, QStringLiteral("GI"), QStringLiteral("1.5"));
    Type(dialog, QStringLiteral("GI"), QString());
    Type(dialog, QStringLiteral("NAV"), QString());
    Type(dialog, QStringLiteral("CMT"), QStringLiteral("Checked"));
    CBoxAnswerer answerer(answers);
    if (leave == QLatin1String("close"))
        dialog.close();
    else
        Click(dialog, leave == QLatin1String("Ok") ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);

    QCOMPARE(answerer.Count(), int(answers.size()));
    for (const CBoxAnswerer::tSeen& box : answerer.Seen())
        QCOMPARE(box.title + '/' + box.text, QStringLiteral("Editing File Information/Not all fields completed correctly"));
    QCOMPARE(dialog.isVisible() ? -1 : dialog.result(), result);
    if (result == QDialog::Accepted) {
        // Ignored fields show their old text and keep their old value.
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("GI"))->text(), QStringLiteral("1.4677"));
        m_file->Save();
        const QVariantMap saved = Dump(m_path);
        QCOMPARE(saved["general.comment"], QVariant("Checked"));
        QCOMPARE(saved["fixed.groupIndex"], QVariant(1.4677));
        QCOMPARE(saved["fixed.averages"], QVariant(1024));
        return;
    }
    QCOMPARE(m_file->Image(), before);
    QVERIFY(!m_file->IsModified());
    if (result == -1) {
        // The first field in page order is shown and focused.
        QCOMPARE(dialog.findChild<QTabWidget*>()->currentWidget()->objectName(), QStringLiteral("MeasInfo"));
        QCOMPARE(dialog.focusWidget(), dialog.findChild<QLineEdit*>(QStringLiteral("GI")));
    }
}

// The later layout's distances beside the range and the offsets follow an
// edited range and group index by the instrument's own rule (this one keeps
// hundredths of a metre for the range and offset, tenths for the user offset);
// the spacing, which no rule ties them to, is not offered.
void TstFileInfo::laterLayoutDistancesFollow()
{
    const QString v2 = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
    if (v2.isEmpty())
        QSKIP("no shared v2 instrument files here");
    quint32 warnings = 0;
    const QSharedPointer<sor::CFile> file(new sor::CFile(v2 + "/example1-noyes-ofl280-fastreporter-save.sor", warnings));
    CFileInfo dialog(file, true);
    dialog.show();
    QVERIFY(!dialog.findChild<QLineEdit*>(QStringLiteral("DSns"))->isEnabled());
    Type(dialog, QStringLiteral("GI"), QStringLiteral("1.5"));
    Type(dialog, QStringLiteral("ARns"), QStringLiteral("30000"));
    Click(dialog, QDialogButtonBox::Ok);
    const sor::tFixedParameters& fixed = file->FixedParameters();
    const auto metres = [&](double ns, double scale) { return std::round(file->TimeToDistance(float(ns)) * scale); };
    QVERIFY(std::abs(fixed.acquisitionRangeDistance - metres(30000, 100)) <= 2);
    QVERIFY(std::abs(fixed.acquisitionOffsetDistance - metres(fixed.acquisitionOffset, 100)) <= 2);
    QVERIFY(std::abs(file->GeneralParameters().userOffsetDistance - metres(file->GeneralParameters().userOffset, 10)) <= 2);
}

QTEST_MAIN(TstFileInfo)
#include "tst_fileinfo.moc"
