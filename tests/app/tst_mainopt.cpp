#include "tPrivateStore.h"

#include <CApplicationStart.h>
#include <CMainOpt.h>

#include <QColorDialog>
#include <QFileInfo>
#include <QTest>

// The options object against the settings store: what an empty store gives,
// what destruction writes and what the next construction reads back.
class TstMainOpt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void emptyStore_givesDefaults();
    void destruction_writesWhatNextConstructionReads();
    void lastDir_isFolderCurrentAtDestruction();
    void colourKey_data();
    void colourKey();

private:
    tPrivateStore m_store;
};

void TstMainOpt::initTestCase()
{
    QVERIFY(m_store.IsValid());
    CApplicationStart::SetIdentity();
}

void TstMainOpt::init()
{
    tPrivateStore::Clear();
}

void TstMainOpt::emptyStore_givesDefaults()
{
    QVERIFY(!CMainOpt::Instance());
    {
        CMainOpt options;
        QCOMPARE(CMainOpt::Instance(), &options);
        QVERIFY(options.pColorDialog);
        QCOMPARE(options.pColorDialog->parent(), &options);

        QCOMPARE(options.cInverse, CMainOpt::Inverse(options.cBackground));
        QCOMPARE(options.bNeedAckFileDeletion, true);
    }
    QVERIFY(!CMainOpt::Instance());

    // Destruction writes every option, under these exact names, and never
    // the install folder.
    QStringList keys = QSettings().allKeys();
    keys.sort();
    const QStringList expected = {
        QStringLiteral("Language/LanguageName"),
        QStringLiteral("Options/GraphBackground"),
        QStringLiteral("Options/LastDir"),
        QStringLiteral("Options/bAutoConnectToDevice"),
        QStringLiteral("Options/bEnableServiceInfoEditing"),
        QStringLiteral("Options/bNeedAckFileDeletion"),
        QStringLiteral("Options/bNeedDeleteLoadedFiles"),
    };
    QCOMPARE(keys, expected);
}

void TstMainOpt::destruction_writesWhatNextConstructionReads()
{
    QSettings().setValue(QStringLiteral("Installer/Root"), QStringLiteral("/opt/lumetrix"));
    {
        CMainOpt options;
        QCOMPARE(options.sInstallRoot, QStringLiteral("/opt/lumetrix"));
        options.sLanguageName = QStringLiteral("Русский");
        options.sInstallRoot = QStringLiteral("/changed/in/memory");
        options.cBackground = QColor(10, 20, 30);
        options.bAutoConnectToDevice = false;
        options.bNeedAckFileDeletion = false;
        options.bNeedDeleteLoadedFiles = true;
        options.bEnableServiceInfoEditing = true;
    }

    CMainOpt options;
    QCOMPARE(options.sLanguageName, QStringLiteral("Русский"));
    QCOMPARE(options.sInstallRoot, QStringLiteral("/opt/lumetrix"));
    QCOMPARE(options.cBackground, QColor(10, 20, 30));
    QCOMPARE(options.cInverse, QColor(245, 235, 225));
    QCOMPARE(options.bAutoConnectToDevice, false);
    QCOMPARE(options.bNeedAckFileDeletion, false);
    QCOMPARE(options.bNeedDeleteLoadedFiles, true);
    QCOMPARE(options.bEnableServiceInfoEditing, true);
}

void TstMainOpt::lastDir_isFolderCurrentAtDestruction()
{
    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString startFolder = QDir::currentPath();
    QSettings().setValue(QStringLiteral("Options/LastDir"), QStringLiteral("/read/at/start"));
    {
        CMainOpt options;
        QCOMPARE(options.sLastDir, QStringLiteral("/read/at/start"));
        QVERIFY(QDir::setCurrent(work.path()));
    }
    QVERIFY(QDir::setCurrent(startFolder));
    QCOMPARE(QSettings().value(QStringLiteral("Options/LastDir")).toString(),
             QFileInfo(work.path()).canonicalFilePath());
}

void TstMainOpt::colourKey_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("colour") << QVariant(QColor(1, 2, 3)) << QColor(1, 2, 3);
    QTest::newRow("colour name") << QVariant(QStringLiteral("#102030")) << QColor(16, 32, 48);
    QTest::newRow("text") << QVariant(QStringLiteral("pale sky")) << QColor();
}

void TstMainOpt::colourKey()
{
    QFETCH(QVariant, stored);
    QFETCH(QColor, expected);
    QSettings().setValue(QStringLiteral("Options/GraphBackground"), stored);
    CMainOpt options;
    QCOMPARE(options.cBackground.isValid(), expected.isValid());
    if (expected.isValid()) {
        QCOMPARE(options.cBackground, expected);
        QCOMPARE(options.cInverse, CMainOpt::Inverse(expected));
    }
}

QTEST_MAIN(TstMainOpt)
#include "tst_mainopt.moc"
