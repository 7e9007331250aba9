#pragma once
// The camera's output lookup tables: one per colour channel, 32 entries of 12 bits each.
// Entry j stands for the input level 128 j (the last one for 4095).
#include <array>
#include <cstdint>

namespace Lut {

constexpr int kEntries = 32;
constexpr uint32_t kMaxValue = 4095;
constexpr int kChannels = 3;
enum Channel : int { Red = 0, Green = 1, Blue = 2 };

using Table = std::array<uint32_t, kEntries>;
using Tables = std::array<Table, kChannels>;

// The input level each entry stands for: 0, 128, ..., 3840 and 4095 for the last.
constexpr uint32_t InputLevel(int entry)
{
    return entry == kEntries - 1 ? kMaxValue : 128u * uint32_t(entry);
}

} // namespace Lut
