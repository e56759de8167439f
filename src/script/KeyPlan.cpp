#include "script/KeyPlan.h"

#include "script/KeyNames.h"
#include "store/Text.h"

namespace script {

std::vector<KeyStep> planKeys(const QString &text, int burst)
{
    std::vector<KeyStep> steps;
    QString rest = text;
    while (!rest.trimmed().isEmpty()) {
        steps.push_back({KeyStep::Pause, {}, 0});
        const qsizetype open = rest.indexOf(u'[');
        if (open < 0) {
            steps.push_back({KeyStep::Text, store::withoutTrailingBlanks(rest), 0});
            break;
        }
        if (open > 0) {
            const qsizetype n = std::min<qsizetype>(open, std::max(burst, 1));
            steps.push_back({KeyStep::Text, rest.left(n), 0});
            rest.remove(0, n);
            continue;
        }
        rest.remove(0, 1);
        const qsizetype close = rest.indexOf(u']');
        if (close < 0)
            continue;
        const QString name = rest.left(close);
        rest.remove(0, close + 1);
        if (const std::optional<int> code = keyCode(name))
            steps.push_back({KeyStep::Key, {}, *code});
        else if (!isPauseToken(name))
            steps.push_back({KeyStep::Text, name, 0});
    }
    return steps;
}

} // namespace script
