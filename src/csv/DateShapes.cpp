#include "csv/DateShapes.h"

#include <array>
#include <span>

namespace CSVPorter {
namespace {

constexpr int firstPlainYear = 1600;
constexpr std::size_t usPattern = 2;      // "MM/dd/yyyy"
constexpr std::size_t usShortPattern = 3; // "M/d/yyyy"

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

// Reads the parts of one spelling from left to right. The first part that does not match
// marks the whole reading failed; later reads then give nothing.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // Exactly `count` digits.
    int digits(std::size_t count)
    {
        if (failed_ || position_ + count > text_.size())
            return fail();
        int value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const char c = text_[position_ + i];
            if (c < '0' || c > '9')
                return fail();
            value = value * 10 + (c - '0');
        }
        position_ += count;
        lastDigitCount_ = count;
        return value;
    }

    // One or two digits (two when there are two).
    int shortNumber()
    {
        const bool two = position_ + 1 < text_.size() && text_[position_ + 1] >= '0' && text_[position_ + 1] <= '9';
        return digits(two ? 2 : 1);
    }

    // An English month name or its three-letter abbreviation, any letter case, up to a space.
    int monthName()
    {
        static constexpr std::array<std::string_view, 12> names = {
            "january", "february", "march", "april", "may", "june",
            "july", "august", "september", "october", "november", "december"};
        const std::size_t end = text_.find(' ', position_);
        if (failed_ || end == std::string_view::npos)
            return fail();
        const std::string_view word = text_.substr(position_, end - position_);
        for (std::size_t m = 0; m < names.size(); ++m) {
            if (equalsIgnoringCase(word, names[m]) || equalsIgnoringCase(word, names[m].substr(0, 3))) {
                position_ = end;
                return static_cast<int>(m) + 1;
            }
        }
        return fail();
    }

    void expect(std::string_view literal)
    {
        if (failed_ || text_.substr(position_, literal.size()) != literal)
            fail();
        else
            position_ += literal.size();
    }

    bool atEnd() const { return !failed_ && position_ == text_.size(); }
    std::size_t lastDigitCount() const { return lastDigitCount_; }

private:
    int fail()
    {
        failed_ = true;
        return -1;
    }

    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t lastDigitCount_ = 0;
    bool failed_ = false;
};

enum class Part { Year, Month, Day, ShortMonth, ShortDay, MonthName, Hour, Minute, Second };

// One part of a spelling and the literal text that follows it.
struct Step {
    Part part;
    std::string_view then;
};

// The canonical spellings, each read by exactly the pattern noted (earlier patterns refuse it).
constexpr Step isoDayLayout[] = {{Part::Year, "-"}, {Part::Month, "-"}, {Part::Day, ""}};                  // 1
constexpr Step slashDayLayout[] = {{Part::Year, "/"}, {Part::Month, "/"}, {Part::Day, ""}};                // 2
constexpr Step usDayLayout[] = {{Part::ShortMonth, "/"}, {Part::ShortDay, "/"}, {Part::Year, ""}};         // 3 or 4
constexpr Step isoTimeLayout[] = {{Part::Year, "-"}, {Part::Month, "-"}, {Part::Day, "T"},                  // 5
                                  {Part::Hour, ":"}, {Part::Minute, ":"}, {Part::Second, ""}};
constexpr Step monthFirstLayout[] = {{Part::MonthName, " "}, {Part::ShortDay, ", "}, {Part::Year, ""}};     // 6
constexpr Step dayFirstLayout[] = {{Part::ShortDay, " "}, {Part::MonthName, " "}, {Part::Year, ""}};       // 7

// A layout and the pattern that reads its spellings.
struct Layout {
    std::span<const Step> steps;
    std::size_t pattern;
};

std::optional<CivilDateTime> read(std::string_view text, const Layout& layout)
{
    Scanner scanner(text);
    CivilDateTime when;
    when.pattern = layout.pattern;
    for (const Step& step : layout.steps) {
        switch (step.part) {
        case Part::Year: when.year = scanner.digits(4); break;
        case Part::Month: when.month = scanner.digits(2); break;
        case Part::Day: when.day = scanner.digits(2); break;
        case Part::ShortMonth: when.month = scanner.shortNumber(); break;
        case Part::ShortDay:
            when.day = scanner.shortNumber();
            if (layout.pattern == usPattern && scanner.lastDigitCount() == 1)
                when.pattern = usShortPattern; // "MM/dd/yyyy" wants two day digits
            break;
        case Part::MonthName: when.month = scanner.monthName(); break;
        case Part::Hour: when.hour = scanner.digits(2); when.hasTime = true; break;
        case Part::Minute: when.minute = scanner.digits(2); break;
        case Part::Second: when.second = scanner.digits(2); break;
        }
        scanner.expect(step.then);
    }
    const bool valid = scanner.atEnd() && when.year >= firstPlainYear && when.month >= 1 && when.month <= 12
        && when.day >= 1 && when.day <= daysInMonth(when.year, when.month) && when.hour <= 23 && when.minute <= 59
        && when.second <= 59;
    return valid ? std::optional(when) : std::nullopt;
}

} // namespace

std::optional<CivilDateTime> canonicalDate(std::string_view text)
{
    if (text.size() < 8 || text.size() > 19)
        return std::nullopt;
    for (const Layout& layout : {Layout{isoDayLayout, 0}, Layout{slashDayLayout, 1}, Layout{usDayLayout, usPattern},
                                 Layout{isoTimeLayout, 4}, Layout{monthFirstLayout, 5}, Layout{dayFirstLayout, 6}})
        if (auto when = read(text, layout))
            return when;
    return std::nullopt;
}

} // namespace CSVPorter
