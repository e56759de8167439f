#pragma once

namespace toolkit {
struct FormDecl;
struct ListDecl;
} // namespace toolkit

// The holiday list that tasks excepting holidays keep clear of.
namespace scheduler {

const toolkit::ListDecl &BrowseHolidays();
const toolkit::FormDecl &UpdateHolidays();

} // namespace scheduler
