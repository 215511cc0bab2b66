#include "csv/DateShapes.h"

#include <array>

namespace CSVPorter {
namespace {

constexpr int firstPlainYear = 1600;

// Reads exactly `count` digits at `position`, advancing it; -1 when they are not digits.
int digits(std::string_view text, std::size_t& position, std::size_t count)
{
    if (position + count > text.size())
        return -1;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[position + i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    position += count;
    return value;
}

// One or two digits.
int shortNumber(std::string_view text, std::size_t& position)
{
    const int two = [&] { std::size_t p = position; const int v = digits(text, p, 2); if (v >= 0) position = p; return v; }();
    return two >= 0 ? two : digits(text, position, 1);
}

bool literal(std::string_view text, std::size_t& position, std::string_view expected)
{
    if (text.substr(position, expected.size()) != expected)
        return false;
    position += expected.size();
    return true;
}

int daysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> lengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : lengths[static_cast<std::size_t>(month - 1)];
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// An English month name or abbreviation (the longest that matches) followed by `terminator`.
int monthName(std::string_view text, std::size_t& position, char terminator)
{
    static constexpr std::array<std::string_view, 12> names = {
        "january", "february", "march", "april", "may", "june",
        "july", "august", "september", "october", "november", "december"};
    const std::size_t end = text.find(terminator, position);
    if (end == std::string_view::npos)
        return -1;
    const std::string_view word = text.substr(position, end - position);
    for (std::size_t m = 0; m < names.size(); ++m) {
        if (equalsIgnoringCase(word, names[m]) || equalsIgnoringCase(word, names[m].substr(0, 3))) {
            position = end;
            return static_cast<int>(m) + 1;
        }
    }
    return -1;
}

std::optional<CivilDateTime> validDay(int year, int month, int day, std::size_t end, std::string_view text)
{
    if (end != text.size() || year < firstPlainYear || month < 1 || month > 12 || day < 1
        || day > daysInMonth(year, month))
        return std::nullopt;
    return CivilDateTime{year, month, day, 0, 0, 0, false};
}

// yyyy-MM-dd, yyyy/MM/dd and yyyy-MM-ddTHH:mm:ss
std::optional<CivilDateTime> yearFirst(std::string_view text)
{
    std::size_t p = 0;
    const int year = digits(text, p, 4);
    if (year < 0 || p >= text.size() || (text[p] != '-' && text[p] != '/'))
        return std::nullopt;
    const std::string_view separator = text.substr(p, 1);
    ++p;
    const int month = digits(text, p, 2);
    if (month < 0 || !literal(text, p, separator))
        return std::nullopt;
    const int day = digits(text, p, 2);
    if (day < 0)
        return std::nullopt;
    if (p == text.size() || separator != "-")
        return validDay(year, month, day, p, text);
    if (!literal(text, p, "T"))
        return std::nullopt;
    const int hour = digits(text, p, 2);
    if (hour < 0 || !literal(text, p, ":"))
        return std::nullopt;
    const int minute = digits(text, p, 2);
    if (minute < 0 || !literal(text, p, ":"))
        return std::nullopt;
    const int second = digits(text, p, 2);
    auto result = validDay(year, month, day, p, text);
    if (!result || second < 0 || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    result->hour = hour;
    result->minute = minute;
    result->second = second;
    result->hasTime = true;
    return result;
}

// M/d/yyyy and MM/dd/yyyy
std::optional<CivilDateTime> monthFirstNumeric(std::string_view text)
{
    std::size_t p = 0;
    const int month = shortNumber(text, p);
    if (month < 0 || !literal(text, p, "/"))
        return std::nullopt;
    const int day = shortNumber(text, p);
    if (day < 0 || !literal(text, p, "/"))
        return std::nullopt;
    const int year = digits(text, p, 4);
    return year < 0 ? std::nullopt : validDay(year, month, day, p, text);
}

// "Jun 4, 2026" and "June 4, 2026"
std::optional<CivilDateTime> monthNameFirst(std::string_view text)
{
    std::size_t p = 0;
    const int month = monthName(text, p, ' ');
    if (month < 0 || !literal(text, p, " "))
        return std::nullopt;
    const int day = shortNumber(text, p);
    if (day < 0 || !literal(text, p, ", "))
        return std::nullopt;
    const int year = digits(text, p, 4);
    return year < 0 ? std::nullopt : validDay(year, month, day, p, text);
}

// "4 Jun 2026" and "4 June 2026"
std::optional<CivilDateTime> dayFirst(std::string_view text)
{
    std::size_t p = 0;
    const int day = shortNumber(text, p);
    if (day < 0 || !literal(text, p, " "))
        return std::nullopt;
    const int month = monthName(text, p, ' ');
    if (month < 0 || !literal(text, p, " "))
        return std::nullopt;
    const int year = digits(text, p, 4);
    return year < 0 ? std::nullopt : validDay(year, month, day, p, text);
}

} // namespace

std::optional<CivilDateTime> canonicalDate(std::string_view text)
{
    if (text.size() < 8 || text.size() > 19)
        return std::nullopt;
    const char first = text.front();
    if (first < '0' || first > '9')
        return monthNameFirst(text);
    if (text.find(' ') != std::string_view::npos)
        return dayFirst(text);
    if (text[4] == '-' || text[4] == '/')
        return yearFirst(text);
    return monthFirstNumeric(text);
}

} // namespace CSVPorter
