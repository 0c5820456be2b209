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
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <algorithm>

// Widget name and the text typed into it; a combo box takes the item index.
using tEdits = QList<QPair<QString, QString>>;
// Dump paths ("fixed.pulses.0.pulseWidth") and the values the save must show.
using tChanges = QVariantMap;
Q_DECLARE_METATYPE(tEdits)

namespace {

void Flatten(const QJsonValue& value, const QString& path, QVariantMap& out)
{
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            Flatten(it.value(), path.isEmpty() ? it.key() : path + '.' + it.key(), out);
    } else if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (int i = 0; i < array.size(); ++i)
            Flatten(array[i], path + '.' + QString::number(i), out);
    } else {
        out.insert(path, value.toVariant());
    }
}

// Every field of the file as the command-line tool reads it.
QVariantMap Dump(const QString& path)
{
    QProcess tool;
    tool.start(QDir(TestPaths::BinDir()).filePath(QStringLiteral("lumetrix-sor")),
        { QStringLiteral("dump"), QStringLiteral("--points"), path });
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    QJsonObject json = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    // What the tool works out from the fields (length, resolution) is no content of the file.
    json.remove(QStringLiteral("trace"));
    QVariantMap fields;
    Flatten(json, QString(), fields);
    return fields;
}

// Types into the widget as the user does: the page is shown, the old text
// replaced keystroke by keystroke (characters beyond Latin-1 included).
void Type(CFileInfo& dialog, const QString& name, const QString& text)
{
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tabs"));
    QWidget* widget = dialog.findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    for (int page = 0; page < tabs->count(); ++page) {
        if (tabs->widget(page)->isAncestorOf(widget))
            tabs->setCurrentIndex(page);
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(text.toInt());
        return;
    }
    auto* edit = qobject_cast<QLineEdit*>(widget);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void ClickButton(CFileInfo& dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

} // namespace

// The file information dialog on a copy of a sample trace, driven through its
// widgets; what it writes is read back with lumetrix-sor.
class TstFileInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void pages();
    void confirmWritesExactlyTheEdits_data();
    void confirmWritesExactlyTheEdits();
    void derivedDistances_data();
    void derivedDistances();
    void fieldNotAcceptable_data();
    void fieldNotAcceptable();
    void leavingChangesNothing_data();
    void leavingChangesNothing();
    void refusesWhatTheCodepageCannotHold();

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
    // A Windows-1251 file (language "EN") with the condition "CC".
    m_path = m_dir.filePath(QStringLiteral("trace.sor"));
    QFile::remove(m_path);
    QVERIFY(QFile::copy(QDir(TestPaths::SamplesDir()).filePath(QStringLiteral("1310_02km_city.sor")), m_path));
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    quint32 warnings = 0;
    m_file.reset(new sor::CFile(m_path, warnings));
}

void TstFileInfo::pages()
{
    for (const bool fullEdit : { false, true }) {
        CFileInfo dialog(m_file, fullEdit);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Information [trace.sor]"));
        QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("CDF"))->currentIndex(), 1);
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("CMT"))->text(), QStringLiteral("Synthetic trace, seed 11"));
        // The description is always editable but for the date; the derived
        // boxes never are.
        QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("DTS"))->isEnabled());
        QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("ARkm"))->isEnabled());
        QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("OP"))->isEnabled());
        for (const char* name : { "SN", "BC", "GI", "NAV" })
            QCOMPARE(dialog.findChild<QWidget*>(QLatin1String(name))->isEnabled(), fullEdit);
    }
}

void TstFileInfo::confirmWritesExactlyTheEdits_data()
{
    QTest::addColumn<bool>("fullEdit");
    QTest::addColumn<tEdits>("edits");
    QTest::addColumn<tChanges>("changes");

    // Fields outside the description are not taken without full edit.
    QTest::newRow("comment and condition") << false
                                           << tEdits { { "CMT", "Re-measured" }, { "CDF", "2" }, { "GI", "1.5" } }
                                           << tChanges { { "general.comment", "Re-measured" },
                                                  { "general.currentDataFlag", 2 } };
    QTest::newRow("every editable field")
        << true
        << tEdits { { "CID", "CBL-900" }, { "FID", "F77" }, { "OL", "Hub A" }, { "TL", "Hub B" }, { "CDF", "0" },
               { "CCD", "SM 24F" }, { "OP", "A. Smith" }, { "CMT", "" }, { "SN", "M123" }, { "MFID", "LS-3000" },
               { "OTDR", "LS3-1" }, { "SR", "2.0" }, { "OT", "bench" }, { "BC", "-81.5" }, { "LT", "0.1" },
               { "RT", "-60" }, { "ET", "5" }, { "AWnm", "1551.2" }, { "GI", "1.4682" }, { "ARns", "50000" },
               { "DSns", "10" }, { "PWUns", "30" }, { "NAV", "2048" } }
        << tChanges { { "general.cableId", "CBL-900" }, { "general.fiberId", "F77" },
               { "general.originatingLocation", "Hub A" }, { "general.terminatingLocation", "Hub B" },
               { "general.currentDataFlag", 0 }, { "general.cableCode", "SM 24F" },
               { "general.operatorName", "A. Smith" }, { "general.comment", "" },
               { "supplier.opticalModuleSerial", "M123" }, { "supplier.mainframeId", "LS-3000" },
               { "supplier.mainframeSerial", "LS3-1" }, { "supplier.softwareRevision", "2.0" },
               { "supplier.otherInfo", "bench" }, { "fixed.backscatter", -81.5 }, { "fixed.lossThreshold", 0.1 },
               { "fixed.reflectanceThreshold", -60 }, { "fixed.endOfFiberThreshold", 5 },
               { "fixed.actualWavelength", 1551.2 }, { "fixed.groupIndex", 1.4682 },
               { "fixed.acquisitionRange", 50000 }, { "fixed.dataSpacing", 10 }, { "fixed.pulses.0.dataSpacing", 10 },
               { "fixed.pulseWidth", 30 }, { "fixed.pulses.0.pulseWidth", 30 }, { "fixed.averages", 2048 } };
}

void TstFileInfo::confirmWritesExactlyTheEdits()
{
    QFETCH(bool, fullEdit);
    QFETCH(tEdits, edits);
    QFETCH(tChanges, changes);

    QVariantMap expected = Dump(m_path);
    QVERIFY(!expected.isEmpty());
    CFileInfo dialog(m_file, fullEdit);
    dialog.show();
    for (const auto& [name, text] : edits)
        Type(dialog, name, text);
    QSignalSpy changed(m_file.get(), &sor::CFile::sigFileChanged);
    ClickButton(dialog, QDialogButtonBox::Ok);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(changed.count(), 1);
    QVERIFY(m_file->IsModified());
    m_file->Save();

    const QVariantMap saved = Dump(m_path);
    for (auto it = changes.begin(); it != changes.end(); ++it)
        expected[it.key()] = it.value();
    // Texts of other lengths resize their blocks; the blocks are named in the dump.
    for (int i = 0; expected.contains(QStringLiteral("map.blocks.%1.name").arg(i)); ++i) {
        const QString block = expected[QStringLiteral("map.blocks.%1.name").arg(i)].toString();
        const QString record = block == QLatin1String("GenParams") ? QStringLiteral("general.")
            : block == QLatin1String("SupParams")                  ? QStringLiteral("supplier.")
                                                                   : QString();
        const bool resized = !record.isEmpty()
            && std::any_of(changes.keyBegin(), changes.keyEnd(), [&](const QString& k) { return k.startsWith(record); });
        if (resized)
            expected[QStringLiteral("map.blocks.%1.size").arg(i)] = saved[QStringLiteral("map.blocks.%1.size").arg(i)];
    }
    QCOMPARE(saved.keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(saved[it.key()] == it.value(), qPrintable(it.key() + ": " + saved[it.key()].toString()));
}

void TstFileInfo::derivedDistances_data()
{
    QTest::addColumn<tEdits>("edits");
    QTest::addColumn<QString>("rangeKm");
    QTest::addColumn<QString>("spacingM");

    QTest::newRow("as loaded") << tEdits {} << "2.5" << "1.25";
    QTest::newRow("typed index and range") << tEdits { { "GI", "1.468" }, { "ARns", "100000" } } << "20.4218"
                                           << "1.24975";
    QTest::newRow("index of 0") << tEdits { { "GI", "0" } } << "Check GI" << "Check GI";
    QTest::newRow("empty spacing") << tEdits { { "DSns", "" } } << "2.5" << "<=Check";
}

void TstFileInfo::derivedDistances()
{
    QFETCH(tEdits, edits);

    CFileInfo dialog(m_file, true);
    dialog.show();
    for (const auto& [name, text] : edits)
        Type(dialog, name, text);
    QTEST(dialog.findChild<QLineEdit*>(QStringLiteral("ARkm"))->text(), "rangeKm");
    QTEST(dialog.findChild<QLineEdit*>(QStringLiteral("DSmt"))->text(), "spacingM");
}

void TstFileInfo::fieldNotAcceptable_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("comment");

    // Two fields left empty where a number is needed; the comment is valid.
    QTest::newRow("retry") << QStringList { "Retry" } << true << "Synthetic trace, seed 11";
    QTest::newRow("ignore each") << QStringList { "Ignore", "Ignore" } << false << "Checked";
    QTest::newRow("ignore all") << QStringList { "Ignore all" } << false << "Checked";
    QTest::newRow("abort") << QStringList { "Abort" } << false << "Synthetic trace, seed 11";
    QTest::newRow("escape") << QStringList { "Escape" } << false << "Synthetic trace, seed 11";
}

void TstFileInfo::fieldNotAcceptable()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, open);

    const QByteArray before = m_file->Image();
    CFileInfo dialog(m_file, true);
    dialog.show();
    // A valid index typed first, then taken away again: the copy must not keep it.
    Type(dialog, QStringLiteral("GI"), QStringLiteral("1.5"));
    Type(dialog, QStringLiteral("GI"), QString());
    Type(dialog, QStringLiteral("NAV"), QString());
    Type(dialog, QStringLiteral("CMT"), QStringLiteral("Checked"));
    CBoxAnswerer answerer(answers);
    ClickButton(dialog, QDialogButtonBox::Ok);

    QVERIFY(answerer.Count() >= 1);
    QCOMPARE(answerer.Seen()[0].title, QStringLiteral("Editing File Information"));
    QCOMPARE(answerer.Seen()[0].text, QStringLiteral("Not all fields completed correctly"));
    QCOMPARE(answerer.Seen()[0].icon, QMessageBox::Warning);
    QCOMPARE(dialog.isVisible(), open);
    QTEST(m_file->GeneralParameters().comment.Text(), "comment");
    QCOMPARE(float(m_file->FixedParameters().groupIndex), 1.4677f);
    QCOMPARE(m_file->FixedParameters().averages.Value(), 1024u);
    if (open) {
        // The first field in page order is shown and focused.
        QCOMPARE(dialog.findChild<QTabWidget*>()->currentWidget()->objectName(), QStringLiteral("MeasInfo"));
        QCOMPARE(dialog.focusWidget(), dialog.findChild<QLineEdit*>(QStringLiteral("GI")));
        QVERIFY(!m_file->IsModified());
    } else if (dialog.result() == QDialog::Accepted) {
        // Ignored fields show their old text again; only the comment changed.
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("GI"))->text(), QStringLiteral("1.4677"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("NAV"))->text(), QStringLiteral("1024"));
        m_file->Save();
        QCOMPARE(Dump(m_path)["fixed.groupIndex"], QVariant(1.4677));
    } else {
        QCOMPARE(m_file->Image(), before);
        QVERIFY(!m_file->IsModified());
    }
}

void TstFileInfo::leavingChangesNothing_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("cancel") << 0;
    QTest::newRow("escape") << 1;
    QTest::newRow("window closed") << 2;
}

void TstFileInfo::leavingChangesNothing()
{
    QFETCH(int, how);

    const QByteArray before = m_file->Image();
    QSignalSpy changed(m_file.get(), &sor::CFile::sigFileChanged);
    CFileInfo dialog(m_file, true);
    dialog.show();
    for (const char* name : { "CMT", "GI", "ARns", "SN", "LT" })
        Type(dialog, QLatin1String(name), QStringLiteral("7"));
    Type(dialog, QStringLiteral("CDF"), QStringLiteral("3"));
    if (how == 0)
        ClickButton(dialog, QDialogButtonBox::Cancel);
    else if (how == 1)
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        dialog.close();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(m_file->Image(), before);
    QVERIFY(!m_file->IsModified());
    QCOMPARE(changed.count(), 0);
}

void TstFileInfo::refusesWhatTheCodepageCannotHold()
{
    CFileInfo dialog(m_file, true);
    dialog.show();
    // Windows-1251 holds Cyrillic but neither "é" nor "中": they are refused as
    // typed, with the character named beside the field.
    Type(dialog, QStringLiteral("CMT"), QString::fromUtf8("Муфта é"));
    QCOMPARE(QToolTip::text(), QString::fromUtf8("The file's codepage has no character \"é\""));
    Type(dialog, QStringLiteral("SR"), QString::fromUtf8("v2中"));
    QCOMPARE(QToolTip::text(), QString::fromUtf8("The file's codepage has no character \"中\""));
    ClickButton(dialog, QDialogButtonBox::Ok);
    QCOMPARE(m_file->GeneralParameters().comment.Text(), QString::fromUtf8("Муфта "));
    QCOMPARE(m_file->SupplierParameters().softwareRevision.Text(), QStringLiteral("v2"));
    m_file->Save();
    QCOMPARE(Dump(m_path)["general.comment"], QVariant(QString::fromUtf8("Муфта ")));
}

QTEST_MAIN(TstFileInfo)
#include "tst_fileinfo.moc"
