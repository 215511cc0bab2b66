#pragma once

#include "model/BalanceEntry.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdint>

// A scratch XDG home for a benchmark and the processes it launches alike.
struct ScratchHome {
    QTemporaryDir root;
    ScratchHome()
    {
        for (const char* folder : {"data", "config", "run"})
            QDir(root.path()).mkpath(QLatin1String(folder));
        qputenv("XDG_DATA_HOME", QDir(root.path()).filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", QDir(root.path()).filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", QDir(root.path()).filePath(QStringLiteral("run")).toLocal8Bit());
        QFile::setPermissions(QDir(root.path()).filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

// Fills the store in $XDG_DATA_HOME with `count` entries, saved in one transaction: one every
// `spacing` from 2000 on, a deposit now and then, a note on every tenth.
inline bool fillStore(std::int64_t count, std::chrono::minutes spacing = std::chrono::hours(6))
{
    auto opened = PersistentContainer::open(PersistentContainer::defaultStorePath());
    if (!opened.ok())
        return false;
    ObjectContext& context = opened.value()->viewContext();
    const Instant start = instantFromMilliseconds(946'684'800'000LL); // 2000-01-01
    for (std::int64_t i = 0; i < count; ++i) {
        const auto entry = BalanceEntry::create(context);
        entry->setId(Uuid::random());
        entry->setDate(start + spacing * i);
        entry->setBalance(100'000.0 + 3.5 * double(i));
        entry->setAdjustment(i % 30 == 0 ? 1'000.0 : 0.0);
        entry->setNote(i % 10 == 0 ? std::optional<QString>(QStringLiteral("benchmark")) : std::nullopt);
    }
    return context.save().ok();
}

// The date, amounts and note of a plain record (milliseconds since 1970, three doubles, an
// optional UTF-8 note) as an entry's values: the benchmarks' entries and their floors' rows agree.
template <class Plain>
BalanceEntry::Values plainValues(const Plain& plain)
{
    return {.id = std::nullopt,
            .date = instantFromMilliseconds(plain.date),
            .balance = plain.balance,
            .adjustment = plain.adjustment,
            .transfers = plain.transfers,
            .note = plain.note ? std::optional<QString>(QString::fromStdString(*plain.note)) : std::nullopt};
}
