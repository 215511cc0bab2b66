#include "model/store/SqliteStatement.h"

#include "model/store/SqliteDatabase.h"

#include <sqlite3.h>

#include <QStringEncoder>

#include <algorithm>
#include <limits>
#include <utility>

Result<SqliteStatement> SqliteStatement::prepare(SqliteDatabase& database, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(database.handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
        return database.lastError(sql);
    return SqliteStatement(statement, &database);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : statement_(std::exchange(other.statement_, nullptr)), database_(other.database_), textBuffers_(std::move(other.textBuffers_))
{
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(statement_);
        statement_ = std::exchange(other.statement_, nullptr);
        database_ = other.database_;
        textBuffers_ = std::move(other.textBuffers_);
    }
    return *this;
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

void SqliteStatement::bindNull(int index) { sqlite3_bind_null(statement_, index); }

void SqliteStatement::bindInt64(int index, std::int64_t value) { sqlite3_bind_int64(statement_, index, value); }

void SqliteStatement::bindDouble(int index, double value)
{
    // SQLite turns NaN into NULL; binding NULL ourselves keeps that explicit (read back as NaN).
    if (value != value)
        sqlite3_bind_null(statement_, index);
    else
        sqlite3_bind_double(statement_, index, value);
}

void SqliteStatement::bindBlob(int index, std::span<const std::uint8_t> bytes)
{
    sqlite3_bind_blob(statement_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
}

void SqliteStatement::bindText(int index, const QString& text)
{
    // Encoded here into a buffer kept for the parameter: SQLite would otherwise convert
    // UTF-16 into a fresh allocation of its own on every row.
    if (textBuffers_.size() < static_cast<std::size_t>(index))
        textBuffers_.resize(static_cast<std::size_t>(index));
    std::vector<char>& buffer = textBuffers_[static_cast<std::size_t>(index - 1)];
    QStringEncoder encoder(QStringEncoder::Utf8);
    buffer.resize(static_cast<std::size_t>(std::max<qsizetype>(encoder.requiredSpace(text.size()), 1)));
    const char* end = encoder.appendToBuffer(buffer.data(), text);
    sqlite3_bind_text(statement_, index, buffer.data(), static_cast<int>(end - buffer.data()), SQLITE_STATIC);
}

Result<bool> SqliteStatement::step()
{
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    Error error = database_->lastError(sqlite3_sql(statement_));
    sqlite3_reset(statement_);
    return error;
}

void SqliteStatement::reset() { sqlite3_reset(statement_); }

// Each column is fetched once with sqlite3_column_value and read with the cheaper
// sqlite3_value_* calls: loading a million rows makes a dozen such reads per row.

std::int64_t SqliteStatement::columnInt64(int column) const { return sqlite3_column_int64(statement_, column); }

double SqliteStatement::columnDouble(int column) const
{
    sqlite3_value* value = sqlite3_column_value(statement_, column);
    if (sqlite3_value_type(value) == SQLITE_NULL)
        return std::numeric_limits<double>::quiet_NaN();
    return sqlite3_value_double(value);
}

std::optional<std::int64_t> SqliteStatement::columnOptionalInt64(int column) const
{
    sqlite3_value* value = sqlite3_column_value(statement_, column);
    if (sqlite3_value_type(value) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_value_int64(value);
}

std::span<const std::uint8_t> SqliteStatement::columnBlob(int column) const
{
    sqlite3_value* value = sqlite3_column_value(statement_, column);
    const auto* data = static_cast<const std::uint8_t*>(sqlite3_value_blob(value));
    return {data, static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

std::optional<QString> SqliteStatement::columnOptionalText(int column) const
{
    sqlite3_value* value = sqlite3_column_value(statement_, column);
    if (sqlite3_value_type(value) == SQLITE_NULL)
        return std::nullopt;
    // The file's own UTF-8, decoded once by Qt (asking SQLite for UTF-16 would convert twice).
    const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(data, sqlite3_value_bytes(value));
}
