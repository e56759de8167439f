#include "store/StoreError.h"

#include <QSqlError>

namespace store {

namespace {

// SQLite result codes, extended where Qt reports the extended one.
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;
constexpr int SqliteReadOnly = 8;
constexpr int SqliteNotADatabase = 26;
constexpr int SqliteBusyRecovery = 261;
constexpr int SqliteBusySnapshot = 517;
constexpr int SqliteConstraintPrimaryKey = 1555;
constexpr int SqliteConstraintUnique = 2067;

} // namespace

StoreError StoreError::engine(const QString &text, int number)
{
    StoreError e(ErrorCode::FileSystemError);
    e.m_engineText = text;
    e.m_engineNumber = number;
    return e;
}

StoreError StoreError::fromSql(const QSqlError &error)
{
    if (error.type() == QSqlError::NoError)
        return {};
    bool numeric = false;
    const int native = error.nativeErrorCode().toInt(&numeric);
    switch (numeric ? native : -1) {
    case SqliteBusy:
    case SqliteLocked:
    case SqliteBusyRecovery:
    case SqliteBusySnapshot:
        return StoreError(ErrorCode::FileLocked);
    case SqliteReadOnly:
        return StoreError(ErrorCode::AccessDenied);
    case SqliteNotADatabase:
        return StoreError(ErrorCode::InvalidDataFile);
    case SqliteConstraintPrimaryKey:
    case SqliteConstraintUnique:
        return StoreError(ErrorCode::DuplicateKey);
    default:
        break;
    }
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    return engine(text, numeric ? native : 0);
}

QString StoreError::text() const
{
    if (m_code == ErrorCode::FileSystemError)
        return QStringLiteral("%1 (%2)").arg(m_engineText).arg(m_engineNumber);
    return QStringLiteral("%1 (%2)").arg(errorCodeText(m_code)).arg(static_cast<int>(m_code));
}

QString errorCodeText(ErrorCode code)
{
    switch (code) {
    case ErrorCode::None:
        return QStringLiteral("No Error");
    case ErrorCode::FileNotFound:
        return QStringLiteral("File Not Found");
    case ErrorCode::AccessDenied:
        return QStringLiteral("Access Denied");
    case ErrorCode::FileLocked:
        return QStringLiteral("File Is Already Locked");
    case ErrorCode::RecordNotAvailable:
        return QStringLiteral("Record Not Available");
    case ErrorCode::RecordNotFound:
        return QStringLiteral("Record Not Found");
    case ErrorCode::InvalidDataFile:
        return QStringLiteral("Invalid Data File");
    case ErrorCode::DuplicateKey:
        return QStringLiteral("Creates Duplicate Key");
    case ErrorCode::InvalidPassword:
        return QStringLiteral("Invalid Password");
    case ErrorCode::KeyMustBeRebuilt:
        return QStringLiteral("Key File Must Be Rebuilt");
    case ErrorCode::InvalidRecordDeclaration:
        return QStringLiteral("Invalid Record Declaration");
    case ErrorCode::FileAlreadyOpen:
        return QStringLiteral("File Already Open");
    case ErrorCode::RecordChanged:
        return QStringLiteral("Record Changed By Another Station");
    case ErrorCode::FileSystemError:
        return QStringLiteral("File System Error");
    }
    return QString();
}

} // namespace store
