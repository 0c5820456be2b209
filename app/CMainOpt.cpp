#include "CMainOpt.h"

#include <QColorDialog>
#include <QDir>
#include <QSettings>

namespace {

const QColor kDefaultBackground(218, 236, 255);

// A colour key holding a colour gives it; one holding something a colour can
// be made from (a name such as "#daecff") gives the converted value; anything
// else an invalid colour.
QColor ReadColour(const QSettings& settings, const QString& key, const QColor& fallback)
{
    const QVariant value = settings.value(key, fallback);
    return value.canConvert<QColor>() ? value.value<QColor>() : QColor();
}

} // namespace

CMainOpt* CMainOpt::s_pInstance = nullptr;

CMainOpt::CMainOpt(QWidget* parent)
    : QDialog(parent, Qt::MSWindowsFixedSizeDialogHint)
{
    Q_ASSERT_X(!s_pInstance, "CMainOpt", "only one options object may exist");
    s_pInstance = this;
    pColorDialog = new QColorDialog(this);
    Load();
}

CMainOpt::~CMainOpt()
{
    Save();
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

CMainOpt* CMainOpt::Instance()
{
    return s_pInstance;
}

QColor CMainOpt::Inverse(const QColor& colour)
{
    return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
}

void CMainOpt::Load()
{
    QSettings settings;

    settings.beginGroup(QStringLiteral("Installer"));
    sInstallRoot = settings.value(QStringLiteral("Root"), QString()).toString();
    settings.endGroup();

    settings.beginGroup(QStringLiteral("Options"));
    sLastDir = settings.value(QStringLiteral("LastDir"), QString()).toString();
    cBackground = ReadColour(settings, QStringLiteral("GraphBackground"), kDefaultBackground);
    cInverse = Inverse(cBackground);
    bAutoConnectToDevice = settings.value(QStringLiteral("bAutoConnectToDevice"), true).toBool();
    bNeedAckFileDeletion = settings.value(QStringLiteral("bNeedAckFileDeletion"), true).toBool();
    bNeedDeleteLoadedFiles = settings.value(QStringLiteral("bNeedDeleteLoadedFiles"), false).toBool();
    bEnableServiceInfoEditing = settings.value(QStringLiteral("bEnableServiceInfoEditing"), false).toBool();
    settings.endGroup();

    settings.beginGroup(QStringLiteral("Language"));
    sLanguageName = settings.value(QStringLiteral("LanguageName"), QString()).toString();
    settings.endGroup();
}

void CMainOpt::Save()
{
    // The file list makes the working folder current, so the current folder
    // is the one the user worked in last.
    sLastDir = QDir::currentPath();

    QSettings settings;

    settings.beginGroup(QStringLiteral("Options"));
    settings.setValue(QStringLiteral("LastDir"), sLastDir);
    settings.setValue(QStringLiteral("GraphBackground"), cBackground);
    settings.setValue(QStringLiteral("bAutoConnectToDevice"), bAutoConnectToDevice);
    settings.setValue(QStringLiteral("bNeedAckFileDeletion"), bNeedAckFileDeletion);
    settings.setValue(QStringLiteral("bNeedDeleteLoadedFiles"), bNeedDeleteLoadedFiles);
    settings.setValue(QStringLiteral("bEnableServiceInfoEditing"), bEnableServiceInfoEditing);
    settings.endGroup();

    settings.beginGroup(QStringLiteral("Language"));
    settings.setValue(QStringLiteral("LanguageName"), sLanguageName);
    settings.endGroup();
}
