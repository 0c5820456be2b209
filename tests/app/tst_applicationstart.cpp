#include "TestPaths.h"
#include "tPrivateStore.h"

#include <CBoxAnswerer.h>

#include <CApplicationStart.h>
#include <CCrashReport.h>
#include <CTranslations.h>
#include <MainWindow.h>

#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTranslator>

namespace {

const char* const kProbeContext = "EFileAccessError";
const char* const kProbeText = "File access error";

// Start-up with the event loop replaced by a look at what start-up built; the
// loop "returns" 7.
class CProbedStart : public CApplicationStart
{
public:
    using CApplicationStart::CApplicationStart;

    int nWindows = 0;
    bool bLoopRan = false;
    bool bCrashReportDuringLoop = false;
    QString sTranslatedProbe;
    QStringList menus;
    QString sQtCancel;

protected:
    std::unique_ptr<QWidget> CreateMainWindow(const QString& folder) override
    {
        ++nWindows;
        return CApplicationStart::CreateMainWindow(folder);
    }

    int RunEventLoop() override
    {
        bLoopRan = true;
        bCrashReportDuringLoop = CCrashReport::IsInstalled();
        sTranslatedProbe = QCoreApplication::translate(kProbeContext, kProbeText);
        sQtCancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<MainWindow*>(widget); window && window->isVisible()) {
                for (const QAction* menu : window->menuBar()->actions())
                    menus << menu->text();
            }
        }
        return 7;
    }
};

} // namespace

// The start-up sequence without its event loop: number locale, language and
// translation, crash reporting and its failure rules, and the
// window it opens on the working folder.
class TstApplicationStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void numbers();
    void start_loadsStoredLanguage_data();
    void start_loadsStoredLanguage();
    void start_unknownLanguageEndsBeforeAnyWindow();
    void start_crashReportFailure_data();
    void start_crashReportFailure();

private:
    tPrivateStore m_store;
    QString m_startFolder;
    QTemporaryDir m_empty;
};

void TstApplicationStart::initTestCase()
{
    QVERIFY(m_store.IsValid() && m_empty.isValid());
    m_startFolder = QDir::currentPath();
}

void TstApplicationStart::init()
{
    CApplicationStart::SetIdentity();
    tPrivateStore::Clear();
}

void TstApplicationStart::cleanup()
{
    QDir::setCurrent(m_startFolder);
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_store.DataDir()));
    QVERIFY(!CCrashReport::IsInstalled());
}

void TstApplicationStart::numbers()
{
    // As on a system whose own locale writes "1 234 567,25".
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTranslator translator;
    QVERIFY(CTranslations::Load(translator, QStringLiteral("Русский")));
    QCoreApplication::installTranslator(&translator);
    CApplicationStart::SetNumberLocale();

    const QLocale locale;
    QCOMPARE(locale.toString(1234567.25, 'f', 2), QStringLiteral("1234567.25"));
    QCOMPARE(locale.toString(-0.5), QStringLiteral("-0.5"));
    bool ok = false;
    QCOMPARE(locale.toDouble(QStringLiteral("1234.5"), &ok), 1234.5);
    QVERIFY(ok);
    for (const char* refused : { "1,234.5", "1234,5" })
        QVERIFY2(locale.toDouble(QString::fromLatin1(refused), &ok) == 0 && !ok, refused);
}

void TstApplicationStart::start_loadsStoredLanguage_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("cancel");

    // The English translation renames the instrument's menu.
    const QStringList english = { "&File", "&Edit", "&OTDR", "&View", "&Events", "&Help" };
    QTest::newRow("absent") << QVariant() << kProbeText << english << "Cancel";
    // Qt's own button texts follow the interface language.
    QTest::newRow("Russian") << QVariant(QStringLiteral("Русский")) << "Ошибка доступа к файлу"
                             << QStringList { "&Файл", "&Правка", "&Рефлектометр", "&Вид", "Со&бытия", "&Справка" } << "Отмена";
}

void TstApplicationStart::start_loadsStoredLanguage()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, probe);
    QFETCH(QStringList, menus);
    QFETCH(QString, cancel);

    if (stored.isValid())
        QSettings().setValue(QStringLiteral("Language/LanguageName"), stored);
    CProbedStart start;
    QCOMPARE(start.Start({ QStringLiteral("lumetrix"), m_empty.path() }), 7);
    QCOMPARE(start.nWindows, 1);
    QVERIFY(start.bLoopRan && start.bCrashReportDuringLoop);
    QCOMPARE(start.sTranslatedProbe, probe);
    QCOMPARE(start.menus, menus);
    QCOMPARE(start.sQtCancel, cancel);
    // The translator lived only as long as start-up.
    QCOMPARE(QCoreApplication::translate(kProbeContext, kProbeText), QString::fromLatin1(kProbeText));
}

void TstApplicationStart::start_unknownLanguageEndsBeforeAnyWindow()
{
    QSettings().setValue(QStringLiteral("Language/LanguageName"), QStringLiteral("Klingon"));
    CBoxAnswerer answerer;
    CProbedStart start;
    QCOMPARE(start.Start({ QStringLiteral("lumetrix") }), -1);

    QCOMPARE(answerer.Count(), 1);
    const CBoxAnswerer::tSeen& box = answerer.Seen().front();
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.title, QStringLiteral("Program files damaged"));
    QCOMPARE(box.text, QStringLiteral("The language files are missing or damaged.\nPlease reinstall the program."));
    QCOMPARE(box.otherWindows, QStringList());
    QVERIFY(start.nWindows == 0 && !start.bLoopRan);
}

void TstApplicationStart::start_crashReportFailure_data()
{
    QTest::addColumn<bool>("flagD");
    QTest::addColumn<int>("result");

    QTest::newRow("D clear: goes on") << false << 7;
    QTest::newRow("D set: ends") << true << -1;
}

void TstApplicationStart::start_crashReportFailure()
{
    QFETCH(bool, flagD);
    QFETCH(int, result);

    // A data folder below a plain file cannot be created.
    const QString blocker = m_store.Path(QStringLiteral("not-a-folder"));
    QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker + QStringLiteral("/data")));

    CBoxAnswerer answerer;
    CProbedStart start(tVersion { 0, 28, true, flagD });
    if (!flagD)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Crash reports are off: .+")));
    QCOMPARE(start.Start({ QStringLiteral("lumetrix"), m_empty.path() }), result);
    QVERIFY(!start.bCrashReportDuringLoop);
    QCOMPARE(start.nWindows, flagD ? 0 : 1);
    QCOMPARE(answerer.Count(), flagD ? 1 : 0);
    if (flagD) {
        const CBoxAnswerer::tSeen& box = answerer.Seen().front();
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.title, QStringLiteral("Crash report installation"));
        QVERIFY2(box.text.startsWith(QStringLiteral("Can not install crash report:\n"))
                && box.text.endsWith(QStringLiteral("\nPlease reinstall program.")),
            qPrintable(box.text));
    }
}

QTEST_MAIN(TstApplicationStart)
#include "tst_applicationstart.moc"
