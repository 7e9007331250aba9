// The native serial port over real pseudo-terminals reached through the port map.
#include "LinkTestSupport.h"
#include "SerialPort.h"

#include <gtest/gtest.h>
#include <termios.h>
#include <time.h>

using namespace std::chrono_literals;

namespace {

class SerialPortTest : public ::testing::Test, public PtyLinkFixture {
protected:
    int OpenCom1(uint32_t baud = 9600) { return port.Open("COM1", baud, 8, 0, 0, 0); }

    // Sends bytes from the device side and sleeps until the ring holds `expected` bytes.
    void Deliver(const std::string& bytes, int expected)
    {
        ASSERT_TRUE(peer.Write(bytes));
        ASSERT_TRUE(watch.WaitFor([&] { return port.Available() == expected; }))
            << "ring holds " << port.Available() << ", expected " << expected;
    }

    SerialPort port;
    ArrivalWatch watch{port};
};

TEST(SerialPortNames, ThirtyTwoComNamesThenError)
{
    EXPECT_EQ(SerialPort::PortCount(), 32);
    const std::pair<int, const char*> cases[] = {
        {0, "COM1"}, {8, "COM9"}, {31, "COM32"}, {32, "ERROR"}, {-1, "ERROR"}, {1 << 30, "ERROR"}};
    for (auto [index, name] : cases)
        EXPECT_EQ(SerialPort::PortName(index), name) << index;
}

TEST_F(SerialPortTest, OpenSetsRaw8N1AtTheRateWithoutFlowControl)
{
    const std::pair<uint32_t, speed_t> rates[] = {
        {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
    for (auto [baud, speed] : rates) {
        ASSERT_EQ(OpenCom1(baud), 1) << baud;
        termios t{};
        ASSERT_TRUE(peer.SlaveAttributes(t));
        EXPECT_EQ(cfgetospeed(&t), speed) << baud;
        EXPECT_EQ(cfgetispeed(&t), speed) << baud;
        EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
        EXPECT_FALSE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS));
        EXPECT_TRUE(t.c_cflag & CREAD);
        EXPECT_TRUE(t.c_cflag & CLOCAL);
        EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | INPCK | ICRNL | INLCR | IGNCR | ISTRIP));
        EXPECT_FALSE(t.c_oflag & OPOST);
        EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
        EXPECT_EQ(t.c_cc[VMIN], 0);
        EXPECT_EQ(t.c_cc[VTIME], 0);
    }
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(SerialPortTest, FlowControlAndParityCheckReachTheDevice)
{
    ASSERT_EQ(port.Open("COM1", 9600, 7, 2, 1, 1), 1);
    termios t{};
    ASSERT_TRUE(peer.SlaveAttributes(t));
    // A pseudo-terminal keeps no frame format (it reports 8N1 whatever was set), so only the
    // input side is visible here.
    EXPECT_TRUE(t.c_iflag & IXON);
    EXPECT_TRUE(t.c_iflag & IXOFF);
    EXPECT_TRUE(t.c_iflag & INPCK);
    EXPECT_EQ(t.c_cc[VSTART], 0x13);
    EXPECT_EQ(t.c_cc[VSTOP], 0x11);
}

TEST_F(SerialPortTest, EveryByteValueIsWrittenExactlyAndInOrder)
{
    ASSERT_EQ(OpenCom1(115200), 1);
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    ASSERT_EQ(port.Write(all.data(), static_cast<int>(all.size())), 1);
    EXPECT_EQ(peer.Read(all.size(), 5000), all);
}

TEST_F(SerialPortTest, WriteRefusesNothingToWriteAndAClosedPort)
{
    EXPECT_EQ(port.Write("A", 1), 0); // closed
    ASSERT_EQ(OpenCom1(), 1);
    EXPECT_EQ(port.Write("A", 0), 0);
    EXPECT_EQ(port.Write("A", -3), 0);
    EXPECT_EQ(port.Write("B", 1), 1);
    EXPECT_EQ(peer.Read(2, 200), "B"); // nothing before B
}

TEST_F(SerialPortTest, ReadTakesWhatIsThereAndNeverWaits)
{
    ASSERT_EQ(OpenCom1(), 1);
    char buffer[8] = {};
    EXPECT_EQ(port.Read(buffer, 5), 0); // empty
    Deliver(std::string("a\0\xff", 3), 3);
    EXPECT_EQ(port.Read(buffer, 0), 0);
    EXPECT_EQ(port.Read(buffer, 5), 3);
    EXPECT_EQ(std::string(buffer, 3), std::string("a\0\xff", 3));
    EXPECT_EQ(port.Available(), 0);
}

TEST_F(SerialPortTest, RingWrapsAroundItsEnd)
{
    ASSERT_EQ(OpenCom1(), 1);
    std::string first(1020, 'x');
    Deliver(first, 1020);
    std::string taken(1020, '\0');
    ASSERT_EQ(port.Read(taken.data(), 1020), 1020);
    EXPECT_EQ(taken, first);
    // tail is now 1020; six more bytes put head at 2.
    Deliver("ABCDEF", 6);
    char buffer[16] = {};
    EXPECT_EQ(port.Read(buffer, 16), 6);
    EXPECT_EQ(std::string(buffer, 6), "ABCDEF");
}

TEST_F(SerialPortTest, FullRingDropsNewBytesAndKeepsTheUnreadOnes)
{
    ASSERT_EQ(OpenCom1(), 1);
    std::string fill;
    for (int i = 0; i < SerialPort::kRingSize - 1; ++i)
        fill += static_cast<char>('A' + i % 26);
    Deliver(fill, SerialPort::kRingSize - 1);
    ASSERT_TRUE(peer.Write("0123456789"));
    ASSERT_TRUE(watch.WaitFor([&] { return port.DroppedBytes() == 10; }));
    EXPECT_EQ(port.Available(), SerialPort::kRingSize - 1);

    std::string taken(SerialPort::kRingSize, '\0');
    ASSERT_EQ(port.Read(taken.data(), SerialPort::kRingSize), SerialPort::kRingSize - 1);
    taken.resize(SerialPort::kRingSize - 1);
    EXPECT_EQ(taken, fill);
    // With room again, the line works on.
    Deliver("OK", 2);
}

TEST_F(SerialPortTest, CloseWakesTheWaitingReaderAtOnce)
{
    ASSERT_EQ(OpenCom1(), 1);
    auto start = std::chrono::steady_clock::now();
    port.Close();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
    EXPECT_FALSE(port.IsOpen());
    char byte;
    EXPECT_EQ(port.Read(&byte, 1), 0);
}

TEST_F(SerialPortTest, ReopenEmptiesTheRing)
{
    ASSERT_EQ(OpenCom1(), 1);
    Deliver("stale", 5);
    ASSERT_EQ(OpenCom1(), 1); // opening an open port closes it first
    EXPECT_EQ(port.Available(), 0);
    Deliver("new", 3);
}

TEST_F(SerialPortTest, SecondOpenOfTheSameDeviceIsRefusedUntilClosed)
{
    ASSERT_EQ(OpenCom1(), 1);
    SerialPort other;
    EXPECT_EQ(other.Open("COM1", 9600, 8, 0, 0, 0), 0);
    ASSERT_EQ(notices.recorder.messages.size(), 1u);
    EXPECT_EQ(notices.recorder.messages[0].text.rfind("Failed to initialize COM1 port!\nError in CreateFile()\n", 0), 0u);
    port.Close();
    EXPECT_EQ(other.Open("COM1", 9600, 8, 0, 0, 0), 1);
}

TEST_F(SerialPortTest, PulledDeviceEndsTheReaderWithoutSpinning)
{
    ASSERT_EQ(OpenCom1(), 1);
    Deliver("before", 6);
    peer.CloseMaster();
    ASSERT_TRUE(watch.WaitFor([&] { return port.IsLost(); }));

    timespec begin{}, end{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &begin);
    std::this_thread::sleep_for(1s); // the measured interval itself
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
    double cpu = (end.tv_sec - begin.tv_sec) + (end.tv_nsec - begin.tv_nsec) / 1e9;
    EXPECT_LT(cpu, 0.05) << "CPU seconds used while idle after the hang-up";

    // What came before the loss is still there; writes are refused.
    char buffer[16] = {};
    EXPECT_EQ(port.Read(buffer, 16), 6);
    EXPECT_EQ(port.Write("x", 1), 0);
    EXPECT_FALSE(port.WaitAvailable(20ms));
    auto start = std::chrono::steady_clock::now();
    port.Close();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
}

struct OpenFailure {
    const char* name;
    const char* device; // nullptr: the test's own pty
    uint32_t baud;
    const char* expected;
    const char* cause;
};

class SerialPortOpenFailure : public SerialPortTest, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(SerialPortOpenFailure, ShowsTheStepAndLeavesThePortClosed)
{
    const OpenFailure& f = GetParam();
    settings.ports["COM9"] = f.device ? f.device : peer.SlavePath();
    EXPECT_EQ(port.Open("COM9", f.baud, 8, 0, 0, 0), 0);
    EXPECT_FALSE(port.IsOpen());
    ASSERT_EQ(notices.recorder.messages.size(), 1u);
    const auto& message = notices.recorder.messages[0];
    EXPECT_EQ(message.icon, NoticeIcon::Exclamation);
    std::string head = std::string(f.expected) + "\n";
    EXPECT_EQ(message.text.substr(0, head.size()), head) << message.text;
    EXPECT_NE(message.text.find(f.cause), std::string::npos) << message.text;
    // A failed open holds nothing: the same device opens at once afterwards.
    if (!f.device) {
        EXPECT_EQ(OpenCom1(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SerialPortOpenFailure,
    ::testing::Values(
        OpenFailure{"MissingDevice", "/nonexistent/ttyLumora", 9600,
                    "Failed to initialize COM9 port!\nError in CreateFile()", "No such file or directory"},
        OpenFailure{"NotATerminal", "/dev/null", 9600,
                    "Failed to initialize COM9 port!\nError in GetCommState()", "/dev/null"},
        OpenFailure{"UnsupportedRate", nullptr, 12345,
                    "Failed to initialize COM9 port!\nError in SetCommState()", "12345"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
