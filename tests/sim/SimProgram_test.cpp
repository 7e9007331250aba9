// The lumora-camsim program started as a process beside this test executable: its options,
// each fault mode over its pseudo-terminal, and its traffic log. That the device can be opened
// again is the communication end-to-end test's port change.
#include "CamSimProcess.h"
#include "PtyPeer.h"
#include "SimSession.h"
#include "SimTestClient.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <fstream>
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

TEST(SimFaults, EachFaultSpoilsExactlyTheAnswersItShould)
{
    // Per line of one burst: P answered properly (as a fault-free camera that acted on the same
    // lines answers), G a line of garbage for a line the camera acted on, E a refusal that
    // changes nothing, O 2000 bytes without a line end, S no answer, H nothing: the line is closed.
    const std::vector<std::string> lines = {"PE=5", "GA?", "PE?", "PE=6", "PE?"};
    const std::pair<const char*, std::string> cases[] = {
        {"silent-after=2", "PPSSS"}, {"garbage", "GGGGG"},       {"garbage-after=2", "PPGGG"},
        {"overflow", "OOOOO"},       {"error-replies", "EPPEP"}, {"hangup-after=2", "PPH"},
    };
    for (const auto& [fault, kinds] : cases) {
        SCOPED_TRACE(fault);
        CamSimProcess sim;
        ASSERT_TRUE(sim.Start({"--fault", fault})) << sim.Error();
        SimTestClient client(sim.DevicePath());
        std::string burst;
        for (const std::string& line : lines)
            burst += line + "\r\n";
        ASSERT_TRUE(client.Write(burst));
        SimCamera reference;
        for (size_t i = 0; i < kinds.size(); ++i) {
            const char kind = kinds[i];
            std::string reply;
            if (kind == 'O')
                reply = client.ReadBytes(SimSession::kOverflowBytes);
            else if (kind != 'S' && kind != 'H')
                reply = client.ReadLines(1);
            SCOPED_TRACE(lines[i] + " -> " + reply);
            if (kind == 'O') {
                EXPECT_EQ(reply.size(), SimSession::kOverflowBytes);
                EXPECT_EQ(reply.find('\n'), std::string::npos);
            }
            if (kind != 'P' && kind != 'G' && kind != 'E')
                continue;
            ASSERT_TRUE(reply.ends_with("\r\n"));
            reply.resize(reply.size() - 2);
            const std::string answer = kind == 'E' ? "" : reference.HandleLine(lines[i]); // the camera acts on it
            if (kind == 'P') {
                EXPECT_EQ(reply, answer);
                continue;
            }
            // Neither an acknowledgement nor a value; only a refusal says it is an error.
            EXPECT_TRUE(!reply.empty() && reply != SimCamera::kComplete && reply.find_first_of("=?\r\n") == std::string::npos);
            EXPECT_EQ(reply.rfind("ERROR", 0) == 0, kind == 'E');
        }
        EXPECT_EQ(client.ReadBytes(1, 300), "");
        EXPECT_EQ(client.HungUp(), kinds.back() == 'H');
        // A hang-up of its own ends the program cleanly; otherwise it serves on.
        EXPECT_EQ(sim.Wait(kinds.back() == 'H' ? 5000 : 0), kinds.back() == 'H' ? 0 : -1);
    }
}

TEST(SimFaults, SilencedLinesHaveNoEffectAndHangupAfterZeroClosesAtOnce)
{
    SimOptions options;
    options.faults.silentAfter = 1;
    SimSession silent(options);
    EXPECT_EQ(silent.OnBytes("PE=5\r\nPE=6\r\n"), std::string(SimCamera::kComplete) + "\r\n");
    EXPECT_EQ(silent.Camera().Value("PE"), "5");
    options.faults = SimFaults{};
    options.faults.hangupAfter = 0;
    SimSession closed(options);
    EXPECT_TRUE(closed.HungUp());
    EXPECT_EQ(closed.OnBytes("GA?\r\n"), "");
}

TEST(SimLog, EveryLineLoggedAsJsonWithMonotonicTime)
{
    CamSimProcess sim;
    ASSERT_TRUE(sim.Start({})) << sim.Error();
    SimTestClient client(sim.DevicePath());
    EXPECT_EQ(client.Ask("UD=a\"b\\c"), SimCamera::kComplete);
    EXPECT_EQ(client.Ask(std::string("X\x01\xE9?")), SimCamera::kErrSyntax);
    std::ifstream in(sim.LogPath());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const char* expected[] = {
        R"("dir": "rx", "line": "UD=a\"b\\c"})",
        R"("dir": "tx", "line": "COMPLETE"})",
        R"("dir": "rx", "line": "X\u0001\u00e9?"})",
        R"("dir": "tx", "line": "ERROR: SYNTAX"})",
    };
    ASSERT_EQ(lines.size(), std::size(expected));
    for (size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].rfind("{\"t\": ", 0), 0u) << lines[i];
        EXPECT_GE(std::stod(lines[i].substr(6)), i ? std::stod(lines[i - 1].substr(6)) : 0.0) << lines[i];
        EXPECT_NE(lines[i].find(expected[i]), std::string::npos) << lines[i];
    }
}

} // namespace
