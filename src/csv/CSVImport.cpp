#include "csv/CSVImport.h"
#include "csv/CSVPorter.h"
#include "csv/CSVTokenizer.h"
#include "csv/FieldText.h"
#include "csv/ImportDates.h"
#include "csv/Utf8.h"
#include "model/BalanceEntry.h"
#include "model/ObjectContext.h"

#include <algorithm>

namespace CSVPorter {
namespace {

enum Column : std::size_t { DateColumn, BalanceColumn, AdjustmentColumn, TransfersColumn, NoteColumn };

// Only ASCII letters matter: no other letter lower-cases to one of "date".
bool containsDateInAnyCase(std::string_view text)
{
    constexpr std::string_view word = "date";
    return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
           }) != text.end();
}

bool isBlankRow(std::span<const std::string> row)
{
    return std::all_of(row.begin(), row.end(), [](const std::string& field) { return trimmed(field).empty(); });
}

double optionalAmount(std::span<const std::string> row, std::size_t column)
{
    return column < row.size() ? parseNumber(row[column]).value_or(0) : 0;
}

// Takes the import's entries out of the context after a failed save. When the context held
// no other change before the import, a rollback restores it exactly.
void withdraw(ObjectContext& context, bool hadOtherChanges, const std::vector<std::shared_ptr<BalanceEntry>>& inserted)
{
    if (!hadOtherChanges) {
        context.rollback();
        return;
    }
    for (const auto& entry : inserted)
        context.remove(entry);
}

} // namespace

ImportCounts insertRows(std::string_view text, ObjectContext& context, std::vector<std::shared_ptr<BalanceEntry>>& inserted)
{
    ImportCounts counts;
    bool first = true;
    forEachRow(text, [&](std::span<const std::string> row) {
        const bool isHeader = first && containsDateInAnyCase(row[DateColumn]);
        first = false;
        if (isHeader || isBlankRow(row))
            return;
        const std::optional<Instant> date = row.size() > BalanceColumn ? parseDate(row[DateColumn]) : std::nullopt;
        const std::optional<double> balance = date ? parseNumber(row[BalanceColumn]) : std::nullopt;
        if (!balance) {
            ++counts.skipped;
            return;
        }
        auto entry = std::make_shared<BalanceEntry>();
        entry->setId(Uuid::random());
        entry->setDate(date);
        entry->setBalance(*balance);
        entry->setAdjustment(optionalAmount(row, AdjustmentColumn));
        entry->setTransfers(optionalAmount(row, TransfersColumn));
        if (row.size() > NoteColumn)
            if (const std::optional<std::string> note = unescape(row[NoteColumn]))
                entry->setNote(QString::fromStdString(*note));
        context.insert(entry);
        inserted.push_back(std::move(entry));
        ++counts.imported;
    });
    return counts;
}

ImportOutcome importCSVData(const QByteArray& bytes, ObjectContext& context)
{
    const std::string_view text = withoutByteOrderMark(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!isValidUtf8(text))
        return {std::nullopt, {}, readFailureAlert()};

    const bool hadOtherChanges = context.hasChanges();
    std::vector<std::shared_ptr<BalanceEntry>> inserted;
    const ImportCounts counts = insertRows(text, context, inserted);
    if (counts.imported > 0) {
        const Result<void> saved = context.save();
        if (!saved) {
            withdraw(context, hadOtherChanges, inserted);
            return {std::nullopt, counts, saveFailureAlert(saved.error().message)};
        }
    }
    return {counts.imported, counts, resultAlert(counts.imported, counts.skipped)};
}

} // namespace CSVPorter
