#pragma once
// The fixed lists of reading the camera, kept as data in one place: which rows a complete
// reading queries, how some answers map onto list items, and the texts of the status boxes.
#include <cstdint>
#include <string>
#include <vector>

struct ParameterRow;

namespace ReloadData {

// Control ids whose rows a complete reading never queries: indexed or composite values that
// their own features read (LUT editor, blemish and sequencer pages, counters, status boxes).
const std::vector<uint32_t>& ExcludedControls();
// The multi-ROI rows, which the KT-5200W-QBCL does not have.
const std::vector<uint32_t>& MultiRoiRows();
// Controls of the multi-ROI group, enabled only for the KT-5100W-QBCL.
const std::vector<int>& MultiRoiControls();

bool IsExcluded(uint32_t ctrlId);
bool IsMultiRoiRow(uint32_t ctrlId);
// The row belongs to the reload set: not an action and not excluded.
bool InReloadSet(const ParameterRow& row);

// Camera values of the gamma list items 0...8 (item 0 also for every unknown value).
const std::vector<int32_t>& GammaValues();
// Camera values of the factory baud-rate list items 0...7 (item 0 also for unknown values).
const std::vector<int32_t>& FactoryBaudValues();
// The item that shows the value in such a list: its position, or 0 when absent.
int ItemForValue(const std::vector<int32_t>& values, int32_t value);

// Text of the camera-mode box for a VSM answer.
const char* CameraModeText(int32_t vsm);
// Text of the supported-baud-rate box for an SBDRT mask.
std::string SupportedBaudText(uint32_t mask);

struct ListItem {
    const char* text;
    int32_t value;
};
// The factory baud-rate list for an SBDRT mask, in order.
std::vector<ListItem> BaudRateItems(uint32_t mask);
const std::vector<ListItem>& ClConfigurationItems();
const std::vector<ListItem>& ClockItems();
// The bit allocation list: three depths for Medium, only RGB8 otherwise.
std::vector<ListItem> BitAllocationItems(int32_t clConfiguration);

// Items that only the supported models offer, with the position each is inserted at.
const std::vector<ListItem>& ModelTestPatternItems(); // value = insert position
const ListItem& ModelShadingItem();                   // value = insert position

} // namespace ReloadData
