#pragma once
// The fixed lists of the automatic functions' window side (AutomaticData.cpp): the entries
// of the white balance list for each gain and exposure-time mode, and the controls that the
// video process bypass switches.
#include <cstdint>
#include <vector>

namespace AutomaticData {

struct Entry {
    const char* text;
    int32_t value; // the AWB value
};
// The white balance entries with Individual Gain Mode and the exposure time mode
// "Individual" on or off. The list is not used at all with the gain mode on and "Common".
const std::vector<Entry>& WhiteBalanceEntries(bool individualGain, bool individualExposure);

// Controls besides the lists that a switched-off bypass enables (GMA follows the LUT mode
// the camera reports), and those a bypass disables.
const std::vector<int>& BypassReleasedControls();
const std::vector<int>& BypassLockedControls();

} // namespace AutomaticData
