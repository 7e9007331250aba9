// The communication link: settings, mode switching, the serial path over a real pty, logging.
#include "CommLink.h"
#include "LinkEvents.h"
#include "LinkTestSupport.h"
#include "SerialPort.h"

#include <gtest/gtest.h>
#include <termios.h>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

class CommLinkTest : public ::testing::Test, public PtyLinkFixture {
protected:
    CommLinkTest()
    {
        LinkEvents::Instance().SetTranscriptSink([this](const std::string& l) { transcript.push_back(l); });
        LinkEvents::Instance().SetMessageListSink([this](const std::string& l) { messageList.push_back(l); });
    }
    ~CommLinkTest() override
    {
        link.Close();
        link.SetModelCheck(nullptr);
        LinkEvents::Instance().SetTranscriptSink(nullptr);
        LinkEvents::Instance().SetMessageListSink(nullptr);
    }
    // A fresh run: the link reads its settings from this test's store.
    CommLink& Link()
    {
        link.ReloadSettingsForTest();
        return link;
    }

    CommLink& link = CommLink::Instance();
    std::vector<std::string> transcript;
    std::vector<std::string> messageList;
};

TEST_F(CommLinkTest, MissingSettingsTakeTheirDefaults)
{
    CommLink& l = Link();
    EXPECT_EQ(l.GetMode(), 0u);
    EXPECT_EQ(l.GetBaudRate(), 9600u);
    EXPECT_EQ(l.SelectedPort(), 0u);
    l.SaveSettings();
    const std::pair<unsigned, uint32_t> expected[] = {
        {kCommunicationMode, 0}, {kBaudrate, 9600}, {kComPortNo, 0},
        {kCl2000DllIndex, 0}, {kCl2001DllIndex, 0}, {kClVer11DllIndex, 0}};
    for (auto [index, value] : expected)
        EXPECT_EQ(settings.ints.at(index), value) << index;
}

TEST_F(CommLinkTest, EachModeRemembersItsOwnPort)
{
    settings.ints = {{kCommunicationMode, 2}, {kBaudrate, 57600}, {kComPortNo, 4},
                     {kCl2000DllIndex, 1}, {kCl2001DllIndex, 2}, {kClVer11DllIndex, 3}};
    CommLink& l = Link();
    EXPECT_EQ(l.GetMode(), 2u);
    EXPECT_EQ(l.GetBaudRate(), 57600u);
    const unsigned selected[] = {4, 1, 2, 3};
    for (unsigned mode = 0; mode < 4; ++mode) {
        l.SetMode(mode);
        EXPECT_EQ(l.SelectedPort(), selected[mode]) << mode;
    }
    l.SetMode(9);
    EXPECT_EQ(l.SelectedPort(), 0u);
}

TEST_F(CommLinkTest, ConnectOpensTheStoredPortAtTheStoredRate)
{
    settings.ints = {{kCommunicationMode, 0}, {kBaudrate, 19200}, {kComPortNo, 0}};
    CommLink& l = Link();
    int checks = 0;
    l.SetModelCheck([&] { ++checks; return 1; });
    EXPECT_EQ(l.Connect(), 1);
    EXPECT_EQ(checks, 1);
    termios t{};
    ASSERT_TRUE(peer.SlaveAttributes(t));
    EXPECT_EQ(cfgetospeed(&t), B19200);
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(CommLinkTest, ConnectFailureSaysSoAndSkipsTheModelCheck)
{
    settings.ports["COM1"] = "/nonexistent/ttyLumora";
    CommLink& l = Link();
    bool checked = false;
    l.SetModelCheck([&] { checked = true; return 1; });
    EXPECT_EQ(l.Connect(), 0);
    EXPECT_FALSE(checked);
    ASSERT_EQ(notices.recorder.messages.size(), 2u);
    EXPECT_EQ(notices.recorder.messages[0].text.rfind("Failed to initialize COM1 port!\nError in CreateFile()", 0), 0u);
    EXPECT_EQ(notices.recorder.messages[1].text, "Failed to initialize!");
    EXPECT_EQ(notices.recorder.messages[1].icon, NoticeIcon::Exclamation);
}

TEST_F(CommLinkTest, ChangePortOpensThatComDeviceAndStoresTheIndex)
{
    PtyPeer com3;
    settings.ports["COM3"] = com3.SlavePath();
    CommLink& l = Link();
    EXPECT_EQ(l.ChangePort(2), 1);
    EXPECT_EQ(l.SelectedPort(), 2u);
    EXPECT_EQ(l.Write("X\r\n"), 1);
    EXPECT_EQ(com3.Read(3, 2000), "X\r\n");
    EXPECT_EQ(peer.ReadAvailable(), "");
    l.SaveSettings();
    EXPECT_EQ(settings.ints.at(kComPortNo), 2u);
}

TEST_F(CommLinkTest, WriteSendsCrLfButLogsTheBareLine)
{
    CommLink& l = Link();
    ASSERT_EQ(l.Reopen(), 1);
    EXPECT_EQ(l.Write("GA=100\r\n"), 1);
    EXPECT_EQ(peer.Read(8, 2000), "GA=100\r\n");
    EXPECT_EQ(transcript, std::vector<std::string>{"Tx: GA=100"});
    EXPECT_EQ(messageList, std::vector<std::string>{"GA=100"});
    // Every trailing CR and LF goes, inner ones stay.
    l.Write("A\rB\n\r\n\n");
    EXPECT_EQ(transcript.back(), "Tx: A\rB");
}

TEST_F(CommLinkTest, InvalidModeOpensWritesAndReadsNothing)
{
    CommLink& l = Link();
    EXPECT_EQ(l.Open(7, 38400, 5), 0);
    EXPECT_EQ(l.GetMode(), 7u);
    EXPECT_EQ(l.GetBaudRate(), 38400u);
    EXPECT_EQ(l.Write("GA=100\r\n"), 0);
    EXPECT_TRUE(transcript.empty());
    EXPECT_TRUE(messageList.empty());
    EXPECT_EQ(l.PortCount(), 0);
    EXPECT_EQ(l.PortName(0), "ERROR");
    EXPECT_EQ(l.OpenWith(7, 9600), 0);
    char buffer[4];
    EXPECT_EQ(l.Read(buffer, 4, 10), 0);
    EXPECT_FALSE(l.WaitReadable(10));
    EXPECT_EQ(peer.ReadAvailable(), "");
    l.SaveSettings();
    EXPECT_EQ(settings.ints.at(kCommunicationMode), 7u);
    EXPECT_EQ(settings.ints.at(kBaudrate), 38400u);
}

TEST_F(CommLinkTest, ComPortNamesInModeZero)
{
    CommLink& l = Link();
    EXPECT_EQ(l.PortCount(), 32);
    EXPECT_EQ(l.PortName(0), "COM1");
    EXPECT_EQ(l.PortName(31), "COM32");
    EXPECT_EQ(l.PortName(32), "ERROR");
}

TEST_F(CommLinkTest, FailedChangeModeIsStillPersisted)
{
    settings.ints = {{kCommunicationMode, 3}, {kBaudrate, 115200}, {kComPortNo, 6}};
    settings.ports["COM7"] = "/nonexistent/ttyLumora";
    CommLink& l = Link();
    EXPECT_EQ(l.ChangeMode(0), 0);
    EXPECT_EQ(l.GetMode(), 0u);
    l.SaveSettings(); // the process-end write
    EXPECT_EQ(settings.ints.at(kCommunicationMode), 0u);
    EXPECT_EQ(settings.ints.at(kBaudrate), 115200u);
    EXPECT_EQ(settings.ints.at(kComPortNo), 6u);
}

TEST_F(CommLinkTest, SwitchingToCameraLinkClosesTheSerialPortAndKeepsTheChoice)
{
    settings.ints = {{kCommunicationMode, 0}, {kBaudrate, 115200}};
    CommLink& l = Link();
    ASSERT_EQ(l.Reopen(), 1);
    l.ChangeMode(2); // whether a Camera Link library is there does not matter here
    EXPECT_EQ(l.GetMode(), 2u);
    EXPECT_FALSE(SerialPort::Instance().IsOpen());
    l.ChangePort(4);
    EXPECT_EQ(l.SelectedPort(), 4u);
    l.Close();
    l.SaveSettings();
    EXPECT_EQ(settings.ints.at(kCommunicationMode), 2u);
    EXPECT_EQ(settings.ints.at(kCl2001DllIndex), 4u);
    EXPECT_EQ(settings.ints.at(kComPortNo), 0u);
}

TEST(CommLinkBaud, TableAndItsFallbacks)
{
    const uint32_t table[] = {9600, 19200, 38400, 57600, 115200};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(CommLink::IndexToBaud(i), table[i]);
        EXPECT_EQ(CommLink::BaudToIndex(table[i]), i);
    }
    EXPECT_EQ(CommLink::IndexToBaud(9), 9600u);
    EXPECT_EQ(CommLink::IndexToBaud(-1), 9600u);
    EXPECT_EQ(CommLink::BaudToIndex(230400), 0);
    EXPECT_EQ(CommLink::BaudToIndex(0), 0);
}

TEST_F(CommLinkTest, ReadHonoursItsTimeOut)
{
    CommLink& l = Link();
    ASSERT_EQ(l.Reopen(), 1);
    char buffer[4];
    auto start = Clock::now();
    EXPECT_EQ(l.Read(buffer, 4, 200), 0);
    auto took = Clock::now() - start;
    EXPECT_GE(took, 200ms);
    EXPECT_LT(took, 2s);
    EXPECT_FALSE(l.WaitReadable(50));
}

TEST_F(CommLinkTest, ReadReturnsAsSoonAsTheBytesCame)
{
    CommLink& l = Link();
    ASSERT_EQ(l.Reopen(), 1);
    // The device answers a little later, as a camera does.
    std::thread device([this] {
        std::this_thread::sleep_for(30ms);
        peer.Write("OK\n");
    });
    char buffer[8] = {};
    auto start = Clock::now();
    int got = l.Read(buffer, 3, 10000);
    auto took = Clock::now() - start;
    device.join();
    EXPECT_EQ(got, 3);
    EXPECT_EQ(std::string(buffer, 3), "OK\n");
    EXPECT_LT(took, 2s);
}

TEST_F(CommLinkTest, ReadStopsAtCountAndLeavesTheRest)
{
    CommLink& l = Link();
    ASSERT_EQ(l.Reopen(), 1);
    ASSERT_TRUE(peer.Write("ABCDE"));
    ASSERT_TRUE(l.WaitReadable(5000));
    char buffer[8] = {};
    std::string got;
    while (got.size() < 2)
        got.append(buffer, l.Read(buffer, 2 - static_cast<int>(got.size()), 5000));
    EXPECT_EQ(got, "AB");
    while (got.size() < 5)
        got.append(buffer, l.Read(buffer, 5 - static_cast<int>(got.size()), 5000));
    EXPECT_EQ(got, "ABCDE");
}

TEST_F(CommLinkTest, ArrivalNotifyComesFromTheReader)
{
    CommLink& l = Link();
    ASSERT_EQ(l.Reopen(), 1);
    std::mutex m;
    std::condition_variable cv;
    bool notified = false;
    l.SetArrivalNotify([&] {
        { std::lock_guard<std::mutex> lock(m); notified = true; }
        cv.notify_all();
    });
    ASSERT_TRUE(peer.Write("Z"));
    {
        std::unique_lock<std::mutex> lock(m);
        EXPECT_TRUE(cv.wait_for(lock, 5s, [&] { return notified; }));
    }
    l.SetArrivalNotify(nullptr);
}

TEST_F(CommLinkTest, PulledDeviceMakesReadsTimeOutAndWritesVanish)
{
    CommLink& l = Link();
    ASSERT_EQ(l.Reopen(), 1);
    ArrivalWatch watch(SerialPort::Instance());
    peer.CloseMaster();
    ASSERT_TRUE(watch.WaitFor([] { return SerialPort::Instance().IsLost(); }));
    EXPECT_EQ(l.Write("GA?\r\n"), 1); // not reported, as any lost byte
    char buffer[4];
    auto start = Clock::now();
    EXPECT_EQ(l.Read(buffer, 1, 100), 0);
    EXPECT_GE(Clock::now() - start, 100ms);
    // Re-opening a healthy device recovers.
    PtyPeer replacement;
    settings.ports["COM1"] = replacement.SlavePath();
    ASSERT_EQ(l.Reopen(), 1);
    EXPECT_FALSE(SerialPort::Instance().IsLost());
    ASSERT_TRUE(replacement.Write("R"));
    EXPECT_EQ(l.Read(buffer, 1, 5000), 1);
}

} // namespace
