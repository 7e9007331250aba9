#pragma once
// The tables of the value rules (ValueRulesData.cpp), for ValueRules.cpp only.
#include "ValueRules.h"

namespace ValueRules {

// Ranges that follow the sensor or a mode rather than the row alone.
enum class Limit {
    Width,             // maximum the sensor width; minimum 48 with binning in `list`, else 96
    Height,            // maximum the sensor height
    DigitalGain,       // DigitalGainRange of the gain mode
    ExposureByBinning, // minimum 3 with either sequencer binning, else 1
};

struct LimitRule {
    std::vector<int> rows;
    Limit limit;
    int list = 0;        // the binning list of a width, or of a halved height
    bool halved = false; // a sequencer set's region: the maximum halves with binning in `list`
};

const std::vector<Rule>& Rules();
const std::vector<RegionCheck>& RegionChecks();
const std::vector<LimitRule>& LimitRules();

} // namespace ValueRules
