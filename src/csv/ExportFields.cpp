#include "csv/ExportFields.h"

#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>

namespace CSVPorter {
namespace {

// The process-wide export formatter: UTC, proleptic Gregorian (as days are read and shown),
// en_US_POSIX, yyyy-MM-dd. Formatting is a
// const operation on it (ICU clones the calendar for each call), so threads may share it.
const icu::SimpleDateFormat& exportDateFormatter()
{
    static const std::unique_ptr<icu::SimpleDateFormat> formatter = [] {
        UErrorCode status = U_ZERO_ERROR;
        auto made = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"yyyy-MM-dd"), icu::Locale("en_US_POSIX"), status);
        auto calendar = std::make_unique<icu::GregorianCalendar>(icu::TimeZone::getGMT()->clone(), icu::Locale("en_US_POSIX"), status);
        calendar->setGregorianChange(std::numeric_limits<double>::lowest(), status);
        made->adoptCalendar(calendar.release());
        return made;
    }();
    return *formatter;
}

// The range in which "yyyy" gives four digits and the formatter's calendar and <chrono>'s
// agree (both proleptic Gregorian): 0001-01-01 to 9999-12-31.
constexpr std::chrono::sys_days plainDaysBegin = std::chrono::year{1} / 1 / 1;
constexpr std::chrono::sys_days plainDaysEnd = std::chrono::year{10000} / 1 / 1;

} // namespace

char* writeNumber(char* out, double value)
{
    const double magnitude = std::fabs(value);
    const bool fixed = std::isfinite(value) && (magnitude == 0 || (magnitude >= 1e-4 && magnitude < 0x1p53));
    // 32 characters hold every shortest form ("-1.7976931348623157e+308" and the longest
    // fixed ones below 2^53 with 17 significant digits and four leading zeros).
    char* end = std::to_chars(out, out + 32, value, fixed ? std::chars_format::fixed : std::chars_format::scientific).ptr;
    if (fixed && std::find(out, end, '.') == end) {
        *end++ = '.';
        *end++ = '0';
    }
    return end;
}

std::string exportDayWithFormatter(Instant instant)
{
    icu::UnicodeString text;
    exportDateFormatter().format(static_cast<UDate>(millisecondsOf(instant)), text);
    std::string utf8;
    return text.toUTF8String(utf8);
}

std::string numberText(double value)
{
    char buffer[maxNumberText];
    return std::string(buffer, writeNumber(buffer, value));
}

char* writeExportDay(char* out, Instant instant)
{
    const auto day = std::chrono::floor<std::chrono::days>(instant);
    if (day < plainDaysBegin || day >= plainDaysEnd) {
        const std::string text = exportDayWithFormatter(instant);
        return std::copy(text.begin(), text.end(), out);
    }
    const std::chrono::year_month_day date{day};
    const auto put = [&out](unsigned value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            out[i] = static_cast<char>('0' + value % 10);
        out += digits;
    };
    put(static_cast<unsigned>(static_cast<int>(date.year())), 4);
    *out++ = '-';
    put(static_cast<unsigned>(date.month()), 2);
    *out++ = '-';
    put(static_cast<unsigned>(date.day()), 2);
    return out;
}

std::string exportDay(Instant instant)
{
    char buffer[maxDayText];
    return std::string(buffer, writeExportDay(buffer, instant));
}

std::string noteField(std::string_view note)
{
    std::string text;
    text.reserve(note.size() + 3);
    // The first code point decides: a spreadsheet looks at code points, so a trigger carrying a
    // combining mark, or a CR starting a CR LF, still starts a formula.
    if (!note.empty() && formulaTriggers.find(note.front()) != std::string_view::npos)
        text.push_back('\'');
    text.append(note);
    // A CR is quoted too: unquoted it would end the row for every reader of the format.
    if (std::none_of(text.begin(), text.end(), [](char c) { return c == ',' || c == '"' || c == '\n' || c == '\r'; }))
        return text;
    std::string quoted;
    quoted.reserve(text.size() + 8);
    quoted.push_back('"');
    for (const char c : text) {
        if (c == '"')
            quoted.push_back('"');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

} // namespace CSVPorter
