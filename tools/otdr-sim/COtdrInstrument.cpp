#include "COtdrInstrument.h"

#include <CBellcore.h>
#include <CFileStream.h>
#include <CSynthRandom.h>
#include <CSynthTrace.h>
#include <Exception.h>

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// Commands end in a carriage return, replies in a line feed.
constexpr char kCommandEnd = '\r';
constexpr char kReplyEnd = '\n';
// A command longer than this without its carriage return is line noise.
constexpr int kMaxCommand = 256;
// Replies are ready a moment after their command.
constexpr qint64 kReplyLatencyMs = 5;
// The numero sign in Windows-1251, the instrument's character set.
constexpr char kNumeroSign = char(0xB9);
// Bytes of an endless transfer handed out at a time.
constexpr qint64 kStreamChunk = 65536;

constexpr float kMinGroupIndex = 1.4f;
constexpr float kMaxGroupIndex = 1.6f;

struct tFaultName
{
    COtdrInstrument::tFault fault;
    const char* name;
};
constexpr tFaultName kFaultNames[] = {
    { COtdrInstrument::FaultNoReply, "no-reply" },
    { COtdrInstrument::FaultGarbledId, "garbled-id" },
    { COtdrInstrument::FaultConfigIndex, "cfg-index" },
    { COtdrInstrument::FaultWrongLength, "wrong-length" },
    { COtdrInstrument::FaultTruncated, "truncated" },
    { COtdrInstrument::FaultSlow, "slow" },
    { COtdrInstrument::FaultEndless, "endless" },
};

// The log shows control characters and bytes above ASCII as escapes.
QString Printable(const QByteArray& bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r')
            text += QStringLiteral("\\r");
        else if (byte == '\n')
            text += QStringLiteral("\\n");
        else if (byte < 0x20 || byte >= 0x7F)
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
        else
            text += QLatin1Char(c);
    }
    return text;
}

// Decimal integers separated by commas; false when any is not one.
bool ParseIntegers(const QByteArray& text, int count, QList<int>& values)
{
    const QList<QByteArray> parts = text.split(',');
    if (parts.size() != count)
        return false;
    values.clear();
    for (const QByteArray& part : parts) {
        bool ok = false;
        values.append(part.trimmed().toInt(&ok));
        if (!ok)
            return false;
    }
    return true;
}

QByteArray TwoDigits(int value)
{
    return QByteArray::number(value).rightJustified(2, '0');
}

} // namespace

COtdrInstrument::COtdrInstrument(const tOptions& options, const QDateTime& clock, qint64 nowMs)
    : m_options(options), m_clockBase(clock), m_clockBaseMs(nowMs), m_nextSeed(options.seed)
{
    // The lists are never empty: the configuration always points at a value.
    if (m_options.ranges.isEmpty())
        m_options.ranges = { 8 };
    if (m_options.pulses.isEmpty())
        m_options.pulses = { 100 };
    if (m_options.averages.isEmpty())
        m_options.averages = { 15 };
    if (m_options.wavelengths.isEmpty())
        m_options.wavelengths = { 1550 };

    // A middle setting on the first wavelength that is fitted.
    m_range = int(m_options.ranges.size()) / 2;
    m_pulse = int(m_options.pulses.size()) / 2;
    m_average = 0;
    m_slot = 0;
    while (m_slot + 1 < m_options.wavelengths.size() && m_options.wavelengths.at(m_slot) == 0)
        ++m_slot;

    // The memory holds traces measured over the last hours, one a minute
    // apart, on the wavelengths fitted in turn.
    CSynthRandom random(m_options.seed);
    const QDateTime now = Clock(nowMs);
    const QDateTime first = now.addSecs(-3600 - 60 * qint64(m_options.stored));
    QList<int> fitted;
    for (int i = 0; i < m_options.wavelengths.size(); ++i) {
        if (m_options.wavelengths.at(i) != 0)
            fitted.append(i);
    }
    for (int i = 0; i < m_options.stored; ++i) {
        const int slot = fitted.isEmpty() ? m_slot : fitted.at(i % fitted.size());
        const QDateTime time = m_options.storedSameTime ? first : first.addSecs(60 * qint64(i) + random.Integer(0, 59));
        m_stored.append(Trace(random.Integer(0, int(m_options.ranges.size()) - 1),
            random.Integer(0, int(m_options.pulses.size()) - 1), random.Integer(0, int(m_options.averages.size()) - 1),
            slot, float(std::round(random.Uniform(1.4650, 1.4700) * 1e4) / 1e4), time, ++m_nextSeed));
    }
}

QString COtdrInstrument::FaultName(tFault fault)
{
    for (const tFaultName& entry : kFaultNames) {
        if (entry.fault == fault)
            return QString::fromLatin1(entry.name);
    }
    return {};
}

bool COtdrInstrument::FaultFromName(const QString& name, tFault& fault)
{
    for (const tFaultName& entry : kFaultNames) {
        if (name == QLatin1String(entry.name)) {
            fault = entry.fault;
            return true;
        }
    }
    return false;
}

void COtdrInstrument::Log(const QString& text) const
{
    if (log)
        log(text);
}

QDateTime COtdrInstrument::Clock(qint64 nowMs) const
{
    return m_clockBase.addMSecs(nowMs - m_clockBaseMs);
}

void COtdrInstrument::Receive(const QByteArray& bytes, qint64 nowMs)
{
    for (const char c : bytes) {
        if (c != kCommandEnd) {
            if (m_input.size() < kMaxCommand)
                m_input.append(c);
            continue;
        }
        const QByteArray command = m_input;
        m_input.clear();
        // A new command stops a file transfer that is still running, as the
        // instrument's single serial line cannot do both. What it already
        // sent stays on the line for the program to read.
        const auto transfer
            = std::find_if(m_replies.begin(), m_replies.end(), [](const tReply& reply) { return reply.bTransfer; });
        if (transfer != m_replies.end()) {
            Log(QStringLiteral("transfer stopped after %1 bytes").arg(transfer->sent));
            m_replies.erase(transfer, m_replies.end());
        }
        Execute(command, nowMs);
    }
}

void COtdrInstrument::Execute(const QByteArray& raw, qint64 nowMs)
{
    // Programs put a semicolon before the command (an empty command before
    // it, in SCPI terms); blanks around it mean nothing.
    QByteArray command = raw.trimmed();
    if (command.startsWith(';'))
        command = command.mid(1);
    Log(QStringLiteral("<- %1\\r").arg(Printable(raw)));
    if (command.isEmpty())
        return;
    if (Busy(nowMs)) {
        Log(QStringLiteral("   busy measuring for %1 ms more: ignored").arg(m_busyUntilMs - nowMs));
        return;
    }

    const auto ignored = [this](const char* why) { Log(QStringLiteral("   ignored: %1").arg(QLatin1String(why))); };
    const int space = command.indexOf(' ');
    const QByteArray header = (space < 0 ? command : command.left(space)).toUpper();
    const QByteArray arguments = space < 0 ? QByteArray() : command.mid(space + 1).trimmed();

    if (header == "*IDN?") {
        Reply(Identification(), nowMs);
    } else if (header == "SYST:MODE") {
        bool ok = false;
        const int mode = arguments.toInt(&ok);
        if (!ok || mode < 0 || mode > 9)
            return ignored("no such mode");
        m_mode = mode;
        Log(QStringLiteral("   mode %1").arg(mode));
    } else if (header == "SYST:AVA?") {
        if (m_mode != 2)
            return ignored("not in mode 2");
        QByteArrayList fitted;
        for (const int wavelength : m_options.wavelengths)
            fitted.append(QByteArray::number(wavelength));
        Reply(fitted.join(','), nowMs);
    } else if (header == "SYST:SET:CFG?") {
        if (m_mode != 2)
            return ignored("not in mode 2");
        Reply(Configuration(), nowMs);
    } else if (header == "SYST:SET:CFG") {
        if (m_mode != 2)
            return ignored("not in mode 2");
        SetConfiguration(arguments);
        Reply(Configuration(), nowMs);
    } else if (header == "INIT") {
        if (m_mode != 1)
            return ignored("not in mode 1");
        StartMeasurement(nowMs);
    } else if (header == "MMEM:FREE?") {
        if (m_mode != 3)
            return ignored("not in mode 3");
        qint64 used = 0;
        for (const QByteArray& trace : std::as_const(m_stored))
            used += trace.size();
        const qint64 capacity = 16 * 1024 * 1024;
        Reply(QByteArray::number(m_stored.size()) + ',' + QByteArray::number(std::max<qint64>(0, capacity - used)),
            nowMs);
    } else if (header == "MMEM:LOAD:FILE?") {
        if (m_mode != 3)
            return ignored("not in mode 3");
        bool ok = false;
        const int number = arguments.toInt(&ok);
        if (!ok || number < 0 || number > m_stored.size()) {
            // No such file: an empty block.
            Log(QStringLiteral("   no file %1").arg(QString::fromLatin1(arguments)));
            ReplyBlock(QByteArray(), nowMs);
        } else if (number == 0) {
            if (m_lastMeasurement.isEmpty())
                Log(QStringLiteral("   nothing measured yet"));
            ReplyBlock(m_lastMeasurement, nowMs);
        } else {
            ReplyBlock(m_stored.at(number - 1), nowMs);
        }
    } else if (header == "MMEM:INIT") {
        // Clearing the memory is obeyed in every mode: the program sends it
        // straight after whatever it did before.
        m_stored.clear();
        Log(QStringLiteral("   memory cleared"));
    } else if (header == "SYST:DATE" || header == "SYST:TIME") {
        if (m_mode != 6)
            return ignored("not in mode 6");
        SetClock(arguments, header == "SYST:DATE", nowMs);
    } else if (header == "SYST:DATE?" || header == "SYST:TIME?") {
        Reply(ClockReply(header == "SYST:DATE?", nowMs), nowMs);
    } else {
        ignored("unknown command");
    }
}

void COtdrInstrument::Reply(const QByteArray& text, qint64 nowMs)
{
    if (m_options.fault == FaultNoReply) {
        Log(QStringLiteral("   (no reply) %1").arg(Printable(text)));
        return;
    }
    tReply reply;
    reply.dueMs = nowMs + (m_options.fault == FaultSlow ? m_options.replyDelayMs : kReplyLatencyMs);
    reply.bytes = text + kReplyEnd;
    Log(QStringLiteral("-> %1").arg(Printable(reply.bytes)));
    m_replies.push_back(reply);
}

void COtdrInstrument::ReplyBlock(const QByteArray& data, qint64 nowMs)
{
    if (m_options.fault == FaultNoReply) {
        Log(QStringLiteral("   (no reply) block of %1 bytes").arg(data.size()));
        return;
    }
    qint64 claimed = data.size();
    QByteArray body = data;
    switch (m_options.fault) {
    case FaultWrongLength:
        claimed = std::max<qint64>(0, claimed - 1);
        break;
    case FaultTruncated:
        body.truncate(body.size() / 2);
        break;
    default:
        break;
    }
    const QByteArray length = QByteArray::number(claimed);
    tReply reply;
    reply.dueMs = nowMs + (m_options.fault == FaultSlow ? m_options.replyDelayMs : kReplyLatencyMs);
    reply.bytes = '#' + QByteArray::number(length.size()) + length + body;
    reply.bTransfer = true;
    reply.bEndless = m_options.fault == FaultEndless;
    Log(QStringLiteral("-> block #%1%2 with %3 bytes of data%4")
            .arg(length.size())
            .arg(QString::fromLatin1(length))
            .arg(body.size())
            .arg(reply.bEndless ? QStringLiteral(", then more without end") : QString()));
    m_replies.push_back(reply);
}

QByteArray COtdrInstrument::Pending(qint64 nowMs, qint64 limit) const
{
    if (m_replies.empty() || limit <= 0)
        return {};
    const tReply& reply = m_replies.front();
    if (reply.dueMs > nowMs)
        return {};
    if (reply.sent < reply.bytes.size())
        return reply.bytes.mid(reply.sent, std::min<qint64>(limit, reply.bytes.size() - reply.sent));
    // The endless part repeats the block's data.
    const QByteArray& source = reply.bytes.size() > 16 ? reply.bytes : QByteArrayLiteral("0123456789ABCDEF");
    const qint64 count = std::min(limit, kStreamChunk);
    QByteArray bytes;
    bytes.reserve(count);
    qint64 from = (reply.sent - reply.bytes.size()) % source.size();
    while (bytes.size() < count) {
        const qint64 take = std::min<qint64>(count - bytes.size(), source.size() - from);
        bytes.append(source.constData() + from, take);
        from = 0;
    }
    return bytes;
}

void COtdrInstrument::Consume(qint64 count)
{
    if (m_replies.empty())
        return;
    tReply& reply = m_replies.front();
    reply.sent += count;
    if (!reply.bEndless && reply.sent >= reply.bytes.size())
        m_replies.pop_front();
}

qint64 COtdrInstrument::NextDue() const
{
    return m_replies.empty() ? -1 : m_replies.front().dueMs;
}

QByteArray COtdrInstrument::Identification() const
{
    if (m_options.fault == FaultGarbledId)
        return m_options.maker.toLatin1() + " " + m_options.model.toLatin1() + "\x7f\x13#"
            + m_options.number.toLatin1();
    // The version is padded so that it starts at the eighth character.
    QByteArray version = "Ver.";
    version.append(QByteArray(std::max<int>(1, 7 - int(version.size())), ' '));
    return m_options.maker.toLatin1() + ',' + m_options.model.toLatin1() + ',' + kNumeroSign
        + m_options.number.toLatin1() + ',' + version + m_options.version.toLatin1();
}

QByteArray COtdrInstrument::Configuration() const
{
    const float groupIndex = m_options.fault == FaultConfigIndex ? 1.3f : m_groupIndex;
    return "CFG," + QByteArray::number(m_options.ranges.at(m_range)) + "km,"
        + QByteArray::number(m_options.pulses.at(m_pulse)) + "ns,"
        + QByteArray::number(m_options.averages.at(m_average)) + "s,"
        + QByteArray::number(m_options.wavelengths.at(m_slot)) + '(' + QByteArray::number(m_slot) + "),"
        + QByteArray::number(double(groupIndex), 'g', 6);
}

void COtdrInstrument::SetConfiguration(const QByteArray& arguments)
{
    const QList<QByteArray> parts = arguments.split(',');
    QList<int> indices;
    if (parts.size() != 5 || !ParseIntegers(parts.mid(0, 4).join(','), 4, indices)) {
        Log(QStringLiteral("   malformed configuration kept as it was"));
        return;
    }
    // Indices past the end of a list select its last value, as the
    // instrument's own selector stops at its last position.
    const auto clamp = [](int index, const QList<int>& list) { return std::clamp(index, 0, int(list.size()) - 1); };
    m_range = clamp(indices.at(0), m_options.ranges);
    m_pulse = clamp(indices.at(1), m_options.pulses);
    m_average = clamp(indices.at(2), m_options.averages);
    const int slot = indices.at(3);
    if (slot >= 0 && slot < m_options.wavelengths.size() && m_options.wavelengths.at(slot) != 0)
        m_slot = slot;
    else
        Log(QStringLiteral("   no wavelength in slot %1: slot %2 kept").arg(slot).arg(m_slot));
    bool ok = false;
    const float groupIndex = QLocale::c().toFloat(QString::fromLatin1(parts.at(4).trimmed()), &ok);
    if (ok && groupIndex >= kMinGroupIndex && groupIndex <= kMaxGroupIndex)
        m_groupIndex = groupIndex;
    else
        Log(QStringLiteral("   index of refraction %1 refused").arg(QString::fromLatin1(parts.at(4))));
}

void COtdrInstrument::StartMeasurement(qint64 nowMs)
{
    const double announced = std::max(0.0, std::round(m_options.averages.at(m_average) * m_options.timeScale));
    const qint64 durationMs = qint64(std::llround((announced + std::max(0.0, m_options.overrun)) * 1000.0));
    Reply(QByteArray::number(qint64(announced)), nowMs);
    m_busyUntilMs = nowMs + durationMs;
    m_lastMeasurement = Trace(m_range, m_pulse, m_average, m_slot, m_groupIndex, Clock(m_busyUntilMs), ++m_nextSeed);
    Log(QStringLiteral("   measuring %1 km, %2 ns, %3 s, %4 nm, index %5 for %6 ms")
            .arg(m_options.ranges.at(m_range))
            .arg(m_options.pulses.at(m_pulse))
            .arg(m_options.averages.at(m_average))
            .arg(m_options.wavelengths.at(m_slot))
            .arg(double(m_groupIndex))
            .arg(durationMs));
}

void COtdrInstrument::SetClock(const QByteArray& arguments, bool date, qint64 nowMs)
{
    QList<int> v;
    const QDateTime now = Clock(nowMs);
    QDateTime set;
    if (ParseIntegers(arguments, 3, v)) {
        const QDate day = date ? QDate(v.at(2), v.at(1), v.at(0)) : now.date();
        const QTime time = date ? now.time() : QTime(v.at(0), v.at(1), v.at(2));
        if (day.isValid() && time.isValid())
            set = QDateTime(day, time, now.timeSpec());
    }
    if (!set.isValid()) {
        Log(QStringLiteral("   invalid %1 ignored").arg(QLatin1String(date ? "date" : "time")));
        return;
    }
    m_clockBase = set;
    m_clockBaseMs = nowMs;
    Log(QStringLiteral("   clock set to %1").arg(set.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
}

QByteArray COtdrInstrument::ClockReply(bool date, qint64 nowMs) const
{
    const QDateTime now = Clock(nowMs);
    Log(QStringLiteral("   clock shows %1").arg(now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
    if (date)
        return TwoDigits(now.date().day()) + ',' + TwoDigits(now.date().month()) + ','
            + QByteArray::number(now.date().year());
    return TwoDigits(now.time().hour()) + ',' + TwoDigits(now.time().minute()) + ',' + TwoDigits(now.time().second());
}

QByteArray COtdrInstrument::Trace(
    int range, int pulse, int average, int slot, float groupIndex, const QDateTime& time, quint32 seed) const
{
    CSynthRandom random(seed);
    CSynthTrace::tOptions options;
    // The fibre ends a little inside the range, where the trace shows it.
    const double rangeKm = m_options.ranges.at(range);
    options.lengthKm = std::clamp(rangeKm * random.Uniform(0.55, 0.78), 0.1, 200.0);
    options.pulseNs = std::clamp(m_options.pulses.at(pulse), 1, 20000);
    options.wavelength = std::clamp(m_options.wavelengths.at(slot), 1260, 1675);
    options.events = random.Integer(2, 6);
    options.seed = seed;

    bc::CBellcore file;
    CSynthTrace(options).Build(file);
    // What the instrument itself writes into its files: its name, its clock
    // and its settings. A different index of refraction only moves the
    // distances: the times of the samples and events are what was measured.
    file.supplier.supplierName = m_options.maker;
    file.supplier.mainframeId = m_options.model;
    file.supplier.mainframeSerial = m_options.number;
    file.supplier.softwareRevision = m_options.version;
    file.supplier.otherInfo = QStringLiteral("otdr-sim");
    file.fixed.params.dateTime = QDateTime(time.date(), time.time(), Qt::UTC);
    file.fixed.params.groupIndex = groupIndex;
    file.fixed.params.averages = quint32(m_options.averages.at(average)) * 1000u;
    try {
        return bc::CFileStream(QString()).SaveToData(file);
    } catch (const Exception& e) {
        Log(QStringLiteral("   trace not written: %1").arg(e.Message()));
        return {};
    }
}
