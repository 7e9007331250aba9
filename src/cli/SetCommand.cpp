// set MN=V...: each value set and read back as the window's parameter path does, in the
// order given; the run stops at the first value the camera refuses or keeps otherwise. A
// parameter's value obeys the window's rules (ValueRules): the camera's binning, gain mode or
// region partner that a rule looks at is read first ("HB?", "IGM?", "HTL?" ...), a value the
// rules change goes out changed and standard error says so, and one outside the parameter's
// range is refused before anything is sent.
#include "Camera.h"
#include "CliExit.h"
#include "ParameterSet.h"
#include "Report.h"
#include "Session.h"
#include "Subcommands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

int runSet(CliContext& context, const std::vector<std::string>& assignments)
{
    std::vector<SetRequest> requests;
    for (const std::string& assignment : assignments) {
        const size_t equals = assignment.find('=');
        SetRequest request;
        const std::string problem = equals == std::string::npos
                                        ? "\"" + assignment + "\" is not MN=VALUE"
                                        : PrepareSet(assignment.substr(0, equals), assignment.substr(equals + 1), request);
        if (!problem.empty()) {
            std::fprintf(stderr, "%s.\n", problem.c_str());
            return ReportFailure(context.json, kExitUsage, problem);
        }
        requests.push_back(request);
    }
    Session session(context.connection);
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));

    std::vector<std::string> results;
    for (const SetRequest& request : requests) {
        const std::string mnemonic = Camera::Mnemonic(request.command);
        const SetOutcome outcome = SetParameter(session.Cam(), request);
        if (!outcome.note.empty())
            std::fprintf(stderr, "%s.\n", outcome.note.c_str());
        using Status = SetOutcome::Status;
        switch (outcome.status) {
        case Status::Set:
            break;
        case Status::Ruled:
            std::fprintf(stderr, "%s.\n", outcome.problem.c_str());
            return ReportFailure(context.json, kExitUsage, outcome.problem);
        case Status::Refused:
            std::fprintf(stderr, "The camera refused %s=%s: %s\n", mnemonic.c_str(), request.given.c_str(),
                         outcome.answer.c_str());
            return ReportFailure(context.json, kExitRefused, session.Error(mnemonic + " was not set"), outcome.answer);
        case Status::Differs:
            std::fprintf(stderr, "%s.\n", outcome.problem.c_str());
            return ReportFailure(context.json, kExitRefused, outcome.problem, outcome.readBack);
        case Status::NoCamera:
            return ReportFailure(context.json, kExitNoCamera, session.Error(mnemonic + " was not set"));
        }
        Json::Object result;
        result.Text("mnemonic", mnemonic).Raw("requested", Json::NumberOrText(request.given));
        if (!outcome.note.empty())
            result.Text("adjusted", outcome.note);
        result.Raw("value", Json::NumberOrText(outcome.readBack));
        if (!context.json)
            std::printf("%s=%s\n", mnemonic.c_str(), outcome.readBack.c_str());
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
