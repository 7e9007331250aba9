#include "AutomaticData.h"

#include "Ids.h"

namespace AutomaticData {

const std::vector<Entry>& WhiteBalanceEntries(bool individualGain, bool individualExposure)
{
    static const std::vector<Entry> all = {
        {"Off", 0},         {"Continuous", 1},  {"Once", 2},         {"ExposureContinuous", 3},
        {"ExposureOnce", 4}, {"Preset3200K", 5}, {"Preset5000K", 6}, {"Preset6500K", 7},
        {"Preset7500K", 8},
    };
    static const std::vector<Entry> common = {
        {"Off", 0},         {"Continuous", 1},  {"Once", 2},         {"Preset3200K", 5},
        {"Preset5000K", 6}, {"Preset6500K", 7}, {"Preset7500K", 8},
    };
    static const std::vector<Entry> exposureOnly = {{"Off", 0}, {"ExposureOnce", 4}, {"ExposureContinuous", 3}};
    static const std::vector<Entry> none;
    if (!individualGain)
        return individualExposure ? all : common;
    return individualExposure ? exposureOnly : none;
}

const std::vector<int>& BypassReleasedControls()
{
    static const std::vector<int> ids = {1868, 1405, 2523, 2529, 2535, 2806, 2540, 2543};
    return ids;
}

const std::vector<int>& BypassLockedControls()
{
    static const std::vector<int> ids = [] {
        std::vector<int> v = {1868, 1405, 2575, 2523, 2529, 2535, 2806, 2540, 2543};
        for (int first : {int(CtrlId::AlcAreaFirst), int(CtrlId::AwbAreaFirst)})
            for (int id = first; id < first + 16; ++id)
                v.push_back(id);
        return v;
    }();
    return ids;
}

} // namespace AutomaticData
