// Exchanges of the command exchange against a scripted device on a real pseudo-terminal,
// reached through the communication link's native serial mode.
#include "CommLink.h"
#include "Command.h"
#include "CommandTable.h"
#include "LinkEvents.h"
#include "PtyPeer.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class CommandExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(peer.IsOpen());
        settings.ports["COM1"] = peer.SlavePath();
        SetSettingsStore(&settings);
        CommLink::Instance().ReloadSettingsForTest();
        ASSERT_EQ(CommLink::Instance().Open(0, 115200, 0), 1);
        LinkEvents& events = LinkEvents::Instance();
        events.SetTranscriptSink([this](const std::string& line) { transcript.push_back(line); });
        events.SetMessageListSink([this](const std::string& line) { messageList.push_back(line); });
        events.SetOnlineSink([this](bool online) { states.push_back(online); });
        Command::Instance().ClearReplies();
        ga = CommandTable::Instance().FindCommand("GA");
    }

    void TearDown() override
    {
        if (device.joinable())
            device.join();
        CommLink::Instance().Close();
        LinkEvents& events = LinkEvents::Instance();
        events.SetTranscriptSink(nullptr);
        events.SetMessageListSink(nullptr);
        events.SetOnlineSink(nullptr);
        SetSettingsStore(nullptr);
        CommandTable::Instance().Reset();
    }

    // The device: waits for the program's next line, keeps it in request, then answers with
    // the bursts, pausing between them so that they arrive as separate reads.
    void AnswerNextLine(std::vector<std::string> bursts, milliseconds pause = milliseconds(0))
    {
        device = std::thread([this, bursts, pause] {
            request = peer.ReadUntil('\n', 5000);
            for (size_t i = 0; i < bursts.size(); ++i) {
                if (i > 0)
                    std::this_thread::sleep_for(pause);
                peer.Write(bursts[i]);
            }
        });
    }

    // Sends bytes as the device and waits until the first of them can be read.
    void DeviceSends(const std::string& bytes)
    {
        ASSERT_TRUE(peer.Write(bytes));
        ASSERT_TRUE(CommLink::Instance().WaitReadable(5000));
    }

    // Calls ReceiveLine until it completes a line (a slow scheduler may split the bytes).
    int ReceiveWithin(milliseconds limit)
    {
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            if (Command::Instance().ReceiveLine())
                return 1;
        }
        return 0;
    }

    // Sends long input as the device in pieces the port's receive ring can hold, receiving
    // as a camera at line speed would be received; returns the number of lines completed.
    int Feed(const std::string& bytes, int expectedLines)
    {
        int lines = 0;
        for (size_t at = 0; at < bytes.size(); at += 256) {
            DeviceSends(bytes.substr(at, 256));
            while (Command::Instance().ReceiveLine())
                ++lines;
        }
        const auto end = Clock::now() + milliseconds(5000);
        while (lines < expectedLines && Clock::now() < end)
            lines += Command::Instance().ReceiveLine();
        return lines;
    }

    void FinishDevice()
    {
        if (device.joinable())
            device.join();
    }

    PtyPeer peer;
    MemorySettings settings;
    ScopedRecordingNotice notices;
    std::thread device;
    std::string request;
    std::vector<std::string> transcript;
    std::vector<std::string> messageList;
    std::vector<bool> states;
    int ga = -1;
};

TEST_F(CommandExchange, QueryAssemblesAReplySplitAcrossBursts)
{
    AnswerNextLine({"G", "A=1", "23\r", "\n"}, milliseconds(30));
    CommandValue value;
    EXPECT_EQ(Command::Instance().QueryValue(ga, value, 2500), 1);
    FinishDevice();
    EXPECT_EQ(request, "GA?\r\n");
    EXPECT_EQ(value.intValue, 123);
    EXPECT_EQ(value.valueKind, 0);
    EXPECT_EQ(states, std::vector<bool>{true});
    EXPECT_TRUE(notices.recorder.messages.empty());
    // Sent and received lines both reach the transcript and the message list.
    EXPECT_EQ(transcript, (std::vector<std::string>{"Tx: GA?", "Rx: GA=123"}));
    EXPECT_EQ(messageList, (std::vector<std::string>{"GA?", "GA=123"}));
}

TEST_F(CommandExchange, TwoLinesInOneBurstAreCompletedByTwoCalls)
{
    DeviceSends("GA=1\r\nPE=2\r\n");
    Command& command = Command::Instance();
    ASSERT_EQ(ReceiveWithin(milliseconds(5000)), 1);
    ASSERT_TRUE(command.HasReplies());
    EXPECT_EQ(command.PopReply(), "GA=1");
    EXPECT_FALSE(command.HasReplies());
    ASSERT_EQ(ReceiveWithin(milliseconds(5000)), 1);
    EXPECT_EQ(command.PopReply(), "PE=2");
    EXPECT_FALSE(command.HasReplies());
}

TEST_F(CommandExchange, LineLengthLimitAndOverflow)
{
    Command& command = Command::Instance();
    // 1023 bytes before the LF fit; a CR before the LF is not part of the line.
    EXPECT_EQ(Feed(std::string(1023, 'x') + "\n", 1), 1);
    EXPECT_EQ(command.PopReply(), std::string(1023, 'x'));
    EXPECT_EQ(Feed(std::string(1022, 'y') + "\r\n", 1), 1);
    EXPECT_EQ(command.PopReply(), std::string(1022, 'y'));
    EXPECT_TRUE(notices.recorder.messages.empty());

    // The 1024th byte without a LF overflows: the partial line is dropped and the next one
    // starts afresh.
    EXPECT_EQ(Feed(std::string(1024, 'z') + "GA=5\r\n", 1), 1);
    ASSERT_EQ(notices.recorder.messages.size(), 1u);
    EXPECT_EQ(notices.recorder.messages[0].text, "RS-232C receiving buffer overflowed");
    EXPECT_EQ(notices.recorder.messages[0].caption, "Communication Error");
    EXPECT_EQ(notices.recorder.messages[0].icon, NoticeIcon::Exclamation);
    EXPECT_EQ(command.PopReply(), "GA=5");
    EXPECT_FALSE(command.HasReplies());
}

TEST_F(CommandExchange, NoReplyTimesOutAndReportsOffline)
{
    CommandValue value;
    value.intValue = 42;
    const auto start = Clock::now();
    EXPECT_EQ(Command::Instance().QueryValue(ga, value, 100), 0);
    EXPECT_GE(Clock::now() - start, milliseconds(100));
    EXPECT_EQ(value.intValue, 42);
    EXPECT_EQ(states, std::vector<bool>{false});

    uint32_t raw = 0;
    EXPECT_EQ(Command::Instance().SendAndReceive(raw, "ST?\r\n", 0, 0), 0);
    EXPECT_EQ(states, std::vector<bool>{false}); // reportOffline 0: nothing reported
    EXPECT_EQ(Command::Instance().WaitForComplete(40), 0);
    EXPECT_EQ(states, (std::vector<bool>{false, false}));
    EXPECT_EQ(notices.recorder.waitDepth, 0);
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(CommandExchange, AcknowledgementVariants)
{
    struct {
        const char* reply;
        int result;
    } cases[] = {
        {"COMPLETE\r\n", 1}, {"COMPLETE OK\r\n", 1}, {"Complete\r\n", 1}, {"complete!!\n", 1},
        {"COMPLET\r\n", 0},  {"ERROR 12\r\n", 0},
    };
    for (const auto& c : cases) {
        notices.recorder.Clear();
        states.clear();
        AnswerNextLine({c.reply});
        EXPECT_EQ(Command::Instance().SetInt(ga, 5, 2500), c.result) << c.reply;
        FinishDevice();
        EXPECT_EQ(request, "GA=5\r\n");
        // Answered either way: the camera is online.
        EXPECT_EQ(states, std::vector<bool>{true}) << c.reply;
        EXPECT_EQ(notices.recorder.waitDepth, 0);
        if (c.result) {
            EXPECT_TRUE(notices.recorder.messages.empty()) << c.reply;
        } else {
            std::string line(c.reply);
            line.erase(line.find('\r'));
            ASSERT_EQ(notices.recorder.messages.size(), 1u) << c.reply;
            EXPECT_EQ(notices.recorder.messages[0].text, line);
            EXPECT_EQ(notices.recorder.messages[0].caption, "Communication Error<2>");
            EXPECT_EQ(notices.recorder.messages[0].icon, NoticeIcon::Exclamation);
        }
    }
}

TEST_F(CommandExchange, WrongMnemonicGivesTheQueryErrorAndLeavesTheStateAlone)
{
    struct {
        const char* reply;
        const char* text;
    } cases[] = {
        {"XYZ=1\r\n", "XYZ=1 for GA?"},
        {"PE=1\r\n", "PE=1 for GA?"},
        {"%s%n %x\r\n", "%s%n%x for GA?"}, // camera text is data, never a format
    };
    for (const auto& c : cases) {
        notices.recorder.Clear();
        AnswerNextLine({c.reply});
        CommandValue value;
        EXPECT_EQ(Command::Instance().QueryValue(ga, value, 2500), 0);
        FinishDevice();
        ASSERT_EQ(notices.recorder.messages.size(), 1u) << c.reply;
        EXPECT_EQ(notices.recorder.messages[0].text, c.text);
        EXPECT_EQ(notices.recorder.messages[0].caption, "Communication Error<1>");
    }
    EXPECT_TRUE(states.empty());
}

TEST_F(CommandExchange, EntryWithoutMnemonicSendsNothing)
{
    const CommandTable& table = CommandTable::Instance();
    int unnamed = -1;
    for (int i = 0; i < table.Count() && unnamed < 0; ++i) {
        if (table.GetMnemonic(i).empty())
            unnamed = i;
    }
    ASSERT_GE(unnamed, 0);
    CommandValue value;
    EXPECT_EQ(Command::Instance().QueryValue(unnamed, value, 2500), 0);
    std::string text = "kept";
    EXPECT_EQ(Command::Instance().QueryText(unnamed, text, 2500), 0);
    EXPECT_EQ(text, "");

    // The first thing on the line is the next real query.
    AnswerNextLine({"GA=7\r\n"});
    uint32_t number = 0;
    EXPECT_EQ(Command::Instance().QueryInt(ga, number, 2500), 1);
    FinishDevice();
    EXPECT_EQ(request, "GA?\r\n");
    EXPECT_EQ(number, 7u);
}

TEST_F(CommandExchange, ReadyLineRepliesUseAutomaticBase)
{
    AnswerNextLine({"ST=010\r\n"});
    uint32_t value = 0;
    EXPECT_EQ(Command::Instance().SendAndReceive(value, "ST?\r\n", 2500, 1), 1);
    FinishDevice();
    EXPECT_EQ(request, "ST?\r\n");
    EXPECT_EQ(value, 8u);
    EXPECT_EQ(states, std::vector<bool>{true});
}

TEST_F(CommandExchange, ZeroTimeOutStillLooksOnce)
{
    // A reply already on the line before the exchange starts is taken even with no time-out.
    DeviceSends("ST=9\r\n");
    uint32_t value = 0;
    EXPECT_EQ(Command::Instance().SendAndReceive(value, "ST?\r\n", 0, 1), 1);
    EXPECT_EQ(value, 9u);
    EXPECT_EQ(peer.ReadUntil('\n', 5000), "ST?\r\n");
}

TEST_F(CommandExchange, TextSettingAndLongTextReply)
{
    AnswerNextLine({"COMPLETE\r\n"});
    EXPECT_EQ(Command::Instance().SetText(ga, "abc", 2500), 1);
    FinishDevice();
    EXPECT_EQ(request, "GA=abc\r\n");
    EXPECT_EQ(CommandTable::Instance().Entry(ga).valueKind, 0u); // restored after the call

    const int ud = CommandTable::Instance().FindCommand("UD");
    const std::string longText(100, 'k');
    AnswerNextLine({"UD=" + longText + "\r\n"});
    std::string text;
    EXPECT_EQ(Command::Instance().QueryText(ud, text, 2500), 1);
    FinishDevice();
    EXPECT_EQ(text, std::string(100, 'K'));
}

TEST_F(CommandExchange, WaitForCompleteTakesTheOldestQueuedLine)
{
    // Not cleared by WaitForComplete: a line that came before the setting answers it.
    DeviceSends("EARLY=1\r\n");
    ASSERT_EQ(ReceiveWithin(milliseconds(5000)), 1);
    ASSERT_EQ(CommLink::Instance().Write("GA=1\r\n"), 1);
    ASSERT_TRUE(peer.Write("COMPLETE\r\n"));
    EXPECT_EQ(Command::Instance().WaitForComplete(2500), 0);
    ASSERT_EQ(notices.recorder.messages.size(), 1u);
    EXPECT_EQ(notices.recorder.messages[0].text, "EARLY=1");
}

} // namespace
