#include "tPrivateStore.h"

#include <CBoxAnswerer.h>
#include <CApplicationStart.h>
#include <CGraphPix.h>
#include <CMainOpt.h>
#include <MainWindow.h>
#include <TestPaths.h>

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `act` inside the modal loop of `dialog` as soon as it is shown.
void WhenShown(QDialog* dialog, const std::function<void()>& act)
{
    auto* timer = new QTimer(dialog);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, dialog, [dialog, timer, act] {
        if (!dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act();
    });
    timer->start();
}

// Opens the options dialog through `open`, optionally picks `colour` in the
// colour dialog, selects `language` when given, and presses OK or Cancel.
void RunDialog(CMainOpt& options, const std::function<void()>& open, const QColor& colour, const QString& language,
    bool accept)
{
    WhenShown(&options, [&] {
        if (colour.isValid()) {
            WhenShown(options.pColorDialog, [&] {
                options.pColorDialog->setCurrentColor(colour);
                options.pColorDialog->accept();
            });
            QTest::mouseClick(options.findChild<QPushButton*>(QStringLiteral("AdjustBackground")), Qt::LeftButton);
        }
        if (!language.isEmpty())
            options.findChild<QComboBox*>(QStringLiteral("Language"))->setCurrentText(language);
        auto* buttons = options.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QTest::mouseClick(buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    open();
}

} // namespace

// The options object against the settings store: what an empty store gives,
// what destruction writes and what the next construction reads back.
class TstMainOpt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void destruction_writesWhatNextConstructionReads();
    void colourKey_data();
    void colourKey();
    void dialog_data();
    void dialog();
    void dialog_backgroundReachesThePlot();

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

void TstMainOpt::colourKey_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QColor>("expected");

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

void TstMainOpt::dialog_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("messages");

    QTest::newRow("other language, then Cancel") << "English" << "Русский" << false << "English" << 0;
    QTest::newRow("same language") << "English" << QString() << true << "English" << 0;
    // OK without a choice says nothing and stores nothing.
    QTest::newRow("first start") << QString() << QString() << true << QString() << 0;
    QTest::newRow("other language") << "English" << "Русский" << true << "Русский" << 1;
}

void TstMainOpt::dialog()
{
    QFETCH(QString, stored);
    QFETCH(QString, chosen);
    QFETCH(bool, accept);
    QFETCH(int, messages);

    QSettings().setValue(QStringLiteral("Language/LanguageName"), stored);
    QSettings().setValue(QStringLiteral("Options/bAutoConnectToDevice"), false);
    CMainOpt options;
    CBoxAnswerer answerer;
    const auto open = [&] { QCOMPARE(options.exec(), accept ? int(QDialog::Accepted) : int(QDialog::Rejected)); };
    RunDialog(options, open, QColor(), chosen, accept);

    QCOMPARE(answerer.Count(), messages);
    QTEST(options.sLanguageName, "language");
    // The hidden auto-connect switch keeps its value through the dialog.
    QVERIFY(options.findChild<QCheckBox*>(QStringLiteral("bAutoConnectToDevice"))->isHidden());
    QCOMPARE(options.bAutoConnectToDevice, false);

    // What was accepted is in the store at once, before the object goes.
    const QString storedNow = QSettings().value(QStringLiteral("Language/LanguageName")).toString();
    QCOMPARE(storedNow, accept ? options.sLanguageName : stored);
}

void TstMainOpt::dialog_backgroundReachesThePlot()
{
    MainWindow window(TestPaths::SamplesDir());
    window.resize(1000, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* options = window.findChild<CMainOpt*>();
    auto* pix = window.findChild<CGraphPix*>();
    QVERIFY(options && pix);
    const QColor picked(12, 34, 56);
    auto pickedPixels = [&] {
        const QImage image = pix->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == picked;
        return count * 2 > image.width() * image.height();
    };
    CBoxAnswerer answerer;
    auto* action = window.findChild<QAction*>(QStringLiteral("actionOptions"));
    const QColor before = options->cBackground;
    QSignalSpy changed(options, &CMainOpt::sigBackgroundChanged);
    for (const bool accept : { false, true }) {
        RunDialog(*options, [&] { action->trigger(); }, picked, QString(), accept);
        QTRY_COMPARE(pickedPixels(), accept);
        QCOMPARE(options->cBackground, accept ? picked : before);
        QCOMPARE(changed.count(), accept ? 1 : 0);
        const QColor stored = QSettings().value(QStringLiteral("Options/GraphBackground")).value<QColor>();
        QCOMPARE(stored, accept ? picked : QColor());
    }
    QCOMPARE(options->cInverse, CMainOpt::Inverse(picked));
}

QTEST_MAIN(TstMainOpt)
#include "tst_mainopt.moc"
