#include "ControlRules.h"

#include "ReloadData.h"

#include <algorithm>
#include <utility>

namespace ControlRules {

namespace {

bool contains(const std::vector<int>& ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// Blemish, LUT and sequencer boxes: their features write them with their own buttons.
const std::vector<int> kOwnFeatureBoxes = {
    1416, 1424, 1427, 1449, 1434, 1438, 1441, 1460, 1417, 1423, 1456, 1452, 1457, 1461, 1465,
    2557, 2559, 2563, 2565, 1547, 1549, 1567, 1569, 2518, 2520, 2524, 2526, 2530, 2532,
    2779, 2781, 2783, 2785, 2787, 2789, 2791, 2793, 2795, 2912, 2914, 2916, 2800, 2802,
    2918, 2804,
};

const std::vector<int> kSpinRangeExceptions = {
    2898, 2906, 2631, 2633, 2635, 2637, 2640, 2643, 2646, 2649, 2652,
    2655, 2657, 2659, 2665, 2667, 2669, 2671, 2673, 2675,
};

const std::vector<ListValues> kListValues = {
    {{1406, 1408}, {1, 2}},
    {{1349}, {0, 1, 2, 10, 11, 12, 13, 14, 15, 16, 17, 21, 22, 23, 26, 27}},
    {{1356, 2907}, {0, 1, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 21, 22, 23, 26, 27}},
    {{2339, 2340, 2341, 2342},
     {0, 1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 21, 22, 23, 26, 27}},
    {{2345}, {0, 1, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 21, 22, 23, 26, 27}},
    {{2346}, {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 21, 22, 23, 26, 27}},
    {{2347}, {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 21, 22, 23, 26, 27}},
    {{2348}, {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 21, 22, 23, 26, 27}},
    {{2810}, {0, 1}},
    {{2815}, {0, 3}},
    {{2820}, {0, 2}},
    {{2870}, {10, 12}},
    {{1407}, {0, 1, 2, 3}},
    {{2575}, ReloadData::GammaValues()},
};

const std::vector<int> kZeroIsValue = {2573, 1354, 1407, 2799, 2797, 2798};

const std::vector<EnableTable> kEnableTables = {
    {EnableRule::ExposureMode, 1337,
     {{0, {1363, 1364}, {1338, 2538, 1341}},
      {1, {1338, 2538, 1341}, {}},
      {-1, {}, {1338, 2538, 1341, 1363, 1364}}}},
    {EnableRule::ExposureTimeMode, 1368,
     {{0, {1338}, {1343, 1345, 1347}},
      {-1, {1343, 1345, 1347}, {1338}}}},
    {EnableRule::TriggerMode, 1341,
     {{0, {1363, 1364}, {}},
      {-1, {}, {1363, 1364}}}},
    // The LUT editors follow this rule when it has been applied (LutFeature::FollowLutMode).
    // "LUT" opens the table editor and leaves the gamma list; "Off" leaves both.
    {EnableRule::LutMode, 1381,
     {{1, {2575, 1848}, {1573}},
      {2, {1573}, {2575, 1848}},
      {-1, {}, {1573, 2575, 1848}}}},
    {EnableRule::ImageGainMode, 2542,
     {{1, {1789, 1796}, {1055, 1059}},
      {-1, {1055, 1059}, {1789, 1796}}}},
    {EnableRule::SequencerExposureMode, 1368,
     {{1, {2912, 2913, 2914, 2915, 2916, 2917}, {2795, 2796}},
      {-1, {2795, 2796}, {2912, 2913, 2914, 2915, 2916, 2917}}}},
    {EnableRule::SequencerGainMode, 2542,
     {{1, {2918, 2919}, {2793, 2794}},
      {-1, {2793, 2794}, {2918, 2919}}}},
};

const std::vector<int> kRegionRows = {1359, 2515, 1357, 2513};
const std::vector<int> kDisplayOnlyLists = {1855};
const std::vector<int> kStoreOnlyLists = {2797, 2798, 2799, 1406, 1408};
const std::vector<int> kSelectedFromTable = {2810, 2815, 2820, 2870, 1407, 2575};
const std::vector<int> kBinningLists = {1406, 1408};
const std::vector<int> kSequencerBinningLists = {2797, 2798};
const std::vector<std::pair<int, int>> kSelectAll = {{2540, 1943}, {2543, 1959}};

const std::vector<int> kAreaIndividual = {1343, 1345, 1347, 1344, 1346, 1348, 1368};
const std::vector<int> kAreaCommon = {1338, 1339, 1368};
const std::vector<int> kExposureRows = {1338, 1343, 1345, 1347, 2795, 2912, 2914, 2916};
const std::vector<int> kSequencerExposureRows = {2795, 2912, 2914, 2916};

} // namespace

bool IsOwnFeatureBox(int ctrlId)
{
    return contains(kOwnFeatureBoxes, ctrlId);
}

bool IsSpinRangeException(int ctrlId)
{
    return contains(kSpinRangeExceptions, ctrlId);
}

bool IsRegionBox(int ctrlId)
{
    return contains(kRegionRows, ctrlId);
}

const std::vector<int>& RegionRows()
{
    return kRegionRows;
}

bool IsDisplayOnlyList(int listId)
{
    return contains(kDisplayOnlyLists, listId);
}

bool IsStoreOnlyList(int listId)
{
    return contains(kStoreOnlyLists, listId);
}

bool IsSelectedFromTable(int listId)
{
    return contains(kSelectedFromTable, listId);
}

bool IsBinningList(int listId)
{
    return contains(kBinningLists, listId);
}

const std::vector<int>& SequencerBinningLists()
{
    return kSequencerBinningLists;
}

int SelectAllFirstArea(int checkId)
{
    for (const auto& [check, first] : kSelectAll)
        if (check == checkId)
            return first;
    return 0;
}

const std::vector<ListValues>& ListItemValues()
{
    return kListValues;
}

bool ZeroIsItemValue(int listId)
{
    return contains(kZeroIsValue, listId);
}

const EnableTable* FindEnableTable(EnableRule rule)
{
    for (const EnableTable& table : kEnableTables)
        if (table.rule == rule)
            return &table;
    return nullptr;
}

const std::vector<int>& ExposureAreaControls(int exposureTimeModeItem)
{
    return exposureTimeModeItem == 1 ? kAreaIndividual : kAreaCommon;
}

const std::vector<int>& ExposureRows()
{
    return kExposureRows;
}

const std::vector<int>& SequencerExposureRows()
{
    return kSequencerExposureRows;
}

} // namespace ControlRules
