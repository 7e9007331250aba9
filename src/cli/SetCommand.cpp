// set MN=V...: each value set and read back as the window's parameter path does, in the
// order given; the run stops at the first value the camera refuses or keeps otherwise. A
// parameter's value obeys the window's rules (ValueRules): the camera's binning, gain mode or
// region partner that a rule looks at is read first ("HB?", "IGM?", "HTL?" ...), a value the
// rules change goes out changed and standard error says so, and one outside the parameter's
// range is refused before anything is sent.
#include "Camera.h"
#include "CliExit.h"
#include "CommandTable.h"
#include "Ids.h"
#include "ParameterTable.h"
#include "Report.h"
#include "Sequencer.h"
#include "Session.h"
#include "SetValue.h"
#include "Subcommands.h"
#include "Timeouts.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Request {
    int command = -1;
    std::string given;
    SetValue value;
};

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

int runSet(CliContext& context, const std::vector<std::string>& assignments)
{
    std::vector<Request> requests;
    for (const std::string& assignment : assignments) {
        const size_t equals = assignment.find('=');
        Request request;
        request.command = equals == std::string::npos ? -1 : FindMnemonic(assignment.substr(0, equals));
        std::string problem = equals == std::string::npos ? "\"" + assignment + "\" is not MN=VALUE"
                              : request.command < 0 ? "Unknown parameter \"" + assignment.substr(0, equals) + "\""
                                                    : std::string();
        if (problem.empty()) {
            request.given = assignment.substr(equals + 1);
            problem = ParseSetValue(CommandTable::Instance().Entry(request.command), request.given, request.value);
        }
        if (!problem.empty()) {
            std::fprintf(stderr, "%s.\n", problem.c_str());
            return ReportFailure(context.json, kExitUsage, problem);
        }
        requests.push_back(request);
    }
    Session session(context.connection);
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));

    Camera& camera = session.Cam();
    std::vector<std::string> results;
    for (const Request& request : requests) {
        const std::string mnemonic = Camera::Mnemonic(request.command);
        SetValue value = request.value;
        std::string note;
        const ParameterRow* row = value.isText ? nullptr : rowOf(request.command);
        if (row) {
            ValueRules::State state;
            int32_t partner = 0;
            if (!readRuleState(camera, *row, state, partner))
                return ReportFailure(context.json, kExitNoCamera, session.Error(mnemonic + " was not set"));
            const std::string problem = ApplyValueRules(*row, state, partner, mnemonic, value, note);
            if (!problem.empty()) {
                std::fprintf(stderr, "%s.\n", problem.c_str());
                return ReportFailure(context.json, kExitUsage, problem);
            }
            if (!note.empty())
                std::fprintf(stderr, "%s.\n", note.c_str());
        }
        const Command::Result sent = value.isText ? camera.SetText(request.command, value.text, Timeouts::kExchangeMs)
                                                  : camera.Set(request.command, value.scaled, Timeouts::kExchangeMs);
        if (!sent) {
            if (sent.outcome == Command::Outcome::Refused)
                std::fprintf(stderr, "The camera refused %s=%s: %s\n", mnemonic.c_str(), request.given.c_str(),
                             sent.refusal.c_str());
            return ReportFailure(context.json, ExitOf(sent.outcome), session.Error(mnemonic + " was not set"), sent.refusal);
        }
        std::string readBack;
        Json::Object result;
        result.Text("mnemonic", mnemonic).Raw("requested", Json::NumberOrText(request.given));
        if (!note.empty())
            result.Text("adjusted", note);
        const Command::Result read = camera.QueryRawText(request.command, readBack, Timeouts::kExchangeMs);
        if (read) {
            result.Raw("value", Json::NumberOrText(readBack));
            if (!SameValue(CommandTable::Instance().Entry(request.command), value, readBack)) {
                const std::string text = mnemonic + " was set to " + (note.empty() ? request.given : std::to_string(value.scaled)) +
                                         " but reads back " + readBack;
                std::fprintf(stderr, "%s.\n", text.c_str());
                return ReportFailure(context.json, kExitRefused, text, readBack);
            }
        } else if (read.outcome != Command::Outcome::Refused) {
            return ReportFailure(context.json, kExitNoCamera, session.Error(mnemonic + " was not read back"));
        } else {
            // A command the camera takes but does not report (an action) is done once acknowledged.
            readBack = request.given;
        }
        if (!context.json)
            std::printf("%s=%s\n", mnemonic.c_str(), readBack.c_str());
        results.push_back(result.Str());
    }
    return ReportSuccess(context.json, Json::Object().Raw("set", Json::Array(results)));
}

} // namespace

void AddSetCommand(CLI::App& app, CliContext& context)
{
    auto assignments = std::make_shared<std::vector<std::string>>();
    CLI::App* set = app.add_subcommand("set", "Set parameters and read each back; prints MN=value as the camera keeps it.");
    set->add_option("MN=VALUE", *assignments, "e.g. PE=1000 GA=1.5")->required();
    set->callback([&context, assignments] {
        context.run = [assignments](CliContext& c) { return runSet(c, *assignments); };
    });
}
