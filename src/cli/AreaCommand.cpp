// area load|store N: the camera's flash areas as the window's Settings menu reaches them
// (0 the factory area, 1 to 3 the user areas). Storing into the factory area is for Control
// Mode 1 only, as in the window.
#include "CliExit.h"
#include "Command.h"
#include "ControlMode.h"
#include "FlashAreas.h"
#include "Report.h"
#include "Session.h"
#include "Subcommands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace {

int runArea(CliContext& context, bool store, int area)
{
    Session session(context.connection); // the window's settings hold the Control Mode
    if (store && area == FlashAreas::kFactoryArea && ControlMode::Get() == 0) {
        const char* error = "The factory area can be stored into in Control Mode 1 only.";
        std::fprintf(stderr, "%s\n", error);
        return ReportFailure(context.json, kExitUsage, error);
    }
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));
    if (!(store ? FlashAreas::StoreArea(area) : FlashAreas::LoadArea(area))) {
        const Command::Outcome outcome = Command::Instance().LastOutcome();
        return ReportFailure(context.json, ExitOf(outcome), session.Error("area not changed"),
                             outcome == Command::Outcome::Refused ? session.LastAnswer() : std::string());
    }
    if (!context.json && !store)
        std::printf("Loaded area %d\n", area);
    return ReportSuccess(context.json, Json::Object().Text("action", store ? "store" : "load").Int("area", area));
}

void addAction(CLI::App& parent, CliContext& context, bool store)
{
    auto area = std::make_shared<int>(0);
    CLI::App* action = store
        ? parent.add_subcommand("store", "Store the camera's working settings into area N (0 factory: Control Mode 1).")
        : parent.add_subcommand("load", "Load area N (0 factory, 1 to 3 user) into the camera's working settings.");
    action->add_option("N", *area, "the area")
        ->required()
        ->check(CLI::Range(FlashAreas::kFactoryArea, FlashAreas::kLastUserArea));
    action->callback([&context, area, store] {
        context.run = [area, store](CliContext& c) { return runArea(c, store, *area); };
    });
}

} // namespace

void AddAreaCommand(CLI::App& app, CliContext& context)
{
    CLI::App* area = app.add_subcommand("area", "Load or store one of the camera's flash areas.");
    area->require_subcommand(1);
    addAction(*area, context, false);
    addAction(*area, context, true);
}
