#include "script/Actions.h"

namespace script {

namespace SCR = store::SCR;

const std::vector<ActionDef> &actionDefs()
{
    static const std::vector<ActionDef> defs{
        {Action::SendKeystrokes, "Send Keystrokes", {SCR::KEYSTROKES}, true},
        {Action::Wait,
         "Wait",
         {SCR::SECONDSTOWAIT, SCR::WAITFORWINDOW, SCR::DDEAPPLICATIONNAME},
         true},
        {Action::SetFocus, "Set Focus", {SCR::FOCUSONWINDOW}, true},
        {Action::IfWindow,
         "If Window...",
         {SCR::WINDOWEXISTANCE, SCR::WINDOWTITLETOCHECKFOR},
         true},
        {Action::IfTimeElapsed, "If Time Elapsed...", {SCR::IFTIMEELAPSED, SCR::TIMEELAPSED}, true},
        {Action::EndIf, "...End If", {}, true},
        {Action::DisplayMessage,
         "Display Message",
         {SCR::DDEAPPLICATIONNAME, SCR::DDEAPPLICATIONTOPIC},
         true},
        {Action::StartProgram,
         "Start Program",
         {SCR::COMMAND, SCR::PATH, SCR::DDEAPPLICATIONNAME, SCR::TIMEELAPSED},
         true},
        {Action::CloseProgram, "Close Program", {SCR::COMMAND}, true},
        {Action::ExitScript, "Exit Script", {}, false},
        {Action::ApplicationCommand,
         "DDE (Dynamic Data Exchange)",
         {SCR::DDETYPE, SCR::DDEAPPLICATIONNAME, SCR::DDEAPPLICATIONTOPIC, SCR::DDELINKITEM,
          SCR::DDECOMMAND},
         true},
        {Action::WaitForProgramEnd, "Wait for Program End", {}, false},
        {Action::End, "**End**", {}, false},
    };
    return defs;
}

const ActionDef *actionDefOf(const QString &name)
{
    for (const ActionDef &def : actionDefs()) {
        if (name == QLatin1String(def.name))
            return &def;
    }
    return nullptr;
}

Action actionOf(const QString &name)
{
    const ActionDef *def = actionDefOf(name);
    return def ? def->action : Action::Unknown;
}

QString actionName(Action action)
{
    for (const ActionDef &def : actionDefs()) {
        if (def.action == action)
            return QString::fromLatin1(def.name);
    }
    return QString();
}

} // namespace script
