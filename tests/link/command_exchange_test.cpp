// Exchanges of the command exchange with a camera on a real pseudo-terminal, reached through
// the communication link's native serial mode. Plain queries and settings, replies that come
// byte by byte at line speed and the lines they leave in the transcript and the message list
// are what every end-to-end test against the paced simulated camera does; here: the edges.
#include "Command.h"
#include "CommandTable.h"
#include "LinkTestSupport.h"
#include "PtyCamera.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

int command(const char* mnemonic)
{
    return CommandTable::Instance().FindCommand(mnemonic);
}

class CommandExchange : public ::testing::Test, public LinkFixture {
protected:
    void SetUp() override
    {
        ASSERT_EQ(link.Open(0, 115200, 0), 1);
        cmd.ClearReplies();
    }

    // Unasked bytes from the camera, received by ReceiveLine as the idle timer would.
    int ReceiveUnasked(const std::string& bytes, int lines)
    {
        EXPECT_TRUE(peer.Write(bytes));
        int got = 0;
        for (auto end = Clock::now() + 5s; got < lines && Clock::now() < end;)
            got += cmd.ReceiveLine();
        return got;
    }

    PtyCamera camera{peer};
    Command cmd{link, events};
    const int ga = command("GA");
};

TEST_F(CommandExchange, UnaskedLinesQueueOneAtATimeSurviveAnOverflowAndAnswerTheNextSetting)
{
    EXPECT_EQ(ReceiveUnasked("GA=1\r\nPE=2\r\n", 1), 1);
    EXPECT_EQ(cmd.PopReply(), "GA=1");
    EXPECT_FALSE(cmd.HasReplies());
    EXPECT_EQ(ReceiveUnasked("", 1), 1);
    EXPECT_EQ(cmd.PopReply(), "PE=2");

    // Fed as a camera at line speed would be received, in pieces the port's ring can hold.
    const std::string tooLong(LineFramer::kBufferSize, 'z');
    for (size_t at = 0; at < tooLong.size(); at += 256) {
        ASSERT_TRUE(peer.Write(tooLong.substr(at, 256)));
        ASSERT_TRUE(link.WaitReadable(5000));
        while (cmd.ReceiveLine()) {
        }
    }
    ASSERT_EQ(notices.recorder.messages.size(), 1u);
    EXPECT_EQ(notices.recorder.messages[0].text, LineFramer::kOverflowText);
    EXPECT_EQ(notices.recorder.messages[0].caption, LineFramer::kOverflowCaption);
    EXPECT_EQ(notices.recorder.messages[0].icon, NoticeIcon::Exclamation);
    // Not cleared by WaitForComplete: a line that came before the setting answers it.
    EXPECT_EQ(ReceiveUnasked("GA=5\r\n", 1), 1);
    ASSERT_EQ(link.Write("GA=1\r\n"), 1);
    EXPECT_EQ(cmd.WaitForComplete(2500), 0);
    ASSERT_EQ(notices.recorder.messages.size(), 2u);
    EXPECT_EQ(notices.recorder.messages[1].text, "GA=5");
}

TEST_F(CommandExchange, SilenceTimesOutAtTheFirstLookAfterTheTimeOut)
{
    camera.setResponder([](const std::string&) { return std::string(); });
    CommandValue value;
    value.intValue = 42;
    // Looks come every 20 ms: a time-out of 30 ms gives up at the look at 40 ms.
    auto start = Clock::now();
    EXPECT_EQ(cmd.QueryValue(ga, value, 30), 0);
    EXPECT_GE(Clock::now() - start, 40ms);
    EXPECT_EQ(value.intValue, 42);
    EXPECT_EQ(states, std::vector<bool>{false});

    uint32_t raw = 0;
    EXPECT_EQ(cmd.SendAndReceive(raw, "ST?\r\n", 0, 0), 0);
    EXPECT_EQ(states, std::vector<bool>{false}); // reportOffline 0: nothing reported
    start = Clock::now();
    EXPECT_EQ(cmd.WaitForComplete(40), 0);
    EXPECT_GE(Clock::now() - start, 40ms);
    EXPECT_EQ(states, (std::vector<bool>{false, false}));
    EXPECT_EQ(notices.recorder.waitDepth, 0);
    EXPECT_TRUE(notices.recorder.messages.empty());
}

// A setting is acknowledged by the first eight characters of its answer; a query answered for
// another command, or a refusal, is shown as it came (camera text is data, never a format).
TEST_F(CommandExchange, AnswersAreTakenOrShownAsTheyCame)
{
    const int ud = command("UD");
    const struct {
        char op; // 'S' sets GA to 5, 'Q' queries GA, 'R' queries UD's text as the camera sent it
        const char* reply;
        int result;
        const char* shown; // the message box's text; null: none
        const char* text;  // what 'R' hands back
    } cases[] = {
        {'S', "COMPLETE\r\n", 1, nullptr, ""},     {'S', "COMPLETE OK\r\n", 1, nullptr, ""},
        {'S', "Complete\r\n", 1, nullptr, ""},     {'S', "complete!!\n", 1, nullptr, ""},
        {'S', "COMPLET\r\n", 0, "COMPLET", ""},    {'S', "ERROR 12\r\n", 0, "ERROR 12", ""},
        {'Q', "XYZ=1\r\n", 0, "XYZ=1 for GA?", ""}, {'Q', "PE=1\r\n", 0, "PE=1 for GA?", ""},
        {'Q', "%s%n %x\r\n", 0, "%s%n%x for GA?", ""},
        {'R', "UD=Line 7 cam\r\n", 1, nullptr, "Line 7 cam"},
        {'R', "ud = abc \r\n", 1, nullptr, "abc"}, // spaces around the value are the line's, not the text's
        {'R', "UD=a,b=c\r\n", 1, nullptr, "a,b=c"}, // no pair and no second separator here
        {'R', "UD=\r\n", 1, nullptr, ""},
        {'R', "DV=lower\r\n", 0, "DV=lower for UD?", ""}, // another command's answer is no user id
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        notices.recorder.Clear();
        states.clear();
        camera.clearLines();
        camera.queueReply(c.reply);
        CommandValue value;
        std::string text = "kept";
        const int result = c.op == 'S' ? cmd.SetInt(ga, 5, 2500)
                           : c.op == 'Q' ? cmd.QueryValue(ga, value, 2500)
                                         : cmd.QueryRawText(ud, text, 2500);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(camera.lines(), std::vector<std::string>{c.op == 'S' ? "GA=5\r\n" : c.op == 'Q' ? "GA?\r\n" : "UD?\r\n"});
        if (c.op == 'R') {
            EXPECT_EQ(text, c.text);
        }
        // A setting answered either way, or a query answered for itself, means the camera is online.
        EXPECT_EQ(states, c.result || c.op == 'S' ? std::vector<bool>{true} : std::vector<bool>{});
        EXPECT_EQ(notices.recorder.waitDepth, 0);
        ASSERT_EQ(notices.recorder.messages.size(), c.shown ? 1u : 0u);
        if (c.shown) {
            EXPECT_EQ(notices.recorder.messages[0].text, c.shown);
            EXPECT_EQ(notices.recorder.messages[0].icon, NoticeIcon::Exclamation);
        }
    }
}

TEST_F(CommandExchange, EntryWithoutMnemonicSendsNothing)
{
    const CommandTable& table = CommandTable::Instance();
    int unnamed = 0;
    while (unnamed < table.Count() && !table.GetMnemonic(unnamed).empty())
        ++unnamed;
    ASSERT_LT(unnamed, table.Count());
    CommandValue value;
    EXPECT_EQ(cmd.QueryValue(unnamed, value, 2500), 0);
    std::string text = "kept";
    EXPECT_EQ(cmd.QueryText(unnamed, text, 2500), 0);
    EXPECT_EQ(text, "");

    // The first thing on the line is the next real query.
    camera.setValue("GA", 7);
    uint32_t number = 0;
    EXPECT_EQ(cmd.QueryInt(ga, number, 2500), 1);
    EXPECT_EQ(camera.lines(), std::vector<std::string>{"GA?\r\n"});
    EXPECT_EQ(number, 7u);
}

TEST_F(CommandExchange, ReadyLinesTakeTheReplyWithAutomaticBaseEvenWithoutTimeOut)
{
    camera.setValue("ST", "010");
    uint32_t value = 0;
    EXPECT_EQ(cmd.SendAndReceive(value, "ST?\r\n", 2500, 1), 1);
    EXPECT_EQ(value, 8u);
    EXPECT_EQ(states, std::vector<bool>{true});

    // A reply already on the line when the exchange starts is taken by its one look.
    camera.setResponder([](const std::string&) { return std::string(); });
    ASSERT_TRUE(peer.Write("ST=9\r\n"));
    ASSERT_TRUE(link.WaitReadable(5000));
    EXPECT_EQ(cmd.SendAndReceive(value, "ST?\r\n", 0, 1), 1);
    EXPECT_EQ(value, 9u);
    EXPECT_TRUE(camera.waitForLines(2));
}

TEST_F(CommandExchange, TextSettingLeavesTheCommandTableAlone)
{
    const uint32_t kind = CommandTable::Instance().Entry(ga).valueKind;
    std::atomic<uint32_t> kindDuringTheExchange = ~kind; // seen on the camera's thread
    camera.setResponder([&](const std::string&) -> std::optional<std::string> {
        kindDuringTheExchange = CommandTable::Instance().Entry(ga).valueKind;
        return std::nullopt;
    });
    EXPECT_EQ(cmd.SetText(ga, "abc", 2500), 1);
    EXPECT_EQ(camera.lines(), std::vector<std::string>{"GA=abc\r\n"});
    EXPECT_EQ(kindDuringTheExchange.load(), kind);

    camera.setValue("UD", std::string(100, 'k'));
    std::string text;
    EXPECT_EQ(cmd.QueryText(command("UD"), text, 2500), 1);
    EXPECT_EQ(text, std::string(100, 'K'));
}

} // namespace
