#include "script/ScriptStatus.h"

#include "script/RunQueue.h"

namespace script {

namespace SCR = store::SCR;

QString scriptStatus(const QueueEntry *head)
{
    if (!head)
        return QStringLiteral("Script completed");
    const QString name = head->text(SCR::ACTION) + u':';
    switch (head->action()) {
    case Action::StartProgram:
    case Action::WaitForProgramEnd:
        return name + head->text(SCR::COMMAND);
    case Action::SendKeystrokes:
        return name + head->text(SCR::KEYSTROKES);
    case Action::ApplicationCommand:
        return name + head->text(SCR::DDETYPE) + u' ' + head->text(SCR::DDEAPPLICATIONNAME) + u' ' +
               head->text(SCR::DDEAPPLICATIONTOPIC);
    case Action::SetFocus:
        return name + head->text(SCR::FOCUSONWINDOW);
    case Action::Wait: {
        const qint64 seconds = head->number(SCR::SECONDSTOWAIT);
        return name +
               (seconds != 0 ? QString::number(seconds) + QStringLiteral(" seconds ") : QString()) +
               head->text(SCR::WAITFORWINDOW);
    }
    case Action::IfWindow:
        return name + head->text(SCR::WINDOWTITLETOCHECKFOR);
    case Action::IfTimeElapsed:
        return name + QString::number(head->number(SCR::TIMEELAPSED)) + QStringLiteral(" seconds");
    default:
        return head->text(SCR::ACTION);
    }
}

} // namespace script
