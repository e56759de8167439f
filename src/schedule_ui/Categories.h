#pragma once

namespace toolkit {
struct FormDecl;
struct ListDecl;
} // namespace toolkit

// The task category windows.
namespace schedule_ui {

const toolkit::ListDecl &BrowseCategories();
const toolkit::ListDecl &SelectCategories();
const toolkit::FormDecl &UpdateCategories();

} // namespace schedule_ui
