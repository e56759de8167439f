#pragma once

#include <QString>

namespace store {

class RecordContext;

// Reads a named setting from the Configuration table. A name the table does not hold yet is
// read from section "Settings" of TL97.INI (of the user profile when fromProfile is set); a
// value found there is taken over into the table, so the file is consulted once. Blank when
// there is none; a failing read shows its message and yields the default.
QString GetConfig(RecordContext &ctx, const QString &name, const QString &defaultValue = QString(),
                  bool fromProfile = false);
// Writes a named setting into the Configuration table; a failure shows its message.
void PutConfig(RecordContext &ctx, const QString &name, const QString &value);
// Reads every setting into settings(), with the limits each one has.
void LoadSettings(RecordContext &ctx);
// Makes the in-memory settings permanent, as the options window's OK does: writes them in
// its order (a repeat interval of 1 to 4 seconds raised to 5), reads back the scripting
// limits, tells the user once the date format changed, and writes the date format.
void SaveSettings(RecordContext &ctx, const QString &dateFormatWhenOpened);

// The setting as a number or flag the way stored text is read: anything that is not a whole
// number counts as 0, and a flag is on when its number is not 0.
int configNumber(const QString &value);

} // namespace store
