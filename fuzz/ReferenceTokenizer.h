#pragma once

// The tokenizer's rules written the slow, obvious way: the whole text split into grapheme
// clusters by ICU, then the state machine over clusters. The fuzz target compares the real
// tokenizer (ASCII fast path, per-line segmentation) with it.
#include "csv/CSVPorter.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string_view> graphemeClusters(std::string_view text)
{
    std::vector<std::string_view> clusters;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    UText* utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    iterator->setText(utext, status);
    int32_t begin = iterator->first();
    for (int32_t end = iterator->next(); end != icu::BreakIterator::DONE; begin = end, end = iterator->next())
        clusters.push_back(text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)));
    iterator.reset();
    utext_close(utext);
    return clusters;
}

inline std::vector<CSVPorter::Row> referenceParse(std::string_view text)
{
    const std::vector<std::string_view> clusters = graphemeClusters(text);
    std::vector<CSVPorter::Row> rows;
    CSVPorter::Row row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < clusters.size(); ++i) {
        const std::string_view c = clusters[i];
        if (quoted) {
            if (c == "\"" && i + 1 < clusters.size() && clusters[i + 1] == "\"") {
                field += '"';
                ++i;
            } else if (c == "\"") {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == "\"") {
            quoted = true;
        } else if (c == ",") {
            row.push_back(std::move(field));
            field.clear();
        } else if (c == "\n" || c == "\r" || c == "\r\n") {
            row.push_back(std::move(field));
            field.clear();
            if (!(row.size() == 1 && row[0].empty()))
                rows.push_back(std::move(row));
            row.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty() || !row.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}
