#include "services/EntryActions.h"

#include "model/NewEntry.h"
#include "services/NoteRules.h"
#include "services/ObjectVerbs.h"

#include <QCoreApplication>

#include <cmath>

namespace EntryActions {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(EntryActions)
};

std::optional<Error> invalid(const BalanceEntry::Values& values)
{
    const auto refuse = [](const char* what) {
        return Error{Words::tr("%1 must be a finite number.").arg(Words::tr(what)), {}};
    };
    if (!std::isfinite(values.balance))
        return refuse(QT_TRANSLATE_NOOP("EntryActions", "Balance"));
    if (!std::isfinite(values.adjustment))
        return refuse(QT_TRANSLATE_NOOP("EntryActions", "Adjustment"));
    if (!std::isfinite(values.transfers))
        return refuse(QT_TRANSLATE_NOOP("EntryActions", "Transfers"));
    if (auto tooLong = NoteRules::refusal(values.note))
        return Error{*tooLong, {}};
    return std::nullopt;
}

void assign(BalanceEntry& entry, const BalanceEntry::Values& given)
{
    BalanceEntry::Values values = given;
    values.id = entry.id() ? entry.id() : values.id ? values.id : Uuid::random();
    values.note = noteFromText(std::move(values.note));
    entry.assign(values);
}

} // namespace

Result<std::shared_ptr<BalanceEntry>> add(ObjectContext& context, BalanceEntry::Values values, EmptyNote emptyNote)
{
    if (auto error = invalid(values))
        return *error;
    if (emptyNote == EmptyNote::None)
        values.note = noteFromText(std::move(values.note));
    return ObjectVerbs::add(context, makeBalanceEntry(std::move(values)), Words::tr("Add Entry"));
}

Result<void> update(ObjectContext& context, const std::shared_ptr<BalanceEntry>& entry, BalanceEntry::Values values)
{
    if (auto error = invalid(values))
        return *error;
    return ObjectVerbs::update<BalanceEntry>(context, entry, values, assign, Words::tr("Edit Entry"));
}

Result<void> remove(ObjectContext& context, const std::vector<std::shared_ptr<BalanceEntry>>& entries)
{
    Result<void> removed = ObjectVerbs::remove<BalanceEntry>(context, entries, [](const auto& taken) {
        return taken.size() == 1 ? Words::tr("Delete Entry") : Words::tr("Delete %n Entries", nullptr, int(taken.size()));
    });
    if (removed)
        return removed;
    const Error& cause = removed.error();
    const QString reason = cause.reason.isEmpty() ? cause.message : cause.reason;
    return Error{(entries.size() == 1 ? Words::tr("The entry could not be deleted: %1.") : Words::tr("The entries could not be deleted: %1.")).arg(reason),
                 cause.details, reason};
}

} // namespace EntryActions
