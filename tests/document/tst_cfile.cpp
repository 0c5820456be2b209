#include "CCompactImage.h"
#include "CFile.h"
#include "CSynthPair.h"
#include "TraceLengths.h"
#include "ErrorKind.h"
#include "SorBuilder.h"
#include "TestPaths.h"

#include <CFileStream.h>
#include <Exception.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <functional>

using namespace SorBuilder;

namespace {
// Group index 1.5 and 10 ns per sample: 1.99861639 m per sample.
tFixed TenNanoseconds()
{
    tFixed fixed;
    fixed.groupIndex = 150000;
    fixed.pulses[0].spacing = 1000000;
    return fixed;
}

QByteArray Trace(const std::vector<quint16>& samples, const tKeyEvents& events = {})
{
    tDataPoints points;
    points.groups[0].samples = samples;
    return Assemble({ { "GenParams", 100, GeneralBody(), {} }, { "FxdParams", 100, FixedBody(TenNanoseconds()), {} },
        { "KeyEvents", 100, KeyEventsBody(events), {} }, { "DataPts", 100, DataPointsBody(points), {} } });
}

sor::tKeyEvent EventAt(float time, const QString& comment)
{
    sor::tKeyEvent event;
    event.time = time;
    event.comment = comment;
    return event;
}

} // namespace

class TstCFile : public QObject
{
    Q_OBJECT

private slots:
    void resolutionAndGeometry()
    {
        quint32 warnings = 0;
        sor::CFile file(Write(Trace({ 5, 6, 7, 8, 9 })), warnings);
        QCOMPARE(warnings, 0u);
        QVERIFY(std::abs(file.Resolution() - 1.99861639) < 1e-8);
        QCOMPARE(file.PointCount(), 5);
        QCOMPARE(file.Point(4), quint16(9));
        QVERIFY(std::abs(file.Length() - 5 * 1.99861639) < 1e-5);

        // 1000 ns one way at group index 1.5 is 199.861639 m.
        QVERIFY(std::abs(file.TimeToDistance(1000.0f) - 199.861639f) < 1e-4f);
        QVERIFY(std::abs(file.DistanceToTime(199.861639f) - 1000.0f) < 1e-3f);

        // A new group index takes effect once the document is marked modified.
        file.FixedParameters().groupIndex = 1.0f;
        QVERIFY(std::abs(file.Resolution() - 1.99861639) < 1e-8);
        file.SetModified(true);
        QVERIFY(std::abs(file.Resolution() - 2.99792458) < 1e-8);
    }

    void lengths_data()
    {
        // The range (0.1 ns; later-layout files may store 0), the events at
        // 100 ns, 300 ns ... (the end threshold is 3 dB), and the range and
        // fibre length shown, metres.
        QTest::addColumn<qint32>("range");
        QTest::addColumn<QByteArrayList>("codes");
        QTest::addColumn<qint16>("lastLoss");
        QTest::addColumn<double>("shownRange");
        QTest::addColumn<double>("fibre");
        // 20 000 ns is 3 997.233 m; the last of the 5 samples lies at 7.994 m.
        const double range = 3997.233;
        QTest::newRow("no end") << 200000 << QByteArrayList { "0F9999" } << qint16(50) << range << range;
        QTest::newRow("range 0") << 0 << QByteArrayList { "0F9999" } << qint16(50) << 7.994 << 7.994;
        QTest::newRow("end code") << 0 << QByteArrayList { "2E9999", "0F9999" } << qint16(50) << 7.994 << 19.986;
        QTest::newRow("end loss") << 200000 << QByteArrayList { "0F9999", "1F9999" } << qint16(3000) << range
                                  << 59.958;
    }

    void lengths()
    {
        QFETCH(QByteArrayList, codes);
        QFETCH(qint16, lastLoss);
        tKeyEvents events;
        events.events.resize(size_t(codes.size()));
        for (int i = 0; i < codes.size(); ++i)
            events.events[size_t(i)] = { qint16(i + 1), 1000 + 2000 * i, 200, 50, -45000, codes[i], "LS", "" };
        events.events.back().loss = lastLoss;
        quint32 warnings = 0;
        sor::CFile file(Write(Trace({ 5, 6, 7, 8, 9 }, events)), warnings);
        QFETCH(qint32, range);
        file.FixedParameters().acquisitionRange = float(range) / 10;
        QFETCH(double, shownRange);
        QFETCH(double, fibre);
        QVERIFY(std::abs(sor::ShownRange(file) - shownRange) < 1e-3);
        QVERIFY(std::abs(sor::FibreLength(file) - fibre) < 1e-3);
    }

    void valueAt_data()
    {
        QTest::addColumn<double>("position"); // in samples
        QTest::addColumn<int>("value");

        QTest::newRow("exactly on a sample") << 2.0 << 1000;
        QTest::newRow("halfway rounds up") << 2.5 << 1001;
        QTest::newRow("a quarter of the way down") << 3.25 << 876;
        QTest::newRow("beyond the end") << 40.0 << 500;
    }

    void valueAt()
    {
        QFETCH(double, position);
        quint32 warnings = 0;
        sor::CFile file(Write(Trace({ 100, 200, 1000, 1001, 500 })), warnings);
        // The nearest float at or past the exact distance, so rounding cannot fall short.
        float distance = float(position * file.Resolution());
        if (double(distance) / file.Resolution() < position)
            distance = std::nextafter(distance, 1e9f);
        QTEST(int(file.ValueAt(distance)), "value");
    }

    void setKeyEventsSortsAndRenumbers()
    {
        quint32 warnings = 0;
        sor::CFile file(Write(Trace({ 1, 2, 3 })), warnings);
        QSignalSpy spy(&file, &sor::CFile::sigFileChanged);
        file.SetKeyEvents({ EventAt(300.0f, "c"), EventAt(100.0f, "a"), EventAt(200.0f, "b") });
        const std::deque<sor::tKeyEvent>& events = file.KeyEvents();
        QCOMPARE(events.size(), size_t(3));
        for (size_t i = 0; i < events.size(); ++i) {
            QCOMPARE(QString(events[i].comment), QString(QChar('a' + int(i))));
            QCOMPARE(unsigned(events[i].number), unsigned(i + 1));
        }
        QVERIFY(file.IsModified());
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
    }

    void saveOfUnmodifiedDocumentWrites()
    {
        quint32 warnings = 0;
        const QByteArray image = Trace({ 1, 2, 3 });
        const QString path = Write(image);
        sor::CFile file(path, warnings);

        // Something else replaced the file meanwhile; saving writes the document anyway.
        QVERIFY(!Write(QByteArray("not a trace"), QStringLiteral("trace.sor")).isEmpty());
        QSignalSpy spy(&file, &sor::CFile::sigFileChanged);
        file.Save();
        QCOMPARE(Read(path), image);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), false);
    }

    void saveFailureKeepsModified_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("error");

        QTest::newRow("folder gone") << QStringLiteral("gone") << "access";
        QTest::newRow("read-only folder") << QStringLiteral("read-only") << "access";
        QTest::newRow("value the file cannot hold") << QStringLiteral("value") << "internal";
    }

    void saveFailureKeepsModified()
    {
        QFETCH(QString, fault);
        auto folder = std::make_unique<QTemporaryDir>();
        const QString path = folder->filePath(QStringLiteral("trace.sor"));
        const QByteArray image = Trace({ 1, 2, 3 });
        QCOMPARE(Write(image, path), path);
        quint32 warnings = 0;
        sor::CFile file(path, warnings);
        file.SetModified(true);
        // Gives the folder back its write permission so that it can be removed.
        const auto restore = qScopeGuard([&] {
            if (folder)
                QFile::setPermissions(folder->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (fault == "gone") {
            folder.reset();
        } else if (fault == "value") {
            file.GeneralParameters().cableId = QString(101, QLatin1Char('x'));
        } else {
            QVERIFY(QFile::setPermissions(folder->path(), QFile::ReadOwner | QFile::ExeOwner));
            QFile probe(folder->filePath(QStringLiteral("probe")));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QSKIP("this user may write into read-only folders");
            }
        }

        QSignalSpy spy(&file, &sor::CFile::sigFileChanged);
        QTEST(ErrorOf([&] { file.Save(); }), "error");
        QVERIFY(file.IsModified());
        QCOMPARE(spy.size(), 0);
        if (folder)
            QCOMPARE(Read(path), image);
    }

    void requiredBlocks_data()
    {
        QTest::addColumn<QByteArray>("image");

        QTest::newRow("no fixed parameters")
            << Assemble({ { "GenParams", 100, GeneralBody(), {} }, { "DataPts", 100, DataPointsBody(), {} } });
        QTest::newRow("no data points") << Assemble(
            { { "GenParams", 100, GeneralBody(), {} }, { "FxdParams", 100, FixedBody(), {} } });
    }

    void requiredBlocks()
    {
        QFETCH(QByteArray, image);
        quint32 warnings = 0;
        const QString path = Write(image);
        QCOMPARE(ErrorOf([&] { sor::CFile file(path, warnings); }), "format");
        QCOMPARE(ErrorOf([&] { sor::CFile file(path, image, warnings); }), "format");
    }

    void loadWarningsAreAdded()
    {
        std::vector<tBlock> blocks { { "FxdParams", 100, FixedBody(), {} }, { "DataPts", 100, DataPointsBody(), {} } };
        quint32 warnings = 0x100; // kept: the caller collects over several files
        sor::CFile file(Write(Assemble(blocks, WrongChecksum)), warnings);
        QCOMPARE(warnings, 0x102u);
        sor::CFile other(Write(Assemble(blocks, NoChecksum), QStringLiteral("other.sor")), warnings);
        QCOMPARE(warnings, 0x103u);
    }

    void laterLayoutEdits_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("edit");
        const QStringList files = TestPaths::SorFiles(TestPaths::SharedSamplesDir(QStringLiteral("v2")));
        if (files.isEmpty())
            QSKIP("no shared v2 instrument files here");
        for (const QString& path : files) {
            for (const char* edit : { "general comment", "event comment and added event", "every event deleted" })
                QTest::addRow("%s, %s", qPrintable(QFileInfo(path).fileName()), edit) << path << edit;
        }
    }

    // An edited later-layout file keeps its layout: the edit and a standard checksum are saved, every
    // other block (but the map) keeps its bytes, and an empty event list keeps its block.
    void laterLayoutEdits()
    {
        QFETCH(QString, path);
        QFETCH(QString, edit);
        quint32 warnings = 0;
        sor::CFile file(path, warnings);
        std::deque<sor::tKeyEvent> events = file.KeyEvents();
        const QByteArray changed = edit.startsWith(QLatin1String("general")) ? "GenParams" : "KeyEvents";
        if (changed == "GenParams") {
            file.GeneralParameters().comment = QStringLiteral("edited");
            file.SetModified(true);
        } else if (edit.startsWith(QLatin1String("every"))) {
            file.SetKeyEvents(events = {});
        } else {
            events.front().comment = QStringLiteral("edited");
            events.push_back(EventAt(file.DistanceToTime(file.Length() / 2), QStringLiteral("added")));
            events.back().markers = { { 1, 2, 3, 4, 5 } };
            file.SetKeyEvents(events);
        }
        const QString copy = m_dir.filePath(QStringLiteral("edited.sor"));
        file.SaveCopy(copy);

        sor::CFile again(copy, warnings = 0);
        QCOMPARE(warnings, 0u);
        QCOMPARE(again.GeneralParameters().comment.Text(), file.GeneralParameters().comment.Text());
        QCOMPARE(again.KeyEvents().size(), events.size());
        for (size_t i = 0; i < events.size(); ++i) {
            const sor::tKeyEvent &read = again.KeyEvents()[i], &written = file.KeyEvents()[i];
            QVERIFY(read.comment.Text() == written.comment.Text() && read.markers == written.markers);
        }
        // Where each block starts by the map's sizes; each starts with its name.
        const auto starts = [](const sor::CFile& f, const QByteArray& bytes) {
            std::vector<qint64> list { f.BlockMap().nSize };
            for (const bc::CBlockInfo& entry : f.BlockMap().entries) {
                if (!bytes.mid(list.back()).startsWith(entry.sName + '\0'))
                    return std::vector<qint64>();
                list.push_back(list.back() + entry.nSize);
            }
            return list;
        };
        const QByteArray in = Read(path), out = Read(copy);
        const sor::CFile original(path, warnings);
        const std::vector<qint64> a = starts(original, in), b = starts(again, out);
        QVERIFY(!a.empty() && b.size() == a.size());
        for (size_t i = 0; i + 1 < a.size(); ++i) {
            const QByteArray& name = original.BlockMap().entries[i].sName;
            QCOMPARE(again.BlockMap().entries[i].sName, name);
            if (name == "Cksum") {
                // An edited file keeps the checksum convention it was read in;
                // one of none gets the standard CRC.
                const bc::tChecksumConvention read = original.ChecksumConvention();
                const bc::tChecksumConvention kept
                    = read == bc::tChecksumConvention::Mismatch ? bc::tChecksumConvention::CcittFalse : read;
                QCOMPARE(again.ChecksumConvention(), kept);
                QCOMPARE(qFromLittleEndian<quint16>(out.constData() + b[i] + 6),
                    bc::CChecksumConvention::Compute(kept, out.constData(), out.size(), b[i], b[i] + 6));
            } else {
                QCOMPARE(out.mid(b[i], b[i + 1] - b[i]) == in.mid(a[i], a[i + 1] - a[i]), name != changed);
            }
        }
    }

    // A trace let go comes back sample for sample; where its file changed
    // meanwhile, the new file's samples are not taken: the document has none,
    // says why, refuses to be saved, and its history's image brings it back.
    void releasedTraceComesBackOrIsMarked()
    {
        const std::vector<quint16> samples { 9, 4, 7, 7, 1000, 3 };
        const QString path = Write(Trace(samples));
        quint32 warnings = 0;
        sor::CFile file(path, warnings);
        const QByteArray image = file.Image();
        // Modified samples are the only copy; edited events alone are not.
        file.Restore(Trace({ 1, 2, 3 }));
        file.SetModified(true);
        QVERIFY(!file.ReleaseTrace());
        QVERIFY_THROWS_EXCEPTION(EFileAccessError, sor::CCompactImage(image).Expand(file.Image()));
        file.Restore(image);
        QVERIFY(file.ReleaseTrace());
        file.SetModified(false);
        QVERIFY(file.IsTraceReleased());
        QCOMPARE(file.PointCount(), 6);
        QCOMPARE(file.MaxValue(), quint16(1000));
        QCOMPARE(std::vector<quint16>(file.Points(), file.Points() + 6), samples);
        QVERIFY(!file.IsTraceReleased());
        QCOMPARE(file.Image(), image);

        QVERIFY(file.ReleaseTrace());
        const QByteArray other = Trace({ 9, 4, 7, 7, 1000, 4 });
        Write(other);
        QCOMPARE(file.PointCount(), 6);
        QCOMPARE(file.DataPoints().groups.front().points.size(), size_t(0));
        QCOMPARE(file.PointCount(), 0);
        QVERIFY(file.LoadWarnings() & sor::CFile::WarningTraceGone);
        QVERIFY(!file.ReleaseTrace());
        QVERIFY_THROWS_EXCEPTION(EFileAccessError, file.Save());
        QCOMPARE(Read(path), other);
        file.Restore(image);
        QCOMPARE(std::vector<quint16>(file.Points(), file.Points() + file.PointCount()), samples);
        QCOMPARE(file.LoadWarnings() & sor::CFile::WarningTraceGone, 0u);
    }

    void recordsOfSeveralWavelengths_data()
    {
        // A file of two records (1310 and 1550 nm) with its second record cut
        // to a share of its bytes, less some, and bytes added after it.
        QTest::addColumn<double>("kept");
        QTest::addColumn<int>("less");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("records");
        QTest::newRow("whole") << 1.0 << 0 << QByteArray() << 2;
        QTest::newRow("garbage after it") << 1.0 << 0 << QByteArray(100, '\x7f') << 2;
        QTest::newRow("itself again") << 1.0 << 0 << QByteArray("self") << 3;
        QTest::newRow("last byte cut") << 1.0 << 1 << QByteArray() << 1;
        QTest::newRow("half") << 0.5 << 0 << QByteArray() << 1;
        QTest::newRow("its map only") << 0.0 << -40 << QByteArray() << 1;
    }

    void recordsOfSeveralWavelengths()
    {
        QFETCH(double, kept);
        QFETCH(int, less);
        QFETCH(QByteArray, after);
        QFETCH(int, records);
        CSynthPair::tOptions options;
        options.trace.lengthKm = 5;
        options.bend = true;
        const CSynthPair synth(options);
        const QDir dir(m_dir.path());
        synth.WriteOneFile(dir.filePath(QStringLiteral("both.sor")));
        synth.Write(dir.filePath(QStringLiteral("short.sor")), dir.filePath(QStringLiteral("long.sor")));
        const QByteArray shortImage = Read(dir.filePath(QStringLiteral("short.sor")));
        const QByteArray longImage = Read(dir.filePath(QStringLiteral("long.sor")));
        QCOMPARE(Read(dir.filePath(QStringLiteral("both.sor"))), shortImage + longImage);
        const QByteArray image = shortImage + longImage.left(qsizetype(longImage.size() * kept) - less)
            + (after == "self" ? longImage : after);

        quint32 warnings = 0;
        sor::CFile file(Write(image), warnings);
        quint32 shortWarnings = 0;
        const sor::CFile shorter(QStringLiteral("short.sor"), shortImage, shortWarnings);
        QCOMPARE(warnings, shortWarnings);
        QCOMPARE(file.RecordCount(), records);
        QVERIFY(!file.Record(0) && !file.Record(records));
        // The first record is the document, whatever follows it; the rest
        // comes back byte for byte.
        QCOMPARE(file.PointCount(), shorter.PointCount());
        QVERIFY(std::equal(file.Points(), file.Points() + file.PointCount(), shorter.Points()));
        QCOMPARE(file.KeyEvents().size(), shorter.KeyEvents().size());
        QCOMPARE(file.Image(), image);
        file.Save();
        QCOMPARE(Read(file.Path()), image);
        for (int index = 1; index < records; ++index) {
            const QSharedPointer<sor::CFile> record = file.Record(index);
            QCOMPARE(record->RecordIndex(), index);
            QCOMPARE(float(record->GeneralParameters().wavelength), 1550.0f);
            QCOMPARE(record->Image(), longImage);
            QVERIFY(!record->ReleaseTrace());
            QCOMPARE(ErrorOf([&] { record->Save(); }), QStringLiteral("access"));
        }
        // An edit of the first record leaves the others as they were.
        QVERIFY(file.SetKeyEventComment(0, QStringLiteral("edited")));
        QVERIFY(file.Image().endsWith(image.mid(shortImage.size())));
    }

    // Other programs' blocks go with the samples and come back byte for byte;
    // where one changed on disk meanwhile, the file is not taken in.
    void releasedBlocksComeBack_data()
    {
        if (!TestPaths::AddSharedFileRows(QStringLiteral("v2")))
            QSKIP("no shared v2 instrument files here");
    }
    void releasedBlocksComeBack()
    {
        QFETCH(QString, path);
        const QByteArray original = Read(path);
        quint32 warnings = 0;
        sor::CFile file(Write(original), warnings);
        QVERIFY(file.ReleaseTrace());
        QCOMPARE(file.Image(), original);
        // The history's form of an image: without its samples, whole again
        // with those of the document.
        const sor::CCompactImage compact(original);
        QVERIFY(compact.Size() < original.size() - 2 * file.PointCount());
        QCOMPARE(compact.Expand(file.Image()), original);
        qint64 end = file.BlockMap().nSize;
        const QSet<QByteArray> known { "GenParams", "SupParams", "FxdParams", "KeyEvents", "DataPts", "Cksum" };
        for (const bc::CBlockInfo& entry : file.BlockMap().entries) {
            end += entry.nSize;
            if (known.contains(entry.sName))
                continue;
            QVERIFY(file.ReleaseTrace());
            QByteArray changed = original;
            changed[end - 1] = char(changed[end - 1] ^ 0x5a);
            Write(changed);
            QVERIFY_THROWS_EXCEPTION(EFileAccessError, file.Image());
            QVERIFY(file.LoadWarnings() & sor::CFile::WarningTraceGone);
            return;
        }
    }

private:
    // A name relative to the test folder, or a whole path.
    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("trace.sor"))
    {
        const QString path = QDir(m_dir.path()).filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return QString();
        return path;
    }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TstCFile)

#include "tst_cfile.moc"
