#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace script {

// A key code: a virtual-key code in the low 8 bits, with Shift (0x100), Ctrl (0x200) and Alt
// (0x400) held as the bits say. The mouse buttons use 1 left, 2 right, 3 middle, and 5, 6, 7
// for their double clicks.
enum KeyBits : int { ShiftBit = 0x100, CtrlBit = 0x200, AltBit = 0x400 };

// The code of a bracketed key name, compared without regard to case after trailing blanks are
// dropped; nullopt for a name that is not a key. "PAUSE" is not a key but the pause token.
std::optional<int> keyCode(const QString &name);
bool isPauseToken(const QString &name);

// Every key name, in the order of the list shipped as KEYCODES.TXT.
const QStringList &keyNames();

} // namespace script
