#include "ValueRulesData.h"

#include "Ids.h"

namespace ValueRules {

namespace {

const std::vector<Rule> kRules = {
    {{2513, 2515}, Adjust::MaskByBinning, 0, 0, CtrlId::HorizontalBinning},
    {{2785, 2789}, Adjust::MaskByBinning, 0, 0, CtrlId::SequencerHorizontalBinning},
    {{1338, 1343, 1345, 1347, 1363}, Adjust::Clamp, 1, 8000000},
    {{1357, 2787, 2791}, Adjust::Even},
    {{1410, 1415, 1445}, Adjust::Clamp, 1, 100},
    {{2779}, Adjust::SequencerIndex, 1, 128},
    {{2631, 2633, 2635, 2637, 2640, 2643, 2646, 2649, 2652}, Adjust::ColourClamp, -20, 20},
    {{2655, 2657, 2659, 2669, 2671, 2673}, Adjust::ColourClamp, 0, 10},
    {{2793}, Adjust::GainWhenIgmOn},
    {{2918}, Adjust::GainWhenIgmOff},
    {{2795, 2912, 2914, 2916}, Adjust::ExposureMinByBinning},
};

// box, vertical, partner box, partner from its row, partner spin, partner spin minimum
const std::vector<RegionCheck> kRegionChecks = {
    {1357, true, 1359, true, 1579, 2},   // offset Y against the height
    {1359, true, 1357, true, 1358, 0},   // height against offset Y
    {2513, false, 2515, true, 2516, 96}, // offset X against the width
    {2515, false, 2513, true, 2514, 0},  // width against offset X
    // The sequencer boxes are edited without touching their rows until "Write", so their
    // partner's value is what its box shows.
    {2785, false, 2789, false, 2790, 0},
    {2789, false, 2785, false, 2786, 96},
    {2787, true, 2791, false, 2792, 0},
    {2791, true, 2787, false, 2788, 2},
};

const std::vector<LimitRule> kLimits = {
    {{2515}, Limit::Width, CtrlId::HorizontalBinning},
    {{2785}, Limit::Width, CtrlId::SequencerHorizontalBinning, true},
    {{1359}, Limit::Height},
    {{2787}, Limit::Height, CtrlId::SequencerVerticalBinning, true},
    {{1787, 1791, 2802, 2918, 2804}, Limit::DigitalGain},
    {{2795, 2912, 2914, 2916}, Limit::ExposureByBinning},
};

} // namespace

const std::vector<Rule>& Rules()
{
    return kRules;
}

const std::vector<RegionCheck>& RegionChecks()
{
    return kRegionChecks;
}

const std::vector<LimitRule>& LimitRules()
{
    return kLimits;
}

Range DigitalGainRange(bool individualGain)
{
    return individualGain ? Range{100, 6400} : Range{47, 400};
}

} // namespace ValueRules
