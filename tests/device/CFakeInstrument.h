#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

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
    int range = 1;
    int pulse = 2;
    int average = 1;
    int slot = 1;
    QByteArray index = "1.4682";
    // Replaces every configuration reply when not empty.
    QByteArray configReply;
    // Stored traces (files 1 …) and the trace of the last measurement (file 0).
    QList<QByteArray> files;
    QByteArray measured;
    // Reply to ";INIT\r": the measuring time in seconds.
    QByteArray initReply = "5\n";
    // Reply to ";MMEM:FREE?\r"; empty: the number of stored files.
    QByteArray freeReply;
    // Downloads arrive in chunks of this many bytes.
    int chunkSize = 700;
    // A download never ends: after the block every read brings another chunk
    // of this size, until the next command.
    int endlessChunk = 0;
    // Answers "*IDN?\r" with nothing this many times.
    int busyReplies = 0;

    // Every command received, in order.
    QList<QByteArray> received;

    void Receive(const QByteArray& command);
    // The next chunk of the pending replies; empty when none is pending.
    QByteArray Take();
    // Every received command that starts with `prefix`.
    int CountReceived(const QByteArray& prefix) const;

    // An IEEE 488.2 definite-length block around `data`.
    static QByteArray Block(const QByteArray& data);

private:
    QByteArray Config() const;
    void Queue(const QByteArray& reply, int chunk = 0);

    QList<QByteArray> m_pending;
    bool m_bEndless = false;
};
