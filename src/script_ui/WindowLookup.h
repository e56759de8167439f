#pragma once

namespace toolkit {
struct FormDecl;
struct ListDecl;
} // namespace toolkit

// The list of window titles seen on the desktop, offered where a script needs a title.
namespace script_ui {

const toolkit::ListDecl &BrowseWindowLookup();
const toolkit::FormDecl &UpdateWindowLookup();

} // namespace script_ui
