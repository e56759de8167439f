#pragma once

#include "store/Record.h"

#include <QString>

#include <optional>

// Script text files: one script line a text line of six comma-separated, double-quoted fields
// (the action, then up to five values in the order each action lists them), so scripts can
// be kept, moved, or written with any editor.
namespace script::scriptfile {

inline constexpr int TypeChars = 20;
inline constexpr int ValueChars = 80;

// The file line of a script line, without its line end; nullopt for actions files leave out.
std::optional<QString> exportLine(const store::Record &line);

// The script line a file line holds, task and sequence blank; nullopt for a line of a type
// files do not carry. A field the line lacks is read as empty.
std::optional<store::Record> importLine(const QString &text);

} // namespace script::scriptfile
