#include "analytics/YearFieldText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

TEST(YearFieldText, ReadYear)
{
    const std::pair<const char*, std::int32_t> cases[] = {
        {"2024", 2024}, {"  2024 ", 2024}, {"\t+2024\u00a0", 2024}, {"-44", -44}, {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        // Everything else is 0: empty, letters, inner blanks, other signs and separators,
        // beyond 32 bits, a line break (not a blank), non-ASCII digits.
        {"", 0}, {"   ", 0}, {"2024a", 0}, {"20 24", 0}, {"3000000000", 0}, {"2147483648", 0}, {"99999999999999999999", 0},
        {"2,024", 0}, {"2024.0", 0}, {"+", 0}, {"--5", 0}, {"2024\n", 0}, {"\u2212""5", 0}, {"\u0662\u0660", 0}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(YearFieldText::readYear(text), expected) << '"' << text << '"';
}

TEST(YearFieldText, ReadDecimal)
{
    const std::pair<const char*, double> cases[] = {
        {"0.215", 0.215}, {" 0.215\t", 0.215}, {"-0.05", -0.05}, {"+3", 3}, {"1e-2", 0.01}, {"2.5E3", 2500}, {".5", 0.5},
        {"5.", 5}, {"125000", 125000},
        {"21.5%", 0}, {"21,5", 0}, {"1,234.5", 0}, {"$100", 0}, {"", 0}, {" ", 0}, {".", 0}, {"e5", 0}, {"1e", 0},
        {"1e+", 0}, {"0x1p3", 0}, {"inf", 0}, {"nan", 0}, {"1e999", 0}, {"1 000", 0}, {"5\n", 0}, {"\u2212""5", 0}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(YearFieldText::readDecimal(text), expected) << '"' << text << '"';
}

// What load shows reads back to exactly the stored value, in its shortest form.
TEST(YearFieldText, ShownTextsReadBackExactly)
{
    EXPECT_EQ(YearFieldText::yearText(-7), "-7");
    EXPECT_EQ(YearFieldText::decimalText(-0.0), "");
    for (const double value : {0.1 + 0.2, -1234567.891, 1e20, 5e-324, std::numeric_limits<double>::max(), 1.0 / 3})
        EXPECT_EQ(YearFieldText::readDecimal(YearFieldText::decimalText(value)), value) << YearFieldText::decimalText(value);
    EXPECT_EQ(YearFieldText::decimalText(0.1 + 0.2), "0.30000000000000004");
}
