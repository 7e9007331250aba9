#include "ParameterSet.h"

#include "Camera.h"
#include "CommandTable.h"
#include "Ids.h"
#include "ParameterTable.h"
#include "Sequencer.h"
#include "Timeouts.h"

#include <algorithm>
#include <cctype>

namespace {

// The parameter row of a command; nullptr for a command no control of the window sets.
const ParameterRow* rowOf(int command)
{
    const ParameterTable& table = ParameterTable::Layout();
    for (int i = 0; i < table.RowCount(); ++i)
        if (table.Row(i).cmdId == uint32_t(command))
            return &table.Row(i);
    return nullptr;
}

// What the row's rules look at, as the camera has it now; false when the camera did not answer.
bool readRuleState(Camera& camera, const ParameterRow& row, ValueRules::State& state, int32_t& partner)
{
    state.sensorWidth = camera.Model().SensorWidth();
    state.sensorHeight = camera.Model().SensorHeight();
    for (int id : ValueRules::StateRows(int(row.ctrlId))) {
        // A sequencer set's fields are kept per set, and no set is named here.
        if (Sequencer::FindField(id))
            continue;
        uint32_t value = 0;
        if (!camera.Query(camera.Table().ToCmdId(uint32_t(id)), value, Timeouts::kExchangeMs))
            return false;
        if (id == CtrlId::HorizontalBinning)
            state.binning = value == 2;
        else if (id == CtrlId::IndividualGainMode)
            state.individualGain = value != 0;
        else
            partner = int32_t(value);
    }
    return true;
}

} // namespace

int FindMnemonic(const std::string& mnemonic)
{
    std::string upper = mnemonic;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return upper.empty() ? -1 : CommandTable::Instance().FindCommand(upper);
}

std::string PrepareSet(const std::string& mnemonic, const std::string& given, SetRequest& request)
{
    request.command = FindMnemonic(mnemonic);
    if (request.command < 0)
        return "Unknown parameter \"" + mnemonic + "\"";
    request.given = given;
    return ParseSetValue(CommandTable::Instance().Entry(request.command), given, request.value);
}

SetOutcome SetParameter(Camera& camera, const SetRequest& request)
{
    SetOutcome outcome;
    const std::string mnemonic = Camera::Mnemonic(request.command);
    SetValue value = request.value;
    const ParameterRow* row = value.isText ? nullptr : rowOf(request.command);
    if (row) {
        ValueRules::State state;
        int32_t partner = 0;
        if (!readRuleState(camera, *row, state, partner))
            return outcome;
        outcome.problem = ApplyValueRules(*row, state, partner, mnemonic, value, outcome.note);
        if (!outcome.problem.empty()) {
            outcome.status = SetOutcome::Status::Ruled;
            return outcome;
        }
    }
    outcome.exchange = value.isText ? camera.SetText(request.command, value.text, Timeouts::kExchangeMs)
                                    : camera.Set(request.command, value.scaled, Timeouts::kExchangeMs);
    if (!outcome.exchange) {
        if (outcome.exchange.outcome == Command::Outcome::Refused) {
            outcome.status = SetOutcome::Status::Refused;
            outcome.answer = outcome.exchange.refusal;
        }
        return outcome;
    }
    const Command::Result read = camera.QueryRawText(request.command, outcome.readBack, Timeouts::kExchangeMs);
    if (!read) {
        if (read.outcome != Command::Outcome::Refused) {
            outcome.exchange = read;
            return outcome;
        }
        // A command the camera takes but does not report (an action) is done once acknowledged.
        outcome.readBack = request.given;
    } else if (!SameValue(CommandTable::Instance().Entry(request.command), value, outcome.readBack)) {
        outcome.status = SetOutcome::Status::Differs;
        outcome.problem = mnemonic + " was set to " + (outcome.note.empty() ? request.given : std::to_string(value.scaled)) +
                          " but reads back " + outcome.readBack;
        return outcome;
    }
    outcome.status = SetOutcome::Status::Set;
    return outcome;
}
