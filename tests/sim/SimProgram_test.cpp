// The lumora-camsim program: its options, and the program itself started as a process beside
// this test executable. The --fault forms are read by the fault tests, which show their effect.
#include "CamSimProcess.h"
#include "PtyPeer.h"
#include "SimTestClient.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <tuple>
#include <sys/stat.h>

namespace {

TEST(SimOptions, ReadsEveryOptionInBothForms)
{
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseSimArgs({"--model", "KT-5200W-QBCL", "--set", "pe=500", "--set=UD=A=B", "--device", "/dev/ttyS1",
                              "--link=/tmp/cam", "--log", "/tmp/log", "--baud", "9600", "--latency-ms=7", "--flash-ms",
                              "900", "--busy-polls", "0", "--result", "awb=3", "--result=rs=9", "--seed", "77"},
                             o, error))
        << error;
    using Set = std::pair<std::string, std::string>;
    EXPECT_EQ(o.sets, (std::vector<Set>{{"PE", "500"}, {"UD", "A=B"}})); // mnemonics in upper case
    EXPECT_EQ(std::tie(o.model, o.device, o.link, o.log),
              std::make_tuple(std::string("KT-5200W-QBCL"), std::string("/dev/ttyS1"), std::string("/tmp/cam"), std::string("/tmp/log")));
    EXPECT_EQ(std::make_tuple(o.baud, o.latencyMs, o.flashMs, o.busyPolls, o.seed), std::make_tuple(9600u, 7u, 900u, 0, 77u));
    // One function's result leaves the others' alone.
    EXPECT_EQ(std::make_tuple(o.results.awb, o.results.rs, o.results.agc), std::make_tuple(3, 9, SimOptions().results.agc));
}

TEST(SimOptions, RefusesMistakes)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--baud", "0"},         {"--baud", "96OO"},           {"--baud"},
        {"--latency-ms", "-1"},  {"--flash-ms", "x"},          {"--set", "PE"},
        {"--set", "=5"},         {"--fault", "noise"},         {"--fault", "silent-after=x"},
        {"--fault", "hangup-after=-1"}, {"--result", "xyz=1"}, {"--result", "awb=256"},
        {"--model", ""},         {"--colour", "red"},          {"extra"},
        {"--device", "/dev/ttyS1", "--link", "/dev/ttyS1"},
    };
    for (const auto& args : bad) {
        SimOptions o;
        std::string error;
        EXPECT_FALSE(ParseSimArgs(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(SimProgram, ServesOnItsPtyAndEndsOnSigterm)
{
    const std::string link = "/tmp/camsim-test-link-" + std::to_string(getpid());
    CamSimProcess program;
    ASSERT_TRUE(program.Start({"--link", link, "--model", "KT-5200W-QBCL", "--set", "UD=PROG"})) << program.Error();
    ASSERT_EQ(program.DevicePath().rfind("/dev/pts/", 0), 0u) << program.DevicePath();
    char target[PATH_MAX] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(target, program.DevicePath());
    {
        SimTestClient client(link);
        EXPECT_EQ(client.Ask("MD?"), "MD=KT-5200W-QBCL");
        EXPECT_EQ(client.Ask("UD?"), "UD=PROG");
    }
    { // the device can be opened again after the first client closed it
        SimTestClient client(program.DevicePath());
        EXPECT_EQ(client.Ask("GA?"), SimCamera().HandleLine("GA?"));
    }
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
