// dump, apply and diff: the camera and its setting files (".cam"), with the window's rules for
// writing and reading them, so that a file made here loads in the window and the other way.
#include "CliExit.h"
#include "ControlMode.h"
#include "Reload.h"
#include "Report.h"
#include "Session.h"
#include "SettingCompare.h"
#include "SettingFile.h"
#include "Subcommands.h"
#include "TerminalProgress.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace {

// Reads and checks the file, then connects: the camera is not touched for a wrong file. The
// session already holds the window's settings, whose Control Mode decides which lines apply.
int openFileAndCamera(const CliContext& context, Session& session, const std::string& path,
                      SettingFile::Parsed& parsed)
{
    std::string text, reason;
    if (!SettingFile::ReadWhole(path, text, reason)) {
        std::fprintf(stderr, "%s\n%s\n", SettingFile::OpenErrorText(path).c_str(), reason.c_str());
        return ReportFailure(context.json, kExitUsage, "cannot read " + path + ": " + reason);
    }
    parsed = SettingFile::Parse(text, ControlMode::Get());
    if (parsed.lines.empty()) {
        const std::string error = path + " holds no setting this camera takes.";
        std::fprintf(stderr, "%s\n", error.c_str());
        return ReportFailure(context.json, kExitUsage, error);
    }
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));
    return kExitOk;
}

std::string differencesJson(const std::vector<SettingFile::Difference>& differences)
{
    std::vector<std::string> entries;
    for (const SettingFile::Difference& d : differences) {
        Json::Object entry;
        entry.Text("setting", d.setting).Raw("file", Json::NumberOrText(d.fileValue));
        entry.Raw("camera", d.cameraValue.empty() ? "null" : Json::NumberOrText(d.cameraValue));
        entries.push_back(entry.Str());
    }
    return Json::Array(entries);
}

std::string damagedJson(const std::vector<SettingFile::Damaged>& damaged)
{
    std::vector<std::string> entries;
    for (const SettingFile::Damaged& line : damaged)
        entries.push_back(Json::Object().Int("line", line.number).Text("text", line.text).Str());
    return Json::Array(entries);
}

// One line per setting that differs: "GA: file 150, camera 100".
void printDifferences(FILE* stream, const std::vector<SettingFile::Difference>& differences)
{
    for (const SettingFile::Difference& d : differences)
        std::fprintf(stream, "%s: file %s, camera %s\n", d.setting.c_str(), d.fileValue.c_str(),
                     d.cameraValue.empty() ? "(no answer)" : d.cameraValue.c_str());
}

// Ends a comparison: exit 3 when it stopped early, 1 when something differs, else 0.
int reportComparison(const CliContext& context, const SettingFile::Comparison& comparison, bool verifying,
                     Json::Object body)
{
    body.Int("compared", comparison.compared).Raw("differences", differencesJson(comparison.differences));
    if (!comparison.complete) {
        const std::string error = "Compared " + std::to_string(comparison.compared) + " of " +
                                  std::to_string(comparison.settings) + " settings before the camera stopped answering.";
        std::fprintf(stderr, "%s\n", error.c_str());
        return ReportFailure(context.json, kExitNoCamera, error);
    }
    if (comparison.differences.empty()) {
        if (verifying && !context.json)
            std::fprintf(stderr, "All %d settings read back as the file has them.\n", comparison.compared);
        return ReportSuccess(context.json, body);
    }
    // diff's findings are its result (standard output); a failed verification is an error.
    if (!context.json)
        printDifferences(verifying ? stderr : stdout, comparison.differences);
    if (verifying) {
        const size_t count = comparison.differences.size();
        std::fprintf(stderr, "%zu %s read back %s from the file.\n", count, count == 1 ? "setting" : "settings",
                     count == 1 ? "differs" : "differ");
    }
    if (context.json) {
        body.Text("error", verifying ? "settings read back differ from the file" : "the camera differs from the file");
        const std::string members = body.Str();
        std::printf("{\"ok\":false,\"exit\":%d,%s\n", int(kExitRefused), members.c_str() + 1);
    }
    return kExitRefused;
}

int runDump(CliContext& context, bool shipping, const std::string& output)
{
    Session session(context.connection);
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));
    {
        TerminalProgress progress;
        // A file with unread settings would carry the table's defaults as if they were the
        // camera's: nothing is written after an incomplete reading.
        std::string supported;
        if (!Reload::ReadAllParameters(session.Cam(), ControlMode::Get(), progress, nullptr) ||
            !Reload::ReadSupportedBaudRate(session.Cam(), supported))
            return ReportFailure(context.json, kExitNoCamera, session.Error("the camera was not read completely"));
    }
    const SettingFile::Variant variant = shipping ? SettingFile::Variant::ShippingData : SettingFile::Variant::AllData;
    const SettingFile::WindowState state = SettingFile::StateOfTable(session.Cam().Table());
    Json::Object body;
    body.Text("variant", shipping ? "shipping" : "all");
    if (output.empty() || output == "-") {
        const std::string text = SettingFile::FileText(session.Cam(), variant, state);
        if (context.json)
            body.Text("text", text);
        else
            std::fwrite(text.data(), 1, text.size(), stdout);
        return ReportSuccess(context.json, body);
    }
    const int written = shipping ? SettingFile::WriteShippingData(session.Cam(), output, state) : SettingFile::WriteAllData(session.Cam(), output, state);
    if (!written)
        return ReportFailure(context.json, kExitUsage, session.Error("cannot write " + output));
    if (!context.json)
        std::fprintf(stderr, "Wrote %s.\n", output.c_str());
    return ReportSuccess(context.json, body.Text("file", output));
}

int runApply(CliContext& context, const std::string& path, bool verify)
{
    Session session(context.connection);
    SettingFile::Parsed parsed;
    if (const int status = openFileAndCamera(context, session, path, parsed))
        return status;
    TerminalProgress progress;
    const SettingFile::LoadResult result = SettingFile::ReadSettingFile(session.Cam(), path, progress, nullptr);
    if (!result.read)
        return ReportFailure(context.json, kExitUsage, session.Error("cannot read " + path));
    if (!result.complete)
        return ReportFailure(context.json, kExitNoCamera, session.Error("the file was not applied completely"));
    std::vector<std::string> refusals;
    for (const SettingFile::Refusal& refusal : result.refusals) {
        Json::Object entry;
        entry.Int("line", refusal.number).Text("setting", refusal.setting).Raw("value", Json::NumberOrText(refusal.value));
        entry.Raw("answer", refusal.answer.empty() ? "null" : Json::Quote(refusal.answer));
        refusals.push_back(entry.Str());
    }
    Json::Object body;
    body.Text("file", path).Int("lines", result.lines).Int("refused", result.refused).Raw("refusals", Json::Array(refusals));
    body.Raw("damaged", damagedJson(result.damaged));
    // Damaged lines were skipped, as the window skips them (the report on standard error names
    // them): the camera does not hold the whole file, which is no success.
    if (!result.damaged.empty() && !verify)
        return ReportFailure(context.json, kExitRefused, path + ": lines not sent, their value could not be taken");
    if (result.refused > 0 && !verify)
        return ReportFailure(context.json, kExitRefused, session.Error("the camera refused lines of the file"));
    if (!context.json)
        std::fprintf(stderr, "Applied %d lines of %s.\n", result.lines, path.c_str());
    if (!verify)
        return ReportSuccess(context.json, body);
    // Reading back also names the refused lines: the camera holds other values there.
    return reportComparison(context, SettingFile::Compare(session.Cam(), parsed, progress), true, body);
}

int runDiff(CliContext& context, const std::string& path)
{
    Session session(context.connection);
    SettingFile::Parsed parsed;
    if (const int status = openFileAndCamera(context, session, path, parsed))
        return status;
    // Damaged lines say nothing about the camera: they are named and left out of the comparison.
    if (!parsed.damaged.empty() && !context.json)
        std::fprintf(stderr, "%s\n", SettingFile::LoadReport({.damaged = parsed.damaged}).c_str());
    TerminalProgress progress;
    Json::Object body;
    body.Text("file", path).Raw("damaged", damagedJson(parsed.damaged));
    return reportComparison(context, SettingFile::Compare(session.Cam(), parsed, progress), false, body);
}

} // namespace

void AddSettingFileCommands(CLI::App& app, CliContext& context)
{
    auto shipping = std::make_shared<bool>(false);
    auto output = std::make_shared<std::string>();
    CLI::App* dump = app.add_subcommand(
        "dump", "Read the camera and write a camera setting file (.cam) as the window's File > Save as does.");
    dump->add_flag("--shipping", *shipping, "write Shipping Data (without factory settings) instead of All Data");
    dump->add_option("-o,--output", *output, "the file to write; - or none: standard output");
    dump->callback([&context, shipping, output] {
        context.run = [shipping, output](CliContext& c) { return runDump(c, *shipping, *output); };
    });

    auto applyFile = std::make_shared<std::string>();
    auto verify = std::make_shared<bool>(false);
    CLI::App* apply = app.add_subcommand("apply", "Load a camera setting file into the camera as File > Open does.");
    apply->add_option("FILE", *applyFile, "the setting file")->required();
    apply->add_flag("--verify", *verify, "read every applied setting back; exit 1 naming those that differ");
    apply->callback([&context, applyFile, verify] {
        context.run = [applyFile, verify](CliContext& c) { return runApply(c, *applyFile, *verify); };
    });

    auto diffFile = std::make_shared<std::string>();
    CLI::App* diff = app.add_subcommand(
        "diff", "Compare the camera with a setting file without changing anything; exit 1 when they differ.");
    diff->add_option("FILE", *diffFile, "the setting file")->required();
    diff->callback([&context, diffFile] {
        context.run = [diffFile](CliContext& c) { return runDiff(c, *diffFile); };
    });
}
