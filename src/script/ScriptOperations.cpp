#include "script/ScriptOperations.h"

#include "script/ScriptFile.h"
#include "script/ScriptLines.h"
#include "store/MessagePresenter.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/tables/Scripting.h"
#include "toolkit/ProgressWindow.h"

#include <QFile>
#include <QFileDialog>

#include <functional>
#include <vector>

namespace script {

namespace SCR = store::SCR;
using store::TableId;

namespace {

constexpr int LinesPerTick = 25;

const QString ErrorCaption = QStringLiteral("Error!");

QString &lastScriptFile()
{
    static QString name;
    return name;
}

// Runs `each` over the items in a progress window, a few a tick; `each` returns false to end
// the job early. False when cancelled or ended early.
template <typename Item>
bool inProgress(const std::vector<Item> &items, const QString &activity, QWidget *parent,
                const std::function<bool(const Item &)> &each)
{
    size_t done = 0;
    bool ended = false;
    toolkit::ProgressWindow window(
        qint64(items.size()), LinesPerTick,
        [&](int units) {
            for (int i = 0; i < units && done < items.size(); ++i) {
                if (!each(items[done++])) {
                    ended = true;
                    done = items.size();
                }
            }
            return qint64(done);
        },
        parent, QStringLiteral("Processing Records"));
    window.setActivity(activity);
    return window.run() && !ended;
}

std::vector<store::Record> taskLines(store::RecordContext &ctx, qint64 taskId)
{
    std::vector<store::Record> lines;
    const store::StoreError e =
        readScriptLines(*ctx.connection(TableId::Scripting), taskId, &lines);
    if (!e.ok()) {
        store::MessageArgs args;
        args.error = e;
        args.file = SCR::table().storedName();
        ctx.messages().show(15, args);
    }
    return lines;
}

// A script file that cannot be opened is reported; the program goes on.
void reportFileError(store::RecordContext &ctx, const QFile &file)
{
    ctx.messages().notify(QStringLiteral("File Access Error"),
                          QStringLiteral("File (%1) could not be opened.  Error: %2.")
                              .arg(file.fileName(), file.errorString()));
}

bool addLine(store::RecordContext &ctx, store::Record line)
{
    const store::StoreError e = store::addRecord(*ctx.connection(TableId::Scripting), &line);
    if (!e.ok())
        ctx.messages().notify(ErrorCaption, QStringLiteral("Error adding script item ") + e.text());
    return true; // the next line is tried all the same
}

} // namespace

bool ExportScript(store::RecordContext &ctx, qint64 taskId, const QString &path, QWidget *parent)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        reportFileError(ctx, file);
        return false;
    }
    return inProgress<store::Record>(
        taskLines(ctx, taskId), QStringLiteral("Exporting Script Items"), parent,
        [&](const store::Record &line) {
            const std::optional<QString> text = scriptfile::exportLine(line);
            if (text && (file.write(text->toUtf8() + "\r\n") < 0 || !file.flush()))
                ctx.messages().notify(ErrorCaption, QStringLiteral("Error exporting script item ") +
                                                        file.errorString());
            return true;
        });
}

bool ImportScript(store::RecordContext &ctx, qint64 taskId, const QString &path, QWidget *parent)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportFileError(ctx, file);
        return false;
    }
    std::vector<QString> texts;
    for (QByteArray &raw : file.readAll().split('\n')) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        texts.push_back(QString::fromUtf8(raw));
    }
    qint64 sequence = lastScriptSequence(*ctx.connection(TableId::Scripting), taskId);
    return inProgress<QString>(texts, QStringLiteral("Importing Script Items"), parent,
                               [&](const QString &text) {
                                   std::optional<store::Record> line = scriptfile::importLine(text);
                                   if (!line)
                                       return true;
                                   line->setNumber(SCR::ID, taskId);
                                   line->setNumber(SCR::Sequence, ++sequence);
                                   return addLine(ctx, std::move(*line));
                               });
}

bool DeleteScript(store::RecordContext &ctx, qint64 taskId, bool confirm, QWidget *parent)
{
    if (confirm && ctx.messages().ask(QStringLiteral("Clear All"),
                                      QStringLiteral("Delete all script items for the current "
                                                     "task?")) != store::Button::Yes)
        return false;
    return inProgress<store::Record>(
        taskLines(ctx, taskId), QStringLiteral("Deleting Script"), parent,
        [&](const store::Record &line) {
            const store::StoreError e = store::deleteRecord(*ctx.connection(TableId::Scripting),
                                                            SCR::table(), line.position());
            if (e.ok())
                return true;
            ctx.messages().show(17, store::argsFor(TableId::Scripting, e));
            return false;
        });
}

bool CopyScript(store::RecordContext &ctx, qint64 fromTask, qint64 toTask, QWidget *parent)
{
    return inProgress<store::Record>(taskLines(ctx, fromTask), QStringLiteral("Copying Script"),
                                     parent, [&](const store::Record &line) {
                                         store::Record copy = line;
                                         copy.setStored(0, 0);
                                         copy.setNumber(SCR::ID, toTask);
                                         return addLine(ctx, std::move(copy));
                                     });
}

QString chooseScriptFile(ScriptFileUse use, QWidget *parent)
{
    const QString filters = QStringLiteral("Export File (*.sws);;Text (*.txt);;All (*)");
    const QString name =
        use == ScriptFileUse::Export
            ? QFileDialog::getSaveFileName(parent, QStringLiteral("Export to File"),
                                           lastScriptFile(), filters, nullptr,
                                           QFileDialog::DontConfirmOverwrite)
            : QFileDialog::getOpenFileName(parent, QStringLiteral("Choose File to Import"),
                                           lastScriptFile(), filters);
    if (!name.isEmpty())
        lastScriptFile() = name;
    return name;
}

} // namespace script
