#pragma once

#include "automation/IntentsDataProvider.h"

#include <QCoreApplication>

#include <array>
#include <optional>

// The desktop's "Add Balance Entry" action (the command line's `add`, the entry's dialog).
struct AddBalanceEntryIntent {
    static constexpr const char* title = QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Add Balance Entry");
    static constexpr const char* balancePrompt = QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "What is the portfolio balance?");

    // The parameters as the person filling them in sees them, in this order; their title and
    // description go through tr().
    struct Parameter {
        const char* key;
        const char* title;
        const char* description;
    };
    static constexpr std::array<Parameter, 5> parameters = {{
        {"date", QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Date"), QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Date of the snapshot (defaults to today).")},
        {"balance", QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Balance"), QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Total portfolio value at this date.")},
        {"adjustment", QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Adjustment"), QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Cash flow: positive for a deposit, negative for a withdrawal.")},
        {"transfers", QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Transfers"), QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Transfer amount (optional).")},
        {"note", QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Note"), QT_TRANSLATE_NOOP("AddBalanceEntryIntent", "Optional note for this entry.")},
    }};

    std::optional<Instant> date{}; // absent: now
    double balance = 0;
    double adjustment = 0;
    double transfers = 0;
    std::optional<QString> note{};

    struct Outcome {
        BalanceEntryEntity entity;
        QString dialog; // "Added $1,000 on Jun 4, 2026."
    };
    // Stores the entry (dated `now` when no date was given). Fails, storing nothing, when the
    // save fails.
    Result<Outcome> perform(Instant now, PersistentContainer& container = IntentsDataProvider::sharedContainer()) const;

    Q_DECLARE_TR_FUNCTIONS(AddBalanceEntryIntent)
};
