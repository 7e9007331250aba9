#pragma once
// The Camera Link output format as the camera last reported it: configuration, bit allocation
// and sensor clock. The reading of the camera and the format lists update it; the exposure
// limits and the format lists read it. It starts as 1, 3, 2 until the camera says otherwise.
#include <cstdint>

struct ClOutputFormat {
    int32_t m_ClConfguration = 1;
    int32_t m_BitAllocation = 3;
    int32_t m_SensClkFreq = 2;
};
