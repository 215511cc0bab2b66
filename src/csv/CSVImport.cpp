#include "csv/CSVImport.h"
#include "csv/ImportRows.h"
#include "model/BalanceEntry.h"
#include "model/ObjectContext.h"

namespace CSVPorter {

ImportCounts insertRows(std::string_view text, ObjectContext& context, std::vector<std::shared_ptr<BalanceEntry>>& inserted,
                        const std::function<void()>& afterBatch)
{
    ImportCounts counts;
    counts.skipped = readEntries(text, [&](EntryBatch& batch) {
        for (const auto& entry : batch)
            context.insert(entry);
        inserted.insert(inserted.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
        counts.imported += static_cast<std::int64_t>(batch.size());
        if (afterBatch)
            afterBatch();
    });
    return counts;
}

} // namespace CSVPorter
