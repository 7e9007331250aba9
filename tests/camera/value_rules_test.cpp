// The value rules of the parameter rows, as the window's boxes and lumora-cli's "set" apply
// them: the value after the row's rule, the range the row takes in that state, and the words
// that say why a value changed (the window's flow around them: param_controls_test; the same
// lines from both: families_e2e_test).
#include "ValueRules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using ValueRules::State;

State stateWith(bool binning, bool sequencerBinning, bool individualGain)
{
    State state;
    state.binning = binning;
    state.sequencerHBinning = sequencerBinning;
    state.individualGain = individualGain;
    state.sensorWidth = 1456;
    state.sensorHeight = 1088;
    return state;
}

TEST(ValueRulesTest, TypedValuesAreRuledRangedAndExplained)
{
    struct Case {
        const char* what;
        int row;
        State state;
        int32_t typed;
        int32_t ruled;
        ValueRules::Range own; // the row's own range
        ValueRules::Range accepted;
        const char* why; // with the value sent clamped into the accepted range
    };
    const State plain = stateWith(false, false, false);
    const State binned = stateWith(true, true, false);
    const State igm = stateWith(false, false, true);
    const Case cases[] = {
        {"width masked to 16", 2515, plain, 1001, 992, {96, 1936}, {96, 1456}, "1001 is not a multiple of 16"},
        {"width with binning masked to 8", 2515, binned, 1001, 1000, {96, 1936}, {48, 1456},
         "1001 is not a multiple of 8"},
        {"masked below the minimum", 2515, plain, 10, 0, {96, 1936}, {96, 1456},
         "10 is not a multiple of 16, and 0 is below 96"},
        {"sequencer width halves with binning", 2785, binned, 1001, 1000, {48, 1936}, {48, 728},
         "1001 is not a multiple of 8, and 1000 is above 728"},
        {"height follows the sensor", 1359, plain, 1200, 1200, {2, 1216}, {2, 1088}, "1200 is above 1088"},
        {"offset Y made even", 1357, plain, 7, 6, {0, 1214}, {0, 1214}, "7 is odd"},
        {"exposure clamped", 1338, plain, 9000000, 8000000, {1, 8000000}, {1, 8000000}, "9000000 is above 8000000"},
        {"exposure below 1", 1338, plain, -5, 1, {1, 8000000}, {1, 8000000}, "-5 is below 1"},
        {"blemish threshold clamp narrows a wider range", 1410, plain, 0, 1, {0, 255}, {1, 100}, "0 is below 1"},
        {"sequencer gain fixed while IGM is On", 2793, igm, 500, 100, {100, 800}, {100, 800},
         "500 is fixed at 100 in this gain mode"},
        {"sequencer gain as typed while IGM is Off", 2793, plain, 500, 500, {100, 800}, {100, 800}, ""},
        {"green gain fixed while IGM is Off", 2918, plain, 300, 100, {100, 6400}, {47, 400},
         "300 is fixed at 100 in this gain mode"},
        {"colour gain range with IGM On", 1787, igm, 5000, 5000, {47, 400}, {100, 6400}, ""},
        {"colour gain range with IGM Off", 1787, plain, 5000, 5000, {100, 6400}, {47, 400}, "5000 is above 400"},
        {"sequencer exposure at least 3 with binning", 2795, binned, 1, 3, {1, 8000000}, {3, 8000000},
         "1 is below 3"},
        {"no rule", 1055, plain, 99999, 99999, {100, 800}, {100, 800}, "99999 is above 800"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ValueRules::Apply(c.row, c.typed, c.state), c.ruled);
        const ValueRules::Range range = ValueRules::Accepted(c.row, c.own, c.state);
        EXPECT_EQ(range.low, c.accepted.low);
        EXPECT_EQ(range.high, c.accepted.high);
        const int32_t sent = std::clamp(c.ruled, range.low, range.high);
        EXPECT_EQ(ValueRules::Explain(c.row, c.typed, c.ruled, sent, c.state), c.why);
    }
}

// What lumora-cli reads before a sequencer gain (before the width, offset Y and colour gains:
// families_e2e_test and cli_e2e_test).
TEST(ValueRulesTest, StateRowsNameWhatTheRulesLookAt)
{
    EXPECT_EQ(ValueRules::StateRows(2793), (std::vector<int>{2542}));
}

} // namespace
