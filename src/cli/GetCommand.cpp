// get MN...: each parameter's value as the camera sends it, in the order asked.
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

int runGet(CliContext& context, const std::vector<std::string>& mnemonics)
{
    std::vector<int> commands;
    for (const std::string& mnemonic : mnemonics) {
        const int command = FindMnemonic(mnemonic);
        if (command < 0) {
            std::fprintf(stderr, "Unknown parameter \"%s\".\n", mnemonic.c_str());
            return ReportFailure(context.json, kExitUsage, "unknown parameter " + mnemonic);
        }
        commands.push_back(command);
    }
    Session session(context.connection);
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));

    Json::Object values;
    for (int command : commands) {
        const std::string mnemonic = Camera::Mnemonic(command);
        std::string value;
        const Command::Result answer = session.Cam().QueryRawText(command, value, Timeouts::kExchangeMs);
        if (!answer)
            return ReportFailure(context.json, ExitOf(answer.outcome), session.Error(mnemonic + " was not answered"),
                                 answer.refusal);
        if (context.json)
            values.Raw(mnemonic, Json::NumberOrText(value));
        else
            std::printf("%s=%s\n", mnemonic.c_str(), value.c_str());
    }
    return ReportSuccess(context.json, Json::Object().Raw("values", values.Str()));
}

} // namespace

void AddGetCommand(CLI::App& app, CliContext& context)
{
    auto mnemonics = std::make_shared<std::vector<std::string>>();
    CLI::App* get = app.add_subcommand("get", "Read parameters by mnemonic; prints MN=value per line.");
    get->add_option("MN", *mnemonics, "Mnemonics, e.g. PE GA")->required();
    get->callback([&context, mnemonics] {
        context.run = [mnemonics](CliContext& c) { return runGet(c, *mnemonics); };
    });
}
