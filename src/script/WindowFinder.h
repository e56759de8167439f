#pragma once

#include "platform/WindowSystem.h"

#include <QString>

#include <vector>

namespace script {

// The titled top-level windows open now, front to back, hidden ones too; titles are cut to
// 253 characters.
std::vector<platform::TopLevelWindow> ListOpenWindows(platform::WindowSystem &windows);

// Whether a window title matches a script's title pattern, without regard to case or trailing
// blanks: the exact title, the first characters followed by "*" ("Untitled - *"), or "*"
// followed by a phrase found anywhere ("*Notepad"). A leading "~" (for waits until a window
// has gone) is not part of the pattern.
bool TitleMatches(const QString &pattern, const QString &title);

// The front window whose title matches the pattern, from a fresh list; 0 when none does.
platform::WindowId FindScriptWindow(platform::WindowSystem &windows, const QString &pattern);

} // namespace script
