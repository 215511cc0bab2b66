#include "analytics/CurrencyShape.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace {
std::string icuText(const icu::DecimalFormat& format, double value)
{
    icu::UnicodeString text;
    format.format(value, text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

constexpr const char* asciiDigits = "0123456789";
} // namespace

std::optional<CurrencyShape> CurrencyShape::learn(const icu::DecimalFormat& format)
{
    if (format.getRoundingMode() != icu::DecimalFormat::kRoundHalfEven)
        return std::nullopt;
    CurrencyShape shape;
    // The affixes around the digits of ±1234567, and what stands between "1" and "234".
    for (const double sample : {1234567.0, -1234567.0}) {
        const std::string text = icuText(format, sample);
        const auto first = text.find_first_of(asciiDigits);
        const auto second = text.find('2', first);
        const auto last = text.find_last_of(asciiDigits);
        if (first == std::string::npos || second == std::string::npos || text[first] != '1')
            return std::nullopt;
        Affixes& affixes = sample > 0 ? shape.positive_ : shape.negative_;
        affixes = {text.substr(0, first), text.substr(last + 1)};
        shape.separator_ = text.substr(first + 1, second - first - 1);
    }
    // Every digit count, the grouping boundaries and ties to even, both signs.
    for (const double sample : {1.0, 12.0, 123.0, 999.5, 1000.0, 1234.5, 12345.0, 123456.0, 2.5, 3.5, 2.4999999999999996, 10000000.0,
                                98765432109.0, 999999999999999.0}) {
        for (const double signed_ : {sample, -sample}) {
            std::string written;
            if (!shape.write(signed_, written) || written != icuText(format, signed_))
                return std::nullopt;
        }
    }
    return shape;
}

bool CurrencyShape::write(double value, std::string& out) const
{
    constexpr double largest = 1e15;
    if (!std::isfinite(value))
        return false;
    // The default rounding of the floating-point environment is half to even, as the
    // format's; on the exact binary value, which ICU's shortest decimal reading agrees with
    // on which side of a half it lies.
    const double magnitude = std::fabs(std::nearbyint(value));
    if (magnitude < 1 || magnitude >= largest)
        return false;
    char digits[16];
    int count = 0;
    for (auto units = static_cast<std::uint64_t>(magnitude); units > 0; units /= 10)
        digits[count++] = char('0' + units % 10);
    const Affixes& affixes = value < 0 ? negative_ : positive_;
    out += affixes.prefix;
    for (int i = count - 1; i >= 0; --i) {
        out += digits[i];
        if (i > 0 && i % 3 == 0)
            out += separator_;
    }
    out += affixes.suffix;
    return true;
}
