#pragma once

// Small builders shared by the dashboard view tests; zones and local times come from the
// analytics tests' helpers (ScopedZone, localTime in ICU's default zone).
#include "../analytics/LocalSettings.h"

#include "analytics/StatsInput.h"

inline StatsInput input(Instant date, double balance, double adjustment = 0)
{
    return StatsInput{Uuid::random(), date, balance, adjustment};
}
