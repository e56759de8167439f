#pragma once

#include <QString>

#include <vector>

namespace store {

// Storage types of a field. Date and Time are LONG values with the program's day-number and
// hundredths-of-a-second conventions; they are kept apart so lists and pictures can tell them.
enum class FieldType { String, CString, Byte, Short, Long, Decimal, Date, Time, Memo };

struct FieldDef {
    const char *name; // column name: the field name after its prefix, case kept
    FieldType type;
    int width; // characters of text and memos, bytes of DECIMAL, 0 otherwise

    bool isText() const;
    // Characters a text field keeps: CSTRING(n) holds n-1 characters before its terminator.
    int maxChars() const;
    // Bytes the field takes in the fixed part of a record (memos take none).
    int recordBytes() const;
};

enum KeyFlag : unsigned {
    Unique = 1u << 0,
    NoCase = 1u << 1,    // text components compare after case folding
    BlanksOut = 1u << 2, // records whose components are all blank or zero are not in the key
    Primary = 1u << 3,
};

struct KeyDef {
    const char *name;        // the key name after its prefix, e.g. "KEYDATEENABLED"
    unsigned flags;          // KeyFlag values
    const char *displayName; // what duplicate-key messages call it; nullptr = the full key name
    std::vector<int> components;

    bool has(KeyFlag f) const { return (flags & f) != 0; }
};

enum class TableId {
    Categories,
    Clipboard,
    Configuration,
    Contact,
    ContactCategories,
    Holidays,
    Link,
    Schedule,
    Scripting,
    Todo,
    WindowLookup,
    TagFile,
};

struct TableDef {
    TableId id;
    const char *label;        // the table's label in messages, e.g. "Schedule"
    const char *prefix;       // field prefix without the colon, e.g. "SCH"
    const char *internalName; // the SQL table name, fixed because files store it
    const char *fileSpelling; // how the program names the file in stored names
    int version;              // layout version; 0 for work tables that are not registered
    std::vector<FieldDef> fields;
    std::vector<KeyDef> keys;
    int autoNumberKey = -1;  // key whose last component a form numbers on insert
    bool formRecall = false; // its form keeps the user's input when another station won

    // The name messages 1 to 5 and 30 show, e.g. "TL97\!S".
    QString storedName() const;
    QString fieldName(int field) const; // "SCH:Description"
    QString keyName(int key) const;     // "SCH:KEYDATE"
    QString keyDisplayName(int key) const;
    int fieldIndex(const QString &columnName) const; // -1 when unknown
    int recordBytes() const;
    int memoCount() const;
};

} // namespace store
