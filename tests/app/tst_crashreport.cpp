#include "tPrivateStore.h"

#include <CApplicationStart.h>
#include <CCrashReport.h>

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include <sys/mman.h>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define LUMETRIX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMETRIX_ASAN 1
#endif
#endif

namespace {

const char* const kChildOption = "--crash-child";
const int kSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};

CCrashReport::tInstallInfo Info()
{
    CCrashReport::tInstallInfo info;
    info.sAppName = QStringLiteral("Lumetrix");
    info.sAppVersion = kProgramVersion.Text();
    return info;
}

// The test program started again as a child: installs crash reporting (and,
// with "uninstalled", removes it again), then dies in the way asked for.
// Exit code 3: the install failed; 4: the child survived.
int CrashChild(int argc, char** argv)
{
    const rlimit noCoreFile = {0, 0};
    setrlimit(RLIMIT_CORE, &noCoreFile);
    QCoreApplication application(argc, argv);
    CApplicationStart::SetIdentity();
    const QByteArray how = argv[2];
    if (CCrashReport::Install(Info()) != 0)
        return 3;
    if (argc > 3 && qstrcmp(argv[3], "uninstalled") == 0)
        CCrashReport::Uninstall();

    if (how == "fault") {
        // A real invalid access: a page without any access rights.
        void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (page != MAP_FAILED)
            *static_cast<volatile int*>(page) = 1;
    } else {
        std::abort();
    }
    return 4;
}

struct sigaction CurrentAction(int signal)
{
    struct sigaction action = {};
    sigaction(signal, nullptr, &action);
    return action;
}

bool SameAction(const struct sigaction& a, const struct sigaction& b)
{
    return a.sa_handler == b.sa_handler && (a.sa_flags & SA_SIGINFO) == (b.sa_flags & SA_SIGINFO);
}

} // namespace

// The crash reporter: install and uninstall in this process, and crashes in a
// child process that must leave a report behind.
class TstCrashReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void install_createsFolderAndTakesSignals();
    void crash_writesReport_data();
    void crash_writesReport();

private:
    tPrivateStore m_store;
};

void TstCrashReport::initTestCase()
{
    QVERIFY(m_store.IsValid());
    CApplicationStart::SetIdentity();
}

void TstCrashReport::cleanup()
{
    CCrashReport::Uninstall();
}

void TstCrashReport::install_createsFolderAndTakesSignals()
{
    const QString dataDir = m_store.Path(QStringLiteral("install"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataDir));
    struct sigaction before[std::size(kSignals)];
    for (size_t i = 0; i < std::size(kSignals); ++i)
        before[i] = CurrentAction(kSignals[i]);

    QCOMPARE(CCrashReport::Install(Info()), 0);
    QVERIFY(CCrashReport::IsInstalled());
    const QString folder = dataDir + QStringLiteral("/Norvane/Lumetrix_0.28B");
    QCOMPARE(CCrashReport::ReportFolder(), folder);
    QVERIFY(QFileInfo(folder).isDir());
    for (size_t i = 0; i < std::size(kSignals); ++i)
        QVERIFY2(!SameAction(CurrentAction(kSignals[i]), before[i]), strsignal(kSignals[i]));

    // A second install is refused and changes nothing.
    QVERIFY(CCrashReport::Install(Info()) != 0);
    QVERIFY(!CCrashReport::LastErrorMessage().isEmpty());
    QVERIFY(CCrashReport::IsInstalled());

    CCrashReport::Uninstall();
    QVERIFY(!CCrashReport::IsInstalled());
    for (size_t i = 0; i < std::size(kSignals); ++i)
        QVERIFY2(SameAction(CurrentAction(kSignals[i]), before[i]), strsignal(kSignals[i]));
}

void TstCrashReport::crash_writesReport_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("signal");

    QTest::newRow("invalid access") << "fault" << "11 (SIGSEGV)";
    QTest::newRow("abort") << "abort" << "6 (SIGABRT)";
}

void TstCrashReport::crash_writesReport()
{
    QFETCH(QString, how);
    QFETCH(QString, signal);

    const QString dataDir = m_store.Path(QStringLiteral("crash-") + how);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataDir);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), { QString::fromLatin1(kChildOption), how });
    QVERIFY(child.waitForStarted());
    const qint64 pid = child.processId();
    QVERIFY2(child.waitForFinished(120000), "the child did not end");
    QVERIFY2(child.exitCode() != 3, "the child could not install crash reporting");
    QVERIFY2(child.exitCode() != 4 || child.exitStatus() == QProcess::CrashExit, "the child survived");
#ifndef LUMETRIX_ASAN
    // Under AddressSanitizer the sanitizer's own handler ends it with an exit code.
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
#endif

    const QDir folder(dataDir + QStringLiteral("/Norvane/Lumetrix_0.28B"));
    const QStringList reports = folder.entryList({ QStringLiteral("crash-*.txt") }, QDir::Files);
    QCOMPARE(reports.size(), 1);
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(err.contains(folder.filePath(reports.first())), qPrintable(err));
    QFile file(folder.filePath(reports.first()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString report = QString::fromUtf8(file.readAll());

    QVERIFY2(report.contains(QStringLiteral("\nVersion: 0.28B\n")), qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral("\nSignal: ") + signal + QLatin1Char('\n')), qPrintable(report));
    QVERIFY(report.contains(QStringLiteral("\nProcess: %1\n").arg(pid)));
    // At least the handler's own frame follows the heading.
    QVERIFY(QRegularExpression(QStringLiteral("\nBacktrace:\n.+\n")).match(report).hasMatch());
    const QRegularExpression time(QStringLiteral("\nTime: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d UTC\n"));
    QVERIFY2(time.match(report).hasMatch(), qPrintable(report));
}

int main(int argc, char** argv)
{
    if (argc >= 3 && qstrcmp(argv[1], kChildOption) == 0)
        return CrashChild(argc, argv);
    QCoreApplication application(argc, argv);
    TstCrashReport test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashreport.moc"
