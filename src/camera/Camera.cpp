#include "Camera.h"

#include "CommLink.h"
#include "Command.h"
#include "CommandTable.h"
#include "UserNotice.h"

namespace {

constexpr const char* kEnd = "\r\n";

} // namespace

Camera& Camera::Instance()
{
    static Camera camera;
    return camera;
}

std::string Camera::Mnemonic(int commandIndex)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount)
        return {};
    return CommandTable::Instance().GetMnemonic(commandIndex);
}

int Camera::Connect()
{
    if (!CommLink::Instance().Reopen()) {
        Notices().Message("Failed to initialize!", "", NoticeIcon::Exclamation);
        return 0;
    }
    return CheckModel();
}

int Camera::CheckModel()
{
    const int answered = CheckCameraModel(CameraModel::Instance());
    if (answered == 1)
        m_responsive = true;
    return answered;
}

int Camera::Query(int commandIndex, uint32_t& value, uint32_t timeoutMs)
{
    return Command::Instance().QueryInt(commandIndex, value, timeoutMs);
}

int Camera::QueryText(int commandIndex, std::string& text, uint32_t timeoutMs)
{
    return Command::Instance().QueryText(commandIndex, text, timeoutMs);
}

int Camera::QueryRawText(int commandIndex, std::string& text, uint32_t timeoutMs)
{
    return Command::Instance().QueryRawText(commandIndex, text, timeoutMs);
}

int Camera::Set(int commandIndex, int32_t value, uint32_t timeoutMs)
{
    return Command::Instance().SetInt(commandIndex, value, timeoutMs);
}

int Camera::SetText(int commandIndex, const std::string& text, uint32_t timeoutMs)
{
    return Command::Instance().SetText(commandIndex, text, timeoutMs);
}

int Camera::queryLine(const std::string& line, int32_t& value)
{
    uint32_t reply = 0;
    if (!Command::Instance().SendAndReceive(reply, line, kExchangeMs, 1))
        return 0;
    value = static_cast<int32_t>(reply);
    return 1;
}

int Camera::setLine(const std::string& line)
{
    Command& command = Command::Instance();
    // An old unsolicited line must not be taken for this line's acknowledgement.
    command.ClearReplies();
    if (!CommLink::Instance().Write(line))
        return 0;
    return command.WaitForComplete(kAcknowledgeMs) == 1 ? 1 : 0;
}

int Camera::QueryPlain(int commandIndex, int32_t& value)
{
    const std::string mnemonic = Mnemonic(commandIndex);
    return mnemonic.empty() ? 0 : queryLine(mnemonic + "?" + kEnd, value);
}

int Camera::QueryIndexed(int commandIndex, int32_t index, int32_t& value)
{
    const std::string mnemonic = Mnemonic(commandIndex);
    return mnemonic.empty() ? 0 : queryLine(mnemonic + std::to_string(index) + "?" + kEnd, value);
}

int Camera::QueryWithArgument(int commandIndex, int32_t argument, int32_t& value)
{
    const std::string mnemonic = Mnemonic(commandIndex);
    return mnemonic.empty() ? 0 : queryLine(mnemonic + "?" + std::to_string(argument) + kEnd, value);
}

int Camera::SetIndexed(int commandIndex, int32_t index, int32_t value)
{
    const std::string mnemonic = Mnemonic(commandIndex);
    if (mnemonic.empty())
        return 0;
    return setLine(mnemonic + std::to_string(index) + "=" + std::to_string(value) + kEnd);
}

int Camera::SetAcknowledged(int commandIndex, int32_t value)
{
    const std::string mnemonic = Mnemonic(commandIndex);
    return mnemonic.empty() ? 0 : setLine(mnemonic + "=" + std::to_string(value) + kEnd);
}

int Camera::SetPair(int commandIndex, int32_t first, int32_t second, uint32_t timeoutMs)
{
    if (Mnemonic(commandIndex).empty())
        return 0;
    return SetText(commandIndex, std::to_string(first) + "," + std::to_string(second), timeoutMs);
}

int Camera::SendTyped(const std::string& text)
{
    return CommLink::Instance().Write(text + kEnd);
}
