#include "DataFolder.h"
#include "ManualClock.h"
#include "Rows.h"
#include "organiser/ClipboardCapture.h"
#include "store/OpenTable.h"
#include "store/Settings.h"
#include "store/tables/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

using namespace store;
using organiser::ClipboardCapture;

// The capture against the real clipboard of the test's X display.
class TestClipboardCapture final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void signature_data();
    void signature();
    void looksEveryThirdTickFromTheFourth();
    void whatIsNotStored_data();
    void whatIsNotStored();
    void blankSignaturesAndUsers();
    void theOldestUnkeptEntriesMakeRoom();
    void nothingWhileMonitoringIsOff();

private:
    // Puts the text on the clipboard and lets the capture look at it once.
    void copy(const QString &text);
    QStringList stored() const;

    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    ManualClock m_clock{QDateTime(QDate(2026, 12, 11), QTime(9, 0))};
    std::unique_ptr<ClipboardCapture> m_capture;
    bool m_warm = false;
};

void TestClipboardCapture::init()
{
    settings() = Settings();
    settings().monitorClipboard = true;
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    QVERIFY(OpenTable(*m_ctx, TableId::Clipboard));
    m_capture = std::make_unique<ClipboardCapture>();
    m_warm = false;
    QGuiApplication::clipboard()->clear();
}

void TestClipboardCapture::cleanup()
{
    m_capture.reset();
    m_ctx.reset();
    m_data.reset();
}

void TestClipboardCapture::copy(const QString &text)
{
    if (text.isNull())
        QGuiApplication::clipboard()->clear();
    else
        QGuiApplication::clipboard()->setText(text);
    m_clock.advanceSeconds(5);
    for (int call = 0; call < (m_warm ? 3 : 4); ++call)
        m_capture->ClipboardPoll(*m_ctx, m_clock);
    m_warm = true;
}

QStringList TestClipboardCapture::stored() const
{
    QStringList texts;
    for (const QVariant &v :
         columnInKeyOrder(*m_ctx, TableId::Clipboard, CLI::KEYCLIPDATE, CLI::ClipContents))
        texts << v.toString();
    return texts;
}

void TestClipboardCapture::signature_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("signature");
    QTest::newRow("capitals in order") << "Meet Bob at the Bakery"
                                       << "MBB";
    QTest::newRow("no capitals") << "lunch at noon"
                                 << "";
    QTest::newRow("only ASCII capitals") << "Ärger über Öl, OK"
                                         << "OK";
    QTest::newRow("cut at 40") << QString(50, u'Q') << QString(40, u'Q');
}

void TestClipboardCapture::signature()
{
    QFETCH(QString, text);
    QFETCH(QString, signature);
    QCOMPARE(ClipboardCapture::signature(text), signature);
}

void TestClipboardCapture::looksEveryThirdTickFromTheFourth()
{
    QGuiApplication::clipboard()->setText("First Text");
    for (int call = 0; call < 3; ++call)
        m_capture->ClipboardPoll(*m_ctx, m_clock);
    QVERIFY(stored().isEmpty());
    m_capture->ClipboardPoll(*m_ctx, m_clock);
    QCOMPARE(stored(), QStringList{"First Text"});

    QGuiApplication::clipboard()->setText("Second Text");
    m_clock.advanceSeconds(5);
    m_capture->ClipboardPoll(*m_ctx, m_clock);
    m_capture->ClipboardPoll(*m_ctx, m_clock);
    QCOMPARE(stored().size(), 1);
    m_capture->ClipboardPoll(*m_ctx, m_clock);
    QCOMPARE(stored(), (QStringList{"First Text", "Second Text"}));
    QCOMPARE(ClipboardCapture::signature("Second Text"), QString("ST"));
}

void TestClipboardCapture::whatIsNotStored_data()
{
    QTest::addColumn<QStringList>("copies");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("same capitals in the same order")
        << QStringList{"Meet Bob", "My Book"} << QStringList{"Meet Bob"};
    QTest::newRow("a line break first") << QStringList{"\nHello World"} << QStringList{};
    QTest::newRow("blanks only") << QStringList{"   "} << QStringList{};
    QTest::newRow("trailing blanks make no new text")
        << QStringList{"plain words", "plain words   "} << QStringList{"plain words"};
    // An emptied clipboard is no news, so the same text copied again is not either.
    QTest::newRow("empty, then the last text again")
        << QStringList{"again and again", QString(), "again and again"}
        << QStringList{"again and again"};
}

void TestClipboardCapture::whatIsNotStored()
{
    QFETCH(QStringList, copies);
    QFETCH(QStringList, kept);
    for (const QString &text : copies)
        copy(text);
    QCOMPARE(stored(), kept);
}

void TestClipboardCapture::blankSignaturesAndUsers()
{
    // Without a user, texts without capitals are all kept: the signature key leaves them out.
    copy("first note");
    copy("second note");
    QCOMPARE(stored().size(), 2);
    settings().currentUser = "alice";
    copy("third note");
    copy("fourth note");
    QCOMPARE(stored(), (QStringList{"first note", "second note", "third note"}));
}

void TestClipboardCapture::theOldestUnkeptEntriesMakeRoom()
{
    settings().maxClipboardEntries = 4;
    // Another station's entry and a kept entry are never trimmed here.
    QVERIFY(addRow(*m_ctx, TableId::Clipboard,
                   {{CLI::USER, "bob"}, {CLI::CLIPDATE, 1}, {CLI::ClipContents, "bob's"}})
                .ok());
    QVERIFY(addRow(*m_ctx, TableId::Clipboard,
                   {{CLI::CLIPKEEP, 1}, {CLI::CLIPDATE, 1}, {CLI::ClipContents, "Kept Old"}})
                .ok());
    copy("Alpha");
    copy("Beta");
    QCOMPARE(stored(), (QStringList{"Alpha", "Beta", "Kept Old", "bob's"}));
    copy("Gamma");
    QCOMPARE(stored(), (QStringList{"Beta", "Gamma", "Kept Old", "bob's"}));
    // The text on the clipboard stays even when it is the oldest one left.
    settings().maxClipboardEntries = 3;
    copy("Beta");
    QCOMPARE(stored(), (QStringList{"Beta", "Kept Old", "bob's"}));
}

void TestClipboardCapture::nothingWhileMonitoringIsOff()
{
    settings().monitorClipboard = false;
    copy("Not Wanted");
    copy("Not Wanted Either");
    QVERIFY(stored().isEmpty());
}

QTEST_MAIN(TestClipboardCapture)
#include "tst_clipboardcapture.moc"
