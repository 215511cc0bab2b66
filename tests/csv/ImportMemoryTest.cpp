// Memory of reading a CSV text, measured by counting this program's heap allocations.
#include "csv/ImportRows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

namespace {
std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

void* allocate(std::size_t size)
{
    // The size is kept in front of the block, so that delete knows what it frees.
    auto* block = static_cast<std::max_align_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const long long live = liveBytes += static_cast<long long>(size);
    for (long long peak = peakBytes; live > peak && !peakBytes.compare_exchange_weak(peak, live);) {
    }
    return block + 1;
}

void release(void* pointer)
{
    if (!pointer)
        return;
    auto* block = static_cast<std::max_align_t*>(pointer) - 1;
    liveBytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}
} // namespace

// The library's array forms call these.
void* operator new(std::size_t size) { return allocate(size); }
void operator delete(void* pointer) noexcept { release(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { release(pointer); }

namespace {

// A row of millions of empty fields used to cost a string per field (25 to 54 times the
// file's size); the import reads five columns, so its memory must not follow the row's width.
TEST(ImportMemory, FollowsTheColumnsUsedNotTheRowWidth)
{
    for (const std::size_t fields : {std::size_t{200'000}, std::size_t{3'000'000}}) {
        const std::string text = "2026-06-04,1,2,3,note" + std::string(fields, ',') + "\n";
        const long long before = liveBytes;
        peakBytes = before;
        const CSVPorter::ImportReading reading = CSVPorter::readImport(text);
        EXPECT_EQ(reading.rows.size(), 1u);
        EXPECT_TRUE(reading.skipped.empty());
        EXPECT_LT(peakBytes - before, static_cast<long long>(text.size()) / 2 + (1 << 20)) << fields << " fields";
    }
}

} // namespace
