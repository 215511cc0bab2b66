#include "csv/CSVImport.h"
#include "model/BalanceEntry.h"
#include "model/ObjectContext.h"

namespace CSVPorter {

std::int64_t insertRows(std::span<const ReadRow> rows, const std::vector<bool>& leaveOut, ObjectContext& context,
                        std::vector<std::shared_ptr<BalanceEntry>>& inserted, const std::function<void()>& afterBatch)
{
    std::int64_t count = 0;
    makeEntries(rows, leaveOut, [&](EntryBatch& batch) {
        for (const auto& entry : batch)
            context.insert(entry);
        inserted.insert(inserted.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
        count += static_cast<std::int64_t>(batch.size());
        if (afterBatch)
            afterBatch();
    });
    return count;
}

} // namespace CSVPorter
