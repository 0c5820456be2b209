#include "CFakeInstrument.h"

namespace {

int Clamped(int index, const QList<int>& table)
{
    return table.value(qBound(0, index, int(table.size()) - 1));
}

} // namespace

void CFakeInstrument::Receive(const QByteArray& command)
{
    received.append(command);
    // Any command stops a transfer that is still being sent.
    m_bEndless = false;
    const QByteArray text = command.chopped(command.endsWith('\r') ? 1 : 0);
    if (text == "*IDN?") {
        if (busyReplies > 0)
            --busyReplies;
        else
            Queue(identification);
    } else if (text == ";SYST:AVA?") {
        Queue(wavelengths.join(QLatin1Char(',')).toLatin1() + "\n");
    } else if (text == ";SYST:SET:CFG?") {
        Queue(Config());
    } else if (text.startsWith(";SYST:SET:CFG ")) {
        const QList<QByteArray> values = text.mid(14).split(',');
        if (values.size() == 5) {
            range = values[0].toInt();
            pulse = values[1].toInt();
            average = values[2].toInt();
            slot = values[3].toInt();
            index = values[4];
        }
        Queue(Config());
    } else if (text == ";INIT") {
        Queue(initReply);
    } else if (text == ";MMEM:FREE?") {
        Queue(freeReply.isEmpty() ? QByteArray::number(files.size()) + ",5000\n" : freeReply);
    } else if (text.startsWith(";MMEM:LOAD:FILE? ")) {
        const int number = text.mid(17).toInt();
        Queue(Block(number == 0 ? measured : files.value(number - 1)), chunkSize);
        m_bEndless = endlessChunk > 0;
    } else if (text == ";MMEM:INIT") {
        files.clear();
    }
}

QByteArray CFakeInstrument::Take()
{
    if (!m_pending.isEmpty())
        return m_pending.takeFirst();
    if (m_bEndless)
        return QByteArray(endlessChunk, '7');
    return {};
}

int CFakeInstrument::CountReceived(const QByteArray& prefix) const
{
    int count = 0;
    for (const QByteArray& command : received)
        count += command.startsWith(prefix) ? 1 : 0;
    return count;
}

QByteArray CFakeInstrument::Block(const QByteArray& data)
{
    const QByteArray length = QByteArray::number(data.size());
    return "#" + QByteArray::number(length.size()) + length + data;
}

QByteArray CFakeInstrument::Config() const
{
    if (!configReply.isEmpty())
        return configReply;
    const QByteArray wavelength = wavelengths.value(slot, QStringLiteral("0")).toLatin1();
    return "CFG," + QByteArray::number(Clamped(range, ranges)) + "km," + QByteArray::number(Clamped(pulse, pulses))
        + "ns," + QByteArray::number(Clamped(average, averages)) + "s," + wavelength + "(" + QByteArray::number(slot)
        + ")," + index + "\n";
}

void CFakeInstrument::Queue(const QByteArray& reply, int chunk)
{
    if (chunk <= 0) {
        m_pending.append(reply);
        return;
    }
    for (qsizetype at = 0; at < reply.size(); at += chunk)
        m_pending.append(reply.mid(at, chunk));
}
