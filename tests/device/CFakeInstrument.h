#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <algorithm>

// A scripted reflectometer for the protocol tests: it answers every command
// of the dialogue from its tables at once, and hands its replies out one
// chunk per read. Nothing here waits.
class CFakeInstrument
{
public:
    QByteArray identification = QByteArray("Maker,Model,\xB9") + "1234,Ver.   2.05\n";
    QStringList wavelengths { "1310", "1550", "0" };
    QList<int> ranges { 2, 8, 32 };
    QList<int> pulses { 10, 30, 100, 300, 1000 };
    QList<int> averages { 15, 30, 60, 180 };
    // Current setting: indices into the tables, the slot and the index.
    int range = 1, pulse = 2, average = 1, slot = 1;
    QByteArray index = "1.4682";
    // Replaces every configuration reply when not empty.
    QByteArray configReply;
    // Stored traces (files 1 …) and the trace of the last measurement (file 0).
    QList<QByteArray> files;
    QByteArray measured;
    // Reply to ";INIT\r" (the measuring time in seconds) and to ";MMEM:FREE?\r"
    // (empty: the number of stored files).
    QByteArray initReply = "5\n";
    QByteArray freeReply;
    // Downloads arrive in chunks of this many bytes.
    int chunkSize = 700;
    // When not 0, a download never ends: after the block every read brings
    // another chunk of this size, until the next command.
    int endlessChunk = 0;
    // Answers "*IDN?\r" with nothing this many times.
    int busyReplies = 0;
    // Every command received, in order.
    QList<QByteArray> received;

    void Receive(const QByteArray& command)
    {
        received.append(command);
        m_bEndless = false; // any command stops a transfer still being sent
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
            const QByteArray data = text.mid(17).toInt() == 0 ? measured : files.value(text.mid(17).toInt() - 1);
            const QByteArray length = QByteArray::number(data.size());
            const QByteArray block = "#" + QByteArray::number(length.size()) + length + data;
            for (qsizetype at = 0; at < block.size(); at += chunkSize)
                m_pending.append(block.mid(at, chunkSize));
            m_bEndless = endlessChunk > 0;
        } else if (text == ";MMEM:INIT") {
            files.clear();
        }
    }

    // The next chunk of the pending replies; empty when none is pending.
    QByteArray Take()
    {
        if (!m_pending.isEmpty())
            return m_pending.takeFirst();
        return m_bEndless ? QByteArray(endlessChunk, '7') : QByteArray();
    }

    // Every received command that starts with `prefix`.
    int CountReceived(const QByteArray& prefix) const
    {
        return int(
            std::count_if(received.begin(), received.end(), [&](const QByteArray& c) { return c.startsWith(prefix); }));
    }

private:
    static int Clamped(int index, const QList<int>& table)
    {
        return table.value(qBound(0, index, int(table.size()) - 1));
    }

    QByteArray Config() const
    {
        if (!configReply.isEmpty())
            return configReply;
        const QByteArray wavelength = wavelengths.value(slot, QStringLiteral("0")).toLatin1();
        return "CFG," + QByteArray::number(Clamped(range, ranges)) + "km," + QByteArray::number(Clamped(pulse, pulses))
            + "ns," + QByteArray::number(Clamped(average, averages)) + "s," + wavelength + "("
            + QByteArray::number(slot) + ")," + index + "\n";
    }
    void Queue(const QByteArray& reply) { m_pending.append(reply); }

    QList<QByteArray> m_pending;
    bool m_bEndless = false;
};
