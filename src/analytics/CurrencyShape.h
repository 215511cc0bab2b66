#pragma once

#include <optional>
#include <string>

#include <unicode/decimfmt.h>

// Whole-unit currency text written without ICU's number pipeline, which costs a few
// microseconds an amount: noticeable when a listing shows a million. The locale's signs,
// symbol and grouping separator are learned from the ICU format itself and the result is
// checked against it on sample amounts, so a locale whose text takes another shape (other
// digits, other grouping) simply keeps ICU.
class CurrencyShape {
public:
    // Nothing when the format's text does not fit the shape.
    static std::optional<CurrencyShape> learn(const icu::DecimalFormat& format);

    // Appends `value` as the format would write it and returns true; returns false, leaving
    // `out` alone, for amounts left to ICU (under one unit once rounded, 10^15 and above,
    // not finite).
    bool write(double value, std::string& out) const;

private:
    struct Affixes {
        std::string prefix;
        std::string suffix;
    };
    Affixes positive_;
    Affixes negative_;
    std::string separator_;
};
