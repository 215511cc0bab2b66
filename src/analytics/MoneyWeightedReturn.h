#pragma once

#include <optional>
#include <span>

// One cash flow seen from the investor: money paid into the portfolio is negative, money
// received from it (withdrawals, the final value) positive. `day` counts whole days from any
// fixed origin.
struct DatedAmount {
    long long day = 0;
    double amount = 0;
};

// The internal rate of return of dated cash flows: the rate at which their present value at
// the first day is zero. The rate is found by bracketing on a fixed grid and refining with
// Brent's method; when the flows admit no rate, more than one rate, or any non-finite amount,
// the answer is nothing, never an approximate or arbitrary number. Flows may come in any
// order and any sign pattern. Paying in without ever receiving anything is a rate of -1.
namespace MoneyWeightedReturn {
// The rate per 365 days (actual/365, as spreadsheet XIRR): r with
// Σ amount · (1 + r)^(−(day − firstDay) / 365) = 0.
std::optional<double> xirr(std::span<const DatedAmount> flows);
// The rate over the flows' own span, from the first day to the last: R with
// Σ amount · (1 + R)^(−(day − firstDay) / (lastDay − firstDay)) = 0.
std::optional<double> overSpan(std::span<const DatedAmount> flows);
} // namespace MoneyWeightedReturn
