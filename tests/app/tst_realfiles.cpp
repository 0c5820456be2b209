#include "CBoxAnswerer.h"
#include "TestPaths.h"
#include "tPrivateStore.h"

#include <CApplicationStart.h>
#include <CFile.h>
#include <CFileInfo.h>
#include <CFileList.h>
#include <CGraphPix.h>
#include <CGraphView.h>
#include <CGraphWidget.h>
#include <MainWindow.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

// The real instruments' files as the window meets them: a folder opens without
// a single question, what a load noticed is shown on the card and in the
// status bar, and a damaged file stays listed with its reason.
class TstRealFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_store.IsValid());
        m_startFolder = QDir::currentPath();
        m_v2 = TestPaths::SharedSamplesDir(QStringLiteral("v2"));
        if (m_v2.isEmpty())
            QSKIP("no shared instrument files here");
    }
    void init()
    {
        CApplicationStart::SetIdentity();
        tPrivateStore::Clear();
    }
    void cleanup() { QDir::setCurrent(m_startFolder); }

    void sharedFolderOpensWithoutQuestions();
    void instrumentPageShowsEverySupplierField_data();
    void instrumentPageShowsEverySupplierField();
    void damagedFileStaysListed();
    void rangeZeroShowsTheTraceExtent();

private:
    // The row of the file named `name`, or -1.
    static int RowOf(const CFileList& list, const QString& name)
    {
        for (int row = 0; row < list.count(); ++row) {
            if (QFileInfo(list.RowPath(row)).fileName() == name)
                return row;
        }
        return -1;
    }

    tPrivateStore m_store;
    QString m_startFolder;
    QString m_v2;
};

void TstRealFiles::sharedFolderOpensWithoutQuestions()
{
    CBoxAnswerer answerer;
    MainWindow window(m_v2);
    window.show();
    CFileList* list = window.FileList();
    QCOMPARE(list->count(), TestPaths::SorFiles(m_v2).size());
    for (int row = 0; row < list->count(); ++row)
        QVERIFY(list->GetFile(row));

    // A checksum of no known convention is said in the status bar once the file is current.
    const int mismatch = RowOf(*list, QStringLiteral("2.sor"));
    QVERIFY(mismatch >= 0);
    list->setCurrentRow(mismatch);
    QVERIFY2(window.statusBar()->currentMessage().contains(QLatin1String("checksum")),
        qPrintable(window.statusBar()->currentMessage()));
    list->setCurrentRow(RowOf(*list, QStringLiteral("1310_0001.sor")));
    QCOMPARE(window.statusBar()->currentMessage(), QString());
    QCOMPARE(answerer.Count(), 0);
}

void TstRealFiles::instrumentPageShowsEverySupplierField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("boxes"); // SN, MFID, OTDR, OMID, OMSN, CP, CRC
    QTest::newRow("Anritsu") << "1310_0001.sor"
                             << QStringList { "Anritsu", "MT1000A", "6262151022 ", "MU100022A-022", "6262084478 ",
                                    "Windows-1251", "matches (CRC-16/XMODEM)" };
    QTest::newRow("EXFO") << "example2-exfo-maxtester730c.sor"
                          << QStringList { "", "", "", "MAX-730C-SM8-EA", "1327161", "Windows-1251",
                                 "does not match (the trace loaded whole)" };
}

void TstRealFiles::instrumentPageShowsEverySupplierField()
{
    QFETCH(QString, name);
    QFETCH(QStringList, boxes);
    quint32 warnings = 0;
    const auto file = QSharedPointer<sor::CFile>::create(QDir(m_v2).filePath(name), warnings);
    CFileInfo dialog(file, false);
    const char* const names[] = { "SN", "MFID", "OTDR", "OMID", "OMSN", "CP", "CRC" };
    for (int i = 0; i < boxes.size(); ++i) {
        const QLineEdit* box = dialog.findChild<QLineEdit*>(QLatin1String(names[i]));
        QVERIFY2(box, names[i]);
        QCOMPARE(box->text(), boxes[i]);
    }
}

void TstRealFiles::damagedFileStaysListed()
{
    QTemporaryDir folder;
    QFile real(QDir(m_v2).filePath(QStringLiteral("1310_0001.sor")));
    QVERIFY(real.open(QIODevice::ReadOnly));
    const QByteArray whole = real.readAll();
    QFile cut(folder.filePath(QStringLiteral("cut.sor")));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(whole.left(whole.size() - 1200));
    cut.close();
    QVERIFY(QFile::copy(real.fileName(), folder.filePath(QStringLiteral("whole.sor"))));

    CBoxAnswerer answerer;
    MainWindow window(folder.path());
    window.show();
    CFileList* list = window.FileList();
    QCOMPARE(list->count(), 2);
    QCOMPARE(answerer.Count(), 0);
    QVERIFY(!list->GetFile(0));
    QVERIFY2(list->UnreadableReason(0).startsWith(
                 QLatin1String("The file is a damaged trace of the later layout; the block DataPts ends ")),
        qPrintable(list->UnreadableReason(0)));
    list->setCurrentRow(0);
    QVERIFY(window.statusBar()->currentMessage().startsWith(QLatin1String("\"cut.sor\" cannot be read: ")));
    QCOMPARE(window.View()->Pix()->Notice(), window.statusBar()->currentMessage());
}

// Some makers store no acquisition range (0): the range shown is the trace's
// extent, and the card's length is the fibre's end.
void TstRealFiles::rangeZeroShowsTheTraceExtent()
{
    QFile real(QDir(m_v2).filePath(QStringLiteral("otdr3.sor")));
    QVERIFY(real.open(QIODevice::ReadOnly));
    QByteArray bytes = real.readAll();
    // With one pulse the range and its distance lie 50 bytes into the block.
    const QByteArray name("FxdParams", 10);
    const qsizetype block = bytes.indexOf(name, bytes.indexOf(name) + 1);
    QCOMPARE(qFromLittleEndian<qint16>(bytes.constData() + block + 26), qint16(1));
    QTemporaryDir folder;
    QFile copy(folder.filePath(QStringLiteral("norange.sor")));
    QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(bytes.replace(block + 50, 8, QByteArray(8, '\0'))) > 0);
    copy.close();

    CBoxAnswerer answerer;
    MainWindow window(folder.path());
    window.show();
    window.FileList()->setCurrentRow(0);
    const QSharedPointer<sor::CFile> file = window.FileList()->GetFile(0);
    QVERIFY(file && float(file->FixedParameters().acquisitionRange) == 0.0f);
    QCOMPARE(CGraphWidget::Labels(*file)[2], QStringLiteral("L=0.062km"));
    QTRY_COMPARE(window.findChild<QLabel*>(QStringLiteral("iDiapasone"))->text(), QStringLiteral("2.091"));
    CFileInfo dialog(file, false);
    QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("ARkm"))->text(), QStringLiteral("2.09113"));
    QCOMPARE(answerer.Count(), 0);
}

QTEST_MAIN(TstRealFiles)
#include "tst_realfiles.moc"
