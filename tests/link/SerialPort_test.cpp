// The native serial port: its receive ring alone, then the port over real pseudo-terminals
// reached through the port map, and a device the user may not open: the open fails with the
// CreateFile message and a further line telling why and what to do (the device is a
// pseudo-terminal whose owner and mode are set here; a child process opens it as a user other
// than its owner, as root dropping to an unprivileged uid, since root opens anything).
#include "LinkTestSupport.h"
#include "SerialPort.h"

#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <time.h>
#include <unistd.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

std::string take(ReceiveRing& ring, int count)
{
    std::string bytes(static_cast<size_t>(count), '\0');
    bytes.resize(static_cast<size_t>(ring.take(bytes.data(), count)));
    return bytes;
}

TEST(ReceiveRing, WrapsAroundItsEndAndDropsWhatDoesNotFit)
{
    ReceiveRing ring;
    const std::string first(ReceiveRing::kSize - 4, 'x');
    ASSERT_EQ(ring.store(first.data(), static_cast<int>(first.size())), static_cast<int>(first.size()));
    EXPECT_EQ(take(ring, ReceiveRing::kSize), first);
    ASSERT_EQ(ring.store("ABCDEF", 6), 6); // head wraps past the end
    EXPECT_EQ(ring.available(), 6);
    EXPECT_EQ(take(ring, 5), "ABCDE");
    EXPECT_EQ(take(ring, 5), "F");

    // One place always stays free: a full ring refuses more instead of overwriting.
    const std::string fill(ReceiveRing::kSize, 'f');
    EXPECT_EQ(ring.store(fill.data(), ReceiveRing::kSize), ReceiveRing::kSize - 1);
    EXPECT_EQ(ring.store("more", 4), 0);
    EXPECT_EQ(ring.dropped(), 5u);
    EXPECT_EQ(take(ring, ReceiveRing::kSize), fill.substr(1));
}

class SerialPortTest : public ::testing::Test, public LinkFixture {
protected:
    SerialPortTest() { port.SetContext({nullptr, &notices.recorder}); }

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

TEST_F(SerialPortTest, OpenSetsRaw8N1AtTheRateWithoutFlowControl)
{
    const std::pair<uint32_t, speed_t> rates[] = {
        {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
    for (auto [baud, speed] : rates) {
        ASSERT_EQ(port.Open(0u, baud), 1) << baud;
        termios t{};
        ASSERT_TRUE(peer.SlaveAttributes(t));
        EXPECT_EQ(cfgetospeed(&t), speed) << baud;
        EXPECT_EQ(cfgetispeed(&t), speed) << baud;
        EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
        EXPECT_FALSE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS));
        EXPECT_TRUE((t.c_cflag & (CREAD | CLOCAL)) == (CREAD | CLOCAL));
        EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | INPCK | ICRNL | INLCR | IGNCR | ISTRIP));
        EXPECT_FALSE(t.c_oflag & OPOST);
        EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
        EXPECT_EQ(t.c_cc[VMIN], 0);
        EXPECT_EQ(t.c_cc[VTIME], 0);
    }
    // A pseudo-terminal keeps no frame format (it reports 8N1 whatever was set), so only the
    // input side of the other settings is visible.
    ASSERT_EQ(port.Open("COM1", 9600, 7, 2, 1, 1), 1);
    termios t{};
    ASSERT_TRUE(peer.SlaveAttributes(t));
    EXPECT_TRUE((t.c_iflag & (IXON | IXOFF | INPCK)) == (IXON | IXOFF | INPCK));
    EXPECT_EQ(t.c_cc[VSTART], 0x13);
    EXPECT_EQ(t.c_cc[VSTOP], 0x11);
    EXPECT_TRUE(notices.recorder.messages.empty());

    // Thirty-two names are listed (the dialog's port search walks them); any index opens.
    EXPECT_EQ(port.PortCount(), 32);
    EXPECT_EQ(port.PortName(32) + port.PortName(-1), "ERRORERROR");
    PtyPeer com40;
    settings.ports["COM40"] = com40.SlavePath();
    EXPECT_EQ(port.Open(39u, 19200), 1);
    EXPECT_EQ(port.DevicePath(), com40.SlavePath());
}

TEST_F(SerialPortTest, WritesEveryByteValueInOrderAndNothingWhenThereIsNothingToWrite)
{
    EXPECT_EQ(port.Write("A", 1), 0); // closed
    ASSERT_EQ(OpenCom1(115200), 1);
    EXPECT_EQ(port.Write("A", 0), 0);
    EXPECT_EQ(port.Write("A", -3), 0);
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    ASSERT_EQ(port.Write(all.data(), static_cast<int>(all.size())), 1);
    EXPECT_EQ(peer.Read(all.size() + 1, 500), all);
}

TEST_F(SerialPortTest, ReadTakesWhatIsThereOrWaitsNoLongerThanAllowed)
{
    ASSERT_EQ(OpenCom1(), 1);
    char buffer[8] = {};
    EXPECT_EQ(port.Read(buffer, 5), 0);
    auto start = Clock::now();
    EXPECT_EQ(port.Read(buffer, 5, 100), 0);
    EXPECT_GE(Clock::now() - start, 100ms);
    EXPECT_FALSE(port.WaitReadable(20));

    Deliver(std::string("a\0\xff", 3), 3);
    EXPECT_EQ(port.Read(buffer, 0), 0);
    EXPECT_EQ(port.Read(buffer, 5), 3);
    EXPECT_EQ(std::string(buffer, 3), std::string("a\0\xff", 3));
    EXPECT_EQ(port.Available(), 0);

    // A waiting read returns as soon as its count came, leaving the rest in the ring.
    std::thread device([this] {
        std::this_thread::sleep_for(30ms);
        peer.Write("OK\nmore");
    });
    start = Clock::now();
    EXPECT_EQ(port.Read(buffer, 3, 10000), 3);
    EXPECT_LT(Clock::now() - start, 2s);
    device.join();
    EXPECT_EQ(std::string(buffer, 3), "OK\n");
    EXPECT_TRUE(watch.WaitFor([&] { return port.Available() == 4; }));
}

TEST_F(SerialPortTest, WaitLineEndSleepsThroughAPartialLineAndWakesAtItsEnd)
{
    EXPECT_FALSE(port.WaitLineEnd(10)); // closed
    ASSERT_EQ(OpenCom1(), 1);
    Deliver("PE=5", 4);
    EXPECT_FALSE(port.WaitLineEnd(30));
    std::thread device([this] {
        std::this_thread::sleep_for(30ms);
        peer.Write("00\r");
        std::this_thread::sleep_for(30ms);
        peer.Write("\nX");
    });
    const auto start = Clock::now();
    EXPECT_TRUE(port.WaitLineEnd(10000));
    EXPECT_GE(Clock::now() - start, 50ms); // not woken by the bytes before the LF
    EXPECT_LT(Clock::now() - start, 2s);
    device.join();
    char line[8] = {};
    EXPECT_EQ(port.Read(line, 8), 8);
    EXPECT_EQ(std::string(line, 8), "PE=500\r\n");
    // A line too long for the ring does not wait for its end: the caller must take the bytes.
    ASSERT_TRUE(watch.WaitFor([&] { return port.Available() == 1; }));
    Deliver(std::string(SerialPort::kRingSize / 2, 'x'), SerialPort::kRingSize / 2 + 1);
    EXPECT_TRUE(port.WaitLineEnd(0));
}

TEST_F(SerialPortTest, FullRingDropsNewBytesAndTheLineWorksOn)
{
    ASSERT_EQ(OpenCom1(), 1);
    Deliver(std::string(SerialPort::kRingSize - 1, 'f'), SerialPort::kRingSize - 1);
    ASSERT_TRUE(peer.Write("0123456789"));
    ASSERT_TRUE(watch.WaitFor([&] { return port.DroppedBytes() == 10; }));
    port.ResetRing();
    Deliver("OK", 2);
}

TEST_F(SerialPortTest, OpenIsExclusiveReopenEmptiesTheRingCloseIsPrompt)
{
    ASSERT_EQ(OpenCom1(), 1);
    SerialPort other;
    other.SetContext({nullptr, &notices.recorder});
    EXPECT_EQ(other.Open("COM1", 9600, 8, 0, 0, 0), 0);
    ASSERT_EQ(notices.recorder.messages.size(), 1u);
    EXPECT_NE(notices.recorder.messages[0].text.find("COM1"), std::string::npos);
    Deliver("stale", 5);
    ASSERT_EQ(OpenCom1(), 1); // opening an open port closes it first
    EXPECT_EQ(port.Available(), 0);
    Deliver("new", 3);
    auto start = Clock::now();
    port.Close();
    EXPECT_LT(Clock::now() - start, 100ms);
    EXPECT_FALSE(port.IsOpen());
    char byte;
    EXPECT_EQ(port.Read(&byte, 1), 0);
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
    EXPECT_FALSE(port.WaitReadable(20));
    auto start = Clock::now();
    port.Close();
    EXPECT_LT(Clock::now() - start, 100ms);

    // A healthy device opened next works as if nothing had happened.
    PtyPeer replacement;
    settings.ports["COM1"] = replacement.SlavePath();
    ASSERT_EQ(OpenCom1(), 1);
    EXPECT_FALSE(port.IsLost());
    ASSERT_TRUE(replacement.Write("R"));
    EXPECT_TRUE(watch.WaitFor([&] { return port.Available() == 1; }));
}

TEST_F(SerialPortTest, FailedOpenNamesItsStepAndHoldsNothing)
{
    const struct {
        const char* device; // nullptr: the test's own pty
        uint32_t baud;
        const char* step;   // the failed step the message names
        const char* cause;  // part of the further line with the real cause
    } cases[] = {{"/nonexistent/ttyLumora", 9600, "CreateFile()", "No such file"},
                 {"/dev/null", 9600, "GetCommState()", "/dev/null"},
                 {nullptr, 12345, "SetCommState()", "12345"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        notices.recorder.Clear();
        settings.ports["COM9"] = c.device ? c.device : peer.SlavePath();
        EXPECT_EQ(port.Open("COM9", c.baud, 8, 0, 0, 0), 0);
        EXPECT_FALSE(port.IsOpen());
        ASSERT_EQ(notices.recorder.messages.size(), 1u);
        const auto& message = notices.recorder.messages[0];
        EXPECT_EQ(message.icon, NoticeIcon::Exclamation);
        const std::string head = "Failed to initialize COM9 port!\nError in " + std::string(c.step) + "\n";
        EXPECT_EQ(message.text.substr(0, head.size()), head) << message.text;
        EXPECT_NE(message.text.find(c.cause, head.size()), std::string::npos) << message.text;
    }
    EXPECT_EQ(OpenCom1(), 1); // the failed opens of this very device left nothing behind
}


constexpr uid_t kOtherUser = 65534; // owns the device
constexpr uid_t kOpeningUser = 4242; // opens it: no name, no groups

// The text of the message box that opening COM1 shows in a child process, as kOpeningUser
// when this process is root.
std::string OpenAsOtherUser(const std::string& device)
{
    int out[2];
    if (pipe(out) != 0)
        return "pipe failed";
    const pid_t child = fork();
    if (child == 0) {
        close(out[0]);
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kOpeningUser) != 0 || setuid(kOpeningUser) != 0))
            _exit(2);
        MemorySettings settings;
        settings.ports["COM1"] = device;
        SetSettingsStore(&settings);
        ScopedRecordingNotice notice;
        SerialPort port;
        port.SetContext({nullptr, &notice.recorder});
        const std::string text = port.Open("COM1", 9600, 8, 0, 0, 0) || notice.recorder.messages.empty()
                                     ? "opened without a word"
                                     : notice.recorder.messages.back().text;
        _exit(write(out[1], text.data(), text.size()) == ssize_t(text.size()) ? 0 : 3);
    }
    close(out[1]);
    std::string text(4096, '\0');
    text.resize(size_t(std::max<ssize_t>(0, read(out[0], text.data(), text.size()))));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "child failed";
}

TEST(SerialPermissions, ARefusedOpenSaysWhoMayUseTheDeviceAndWhatToDo)
{
    const group* dialout = getgrnam("dialout");
    ASSERT_NE(dialout, nullptr) << "Debian names its serial devices' group dialout";
    const struct {
        mode_t mode;
        const char* advice; // what the further line must tell the operator to do
    } cases[] = {
        {0660, "sudo usermod -aG dialout "}, // the group may use it: join the group
        {0600, "MODE=\"0660\""},              // only the owner may: an administrator must open it up
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.advice);
        PtyPeer device;
        ASSERT_TRUE(device.IsOpen());
        const std::string path = device.SlavePath();
        if (geteuid() == 0) {
            ASSERT_EQ(chown(path.c_str(), kOtherUser, dialout->gr_gid), 0);
            ASSERT_EQ(chmod(path.c_str(), c.mode), 0);
        } else if (c.mode == 0600) {
            ASSERT_EQ(chmod(path.c_str(), 0), 0); // its owner is this user: refuse everyone
        } else {
            continue; // a user cannot give a device to another owner and group
        }

        const std::string text = OpenAsOtherUser(path);
        const std::string fixed = "Failed to initialize COM1 port!\nError in CreateFile()\n";
        ASSERT_EQ(text.substr(0, fixed.size()), fixed) << text;
        EXPECT_NE(text.find(path + ": Permission denied\n"), std::string::npos) << text;
        EXPECT_NE(text.find(c.advice), std::string::npos) << text;
    }
}

} // namespace
