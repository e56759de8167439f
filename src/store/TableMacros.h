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

// Defines namespace store::PREFIX with the Field and Key enumerations and table(), the TableDef,
// from PREFIX_FIELDS and PREFIX_KEYS. autoNumberKey is the key a form numbers new records by
// (-1 for none); formRecall says whether its form keeps the user's input on a lost save.
#define STORE_DEFINE_TABLE(PREFIX, ID, LABEL, INTERNAL, SPELLING, VERSION, AUTONUMBERKEY,          \
                           FORMRECALL)                                                             \
    namespace store::PREFIX {                                                                      \
    enum Field : int { PREFIX##_FIELDS(STORE_FIELD_ENUM) };                                        \
    enum Key : int { PREFIX##_KEYS(STORE_KEY_ENUM) };                                              \
    inline const TableDef &table()                                                                 \
    {                                                                                              \
        static const TableDef def{TableId::ID,                                                     \
                                  LABEL,                                                           \
                                  #PREFIX,                                                         \
                                  INTERNAL,                                                        \
                                  SPELLING,                                                        \
                                  VERSION,                                                         \
                                  {PREFIX##_FIELDS(STORE_FIELD_DEF)},                              \
                                  {PREFIX##_KEYS(STORE_KEY_DEF)},                                  \
                                  AUTONUMBERKEY,                                                   \
                                  FORMRECALL};                                                     \
        return def;                                                                                \
    }                                                                                              \
    }
