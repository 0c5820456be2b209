#include "CDeviceExchanger.h"

#include "CDeviceConnectorCOM.h"
#include "EDeviceExchange.h"
#include "EExchangeParameters.h"

#include <CFile.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <limits>
#include <new>

namespace {

// Precedes the location codes in "Error code is %1".
const QString kErrorPrefix = QStringLiteral("LX");

QString InvalidFileMessage()
{
    return CDeviceExchanger::tr("The file from the instrument is invalid.\nThe instrument is probably not a compatible one.");
}

int ClampSeconds(qint64 seconds)
{
    return int(qBound(qint64(0), seconds, qint64(std::numeric_limits<int>::max())));
}

// Keeps a file name to the characters a trace name is made of, so that no
// reply can lead a file out of the working folder.
QString SafeBaseName(const QString& name)
{
    QString safe;
    for (QChar c : name) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('_') || c == QLatin1Char('-'))
            safe += c;
    }
    return safe.isEmpty() ? QStringLiteral("trace") : safe;
}

} // namespace

CDeviceExchanger::CDeviceExchanger(QObject* parent) : QThread(parent)
{
    qRegisterMetaType<CDeviceExchanger::tCommandRes>("CDeviceExchanger::tCommandRes");
    qRegisterMetaType<CDeviceExchanger::tCommand>("CDeviceExchanger::tCommand");
    connector = CreateConnector();
}

CDeviceExchanger::~CDeviceExchanger()
{
    wait();
    if (IsConnected()) {
        if (m_bPortOnOwnThread) {
            // The port belongs to this object's thread: close it there.
            m_bClosingOnly = true;
            start();
            wait();
        } else {
            Disconnect();
        }
    }
    connector.reset();
}

bool CDeviceExchanger::Exec(tCommand command)
{
    if (m_bBusy.exchange(true))
        return false;
    // The previous command has ended; its run may still be returning.
    wait();
    cmd = command;
    sErrors.clear();
    m_bClosingOnly = false;
    start(QThread::LowPriority);
    return true;
}

CDeviceExchanger::tResult CDeviceExchanger::RunCommand(tCommand command)
{
    cmd = command;
    sErrors.clear();
    return Execute();
}

bool CDeviceExchanger::IsConnected() const
{
    return connector && connector->IsOpen();
}

void CDeviceExchanger::SetConnectorFactory(const tConnectorFactory& factory)
{
    m_factory = factory;
    connector = m_factory ? m_factory() : CreateConnector();
}

void CDeviceExchanger::SetClock(IExchangeClock* clock)
{
    m_pClock = clock ? clock : &m_systemClock;
}

QSharedPointer<IDeviceConnector> CDeviceExchanger::CreateConnector()
{
    return QSharedPointer<IDeviceConnector>(new CDeviceConnectorCOM());
}

void CDeviceExchanger::run()
{
    if (m_bClosingOnly) {
        Disconnect();
        return;
    }
    Execute();
}

CDeviceExchanger::tResult CDeviceExchanger::Execute()
{
    bCancelled.store(false, std::memory_order_relaxed);
    m_bSilent = false;
    m_bLost = false;
    bool bCritical = false;
    bool bSendFailed = false;
    tCommandRes res;
    try {
        // Bytes left from an earlier exchange must not be taken for the
        // reply to this command's first send.
        if (cmd != cmdSearch && cmd != cmdDisconnect && connector->IsOpen())
            DropStale();
        switch (cmd) {
        case cmdSearch:
            Search();
            break;
        case cmdConnect:
            Connect();
            break;
        case cmdDisconnect:
            Disconnect();
            break;
        case cmdSetParameters:
            SetParametersCommand();
            break;
        case cmdMeasurement:
            Measurement(res);
            break;
        case cmdLoadAll:
            LoadAll(res);
            break;
        case cmdClearMemory:
            ClearMemory();
            break;
        case cmdUpdateDateTime:
            UpdateDateTime();
            break;
        case cmdNone:
            break;
        }
    } catch (const EDeviceExchange& e) {
        bCritical = e.IsCritical();
        sErrors = bCritical ? e.FullText(kErrorPrefix) : e.Message();
    } catch (const IDeviceConnector::ESending& e) {
        bCritical = true;
        bSendFailed = true;
        sErrors = e.FullText(kErrorPrefix);
    } catch (const Exception& e) {
        bCritical = true;
        sErrors = e.FullText(kErrorPrefix);
    } catch (const std::bad_alloc&) {
        bCritical = true;
        sErrors = EInternalError(EDeviceExchange::Module, __LINE__).FullText(kErrorPrefix);
    }

    // A line that takes no bytes or brings no reply where one was due: the
    // instrument is off or its cable is out.
    m_bLost = bCritical && (bSendFailed || m_bSilent);

    tResult result;
    result.cmd = cmd;
    cmd = cmdNone;
    result.sErrors = sErrors;
    result.bCancelled = IsCancelled();
    result.bCritical = bCritical;
    result.res = res;
    m_bBusy.store(false);
    emit sigExchangeEnd(result.cmd, result.sErrors, result.bCancelled, result.bCritical, result.res);
    return result;
}

// The dialogue primitives.

void CDeviceExchanger::Send(const QByteArray& command)
{
    connector->Send(command);
    m_pClock->Sleep(kCommandPause);
}

QString CDeviceExchanger::Read()
{
    const QByteArray reply = connector->ReadAll();
    m_bSilent = reply.isEmpty();
    return DecodeReply(reply);
}

void CDeviceExchanger::DropStale()
{
    // Bounded, so that a sender that never stops cannot hold the command.
    for (int i = 0; i < kStaleReads && !connector->ReadAll().isEmpty(); ++i) { }
}

void CDeviceExchanger::Drain()
{
    // A mode command stops a transfer the instrument may still be sending
    // and is never answered; then the line is read until it stays quiet.
    connector->Send(QByteArrayLiteral(";SYST:MODE 3\r"));
    for (int waited = 0; waited < kDrainLimit; waited += kCommandPause) {
        m_pClock->Sleep(kCommandPause);
        if (connector->ReadAll().isEmpty())
            return;
    }
}

QString CDeviceExchanger::DecodeReply(const QByteArray& bytes)
{
    QStringDecoder decoder("Windows-1251");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

bool CDeviceExchanger::Wait(qint64 seconds, int extra)
{
    emit sigSetWaiting(ClampSeconds(seconds + extra), true);
    const qint64 passes = seconds * 1000 / kCommandPause;
    for (qint64 pass = 0; pass < passes; ++pass) {
        m_pClock->Sleep(kCommandPause);
        if (IsCancelled())
            return true;
    }
    return false;
}

QString CDeviceExchanger::WorkFolder() const
{
    const QDir folder = m_sWorkFolder.isEmpty() ? QDir::current() : QDir(m_sWorkFolder);
    const QString canonical = folder.canonicalPath();
    return canonical.isEmpty() ? folder.absolutePath() : canonical;
}

// Parsing.

tDeviceInfo CDeviceExchanger::ParseIdentification(const QString& reply, const QString& port)
{
    if (reply.isEmpty())
        throw EDeviceExchange(__LINE__,
            tr("No identification was received from the instrument on port %1.\nThe instrument is probably not a "
               "compatible one, or it is not connected.")
                .arg(port),
            true);
    const QStringList parts = reply.chopped(1).split(QLatin1Char(','));
    if (parts.size() != 4)
        throw EDeviceExchange(__LINE__,
            tr("The identification received from port %1 is not valid.\nThe instrument is probably not a compatible one.")
                .arg(port),
            true);
    tDeviceInfo info;
    info.sModel = parts[1];
    info.sNumber = parts[2];
    // The numero sign, byte 0xB9 of Windows-1251 (and of Latin-1 as a stand-in).
    if (info.sNumber.startsWith(QChar(0x2116)) || info.sNumber.startsWith(QChar(0x00B9)))
        info.sNumber.remove(0, 1);
    info.sVersion = parts[3].mid(7);
    return info;
}

int CDeviceExchanger::ParseNumber(const QString& field)
{
    static const QRegularExpression nonDigits(QStringLiteral("\\D+"));
    QString digits = field;
    digits.remove(nonDigits);
    bool ok = false;
    const int value = digits.toInt(&ok);
    if (digits.isEmpty() || !ok)
        throw EExchangeParameters(__LINE__);
    return value;
}

tConfig CDeviceExchanger::ParseConfig(const QString& reply)
{
    if (reply.isEmpty())
        throw EExchangeParameters(__LINE__);
    const QStringList parts = reply.chopped(1).split(QLatin1Char(','));
    if (parts.size() < 6 || parts[0] != QLatin1String("CFG"))
        throw EExchangeParameters(__LINE__);
    tConfig config;
    config.nLineLen = ParseNumber(parts[1]);
    config.nPulseWidth = ParseNumber(parts[2]);
    config.nAverageTime = ParseNumber(parts[3]);
    const QStringList wave = parts[4].split(QLatin1Char('('));
    if (wave.size() != 2 || wave[1].size() < 2 || !wave[1].endsWith(QLatin1Char(')')))
        throw EExchangeParameters(__LINE__);
    config.nWaveLenValue = ParseNumber(wave[0]);
    bool ok = false;
    config.nWaveLenIndex = wave[1].chopped(1).toInt(&ok);
    if (!ok)
        throw EExchangeParameters(__LINE__);
    config.fGI = parts[5].toFloat(&ok);
    // The negated test also refuses NaN.
    if (!ok || !(config.fGI >= 1.4f && config.fGI <= 1.6f))
        throw EExchangeParameters(__LINE__);
    return config;
}

int CDeviceExchanger::IndexOfValue(const QStringList& list, int value)
{
    for (int i = 0; i < list.size(); ++i) {
        bool ok = false;
        if (list[i].toInt(&ok) == value && ok)
            return i;
    }
    return 0;
}

QByteArray CDeviceExchanger::ConfigCommand(const tParameters& values)
{
    return QStringLiteral(";SYST:SET:CFG %1,%2,%3,%4,%5\r")
        .arg(values.nLineLen)
        .arg(values.nPulseWidth)
        .arg(values.nAverageTime)
        .arg(values.nWaveLen)
        .arg(QString::number(double(values.fGI), 'g', 6))
        .toLatin1();
}

QByteArray CDeviceExchanger::CheckBlock(const QByteArray& block)
{
    const qint64 size = block.size();
    if (size < kMinBlockSize || block[0] != '#' || block[1] < '1' || block[1] > '8')
        throw EDeviceExchange(__LINE__, InvalidFileMessage(), false);
    const int digits = block[1] - '0';
    const QByteArray lengthText = block.mid(2, digits);
    bool ok = lengthText.size() == digits;
    for (char c : lengthText)
        ok = ok && c >= '0' && c <= '9';
    const qint64 length = ok ? lengthText.toLongLong(&ok) : -1;
    if (!ok || length != size - digits - 2)
        throw EDeviceExchange(__LINE__, InvalidFileMessage(), false);
    return block.mid(digits + 2);
}

QString CDeviceExchanger::FileBaseName(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyMMdd_hhmm")) + QString::number(time.time().second() / 10);
}

QString CDeviceExchanger::FreeFileName(const QString& folder, const QString& base, const QStringList& taken)
{
    const QDir dir(folder);
    const QString safe = SafeBaseName(base);
    QString path = dir.absoluteFilePath(safe + QStringLiteral(".sor"));
    for (int i = 1; QFileInfo::exists(path) || taken.contains(path); ++i)
        path = dir.absoluteFilePath(safe + QStringLiteral("(%1).sor").arg(i));
    return path;
}

// Commands.

tDeviceInfo CDeviceExchanger::Identify(IDeviceConnector& port)
{
    const QByteArray reply = port.ReadAll();
    m_bSilent = reply.isEmpty();
    return ParseIdentification(DecodeReply(reply), port.GetPortName());
}

void CDeviceExchanger::Search()
{
    emit sigSetWaiting(0, true);
    devices.clear();
    const QStringList ports = connector->GetPortList();
    if (ports.isEmpty())
        return;

    // Every port is asked first and read afterwards, so each instrument has
    // the time of all the others to answer.
    QList<QSharedPointer<IDeviceConnector>> probes;
    for (const QString& port : ports) {
        QSharedPointer<IDeviceConnector> probe = m_factory ? m_factory() : CreateConnector();
        try {
            probe->Open(port, kPortTimeout);
            m_pClock->Sleep(kCommandPause);
            if (probe->IsOpen())
                probe->Send(QByteArrayLiteral("*IDN?\r"));
        } catch (const Exception&) {
            // A port that fails is simply not an instrument.
        }
        probes.append(probe);
        if (IsCancelled())
            return;
    }
    m_pClock->Sleep(kCommandPause);

    for (const QSharedPointer<IDeviceConnector>& probe : probes) {
        if (!probe->IsOpen())
            continue;
        try {
            tDeviceInfo info = Identify(*probe);
            info.sPort = probe->GetPortName();
            devices.append(info);
            if (IsCancelled())
                return;
        } catch (const Exception&) {
        }
        probe->Close();
    }
}

void CDeviceExchanger::Connect()
{
    emit sigSetWaiting(7, false);
    try {
        connector->Open(device.sPort, kPortTimeout);
        m_bPortOnOwnThread = QThread::currentThread() == this;
        m_pClock->Sleep(kCommandPause);
        if (!connector->IsOpen())
            throw EDeviceExchange(__LINE__,
                tr("Cannot connect to port %1.\nThe port is probably in use by another application.").arg(device.sPort),
                true);
        DropStale();
        Send(QByteArrayLiteral("*IDN?\r"));
        const tDeviceInfo info = Identify(*connector);
        if (info.sModel != device.sModel || info.sNumber != device.sNumber || info.sVersion != device.sVersion)
            throw EDeviceExchange(__LINE__,
                tr("Connected device isn't the requested  device (port %1). Please, re-connect the device.")
                    .arg(connector->GetPortName()),
                true);
        ReadParameters();
    } catch (...) {
        connector->Close();
        throw;
    }
}

void CDeviceExchanger::Disconnect()
{
    if (!connector->IsOpen())
        return;
    try {
        connector->Send(QByteArrayLiteral(";SYST:MODE 0\r"));
    } catch (const Exception&) {
        // The port closes all the same.
    }
    connector->Close();
}

void CDeviceExchanger::ReadParameters()
{
    Send(QByteArrayLiteral(";SYST:MODE 2\r"));
    available = tAvailable();

    Send(QByteArrayLiteral(";SYST:AVA?\r"));
    const QString wavelengths = Read();
    if (wavelengths.size() < 2)
        throw EExchangeParameters(__LINE__);
    available.lsWaveLen = wavelengths.chopped(1).split(QLatin1Char(','));

    Send(QByteArrayLiteral(";SYST:SET:CFG?\r"));
    const tConfig current = ParseConfig(Read());

    // The instrument names its values only in its replies: setting code i of
    // every list at once reports the values of code i, until a pass adds
    // nothing new.
    const QString slot = QString::number(current.nWaveLenIndex);
    const QString index = QString::number(double(current.fGI), 'g', 6);
    for (int i = 0; i < 10; ++i) {
        Send(QStringLiteral(";SYST:SET:CFG %1,%1,%1,%2,%3\r").arg(i).arg(slot, index).toLatin1());
        const tConfig probe = ParseConfig(Read());
        bool grew = false;
        const auto learn = [&grew](QStringList& list, int value) {
            const QString text = QString::number(value);
            if (!list.contains(text)) {
                list.append(text);
                grew = true;
            }
        };
        learn(available.lsLineLen, probe.nLineLen);
        learn(available.lsPulseWidth, probe.nPulseWidth);
        learn(available.lsAverageTime, probe.nAverageTime);
        if (!grew)
            break;
    }
    // The probing left the instrument at its last probed setting: put back
    // what it was set to, and keep what it answers.
    StoreConfig(current);
    Send(ConfigCommand(parameters));
    StoreConfig(ParseConfig(Read()));
}

void CDeviceExchanger::StoreConfig(const tConfig& config)
{
    parameters.nLineLen = IndexOfValue(available.lsLineLen, config.nLineLen);
    parameters.nPulseWidth = IndexOfValue(available.lsPulseWidth, config.nPulseWidth);
    parameters.nAverageTime = IndexOfValue(available.lsAverageTime, config.nAverageTime);
    parameters.nWaveLen = config.nWaveLenIndex;
    parameters.fGI = config.fGI;
}

void CDeviceExchanger::WriteParameters()
{
    Send(QByteArrayLiteral(";SYST:MODE 2\r"));
    Send(ConfigCommand(parameters));
    StoreConfig(ParseConfig(Read()));
}

void CDeviceExchanger::SetParametersCommand()
{
    emit sigSetWaiting(2, false);
    WriteParameters();
}

void CDeviceExchanger::Measurement(tCommandRes& res)
{
    emit sigSetWaiting(0, false);
    WriteParameters();
    Send(QByteArrayLiteral(";SYST:MODE 1\r"));
    Send(QByteArrayLiteral(";INIT\r"));
    m_pClock->Sleep(kInitPause);

    QByteArray reply = connector->ReadAll();
    m_bSilent = reply.isEmpty();
    if (!reply.isEmpty())
        reply.chop(1);
    bool ok = false;
    const int seconds = QString::fromLatin1(reply).toInt(&ok);
    if (!ok)
        throw EDeviceExchange(
            __LINE__, tr("The instrument did not accept the measurement request.\nThe instrument is probably not a compatible one."), false);
    if (seconds > 0 && Wait(qint64(seconds) + 3, 2))
        return;

    // The instrument answers again once the measurement is done.
    for (int attempt = 0; attempt < 3; ++attempt) {
        Send(QByteArrayLiteral("*IDN?\r"));
        if (!connector->ReadAll().isEmpty())
            break;
        if (IsCancelled() || Wait(3, 2))
            return;
    }
    res.append(LoadFile(0, res));
}

void CDeviceExchanger::LoadAll(tCommandRes& res)
{
    emit sigSetWaiting(2, false);
    Send(QByteArrayLiteral(";SYST:MODE 3\r"));
    Send(QByteArrayLiteral(";MMEM:FREE?\r"));
    const QStringList parts = Read().split(QLatin1Char(','));
    if (parts.size() != 2)
        throw EDeviceExchange(
            __LINE__, tr("The instrument reported an impossible number of files.\nThe instrument is probably not a compatible one."), false);
    const int count = parts[0].toInt();
    if (count <= 0)
        throw EDeviceExchange(__LINE__, tr("Device is empty"), false);

    for (int i = 1; i <= count; ++i) {
        emit sigSetProgress(i - 1, count, true);
        res.append(LoadFile(i, res));
        if (IsCancelled())
            return;
    }
    emit sigSetProgress(count, count, false);
}

void CDeviceExchanger::ClearMemory()
{
    emit sigSetWaiting(1, false);
    Send(QByteArrayLiteral(";MMEM:INIT\r"));
}

void CDeviceExchanger::UpdateDateTime()
{
    emit sigSetWaiting(2, false);
    const QDateTime now = m_pClock->Now();
    const auto two = [](int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    const QDate date = now.date();
    const QTime time = now.time();
    Send(QByteArrayLiteral(";SYST:MODE 6\r"));
    Send(QStringLiteral(";SYST:DATE %1,%2,%3\r").arg(two(date.day()), two(date.month()), two(date.year())).toLatin1());
    Send(QStringLiteral(";SYST:TIME %1,%2,%3\r")
             .arg(two(time.hour()), two(time.minute()), two(time.second()))
             .toLatin1());
}

qint64 CDeviceExchanger::AnnouncedSize(const QByteArray& block)
{
    if (block.size() < 2)
        return -1;
    if (block[0] != '#' || block[1] < '1' || block[1] > '8')
        throw EDeviceExchange(__LINE__, InvalidFileMessage(), false);
    const int digits = block[1] - '0';
    if (block.size() < 2 + digits)
        return -1;
    qint64 length = 0;
    for (char c : block.mid(2, digits)) {
        if (c < '0' || c > '9')
            throw EDeviceExchange(__LINE__, InvalidFileMessage(), false);
        length = length * 10 + (c - '0');
    }
    if (length > kMaxFileSize)
        throw EDeviceExchange(__LINE__, InvalidFileMessage(), false);
    return 2 + digits + length;
}

bool CDeviceExchanger::CollectBlock(QByteArray& block)
{
    // The header says how long the block is: the transfer ends when that
    // much has arrived, or when the line stays quiet for too long.
    qint64 expected = -1;
    for (int silent = 0; silent < kSilentReads && (expected < 0 || block.size() < expected);) {
        m_pClock->Sleep(kDownloadPause);
        if (IsCancelled())
            return false;
        const QByteArray chunk = connector->ReadAll();
        silent = chunk.isEmpty() ? silent + 1 : 0;
        block.append(chunk);
        if (expected < 0)
            expected = AnnouncedSize(block);
    }
    // Bytes that follow the block at once (a sender that does not stop)
    // make it invalid.
    if (expected >= 0 && block.size() == expected) {
        m_pClock->Sleep(kTrailPause);
        block.append(connector->ReadAll());
    }
    return true;
}

tLoadedFile CDeviceExchanger::LoadFile(int number, const tCommandRes& taken)
{
    Send(QByteArrayLiteral(";SYST:MODE 3\r"));
    Send(QStringLiteral(";MMEM:LOAD:FILE? %1\r").arg(number).toLatin1());
    QByteArray data;
    try {
        QByteArray block;
        if (!CollectBlock(block)) {
            Drain();
            return {};
        }
        data = CheckBlock(block);
    } catch (const EDeviceExchange&) {
        Drain();
        throw;
    }

    QDateTime time;
    {
        QTemporaryFile file;
        if (!file.open())
            throw EDeviceExchange(__LINE__,
                tr("Cannot create temporary file. Check empty space of %1 bytes on system disk.").arg(data.size()),
                false);
        if (file.write(data) != data.size() || !file.flush())
            throw EDeviceExchange(__LINE__, tr("Cannot write temporary file:\n%1").arg(file.errorString()), false);
        try {
            quint32 warnings = 0;
            const sor::CFile document(file.fileName(), warnings);
            time = document.FixedParameters().dateTime;
        } catch (const Exception& e) {
            throw EDeviceExchange(__LINE__, tr("Device's file is invalid:\n%1").arg(e.FullText(kErrorPrefix)), false);
        }
    }

    // Traces of one command never share a name, although none is written yet.
    QStringList names;
    for (const tLoadedFile& loaded : taken)
        names.append(loaded.sFileName);
    tLoadedFile loaded;
    loaded.sFileName = FreeFileName(WorkFolder(), FileBaseName(time), names);
    loaded.baData = data;
    return loaded;
}
