#include "csv/ExportFields.h"

#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

namespace CSVPorter {
namespace {

// The process-wide export formatter: UTC, Gregorian, en_US_POSIX, yyyy-MM-dd. Formatting is a
// const operation on it (ICU clones the calendar for each call), so threads may share it.
const icu::SimpleDateFormat& exportDateFormatter()
{
    static const std::unique_ptr<icu::SimpleDateFormat> formatter = [] {
        UErrorCode status = U_ZERO_ERROR;
        auto made = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"yyyy-MM-dd"), icu::Locale("en_US_POSIX"), status);
        made->adoptCalendar(new icu::GregorianCalendar(icu::TimeZone::getGMT()->clone(), icu::Locale("en_US_POSIX"), status));
        return made;
    }();
    return *formatter;
}

// The range in which ICU's Gregorian calendar (Julian before October 1582) and the proleptic
// calendar of <chrono> agree, and "yyyy" gives four digits: 1583-01-01 to 9999-12-31.
constexpr std::chrono::sys_days plainDaysBegin = std::chrono::year{1583} / 1 / 1;
constexpr std::chrono::sys_days plainDaysEnd = std::chrono::year{10000} / 1 / 1;

} // namespace

std::string numberText(double value)
{
    char buffer[64];
    const double magnitude = std::fabs(value);
    const bool fixed = std::isfinite(value) && (magnitude == 0 || (magnitude >= 1e-4 && magnitude < 0x1p53));
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      fixed ? std::chars_format::fixed : std::chars_format::scientific);
    std::string text(buffer, result.ptr);
    if (fixed && text.find('.') == std::string::npos)
        text += ".0";
    return text;
}

std::string exportDay(Instant instant)
{
    const auto day = std::chrono::floor<std::chrono::days>(instant);
    if (day >= plainDaysBegin && day < plainDaysEnd) {
        const std::chrono::year_month_day date{day};
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
        return buffer;
    }
    icu::UnicodeString text;
    exportDateFormatter().format(static_cast<UDate>(millisecondsOf(instant)), text);
    std::string utf8;
    return text.toUTF8String(utf8);
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
    if (text.find_first_of(",\"\n\r") == std::string::npos)
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
