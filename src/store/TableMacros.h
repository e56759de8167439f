#pragma once

// Each table is declared once as two lists, FIELDS(F) and KEYS(K); these expand them into the
// enumerations other code names fields and keys by, and into the TableDef the store derives
// its SQL from. Field order is the record layout.
#define STORE_FIELD_ENUM(name, type, width) name,
#define STORE_FIELD_DEF(name, type, width)                                                         \
    ::store::FieldDef{#name, ::store::FieldType::type, width},
#define STORE_KEY_ENUM(name, flags, display, ...) name,
#define STORE_KEY_DEF(name, flags, display, ...)                                                   \
    ::store::KeyDef{#name, static_cast<unsigned>(flags), display, {__VA_ARGS__}},
