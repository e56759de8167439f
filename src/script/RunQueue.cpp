#include "script/RunQueue.h"

#include "store/Tables.h"

namespace script {

namespace SCR = store::SCR;

Action QueueEntry::action() const
{
    return actionOf(line.text(SCR::ACTION));
}

bool isOrWait(const store::Record &line)
{
    return line.text(SCR::DDEAPPLICATIONNAME)
               .left(3)
               .trimmed()
               .compare(u"Or", Qt::CaseInsensitive) == 0;
}

std::vector<QueueEntry> planScript(const std::vector<store::Record> &lines, Moment now,
                                   const QueueEntry *last, int delay)
{
    Moment at = now.plus(2 * qint64(delay));
    if (last && at < last->run)
        at = last->run.plus(delay);
    const Moment reference = at;

    std::vector<QueueEntry> entries;
    entries.reserve(lines.size() + 1);
    for (const store::Record &line : lines) {
        const QString action = line.text(SCR::ACTION);
        if (action.startsWith(u"Wait")) {
            if (!isOrWait(line))
                at = at.plus(100 * line.number(SCR::SECONDSTOWAIT));
        } else if (!action.contains(u"...")) {
            at = at.plus(delay);
        }
        QueueEntry entry{line, at, {}};
        if (action.startsWith(u"If T"))
            entry.deadline = reference.plus(100 * line.number(SCR::TIMEELAPSED));
        entries.push_back(std::move(entry));
    }
    store::Record end(store::tableDef(store::TableId::Scripting));
    end.setText(SCR::ACTION, actionName(Action::End));
    entries.push_back({std::move(end), at, {}});
    return entries;
}

} // namespace script
