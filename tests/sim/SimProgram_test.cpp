// The lumora-camsim program: its options, and the program itself started as a process beside
// this test executable. The --fault forms are read by the fault tests, which show their effect;
// that the device can be opened again is the communication end-to-end test's port change.
#include "CamSimProcess.h"
#include "PtyPeer.h"
#include "SimTestClient.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <tuple>
#include <sys/stat.h>

namespace {

// The options in their plain form are what every end-to-end test starts the camera with.
TEST(SimOptions, ReadsTheJoinedFormAndRefusesMistakes)
{
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseSimArgs({"--set", "pe=500", "--set=UD=A=B", "--link=/tmp/cam", "--latency-ms=7", "--result", "awb=3",
                              "--result=rs=9", "--seed", "77"},
                             o, error))
        << error;
    using Set = std::pair<std::string, std::string>;
    EXPECT_EQ(o.sets, (std::vector<Set>{{"PE", "500"}, {"UD", "A=B"}})); // mnemonics in upper case
    EXPECT_EQ(std::make_tuple(o.link, o.latencyMs, o.seed), std::make_tuple(std::string("/tmp/cam"), 7u, 77u));
    // One function's result leaves the others' alone.
    EXPECT_EQ(std::make_tuple(o.results.awb, o.results.rs, o.results.agc), std::make_tuple(3, 9, SimOptions().results.agc));

    const std::vector<std::vector<std::string>> bad = {
        {"--baud", "0"},         {"--baud", "96OO"},           {"--baud"},
        {"--latency-ms", "-1"},  {"--flash-ms", "x"},          {"--set", "PE"},
        {"--set", "=5"},         {"--fault", "noise"},         {"--fault", "silent-after=x"},
        {"--fault", "hangup-after=-1"}, {"--result", "xyz=1"}, {"--result", "awb=256"},
        {"--model", ""},         {"--colour", "red"},          {"extra"},
        {"--device", "/dev/ttyS1", "--link", "/dev/ttyS1"},
    };
    for (const auto& args : bad) {
        error.clear();
        EXPECT_FALSE(ParseSimArgs(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(SimProgram, ServesOnItsPtyAndEndsOnSigterm)
{
    const std::string link = "/tmp/camsim-test-link-" + std::to_string(getpid());
    CamSimProcess program;
    ASSERT_TRUE(program.Start({"--link", link, "--set", "UD=PROG"})) << program.Error();
    ASSERT_EQ(program.DevicePath().rfind("/dev/pts/", 0), 0u) << program.DevicePath();
    char target[PATH_MAX] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(target, program.DevicePath());
    EXPECT_EQ(SimTestClient(link).Ask("UD?"), "UD=PROG");
    ASSERT_TRUE(program.Signal(SIGTERM));
    EXPECT_EQ(program.Wait(5000), 0);
    struct stat st{};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "link left behind";
}

TEST(SimProgram, ServesAnExistingSerialDeviceAtItsRate)
{
    // The test's own pty stands in for a serial port with a null-modem cable to the test.
    PtyPeer port;
    ASSERT_TRUE(port.IsOpen());
    CamSimProcess program;
    ASSERT_TRUE(program.Start({"--device", port.SlavePath(), "--baud", "19200"})) << program.Error();
    EXPECT_EQ(program.DevicePath(), port.SlavePath());
    ASSERT_TRUE(port.Write("MD?\r\n"));
    EXPECT_EQ(port.ReadUntil('\n', 3000), SimCamera().HandleLine("MD?") + "\r\n");
    termios line{};
    ASSERT_TRUE(port.SlaveAttributes(line));
    EXPECT_EQ(cfgetospeed(&line), B19200);
    ASSERT_TRUE(program.Signal(SIGINT));
    EXPECT_EQ(program.Wait(5000), 0);
}

TEST(SimProgram, MistakesAreReportedWithoutServing)
{
    using Args = std::vector<std::string>;
    for (const Args& args : {Args{"--baud", "fast"}, Args{"--set", "PE=0"}, Args{"--device", "/nonexistent/tty"}}) {
        CamSimProcess program;
        EXPECT_FALSE(program.Start(args)) << args[0];
        const int status = program.Wait(0); // its own failure, not a failed start or a signal
        EXPECT_TRUE(status > 0 && status < 127) << args[0] << ": " << status;
    }
}

} // namespace
