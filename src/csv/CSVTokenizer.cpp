#include "csv/CSVTokenizer.h"
#include "csv/CSVPorter.h"
#include "csv/FieldText.h"
#include "csv/FusedDelimiters.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace CSVPorter {
namespace {

constexpr std::array<bool, 256> specialBytes = [] {
    std::array<bool, 256> table{};
    table['"'] = table[','] = table['\r'] = table['\n'] = true;
    return table;
}();

// Bit 7 of every byte of the word that equals `byte` (exact for the lowest such byte, which
// is all the caller uses).
constexpr std::uint64_t bytesEqual(std::uint64_t word, char byte)
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    const std::uint64_t x = word ^ (ones * static_cast<unsigned char>(byte));
    return (x - ones) & ~x & (ones * 0x80);
}

// The first quote, comma, CR or LF at or after `from`; `text.size()` when there is none.
// Eight bytes at a time: most of a file is field text.
std::size_t nextSpecial(std::string_view text, std::size_t from)
{
    std::size_t i = from;
#if defined(__SSE2__)
    // Sixteen bytes at a time where the processor has SSE2 (every x86-64 one).
    const __m128i quote = _mm_set1_epi8('"'), comma = _mm_set1_epi8(','), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, quote), _mm_cmpeq_epi8(block, comma)),
                                          _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
        if (const int found = _mm_movemask_epi8(hits))
            return i + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(found)));
    }
#endif
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        const std::uint64_t found = bytesEqual(word, '"') | bytesEqual(word, ',') | bytesEqual(word, '\r') | bytesEqual(word, '\n');
        if (found)
            return i + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    }
    while (i < text.size() && !specialBytes[static_cast<unsigned char>(text[i])])
        ++i;
    return i;
}

// The kept fields of the row being read; their strings keep their capacity from row to row.
// Fields past the kept ones share one scratch string, checked for text as each one ends.
class RowBuilder {
public:
    RowBuilder(std::size_t keptFields, const PlacedRow& onRow) : kept_(std::max<std::size_t>(keptFields, 1)), onRow_(onRow) {}

    std::string& field() { return count_ < kept_ ? fields_[count_] : dropped_; }
    bool empty() const { return count_ == 0 && fields_[0].empty(); }

    void endField()
    {
        if (count_ >= kept_) {
            droppedText_ = droppedText_ || !trimmed(dropped_).empty();
            dropped_.clear();
        }
        if (++count_ < kept_) {
            if (count_ == fields_.size())
                fields_.emplace_back();
            fields_[count_].clear();
        }
    }

    // Ends the field and the row at `end`; a row of one empty field is a blank line and is
    // dropped. `nextLine` is the line the next row starts on.
    void endRow(std::size_t end, std::int64_t nextLine)
    {
        endField();
        if (count_ > 1 || !fields_[0].empty())
            onRow_(std::span<const std::string>(fields_.data(), std::min(count_, kept_)), droppedText_, RowPlace{line_, end});
        count_ = 0;
        fields_[0].clear();
        droppedText_ = false;
        line_ = nextLine;
    }

private:
    const std::size_t kept_;
    const PlacedRow& onRow_;
    std::int64_t line_ = 1;
    std::vector<std::string> fields_ = std::vector<std::string>(std::min<std::size_t>(kept_, 8));
    std::string dropped_;
    std::size_t count_ = 0;
    bool droppedText_ = false;
};

// The line ends in quoted text (CR LF counted once; a CR at the end of `chunk` counts alone
// only when the text does not go on with an LF).
std::int64_t lineEndsIn(std::string_view chunk, char following)
{
    std::int64_t ends = 0;
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        if (chunk[i] == '\n')
            ++ends;
        else if (chunk[i] == '\r' && (i + 1 < chunk.size() ? chunk[i + 1] : following) != '\n')
            ++ends;
    }
    return ends;
}

} // namespace

void forEachRow(std::string_view text, const std::function<void(std::span<const std::string>)>& onRow)
{
    forEachRow(text, std::numeric_limits<std::size_t>::max(), [&onRow](std::span<const std::string> fields, bool) { onRow(fields); });
}

void forEachRow(std::string_view text, std::size_t keptFields, const KeptRow& onRow)
{
    forEachRow(text, keptFields, PlacedRow([&onRow](std::span<const std::string> fields, bool droppedText, const RowPlace&) {
                   onRow(fields, droppedText);
               }));
}

void forEachRow(std::string_view text, std::size_t keptFields, const PlacedRow& onRow)
{
    const std::vector<std::size_t> fused = fusedDelimiters(text);
    const auto isFused = [&fused](std::size_t position) {
        return !fused.empty() && std::binary_search(fused.begin(), fused.end(), position);
    };
    const auto isQuoteAt = [&](std::size_t position) {
        return position < text.size() && text[position] == '"' && !isFused(position);
    };

    RowBuilder row(keptFields, onRow);
    const std::size_t size = text.size();
    bool quoted = false;
    std::int64_t line = 1;
    std::size_t i = 0;
    while (i < size) {
        if (quoted) {
            const void* found = std::memchr(text.data() + i, '"', size - i);
            const std::size_t quote = found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : size;
            row.field().append(text.data() + i, quote - i);
            line += lineEndsIn(text.substr(i, quote - i), quote < size ? text[quote] : '\0');
            if (quote == size)
                break;
            if (isFused(quote)) {
                row.field().push_back('"');
                i = quote + 1;
            } else if (isQuoteAt(quote + 1)) {
                row.field().push_back('"');
                i = quote + 2;
            } else {
                quoted = false;
                i = quote + 1;
            }
            continue;
        }
        const std::size_t stop = nextSpecial(text, i);
        row.field().append(text.data() + i, stop - i);
        if (stop == size)
            break;
        i = stop;
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            const std::size_t end = i;
            i += (c == '\r' && i + 1 < size && text[i + 1] == '\n') ? 2 : 1;
            row.endRow(end, ++line);
        } else if (isFused(i)) {
            row.field().push_back(c);
            ++i;
        } else if (c == '"') {
            quoted = true;
            ++i;
        } else {
            row.endField();
            ++i;
        }
    }
    if (!row.empty())
        row.endRow(size, line);
}

std::vector<Row> parse(std::string_view text)
{
    std::vector<Row> rows;
    forEachRow(text, [&rows](std::span<const std::string> fields) { rows.emplace_back(fields.begin(), fields.end()); });
    return rows;
}

} // namespace CSVPorter
