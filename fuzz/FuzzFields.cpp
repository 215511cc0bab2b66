// Any bytes through the tokenizer and every field through the three field parsers: nothing
// may crash, the tokenizer must agree with the cluster-by-cluster reference on valid UTF-8
// (and with itself when it keeps only the first fields of each row), and the number parser
// with the plain C-library reading.
#include "csv/CSVPorter.h"
#include "csv/CSVTokenizer.h"
#include "csv/FieldText.h"
#include "csv/Utf8.h"
#include "ReferenceTokenizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace {

// The number rule written the slow, obvious way (strtod only).
std::optional<double> referenceNumber(std::string_view field)
{
    std::string_view text = CSVPorter::trimmed(field);
    const bool negative = text.size() >= 2 && text.front() == '(' && text.back() == ')';
    if (negative)
        text = text.substr(1, text.size() - 2);
    std::string literal;
    for (char c : text)
        if (c != '$' && c != ',' && c != ' ')
            literal += c;
    if (literal.empty() || std::isspace(static_cast<unsigned char>(literal.front())))
        return std::nullopt;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    char* end = nullptr;
    const double value = strtod_l(literal.c_str(), &end, cLocale);
    if (end != literal.c_str() + literal.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

// The rows with at most `kept` fields each, and whether a field past those held text, must be
// what the full rows give.
bool keptFieldsAgree(std::string_view text, const std::vector<CSVPorter::Row>& rows, std::size_t kept)
{
    std::size_t index = 0;
    bool agree = true;
    CSVPorter::forEachRow(text, kept, [&](std::span<const std::string> fields, bool droppedText) {
        if (index >= rows.size())
            return void(agree = false);
        const CSVPorter::Row& row = rows[index++];
        bool text = false;
        for (std::size_t i = kept; i < row.size(); ++i)
            text = text || !CSVPorter::trimmed(row[i]).empty();
        agree = agree && fields.size() == std::min(row.size(), kept) && std::equal(fields.begin(), fields.end(), row.begin())
            && droppedText == text;
    });
    return agree && index == rows.size();
}

bool sameNumber(std::optional<double> a, std::optional<double> b)
{
    return a.has_value() == b.has_value() && (!a || std::memcmp(&*a, &*b, sizeof(double)) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<CSVPorter::Row> rows = CSVPorter::parse(text);
    const bool valid = CSVPorter::isValidUtf8(text);
    if (valid && rows != referenceParse(text))
        std::abort();
    if (!keptFieldsAgree(text, rows, 1) || !keptFieldsAgree(text, rows, 5))
        std::abort();
    for (const CSVPorter::Row& row : rows) {
        if (row.empty())
            std::abort(); // a row always has at least one field
        for (const std::string& field : row) {
            if (!sameNumber(CSVPorter::parseNumber(field), referenceNumber(field)))
                std::abort();
            (void)CSVPorter::unescape(field);
            if (valid)
                (void)CSVPorter::parseDate(field);
        }
    }
    return 0;
}
