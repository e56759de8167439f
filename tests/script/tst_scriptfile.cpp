#include "DataFolder.h"
#include "Modal.h"
#include "Rows.h"
#include "ScriptFixture.h"
#include "script/ScriptFile.h"
#include "script/ScriptLines.h"
#include "script/ScriptOperations.h"
#include "store/OpenTable.h"

#include <QFileDialog>
#include <QTest>

using namespace store;
namespace scriptfile = script::scriptfile;

namespace {

// A line's action and the values the file carries for it, "|"-separated as scriptLine takes
// them, so a line read back can be compared with the one written.
QString describe(const Record &line)
{
    QStringList parts{line.text(SCR::ACTION)};
    if (const script::ActionDef *def = script::actionDefOf(line.text(SCR::ACTION))) {
        for (const SCR::Field f : def->fileFields)
            parts << (line.def().fields.at(f).isText() ? line.text(f)
                                                       : QString::number(line.number(f)));
    }
    return parts.join(u'|');
}

Record lineOf(const QString &written)
{
    return makeRecord(TableId::Scripting, scriptLine(1, 1, written));
}

} // namespace

class TestScriptFile final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void exportedLine_data();
    void exportedLine();
    void importedLine_data();
    void importedLine();
    void importAppendsAfterTheLastLine();
    void exportAppendsAndImportDoubles();
    void copyKeepsTheSequenceNumbers();
    void clearAllAsksFirst();
    void aFileThatCannotBeOpenedIsReported();
    void theChosenFileIsOfferedAgain();

private:
    void addLines(qint64 task, const QStringList &lines);
    QStringList linesOf(qint64 task);
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
};

void TestScriptFile::init()
{
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    QVERIFY(OpenTable(*m_ctx, TableId::Scripting));
}

void TestScriptFile::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestScriptFile::addLines(qint64 task, const QStringList &lines)
{
    qint64 sequence = 0;
    for (const QString &line : lines)
        QVERIFY(addRow(*m_ctx, TableId::Scripting, scriptLine(task, ++sequence, line)).ok());
}

// The task's lines as "sequence: description".
QStringList TestScriptFile::linesOf(qint64 task)
{
    std::vector<Record> rows;
    script::readScriptLines(*m_ctx->connection(TableId::Scripting), task, &rows);
    QStringList lines;
    for (const Record &r : rows)
        lines << QString::number(r.number(SCR::Sequence)) + ": " + describe(r);
    return lines;
}

void TestScriptFile::exportedLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("written"); // blank: left out
    QTest::newRow("an Or wait") << "Wait|5|Untitled - *|Or"
                                << R"("Wait","5","Untitled - *","Or","","")";
    QTest::newRow("an application command, its type cut")
        << "DDE (Dynamic Data Exchange)|Execute|org.example.Editor|/documents/1|item|Save"
        << R"("DDE (Dynamic Data Ex","Execute","org.example.Editor","/documents/1","item","Save")";
    QTest::newRow("Exit Script is left out") << "Exit Script"
                                             << "";
    QTest::newRow("a long command cut to 80")
        << "Start Program|" + QString(100, 'c') + "|/home/me|100|30"
        << R"("Start Program",")" + QString(80, 'c') + R"(","/home/me","100","30","")";
    QTest::newRow("a quote doubled") << R"(Display Message|He said "hi"|Note)"
                                     << R"("Display Message","He said ""hi""","Note","","","")";
    QTest::newRow("End If has no values") << "...End If"
                                          << R"("...End If","","","","","")";
    QTest::newRow("a time test") << "If Time Elapsed...|Time Elapsed is Less|90"
                                 << R"("If Time Elapsed...","Time Elapsed is Less","90","","","")";
}

void TestScriptFile::exportedLine()
{
    QFETCH(QString, line);
    QFETCH(QString, written);
    const std::optional<QString> text = scriptfile::exportLine(lineOf(line));
    QCOMPARE(text.value_or(QString()), written);
}

void TestScriptFile::importedLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line"); // blank: skipped
    QTest::newRow("an application command with all five values")
        << R"("DDE (Dynamic Data Ex","Execute","org.example.Editor","/documents/1","item","Save")"
        << "DDE (Dynamic Data Exchange)|Execute|org.example.Editor|/documents/1|item|Save";
    QTest::newRow("a doubled quote") << R"("Display Message","He said ""hi""","Note","","","")"
                                     << R"(Display Message|He said "hi"|Note)";
    QTest::newRow("numbers from text") << R"("Wait","12","Notes*","And","","")"
                                       << "Wait|12|Notes*|And";
    QTest::newRow("without quotes") << "Wait,5,Notes*,Or"
                                    << "Wait|5|Notes*|Or";
    QTest::newRow("fewer fields") << R"("Start Program","edit")"
                                  << "Start Program|edit|||0";
    QTest::newRow("only the type") << R"("Set Focus")"
                                   << "Set Focus|";
    QTest::newRow("a quote left open") << R"("Send Keystrokes","abc)"
                                       << "Send Keystrokes|abc";
    QTest::newRow("a value cut to 80") << R"("Send Keystrokes",")" + QString(90, 'k') + R"(")"
                                       << "Send Keystrokes|" + QString(80, 'k');
    QTest::newRow("Exit Script skipped") << R"("Exit Script","","","","","")"
                                         << "";
    QTest::newRow("an unknown type skipped") << R"("Dance","","","","","")"
                                             << "";
    QTest::newRow("an empty line") << ""
                                   << "";
    QTest::newRow("commas only") << ",,,,,"
                                 << "";
    QTest::newRow("a lone quote") << "\""
                                  << "";
}

void TestScriptFile::importedLine()
{
    QFETCH(QString, text);
    QFETCH(QString, line);
    const std::optional<Record> read = scriptfile::importLine(text);
    QCOMPARE(read ? describe(*read) : QString(), line);
    if (read) {
        QCOMPARE(read->number(SCR::ID), 0);
        QCOMPARE(read->number(SCR::Sequence), 0);
    }
}

void TestScriptFile::importAppendsAfterTheLastLine()
{
    addLines(3,
             {"Send Keystrokes|a", "Send Keystrokes|b", "Send Keystrokes|c", "Send Keystrokes|d"});
    addLines(4, {"Send Keystrokes|other task"});
    m_data->writeFile("three.sws", "\"Set Focus\",\"Notes*\",\"\",\"\",\"\",\"\"\r\n"
                                   "\"Exit Script\",\"\",\"\",\"\",\"\",\"\"\r\n"
                                   "\"Wait\",\"2\",\"\",\"And\",\"\",\"\"\r\n"
                                   "\"...End If\",\"\",\"\",\"\",\"\",\"\"\r\n");
    QVERIFY(script::ImportScript(*m_ctx, 3, m_data->path("three.sws")));
    QCOMPARE(linesOf(3).mid(4),
             (QStringList{"5: Set Focus|Notes*", "6: Wait|2||And", "7: ...End If"}));
    QCOMPARE(linesOf(4), QStringList{"1: Send Keystrokes|other task"});
}

void TestScriptFile::exportAppendsAndImportDoubles()
{
    addLines(1, {"Wait|5|Untitled - *|Or", "Exit Script", R"(Display Message|say "x"|T)"});
    const QString path = m_data->path("backup.sws");
    QVERIFY(script::ExportScript(*m_ctx, 1, path));
    QVERIFY(script::ExportScript(*m_ctx, 1, path));
    const QByteArray once = "\"Wait\",\"5\",\"Untitled - *\",\"Or\",\"\",\"\"\r\n"
                            "\"Display Message\",\"say \"\"x\"\"\",\"T\",\"\",\"\",\"\"\r\n";
    QCOMPARE(m_data->readFile("backup.sws"), once + once);
    QVERIFY(script::ImportScript(*m_ctx, 2, path));
    QCOMPARE(linesOf(2),
             (QStringList{"1: Wait|5|Untitled - *|Or", R"(2: Display Message|say "x"|T)",
                          "3: Wait|5|Untitled - *|Or", R"(4: Display Message|say "x"|T)"}));
}

void TestScriptFile::copyKeepsTheSequenceNumbers()
{
    QVERIFY(addRow(*m_ctx, TableId::Scripting, scriptLine(5, 10, "Send Keystrokes|x")).ok());
    QVERIFY(addRow(*m_ctx, TableId::Scripting, scriptLine(5, 20, "Exit Script")).ok());
    QVERIFY(script::CopyScript(*m_ctx, 5, 9));
    QCOMPARE(linesOf(9), (QStringList{"10: Send Keystrokes|x", "20: Exit Script"}));
    QCOMPARE(linesOf(5).size(), 2);
}

void TestScriptFile::clearAllAsksFirst()
{
    addLines(1, {"Send Keystrokes|a", "Send Keystrokes|b"});
    addLines(2, {"Send Keystrokes|kept"});
    m_data->messages().answerNext(Button::No);
    QVERIFY(!script::DeleteScript(*m_ctx, 1, true));
    QCOMPARE(linesOf(1).size(), 2);
    m_data->messages().answerNext(Button::Yes);
    QVERIFY(script::DeleteScript(*m_ctx, 1, true));
    QCOMPARE(m_data->messages().shown().back().caption, QString("Clear All"));
    QCOMPARE(m_data->messages().shown().back().text,
             QString("Delete all script items for the current task?"));
    QVERIFY(linesOf(1).isEmpty());
    // From the task form: no question.
    m_data->messages().clear();
    QVERIFY(script::DeleteScript(*m_ctx, 2, false));
    QVERIFY(m_data->messages().shown().empty());
    QVERIFY(linesOf(2).isEmpty());
}

void TestScriptFile::aFileThatCannotBeOpenedIsReported()
{
    addLines(1, {"Send Keystrokes|a"});
    QVERIFY(!script::ExportScript(*m_ctx, 1, m_data->path("no/such/folder/x.sws")));
    QVERIFY(!script::ImportScript(*m_ctx, 1, m_data->path("missing.sws")));
    QCOMPARE(m_data->messages().shown().size(), 2u);
    QCOMPARE(m_data->messages().shown().front().caption, QString("File Access Error"));
    QVERIFY(m_data->messages().halts().isEmpty());
    QCOMPARE(linesOf(1).size(), 1);
}

void TestScriptFile::theChosenFileIsOfferedAgain()
{
    const QString path = m_data->path("chosen.sws");
    QObject context;
    onNextModal(&context, [&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString("Export to File"));
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QCOMPARE(script::chooseScriptFile(script::ScriptFileUse::Export), path);
    QString offered;
    onNextModal(&context, [&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString("Choose File to Import"));
        offered = dialog->selectedFiles().value(0);
        dialog->reject();
    });
    QCOMPARE(script::chooseScriptFile(script::ScriptFileUse::Import), QString());
    QCOMPARE(offered, path);
}

QTEST_MAIN(TestScriptFile)
#include "tst_scriptfile.moc"
