#pragma once
// The Camera Link output format as the camera last reported it: configuration, bit allocation
// and sensor clock. The reading of the camera and the format lists update it; the exposure
// limits and the format lists read it. It starts as 1, 3, 2 until the camera says otherwise.
#include "Ids.h"

#include <cstdint>

struct ClOutputFormat {
    int32_t m_ClConfguration = 1;
    int32_t m_BitAllocation = 3;
    int32_t m_SensClkFreq = 2;

    // A value chosen for the configuration (row 1407), bit allocation (1354) or sensor clock
    // (2573); other rows change nothing. Only the Medium configuration (and those above
    // Eighty-Bit) carries more than RGB8, so another bit allocation is kept out of the others.
    void Take(int row, int32_t value)
    {
        if (row == CtrlId::ClConfiguration)
            m_ClConfguration = value;
        else if (row == CtrlId::BitAllocation && (m_ClConfguration == 1 || m_ClConfguration > 3 || value == 3))
            m_BitAllocation = value;
        else if (row == CtrlId::SensorClockFrequency)
            m_SensClkFreq = value;
    }
};
