#pragma once

#include <QString>

#include <vector>

namespace script {

// One thing the keystroke sender does.
struct KeyStep {
    enum Kind { Pause, Text, Key } kind;
    QString text; // Text: what to type
    int code = 0; // Key: the key code

    bool operator==(const KeyStep &) const = default;
};

// How a keystroke text is sent: rounds that each begin with the pause, plain text typed as it
// stands (at most `burst` characters a round where a bracket follows), bracketed key names
// sent as keys, the pause token as nothing but its round's pause, unknown names typed as
// written, and a "[" without its "]" dropped. A blank text sends nothing.
std::vector<KeyStep> planKeys(const QString &text, int burst);

} // namespace script
