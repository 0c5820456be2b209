#include "TestPaths.h"
#include "tPrivateStore.h"

#include <CBoxAnswerer.h>

#include <CApplicationStart.h>
#include <CDeviceConnectorCOM.h>
#include <CFile.h>
#include <CFileList.h>
#include <MainWindow.h>

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

// Start-up with the event loop replaced by a look at the list it opened.
class CProbedStart : public CApplicationStart
{
public:
    QString sFolder;
    QString sCurrent;
    QStringList lsSelected;

protected:
    int RunEventLoop() override
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<MainWindow*>(widget); window && window->isVisible()) {
                sFolder = QDir::currentPath();
                const CFileList* list = window->FileList();
                if (const QSharedPointer<sor::CFile> trace = list->GetFile(list->currentRow()))
                    sCurrent = QFileInfo(trace->Path()).fileName();
                for (const QModelIndex& index : list->selectionModel()->selectedRows())
                    lsSelected << QFileInfo(list->GetFile(index.row())->Path()).fileName();
            }
        }
        return 7;
    }
};

} // namespace

// The program's command line: which folder opens with which traces current,
// what the user is told about paths that are not opened, and the answers that
// need no window (help, version, refusal) from both programs.
class TstCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void opens_data();
    void opens();
    void answersWithoutWindow_data();
    void answersWithoutWindow();

private:
    tPrivateStore m_store;
    QString m_startFolder;
    QString m_samples;
    QTemporaryDir m_other;
    QByteArray m_home = qgetenv("HOME");
};

void TstCommandLine::initTestCase()
{
    QVERIFY(m_store.IsValid() && m_other.isValid());
    m_startFolder = QDir::currentPath();
    m_samples = QFileInfo(TestPaths::SamplesDir()).canonicalFilePath();
    QVERIFY(QFile::copy(m_samples + QStringLiteral("/1310_02km_city.sor"), m_other.filePath("other.sor")));
    CApplicationStart::SetIdentity();
}

void TstCommandLine::cleanup()
{
    QDir::setCurrent(m_startFolder);
    qputenv("HOME", m_home);
    tPrivateStore::Clear();
    CDeviceConnectorCOM::SetExtraPorts({});
}

void TstCommandLine::opens_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("lastFolderStored");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QStringList>("notOpened");

    // All rows but the last open the samples folder.
    using L = QStringList;
    const QString city = QStringLiteral("1310_02km_city.sor");
    QTest::newRow("file: its folder, it current")
        << L { "S:1550_05km_noevents.sor" } << false << L { "1550_05km_noevents.sor" } << L();
    QTest::newRow("two files: both selected, the first current")
        << L { "S:1625_40km_monitoring.sor", "S:1310_08km_campus_ru.sor" } << false
        << L { "1625_40km_monitoring.sor", "1310_08km_campus_ru.sor" } << L();
    QTest::newRow("files in two folders: the first one's")
        << L { "S:" + city, "O:other.sor" } << false << L { city } << L { "O:other.sor" };
    QTest::newRow("missing path: the last folder") << L { "M" } << true << L { city } << L { "M" };
    QTest::newRow("not a trace: its folder") << L { "S:README.md" } << false << L { city } << L { "S:README.md" };
    QTest::newRow("folder among serial ports")
        << L { "--serial-port", "/dev/pts/7", "D", "--serial-port=/dev/pts/8" } << false << L { city } << L();
    QTest::newRow("nothing: the last folder") << L() << true << L { city } << L();
    QTest::newRow("nothing, none stored: home") << L() << false << L() << L();
}

void TstCommandLine::opens()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, lastFolderStored);
    const bool opensSamples = !arguments.isEmpty() || lastFolderStored;
    QFETCH(QStringList, selected);
    QFETCH(QStringList, notOpened);

    // Without any folder the list opens the home folder: an empty one here.
    QTemporaryDir home;
    const QString empty = QFileInfo(home.path()).canonicalFilePath();
    qputenv("HOME", QFile::encodeName(empty));
    if (lastFolderStored)
        QSettings().setValue(QStringLiteral("Options/LastDir"), m_samples);
    // "S:name" a path in the samples, "O:name" in another folder, "M" a
    // missing path, "D" the samples folder; other arguments stay.
    const auto Resolve = [this](const QString& argument) {
        if (argument == QLatin1String("D") || argument == QLatin1String("M"))
            return argument == "D" ? m_samples : m_other.filePath(QStringLiteral("gone/missing.sor"));
        if (argument.startsWith(QLatin1String("S:")) || argument.startsWith(QLatin1String("O:")))
            return (argument[0] == 'S' ? m_samples : m_other.path()) + QLatin1Char('/') + argument.mid(2);
        return argument;
    };
    QStringList commandLine { QStringLiteral("lumetrix") };
    for (const QString& argument : arguments)
        commandLine << Resolve(argument);

    CBoxAnswerer answerer;
    CProbedStart start;
    QCOMPARE(start.Start(commandLine), 7);
    QCOMPARE(start.sFolder, opensSamples ? m_samples : empty);
    QCOMPARE(start.sCurrent, selected.value(0));
    QCOMPARE(start.lsSelected, selected);
    if (arguments.contains(QStringLiteral("D")))
        QCOMPARE(CDeviceConnectorCOM::ExtraPorts(), (QStringList { "/dev/pts/7", "/dev/pts/8" }));
    // The options went with the window and stored the folder current then.
    QCOMPARE(QSettings().value(QStringLiteral("Options/LastDir")).toString(), start.sFolder);
    QCOMPARE(answerer.Count(), notOpened.isEmpty() ? 0 : 1);
    for (const QString& path : notOpened)
        QVERIFY2(answerer.Seen().first().text.contains(Resolve(path)), qPrintable(answerer.Seen().first().text));
}

void TstCommandLine::answersWithoutWindow_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    // "%1" stands for the version text.
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("version") << "lumetrix" << QStringList { "--version" } << 0 << "lumetrix %1\n" << "";
    QTest::newRow("tool version") << "lumetrix-sor" << QStringList { "--version" } << 0 << "lumetrix-sor %1\n" << "";
    QTest::newRow("help") << "lumetrix" << QStringList { "--help" } << 0 << "Usage: lumetrix [options]" << "";
    QTest::newRow("bad option") << "lumetrix" << QStringList { "--colour", "red" } << 2 << ""
                                << "Usage: lumetrix [options]";
}

void TstCommandLine::answersWithoutWindow()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcess process;
    // No display at all: these answers must not need one.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(TestPaths::BinDir() + QLatin1Char('/') + program, arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    const QString stdOut = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString stdErr = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(out.contains(QLatin1String("%1")) ? stdOut == out.arg(kProgramVersion.Text()) : stdOut.contains(out),
        qPrintable(stdOut));
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.contains(err), qPrintable(stdErr));
}

QTEST_MAIN(TstCommandLine)
#include "tst_commandline.moc"
