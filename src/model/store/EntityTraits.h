#pragma once

#include "model/BalanceEntry.h"
#include "model/TSXYear.h"

#include <array>

// What the generic store code needs to know about one entity: its SQL and a way to reach each
// attribute's field by number. Column order everywhere is the Attribute enum's order, after
// the row key `pk`.
template <class Entity>
struct EntityTraits;

template <>
struct EntityTraits<BalanceEntry> {
    using Values = BalanceEntry::Values;
    static constexpr const char* selectAll =
        "SELECT pk, id, date, balance, adjustment, transfers, note FROM BalanceEntry ORDER BY pk";
    static constexpr const char* selectAfter = "SELECT pk, id, date, balance, adjustment, transfers, note FROM BalanceEntry WHERE pk > ?1 ORDER BY pk";
    static constexpr const char* selectOne = "SELECT pk, id, date, balance, adjustment, transfers, note FROM BalanceEntry WHERE pk = ?1";
    static constexpr int logCode = 0; // ChangeLog.entity
    // Parameters in attribute order, then the row key.
    static constexpr const char* insert =
        "INSERT INTO BalanceEntry (id, date, balance, adjustment, transfers, note, pk) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)";
    static constexpr const char* remove = "DELETE FROM BalanceEntry WHERE pk = ?1";
    static constexpr const char* lastRowId =
        "SELECT max(coalesce((SELECT last FROM RowSequence WHERE entity = 'BalanceEntry'), 0),"
        " coalesce((SELECT max(pk) FROM BalanceEntry), 0))";
    static constexpr const char* setLastRowId = "INSERT OR REPLACE INTO RowSequence (entity, last) VALUES ('BalanceEntry', ?1)";
    static constexpr const char* count = "SELECT count(*) FROM BalanceEntry";
    static constexpr std::array<const char*, BalanceEntry::attributeCount> update = {
        "UPDATE BalanceEntry SET id = ?1 WHERE pk = ?2",
        "UPDATE BalanceEntry SET date = ?1 WHERE pk = ?2",
        "UPDATE BalanceEntry SET balance = ?1 WHERE pk = ?2",
        "UPDATE BalanceEntry SET adjustment = ?1 WHERE pk = ?2",
        "UPDATE BalanceEntry SET transfers = ?1 WHERE pk = ?2",
        "UPDATE BalanceEntry SET note = ?1 WHERE pk = ?2",
    };

    // Calls visit(&Values::field) for the attribute.
    template <class Visitor>
    static void withField(int attribute, Visitor&& visit)
    {
        switch (attribute) {
        case BalanceEntry::Id: visit(&Values::id); break;
        case BalanceEntry::Date: visit(&Values::date); break;
        case BalanceEntry::Balance: visit(&Values::balance); break;
        case BalanceEntry::Adjustment: visit(&Values::adjustment); break;
        case BalanceEntry::Transfers: visit(&Values::transfers); break;
        case BalanceEntry::Note: visit(&Values::note); break;
        }
    }
};

template <>
struct EntityTraits<TSXYear> {
    using Values = TSXYear::Values;
    static constexpr const char* selectAll =
        "SELECT pk, id, year, label, tsxReturn, actualStart, actualEnd, netCashFlows, sortOrder FROM TSXYear ORDER BY pk";
    static constexpr const char* selectAfter = "SELECT pk, id, year, label, tsxReturn, actualStart, actualEnd, netCashFlows, sortOrder FROM TSXYear WHERE pk > ?1 ORDER BY pk";
    static constexpr const char* selectOne = "SELECT pk, id, year, label, tsxReturn, actualStart, actualEnd, netCashFlows, sortOrder FROM TSXYear WHERE pk = ?1";
    static constexpr int logCode = 1; // ChangeLog.entity
    static constexpr const char* insert =
        "INSERT INTO TSXYear (id, year, label, tsxReturn, actualStart, actualEnd, netCashFlows, sortOrder, pk) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)";
    static constexpr const char* remove = "DELETE FROM TSXYear WHERE pk = ?1";
    static constexpr const char* lastRowId =
        "SELECT max(coalesce((SELECT last FROM RowSequence WHERE entity = 'TSXYear'), 0),"
        " coalesce((SELECT max(pk) FROM TSXYear), 0))";
    static constexpr const char* setLastRowId = "INSERT OR REPLACE INTO RowSequence (entity, last) VALUES ('TSXYear', ?1)";
    static constexpr const char* count = "SELECT count(*) FROM TSXYear";
    static constexpr std::array<const char*, TSXYear::attributeCount> update = {
        "UPDATE TSXYear SET id = ?1 WHERE pk = ?2",
        "UPDATE TSXYear SET year = ?1 WHERE pk = ?2",
        "UPDATE TSXYear SET label = ?1 WHERE pk = ?2",
        "UPDATE TSXYear SET tsxReturn = ?1 WHERE pk = ?2",
        "UPDATE TSXYear SET actualStart = ?1 WHERE pk = ?2",
        "UPDATE TSXYear SET actualEnd = ?1 WHERE pk = ?2",
        "UPDATE TSXYear SET netCashFlows = ?1 WHERE pk = ?2",
        "UPDATE TSXYear SET sortOrder = ?1 WHERE pk = ?2",
    };

    template <class Visitor>
    static void withField(int attribute, Visitor&& visit)
    {
        switch (attribute) {
        case TSXYear::Id: visit(&Values::id); break;
        case TSXYear::Year: visit(&Values::year); break;
        case TSXYear::Label: visit(&Values::label); break;
        case TSXYear::TsxReturn: visit(&Values::tsxReturn); break;
        case TSXYear::ActualStart: visit(&Values::actualStart); break;
        case TSXYear::ActualEnd: visit(&Values::actualEnd); break;
        case TSXYear::NetCashFlows: visit(&Values::netCashFlows); break;
        case TSXYear::SortOrder: visit(&Values::sortOrder); break;
        }
    }
};
