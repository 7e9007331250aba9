// userset store|load N: the camera's user sets, as the communication window's "Store" and
// "Load" reach them (N 0 is "Default", which can be loaded but not stored).
#include "Camera.h"
#include "CliExit.h"
#include "Ids.h"
#include "Report.h"
#include "Session.h"
#include "Subcommands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace {

// Storing or loading a whole set takes the camera's flash this long at most.
constexpr uint32_t kFlashMs = 8000;
constexpr int kUserSets = 3;

int runUserSet(CliContext& context, bool store, int set)
{
    Session session(context.connection);
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));
    const int command = store ? CmdIndex::SA : CmdIndex::LD;
    if (!Camera::Instance().Set(command, set, kFlashMs)) {
        const Command::Outcome outcome = Command::Instance().LastOutcome();
        return ReportFailure(context.json, ExitOf(outcome), session.Error("user set not changed"),
                             outcome == Command::Outcome::Refused ? session.LastAnswer() : std::string());
    }
    if (!context.json)
        std::printf("%s user set %d\n", store ? "Stored into" : "Loaded", set);
    return ReportSuccess(context.json, Json::Object().Text("action", store ? "store" : "load").Int("userset", set));
}

void addAction(CLI::App& userset, CliContext& context, bool store)
{
    auto set = std::make_shared<int>(0);
    CLI::App* action = store
        ? userset.add_subcommand("store", "Store the camera's working settings into user set N (1 to 3).")
        : userset.add_subcommand("load", "Load user set N (0 Default, 1 to 3) into the camera's working settings.");
    action->add_option("N", *set, "the user set")->required()->check(CLI::Range(store ? 1 : 0, kUserSets));
    action->callback([&context, set, store] {
        context.run = [set, store](CliContext& c) { return runUserSet(c, store, *set); };
    });
}

} // namespace

void AddUserSetCommand(CLI::App& app, CliContext& context)
{
    CLI::App* userset = app.add_subcommand("userset", "Store or load one of the camera's user sets.");
    userset->require_subcommand(1);
    addAction(*userset, context, true);
    addAction(*userset, context, false);
}
