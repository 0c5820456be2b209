#include "CDevice.h"

#include "CDeviceExchangeDlg.h"

#include <CFileList.h>
#include <CTableWidgetDelegate.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kSettingsGroup = QStringLiteral("Device");
const QString kPortKey = QStringLiteral("port");

// Height of the instrument list, pixels.
constexpr int kMinListHeight = 90;
constexpr int kMaxListHeight = 240;

} // namespace

CDevice::CDevice(CFileList* fileList, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), pFileList(fileList)
{
    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    sPortSetting = settings.value(kPortKey, QString()).toString();

    qRegisterMetaType<CDeviceExchanger::tCommand>("CDeviceExchanger::tCommand");
    SetupUi();

    pExchangeDlg = new CDeviceExchangeDlg(parent);
    pExchanger = new CDeviceExchanger(this);

    connect(pExchanger, &CDeviceExchanger::sigExchangeEnd, this, &CDevice::OnExchangeEnd);
    connect(pExchanger, &CDeviceExchanger::sigSetWaiting, pExchangeDlg, &CDeviceExchangeDlg::SetWaiting);
    connect(pExchanger, &CDeviceExchanger::sigSetProgress, pExchangeDlg, &CDeviceExchangeDlg::SetProgress);
    // The flag is all that is written across threads; set it at once.
    connect(pExchangeDlg, &CDeviceExchangeDlg::sigCancel, pExchanger, &CDeviceExchanger::CancelExchange,
        Qt::DirectConnection);
    connect(ui.DoMeasure, &QPushButton::clicked, this, &CDevice::OnDoMeasure);
    connect(ui.buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CDevice::~CDevice()
{
    // A command still running is asked to stop; the exchanger then closes the
    // link on its own thread.
    pExchanger->CancelExchange();
    pExchanger->wait();
    delete pExchanger;
    pExchanger = nullptr;

    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    settings.setValue(kPortKey, sPortSetting);
}

void CDevice::SetupUi()
{
    setObjectName(QStringLiteral("CDevice"));
    setWindowTitle(tr("Device properties"));

    ui.DeviceList = new QTableWidget(0, 4, this);
    ui.DeviceList->setObjectName(QStringLiteral("DeviceList"));
    ui.DeviceList->setHorizontalHeaderLabels({ tr("Port"), tr("Model"), tr("№"), tr("Sw version") });
    ui.DeviceList->verticalHeader()->hide();
    ui.DeviceList->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.DeviceList->setSelectionMode(QAbstractItemView::SingleSelection);
    ui.DeviceList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.DeviceList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    ui.DeviceList->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    ui.DeviceList->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui.DeviceList->setTabKeyNavigation(false);
    ui.DeviceList->setItemDelegate(new CTableWidgetDelegate(ui.DeviceList));
    ui.DeviceList->setMinimumWidth(420);

    ui.BlockMeasurement = new QGroupBox(tr("Параметры измерения"), this);
    ui.BlockMeasurement->setObjectName(QStringLiteral("BlockMeasurement"));
    auto* grid = new QGridLayout(ui.BlockMeasurement);
    const auto addRow = [this, grid](const QString& label, QWidget* field, const QString& unit) {
        const int row = grid->rowCount();
        auto* caption = new QLabel(label, ui.BlockMeasurement);
        caption->setBuddy(field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1);
        if (!unit.isEmpty())
            grid->addWidget(new QLabel(unit, ui.BlockMeasurement), row, 2);
    };
    const auto newCombo = [this](const char* name) {
        auto* box = new QComboBox(ui.BlockMeasurement);
        box->setObjectName(QLatin1String(name));
        box->setMinimumWidth(120);
        return box;
    };
    ui.nWaveLen = newCombo("nWaveLen");
    ui.nPulseWidth = newCombo("nPulseWidth");
    ui.nAverageTime = newCombo("nAverageTime");
    ui.nLineLen = newCombo("nLineLen");
    ui.index = new QLineEdit(ui.BlockMeasurement);
    ui.index->setObjectName(QStringLiteral("index"));
    ui.backscatter = new QLineEdit(ui.BlockMeasurement);
    ui.backscatter->setObjectName(QStringLiteral("backscatter"));
    ui.backscatter->setText(QStringLiteral("-80"));
    addRow(tr("Длина волны"), ui.nWaveLen, tr("нм"));
    addRow(tr("Длит. импульса"), ui.nPulseWidth, tr("нс"));
    addRow(tr("Время усреднения"), ui.nAverageTime, tr("с"));
    addRow(tr("Диапазон"), ui.nLineLen, tr("км"));
    addRow(tr("Коэф. преломления"), ui.index, QString());
    addRow(tr("Коэф. обр.рассеяния"), ui.backscatter, tr("Дб"));
    grid->setColumnStretch(1, 1);

    ui.DoMeasure = new QPushButton(tr("Apply and start measure"), this);
    ui.DoMeasure->setObjectName(QStringLiteral("DoMeasure"));
    ui.buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ui.buttonBox->setObjectName(QStringLiteral("buttonBox"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ui.DeviceList);
    layout->addWidget(ui.BlockMeasurement);
    layout->addWidget(ui.DoMeasure);
    layout->addWidget(ui.buttonBox);
    // The dialog takes the size of what it shows, connected or not.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ui.BlockMeasurement->hide();
    ui.DoMeasure->hide();
}

bool CDevice::IsConnected() const
{
    return pExchanger->IsConnected();
}

tDeviceInfo CDevice::ConnectedDevice() const
{
    return pExchanger->GetDevice();
}

void CDevice::Start(CDeviceExchanger::tCommand command)
{
    pExchangeDlg->Reset();
    pExchanger->Exec(command);
}

void CDevice::Properties()
{
    if (IsConnected())
        RunParameterDialog();
    else
        Start(CDeviceExchanger::cmdSearch);
}

void CDevice::Connect()
{
    bConnectRequested = true;
    Start(CDeviceExchanger::cmdSearch);
}

void CDevice::Disconnect()
{
    Start(CDeviceExchanger::cmdDisconnect);
}

void CDevice::Measurement()
{
    Start(CDeviceExchanger::cmdMeasurement);
}

void CDevice::LoadAll()
{
    Start(CDeviceExchanger::cmdLoadAll);
}

void CDevice::ClearMemory()
{
    if (QMessageBox::question(parentWidget(), tr("Clearing device memory"), tr("Delete all traces on the instrument?"),
            QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes)
        Start(CDeviceExchanger::cmdClearMemory);
}

void CDevice::UpdateDateTime()
{
    Start(CDeviceExchanger::cmdUpdateDateTime);
}

void CDevice::OnDoMeasure()
{
    done(kDoMeasureResult);
}

void CDevice::FillParameters()
{
    const tAvailable available = pExchanger->GetAvailable();
    const tParameters parameters = pExchanger->GetParameters();

    ui.nWaveLen->clear();
    int current = -1;
    for (int i = 0; i < available.lsWaveLen.size(); ++i) {
        if (available.lsWaveLen[i] == QLatin1String("0"))
            continue;
        ui.nWaveLen->addItem(available.lsWaveLen[i], i);
        if (i == parameters.nWaveLen)
            current = ui.nWaveLen->count() - 1;
    }
    if (current < 0) {
        ui.nWaveLen->clear();
        ui.nWaveLen->addItem(tr("default"));
        ui.nWaveLen->setEnabled(false);
    } else {
        ui.nWaveLen->setEnabled(true);
        ui.nWaveLen->setCurrentIndex(current);
    }

    const auto fill = [](QComboBox* box, const QStringList& values, int index) {
        box->clear();
        box->addItems(values);
        box->setCurrentIndex(index);
    };
    fill(ui.nPulseWidth, available.lsPulseWidth, parameters.nPulseWidth);
    fill(ui.nAverageTime, available.lsAverageTime, parameters.nAverageTime);
    fill(ui.nLineLen, available.lsLineLen, parameters.nLineLen);
    ui.index->setText(QString::number(double(parameters.fGI), 'f', 5));
}

void CDevice::RunParameterDialog()
{
    setWindowTitle(tr("Device properties"));
    for (;;) {
        const int result = exec();
        if (result == QDialog::Rejected)
            return;
        tParameters parameters = pExchanger->GetParameters();
        const QString text = ui.index->text();
        bool isNumber = false;
        const float gi = QLocale().toFloat(text, &isNumber);
        const bool unchanged = isNumber && gi == parameters.fGI
            && ui.nAverageTime->currentIndex() == parameters.nAverageTime
            && ui.nLineLen->currentIndex() == parameters.nLineLen
            && ui.nPulseWidth->currentIndex() == parameters.nPulseWidth
            && (!ui.nWaveLen->isEnabled() || ui.nWaveLen->currentData().toInt() == parameters.nWaveLen);
        if (unchanged) {
            if (result == kDoMeasureResult)
                Start(CDeviceExchanger::cmdMeasurement);
            return;
        }
        if (isNumber && gi >= kMinGI && gi <= kMaxGI) {
            parameters.nLineLen = ui.nLineLen->currentIndex();
            parameters.nPulseWidth = ui.nPulseWidth->currentIndex();
            parameters.nAverageTime = ui.nAverageTime->currentIndex();
            if (ui.nWaveLen->isEnabled())
                parameters.nWaveLen = ui.nWaveLen->currentData().toInt();
            parameters.fGI = gi;
            pExchanger->SetParameters(parameters);
            Start(result == kDoMeasureResult ? CDeviceExchanger::cmdMeasurement : CDeviceExchanger::cmdSetParameters);
            return;
        }
        QMessageBox::warning(this, tr("Invalid parameter GI"),
            tr("Parameter GI is invalid value %1. Enter real number between %2 and %3")
                .arg(text, QString::number(double(kMinGI), 'f', 5), QString::number(double(kMaxGI), 'f', 5)));
    }
}

void CDevice::ShowDevices()
{
    const QList<tDeviceInfo> devices = pExchanger->GetDevices();
    ui.DeviceList->clearContents();
    ui.DeviceList->setRowCount(int(devices.size()));
    int selected = 0;
    for (int row = 0; row < devices.size(); ++row) {
        const tDeviceInfo& info = devices[row];
        const QStringList cells { info.sPort, info.sModel, info.sNumber, info.sVersion };
        for (int column = 0; column < cells.size(); ++column)
            ui.DeviceList->setItem(row, column, new QTableWidgetItem(cells[column]));
        if (info.sPort == sPortSetting)
            selected = row;
    }
    ui.DeviceList->resizeColumnsToContents();
    ui.DeviceList->resizeRowsToContents();
    // As tall as its rows and one more, within bounds: one instrument is the
    // usual case.
    int height = ui.DeviceList->horizontalHeader()->sizeHint().height() + 2 * ui.DeviceList->frameWidth();
    for (int row = 0; row <= ui.DeviceList->rowCount(); ++row)
        height += row < ui.DeviceList->rowCount() ? ui.DeviceList->rowHeight(row)
                                                  : ui.DeviceList->verticalHeader()->defaultSectionSize();
    ui.DeviceList->setFixedHeight(qBound(kMinListHeight, height, kMaxListHeight));
    ui.DeviceList->selectRow(selected);
    ui.DeviceList->setCurrentCell(selected, 0);

    setWindowTitle(tr("Choose the instrument"));
    if (exec() == QDialog::Accepted) {
        const int row = ui.DeviceList->currentRow();
        if (row >= 0 && row < devices.size()) {
            sPortSetting = devices[row].sPort;
            pExchanger->SetDevice(devices[row]);
            if (bConnectRequested) {
                bConnectRequested = false;
                Start(CDeviceExchanger::cmdConnect);
            }
        }
    }
    bConnectRequested = false;
}

void CDevice::OnExchangeEnd(
    CDeviceExchanger::tCommand cmd, QString errors, bool bCancelled, bool bCritical, CDeviceExchanger::tCommandRes res)
{
    pExchangeDlg->hide();
    if (!errors.isEmpty())
        ShowError(errors);
    if (((!errors.isEmpty() || bCancelled) && cmd == CDeviceExchanger::cmdConnect) || bCritical) {
        Start(CDeviceExchanger::cmdDisconnect);
        return;
    }

    switch (cmd) {
    case CDeviceExchanger::cmdSearch:
        if (pExchanger->GetDevices().isEmpty()) {
            if (!bCancelled)
                QMessageBox::warning(parentWidget(), tr("Devices not found"),
                    tr("No instrument and no serial port were found.\nInstall the driver of the instrument's USB adapter "
                       "(FTDI), then check the cable and that the instrument is switched on."));
            bConnectRequested = false;
            return;
        }
        ShowDevices();
        break;
    case CDeviceExchanger::cmdConnect:
        ui.DeviceList->setEnabled(false);
        ui.BlockMeasurement->show();
        ui.DoMeasure->show();
        FillParameters();
        emit sigConnect();
        emit sigConnectedChange(true);
        emit sigDisconnectedChange(false);
        break;
    case CDeviceExchanger::cmdDisconnect:
        emit sigDisconnect();
        emit sigConnectedChange(false);
        emit sigDisconnectedChange(true);
        ui.DeviceList->setEnabled(true);
        ui.BlockMeasurement->hide();
        ui.DoMeasure->hide();
        break;
    case CDeviceExchanger::cmdSetParameters:
        FillParameters();
        break;
    case CDeviceExchanger::cmdMeasurement:
    case CDeviceExchanger::cmdLoadAll: {
        // A measurement writes the parameters first and keeps what the
        // instrument answered: the dialog shows that.
        if (cmd == CDeviceExchanger::cmdMeasurement && IsConnected())
            FillParameters();
        // An entry without a name is a download the user cancelled.
        QList<QPair<QString, QByteArray>> files;
        for (const tLoadedFile& loaded : res) {
            if (!loaded.sFileName.isEmpty())
                files.append({ loaded.sFileName, loaded.baData });
        }
        const bool written = pFileList && !files.isEmpty() && pFileList->AddLoadedFiles(files);
        // The instrument's memory may go only once every trace of a complete
        // download is safely in the folder and listed.
        if (cmd == CDeviceExchanger::cmdLoadAll && written && errors.isEmpty() && !bCancelled
            && AskDeleteLoadedFiles())
            Start(CDeviceExchanger::cmdClearMemory);
        break;
    }
    case CDeviceExchanger::cmdClearMemory:
    case CDeviceExchanger::cmdUpdateDateTime:
    case CDeviceExchanger::cmdNone:
        break;
    }
}

bool CDevice::AskDeleteLoadedFiles()
{
    if (!m_deleteOption || !m_deleteOption())
        return false;
    return QMessageBox::question(parentWidget(), tr("Delete files on the device"),
               tr("Delete all traces on the instrument?"), QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

void CDevice::ShowError(const QString& errors)
{
    if (!pExchanger->IsLost()) {
        QMessageBox::information(parentWidget(), tr("Device communicates"), errors);
        return;
    }
    QMessageBox::warning(parentWidget(), tr("Device communicates"),
        tr("The instrument on port %1 does not answer.\nCheck that it is switched on and that its cable is plugged "
           "in, then connect again.\n\n%2")
            .arg(pExchanger->GetDevice().sPort, errors));
}
