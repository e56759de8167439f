#pragma once

#include <QString>

namespace store {

// The path of `name` in `folder`, matched without regard to case against the files already
// there (stored names were written by a program whose file names ignored case); the name as
// given when no file matches.
QString resolveFileName(const QString &folder, const QString &name);

} // namespace store
