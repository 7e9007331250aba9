// set MN=V...: each value set and read back as the window's parameter path does, in the
// order given; the run stops at the first value the camera refuses or keeps otherwise.
#include "Camera.h"
#include "CliExit.h"
#include "CommandTable.h"
#include "Report.h"
#include "Session.h"
#include "SetValue.h"
#include "Subcommands.h"

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

    Camera& camera = Camera::Instance();
    std::vector<std::string> results;
    for (const Request& request : requests) {
        const std::string mnemonic = Camera::Mnemonic(request.command);
        const int sent = request.value.isText ? camera.SetText(request.command, request.value.text, Timeouts::kExchangeMs)
                                              : camera.Set(request.command, request.value.scaled, Timeouts::kExchangeMs);
        if (!sent) {
            const Command::Outcome outcome = Command::Instance().LastOutcome();
            const std::string answer = outcome == Command::Outcome::Refused ? session.LastAnswer() : std::string();
            if (outcome == Command::Outcome::Refused)
                std::fprintf(stderr, "The camera refused %s=%s: %s\n", mnemonic.c_str(), request.given.c_str(), answer.c_str());
            return ReportFailure(context.json, ExitOf(outcome), session.Error(mnemonic + " was not set"), answer);
        }
        std::string readBack;
        Json::Object result;
        result.Text("mnemonic", mnemonic).Raw("requested", Json::NumberOrText(request.given));
        if (camera.QueryRawText(request.command, readBack, Timeouts::kExchangeMs)) {
            result.Raw("value", Json::NumberOrText(readBack));
            if (!SameValue(CommandTable::Instance().Entry(request.command), request.value, readBack)) {
                const std::string text = mnemonic + " was set to " + request.given + " but reads back " + readBack;
                std::fprintf(stderr, "%s.\n", text.c_str());
                return ReportFailure(context.json, kExitRefused, text, readBack);
            }
        } else if (Command::Instance().LastOutcome() != Command::Outcome::Refused) {
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
