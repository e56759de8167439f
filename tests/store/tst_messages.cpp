#include "store/StandardMessage.h"

#include <QTest>

using namespace store;

Q_DECLARE_METATYPE(store::Buttons)
Q_DECLARE_METATYPE(store::Button)

class TestMessages final : public QObject {
    Q_OBJECT

private slots:
    void messages_data();
    void messages();
    void errorTexts();
};

void TestMessages::messages_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("alternate");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<Button>("defaultButton");
    QTest::addColumn<QString>("halt");

    QTest::newRow("1") << 1 << false << "Invalid File"
                       << "Error: (Access Denied (5)) accessing TL97\\!S.  Press OK to end this "
                          "application."
                       << Buttons::Ok << Button::Ok << "Invalid File!";
    QTest::newRow("2") << 2 << false << "Invalid Key"
                       << "TL97\\!S key file is invalid.  Do you want to rebuild the key?"
                       << Buttons::YesNo << Button::Yes << "Invalid Key!";
    QTest::newRow("13") << 13 << false << "Referential Integrity Delete Error"
                        << "This record is referenced from the file TL97\\!S.  This record cannot "
                           "be deleted while these references exist."
                        << Buttons::Ok << Button::Ok << "";
    QTest::newRow("16") << 16 << false << "Record Update Error"
                        << "An error was experienced changing this record.  Do you want to try "
                           "to save again?"
                        << Buttons::YesNoCancel << Button::Cancel << "";
    QTest::newRow("29 up") << 29 << true << "Beginning of File Error"
                           << "The beginning of the viewed file was encountered.  Do you want to "
                              "start again from the end of the file?"
                           << Buttons::YesNo << Button::Yes << "";
    QTest::newRow("30") << 30 << false << "File Access Error"
                        << "File (TL97\\!S) could not be opened.  Error: Access Denied (5)."
                        << Buttons::Ok << Button::Ok << "Disk Error";
    QTest::newRow("34") << 34 << false << "Transaction Framing Error"
                        << "Error: (Access Denied (5)) attempting to frame the update transaction "
                           "on TL97\\!S.  Update transaction cancelled."
                        << Buttons::Ok << Button::Ok << "";
    QTest::newRow("36") << 36 << false << "View Open Error"
                        << "Error: (Access Denied (5)) attempting to open the current VIEW.\n"
                           "Filter and Range Limits ignored.\n\nRelated File: TL97\\!S"
                        << Buttons::Ok << Button::Ok << "";
}

void TestMessages::messages()
{
    QFETCH(int, number);
    QFETCH(bool, alternate);
    MessageArgs args;
    args.error = StoreError(ErrorCode::AccessDenied);
    args.file = QStringLiteral("TL97\\!S");
    args.op = QStringLiteral("Update");
    args.alternate = alternate;
    const StandardMessage m = standardMessage(number, args);
    QTEST(m.caption, "caption");
    QTEST(m.text, "text");
    QTEST(m.buttons, "buttons");
    QTEST(m.defaultButton, "defaultButton");
    QTEST(m.haltText, "halt");
}

void TestMessages::errorTexts()
{
    QCOMPARE(StoreError(ErrorCode::RecordChanged).text(),
             QStringLiteral("Record Changed By Another Station (89)"));
    QCOMPARE(StoreError::engine(QStringLiteral("disk I/O error"), 10).text(),
             QStringLiteral("disk I/O error (10)"));

    // Another station's change reads as such, whatever else the message would say.
    MessageArgs args;
    args.error = StoreError(ErrorCode::RecordChanged);
    args.file = QStringLiteral("Schedule");
    QCOMPARE(standardMessage(15, args).text,
             QStringLiteral("This record was changed by another station."));
    args.error = StoreError(ErrorCode::AccessDenied);
    QCOMPARE(standardMessage(15, args).text,
             QStringLiteral("An error (Access Denied (5)) was experienced when attempting to "
                            "update a record from the file.  Probable Cause: Schedule."));

    // Only the No of message 2 ends the program.
    const StandardMessage invalidKey = standardMessage(2);
    QVERIFY(invalidKey.haltsAfter(Button::No));
    QVERIFY(!invalidKey.haltsAfter(Button::Yes));
}

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
