#include "CFile.h"
#include "SorBuilder.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace SorBuilder;

namespace {

tEvent Event(qint32 time, const QByteArray& comment)
{
    tEvent event;
    event.time = time;
    event.comment = comment;
    return event;
}

bool HasKeyEventsBlock(const sor::CFile& file)
{
    for (const auto& entry : file.BlockMap().entries) {
        if (entry.sName == QByteArrayLiteral("KeyEvents"))
            return true;
    }
    return false;
}

} // namespace

// Deleting events and editing their comments, as the event table does it,
// through to the saved file.
class TstEventEditing : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void deletingTheOnlyEventRemovesTheBlock();
    void deletingNothing();
    void comment_data();
    void comment();
    void longCommentIsCutAndSaves();

private:
    // Writes a trace with the given events and loads it.
    std::unique_ptr<sor::CFile> Load(const std::vector<tEvent>& events);

    QTemporaryDir m_dir;
    QString m_path;
};

void TstEventEditing::init()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("events.sor"));
}

std::unique_ptr<sor::CFile> TstEventEditing::Load(const std::vector<tEvent>& events)
{
    std::vector<tBlock> blocks = StandardBlocks();
    tKeyEvents keyEvents;
    keyEvents.events = events;
    blocks[3].body = KeyEventsBody(keyEvents);
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Assemble(blocks)) <= 0)
        return nullptr;
    file.close();
    quint32 warnings = 0;
    return std::make_unique<sor::CFile>(m_path, warnings);
}

void TstEventEditing::deletingTheOnlyEventRemovesTheBlock()
{
    std::unique_ptr<sor::CFile> document = Load({ Event(1000, "only") });
    QVERIFY(document);
    QVERIFY(HasKeyEventsBlock(*document));
    QSignalSpy changed(document.get(), &sor::CFile::sigFileChanged);

    QVERIFY(document->DeleteKeyEvent(0));
    QVERIFY(document->KeyEvents().empty());
    QVERIFY(document->IsModified());
    QCOMPARE(changed.count(), 1);
    QVERIFY(!HasKeyEventsBlock(*document));

    // The saved file has no key-events block at all and reads back as such.
    document->Save();
    quint32 warnings = 0;
    const sor::CFile saved(m_path, warnings);
    QCOMPARE(warnings, 0u);
    QVERIFY(!HasKeyEventsBlock(saved));
    QVERIFY(saved.KeyEvents().empty());
    QFile bytes(m_path);
    QVERIFY(bytes.open(QIODevice::ReadOnly));
    QVERIFY(!bytes.readAll().contains("KeyEvents"));
}

void TstEventEditing::deletingNothing()
{
    // Rows the document does not have change nothing.
    std::unique_ptr<sor::CFile> document = Load({ Event(1000, "only") });
    QVERIFY(document);
    QVERIFY(!document->DeleteKeyEvent(1));
    QVERIFY(!document->DeleteKeyEvent(-1));
    QVERIFY(!document->SetKeyEventComment(1, QStringLiteral("x")));
    QVERIFY(!document->IsModified());
}

void TstEventEditing::comment_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changes");

    QTest::newRow("the same text") << QStringLiteral("Joint 7") << false;
    QTest::newRow("emptied") << QString() << true;
    QTest::newRow("Cyrillic") << QStringLiteral("Муфта 8") << true;
}

void TstEventEditing::comment()
{
    QFETCH(QString, text);
    QFETCH(bool, changes);

    std::unique_ptr<sor::CFile> document = Load({ Event(1000, "first"), Event(2000, "Joint 7") });
    QVERIFY(document);
    QSignalSpy changed(document.get(), &sor::CFile::sigFileChanged);
    QCOMPARE(document->SetKeyEventComment(1, text), changes);
    QCOMPARE(document->IsModified(), changes);
    QCOMPARE(changed.count(), changes ? 1 : 0);
    QCOMPARE(document->KeyEvents()[1].comment.Text(), text);
    QCOMPARE(document->KeyEvents()[0].comment.Text(), QStringLiteral("first"));
}

void TstEventEditing::longCommentIsCutAndSaves()
{
    std::unique_ptr<sor::CFile> document = Load({ Event(1000, "short") });
    QVERIFY(document);
    const QString longText = QString(150, QLatin1Char('x'));
    QVERIFY(document->SetKeyEventComment(0, longText));
    QCOMPARE(document->KeyEvents()[0].comment.Text(), longText.left(100));
    // The same long text again is no change: it would be cut the same way.
    QVERIFY(!document->SetKeyEventComment(0, longText));

    document->Save();
    quint32 warnings = 0;
    const sor::CFile saved(m_path, warnings);
    QCOMPARE(saved.KeyEvents()[0].comment.Text(), longText.left(100));
}

QTEST_MAIN(TstEventEditing)
#include "tst_eventediting.moc"
