#pragma once

#include <QString>

class QWidget;

namespace store {
class RecordContext;
}

// Work on all lines of one task's script at once, each in a progress window that can be
// cancelled after any line. The context needs Scripting open.
namespace script {

// Appends the task's lines to the script file, creating it when missing. False when the file
// cannot be opened or the user cancelled.
bool ExportScript(store::RecordContext &ctx, qint64 taskId, const QString &path,
                  QWidget *parent = nullptr);
// Adds the file's lines to the end of the task's script.
bool ImportScript(store::RecordContext &ctx, qint64 taskId, const QString &path,
                  QWidget *parent = nullptr);
// Deletes every line of the task, after asking first when `confirm` is set.
bool DeleteScript(store::RecordContext &ctx, qint64 taskId, bool confirm,
                  QWidget *parent = nullptr);
// Copies every line of one task to another, sequence numbers kept.
bool CopyScript(store::RecordContext &ctx, qint64 fromTask, qint64 toTask,
                QWidget *parent = nullptr);

enum class ScriptFileUse { Export, Import };
// Asks for the script file to write or read, offering the name chosen last in this run of
// the program; blank when the user cancelled.
QString chooseScriptFile(ScriptFileUse use, QWidget *parent = nullptr);

} // namespace script
