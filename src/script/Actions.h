#pragma once

#include "store/tables/Scripting.h"

#include <QString>

#include <vector>

namespace script {

// What a script line does, by the name stored in its action field.
enum class Action {
    SendKeystrokes,
    Wait,
    SetFocus,
    IfWindow,
    IfTimeElapsed,
    EndIf,
    DisplayMessage,
    StartProgram,
    CloseProgram,
    ExitScript,
    ApplicationCommand,
    // Only in the run queue: a started program being waited for, and the end of a script.
    WaitForProgramEnd,
    End,
    Unknown,
};

// An action with its stored name and the line's fields that a script file carries for it,
// in file order; an action with no file fields is not written to script files.
struct ActionDef {
    Action action;
    const char *name;
    std::vector<store::SCR::Field> fileFields;
    bool exported;
};

// Every action: those a user may put into a script first, in the order they are offered.
const std::vector<ActionDef> &actionDefs();

// The declaration of a stored name, exactly as written; nullptr for anything else.
const ActionDef *actionDefOf(const QString &name);
// The action of a stored name, exactly as written; Unknown for anything else.
Action actionOf(const QString &name);
QString actionName(Action action);

} // namespace script
