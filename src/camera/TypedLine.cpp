#include "TypedLine.h"

#include "Camera.h"
#include "CommLink.h"
#include "Command.h"
#include "Timeouts.h"

#include <chrono>

namespace TypedLine {

bool Sendable(const std::string& line)
{
    for (unsigned char c : line)
        if (c < 0x20 || c == 0x7F)
            return false;
    return true;
}

std::vector<std::string> SendAndCollect(Camera& camera, const std::string& line)
{
    using Clock = std::chrono::steady_clock;
    Command& command = camera.Exchange();
    command.ClearReplies();
    camera.SendTyped(line);
    std::vector<std::string> lines;
    auto end = Clock::now() + std::chrono::milliseconds(command.Limited(Timeouts::kExchangeMs));
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

} // namespace TypedLine
