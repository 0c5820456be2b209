#include "CDeviceCommand.h"

#include "CArguments.h"
#include "CInterruptNotifier.h"
#include "CListedPortConnector.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cstdio>

namespace {

constexpr float kMinGroupIndex = 1.4f;
constexpr float kMaxGroupIndex = 1.6f;

QString Joined(const QStringList& values)
{
    return values.join(QStringLiteral(", "));
}

// The value at `index` of a learned list, or "?" when there is none.
QString ValueAt(const QStringList& list, int index)
{
    return index >= 0 && index < list.size() ? list.at(index) : QStringLiteral("?");
}

} // namespace

CDeviceCommand::CDeviceCommand() = default;

CDeviceCommand::~CDeviceCommand() = default;

void CDeviceCommand::Out(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void CDeviceCommand::Err(const QString& text)
{
    std::fflush(stdout);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

QString CDeviceCommand::Usage()
{
    return tr("  lumetrix-sor device ports [--serial-port P]...\n"
              "  lumetrix-sor device search [--serial-port P]...\n"
              "  lumetrix-sor device params --port P\n"
              "  lumetrix-sor device measure --port P --to DIR [--range I] [--pulse I] [--average I]\n"
              "                              [--wavelength SLOT] [--index GI]\n"
              "  lumetrix-sor device download --port P --to DIR [--delete-after]\n"
              "  lumetrix-sor device clear --port P\n"
              "  lumetrix-sor device clock --port P\n");
}

bool CDeviceCommand::ParseOptions(
    const QString& command, const QStringList& arguments, tOptions& options, QString& error)
{
    const bool listing = command == QLatin1String("ports") || command == QLatin1String("search");
    const bool toFolder = command == QLatin1String("measure") || command == QLatin1String("download");
    const QLocale c = QLocale::c();
    const bool measure = command == QLatin1String("measure");
    CArguments parsed;
    if (listing)
        parsed.Repeatable(QStringLiteral("--serial-port"));
    else
        parsed.Value(QStringLiteral("--port"));
    if (toFolder)
        parsed.Value(QStringLiteral("--to"));
    if (command == QLatin1String("download"))
        parsed.Flag(QStringLiteral("--delete-after"));
    if (measure) {
        for (const char* name : { "--range", "--pulse", "--average", "--wavelength", "--index" })
            parsed.Value(QLatin1String(name));
    }
    error = parsed.Parse(arguments);
    if (error.isEmpty() && !parsed.Operands().isEmpty())
        error = tr("Unknown option \"%1\".").arg(parsed.Operands().front());
    if (!error.isEmpty())
        return false;
    options.bDeleteAfter = parsed.Has(QStringLiteral("--delete-after"));
    options.lsSerialPorts = parsed.Values(QStringLiteral("--serial-port"));
    options.sPort = parsed.Get(QStringLiteral("--port"));
    options.sFolder = parsed.Get(QStringLiteral("--to"));
    options.sIndex = parsed.Get(QStringLiteral("--index"));
    const std::pair<const char*, int*> indexes[] = { { "--range", &options.nRange }, { "--pulse", &options.nPulse },
        { "--average", &options.nAverage }, { "--wavelength", &options.nWaveLen } };
    for (const auto& [name, index] : indexes) {
        const QString option = QLatin1String(name);
        if (!parsed.Has(option))
            continue;
        const QString value = parsed.Get(option);
        bool ok = false;
        *index = c.toInt(value, &ok);
        if (!ok || *index < 0) {
            error = tr("The value \"%1\" of \"%2\" is not valid.").arg(value, option);
            return false;
        }
    }
    if (!listing && options.sPort.isEmpty()) {
        error = tr("device %1 needs --port.").arg(command);
        return false;
    }
    if (toFolder) {
        if (options.sFolder.isEmpty()) {
            error = tr("device %1 needs --to.").arg(command);
            return false;
        }
        const QFileInfo folder(options.sFolder);
        if (!folder.isDir() || !folder.isWritable()) {
            error = tr("%1 is not a folder that can be written to.").arg(options.sFolder);
            return false;
        }
    }
    return true;
}

int CDeviceCommand::Run(const QStringList& arguments)
{
    if (arguments.isEmpty()) {
        Err(tr("Usage:\n") + Usage());
        return ExitError;
    }
    const QString command = arguments.front();
    static const QStringList kCommands { QStringLiteral("ports"), QStringLiteral("search"), QStringLiteral("params"),
        QStringLiteral("measure"), QStringLiteral("download"), QStringLiteral("clear"), QStringLiteral("clock") };
    if (!kCommands.contains(command)) {
        Err(tr("Unknown device command \"%1\".\n").arg(command) + tr("Usage:\n") + Usage());
        return ExitError;
    }
    QString error;
    if (!ParseOptions(command, arguments.mid(1), m_options, error)) {
        Err(error + QLatin1Char('\n') + tr("Usage:\n") + Usage());
        return ExitError;
    }
    CDeviceConnectorCOM::SetExtraPorts(m_options.lsSerialPorts);
    if (command == QLatin1String("ports"))
        return Ports();

    CDeviceExchanger exchanger;
    m_pExchanger = &exchanger;
    if (!m_options.sFolder.isEmpty())
        exchanger.SetWorkFolder(QFileInfo(m_options.sFolder).canonicalFilePath());
    CInterruptNotifier interrupt;
    QObject::connect(&interrupt, &CInterruptNotifier::sigInterrupted, &exchanger, [this]() { Interrupt(); });

    int exit = ExitOk;
    if (command == QLatin1String("search"))
        exit = Search();
    else if (Connect(exit)) {
        if (command == QLatin1String("params"))
            exit = Params();
        else if (command == QLatin1String("measure"))
            exit = Measure();
        else if (command == QLatin1String("download"))
            exit = Download();
        else if (command == QLatin1String("clear"))
            exit = Clear();
        else
            exit = Clock();
    }
    // The instrument goes back to its idle mode whatever happened.
    if (exchanger.IsConnected())
        Execute(CDeviceExchanger::cmdDisconnect);
    m_pExchanger = nullptr;
    return exit;
}

void CDeviceCommand::Interrupt()
{
    m_bInterrupted = true;
    if (m_pExchanger)
        m_pExchanger->CancelExchange();
}

CDeviceExchanger::tResult CDeviceCommand::Execute(CDeviceExchanger::tCommand command)
{
    CDeviceExchanger::tResult result;
    result.cmd = command;
    QEventLoop loop;
    const QMetaObject::Connection ended = QObject::connect(m_pExchanger, &CDeviceExchanger::sigExchangeEnd, &loop,
        [&result, &loop](CDeviceExchanger::tCommand cmd, const QString& errors, bool cancelled, bool critical,
            const CDeviceExchanger::tCommandRes& res) {
            result.cmd = cmd;
            result.sErrors = errors;
            result.bCancelled = cancelled;
            result.bCritical = critical;
            result.res = res;
            loop.quit();
        });
    if (m_pExchanger->Exec(command))
        loop.exec();
    QObject::disconnect(ended);
    // An interruption between two checks of the exchange still cancels it.
    result.bCancelled = result.bCancelled || m_bInterrupted;
    return result;
}

int CDeviceCommand::Finish(const CDeviceExchanger::tResult& result)
{
    if (!result.sErrors.isEmpty())
        Err(result.sErrors + QLatin1Char('\n'));
    if (result.bCancelled) {
        Err(tr("Cancelled.\n"));
        return ExitCancelled;
    }
    return result.sErrors.isEmpty() ? ExitOk : ExitError;
}

void CDeviceCommand::NotFound()
{
    Err(tr("Devices not found") + QLatin1Char('\n')
        + tr("No instrument and no serial port were found.\nInstall the driver of the instrument's USB adapter "
             "(FTDI), then check the cable and that the instrument is switched on.")
        + QLatin1Char('\n'));
}

int CDeviceCommand::Ports()
{
    for (const QString& port : CDeviceConnectorCOM().GetPortList())
        Out(port + QLatin1Char('\n'));
    return ExitOk;
}

int CDeviceCommand::Search()
{
    const CDeviceExchanger::tResult result = Execute(CDeviceExchanger::cmdSearch);
    const QList<tDeviceInfo> devices = m_pExchanger->GetDevices();
    for (const tDeviceInfo& device : devices)
        Out(QStringLiteral("%1\t%2\t%3\t%4\n").arg(device.sPort, device.sModel, device.sNumber, device.sVersion));
    if (result.bCancelled || !result.sErrors.isEmpty())
        return Finish(result);
    if (devices.isEmpty()) {
        NotFound();
        return ExitError;
    }
    return ExitOk;
}

bool CDeviceCommand::Connect(int& exit)
{
    // Only the port named is asked who is there, then that instrument is
    // connected as the program connects the one chosen in its list.
    const QString port = m_options.sPort;
    m_pExchanger->SetConnectorFactory(
        [port]() { return QSharedPointer<IDeviceConnector>(new CListedPortConnector({ port })); });
    const CDeviceExchanger::tResult search = Execute(CDeviceExchanger::cmdSearch);
    if (search.bCancelled || !search.sErrors.isEmpty()) {
        exit = Finish(search);
        return false;
    }
    const QList<tDeviceInfo> devices = m_pExchanger->GetDevices();
    const auto found = std::find_if(
        devices.begin(), devices.end(), [&port](const tDeviceInfo& device) { return device.sPort == port; });
    if (found == devices.end()) {
        NotFound();
        exit = ExitError;
        return false;
    }
    m_pExchanger->SetDevice(*found);
    const CDeviceExchanger::tResult connect = Execute(CDeviceExchanger::cmdConnect);
    exit = Finish(connect);
    return exit == ExitOk;
}

int CDeviceCommand::Params()
{
    const tDeviceInfo device = m_pExchanger->GetDevice();
    const tAvailable available = m_pExchanger->GetAvailable();
    const tParameters parameters = m_pExchanger->GetParameters();
    QString text;
    text += tr("Port: %1\n").arg(device.sPort);
    text += tr("Model: %1\n").arg(device.sModel);
    text += tr("Number: %1\n").arg(device.sNumber);
    text += tr("Version: %1\n").arg(device.sVersion);
    text += tr("Wavelengths, nm: %1\n").arg(Joined(available.lsWaveLen));
    text += tr("Ranges, km: %1\n").arg(Joined(available.lsLineLen));
    text += tr("Pulse widths, ns: %1\n").arg(Joined(available.lsPulseWidth));
    text += tr("Averaging times, s: %1\n").arg(Joined(available.lsAverageTime));
    text += tr("Wavelength: slot %1, %2 nm\n")
                .arg(parameters.nWaveLen)
                .arg(ValueAt(available.lsWaveLen, parameters.nWaveLen));
    text += tr("Range: index %1, %2 km\n")
                .arg(parameters.nLineLen)
                .arg(ValueAt(available.lsLineLen, parameters.nLineLen));
    text += tr("Pulse width: index %1, %2 ns\n")
                .arg(parameters.nPulseWidth)
                .arg(ValueAt(available.lsPulseWidth, parameters.nPulseWidth));
    text += tr("Averaging time: index %1, %2 s\n")
                .arg(parameters.nAverageTime)
                .arg(ValueAt(available.lsAverageTime, parameters.nAverageTime));
    text += tr("Index: %1\n").arg(QString::number(double(parameters.fGI), 'f', 5));
    Out(text);
    return ExitOk;
}

bool CDeviceCommand::ApplyOverrides(const tOptions& options, QString& error)
{
    const tAvailable available = m_pExchanger->GetAvailable();
    tParameters parameters = m_pExchanger->GetParameters();
    const auto pick = [&error](int wanted, const QStringList& list, const QString& what, int& target) {
        if (wanted < 0)
            return true;
        if (wanted >= list.size()) {
            error = tr("The %1 index %2 is not one of 0 to %3.").arg(what).arg(wanted).arg(list.size() - 1);
            return false;
        }
        target = wanted;
        return true;
    };
    if (!pick(options.nRange, available.lsLineLen, tr("range"), parameters.nLineLen)
        || !pick(options.nPulse, available.lsPulseWidth, tr("pulse width"), parameters.nPulseWidth)
        || !pick(options.nAverage, available.lsAverageTime, tr("averaging time"), parameters.nAverageTime))
        return false;
    if (options.nWaveLen >= 0) {
        if (options.nWaveLen >= available.lsWaveLen.size()
            || available.lsWaveLen.at(options.nWaveLen) == QLatin1String("0")) {
            error = tr("The wavelength slot %1 holds no wavelength (slots: %2).")
                        .arg(options.nWaveLen)
                        .arg(Joined(available.lsWaveLen));
            return false;
        }
        parameters.nWaveLen = options.nWaveLen;
    }
    if (!options.sIndex.isEmpty()) {
        bool ok = false;
        const float index = QLocale::c().toFloat(options.sIndex, &ok);
        // The negated test also refuses NaN.
        if (!ok || !(index >= kMinGroupIndex && index <= kMaxGroupIndex)) {
            error = tr("Parameter GI is invalid value %1. Enter real number between %2 and %3")
                        .arg(options.sIndex)
                        .arg(QString::number(double(kMinGroupIndex), 'f', 5))
                        .arg(QString::number(double(kMaxGroupIndex), 'f', 5));
            return false;
        }
        parameters.fGI = index;
    }
    m_pExchanger->SetParameters(parameters);
    return true;
}

int CDeviceCommand::Measure()
{
    QString error;
    if (!ApplyOverrides(m_options, error)) {
        Err(error + QLatin1Char('\n'));
        return ExitError;
    }
    const CDeviceExchanger::tResult result = Execute(CDeviceExchanger::cmdMeasurement);
    const bool written = WriteTraces(result.res);
    const int exit = Finish(result);
    return exit == ExitOk && !written ? int(ExitError) : exit;
}

int CDeviceCommand::Download()
{
    // The memory is erased only after every trace is safely on disk, so a
    // full disk never costs the instrument's traces.
    const CDeviceExchanger::tResult result = Execute(CDeviceExchanger::cmdLoadAll);
    const bool written = WriteTraces(result.res);
    const int exit = Finish(result);
    if (exit != ExitOk)
        return exit;
    if (!written)
        return ExitError;
    if (m_options.bDeleteAfter)
        return Finish(Execute(CDeviceExchanger::cmdClearMemory));
    return ExitOk;
}

int CDeviceCommand::Clear()
{
    return Finish(Execute(CDeviceExchanger::cmdClearMemory));
}

int CDeviceCommand::Clock()
{
    return Finish(Execute(CDeviceExchanger::cmdUpdateDateTime));
}

bool CDeviceCommand::WriteTraces(const CDeviceExchanger::tCommandRes& traces)
{
    const QString folder = QFileInfo(m_options.sFolder).canonicalFilePath();
    bool allWritten = true;
    for (const tLoadedFile& trace : traces) {
        // An entry without a name is a download cancelled while reading.
        if (trace.sFileName.isEmpty())
            continue;
        const QFileInfo target(trace.sFileName);
        if (QFileInfo(target.absolutePath()).canonicalFilePath() != folder) {
            Err(tr("%1: not in the folder %2; not written.\n").arg(trace.sFileName, folder));
            allWritten = false;
            continue;
        }
        // Never over another file, and never half a file.
        QFile file(target.absoluteFilePath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            Err(tr("%1: %2\n").arg(file.fileName(), file.errorString()));
            allWritten = false;
            continue;
        }
        if (file.write(trace.baData) != trace.baData.size() || !file.flush()) {
            Err(tr("%1: %2\n").arg(file.fileName(), file.errorString()));
            file.close();
            file.remove();
            allWritten = false;
            continue;
        }
        file.close();
        Out(file.fileName() + QLatin1Char('\n'));
    }
    return allWritten;
}
