#include "script/KeyNames.h"

#include "store/Text.h"

#include <QHash>

#include <utility>
#include <vector>

namespace script {

namespace {

using Named = std::pair<QString, int>;

// The keys every modifier prefix is written before.
std::vector<Named> baseKeys()
{
    std::vector<Named> keys;
    for (int d = 0; d <= 9; ++d)
        keys.push_back({QString::number(d), 0x30 + d});
    for (char c = 'A'; c <= 'Z'; ++c)
        keys.push_back({QString(QLatin1Char(c)), int(c)});
    for (int f = 1; f <= 12; ++f)
        keys.push_back({QStringLiteral("F%1").arg(f), 0x6F + f});
    for (int d = 0; d <= 9; ++d)
        keys.push_back({QStringLiteral("PAD%1").arg(d), 0x60 + d});
    const Named named[] = {
        {QStringLiteral("AST"), 0x6A},      {QStringLiteral("PLUS"), 0x6B},
        {QStringLiteral("MINUS"), 0x6D},    {QStringLiteral("DECIMAL"), 0x6E},
        {QStringLiteral("SLASH"), 0x6F},    {QStringLiteral("BS"), 0x08},
        {QStringLiteral("TAB"), 0x09},      {QStringLiteral("ENTER"), 0x0D},
        {QStringLiteral("PAUSE"), 0x13},    {QStringLiteral("ESC"), 0x1B},
        {QStringLiteral("SPACE"), 0x20},    {QStringLiteral("PGUP"), 0x21},
        {QStringLiteral("PGDN"), 0x22},     {QStringLiteral("END"), 0x23},
        {QStringLiteral("HOME"), 0x24},     {QStringLiteral("LEFT"), 0x25},
        {QStringLiteral("UP"), 0x26},       {QStringLiteral("RIGHT"), 0x27},
        {QStringLiteral("DOWN"), 0x28},     {QStringLiteral("PRINT"), 0x2C},
        {QStringLiteral("INSERT"), 0x2D},   {QStringLiteral("DELETE"), 0x2E},
        {QStringLiteral("MOUSELEFT"), 1},   {QStringLiteral("MOUSERIGHT"), 2},
        {QStringLiteral("MOUSECENTER"), 3}, {QStringLiteral("MOUSELEFT2"), 5},
        {QStringLiteral("MOUSERIGHT2"), 6}, {QStringLiteral("MOUSECENTER2"), 7},
    };
    keys.insert(keys.end(), std::begin(named), std::end(named));
    return keys;
}

// Names without modifiers.
std::vector<Named> unmodifiedKeys()
{
    std::vector<Named> keys;
    for (char c = 'A'; c <= 'Z'; ++c)
        keys.push_back({QString(QLatin1Char(c)) + QStringLiteral("KEY"), int(c)});
    for (int d = 0; d <= 9; ++d)
        keys.push_back({QStringLiteral("KEY%1").arg(d), 0x30 + d});
    for (int d = 0; d <= 9; ++d)
        keys.push_back({QStringLiteral("KEYPAD%1").arg(d), 0x60 + d});
    for (int f = 1; f <= 12; ++f) {
        keys.push_back({QStringLiteral("F%1KEY").arg(f), 0x6F + f});
        keys.push_back({QStringLiteral("F%1").arg(f), 0x6F + f});
    }
    const Named named[] = {
        {QStringLiteral("ASTKEY"), 0x6A},    {QStringLiteral("PLUSKEY"), 0x6B},
        {QStringLiteral("MINUSKEY"), 0x6D},  {QStringLiteral("DECIMALKEY"), 0x6E},
        {QStringLiteral("SLASHKEY"), 0x6F},  {QStringLiteral("BSKEY"), 0x08},
        {QStringLiteral("TABKEY"), 0x09},    {QStringLiteral("TAB"), 0x09},
        {QStringLiteral("ENTERKEY"), 0x0D},  {QStringLiteral("ENTER"), 0x0D},
        {QStringLiteral("PAUSEKEY"), 0x13},  {QStringLiteral("CAPSLOCKKEY"), 0x14},
        {QStringLiteral("ESCKEY"), 0x1B},    {QStringLiteral("ESC"), 0x1B},
        {QStringLiteral("SPACEKEY"), 0x20},  {QStringLiteral("SPACE"), 0x20},
        {QStringLiteral("PGUPKEY"), 0x21},   {QStringLiteral("PGDNKEY"), 0x22},
        {QStringLiteral("ENDKEY"), 0x23},    {QStringLiteral("HOMEKEY"), 0x24},
        {QStringLiteral("LEFTKEY"), 0x25},   {QStringLiteral("LEFT"), 0x25},
        {QStringLiteral("UPKEY"), 0x26},     {QStringLiteral("UP"), 0x26},
        {QStringLiteral("RIGHTKEY"), 0x27},  {QStringLiteral("RIGHT"), 0x27},
        {QStringLiteral("DOWNKEY"), 0x28},   {QStringLiteral("DOWN"), 0x28},
        {QStringLiteral("PRINTKEY"), 0x2C},  {QStringLiteral("INSERTKEY"), 0x2D},
        {QStringLiteral("DELETEKEY"), 0x2E}, {QStringLiteral("MOUSELEFT"), 1},
        {QStringLiteral("MOUSERIGHT"), 2},   {QStringLiteral("MOUSECENTER"), 3},
        {QStringLiteral("MOUSELEFT2"), 5},   {QStringLiteral("MOUSERIGHT2"), 6},
        {QStringLiteral("MOUSECENTER2"), 7},
    };
    keys.insert(keys.end(), std::begin(named), std::end(named));
    return keys;
}

struct Table {
    QStringList names;
    QHash<QString, int> codes;
};

const Table &table()
{
    static const Table t = [] {
        Table built;
        const std::pair<const char *, int> prefixes[] = {{"SHIFT", ShiftBit},
                                                         {"CTRL", CtrlBit},
                                                         {"ALT", AltBit},
                                                         {"CTRLSHIFT", CtrlBit | ShiftBit},
                                                         {"ALTSHIFT", AltBit | ShiftBit},
                                                         {"CTRLALT", CtrlBit | AltBit}};
        const std::vector<Named> base = baseKeys();
        for (const auto &[prefix, bits] : prefixes) {
            for (const auto &[name, code] : base) {
                const QString full = QLatin1String(prefix) + name;
                built.names << full;
                built.codes.insert(full, code | bits);
            }
        }
        for (const auto &[name, code] : unmodifiedKeys()) {
            built.names << name;
            built.codes.insert(name, code);
        }
        return built;
    }();
    return t;
}

} // namespace

std::optional<int> keyCode(const QString &name)
{
    const auto it = table().codes.constFind(store::withoutTrailingBlanks(name).toUpper());
    if (it == table().codes.constEnd())
        return std::nullopt;
    return *it;
}

bool isPauseToken(const QString &name)
{
    return store::withoutTrailingBlanks(name).toUpper() == QLatin1String("PAUSE");
}

const QStringList &keyNames()
{
    return table().names;
}

} // namespace script
