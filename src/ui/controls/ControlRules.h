#pragma once
// The fixed rules of the parameter controls, kept as data (ControlRulesData.cpp): which
// number boxes their own features commit, which lists carry which item values, and which
// controls each enable rule switches. The rules of the values themselves (masks, clamps,
// ranges, the region on the sensor) belong to the camera layer (ValueRules), which the
// command line shares. ParameterControls reads these tables; nothing here touches a widget.
#include <cstdint>
#include <vector>

namespace ControlRules {

// Number boxes (and their spins) that never take the generic store-and-send path: the
// blemish, LUT and sequencer boxes, written by their features' own buttons.
bool IsOwnFeatureBox(int ctrlId);

// Number-box rows whose spin range is left alone by the range application.
bool IsSpinRangeException(int ctrlId);

// Region boxes whose change makes the camera's whole region be read again.
bool IsRegionBox(int ctrlId);
// Region rows in the order they are read again.
const std::vector<int>& RegionRows();

// Lists that only show what the camera reports (the camera model).
bool IsDisplayOnlyList(int listId);

// Lists that are stored but not sent by the generic path: sequencer fields (sent with the
// sequencer's "Write") and the binning lists (sent by their family first).
bool IsStoreOnlyList(int listId);
// Lists that attaching the item values leaves for the table refresh to select.
bool IsSelectedFromTable(int listId);
// The binning lists: their rows hold the list position after a reading.
bool IsBinningList(int listId);
// The sequencer binning lists, refilled with "Off" and "x2" whenever values are attached.
const std::vector<int>& SequencerBinningLists();

// "Select all" check boxes: the first of the 16 area check boxes each one governs; 0 for
// any other control.
int SelectAllFirstArea(int checkId);
constexpr int kAreasPerSelectAll = 16;

// Item values of the drop-down lists, in position order.
struct ListValues {
    std::vector<int> lists;
    std::vector<int32_t> values;
};
const std::vector<ListValues>& ListItemValues();
// Lists whose item value 0 is a real value (elsewhere 0 means "use the position").
bool ZeroIsItemValue(int listId);

// Enable rules: each reads the selection of one list and switches a fixed set of controls.
enum class EnableRule {
    ExposureMode,
    ExposureTimeMode,
    TriggerMode,
    LutMode,
    ImageGainMode,
    GainRange,
    SequencerExposureMode,
    AutomaticShutter,
    AutomaticGain,
    SequencerGainMode,
};

struct EnableCase {
    int item; // the selection this case applies to; -1 for any other selection
    std::vector<int> enable;
    std::vector<int> disable;
};

struct EnableTable {
    EnableRule rule;
    int list;
    std::vector<EnableCase> cases;
};
// The table of a rule that only switches controls; nullptr for the rules with more to do
// (gain range, automatic shutter, automatic gain), which ParameterControls carries out.
const EnableTable* FindEnableTable(EnableRule rule);

// The exposure boxes of the exposure-area rule for the exposure-time-mode selection.
const std::vector<int>& ExposureAreaControls(int exposureTimeModeItem);

// Rows that take the exposure-time limits after a Camera Link format change.
const std::vector<int>& ExposureRows();
const std::vector<int>& SequencerExposureRows();

} // namespace ControlRules
