#pragma once

#include "analytics/Instant.h"

#include <chrono>
#include <functional>

// Where the dashboard views read the current instant; tests hand in a fixed one.
using Clock = std::function<Instant()>;

inline Instant systemNow()
{
    return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
}
