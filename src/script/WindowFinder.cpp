#include "script/WindowFinder.h"

#include "store/Text.h"

namespace script {

namespace {

constexpr int TitleChars = 253;

} // namespace

std::vector<platform::TopLevelWindow> ListOpenWindows(platform::WindowSystem &windows)
{
    std::vector<platform::TopLevelWindow> list = windows.topLevelWindows();
    for (platform::TopLevelWindow &w : list)
        w.title.truncate(TitleChars);
    return list;
}

bool TitleMatches(const QString &pattern, const QString &title)
{
    QString p = store::withoutTrailingBlanks(pattern).toUpper();
    if (p.startsWith(u'~'))
        p.remove(0, 1);
    const QString t = store::withoutTrailingBlanks(title).toUpper();
    if (p == t)
        return true;
    const qsizetype star = p.indexOf(u'*');
    if (star < 0)
        return false;
    if (star > 0)
        return t.left(star) == p.left(star);
    const QString phrase = store::withoutTrailingBlanks(p.mid(1));
    return !phrase.isEmpty() && t.contains(phrase);
}

platform::WindowId FindScriptWindow(platform::WindowSystem &windows, const QString &pattern)
{
    for (const platform::TopLevelWindow &w : ListOpenWindows(windows)) {
        if (TitleMatches(pattern, w.title))
            return w.id;
    }
    return 0;
}

} // namespace script
