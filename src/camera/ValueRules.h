#pragma once
// The rules a parameter value obeys before it goes to the camera, keyed by parameter row
// (the row's control id): masks that follow the binning, clamps, even values, the gain that
// stands at 100 in one gain mode, ranges that follow the sensor, the binning of a sequencer
// set or the gain mode, and the region that must stay on the sensor. The window's boxes and
// lumora-cli's "set" both ask these, so that a value typed into either goes out the same.
#include <cstdint>
#include <string>
#include <vector>

namespace ValueRules {

// What the rules look at besides the value: the binning lists, the gain mode, the sensor.
struct State {
    bool binning = false;           // horizontal binning "x2" (HB)
    bool sequencerHBinning = false; // the sequencer set's horizontal binning "x2"
    bool sequencerVBinning = false; // its vertical binning
    bool individualGain = false;    // Individual Gain Mode On (IGM)
    int32_t sensorWidth = 0;
    int32_t sensorHeight = 0;
    // Whether the binning list or row `list` (1406, 2797, 2798) shows "x2".
    bool BinningOn(int list) const;
};

// How a row's typed value is adjusted before it is stored.
enum class Adjust {
    MaskByBinning,        // AND 0xFFF0 without binning in `list`, else AND 0xFFF8
    Clamp,                // clamp to low...high
    Even,                 // AND 0xFFFE
    SequencerIndex,       // clamp to low...high; the window then reads that sequencer entry
    ColourClamp,          // clamp to low...high; the window stores and commits it at once
    GainWhenIgmOn,        // 100 while Individual Gain Mode is On
    GainWhenIgmOff,       // 100 while it is Off
    ExposureMinByBinning, // at least 3 while either sequencer binning shows "x2", else 1
};

struct Rule {
    std::vector<int> rows;
    Adjust adjust;
    int32_t low = 0;
    int32_t high = 0;
    int list = 0; // the binning list a mask looks at
};

// The rule of a row, or nullptr when a value is taken as it is.
const Rule* Find(int row);
// The value after the row's rule.
int32_t Apply(int row, int32_t value, const State& state);
// The step the row's rule rounds values down to (16, 8, 2); 0 when it keeps every value.
int32_t Step(int row, const State& state);
// Whether the row's rule is a clamp (its low...high bound the accepted range).
bool Clamps(int row);

// The range a row takes now: its own minimum and maximum, replaced where they follow the
// sensor, the binning or the gain mode, and narrowed to the rule's clamp.
struct Range {
    int32_t low;
    int32_t high;
};
// Only the replacements (the spin ranges of the window; no clamp of the rule).
Range Limits(int row, Range own, const State& state);
// The replacements narrowed to the rule's clamp: what a value may be.
Range Accepted(int row, Range own, const State& state);

// The digital gain range: wider while Individual Gain Mode is On.
Range DigitalGainRange(bool individualGain);

// Region rows: offset plus size must stay on the sensor. When the change passes, the
// partner's spin gets the range partnerMin ... sensor extent - new value.
struct RegionCheck {
    int box;
    bool vertical;       // checked against the sensor height, else the width
    int partnerBox;      // the other half of offset + size
    bool partnerFromRow; // the partner's value is its row's (main region) or its box's
    int partnerSpin;
    int32_t partnerMin;
};
const RegionCheck* FindRegionCheck(int row);
// The sensor extent the region row is checked against.
int32_t Extent(const RegionCheck& check, const State& state);

// Why a value changed on its way: "1001 is not a multiple of 16", "99999 is above 800",
// "500 is fixed at 100 in this gain mode"; typed as given, ruled after the row's rule, sent
// after the range. Empty when sent equals typed.
std::string Explain(int row, int32_t typed, int32_t ruled, int32_t sent, const State& state);

// Rows the rules of a row read: the binning and gain-mode rows and the region partner.
std::vector<int> StateRows(int row);

} // namespace ValueRules
