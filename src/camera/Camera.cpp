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
    if (CheckModel() == 1)
        return 1;
    // A refused or garbled answer has had its box from the exchange.
    const Command::Outcome outcome = m_command.LastOutcome();
    if (outcome != Command::Outcome::Unanswered && outcome != Command::Outcome::LinkLost)
        return 0;
    Notice().Message(NoAnswerText(m_link.SelectedPortText()), "Communication Error",
                      NoticeIcon::Exclamation);
    return 0;
}

int Camera::CheckModel()
{
    const int answered = CheckCameraModel(m_command, Notice(), m_model);
    if (answered == 1)
        m_responsive = true;
    return answered;
}

int Camera::Query(int commandIndex, uint32_t& value, uint32_t timeoutMs)
{
    return m_command.QueryInt(commandIndex, value, timeoutMs);
}

int Camera::QueryText(int commandIndex, std::string& text, uint32_t timeoutMs)
{
    return m_command.QueryText(commandIndex, text, timeoutMs);
}

int Camera::QueryRawText(int commandIndex, std::string& text, uint32_t timeoutMs)
{
    return m_command.QueryRawText(commandIndex, text, timeoutMs);
}

int Camera::Set(int commandIndex, int32_t value, uint32_t timeoutMs)
{
    return m_command.SetInt(commandIndex, value, timeoutMs);
}

int Camera::SetText(int commandIndex, const std::string& text, uint32_t timeoutMs)
{
    return m_command.SetText(commandIndex, text, timeoutMs);
}

int Camera::queryLine(const std::string& line, int32_t& value)
{
    uint32_t reply = 0;
    if (!m_command.SendAndReceive(reply, line, Timeouts::kExchangeMs, 1))
        return 0;
    value = static_cast<int32_t>(reply);
    return 1;
}

int Camera::setLine(const std::string& line)
{
    Command& command = m_command;
    // An old unsolicited line must not be taken for this line's acknowledgement.
    command.ClearReplies();
    if (!m_link.Write(line))
        return 0;
    return command.WaitForComplete(Timeouts::kAcknowledgeMs) == 1 ? 1 : 0;
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
    return m_link.Write(text + kEnd);
}
