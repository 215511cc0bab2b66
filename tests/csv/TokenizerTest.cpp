#include "csv/CSVPorter.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using CSVPorter::parse;
using Rows = std::vector<CSVPorter::Row>;

namespace {

TEST(Tokenizer, GivesTheRows)
{
    const std::tuple<const char*, std::string, Rows> cases[] = {
        {"Empty", "", {}},
        {"FieldsKeptAsWritten", " a , b ", {{" a ", " b "}}},
        {"LineFeeds", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"CarriageReturns", "a,b\rc,d\r", {{"a", "b"}, {"c", "d"}}},
        {"CrLfIsOneRowEnd", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"LfCrIsTwoRowEnds", "a\n\rb", {{"a"}, {"b"}}},
        {"BlankLinesDropped", "\n\r\n\ra\n\n", {{"a"}}},
        {"TrailingCommaGivesEmptyField", "a,\n", {{"a", ""}}},
        {"OnlyCommas", ",,", {{"", "", ""}}},
        {"QuotedEmptyIsABlankLine", "\"\"\na", {{"a"}}},
        {"QuotedSeparatorsAndBreaks", "\"a,b\nc\r\nd\",e", {{"a,b\nc\r\nd", "e"}}},
        {"DoubledQuote", "\"say \"\"hi\"\"\"", {{"say \"hi\""}}},
        {"QuoteInsideAField", "ab\"c,d\"e,f", {{"abc,de", "f"}}},
        {"TextAfterClosingQuote", "\"a\"b", {{"ab"}}},
        {"UnterminatedQuoteSwallowsTheRest", "x,\"a\nb,c\nd", {{"x", "a\nb,c\nd"}}},
        {"LoneQuote", "\"", {}},
        {"QuoteWithCombiningMarkIsText", "a\"\xCC\x81,b", {{"a\"\xCC\x81", "b"}}},
        {"CommaWithCombiningMarkIsText", "a,\xCC\x81" "b,c", {{"a,\xCC\x81" "b", "c"}}},
        {"CommaFusedAfterPrependMark", "\xD8\x80,b", {{"\xD8\x80,b"}}},
        {"ClosingQuoteWithMarkKeepsQuotedMode", "\"a\"\xCC\x81,b\"", {{"a\"\xCC\x81,b"}}},
        {"DoubledQuoteNeedsTwoPlainQuotes", "\"a\"\"\xCC\x81,b", {{"a\"\xCC\x81", "b"}}},
        {"MarkAfterLineBreakDoesNotFuseIt", "a\n\xCC\x81" "b", {{"a"}, {"\xCC\x81" "b"}}},
    };
    for (const auto& [name, text, rows] : cases) {
        EXPECT_EQ(parse(text), rows) << name;
        // The grapheme path (taken for lines holding non-ASCII text) agrees with the ASCII path
        // wherever no delimiter is fused: a leading accent instead of a leading "x" changes only that.
        Rows accented = parse("x" + text);
        accented.front().front().replace(0, 1, "\xC3\xA9");
        EXPECT_EQ(parse("\xC3\xA9" + text), accented) << name;
    }
}

} // namespace
