#include "ReloadData.h"

#include "ParameterTable.h"

#include <algorithm>
#include <cstdio>

namespace ReloadData {

const std::vector<uint32_t>& ExcludedControls()
{
    static const std::vector<uint32_t> ids = {
        2518, 2520, 2524, 2526, 2530, 2532,                         // LUT index and data
        1417, 1424, 1438, 1423, 1427, 1441, 1456, 1449, 1460,       // blemish per colour
        2551, 2608,                                                  // ABG
        1452, 1457, 1461, 1465, 2557, 2559, 2563, 2565,             // factory blemish
        1832, 1834, 1836, 1773, 1777, 1781, 1822, 1828, 1830,
        1788, 1795, 1802, 1743, 1756, 1745, 1760, 1749, 1764,
        1900, 1901, 1902, 1903, 1904, 1934, 1935, 1937, 1939, 1941,
        2580,                                                        // FAS
        2781, 2783, 2797, 2798, 2785, 2787, 2789, 2791, 2793, 2795, // sequencer entry
        2912, 2914, 2916, 2799, 2800, 2802, 2918, 2804, 2779,
        2811, 2814, 2816, 2819, 2821, 2824, 2878, 2880,             // counters
        2898, 1382,                                                  // SBDRT, TD
    };
    return ids;
}

const std::vector<uint32_t>& MultiRoiRows()
{
    static const std::vector<uint32_t> ids = {2712, 2714, 2720, 2722, 2728, 2730, 2736,
                                              2738, 2744, 2746, 2752, 2754, 2906};
    return ids;
}

const std::vector<int>& MultiRoiControls()
{
    static const std::vector<int> ids = [] {
        std::vector<int> v = {2886};
        for (int id = 2887; id <= 2894; ++id)
            v.push_back(id);
        for (int first : {2712, 2720, 2728, 2736, 2744, 2752})
            for (int id = first; id <= first + 3; ++id)
                v.push_back(id);
        v.push_back(2872);
        return v;
    }();
    return ids;
}

static bool contains(const std::vector<uint32_t>& ids, uint32_t id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool IsExcluded(uint32_t ctrlId) { return contains(ExcludedControls(), ctrlId); }
bool IsMultiRoiRow(uint32_t ctrlId) { return contains(MultiRoiRows(), ctrlId); }

bool InReloadSet(const ParameterRow& row)
{
    return row.ctrlKind != kAction && !IsExcluded(row.ctrlId);
}

const std::vector<int32_t>& GammaValues()
{
    static const std::vector<int32_t> values = {45, 50, 55, 60, 65, 75, 80, 90, 100};
    return values;
}

const std::vector<int32_t>& FactoryBaudValues()
{
    static const std::vector<int32_t> values = {1, 2, 4, 8, 16, 32, 64, 128};
    return values;
}

int ItemForValue(const std::vector<int32_t>& values, int32_t value)
{
    // Item 0 stands for everything unknown, so its own value never needs a match.
    for (size_t i = 1; i < values.size(); ++i)
        if (values[i] == value)
            return static_cast<int>(i);
    return 0;
}

const char* CameraModeText(int32_t vsm)
{
    switch (vsm) {
    case 1: return "TriggerSequencerMode";
    case 2: return "CommandSeqencerMode";
    case 4: return "SensorMultiRoiMode";
    default: return "Normal Mode";
    }
}

std::string SupportedBaudText(uint32_t mask)
{
    static const struct { uint32_t mask; const char* rate; } rates[] = {
        {1, "9600"},     {3, "19200"},    {7, "38400"},    {15, "57600"},
        {31, "115200"},  {63, "230400"},  {127, "460800"}, {255, "921600"},
    };
    const char* rate = "9600";
    for (const auto& r : rates)
        if (r.mask == mask)
            rate = r.rate;
    return std::string("BaudRateMax ") + rate;
}

std::vector<ListItem> BaudRateItems(uint32_t mask)
{
    std::vector<ListItem> items = {
        {"Baud9600", 1}, {"Baud19200", 2}, {"Baud38400", 4}, {"Baud57600", 8}, {"Baud115200", 16}};
    if (mask >= 63)
        items.push_back({"Baud230400", 32});
    if (mask >= 127)
        items.push_back({"Baud460800", 64});
    if (mask == 255)
        items.push_back({"Baud921600", 128});
    return items;
}

const std::vector<ListItem>& ClConfigurationItems()
{
    static const std::vector<ListItem> items = {
        {"Base", 0}, {"Medium", 1}, {"Full", 2}, {"Eighty-Bit", 3}};
    return items;
}

const std::vector<ListItem>& ClockItems()
{
    static const std::vector<ListItem> items = {{"37.1MHz", 0}, {"74.3MHz", 1}, {"84.9MHz", 2}};
    return items;
}

std::vector<ListItem> BitAllocationItems(int32_t clConfiguration)
{
    if (clConfiguration == 1)
        return {{"RGB8", 3}, {"RGB10", 4}, {"RGB12", 5}};
    return {{"RGB8", 3}};
}

const std::vector<ListItem>& ModelTestPatternItems()
{
    static const std::vector<ListItem> items = {
        {"Horizontal Colorbar", 4}, {"Vertical Colorbar", 5}, {"Moving Colorbar", 6}};
    return items;
}

const ListItem& ModelShadingItem()
{
    static const ListItem item = {"Color Shading", 1};
    return item;
}

} // namespace ReloadData
