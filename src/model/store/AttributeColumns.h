#pragma once

#include "analytics/Instant.h"
#include "analytics/Uuid.h"
#include "model/store/SqliteStatement.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

// How each attribute type is stored: UUIDs as 16-byte blobs, instants as integer milliseconds
// since 1970 UTC, doubles as REAL (NaN as NULL), strings as TEXT, integers as INTEGER; an absent
// optional as NULL.

// The column type of each attribute type, as the schema declares it.
template <class T>
constexpr std::string_view columnType = {};
template <>
inline constexpr std::string_view columnType<std::optional<Uuid>> = "BLOB";
template <>
inline constexpr std::string_view columnType<std::optional<Instant>> = "INTEGER";
template <>
inline constexpr std::string_view columnType<std::optional<QString>> = "TEXT";
template <>
inline constexpr std::string_view columnType<double> = "REAL";
template <>
inline constexpr std::string_view columnType<std::int32_t> = "INTEGER";
template <>
inline constexpr std::string_view columnType<std::int16_t> = "INTEGER";

inline void bindAttribute(SqliteStatement& statement, int index, const std::optional<Uuid>& value)
{
    if (value)
        statement.bindBlob(index, value->bytes);
    else
        statement.bindNull(index);
}

inline void bindAttribute(SqliteStatement& statement, int index, const std::optional<Instant>& value)
{
    if (value)
        statement.bindInt64(index, millisecondsOf(*value));
    else
        statement.bindNull(index);
}

inline void bindAttribute(SqliteStatement& statement, int index, const std::optional<QString>& value)
{
    if (value)
        statement.bindText(index, *value);
    else
        statement.bindNull(index);
}

inline void bindAttribute(SqliteStatement& statement, int index, double value) { statement.bindDouble(index, value); }
inline void bindAttribute(SqliteStatement& statement, int index, std::int32_t value) { statement.bindInt64(index, value); }
inline void bindAttribute(SqliteStatement& statement, int index, std::int16_t value) { statement.bindInt64(index, value); }

inline void readAttribute(const SqliteStatement& statement, int column, std::optional<Uuid>& value)
{
    const auto bytes = statement.columnBlob(column);
    if (bytes.size() != Uuid{}.bytes.size()) {
        value.reset();
        return;
    }
    Uuid id;
    std::copy(bytes.begin(), bytes.end(), id.bytes.begin());
    value = id;
}

inline void readAttribute(const SqliteStatement& statement, int column, std::optional<Instant>& value)
{
    if (const auto milliseconds = statement.columnOptionalInt64(column))
        value = instantFromMilliseconds(*milliseconds);
    else
        value.reset();
}

inline void readAttribute(const SqliteStatement& statement, int column, std::optional<QString>& value)
{
    value = statement.columnOptionalText(column);
}

inline void readAttribute(const SqliteStatement& statement, int column, double& value) { value = statement.columnDouble(column); }
// The schema's CHECK constraints keep stored integers inside the attribute's width.
inline void readAttribute(const SqliteStatement& statement, int column, std::int32_t& value)
{
    value = static_cast<std::int32_t>(statement.columnInt64(column));
}
inline void readAttribute(const SqliteStatement& statement, int column, std::int16_t& value)
{
    value = static_cast<std::int16_t>(statement.columnInt64(column));
}
