#include "CBellcore.h"
#include "CFileStream.h"
#include "ErrorKind.h"
#include "Exception.h"
#include "SorBuilder.h"

#include <StrValue.h>

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace SorBuilder;

namespace {

// An object whose Serialize is whatever the test needs.
class CProbe : public bc::IStream
{
public:
    explicit CProbe(std::function<void(bc::CFileStream&)> body) : m_body(std::move(body)) { }
    void Serialize(bc::CFileStream& stream) override { m_body(stream); }

private:
    std::function<void(bc::CFileStream&)> m_body;
};

// A file holding only a general-parameters block.
QByteArray GeneralOnly(const tGeneral& general)
{
    return Assemble({ { "GenParams", 100, GeneralBody(general), {} } });
}

QString LocaleDecoded(const QByteArray& bytes)
{
    QStringDecoder decoder(bc::CFileStream::LocaleCodecName().constData());
    return decoder.decode(bytes);
}

} // namespace

class TstFileStream : public QObject
{
    Q_OBJECT

private slots:
    void emptyStrings_data();
    void emptyStrings();
    void codepages_data();
    void codepages();
    void cyrillicRoundTrip();
    void localeCodecMapsEveryByte();
    void rangedSerializers_data();
    void rangedSerializers();
    void truncatedFieldIsFormatError_data();
    void truncatedFieldIsFormatError();
    void missingFileIsAccessError();
    void locationCodesAccumulateOutwards();

private:
    QTemporaryDir m_dir;
};

void TstFileStream::emptyStrings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("spaceMode");
    QTest::addColumn<QByteArray>("saved");

    // Three strings are read; the third is then cleared and the whole saved
    // again through the same stream.
    QTest::newRow("zero bytes only") << QByteArray("\0\0abc\0", 6) << false << QByteArray("\0\0\0", 3);
    QTest::newRow("lone space marks empty") << QByteArray(" \0x\0abc\0", 8) << true << QByteArray(" \0x\0 \0", 6);
    QTest::newRow("unedited zero byte keeps its form")
        << QByteArray("\0 \0abc\0", 7) << true << QByteArray("\0 \0 \0", 5);
}

void TstFileStream::emptyStrings()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, spaceMode);
    QFETCH(QByteArray, saved);

    CType::StrValue<101> texts[3];
    CProbe probe([&](bc::CFileStream& stream) {
        for (auto& text : texts)
            text.Serialize(stream);
    });
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(probe, file), 0u);
    QVERIFY(QString(texts[0]).isEmpty());
    QCOMPARE(QString(texts[2]), QStringLiteral("abc"));
    QCOMPARE(stream.EmptyStringMode(), spaceMode);

    texts[2] = QString();
    QCOMPARE(stream.SaveToData(probe), saved);
}

void TstFileStream::codepages_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hideEucJp");
    QTest::addColumn<quint32>("warnings");

    const QByteArray accented("\xC0\xE8", 2);
    const QString windows1250 = QStringLiteral(u"\u0154\u010D");
    QTest::newRow("EN locale") << QByteArray("EN") << accented << LocaleDecoded(accented) << false << 0u;
    QTest::newRow("FR 1250") << QByteArray("FR") << accented << windows1250 << false << 0u;
    QTest::newRow("RU 1251") << QByteArray("RU") << accented << QStringLiteral(u"\u0410\u0438") << false << 0u;
    QTest::newRow("ZZ locale, no warning") << QByteArray("ZZ") << accented << LocaleDecoded(accented) << false << 0u;
    QTest::newRow("lower-case ru is not RU") << QByteArray("ru") << accented << LocaleDecoded(accented) << false << 0u;

    const QByteArray hiragana("\xA4\xA2", 2);
    QTest::newRow("JA EUC-JP") << QByteArray("JA") << hiragana << QStringLiteral(u"\u3042") << false << 0u;
    QTest::newRow("JA without EUC-JP") << QByteArray("JA") << hiragana << LocaleDecoded(hiragana) << true
                                       << quint32(bc::WarningCodepageMissing);
}

void TstFileStream::codepages()
{
    QFETCH(QByteArray, language);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, hideEucJp);
    QFETCH(quint32, warnings);

    if (!hideEucJp && language == "JA" && !QStringDecoder("EUC-JP").isValid())
        QSKIP("this system has no EUC-JP codec");

    struct tHide
    {
        bool hide;
        tHide(bool h) : hide(h) { bc::CFileStream::SetCodecHiddenForTesting("EUC-JP", hide); }
        ~tHide() { bc::CFileStream::SetCodecHiddenForTesting("EUC-JP", false); }
    } hidden(hideEucJp);

    tGeneral general;
    general.language = language;
    general.cableId = bytes;
    const QByteArray file = GeneralOnly(general);

    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(sor, file), warnings);
    QCOMPARE(QString(sor.general.cableId), text);
    // Whatever the codec made of them, unedited texts keep their bytes.
    QCOMPARE(stream.SaveToData(sor), file);
}

void TstFileStream::cyrillicRoundTrip()
{
    tGeneral general;
    general.language = "RU";
    general.cableId = QByteArray("\xCA\xE0\xE1\xE5\xEB\xFC", 6); // "Кабель" in Windows-1251
    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    QCOMPARE(stream.LoadFromData(sor, GeneralOnly(general)), 0u);
    QCOMPARE(QString(sor.general.cableId), QStringLiteral(u"Кабель"));

    sor.general.operatorName = QStringLiteral(u"Пётр Иванов");
    general.operatorName = QByteArray("\xCF\xB8\xF2\xF0 \xC8\xE2\xE0\xED\xEE\xE2", 11);
    QCOMPARE(stream.SaveToData(sor), GeneralOnly(general));
}

void TstFileStream::localeCodecMapsEveryByte()
{
    // The stand-in for the system codec must turn any byte of a file into a
    // character and back, or texts in files without a known language would
    // come back altered once edited.
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != 0x98) // the one position Windows-1251 leaves undefined
            all.append(char(b));
    }
    const QByteArray name = bc::CFileStream::LocaleCodecName();
    QStringDecoder decoder(name.constData());
    QStringEncoder encoder(name.constData());
    const QString text = decoder.decode(all);
    QCOMPARE(text.size(), all.size());
    QCOMPARE(QByteArray(encoder.encode(text)), all);
}

void TstFileStream::rangedSerializers_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<uint>("allowed");
    QTest::addColumn<qlonglong>("value");
    QTest::addColumn<bool>("accepted");

    const uint pos = bc::CFileStream::RangePositive;
    const uint zero = bc::CFileStream::RangeZero;
    const uint neg = bc::CFileStream::RangeNegative;
    QTest::newRow("u16 positive only, 0") << "u16" << pos << 0LL << false;
    QTest::newRow("u16 positive only, 1") << "u16" << pos << 1LL << true;
    QTest::newRow("u16 zero only, 0") << "u16" << zero << 0LL << true;
    QTest::newRow("u16 negative flag admits nothing") << "u16" << neg << 1LL << false;
    QTest::newRow("u32 top bit is positive") << "u32" << pos << 0xFFFFFFFFLL << true;
    QTest::newRow("i16 positive only, -1") << "i16" << pos << -1LL << false;
    QTest::newRow("i16 negative allowed, -32768") << "i16" << (pos | neg) << -32768LL << true;
    QTest::newRow("i32 positive and zero, minimum") << "i32" << (pos | zero) << -2147483648LL << false;
    QTest::newRow("i32 negative, minimum") << "i32" << neg << -2147483648LL << true;
}

void TstFileStream::rangedSerializers()
{
    QFETCH(QString, type);
    QFETCH(uint, allowed);
    QFETCH(qlonglong, value);
    QFETCH(bool, accepted);

    qlonglong held = value;
    CProbe probe([&](bc::CFileStream& stream) {
        if (type == "u16") {
            quint16 v = quint16(held);
            stream.SerializeRanged(v, allowed);
            held = v;
        } else if (type == "i16") {
            qint16 v = qint16(held);
            stream.SerializeRanged(v, allowed);
            held = v;
        } else if (type == "u32") {
            quint32 v = quint32(held);
            stream.SerializeRanged(v, allowed);
            held = v;
        } else {
            qint32 v = qint32(held);
            stream.SerializeRanged(v, allowed);
            held = v;
        }
    });

    ByteWriter bytes;
    if (type == "u16" || type == "i16")
        bytes.U16(quint16(value));
    else
        bytes.U32(quint32(value));

    bc::CFileStream stream(QStringLiteral("unused.sor"));
    held = 0;
    QCOMPARE(ErrorOf([&] { stream.LoadFromData(probe, bytes.Bytes()); }), accepted ? "none" : "format");
    if (accepted)
        QCOMPARE(held, value);

    held = value;
    QByteArray saved;
    QCOMPARE(ErrorOf([&] { saved = stream.SaveToData(probe); }), accepted ? "none" : "internal");
    QCOMPARE(saved, accepted ? bytes.Bytes() : QByteArray());
}

void TstFileStream::truncatedFieldIsFormatError_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("int16 of 1 byte") << "i16" << QByteArray("\x01", 1);
    QTest::newRow("int32 of 3 bytes") << "i32" << QByteArray("\x01\x02\x03", 3);
    QTest::newRow("string without terminator") << "string" << QByteArray("abc");
    QTest::newRow("raw bytes cut short") << "raw" << QByteArray("ab");
}

void TstFileStream::truncatedFieldIsFormatError()
{
    QFETCH(QString, field);
    QFETCH(QByteArray, file);

    CProbe probe([&](bc::CFileStream& stream) {
        qint16 i16 = 0;
        quint16 u16 = 0;
        qint32 i32 = 0;
        QByteArray string;
        char raw[4];
        if (field == "i16")
            stream.SerializeInt16(i16);
        else if (field == "u16")
            stream.SerializeUInt16(u16);
        else if (field == "i32")
            stream.SerializeInt32(i32);
        else if (field == "string")
            stream.SerializeRawString(string);
        else
            stream.SerializeBytes(raw, 4);
    });

    // Through a real file, so that the file layer's own reading is covered too.
    const QString path = m_dir.filePath(QStringLiteral("truncated.sor"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(file);
    out.close();

    bc::CFileStream stream(path);
    QCOMPARE(ErrorOf([&] { stream.Load(probe); }), "format");
    // The failed run leaves the stream outside any load or save.
    QCOMPARE(ErrorOf([&] { stream.Pos(); }), "internal");
}

void TstFileStream::missingFileIsAccessError()
{
    bc::CBellcore sor;
    bc::CFileStream stream(m_dir.filePath(QStringLiteral("does-not-exist.sor")));
    QCOMPARE(ErrorOf([&] { stream.Load(sor); }), "access");
    QVERIFY(!stream.IsReading());
}

void TstFileStream::locationCodesAccumulateOutwards()
{
    // The general block ends inside the cable identifier: the string runs
    // past the block, which is noticed by the stream.
    const QByteArray file = Assemble({ { "GenParams", 100, GeneralBody(), 5u } }, NoChecksum);

    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    try {
        stream.LoadFromData(sor, file);
        QFAIL("a truncated file loaded");
    } catch (const EFileLoadInvalidFormat& error) {
        const QList<quint32>& codes = error.Locations();
        // Raised by the stream, then passed through the field, the block and the file.
        QVERIFY2(codes.size() >= 4, qPrintable(error.LocationText()));
        QCOMPARE(Exception::ModuleOf(codes.first()), quint8(Exception::ModuleStream));
        for (qsizetype i = 1; i < codes.size(); ++i)
            QCOMPARE(Exception::ModuleOf(codes[i]), quint8(Exception::ModuleBlocks));
        for (quint32 code : codes)
            QVERIFY(Exception::LineOf(code) > 0);
    }
}

QTEST_GUILESS_MAIN(TstFileStream)
#include "tst_filestream.moc"
