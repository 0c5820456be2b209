#include "CMainOpt.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

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
    pColorDialog->setObjectName(QStringLiteral("colorDialog"));
    Load();
    CreateWidgets();
}

void CMainOpt::CreateWidgets()
{
    setWindowTitle(tr("Program options"));
    auto* layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("verticalLayout"));
    // The layout sets the size, so that longer translations and large fonts
    // fit, and the user cannot resize it.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_pLanguageBlock = new QHBoxLayout;
    m_pLanguageBlock->setObjectName(QStringLiteral("LanguageBlock"));
    m_pLanguageBlock->setSpacing(6);
    auto* label = new QLabel(tr("Language"), this);
    label->setObjectName(QStringLiteral("label"));
    m_pLanguage = new QComboBox(this);
    m_pLanguage->setObjectName(QStringLiteral("Language"));
    label->setBuddy(m_pLanguage);
    m_pLanguageBlock->addWidget(label);
    m_pLanguageBlock->addWidget(m_pLanguage, 1);
    layout->addLayout(m_pLanguageBlock);

    auto addCheck = [this, layout](const char* name, const QString& text, const QString& tip) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(QLatin1String(name));
        box->setToolTip(tip);
        layout->addWidget(box);
        return box;
    };
    m_pNeedAckFileDeletion
        = addCheck("bNeedAckFileDeletion", tr("Ask before deleting file"), tr("Deleted files go to the trash"));
    m_pAutoConnectToDevice = addCheck("bAutoConnectToDevice", tr("Connect to the instrument at start-up"),
        tr("Connect to the instrument at start-up"));
    m_pAutoConnectToDevice->setVisible(false);
    m_pNeedDeleteLoadedFiles = addCheck("bNeedDeleteLoadedFiles", tr("Delete the traces on the instrument once downloaded"),
        tr("Recommended: the same traces are then not downloaded twice"));
    m_pEnableServiceInfoEditing
        = addCheck("bEnableServiceInfoEditing", tr("Enable full edit mode for file information"), QString());

    auto* adjust = new QPushButton(tr("Plot background colour"), this);
    adjust->setObjectName(QStringLiteral("AdjustBackground"));
    adjust->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    layout->addWidget(adjust);
    layout->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CMainOpt::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMainOpt::reject);
    connect(adjust, &QPushButton::released, this, &CMainOpt::AdjustBackground);
}

QStringList CMainOpt::Languages()
{
    QStringList names;
    const QFileInfoList files = QDir(QStringLiteral(":/translations"))
                                    .entryInfoList({QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files)
        names.append(file.completeBaseName());
    return names;
}

int CMainOpt::exec()
{
    m_pNeedAckFileDeletion->setChecked(bNeedAckFileDeletion);
    m_pAutoConnectToDevice->setChecked(bAutoConnectToDevice);
    m_pNeedDeleteLoadedFiles->setChecked(bNeedDeleteLoadedFiles);
    m_pEnableServiceInfoEditing->setChecked(bEnableServiceInfoEditing);
    cPending = cBackground;
    m_pLanguageBlock->setEnabled(true);

    m_pLanguage->clear();
    m_pLanguage->addItems(Languages());
    m_pLanguage->setCurrentIndex(qMax(0, m_pLanguage->findText(sLanguageName, Qt::MatchExactly)));
    // Without a stored language the box shows the first one: only a choice
    // that differs from what it showed is a change.
    const QString shown = m_pLanguage->currentText();

    const int result = QDialog::exec();
    if (result == QDialog::Accepted && m_pLanguageBlock->isEnabled() && m_pLanguage->count() > 0
        && m_pLanguage->currentText() != shown) {
        QMessageBox::information(
            parentWidget(), tr("Language changed"), tr("Restart the program to use the new language."));
        sLanguageName = m_pLanguage->currentText();
        Save();
    }
    return result;
}

void CMainOpt::accept()
{
    bNeedAckFileDeletion = m_pNeedAckFileDeletion->isChecked();
    bAutoConnectToDevice = m_pAutoConnectToDevice->isChecked();
    bNeedDeleteLoadedFiles = m_pNeedDeleteLoadedFiles->isChecked();
    bEnableServiceInfoEditing = m_pEnableServiceInfoEditing->isChecked();
    const bool backgroundChanged = cPending != cBackground;
    cBackground = cPending;
    cInverse = Inverse(cBackground);
    // Written at once, so that a crash or a killed program keeps them.
    Save();
    QDialog::accept();
    if (backgroundChanged)
        emit sigBackgroundChanged(cBackground);
}

void CMainOpt::AdjustBackground()
{
    pColorDialog->setCurrentColor(cPending);
    if (pColorDialog->exec() == QDialog::Accepted)
        cPending = pColorDialog->selectedColor();
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
