// lut read|write: the camera's three lookup tables as a gamma data CSV file, as the window's
// LUT menu reads and writes them.
#include "CliExit.h"
#include "ErrorReport.h"
#include "GammaCsv.h"
#include "ReplacingFile.h"
#include "LutTransfer.h"
#include "Report.h"
#include "Session.h"
#include "Subcommands.h"
#include "TerminalProgress.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>

namespace {

const char* const kChannelNames[Lut::kChannels] = {"red", "green", "blue"};

std::string tablesJson(const Lut::Tables& tables)
{
    Json::Object object;
    for (int channel = 0; channel < Lut::kChannels; ++channel) {
        std::vector<std::string> entries;
        for (uint32_t value : tables[size_t(channel)])
            entries.push_back(std::to_string(value));
        object.Raw(kChannelNames[channel], Json::Array(entries));
    }
    return object.Str();
}

int transferFailed(const CliContext& context, Session& session, const Command::Result& ended)
{
    const int status = ended.outcome == Command::Outcome::Refused ? kExitRefused : kExitNoCamera;
    return ReportFailure(context.json, status, session.Error("the tables were not transferred"), ended.refusal);
}

int runRead(CliContext& context, const std::string& output)
{
    Session session(context.connection);
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));
    Lut::Tables tables{};
    {
        TerminalProgress progress;
        ErrorReport errors(session.Cam(), "entries");
        for (int channel = 0; channel < Lut::kChannels; ++channel)
            if (const Command::Result ended = LutTransfer::Read(session.Cam(), channel, tables[size_t(channel)], progress); !ended)
                return transferFailed(context, session, ended);
    }
    const std::string text = FormatGammaCsv(tables);
    Json::Object body;
    if (output.empty() || output == "-") {
        if (!context.json)
            std::fwrite(text.data(), 1, text.size(), stdout);
    } else {
        std::string error;
        if (!WriteFileReplacing(output, text, &error)) {
            std::fprintf(stderr, "%s\n%s\n", GammaFile::OpenErrorText(output).c_str(), error.c_str());
            return ReportFailure(context.json, kExitUsage, "cannot write " + output + ": " + error);
        }
        body.Text("file", output);
    }
    return ReportSuccess(context.json, body.Raw("tables", tablesJson(tables)));
}

int runWrite(CliContext& context, const std::string& input)
{
    GammaCsv parsed;
    if (input.empty() || input == "-") {
        const std::string text{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
        parsed = ParseGammaCsv(text);
        if (parsed.error != GammaCsv::Error::None) {
            std::fprintf(stderr, "%s\n", GammaCsv::ErrorText(parsed.error).c_str());
            return ReportFailure(context.json, kExitUsage, GammaCsv::ErrorText(parsed.error));
        }
        if (parsed.clamped)
            std::fprintf(stderr, "%s\n", parsed.ClampText().c_str());
    } else {
        Session quiet(context.connection); // the file's complaints go to standard error
        if (!GammaFile::Load(input, parsed, quiet.Notice()))
            return ReportFailure(context.json, kExitUsage, quiet.Error("cannot read " + input));
    }
    // The window keeps a short file's missing entries from the table it shows; here there is
    // no such table, and sending zeros for them would darken the image.
    if (parsed.rows != Lut::kEntries) {
        const std::string text = "The file holds " + std::to_string(parsed.rows) + " of " +
                                 std::to_string(Lut::kEntries) + " entries; nothing was sent.";
        std::fprintf(stderr, "%s\n", text.c_str());
        return ReportFailure(context.json, kExitUsage, text);
    }
    Session session(context.connection);
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));
    {
        TerminalProgress progress;
        ErrorReport errors(session.Cam(), "entries");
        for (int channel = 0; channel < Lut::kChannels; ++channel)
            if (const Command::Result ended = LutTransfer::Write(session.Cam(), channel, parsed.tables[size_t(channel)], progress); !ended)
                return transferFailed(context, session, ended);
    }
    if (!context.json)
        std::fprintf(stderr, "Wrote the three tables.\n");
    return ReportSuccess(context.json, Json::Object().Raw("tables", tablesJson(parsed.tables)));
}

} // namespace

void AddLutCommand(CLI::App& app, CliContext& context)
{
    CLI::App* lut = app.add_subcommand("lut", "Read or write the three lookup tables as a gamma data CSV file.");
    lut->require_subcommand(1);
    auto output = std::make_shared<std::string>();
    CLI::App* read = lut->add_subcommand("read", "Read the tables from the camera into a file (or standard output).");
    read->add_option("-o,--output", *output, "the CSV file to write; - or none: standard output");
    read->callback([&context, output] {
        context.run = [output](CliContext& c) { return runRead(c, *output); };
    });
    auto input = std::make_shared<std::string>();
    CLI::App* write = lut->add_subcommand("write", "Write the tables of a file (or standard input) into the camera.");
    write->add_option("-i,--input", *input, "the CSV file to read (32 entries); - or none: standard input");
    write->callback([&context, input] {
        context.run = [input](CliContext& c) { return runWrite(c, *input); };
    });
}
