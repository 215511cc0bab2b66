#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace CSVPorter {

// Byte positions, ascending, of every double quote and comma in `text` that is not a
// user-perceived character of its own but part of a larger grapheme cluster (a quote carrying
// a combining mark, a comma after a prepended mark, …). Such bytes are ordinary text to the
// tokenizer. Line breaks always end a cluster, so only lines holding non-ASCII bytes are
// segmented (with ICU's character break iterator); pure ASCII text costs one quick scan.
std::vector<std::size_t> fusedDelimiters(std::string_view text);

} // namespace CSVPorter
