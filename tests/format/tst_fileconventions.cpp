#include "CBellcore.h"
#include "CChecksumConvention.h"
#include "CFileStream.h"
#include "CWindows1252.h"
#include "ErrorKind.h"
#include "Exception.h"
#include "SorBuilder.h"
#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace SorBuilder;
using tConvention = bc::tChecksumConvention;
Q_DECLARE_METATYPE(bc::tChecksumConvention)

namespace {

// CRC-16 with polynomial 0x1021, one bit at a time, from `init`.
quint16 Crc(const QByteArray& bytes, quint16 init)
{
    quint16 crc = init;
    for (const char byte : bytes) {
        crc ^= quint16(uchar(byte) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

// The standard blocks, a checksum block whose value is zero, and a vendor
// block after it; `at` is where the value stands, `block` where its block starts.
QByteArray WithInnerChecksum(qsizetype& at, qsizetype& block)
{
    std::vector<tBlock> blocks = StandardBlocks();
    blocks.push_back({ "Cksum", 100, QByteArray(2, '\0'), {} });
    blocks.push_back({ "Vendor", 100, "xyz", {} });
    const QByteArray file = Assemble(blocks, NoChecksum);
    at = file.size() - 5;
    block = at; // version 1.0 blocks carry no header
    return file;
}

QByteArray Patched(QByteArray file, qsizetype at, quint16 value)
{
    file.replace(at, 2, ByteWriter().U16(value).Bytes());
    return file;
}

// The value each convention gives for `file` with the value at `at`.
quint16 Expected(tConvention convention, const QByteArray& file, qsizetype at, qsizetype block)
{
    switch (convention) {
    case tConvention::Zero:
        return 0;
    case tConvention::Xmodem:
        return Crc(file.left(at), 0);
    case tConvention::CcittFalseBeforeBlock:
        return Crc(file.left(block), 0xFFFF);
    case tConvention::CcittFalseWholeFile:
        return Crc(Patched(file, at, 0), 0xFFFF);
    case tConvention::CcittFalseInverted:
        return quint16(~Crc(file.left(at), 0xFFFF));
    default:
        return Crc(file.left(at), 0xFFFF);
    }
}

} // namespace

class TstFileConventions : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { bc::CFileStream::SetEnglishCodecName({}); }

    void sharedFilesChecksumConvention_data();
    void sharedFilesChecksumConvention();
    void conventionRecognisedAndKeptOnEdit_data();
    void conventionRecognisedAndKeptOnEdit();
    void codePageRoundTripOfEveryByte_data();
    void codePageRoundTripOfEveryByte();
    void messagesNameTheCause();
    void eventNumberingKeptWhereConsecutive();
};

void TstFileConventions::sharedFilesChecksumConvention_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<tConvention>("convention");
    const QString v2 = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
    if (v2.isEmpty())
        QSKIP("no shared instrument files here");
    const QHash<QString, tConvention> known {
        { "M200_Sample_005_S13.sor", tConvention::CcittFalse },
        { "demo_ab.sor", tConvention::CcittFalse },
        { "example1-noyes-ofl280.sor", tConvention::CcittFalse },
        { "1310_0001.sor", tConvention::Xmodem },
        { "1310_0002.sor", tConvention::Xmodem },
        { "1310_0045.sor", tConvention::Xmodem },
        { "issue14.sor", tConvention::Xmodem },
        { "issue15b.sor", tConvention::Xmodem },
    };
    for (const QString layout : { "v1", "v2" }) {
        for (const QString& path : TestPaths::SorFiles(TestPaths::SharedSamplesDir(layout))) {
            const QString name = QFileInfo(path).fileName();
            // The zero value of one maker; the rest follow none of the known conventions.
            const tConvention convention = known.value(name,
                name.startsWith(QLatin1String("otdr")) ? tConvention::Zero : tConvention::Mismatch);
            QTest::newRow(qPrintable(name)) << path << convention;
        }
    }
}

// Every shared file matches the convention its maker uses; only a value of
// none of them warns, and the file still comes back byte for byte.
void TstFileConventions::sharedFilesChecksumConvention()
{
    QFETCH(QString, path);
    QFETCH(tConvention, convention);
    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QByteArray original = in.readAll();
    bc::CBellcore sor;
    bc::CFileStream stream(path);
    quint32 warnings = 0;
    QCOMPARE(ErrorOf([&] { warnings = stream.LoadFromData(sor, original); }), "none");
    QCOMPARE(sor.checksum.convention, convention);
    QCOMPARE(bool(warnings & bc::WarningChecksumWrong), convention == tConvention::Mismatch);
    QVERIFY(stream.SaveToData(sor) == original);
}

void TstFileConventions::conventionRecognisedAndKeptOnEdit_data()
{
    QTest::addColumn<tConvention>("convention");
    for (const tConvention convention : { tConvention::CcittFalse, tConvention::Zero, tConvention::Xmodem,
             tConvention::CcittFalseBeforeBlock, tConvention::CcittFalseWholeFile, tConvention::CcittFalseInverted })
        QTest::newRow(bc::CChecksumConvention::Key(convention)) << convention;
}

// A file of each convention loads without a warning, and an edited copy is
// written in the same convention, over bytes after the value too.
void TstFileConventions::conventionRecognisedAndKeptOnEdit()
{
    QFETCH(tConvention, convention);
    // A file of each layout: version 1.0 with a block after the checksum, and
    // a real later-layout file, whose checksum block has a header.
    std::vector<std::pair<QByteArray, qsizetype>> files; // zeroed image, where the value stands
    qsizetype at = 0;
    qsizetype block = 0;
    // Version 1.0 blocks carry no header: there the CRC before the block is the standard one.
    if (convention != tConvention::CcittFalseBeforeBlock)
        files.emplace_back(WithInnerChecksum(at, block), at);
    QFile real(QDir(TestPaths::SharedSamplesDir(QStringLiteral("v2"))).filePath(QStringLiteral("1310_0001.sor")));
    if (real.open(QIODevice::ReadOnly)) {
        const QByteArray whole = real.readAll();
        files.emplace_back(Patched(whole, whole.size() - 2, 0), whole.size() - 2);
    }
    if (files.empty())
        QSKIP("no shared instrument files here");

    for (const auto& [zeroed, valueAt] : files) {
        const qsizetype blockAt = zeroed.startsWith("Map") ? valueAt - 6 : valueAt;
        const QByteArray file = Patched(zeroed, valueAt, Expected(convention, zeroed, valueAt, blockAt));
        const qsizetype tail = zeroed.size() - valueAt;

        bc::CBellcore sor;
        bc::CFileStream stream(QStringLiteral("unused.sor"));
        QCOMPARE(stream.LoadFromData(sor, file) & bc::WarningChecksumWrong, 0u);
        QCOMPARE(sor.checksum.convention, convention);
        QVERIFY(stream.SaveToData(sor) == file);

        sor.general.comment = QStringLiteral("edited");
        const QByteArray saved = stream.SaveToData(sor);
        QVERIFY(saved.size() > file.size());
        const qsizetype savedAt = saved.size() - tail;
        const quint16 value = quint16(uchar(saved[savedAt]) | (uchar(saved[savedAt + 1]) << 8));
        QCOMPARE(value, Expected(convention, saved, savedAt, saved.startsWith("Map") ? savedAt - 6 : savedAt));
        bc::CBellcore again;
        bc::CFileStream(QStringLiteral("unused.sor")).LoadFromData(again, saved);
        QCOMPARE(again.checksum.convention, convention);
    }
}

void TstFileConventions::codePageRoundTripOfEveryByte_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QByteArray>("englishCodePage");
    QTest::addColumn<QByteArray>("codec");
    for (const char* language : { "FR", "SP", "GE" })
        QTest::newRow(language) << QByteArray(language) << QByteArray() << QByteArray("Windows-1252");
    QTest::newRow("EN") << QByteArray("EN") << QByteArray() << bc::CFileStream::LocaleCodecName();
    QTest::newRow("unmarked") << QByteArray("  ") << QByteArray() << bc::CFileStream::LocaleCodecName();
    QTest::newRow("EN as chosen 1252") << QByteArray("EN") << QByteArray("Windows-1252") << QByteArray("Windows-1252");
    QTest::newRow("EN as chosen 1251") << QByteArray("EN") << QByteArray("Windows-1251") << QByteArray("Windows-1251");
    QTest::newRow("RU") << QByteArray("RU") << QByteArray() << QByteArray("Windows-1251");
}

// Every byte value a text can hold is read as one character and written back
// as the same byte, also when the text is written anew after an edit.
void TstFileConventions::codePageRoundTripOfEveryByte()
{
    QFETCH(QByteArray, language);
    QFETCH(QByteArray, englishCodePage);
    QFETCH(QByteArray, codec);
    bc::CFileStream::SetEnglishCodecName(englishCodePage);

    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        // 0x98 has no character in Windows-1251.
        if (b != 0x98 || codec != "Windows-1251")
            all.append(char(b));
    }
    // In three fields, each within its length.
    const QByteArrayList parts { all.left(85), all.mid(85, 85), all.mid(170) };
    tGeneral general;
    general.language = language;
    general.cableId = parts[0];
    general.fiberId = parts[1];
    general.comment = parts[2];
    bc::CBellcore sor;
    bc::CFileStream stream(QStringLiteral("unused.sor"));
    std::vector<tBlock> blocks = StandardBlocks();
    blocks[0].body = GeneralBody(general);
    QCOMPARE(stream.LoadFromData(sor, Assemble(blocks)), 0u);
    QCOMPARE(stream.CodecName(), codec);
    const QString texts[3] = { sor.general.cableId, sor.general.fiberId, sor.general.comment };
    QCOMPARE(texts[0].size() + texts[1].size() + texts[2].size(), all.size());

    // The same texts in other fields are encoded, not copied.
    sor.general.originatingLocation = texts[0];
    sor.general.terminatingLocation = texts[1];
    sor.general.operatorName = texts[2];
    general.originatingLocation = parts[0];
    general.terminatingLocation = parts[1];
    general.operatorName = parts[2];
    blocks[0].body = GeneralBody(general);
    QCOMPARE(stream.SaveToData(sor), Assemble(blocks));

    if (codec == "Windows-1252") {
        // The zero byte too, through the code page itself.
        const QByteArray every = QByteArray(1, '\0') + all;
        bool ok = false;
        QString unmapped;
        QCOMPARE(bc::CWindows1252::Encode(bc::CWindows1252::Decode(every), ok, unmapped), every);
        QVERIFY(ok);
    }
}

// The message of a failure says what went wrong, beside the usual text.
void TstFileConventions::messagesNameTheCause()
{
    QTemporaryDir dir;
    bc::CBellcore sor;
    const auto message = [&](const QString& path, const std::function<void(bc::CFileStream&)>& step) {
        bc::CFileStream stream(path);
        try {
            step(stream);
        } catch (const Exception& e) {
            return e.Message();
        }
        return QString();
    };
    const QString missing = message(dir.filePath("none.sor"), [&](bc::CFileStream& s) { s.Load(sor); });
    QVERIFY2(missing.startsWith("File access error\nno such file"), qPrintable(missing));

    const QString path = dir.filePath("cut.sor");
    QCOMPARE(message(dir.filePath("ok.sor"),
                 [&](bc::CFileStream& s) {
                     s.LoadFromData(sor, StandardFile());
                     sor.general.comment = QStringLiteral(u"中");
                     s.SaveToData(sor);
                 }),
        QStringLiteral(u"Application internal error\nthe file's code page (%1) has no character \"中\"")
            .arg(QString::fromLatin1(bc::CFileStream::LocaleCodecName())));

    // A later-layout file cut short names the block, in its own layout.
    const QString v2 = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
    if (v2.isEmpty())
        return;
    QFile real(QDir(v2).filePath("1310_0001.sor"));
    QVERIFY(real.open(QIODevice::ReadOnly));
    const QByteArray whole = real.readAll();
    const QString cut = message(path, [&](bc::CFileStream& s) { s.LoadFromData(sor, whole.left(whole.size() - 1200)); });
    QVERIFY2(cut.startsWith("The file is a damaged trace of the later layout\nthe block DataPts ends "), qPrintable(cut));
    QVERIFY2(cut.endsWith(" bytes before its announced size"), qPrintable(cut));
}

// Events numbered consecutively from 2 (as one maker does) keep that start
// when an event is added.
void TstFileConventions::eventNumberingKeptWhereConsecutive()
{
    QFile real(QDir(TestPaths::SharedSamplesDir(QStringLiteral("v2"))).filePath(QStringLiteral("1310_0001.sor")));
    if (!real.open(QIODevice::ReadOnly))
        QSKIP("no shared instrument files here");
    bc::CBellcore sor;
    bc::CFileStream stream(real.fileName());
    stream.LoadFromData(sor, real.readAll());
    QCOMPARE(sor.keyEvents.events.front().number.Value(), 2u);
    sor::tKeyEvent added = sor.keyEvents.events.back();
    added.time = float(added.time) + 1000.0f;
    sor.keyEvents.events.push_front(added);
    sor.UpdateEventsBlock();
    for (size_t i = 0; i < sor.keyEvents.events.size(); ++i)
        QCOMPARE(sor.keyEvents.events[i].number.Value(), unsigned(i + 2));


    // Numbers with a gap are not kept: the events are numbered from 1.
    sor.keyEvents.events[1].number = 9;
    stream.LoadFromData(sor, stream.SaveToData(sor));
    sor.UpdateEventsBlock();
    QCOMPARE(sor.keyEvents.events.front().number.Value(), 1u);
}

QTEST_GUILESS_MAIN(TstFileConventions)
#include "tst_fileconventions.moc"
