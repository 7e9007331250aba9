// userset store|load N and area load|store N: the camera's flash areas, as the communication
// window's user sets (N 0 is "Default", which can be loaded but not stored) and as the
// window's Settings menu reaches them (0 the factory area, stored into in Control Mode 1
// only, as in the window). Both are the same camera operations; they differ in their words.
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

// How one subcommand names an area and tells what it did.
struct Words {
    const char* command;   // "userset" or "area"
    const char* jsonKey;   // the area's key in the JSON report
    const char* notChanged;
    bool userSet;
};

const Words kUserSet{"userset", "userset", "user set not changed", true};
const Words kArea{"area", "area", "area not changed", false};

int runFlash(CliContext& context, const Words& words, bool store, int area)
{
    Session session(context.connection); // the window's settings hold the Control Mode
    if (store && area == FlashAreas::kFactoryArea && ControlMode::Get() == 0) {
        const char* error = "The factory area can be stored into in Control Mode 1 only.";
        std::fprintf(stderr, "%s\n", error);
        return ReportFailure(context.json, kExitUsage, error);
    }
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));
    const Command::Result done = store ? FlashAreas::StoreArea(session.Cam(), area) : FlashAreas::LoadArea(session.Cam(), area);
    if (!done)
        return ReportFailure(context.json, ExitOf(done.outcome), session.Error(words.notChanged), done.refusal);
    if (words.userSet) {
        if (!context.json)
            std::printf("%s user set %d\n", store ? "Stored into" : "Loaded", area);
    } else if (store) {
        std::fprintf(stderr, "%s\n", FlashAreas::kStoredText);
    } else if (!context.json) {
        std::printf("Loaded area %d\n", area);
    }
    return ReportSuccess(context.json, Json::Object().Text("action", store ? "store" : "load").Int(words.jsonKey, area));
}

void addAction(CLI::App& parent, CliContext& context, const Words& words, bool store)
{
    auto area = std::make_shared<int>(0);
    CLI::App* action = nullptr;
    if (words.userSet)
        action = store
            ? parent.add_subcommand("store", "Store the camera's working settings into user set N (1 to 3).")
            : parent.add_subcommand("load", "Load user set N (0 Default, 1 to 3) into the camera's working settings.");
    else
        action = store
            ? parent.add_subcommand("store", "Store the camera's working settings into area N (0 factory: Control Mode 1).")
            : parent.add_subcommand("load", "Load area N (0 factory, 1 to 3 user) into the camera's working settings.");
    const int first = words.userSet && store ? FlashAreas::kFirstUserArea : FlashAreas::kFactoryArea;
    action->add_option("N", *area, words.userSet ? "the user set" : "the area")
        ->required()
        ->check(CLI::Range(first, FlashAreas::kLastUserArea));
    action->callback([&context, &words, area, store] {
        context.run = [&words, area, store](CliContext& c) { return runFlash(c, words, store, *area); };
    });
}

} // namespace

void AddUserSetCommand(CLI::App& app, CliContext& context)
{
    CLI::App* userset = app.add_subcommand(kUserSet.command, "Store or load one of the camera's user sets.");
    userset->require_subcommand(1);
    addAction(*userset, context, kUserSet, true);
    addAction(*userset, context, kUserSet, false);
}

void AddAreaCommand(CLI::App& app, CliContext& context)
{
    CLI::App* area = app.add_subcommand(kArea.command, "Load or store one of the camera's flash areas.");
    area->require_subcommand(1);
    addAction(*area, context, kArea, false);
    addAction(*area, context, kArea, true);
}
