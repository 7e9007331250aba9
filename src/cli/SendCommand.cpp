// send LINE: one raw line, as typed in the terminal, and the lines the camera answers with.
#include "CliExit.h"
#include "Report.h"
#include "Session.h"
#include "Subcommands.h"
#include "TypedLine.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

int runSend(CliContext& context, const std::string& line)
{
    if (!TypedLine::Sendable(line)) {
        std::fprintf(stderr, "The line may not hold line breaks or control characters.\n");
        return ReportFailure(context.json, kExitUsage, "control character in the line");
    }
    Session session(context.connection);
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));
    const std::vector<std::string> answer = TypedLine::SendAndCollect(session.Cam(), line);
    if (answer.empty()) {
        std::fprintf(stderr, "No answer to \"%s\".\n", line.c_str());
        return ReportFailure(context.json, kExitNoCamera, "no answer");
    }
    std::vector<std::string> quoted;
    for (const std::string& reply : answer) {
        if (!context.json)
            std::printf("%s\n", reply.c_str());
        quoted.push_back(Json::Quote(reply));
    }
    return ReportSuccess(context.json, Json::Object().Text("sent", line).Raw("answer", Json::Array(quoted)));
}

} // namespace

void AddSendCommand(CLI::App& app, CliContext& context)
{
    auto line = std::make_shared<std::string>();
    CLI::App* send = app.add_subcommand("send", "Send one raw line (CR LF added) and print the camera's answer.");
    send->add_option("LINE", *line, "e.g. \"PE?\"")->required();
    send->callback([&context, line] {
        context.run = [line](CliContext& c) { return runSend(c, *line); };
    });
}
