#pragma once

#include <bit>
#include <cstdint>
#include <utility>

// Whether a newly written attribute value is the one already held. Doubles compare by their
// bits, so that NaN equals NaN (no endless "changed") and -0 differs from +0 (it is stored).
template <class T>
bool sameAttributeValue(const T& a, const T& b)
{
    return a == b;
}

inline bool sameAttributeValue(const double& a, const double& b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
