// The communication link: its settings, the switch between transports, and the serial mode
// over a real pseudo-terminal. That a whole run reads its settings and writes them back is the
// program's lifecycle test; that each Camera Link mode opens its stored port, the Camera Link
// end-to-end test's.
#include "LinkTestSupport.h"
#include "SerialPort.h"

#include <gtest/gtest.h>
#include <termios.h>
#include <vector>

using namespace std::chrono_literals;

namespace {

class CommLinkTest : public ::testing::Test, public LinkFixture {
protected:
    // A fresh run after the test changed the settings.
    CommLink& Link()
    {
        link.ReloadSettingsForTest();
        return link;
    }
};

TEST_F(CommLinkTest, SettingsAreReadOnceWithDefaultsAndWrittenBackAsTheyStand)
{
    CommLink& fresh = Link();
    EXPECT_EQ(fresh.GetMode(), 0u);
    EXPECT_EQ(fresh.GetBaudRate(), 9600u);
    EXPECT_EQ(fresh.SelectedPort(), 0u);
    // Rates beyond the table fall back to its first.
    EXPECT_EQ(CommLink::IndexToBaud(5), 9600u);
    EXPECT_EQ(CommLink::IndexToBaud(-1), 9600u);
    EXPECT_EQ(CommLink::BaudToIndex(230400), 0);

    const std::map<unsigned, uint32_t> stored = {{kCommunicationMode, 2}, {kBaudrate, 57600}, {kComPortNo, 4},
                                                 {kCl2000DllIndex, 1},    {kCl2001DllIndex, 2}, {kClVer11DllIndex, 3}};
    settings.ints = stored;
    CommLink& l = Link();
    EXPECT_EQ(l.GetMode(), 2u);
    EXPECT_EQ(l.GetBaudRate(), 57600u);
    const unsigned indexOfMode[] = {kComPortNo, kCl2000DllIndex, kCl2001DllIndex, kClVer11DllIndex};
    for (unsigned mode = 0; mode < 4; ++mode) {
        l.SetMode(mode);
        EXPECT_EQ(l.SelectedPort(), stored.at(indexOfMode[mode])) << mode;
    }
    l.SetMode(9);
    EXPECT_EQ(l.SelectedPort(), 0u);
    settings.ints.clear();
    l.SetMode(2);
    l.SaveSettings();
    EXPECT_EQ(settings.ints, stored);
}

TEST_F(CommLinkTest, ChangePortOpensThatComDeviceWritesWithCrLfAndLogsTheBareLine)
{
    PtyPeer com3;
    settings.ports["COM3"] = com3.SlavePath();
    CommLink& l = Link();
    EXPECT_EQ(l.ChangePort(2), 1);
    EXPECT_EQ(l.SelectedPort(), 2u);
    EXPECT_EQ(l.Write("GA=100\r\n"), 1);
    EXPECT_EQ(com3.Read(8, 2000), "GA=100\r\n");
    EXPECT_EQ(peer.ReadAvailable(), "");
    EXPECT_EQ(transcript, std::vector<std::string>{"Tx: GA=100"});
    EXPECT_EQ(messageList, std::vector<std::string>{"GA=100"});
    // Every trailing CR and LF goes, inner ones stay.
    l.Write("A\rB\n\r\n\n");
    EXPECT_EQ(transcript.back(), "Tx: A\rB");
    l.SaveSettings();
    EXPECT_EQ(settings.ints.at(kComPortNo), 2u);
}

TEST_F(CommLinkTest, InvalidModeOpensWritesAndReadsNothingButIsPersisted)
{
    CommLink& l = Link();
    ASSERT_EQ(l.Reopen(), 1);
    EXPECT_EQ(l.Open(7, 38400, 5), 0);
    EXPECT_EQ(l.GetMode(), 7u);
    EXPECT_EQ(l.GetBaudRate(), 38400u);
    EXPECT_EQ(l.Write("GA=100\r\n"), 0);
    EXPECT_TRUE(transcript.empty());
    EXPECT_EQ(l.PortCount(), 0);
    EXPECT_EQ(l.PortName(0), "ERROR");
    EXPECT_EQ(l.OpenWith(7, 9600), 0);
    char buffer[4];
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(l.Read(buffer, 4, 30), 0);
    EXPECT_FALSE(l.WaitReadable(30));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 60ms); // as a silent camera
    EXPECT_EQ(peer.ReadAvailable(), "");
    // The mode 0 port was closed on the way: another program may have it now.
    SerialPort other;
    other.SetContext({nullptr, &notices.recorder});
    EXPECT_EQ(other.Open(0u, 9600), 1);
    l.SaveSettings();
    EXPECT_EQ(settings.ints.at(kCommunicationMode), 7u);
    EXPECT_EQ(settings.ints.at(kBaudrate), 38400u);
}

TEST_F(CommLinkTest, ChangingModeClosesThePreviousTransportAndKeepsTheChoiceEvenWhenItFails)
{
    settings.ints = {{kBaudrate, 115200}, {kComPortNo, 6}};
    settings.ports["COM7"] = peer.SlavePath();
    CommLink& l = Link();
    ASSERT_EQ(l.Reopen(), 1);
    l.ChangeMode(2); // whether a Camera Link library is there does not matter here
    EXPECT_EQ(l.GetMode(), 2u);
    SerialPort other;
    other.SetContext({nullptr, &notices.recorder});
    EXPECT_EQ(other.Open("COM7", 9600, 8, 0, 0, 0), 1);
    l.ChangePort(4);
    EXPECT_EQ(l.SelectedPort(), 4u);
    EXPECT_EQ(l.ChangeMode(0), 0); // COM7 is taken now
    EXPECT_EQ(l.Write("GA?\r\n"), 1); // a valid mode: written as far as the port lets it
    l.SaveSettings();
    EXPECT_EQ(settings.ints.at(kCommunicationMode), 0u);
    EXPECT_EQ(settings.ints.at(kBaudrate), 115200u);
    EXPECT_EQ(settings.ints.at(kComPortNo), 6u);
    EXPECT_EQ(settings.ints.at(kCl2001DllIndex), 4u);
}

TEST_F(CommLinkTest, ArrivalNoticeReachesEveryTransportBuiltLater)
{
    ArrivalWatch watch(link); // before any transport exists
    ASSERT_EQ(Link().Reopen(), 1);
    link.ChangeMode(3);
    ASSERT_EQ(link.ChangeMode(0), 1);
    ASSERT_TRUE(peer.Write("Z"));
    EXPECT_TRUE(watch.WaitForNotice());
    char byte = 0;
    EXPECT_EQ(link.Read(&byte, 1, 5000), 1);
    EXPECT_EQ(byte, 'Z');
}

} // namespace
