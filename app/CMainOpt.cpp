#include "CMainOpt.h"

#include <CFileStream.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
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

    auto* codePageRow = new QHBoxLayout;
    auto* codePageLabel = new QLabel(tr("8-bit text in files marked English"), this);
    m_pEnglishCodePage = new QComboBox(this);
    m_pEnglishCodePage->setObjectName(QStringLiteral("EnglishCodePage"));
    m_pEnglishCodePage->addItems({ QStringLiteral("Windows-1251"), QStringLiteral("Windows-1252") });
    m_pEnglishCodePage->setToolTip(tr("Windows-1251 reads the Cyrillic texts some instruments store under English; "
                                      "Windows-1252 the Western European ones. Files read afterwards use it."));
    codePageLabel->setBuddy(m_pEnglishCodePage);
    codePageRow->addWidget(codePageLabel);
    codePageRow->addWidget(m_pEnglishCodePage, 1);
    layout->addLayout(codePageRow);
    auto* thresholds = new QGroupBox(tr("Trace analysis, where a file sets no threshold"), this);
    thresholds->setObjectName(QStringLiteral("analysisThresholds"));
    auto* form = new QFormLayout(thresholds);
    auto addThreshold = [this, thresholds, form](const char* name, const QString& text, double low, double high) {
        auto* box = new QDoubleSpinBox(thresholds);
        box->setObjectName(QLatin1String(name));
        box->setRange(low, high);
        box->setDecimals(3);
        box->setSingleStep(0.01);
        box->setSuffix(tr(" dB"));
        form->addRow(text, box);
        return box;
    };
    m_pLossThreshold = addThreshold("LossThreshold", tr("Loss threshold"), 0.001, 65.0);
    m_pReflectanceThreshold = addThreshold("ReflectanceThreshold", tr("Reflectance threshold"), -99.0, -0.001);
    m_pReflectanceThreshold->setSingleStep(1.0);
    m_pEndThreshold = addThreshold("EndThreshold", tr("End-of-fibre threshold"), 0.001, 65.0);
    m_pEndThreshold->setSingleStep(0.5);
    layout->addWidget(thresholds);
    auto* bendBlock = new QHBoxLayout;
    auto* bendLabel = new QLabel(tr("Bend threshold between wavelengths"), this);
    m_pBendThreshold = new QDoubleSpinBox(this);
    m_pBendThreshold->setObjectName(QStringLiteral("dBendThresholdDb"));
    m_pBendThreshold->setRange(0.05, 10.0);
    m_pBendThreshold->setDecimals(2);
    m_pBendThreshold->setSingleStep(0.05);
    m_pBendThreshold->setSuffix(tr(" dB"));
    m_pBendThreshold->setToolTip(tr("An event is a bend where its loss at the longer wavelength exceeds the "
                                    "loss at the shorter one by more than this"));
    bendLabel->setBuddy(m_pBendThreshold);
    bendBlock->addWidget(bendLabel);
    bendBlock->addWidget(m_pBendThreshold);
    layout->addLayout(bendBlock);

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
    m_pEnglishCodePage->setCurrentIndex(qMax(0,
        m_pEnglishCodePage->findText(QString::fromLatin1(bc::CFileStream::EnglishCodecName()), Qt::MatchExactly)));
    m_pLossThreshold->setValue(fLossThreshold);
    m_pReflectanceThreshold->setValue(fReflectanceThreshold);
    m_pEndThreshold->setValue(fEndThreshold);
    m_pBendThreshold->setValue(dBendThresholdDb);
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
    sEnglishCodePage = m_pEnglishCodePage->currentText();
    bc::CFileStream::SetEnglishCodecName(sEnglishCodePage.toLatin1());
    fLossThreshold = m_pLossThreshold->value();
    fReflectanceThreshold = m_pReflectanceThreshold->value();
    fEndThreshold = m_pEndThreshold->value();
    const bool bendChanged = m_pBendThreshold->value() != dBendThresholdDb;
    dBendThresholdDb = m_pBendThreshold->value();
    const bool backgroundChanged = cPending != cBackground;
    cBackground = cPending;
    cInverse = Inverse(cBackground);
    // Written at once, so that a crash or a killed program keeps them.
    Save();
    QDialog::accept();
    if (backgroundChanged)
        emit sigBackgroundChanged(cBackground);
    if (bendChanged)
        emit sigBendThresholdChanged(dBendThresholdDb);
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
    sEnglishCodePage = settings.value(QStringLiteral("EnglishCodePage"), QString()).toString();
    if (sEnglishCodePage != QLatin1String("Windows-1251") && sEnglishCodePage != QLatin1String("Windows-1252"))
        sEnglishCodePage.clear();
    bc::CFileStream::SetEnglishCodecName(sEnglishCodePage.toLatin1());
    // A stored value out of its range gives the default.
    const auto threshold = [&settings](const char* key, double fallback, double low, double high) {
        bool ok = false;
        const double value = settings.value(QLatin1String(key), fallback).toDouble(&ok);
        return ok && value >= low && value <= high ? value : fallback;
    };
    fLossThreshold = threshold("LossThreshold", 0.05, 0.001, 65.0);
    fReflectanceThreshold = threshold("ReflectanceThreshold", -65.0, -99.0, -0.001);
    fEndThreshold = threshold("EndThreshold", 3.0, 0.001, 65.0);
    // A threshold outside what the dialog offers is not taken.
    const double bend = settings.value(QStringLiteral("dBendThresholdDb"), 0.5).toDouble();
    dBendThresholdDb = bend >= 0.05 && bend <= 10.0 ? bend : 0.5;
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
    if (!sEnglishCodePage.isEmpty())
        settings.setValue(QStringLiteral("EnglishCodePage"), sEnglishCodePage);
    settings.setValue(QStringLiteral("LossThreshold"), fLossThreshold);
    settings.setValue(QStringLiteral("ReflectanceThreshold"), fReflectanceThreshold);
    settings.setValue(QStringLiteral("EndThreshold"), fEndThreshold);
    settings.setValue(QStringLiteral("dBendThresholdDb"), dBendThresholdDb);
    settings.endGroup();

    settings.beginGroup(QStringLiteral("Language"));
    settings.setValue(QStringLiteral("LanguageName"), sLanguageName);
    settings.endGroup();
}
