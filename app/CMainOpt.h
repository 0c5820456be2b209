#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

class QCheckBox;
class QColorDialog;
class QComboBox;
class QDoubleSpinBox;
class QHBoxLayout;

// The program's options, and the dialog in which the user edits them. Every
// option is read from the settings store when the object is created and
// written back when the dialog is accepted and when the object is destroyed.
// One object exists, created by the main window as its child; every part
// reads the options through Instance().
class CMainOpt : public QDialog
{
    Q_OBJECT

public:
    explicit CMainOpt(QWidget* parent = nullptr);
    ~CMainOpt() override;

    // The options object, or null while none exists.
    static CMainOpt* Instance();

    // Reads every option from the settings store; absent keys give their defaults.
    void Load();
    // Takes the current folder as the last working folder and writes every
    // option except the install folder, which only an installer writes.
    void Save();

    // (255 - red, 255 - green, 255 - blue): a pen colour that stands out on `colour`.
    static QColor Inverse(const QColor& colour);

    // Base names of the compiled-in translations, sorted ("English", "Русский").
    static QStringList Languages();

public slots:
    // Shows the options, runs the dialog modally and, when it is accepted with
    // another language, says that the language changes at the next start.
    int exec() override;
    // Takes the shown options over and writes them to the settings store.
    void accept() override;
    // Lets the user pick the background; it is taken over only with the dialog.
    void AdjustBackground();

signals:
    // The accepted background differs from the one before.
    void sigBackgroundChanged(const QColor& background);
    // The accepted bend threshold differs from the one before (dB).
    void sigBendThresholdChanged(double thresholdDb);

public:
    // Picks the background; a child of this object.
    QColorDialog* pColorDialog = nullptr;
    // Base name of the translation file, e.g. "English"; empty when none is stored.
    QString sLanguageName;
    // Folder of the installed program's auxiliary files (help files).
    QString sInstallRoot;
    // Working folder to open at start.
    QString sLastDir;
    // Background of every trace plot; invalid when the store holds no colour.
    QColor cBackground;
    // Contrasting pen colour, Inverse(cBackground); follows every change of the background.
    QColor cInverse;
    // Colour being chosen while the dialog is open.
    QColor cPending;
    // Kept and written back; nothing acts on it.
    bool bAutoConnectToDevice = true;
    // Ask before deleting files.
    bool bNeedAckFileDeletion = true;
    // After downloading every trace from the instrument, offer to clear its memory.
    bool bNeedDeleteLoadedFiles = false;
    // The file information dialog edits its full set of fields.
    bool bEnableServiceInfoEditing = false;
    // The 8-bit code page of texts in files marked English or unmarked:
    // "Windows-1251" or "Windows-1252"; empty while the user chose none (the
    // locale's, Windows-1251 on a UTF-8 system). Files read afterwards use it.
    QString sEnglishCodePage;
    // Thresholds of the trace analysis where a file leaves its own unset, dB:
    // the smallest loss and reflectance reported, and the loss that ends the fibre.
    double fLossThreshold = 0.05;
    double fReflectanceThreshold = -65.0;
    double fEndThreshold = 3.0;
    // The loss at the longer of two wavelengths must exceed the shorter one's
    // by more than this for a bend, dB.
    double dBendThresholdDb = 0.5;

private:
    void CreateWidgets();

    static CMainOpt* s_pInstance;

    QHBoxLayout* m_pLanguageBlock = nullptr;
    QComboBox* m_pLanguage = nullptr;
    QCheckBox* m_pNeedAckFileDeletion = nullptr;
    QCheckBox* m_pAutoConnectToDevice = nullptr;
    QCheckBox* m_pNeedDeleteLoadedFiles = nullptr;
    QCheckBox* m_pEnableServiceInfoEditing = nullptr;
    QComboBox* m_pEnglishCodePage = nullptr;
    QDoubleSpinBox* m_pLossThreshold = nullptr;
    QDoubleSpinBox* m_pReflectanceThreshold = nullptr;
    QDoubleSpinBox* m_pEndThreshold = nullptr;
    QDoubleSpinBox* m_pBendThreshold = nullptr;
};
