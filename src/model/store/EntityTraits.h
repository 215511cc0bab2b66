#pragma once

#include "model/BalanceEntry.h"
#include "model/EntityDescription.h"
#include "model/TSXYear.h"

#include <array>
#include <cstddef>
#include <string_view>

// SQL text composed at compile time (too long a text does not compile).
class SqlText {
public:
    static constexpr std::size_t capacity = 256;

    constexpr SqlText& operator<<(std::string_view part)
    {
        for (char c : part) {
            if (size_ == capacity)
                throw "SQL text longer than SqlText::capacity";
            text_[size_++] = c;
        }
        return *this;
    }
    // A parameter number, "?n".
    constexpr SqlText& parameter(int number)
    {
        *this << "?";
        char digits[4]{};
        int count = 0;
        do {
            digits[count++] = char('0' + number % 10);
            number /= 10;
        } while (number > 0);
        while (count > 0)
            *this << std::string_view(&digits[--count], 1);
        return *this;
    }
    constexpr const char* c_str() const { return text_.data(); }
    constexpr std::string_view view() const { return {text_.data(), size_}; }

private:
    std::array<char, capacity + 1> text_{};
    std::size_t size_ = 0;
};

// The code of an entity in ChangeLog.entity (the triggers of the schema use the same numbers).
template <class Entity>
constexpr int changeLogCode = -1;
template <>
inline constexpr int changeLogCode<BalanceEntry> = 0;
template <>
inline constexpr int changeLogCode<TSXYear> = 1;

// What the generic store code needs to know about one entity: its SQL, composed from the
// entity's attribute table. Column order everywhere is the attribute order, after the row key
// `pk`.
template <class Entity>
struct EntityTraits {
    using Values = typename Entity::Values;
    static constexpr int logCode = changeLogCode<Entity>;
    static_assert(logCode >= 0, "a stored entity needs its ChangeLog code");

    // "pk, id, date, ..." (with the row key) or "id, date, ..." (without).
    static constexpr SqlText columns(bool withRowKey)
    {
        SqlText text;
        if (withRowKey)
            text << "pk";
        forEachAttribute<Entity>([&](auto index, const auto& attribute) {
            text << (index == 0 && !withRowKey ? "" : ", ") << attribute.name;
        });
        return text;
    }
    // "SELECT <the attributes' columns> FROM <table><tail>".
    template <std::size_t N>
    static constexpr SqlText selectColumns(const std::array<typename Entity::Attribute, N>& attributes, std::string_view tail)
    {
        SqlText text;
        text << "SELECT ";
        for (std::size_t column = 0; column < N; ++column)
            withAttributeName(attributes[column], [&](std::string_view name) { text << (column ? ", " : "") << name; });
        text << " FROM " << Entity::entityName << tail;
        return text;
    }
    template <class Visitor>
    static constexpr void withAttributeName(int attribute, Visitor&& visit)
    {
        forEachAttribute<Entity>([&](auto index, const auto& description) {
            if (index == attribute)
                visit(description.name);
        });
    }
    static constexpr SqlText select(std::string_view tail)
    {
        SqlText text;
        text << "SELECT " << columns(true).view() << " FROM " << Entity::entityName << tail;
        return text;
    }
    static constexpr SqlText insertText()
    {
        SqlText text;
        text << "INSERT INTO " << Entity::entityName << " (" << columns(false).view() << ", pk) VALUES (";
        for (int parameter = 1; parameter <= Entity::attributeCount + 1; ++parameter)
            (parameter > 1 ? text << ", " : text).parameter(parameter);
        text << ")";
        return text;
    }
    static constexpr SqlText updateText(int attribute)
    {
        SqlText text;
        withAttributeName(attribute, [&](std::string_view name) { text << "UPDATE " << Entity::entityName << " SET " << name << " = ?1 WHERE pk = ?2"; });
        return text;
    }
    static constexpr SqlText around(std::string_view head, std::string_view tail)
    {
        SqlText text;
        text << head << Entity::entityName << tail;
        return text;
    }
    static constexpr auto updateTexts = [] {
        std::array<SqlText, Entity::attributeCount> texts;
        for (int attribute = 0; attribute < Entity::attributeCount; ++attribute)
            texts[std::size_t(attribute)] = updateText(attribute);
        return texts;
    }();

    static constexpr SqlText selectAllText = select(" ORDER BY pk");
    static constexpr SqlText selectAfterText = select(" WHERE pk > ?1 ORDER BY pk");
    static constexpr SqlText selectOneText = select(" WHERE pk = ?1");
    // Parameters in attribute order, then the row key.
    static constexpr SqlText insertSql = insertText();
    static constexpr SqlText removeText = around("DELETE FROM ", " WHERE pk = ?1");
    static constexpr SqlText countText = around("SELECT count(*) FROM ", "");
    static constexpr SqlText lastRowIdText = [] {
        SqlText sql;
        sql << "SELECT max(coalesce((SELECT last FROM RowSequence WHERE entity = '" << Entity::entityName << "'), 0),"
            << " coalesce((SELECT max(pk) FROM " << Entity::entityName << "), 0))";
        return sql;
    }();
    static constexpr SqlText setLastRowIdText = around("INSERT OR REPLACE INTO RowSequence (entity, last) VALUES ('", "', ?1)");

    static constexpr const char* selectAll = selectAllText.c_str();
    static constexpr const char* selectAfter = selectAfterText.c_str();
    static constexpr const char* selectOne = selectOneText.c_str();
    static constexpr const char* insert = insertSql.c_str();
    static constexpr const char* remove = removeText.c_str();
    static constexpr const char* count = countText.c_str();
    static constexpr const char* lastRowId = lastRowIdText.c_str();
    static constexpr const char* setLastRowId = setLastRowIdText.c_str();
    static constexpr auto update = [] {
        std::array<const char*, Entity::attributeCount> texts{};
        for (std::size_t attribute = 0; attribute < texts.size(); ++attribute)
            texts[attribute] = updateTexts[attribute].c_str();
        return texts;
    }();

    // Calls visit(&Values::field) for the attribute.
    template <class Visitor>
    static void withField(int attribute, Visitor&& visit)
    {
        ::withField<Entity>(attribute, std::forward<Visitor>(visit));
    }
};
