#include "csv/FusedDelimiters.h"
#include "csv/FieldText.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <climits>
#include <memory>

namespace CSVPorter {
namespace {

bool isDelimiter(char c) { return c == '"' || c == ','; }
bool isLineBreak(char c) { return c == '\n' || c == '\r'; }

std::unique_ptr<icu::BreakIterator> newCharacterIterator()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    return U_SUCCESS(status) ? std::move(iterator) : nullptr;
}

// Appends (offset + p) for every fused delimiter p of `line`, which holds no CR or LF.
void collectFused(icu::BreakIterator& iterator, std::string_view line, std::size_t offset,
                  std::vector<std::size_t>& out)
{
    if (line.find_first_of("\",") == std::string_view::npos)
        return;
    // ICU texts are indexed by int32_t: a line of more than a gigabyte is segmented in pieces
    // (a delimiter fused across a cut is then taken as a delimiter).
    constexpr std::size_t piece = INT32_MAX / 2;
    if (line.size() > piece) {
        for (std::size_t start = 0; start < line.size(); start += piece)
            collectFused(iterator, line.substr(start, piece), offset + start, out);
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    UText* text = utext_openUTF8(nullptr, line.data(), static_cast<int64_t>(line.size()), &status);
    if (U_FAILURE(status))
        return;
    iterator.setText(text, status);
    if (U_SUCCESS(status)) {
        int32_t begin = iterator.first();
        for (int32_t end = iterator.next(); end != icu::BreakIterator::DONE; begin = end, end = iterator.next()) {
            if (end - begin == 1)
                continue;
            for (int32_t p = begin; p < end; ++p)
                if (isDelimiter(line[static_cast<std::size_t>(p)]))
                    out.push_back(offset + static_cast<std::size_t>(p));
        }
    }
    // Detach the iterator from the UText before closing it.
    iterator.setText(icu::UnicodeString());
    utext_close(text);
}

std::size_t lineStart(std::string_view text, std::size_t position)
{
    while (position > 0 && !isLineBreak(text[position - 1]))
        --position;
    return position;
}

std::size_t lineEnd(std::string_view text, std::size_t position)
{
    while (position < text.size() && !isLineBreak(text[position]))
        ++position;
    return position;
}

std::size_t nextNonAscii(std::string_view text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return i;
        // Whole ASCII blocks are skipped eight bytes at a time.
        if ((i & 7) == 0 && i + 64 <= text.size() && isAscii(text.substr(i, 64)))
            i += 63;
    }
    return std::string_view::npos;
}

} // namespace

std::vector<std::size_t> fusedDelimiters(std::string_view text)
{
    std::vector<std::size_t> fused;
    std::size_t position = nextNonAscii(text, 0);
    if (position == std::string_view::npos)
        return fused;
    const std::unique_ptr<icu::BreakIterator> iterator = newCharacterIterator();
    if (!iterator)
        return fused;
    while (position != std::string_view::npos) {
        const std::size_t begin = lineStart(text, position);
        const std::size_t end = lineEnd(text, position);
        collectFused(*iterator, text.substr(begin, end - begin), begin, fused);
        position = nextNonAscii(text, end);
    }
    return fused;
}

} // namespace CSVPorter
