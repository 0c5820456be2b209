#include "CApplicationStart.h"

#include "CCrashReport.h"
#include "MainWindow.h"

#include <CDeviceConnectorCOM.h>
#include <CTranslations.h>

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QTranslator>

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

} // namespace

CApplicationStart::CApplicationStart(const tVersion& version) : m_version(version)
{
}

int CApplicationStart::Run(int& argc, char** argv)
{
    QApplication application(argc, argv);
    return Start(QCoreApplication::arguments());
}

int CApplicationStart::Start(const QStringList& arguments)
{
    // Qt reads translations as UTF-8, and the file layer picks the codec of
    // the 8-bit texts in trace files itself, so there is no codec to set.
    SetIdentity(m_version);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/AppIcon.ico")));

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
        QMessageBox::critical(nullptr, QStringLiteral("Program files corrupted"),
            QStringLiteral("Language resources not found or corrupted/\nPlease reinstall program."));
        return -1;
    }
    QCoreApplication::installTranslator(&translator);
    // Qt's own texts (standard buttons, file dialogs) in the same language,
    // where the system carries them; without them they stay English.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(translator.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);

    const tCommandLine commandLine = ParseCommandLine(arguments);
    CDeviceConnectorCOM::SetExtraPorts(commandLine.lsSerialPorts);
    std::unique_ptr<QWidget> window = CreateMainWindow(commandLine.sFolder);
    const int result = RunEventLoop();
    // Crash reporting ends first; the window goes after it, and with it the
    // options object, which writes the settings.
    crashReport.End();
    window.reset();
    return result;
}

CApplicationStart::tCommandLine CApplicationStart::ParseCommandLine(const QStringList& arguments)
{
    const QString option = QStringLiteral("--serial-port");
    const QString optionWithValue = option + QLatin1Char('=');
    tCommandLine commandLine;
    bool folderGiven = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == option) {
            if (i + 1 < arguments.size())
                commandLine.lsSerialPorts.append(arguments[++i]);
        } else if (argument.startsWith(optionWithValue)) {
            const QString port = argument.mid(optionWithValue.size());
            if (!port.isEmpty())
                commandLine.lsSerialPorts.append(port);
        } else if (!folderGiven) {
            commandLine.sFolder = argument;
            folderGiven = true;
        }
    }
    return commandLine;
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
