#include "CBoxAnswerer.h"
#include "IARMessageBox.h"

#include <QApplication>
#include <QTest>

// The question box of repeated failures: which buttons it offers with and
// without an "Ignore all" flag, what each answer means, and that a flag
// already set answers without a box.
class TstIARMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void ignoreAllAlreadySetAsksNothing();
};

void TstIARMessageBox::answers_data()
{
    QTest::addColumn<bool>("withFlag");
    QTest::addColumn<bool>("offerIgnore");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("escapeButton");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<bool>("retry");
    QTest::addColumn<bool>("flagAfter");

    const QStringList all { "Ignore all", "Ignore", "Retry", "Abort" };
    const QStringList noIgnoreAll { "Ignore", "Retry", "Abort" };
    const QStringList retryCancel { "Retry", "Cancel" };
    const QStringList ignoreRetryCancel { "Ignore", "Retry", "Cancel" };

    // row: flag, option, buttons offered, escape button, answer, go on, retry, flag afterwards
    QTest::newRow("flag: ignore all") << true << false << all << "Abort"
                                      << "Ignore all" << true << false << true;
    QTest::newRow("flag: retry") << true << false << all << "Abort"
                                 << "Retry" << true << true << false;
    QTest::newRow("flag: escape aborts") << true << false << all << "Abort"
                                         << "Escape" << false << false << false;
    QTest::newRow("flag and option: no ignore all") << true << true << noIgnoreAll << "Abort"
                                                    << "Ignore" << true << false << false;
    QTest::newRow("no flag: cancel") << false << false << retryCancel << "Cancel"
                                     << "Cancel" << false << false << false;
    QTest::newRow("no flag, option: ignore") << false << true << ignoreRetryCancel << "Cancel"
                                             << "Ignore" << true << false << false;
}

void TstIARMessageBox::answers()
{
    QFETCH(bool, withFlag);
    QFETCH(bool, offerIgnore);
    QFETCH(QStringList, buttons);
    QFETCH(QString, escapeButton);
    QFETCH(QString, answer);
    QFETCH(bool, goOn);
    QFETCH(bool, retry);
    QFETCH(bool, flagAfter);

    CBoxAnswerer answerer({ answer });
    bool ignoreAll = false;
    // A retry asked for by an earlier box must not carry over into this answer.
    bool retryOut = !retry;
    const bool result = IARMessageBox::Exec(nullptr, QMessageBox::Warning, QStringLiteral("Title"),
        QStringLiteral("Text"), retryOut, withFlag ? &ignoreAll : nullptr, offerIgnore);

    QCOMPARE(answerer.Count(), 1);
    const CBoxAnswerer::tSeen& seen = answerer.Seen().front();
    QStringList offered = seen.buttons;
    QStringList expected = buttons;
    offered.sort();
    expected.sort();
    QCOMPARE(offered, expected);
    QCOMPARE(seen.defaultButton, QStringLiteral("Retry"));
    QCOMPARE(seen.escapeButton, escapeButton);
    QCOMPARE(result, goOn);
    QCOMPARE(retryOut, retry);
    QCOMPARE(ignoreAll, flagAfter);
}

void TstIARMessageBox::ignoreAllAlreadySetAsksNothing()
{
    CBoxAnswerer answerer;
    bool ignoreAll = true;
    bool retry = true;
    QVERIFY(IARMessageBox::Exec(
        nullptr, QMessageBox::Critical, QStringLiteral("Title"), QStringLiteral("Text"), retry, &ignoreAll, false));
    QVERIFY(!retry);
    QVERIFY(ignoreAll);
    // A box is modal: had one been shown, Exec would have returned only after
    // the answerer pressed a button.
    QCOMPARE(answerer.Count(), 0);
}

QTEST_MAIN(TstIARMessageBox)
#include "tst_iarmessagebox.moc"
