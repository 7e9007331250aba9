// send LINE: one raw line, as typed in the terminal, and the lines the camera answers with.
#include "Camera.h"
#include "CliExit.h"
#include "CommLink.h"
#include "Report.h"
#include "Session.h"
#include "Subcommands.h"
#include "Timeouts.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The lines that come until the first one is Timeouts::kExchangeMs late or a further one
// pauses for Timeouts::kFurtherLineMs.
std::vector<std::string> collectAnswer(Camera& camera)
{
    Command& command = camera.Exchange();
    std::vector<std::string> lines;
    auto end = Clock::now() + std::chrono::milliseconds(Timeouts::kExchangeMs);
    while (!camera.Link().IsLost()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0 || !camera.Link().WaitReadable(uint32_t(left.count())))
            break;
        while (command.ReceivePending())
            while (command.HasReplies()) {
                lines.push_back(command.PopReply());
                end = Clock::now() + std::chrono::milliseconds(Timeouts::kFurtherLineMs);
            }
    }
    return lines;
}

int runSend(CliContext& context, const std::string& line)
{
    for (unsigned char c : line)
        if (c < 0x20 || c == 0x7F) {
            std::fprintf(stderr, "The line may not hold line breaks or control characters.\n");
            return ReportFailure(context.json, kExitUsage, "control character in the line");
        }
    Session session(context.connection);
    if (const int status = session.Connect())
        return ReportFailure(context.json, status, session.Error("no camera"));
    session.Cam().Exchange().ClearReplies();
    session.Cam().SendTyped(line);
    const std::vector<std::string> answer = collectAnswer(session.Cam());
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
