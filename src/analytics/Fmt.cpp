#include "analytics/Fmt.h"

#include "analytics/Blanks.h"
#include "analytics/CurrencyShape.h"
#include "analytics/LocalCalendar.h"

#include <unicode/datefmt.h>
#include <unicode/decimfmt.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/numfmt.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <memory>

// ICU date formats are not thread-safe and number formats are cheapest used unshared, so each
// thread keeps its own formatters, built with the same settings on first use. They follow
// ICU's default locale and time zone, which the application takes from LANG/LC_ALL and TZ
// at start-up and never changes; should the default change (tests switch it), the thread's
// formatters are rebuilt on their next use.
namespace {
const icu::Locale& posixLocale()
{
    static const icu::Locale locale("en_US_POSIX");
    return locale;
}

std::unique_ptr<icu::DecimalFormat> decimalFormat(icu::NumberFormat* made, UErrorCode status)
{
    std::unique_ptr<icu::NumberFormat> format(made);
    if (U_FAILURE(status) || !dynamic_cast<icu::DecimalFormat*>(format.get()))
        return nullptr;
    return std::unique_ptr<icu::DecimalFormat>(static_cast<icu::DecimalFormat*>(format.release()));
}

// Currency style with the sign always "$"; `code` null keeps the locale's own currency.
std::unique_ptr<icu::DecimalFormat> dollarFormat(const icu::Locale& locale, const char16_t* code, int maximumFractionDigits)
{
    UErrorCode status = U_ZERO_ERROR;
    auto format = decimalFormat(icu::NumberFormat::createCurrencyInstance(locale, status), status);
    if (!format)
        return nullptr;
    if (code) {
        format->setCurrency(code, status);
        if (U_FAILURE(status))
            return nullptr;
    }
    format->setMaximumFractionDigits(maximumFractionDigits);
    icu::DecimalFormatSymbols symbols(*format->getDecimalFormatSymbols());
    symbols.setSymbol(icu::DecimalFormatSymbols::kCurrencySymbol, u"$");
    format->setDecimalFormatSymbols(symbols);
    return format;
}

std::unique_ptr<icu::DecimalFormat> percentFormat(const icu::Locale& locale)
{
    UErrorCode status = U_ZERO_ERROR;
    auto format = decimalFormat(icu::NumberFormat::createPercentInstance(locale, status), status);
    if (format)
        format->setMaximumFractionDigits(1);
    return format;
}

std::unique_ptr<icu::DateFormat> mediumDateFormat(const icu::Locale& locale, const icu::TimeZone& zone)
{
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateInstance(icu::DateFormat::kMedium, locale));
    if (format) {
        format->setTimeZone(zone);
        if (const icu::Calendar* calendar = format->getCalendar()) {
            std::unique_ptr<icu::Calendar> proleptic(calendar->clone());
            LocalCalendar::useProlepticGregorian(*proleptic);
            format->adoptCalendar(proleptic.release());
        }
    }
    return format;
}

// "yyyy-MM-dd" in the proleptic Gregorian calendar (like ISO 8601, no Julian years before
// 1582). A day whose midnight is skipped by a daylight-saving switch begins at the switch, and
// a repeated midnight counts from its first occurrence, as day starts do in the statistics.
// The calendar stays lenient so that a skipped midnight resolves instead of failing; parseDay
// does the strict checking.
std::unique_ptr<icu::SimpleDateFormat> isoDayFormat(const icu::TimeZone& zone)
{
    UErrorCode status = U_ZERO_ERROR;
    auto format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"yyyy-MM-dd"), posixLocale(), status);
    auto calendar = std::make_unique<icu::GregorianCalendar>(zone, posixLocale(), status);
    if (U_FAILURE(status))
        return nullptr;
    calendar->setGregorianChange(std::numeric_limits<double>::lowest(), status);
    calendar->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
    calendar->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    format->adoptCalendar(calendar.release());
    format->setBooleanAttribute(UDAT_PARSE_ALLOW_WHITESPACE, false, status);
    format->setBooleanAttribute(UDAT_PARSE_ALLOW_NUMERIC, false, status);
    format->setBooleanAttribute(UDAT_PARSE_PARTIAL_LITERAL_MATCH, false, status);
    format->setBooleanAttribute(UDAT_PARSE_MULTIPLE_PATTERNS_FOR_MATCH, false, status);
    return U_SUCCESS(status) ? std::move(format) : nullptr;
}

class ThreadFormatters {
public:
    static ThreadFormatters& current()
    {
        thread_local ThreadFormatters formatters;
        formatters.followDefaultLocale();
        return formatters;
    }

    icu::DecimalFormat* currency() { return made(currency_, [&] { return dollarFormat(locale_, u"CAD", 0); }); }
    // The whole-unit text's shape, learned from currency() once; null when it has none.
    const CurrencyShape* currencyShape()
    {
        if (!currencyShapeLearned_) {
            currencyShapeLearned_ = true;
            if (const icu::DecimalFormat* format = currency())
                currencyShape_ = CurrencyShape::learn(*format);
        }
        return currencyShape_ ? &*currencyShape_ : nullptr;
    }
    icu::DecimalFormat* currencyCents() { return made(currencyCents_, [&] { return dollarFormat(locale_, nullptr, 2); }); }
    icu::DecimalFormat* percent() { return made(percent_, [&] { return percentFormat(locale_); }); }
    icu::DateFormat* date()
    {
        followDefaultZone();
        return made(date_, [&] { return mediumDateFormat(locale_, *zone_); });
    }
    icu::SimpleDateFormat* isoDay()
    {
        followDefaultZone();
        return made(isoDay_, [&] { return isoDayFormat(*zone_); });
    }

private:
    template <typename Format, typename Make>
    static Format* made(std::unique_ptr<Format>& format, Make make)
    {
        if (!format)
            format = make();
        return format.get();
    }

    void followDefaultLocale()
    {
        const icu::Locale& locale = icu::Locale::getDefault();
        if (locale != locale_) {
            locale_ = locale;
            currency_.reset();
            currencyShape_.reset();
            currencyShapeLearned_ = false;
            currencyCents_.reset();
            percent_.reset();
            date_.reset();
        }
    }

    void followDefaultZone()
    {
        std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
        if (!zone_ || *zone != *zone_) {
            zone_ = std::move(zone);
            date_.reset();
            isoDay_.reset();
        }
    }

    icu::Locale locale_ = icu::Locale::getRoot();
    std::unique_ptr<icu::TimeZone> zone_;
    std::unique_ptr<icu::DecimalFormat> currency_;
    std::optional<CurrencyShape> currencyShape_;
    bool currencyShapeLearned_ = false;
    std::unique_ptr<icu::DecimalFormat> currencyCents_;
    std::unique_ptr<icu::DecimalFormat> percent_;
    std::unique_ptr<icu::DateFormat> date_;
    std::unique_ptr<icu::SimpleDateFormat> isoDay_;
};

std::optional<std::string> utf8(const icu::UnicodeString& text)
{
    if (text.isBogus() || text.isEmpty())
        return std::nullopt;
    std::string out;
    text.toUTF8String(out);
    return out;
}

std::optional<std::string> formatted(const icu::NumberFormat* format, double value)
{
    if (!format)
        return std::nullopt;
    icu::UnicodeString text;
    format->format(value, text);
    return utf8(text);
}

std::optional<std::string> formatted(const icu::DateFormat* format, Instant instant)
{
    if (!format)
        return std::nullopt;
    icu::UnicodeString text;
    format->format(static_cast<UDate>(millisecondsOf(instant)), text);
    return utf8(text);
}

// strtod in the C locale whatever LC_NUMERIC the process runs with.
locale_t cNumericLocale()
{
    static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}
} // namespace

namespace Fmt {
std::optional<std::string> currency(double value)
{
    ThreadFormatters& formatters = ThreadFormatters::current();
    if (const CurrencyShape* shape = formatters.currencyShape()) {
        std::string text;
        if (shape->write(value, text))
            return text;
    }
    return formatted(formatters.currency(), value);
}
std::optional<std::string> currencyCents(double value) { return formatted(ThreadFormatters::current().currencyCents(), value); }
std::optional<std::string> percent(double fraction) { return formatted(ThreadFormatters::current().percent(), fraction); }
std::optional<std::string> date(Instant instant) { return formatted(ThreadFormatters::current().date(), instant); }
std::optional<std::string> isoDay(Instant instant) { return formatted(ThreadFormatters::current().isoDay(), instant); }

std::optional<Instant> parseDay(std::string_view text)
{
    icu::SimpleDateFormat* format = ThreadFormatters::current().isoDay();
    if (!format)
        return std::nullopt;
    const std::string_view day = trimBlanks(text);
    constexpr std::size_t longestDay = 64; // far beyond any "yyyy-MM-dd"
    if (day.size() > longestDay)
        return std::nullopt;
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(day.data(), static_cast<int32_t>(day.size())));
    icu::ParsePosition position(0);
    const UDate parsed = format->parse(unicode, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != unicode.length() || !std::isfinite(parsed))
        return std::nullopt;
    // Only the canonical spelling of a real day: no rolled-over dates (2023-02-30), no
    // whitespace the parser skips between fields, no missing zeros.
    icu::UnicodeString canonical;
    format->format(parsed, canonical);
    if (canonical != unicode)
        return std::nullopt;
    return instantFromMilliseconds(std::llround(parsed));
}

std::optional<double> finiteNumber(std::string_view text)
{
    const std::string number(trimBlanks(text));
    // strtod would skip leading line breaks and the like; they are not blanks here.
    if (number.empty() || std::strchr(" \t\n\v\f\r", number.front()) || !cNumericLocale())
        return std::nullopt;
    char* end = nullptr;
    const double value = strtod_l(number.c_str(), &end, cNumericLocale());
    if (end != number.c_str() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}
} // namespace Fmt
