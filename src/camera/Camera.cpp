#include "Camera.h"
#include "CommLink.h"
#include "Command.h"
#include "CommandTable.h"
#include "LinkEvents.h"
#include "UserNotice.h"
#include "Walk.h"

namespace {

constexpr const char* kEnd = "\r\n";

} // namespace

Camera::Camera(SettingsStore* settings) : m_link(m_events, settings), m_command(m_link, m_events) {}

Camera::~Camera()
{
    m_link.Close();
}

void Camera::CancelWalks()
{
    Walk::CancelAll(*this);
}

std::string Camera::Mnemonic(int commandIndex)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount)
        return {};
    return CommandTable::Instance().GetMnemonic(commandIndex);
}

int Camera::Connect()
{
    if (!OpenLink([](CommLink& link) { return link.Reopen(); }, "Failed to initialize!"))
        return 0;
    return CheckModelOrSay();
}

int Camera::OpenLink(const std::function<int(CommLink&)>& open, const std::string& headline)
{
    std::string text = headline;
    int opened = 0;
    {
        QuietNotices quiet(Notice());
        opened = open(m_link);
        for (const std::string& cause : quiet.Texts())
            text += "\n\n" + cause;
    }
    if (opened == 1)
        return 1;
    Notice().Message(text, "", NoticeIcon::Exclamation);
    // Nothing can answer on a link that did not open.
    m_events.ReportOffline();
    return 0;
}

std::string Camera::NoAnswerText(const std::string& tried)
{
    return "No answer from Camera! (Timeout error)\nCheck power on Camera or serial cable connection.\n\n"
           "No camera answered on " + tried + ".";
}

int Camera::CheckModelOrSay()
{
    const Command::Result answer = CheckModel();
    if (answer)
        return 1;
    // A refused or garbled answer has had its box from the exchange.
    if (answer.outcome != Command::Outcome::Unanswered && answer.outcome != Command::Outcome::LinkLost)
        return 0;
    Notice().Message(NoAnswerText(m_link.SelectedPortText()), "Communication Error",
                      NoticeIcon::Exclamation);
    return 0;
}

Command::Result Camera::CheckModel()
{
    const Command::Result answer = CheckCameraModel(m_command, Notice(), m_model);
    if (answer)
        m_responsive = true;
    return answer;
}

Command::Result Camera::Query(int commandIndex, uint32_t& value, uint32_t timeoutMs)
{
    return m_command.QueryInt(commandIndex, value, timeoutMs);
}

Command::Result Camera::QueryText(int commandIndex, std::string& text, uint32_t timeoutMs)
{
    return m_command.QueryText(commandIndex, text, timeoutMs);
}

Command::Result Camera::QueryRawText(int commandIndex, std::string& text, uint32_t timeoutMs)
{
    return m_command.QueryRawText(commandIndex, text, timeoutMs);
}

Command::Result Camera::Set(int commandIndex, int32_t value, uint32_t timeoutMs)
{
    return m_command.SetInt(commandIndex, value, timeoutMs);
}

Command::Result Camera::SetText(int commandIndex, const std::string& text, uint32_t timeoutMs)
{
    return m_command.SetText(commandIndex, text, timeoutMs);
}

Command::Result Camera::queryLine(const std::string& line, int32_t& value)
{
    uint32_t reply = 0;
    const Command::Result answer = m_command.SendAndReceive(reply, line, Timeouts::kExchangeMs, 1);
    if (answer)
        value = static_cast<int32_t>(reply);
    return answer;
}

Command::Result Camera::setLine(const std::string& line)
{
    Command& command = m_command;
    // An old unsolicited line must not be taken for this line's acknowledgement.
    command.ClearReplies();
    if (!m_link.Write(line))
        return {};
    return command.WaitForComplete(Timeouts::kAcknowledgeMs);
}

Command::Result Camera::QueryPlain(int commandIndex, int32_t& value)
{
    const std::string mnemonic = Mnemonic(commandIndex);
    if (mnemonic.empty())
        return {};
    return queryLine(mnemonic + "?" + kEnd, value);
}

Command::Result Camera::QueryIndexed(int commandIndex, int32_t index, int32_t& value)
{
    const std::string mnemonic = Mnemonic(commandIndex);
    if (mnemonic.empty())
        return {};
    return queryLine(mnemonic + std::to_string(index) + "?" + kEnd, value);
}

Command::Result Camera::QueryWithArgument(int commandIndex, int32_t argument, int32_t& value)
{
    const std::string mnemonic = Mnemonic(commandIndex);
    if (mnemonic.empty())
        return {};
    return queryLine(mnemonic + "?" + std::to_string(argument) + kEnd, value);
}

Command::Result Camera::SetIndexed(int commandIndex, int32_t index, int32_t value)
{
    const std::string mnemonic = Mnemonic(commandIndex);
    if (mnemonic.empty())
        return {};
    return setLine(mnemonic + std::to_string(index) + "=" + std::to_string(value) + kEnd);
}

Command::Result Camera::SetAcknowledged(int commandIndex, int32_t value)
{
    const std::string mnemonic = Mnemonic(commandIndex);
    if (mnemonic.empty())
        return {};
    return setLine(mnemonic + "=" + std::to_string(value) + kEnd);
}

Command::Result Camera::SetPair(int commandIndex, int32_t first, int32_t second, uint32_t timeoutMs)
{
    if (Mnemonic(commandIndex).empty())
        return {};
    return SetText(commandIndex, std::to_string(first) + "," + std::to_string(second), timeoutMs);
}

int Camera::SendTyped(const std::string& text)
{
    return m_link.Write(text + kEnd);
}
