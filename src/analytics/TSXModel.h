#pragma once

#include "analytics/PortfolioStats.h"
#include "analytics/Uuid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Plain snapshot of one yearly comparison row.
struct TSXYearInput {
    std::int64_t sortOrder = 0;
    std::int64_t year = 0;
    std::optional<std::string> label; // UTF-8
    double tsxReturn = 0;             // a fraction: 0.215 is 21.5 %
    double netCashFlows = 0;
    double actualStart = 0;
    double actualEnd = 0;
};

struct TSXRow {
    Uuid id; // fresh for every simulation run
    TSXYearInput input;
    double simulated = 0; // index-equivalent balance at the end of the year
};

struct TSXComparison {
    double portfolioStartingBalance = 0;
    double tsxStartingBalance = 0;
    double portfolioNetCashFlows = 0;
    double tsxNetCashFlows = 0;
    double portfolioCurrentValue = 0;
    double tsxCurrentValue = 0;
    double portfolioInvestmentGain = 0;
    double tsxInvestmentGain = 0;
    double portfolioGainPercent = 0;
    double tsxGainPercent = 0;
};

// What the same money would have become in the index, year by year.
namespace TSXModel {
std::vector<TSXRow> simulate(std::span<const TSXYearInput> years);
std::optional<TSXComparison> comparison(std::span<const TSXYearInput> years, const PortfolioSummary& portfolio);
} // namespace TSXModel
