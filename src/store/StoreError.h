#pragma once

#include <QString>

class QSqlError;

namespace store {

// The numbered conditions the program reacts to. Values are what messages show in parentheses.
enum class ErrorCode : int {
    None = 0,
    FileNotFound = 2,
    AccessDenied = 5,
    FileLocked = 32,
    RecordNotAvailable = 33, // read past the last record: the normal end of a scan
    RecordNotFound = 35,
    InvalidDataFile = 36,
    DuplicateKey = 40,
    InvalidPassword = 43,
    KeyMustBeRebuilt = 46,
    InvalidRecordDeclaration = 47,
    FileAlreadyOpen = 52,
    RecordChanged = 89,
    FileSystemError = 90, // carries the storage engine's own text and number
};

class StoreError final {
public:
    StoreError() = default;
    explicit StoreError(ErrorCode code) : m_code(code) {}
    static StoreError engine(const QString &text, int number);
    // Maps an SQLite failure reported through Qt to the condition the program tests.
    static StoreError fromSql(const QSqlError &error);

    ErrorCode code() const { return m_code; }
    bool ok() const { return m_code == ErrorCode::None; }
    bool is(ErrorCode c) const { return m_code == c; }

    // "Access Denied (5)"; for engine errors the engine's text and number.
    QString text() const;

private:
    ErrorCode m_code = ErrorCode::None;
    QString m_engineText;
    int m_engineNumber = 0;
};

QString errorCodeText(ErrorCode code);

} // namespace store
