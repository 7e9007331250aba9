#include "ValueRules.h"

#include "Ids.h"
#include "ValueRulesData.h"

#include <algorithm>

namespace ValueRules {

namespace {

bool contains(const std::vector<int>& ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

constexpr int kHorizontalBinning = CtrlId::HorizontalBinning;
constexpr int kSequencerHBinning = CtrlId::SequencerHorizontalBinning;
constexpr int kSequencerVBinning = CtrlId::SequencerVerticalBinning;
constexpr int kIndividualGainMode = CtrlId::IndividualGainMode;
constexpr int32_t kFixedGain = 100;

const LimitRule* findLimit(int row)
{
    for (const LimitRule& rule : LimitRules())
        if (contains(rule.rows, row))
            return &rule;
    return nullptr;
}

bool sequencerBinning(const State& state)
{
    return state.sequencerHBinning || state.sequencerVBinning;
}

std::string comparison(int32_t value, int32_t limit)
{
    return std::to_string(value) + (value > limit ? " is above " : " is below ") + std::to_string(limit);
}

} // namespace

bool State::BinningOn(int list) const
{
    switch (list) {
    case kHorizontalBinning:
        return binning;
    case kSequencerHBinning:
        return sequencerHBinning;
    case kSequencerVBinning:
        return sequencerVBinning;
    default:
        return false;
    }
}

const Rule* Find(int row)
{
    for (const Rule& rule : Rules())
        if (contains(rule.rows, row))
            return &rule;
    return nullptr;
}

int32_t Apply(int row, int32_t value, const State& state)
{
    const Rule* rule = Find(row);
    if (!rule)
        return value;
    switch (rule->adjust) {
    case Adjust::MaskByBinning:
        return value & (state.BinningOn(rule->list) ? 0xFFF8 : 0xFFF0);
    case Adjust::Clamp:
    case Adjust::SequencerIndex:
    case Adjust::ColourClamp:
        return std::clamp(value, rule->low, rule->high);
    case Adjust::Even:
        return value & 0xFFFE;
    case Adjust::GainWhenIgmOn:
        return state.individualGain ? kFixedGain : value;
    case Adjust::GainWhenIgmOff:
        return state.individualGain ? value : kFixedGain;
    case Adjust::ExposureMinByBinning:
        return std::max(value, sequencerBinning(state) ? 3 : 1);
    }
    return value;
}

int32_t Step(int row, const State& state)
{
    const Rule* rule = Find(row);
    if (!rule)
        return 0;
    if (rule->adjust == Adjust::MaskByBinning)
        return state.BinningOn(rule->list) ? 8 : 16;
    return rule->adjust == Adjust::Even ? 2 : 0;
}

bool Clamps(int row)
{
    const Rule* rule = Find(row);
    return rule
        && (rule->adjust == Adjust::Clamp || rule->adjust == Adjust::ColourClamp
            || rule->adjust == Adjust::SequencerIndex);
}

Range Limits(int row, Range own, const State& state)
{
    const LimitRule* rule = findLimit(row);
    if (!rule)
        return own;
    switch (rule->limit) {
    case Limit::Width:
        own.high = state.sensorWidth;
        own.low = state.BinningOn(rule->list) ? 48 : 96;
        if (rule->halved && state.BinningOn(rule->list))
            own.high /= 2;
        break;
    case Limit::Height:
        own.high = state.sensorHeight;
        if (rule->halved && state.BinningOn(rule->list))
            own.high /= 2;
        break;
    case Limit::DigitalGain:
        own = DigitalGainRange(state.individualGain);
        break;
    case Limit::ExposureByBinning:
        own.low = sequencerBinning(state) ? 3 : 1;
        break;
    }
    return own;
}

Range Accepted(int row, Range own, const State& state)
{
    Range range = Limits(row, own, state);
    if (Clamps(row)) {
        const Rule* rule = Find(row);
        range.low = std::max(range.low, rule->low);
        range.high = std::min(range.high, rule->high);
    }
    return range;
}

const RegionCheck* FindRegionCheck(int row)
{
    for (const RegionCheck& check : RegionChecks())
        if (check.box == row)
            return &check;
    return nullptr;
}

int32_t Extent(const RegionCheck& check, const State& state)
{
    return check.vertical ? state.sensorHeight : state.sensorWidth;
}

std::string Explain(int row, int32_t typed, int32_t ruled, int32_t sent, const State& state)
{
    if (sent == typed)
        return {};
    std::string text;
    if (ruled != typed) {
        const Rule* rule = Find(row);
        const int32_t step = Step(row, state);
        if (step == 2)
            text = std::to_string(typed) + " is odd";
        else if (step > 0)
            text = std::to_string(typed) + " is not a multiple of " + std::to_string(step);
        else if (Clamps(row) || (rule && rule->adjust == Adjust::ExposureMinByBinning))
            text = comparison(typed, ruled);
        else
            text = std::to_string(typed) + " is fixed at " + std::to_string(ruled) + " in this gain mode";
    }
    if (sent != ruled)
        text += (text.empty() ? "" : ", and ") + comparison(ruled, sent);
    return text;
}

std::vector<int> StateRows(int row)
{
    std::vector<int> rows;
    auto add = [&rows](int id) {
        if (!contains(rows, id))
            rows.push_back(id);
    };
    if (const Rule* rule = Find(row)) {
        if (rule->adjust == Adjust::MaskByBinning)
            add(rule->list);
        else if (rule->adjust == Adjust::GainWhenIgmOn || rule->adjust == Adjust::GainWhenIgmOff)
            add(kIndividualGainMode);
        else if (rule->adjust == Adjust::ExposureMinByBinning) {
            add(kSequencerHBinning);
            add(kSequencerVBinning);
        }
    }
    if (const LimitRule* limit = findLimit(row)) {
        if (limit->limit == Limit::DigitalGain)
            add(kIndividualGainMode);
        else if (limit->limit == Limit::ExposureByBinning) {
            add(kSequencerHBinning);
            add(kSequencerVBinning);
        } else if (limit->list)
            add(limit->list);
    }
    if (const RegionCheck* check = FindRegionCheck(row))
        add(check->partnerBox);
    return rows;
}

} // namespace ValueRules
