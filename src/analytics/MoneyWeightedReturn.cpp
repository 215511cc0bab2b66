#include "analytics/MoneyWeightedReturn.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

namespace {
// base^exponent for exponent ≥ 0, by squaring.
double power(double base, long long exponent)
{
    double result = 1;
    for (; exponent > 0; exponent >>= 1, base *= base)
        if (exponent & 1)
            result *= base;
    return result;
}

// The flows in day order, counted from the first day, so that their present value there is
// Σ amount · exp(−y · day / span) for the span's log-growth y = ln(1 + R). The discount
// factors are chained from one day's factor (a call of exp per flow costs far more than the
// rest of the sum) and taken afresh every so often so that rounding cannot build up. For |y|
// within the grid below every term stays finite.
struct Discounting {
    std::vector<long long> day;
    std::vector<double> amount;
    long long span = 0;

    double presentValue(double y) const
    {
        constexpr std::size_t exactEvery = 64;
        const double perDay = -y / static_cast<double>(span);
        const double daily = std::exp(perDay);
        double factor = 1;
        double sum = 0;
        for (std::size_t i = 0; i < day.size(); ++i) {
            factor = i % exactEvery == 0 ? std::exp(perDay * static_cast<double>(day[i])) : factor * power(daily, day[i] - day[i - 1]);
            sum += amount[i] * factor;
        }
        return sum;
    }
};

// Log-growth values probed for a change of sign, densest near zero. The span's return runs
// from e^−100 − 1 (all but everything lost) to e^100 − 1; two rates between neighbouring
// probes are not told apart (they do not change the sign there).
constexpr std::array<double, 15> probes{1e-4, 1e-3, 0.01, 0.05, 0.1, 0.25, 0.5, 1, 2, 4, 8, 16, 32, 64, 100};

std::vector<double> grid()
{
    std::vector<double> points;
    for (auto p = probes.rbegin(); p != probes.rend(); ++p)
        points.push_back(-*p);
    points.push_back(0);
    points.insert(points.end(), probes.begin(), probes.end());
    return points;
}

// Brent's method on [a, b], where f(a) and f(b) differ in sign; nothing if it does not
// settle within the iteration limit.
template <class F>
std::optional<double> brent(const F& f, double a, double b, double fa, double fb)
{
    constexpr double tolerance = 1e-14;
    double c = b;
    double fc = fb;
    double d = 0;
    double e = 0;
    for (int iteration = 0; iteration < 200; ++iteration) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::abs(fc) < std::abs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2 * DBL_EPSILON * std::abs(b) + 0.5 * tolerance;
        const double half = 0.5 * (c - b);
        if (std::abs(half) <= tol || fb == 0)
            return b;
        if (std::abs(e) >= tol && std::abs(fa) > std::abs(fb)) {
            // Inverse quadratic interpolation, or the secant step when only two points differ.
            const double s = fb / fa;
            double p = 0;
            double q = 0;
            if (a == c) {
                p = 2 * half * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc;
                const double r = fb / fc;
                p = s * (2 * half * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0)
                q = -q;
            p = std::abs(p);
            if (2 * p < std::min(3 * half * q - std::abs(tol * q), std::abs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = e = half; // the interpolation strays: bisect
            }
        } else {
            d = e = half;
        }
        a = b;
        fa = fb;
        b += std::abs(d) > tol ? d : std::copysign(tol, half);
        fb = f(b);
    }
    return std::nullopt;
}

// ln(1 + R) over the span, −∞ for a total loss; nothing where the contract says so.
std::optional<double> logGrowth(std::span<const DatedAmount> flows, long long& span)
{
    if (flows.empty())
        return std::nullopt;
    const auto byDay = [](const DatedAmount& a, const DatedAmount& b) { return a.day < b.day; };
    std::vector<DatedAmount> reordered; // only when not in day order already, as a window's flows are
    if (!std::is_sorted(flows.begin(), flows.end(), byDay)) {
        reordered.assign(flows.begin(), flows.end());
        std::stable_sort(reordered.begin(), reordered.end(), byDay);
        flows = reordered;
    }
    span = flows.back().day - flows.front().day;
    if (span <= 0)
        return std::nullopt;
    Discounting discounting;
    discounting.span = span;
    bool paidIn = false;
    bool received = false;
    for (const DatedAmount& flow : flows) {
        if (!std::isfinite(flow.amount))
            return std::nullopt;
        if (flow.amount == 0)
            continue;
        (flow.amount < 0 ? paidIn : received) = true;
        discounting.day.push_back(flow.day - flows.front().day);
        discounting.amount.push_back(flow.amount);
    }
    if (paidIn && !received)
        return -std::numeric_limits<double>::infinity();
    if (!paidIn || !received)
        return std::nullopt;

    const auto f = [&discounting](double y) { return discounting.presentValue(y); };
    const std::vector<double> points = grid();
    std::vector<double> values(points.size());
    for (std::size_t k = 0; k < points.size(); ++k)
        if (values[k] = f(points[k]); !std::isfinite(values[k]))
            return std::nullopt;
    std::optional<double> root;
    for (std::size_t k = 1; k < points.size(); ++k) {
        if ((values[k] > 0) == (values[k - 1] > 0))
            continue;
        if (root)
            return std::nullopt; // more than one rate fits these flows
        root = brent(f, points[k - 1], points[k], values[k - 1], values[k]);
        if (!root)
            return std::nullopt;
    }
    return root;
}
} // namespace

namespace MoneyWeightedReturn {
std::optional<double> xirr(std::span<const DatedAmount> flows)
{
    long long span = 0;
    const std::optional<double> y = logGrowth(flows, span);
    if (!y)
        return std::nullopt;
    const double rate = std::expm1(*y * 365.0 / static_cast<double>(span));
    return std::isfinite(rate) ? std::optional(rate) : std::nullopt;
}

std::optional<double> overSpan(std::span<const DatedAmount> flows)
{
    long long span = 0;
    const std::optional<double> y = logGrowth(flows, span);
    return y ? std::optional(std::expm1(*y)) : std::nullopt;
}
} // namespace MoneyWeightedReturn
