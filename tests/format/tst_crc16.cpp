#include <CCrc16.h>

#include <QRandomGenerator>
#include <QTest>

// The fast checksum paths (table steps and carry-less folding with its four
// lanes, lane merging and tail) against the bit-by-bit definition.
class TstCrc16 : public QObject
{
    Q_OBJECT

private slots:
    void checkValue()
    {
        // The catalogued check value of CRC-16/CCITT-FALSE.
        QCOMPARE(CCrc16::Compute("123456789", 9), quint16(0x29B1));
        QCOMPARE(CCrc16::Compute("", 0), quint16(0xFFFF));
    }

    void matchesDefinition_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("length");
        // Lengths around every path boundary: below one block, one block, the
        // start of the four-lane loop, one past a lane round, long runs.
        for (int offset : { 0, 1, 7 })
            for (int length : { 1, 15, 16, 17, 63, 64, 65, 79, 80, 127, 128, 129, 1000, 65537 })
                QTest::addRow("offset %d length %d", offset, length) << offset << length;
    }

    void matchesDefinition()
    {
        QFETCH(int, offset);
        QFETCH(int, length);
        QRandomGenerator random(quint32(length * 31 + offset));
        QByteArray bytes(offset + length, Qt::Uninitialized);
        for (char& byte : bytes)
            byte = char(random.generate());
        const char* data = bytes.constData() + offset;
        QCOMPARE(CCrc16::Compute(data, length), CCrc16::Reference(data, length));
    }
};

QTEST_GUILESS_MAIN(TstCrc16)
#include "tst_crc16.moc"
