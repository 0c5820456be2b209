#pragma once

#include "CDeviceExchanger.h"

#include <QDialog>

#include <functional>

class CDeviceExchangeDlg;
class CFileList;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The instrument as the main window sees it: the "Device properties" dialog
// (the instruments found and the measurement parameters) and the controller
// behind the Device actions. Each action starts one command on the exchanger
// thread and shows the modal waiting dialog until the command ends; then
// errors are shown, a critical one disconnects, the dialog follows the
// instrument's state and downloaded traces go to the file list.
//
// Everything here runs on the GUI thread. The waiting dialog keeps the user
// from starting a second command, which is what lets this class read and
// write the exchanger's fields while no command runs.
class CDevice : public QDialog
{
    Q_OBJECT

public:
    // `fileList` receives the downloaded traces; `parent` is the main window,
    // parent of the waiting dialog and of the message boxes.
    CDevice(CFileList* fileList, QWidget* parent);
    // Disconnects the instrument and stores the port chosen last.
    ~CDevice() override;

    bool IsConnected() const;
    // The instrument chosen last (the connected one while IsConnected()).
    tDeviceInfo ConnectedDevice() const;

    // Whether the user wants to be offered to erase the instrument after a
    // full download (the program's option). Asked only once every trace of
    // the download is written and listed.
    void SetDeleteOption(const std::function<bool()>& option) { m_deleteOption = option; }

    // The exchange for its settings (connectors, clock) and the waiting
    // dialog; both owned here.
    CDeviceExchanger* Exchanger() const { return pExchanger; }
    CDeviceExchangeDlg* ExchangeDlg() const { return pExchangeDlg; }

    // Bounds of the group index of refraction.
    static constexpr float kMinGI = 1.4f;
    static constexpr float kMaxGI = 1.6f;
    // Result code of the dialog when "Apply and start measure" closed it.
    static constexpr int kDoMeasureResult = 100;

signals:
    void sigConnect();
    void sigConnectedChange(bool bConnected);
    void sigDisconnectedChange(bool bDisconnected);
    void sigDisconnect();

public slots:
    void Properties();
    void Connect();
    void Disconnect();
    void Measurement();
    void LoadAll();
    void ClearMemory();
    void UpdateDateTime();
    void OnExchangeEnd(CDeviceExchanger::tCommand cmd, QString errors, bool bCancelled, bool bCritical,
        CDeviceExchanger::tCommandRes res);
    void OnDoMeasure();

private:
    struct tUi
    {
        QTableWidget* DeviceList = nullptr;
        QGroupBox* BlockMeasurement = nullptr;
        QComboBox* nWaveLen = nullptr;
        QComboBox* nPulseWidth = nullptr;
        QComboBox* nAverageTime = nullptr;
        QComboBox* nLineLen = nullptr;
        QLineEdit* index = nullptr;
        QLineEdit* backscatter = nullptr;
        QPushButton* DoMeasure = nullptr;
        QDialogButtonBox* buttonBox = nullptr;
    };

    void SetupUi();
    void Start(CDeviceExchanger::tCommand command);
    void FillParameters();
    void RunParameterDialog();
    void ShowDevices();
    bool AskDeleteLoadedFiles();
    // The error of a command, with the icon it deserves: a lost instrument
    // is a warning that names the port.
    void ShowError(const QString& errors);

    QString sPortSetting;
    tUi ui;
    CDeviceExchangeDlg* pExchangeDlg = nullptr;
    CDeviceExchanger* pExchanger = nullptr;
    CFileList* pFileList = nullptr;
    bool bConnectRequested = false;
    std::function<bool()> m_deleteOption;
};
