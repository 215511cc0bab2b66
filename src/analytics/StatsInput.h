#pragma once

#include "analytics/Instant.h"
#include "analytics/Uuid.h"

// Plain snapshot of one balance entry, the only form in which the analytics see entries.
struct StatsInput {
    Uuid id;
    Instant date;
    double balance = 0;
    double adjustment = 0; // cash flow at that point: deposit > 0, withdrawal < 0
};
