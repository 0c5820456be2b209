#include "CApplicationStart.h"

#include "CCrashReport.h"
#include "CGuardedApplication.h"
#include "MainWindow.h"

#include <CDeviceConnectorCOM.h>
#include <CTranslations.h>

#include <CFile.h>
#include <CFileList.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QTranslator>

#include <cstdio>

namespace {

const QString kEnglish = QStringLiteral("English");

// Uninstalls crash reporting when start-up ends, whichever way it ends.
class tCrashReportScope
{
public:
    explicit tCrashReportScope(bool installed) : m_bInstalled(installed) { }
    ~tCrashReportScope() { End(); }
    tCrashReportScope(const tCrashReportScope&) = delete;
    tCrashReportScope& operator=(const tCrashReportScope&) = delete;

    void End()
    {
        if (m_bInstalled)
            CCrashReport::Uninstall();
        m_bInstalled = false;
    }

private:
    bool m_bInstalled;
};

// Prints the answer to --help or --version, or the refusal of a bad command
// line, and returns the process exit code.
int Answer(const CApplicationStart::tCommandLine& commandLine)
{
    const bool refused = commandLine.eAction == CApplicationStart::tCommandLine::Refuse;
    const QByteArray text = commandLine.sText.toLocal8Bit();
    std::fwrite(text.constData(), 1, size_t(text.size()), refused ? stderr : stdout);
    return refused ? 2 : 0;
}

} // namespace

CApplicationStart::CApplicationStart(const tVersion& version) : m_version(version)
{
}

int CApplicationStart::Run(int& argc, char** argv)
{
    // Help, the version and a bad command line are answered before the
    // application object exists, so that they need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const tCommandLine commandLine = ParseCommandLine(arguments, m_version);
    if (commandLine.eAction != tCommandLine::Open)
        return Answer(commandLine);
    CGuardedApplication application(argc, argv);
    return Start(QCoreApplication::arguments());
}

int CApplicationStart::Start(const QStringList& arguments)
{
    // Qt reads translations as UTF-8, and the file layer picks the codec of
    // the 8-bit texts in trace files itself, so there is no codec to set.
    SetIdentity(m_version);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/AppIcon.ico")));
    // Lets the desktop match the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.norvane.Lumetrix"));

    const QString language = StoredLanguageName();
    SetNumberLocale();

    CCrashReport::tInstallInfo crashInfo;
    crashInfo.sAppName = QStringLiteral("Lumetrix");
    crashInfo.sAppVersion = m_version.Text();
    crashInfo.sLanguageFile = StoredInstallRoot() + QLatin1Char('/') + language + QStringLiteral(".crp");
    const bool crashReportInstalled = CCrashReport::Install(crashInfo) == 0;
    tCrashReportScope crashReport(crashReportInstalled);
    if (!crashReportInstalled) {
        // No translation is installed yet: these texts stay as they are.
        if (m_version.bD) {
            QMessageBox::critical(nullptr, QStringLiteral("Crash report installation"),
                QStringLiteral("Can not install crash report:\n%1\nPlease reinstall program.")
                    .arg(CCrashReport::LastErrorMessage()));
            return -1;
        }
        qWarning("Crash reports are off: %s", qUtf8Printable(CCrashReport::LastErrorMessage()));
    }

    QTranslator translator;
    if (!CTranslations::Load(translator, language)) {
        QMessageBox::critical(nullptr, QStringLiteral("Program files damaged"),
            QStringLiteral("The language files are missing or damaged.\nPlease reinstall the program."));
        return -1;
    }
    QCoreApplication::installTranslator(&translator);
    // Qt's own texts (standard buttons, file dialogs) in the same language,
    // where the system carries them; without them they stay English.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(translator.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);

    const tCommandLine commandLine = ParseCommandLine(arguments, m_version);
    if (commandLine.eAction != tCommandLine::Open)
        return Answer(commandLine);
    CDeviceConnectorCOM::SetExtraPorts(commandLine.lsSerialPorts);
    std::unique_ptr<QWidget> window = CreateMainWindow(commandLine.sFolder);
    OpenNamedFiles(window.get(), commandLine);
    const int result = RunEventLoop();
    // Crash reporting ends first; the window goes after it, and with it the
    // options object, which writes the settings.
    crashReport.End();
    window.reset();
    return result;
}

CApplicationStart::tCommandLine CApplicationStart::ParseCommandLine(
    const QStringList& arguments, const tVersion& version)
{
    QCommandLineParser parser;
    // Qt's own options keep their single dash ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        tr("A viewer, editor and instrument front end for OTDR traces "
                                                         "(Bellcore .sor files)."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption serialPort(QStringLiteral("serial-port"),
        tr("Looks for the instrument on PATH too, after the serial ports the system lists (repeatable)."),
        tr("PATH"));
    parser.addOption(serialPort);
    // The options every Qt program takes; the application object reads them.
    for (const char* name : { "platform", "style", "stylesheet", "display", "geometry", "qwindowgeometry",
             "qwindowtitle", "qwindowicon", "platformpluginpath", "platformtheme", "session", "plugin" }) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : { "reverse", "nograb", "dograb", "sync", "widgetcount" }) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("paths"),
        tr("Trace files to open, or the working folder. The files' folder becomes the working folder and the "
            "first file the current trace; without paths the folder used last opens."),
        tr("[FILE|FOLDER...]"));

    // Usage names the program as it is installed, not by the path it was
    // started from (Qt shows that path, or a placeholder before the
    // application object exists).
    QString usage = parser.helpText();
    const QString shown = QCoreApplication::instance() ? QCoreApplication::arguments().value(0)
                                                       : QStringLiteral("<executable_name>");
    if (const int at = shown.isEmpty() ? -1 : int(usage.indexOf(shown)); at >= 0)
        usage.replace(at, shown.size(), QStringLiteral("lumetrix"));

    tCommandLine commandLine;
    if (!parser.parse(arguments)) {
        commandLine.eAction = tCommandLine::Refuse;
        commandLine.sText = parser.errorText() + QStringLiteral("\n\n") + usage;
        return commandLine;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        commandLine.eAction = tCommandLine::Help;
        commandLine.sText = usage;
        return commandLine;
    }
    if (parser.isSet(versionOption)) {
        commandLine.eAction = tCommandLine::Version;
        commandLine.sText = QStringLiteral("lumetrix %1\n").arg(version.Text());
        return commandLine;
    }
    for (const QString& port : parser.values(serialPort)) {
        if (!port.isEmpty())
            commandLine.lsSerialPorts << port;
    }
    for (const QString& path : parser.positionalArguments()) {
        const QFileInfo info(path);
        if (!info.exists()) {
            commandLine.lsNotOpened << tr("%1: not found").arg(path);
            continue;
        }
        const QString folder = info.isDir() ? info.canonicalFilePath() : info.canonicalPath();
        if (commandLine.sFolder.isEmpty())
            commandLine.sFolder = folder;
        if (folder != commandLine.sFolder) {
            commandLine.lsNotOpened << tr("%1: not in the folder %2")
                                           .arg(path, QDir::toNativeSeparators(commandLine.sFolder));
            continue;
        }
        if (!info.isDir() && !commandLine.lsFiles.contains(info.canonicalFilePath()))
            commandLine.lsFiles << info.canonicalFilePath();
    }
    return commandLine;
}

void CApplicationStart::OpenNamedFiles(QWidget* window, const tCommandLine& commandLine)
{
    QStringList notOpened = commandLine.lsNotOpened;
    if (auto* mainWindow = qobject_cast<MainWindow*>(window)) {
        CFileList* list = mainWindow->FileList();
        bool currentSet = false;
        for (const QString& path : commandLine.lsFiles) {
            int found = -1;
            for (int row = 0; row < list->GetCount() && found < 0; ++row) {
                const QSharedPointer<sor::CFile> file = list->GetFile(row);
                if (file && QFileInfo(file->Path()).canonicalFilePath() == path)
                    found = row;
            }
            // Not a trace file, or one whose loading was given up.
            if (found < 0) {
                notOpened << tr("%1: not listed as a trace")
                                 .arg(QDir::toNativeSeparators(path));
            } else if (!currentSet) {
                list->setCurrentRow(found, QItemSelectionModel::ClearAndSelect);
                list->scrollToItem(list->currentItem());
                currentSet = true;
            } else {
                list->item(found)->setSelected(true);
            }
        }
    }
    if (!notOpened.isEmpty()) {
        QMessageBox::information(window, tr("Opening files"),
            tr("These were not opened:\n%1")
                .arg(notOpened.join(QLatin1Char('\n'))));
    }
}

QString CApplicationStart::ApplicationName(const tVersion& version)
{
    return QStringLiteral("Lumetrix_") + version.Text();
}

void CApplicationStart::SetIdentity(const tVersion& version)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Norvane"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("norvane.example"));
    QCoreApplication::setApplicationName(ApplicationName(version));
    QCoreApplication::setApplicationVersion(version.Text());
}

void CApplicationStart::SetNumberLocale()
{
    QLocale locale(QStringLiteral("EN"));
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(locale);
}

QString CApplicationStart::StoredLanguageName()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Language"));
    const QString name = settings.value(QStringLiteral("LanguageName"), kEnglish).toString();
    return name.isEmpty() ? kEnglish : name;
}

QString CApplicationStart::StoredInstallRoot()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Installer"));
    return settings.value(QStringLiteral("Root"), QDir::currentPath()).toString();
}

std::unique_ptr<QWidget> CApplicationStart::CreateMainWindow(const QString& folder)
{
    auto window = std::make_unique<MainWindow>(folder);
    window->show();
    return window;
}

int CApplicationStart::RunEventLoop()
{
    return QApplication::exec();
}
