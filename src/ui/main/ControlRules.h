#pragma once
// The fixed rules of the parameter controls, kept as data (ControlRulesData.cpp): which
// number boxes their own features commit, how a typed number is adjusted per box, which
// region boxes are checked against the sensor, which spins take limits from the sensor or
// the modes, which lists carry which item values, and which controls each enable rule
// switches. ParameterControls reads these tables; nothing here touches a widget.
#include <cstdint>
#include <vector>

namespace ControlRules {

// Number boxes (and their spins) that never take the generic store-and-send path: the
// blemish, LUT and sequencer boxes, written by their features' own buttons.
bool IsOwnFeatureBox(int ctrlId);

// How a number box adjusts the typed value before it is stored.
enum class BoxAdjust {
    MaskByBinning,        // AND 0xFFF0 when `list` shows its first item, else AND 0xFFF8
    Clamp,                // clamp to low...high
    Even,                 // AND 0xFFFE
    SequencerIndex,       // clamp to low...high, write back, read that sequencer entry; done
    ColourClamp,          // clamp to low...high, write back, store and commit; done
    GainWhenIgmOn,        // 100 while the image-gain-mode list is past its first item
    GainWhenIgmOff,       // 100 while the image-gain-mode list shows its first item
    ExposureMinByBinning, // at least 3 when a sequencer binning list shows "x2", else 1
};

struct BoxRule {
    std::vector<int> ids;
    BoxAdjust adjust;
    int32_t low = 0;
    int32_t high = 0;
    int list = 0; // the list the rule looks at, where it looks at one
};

// The rule of a box, or nullptr when the typed value is taken as it is.
const BoxRule* FindBoxRule(int ctrlId);

// Region boxes: offset plus size must stay on the sensor. When the change passes, the
// partner's spin gets the range partnerMin ... sensor extent - new value.
struct RegionCheck {
    int box;
    bool vertical;        // checked against the sensor height, else the width
    int partnerBox;       // the other half of offset + size
    bool partnerFromRow;  // the partner's value is its row's (main region) or its box's
    int partnerSpin;
    int32_t partnerMin;
};
const RegionCheck* FindRegionCheck(int ctrlId);

// Number-box rows whose spin range is left alone by the range application.
bool IsSpinRangeException(int ctrlId);

// Spin ranges that follow the sensor or a mode rather than the row alone.
enum class SpinLimit {
    Width,             // maximum the sensor width; minimum 48 with binning "x2" in `list`, else 96
    Height,            // maximum the sensor height
    DigitalGain,       // 100...6400 with individual gain on, else 47...400
    ExposureByBinning, // minimum 3 when a sequencer binning list shows "x2"
};
// The digital gain range: wider while individual gain is on.
struct GainRange {
    int32_t minimum;
    int32_t maximum;
};
GainRange DigitalGainRange(bool individualGain);

struct SpinLimitRule {
    std::vector<int> boxes;
    SpinLimit limit;
    int list = 0;        // the binning list of a Width rule, or of a halved Height rule
    bool halved = false; // a sequencer set's region: the maximum halves while `list` shows "x2"
};
const SpinLimitRule* FindSpinLimit(int boxId);

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
