// lumora-cli end to end against lumora-camsim on a pseudo-terminal, with the simulator's
// traffic log as the witness of what reached the camera.
#include "CliRun.h"
#include "PtyPeer.h"
#include "Ser2netProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

class CliE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // An empty settings folder: nothing of a window's settings may leak in.
        setenv("XDG_CONFIG_HOME", TempPath("config").c_str(), 1);
        ASSERT_TRUE(m_sim.Start({})) << m_sim.Error();
    }

    CliResult Cli(std::vector<std::string> args, const std::string& stdinFile = "/dev/null")
    {
        args.insert(args.begin(), {"--port", m_sim.DevicePath()});
        return RunCli(args, stdinFile);
    }

    bool Received(const std::string& line) const
    {
        const auto lines = m_sim.Received();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    CamSimProcess m_sim;
};

TEST_F(CliE2eTest, SetValuesReadBackAndStayInTheCamera)
{
    const CliResult set = Cli({"set", "PE=1234", "GA=150", "UD=Line-7"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, "PE=1234\nGA=150\nUD=Line-7\n");
    EXPECT_TRUE(Received("PE=1234"));

    const CliResult get = Cli({"get", "pe", "GA", "UD"});
    ASSERT_EQ(get.status, 0) << get.err;
    EXPECT_EQ(get.out, "PE=1234\nGA=150\nUD=Line-7\n");
}

TEST_F(CliE2eTest, RefusedSetExitsOneWithTheCamerasAnswerAndStopsThere)
{
    CamSimProcess refusing;
    ASSERT_TRUE(refusing.Start({"--fault", "refuse-once=PE=1234"})) << refusing.Error();
    const CliResult refused = RunCli({"--port", refusing.DevicePath(), "--json", "set", "PE=1234", "GA=150"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(JsonHolds(refused.out, "v['ok'] is False and v['exit'] == 1 and v['answer'].startswith('ERROR')")) << refused.out;
    EXPECT_NE(refused.err.find("ERROR"), std::string::npos) << refused.err;
    const auto lines = refusing.Received();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "GA=150"), 0) << "the run goes on after a refusal";
}

// The window's value rules hold here too: what a rule reads is asked first, a changed value
// is said, and a value outside the parameter's range is refused before anything is set.
TEST_F(CliE2eTest, RuledValuesAreSaidAndValuesOutOfRangeRefused)
{
    const CliResult masked = Cli({"set", "WTC=1001"});
    ASSERT_EQ(masked.status, 0) << masked.err;
    EXPECT_EQ(masked.out, "WTC=992\n");
    EXPECT_EQ(masked.err, "WTC=1001 sent as 992: 1001 is not a multiple of 16.\n");
    EXPECT_EQ(m_sim.Received(), (std::vector<std::string>{"MD?", "HB?", "OFC?", "WTC=992", "WTC?"}));

    m_sim.ClearLog();
    const CliResult above = Cli({"--json", "set", "FGA=99999"});
    EXPECT_EQ(above.status, 2);
    EXPECT_TRUE(JsonHolds(above.out, "v['error'] == 'FGA takes 100 to 800 now, not 99999'")) << above.out;
    EXPECT_EQ(m_sim.Received(), std::vector<std::string>{"MD?"});
}

TEST_F(CliE2eTest, WrongInputIsAUsageErrorAndNothingIsSent)
{
    const std::vector<std::vector<std::string>> cases = {
        {"get", "NOSUCH"},          {"set", "PE"},          {"set", "PE=12x"},
        {"set", "PE=1.5"},          {"set", "PE=99999999999"}, {"send", "PE=1\r\nGA=5"},
        {"userset", "store", "0"},  {"frobnicate"},         {"--mode", "7", "get", "PE"},
        {"--mode", "2", "get", "PE"}, // --port (given by Cli) is for mode 0 only
    };
    for (const auto& args : cases) {
        const CliResult run = Cli(args);
        EXPECT_EQ(run.status, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "") << ": " << run.err;
    }
    EXPECT_TRUE(m_sim.Received().empty());
}

// A setting file line whose value would go out as 0 or clamped is skipped and named, as the
// window does; the rest applies, and the run does not end as a success.
TEST_F(CliE2eTest, DamagedFileLinesAreSkippedAndNamed)
{
    const std::string damaged = TempPath("damaged.cam");
    std::ofstream(damaged) << "TD=150\r\nPE=abc\r\nTD=99999999999\r\n";
    for (const char* command : {"diff", "apply"}) {
        const CliResult run = Cli({command, damaged});
        EXPECT_NE(run.err.find("Line 2: PE=abc\nLine 3: TD=99999999999\n"), std::string::npos) << command << run.err;
        EXPECT_EQ(run.status, 1) << command << run.err;
    }
    EXPECT_TRUE(Received("TD=150"));
    EXPECT_FALSE(Received("PE=0") || Received("TD=2147483647"));
    unlink(damaged.c_str());
}

// The camera goes away in the middle of a file: the run says so in its own terms (there is no
// communication dialog to point to), names the port by the path it was given, and does not
// count the line in flight as refused.
TEST_F(CliE2eTest, LinkLostDuringApplyIsReportedForTheCommandLine)
{
    ASSERT_EQ(Cli({"get", "PE"}).status, 0);
    const size_t connecting = m_sim.Received().size() - 1;
    CamSimProcess leaving;
    ASSERT_TRUE(leaving.Start({"--fault", "hangup-after=" + std::to_string(connecting + 2)})) << leaving.Error();
    const std::string file = TempPath("leaving.cam");
    std::ofstream(file) << "PE=1000\r\nPE=1001\r\nPE=1002\r\nPE=1003\r\n";
    const CliResult run = RunCli({"--port", leaving.DevicePath(), "apply", file});
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.err.find("The connection to the camera was lost after 3 of 4 lines."), std::string::npos) << run.err;
    for (const char* wrong : {"dialog", "not accepted", "COM1"})
        EXPECT_EQ(run.err.find(wrong), std::string::npos) << wrong << " in: " << run.err;
    unlink(file.c_str());
}

// Writing a user set into flash takes a camera seconds. Every road to that write waits as
// long as the longest the window allows; a camera that takes 9 s is not given up on.
TEST_F(CliE2eTest, SlowFlashWriteIsWaitedFor)
{
    CamSimProcess slow;
    ASSERT_TRUE(slow.Start({"--flash-ms", "9000"})) << slow.Error();
    const CliResult run = RunCli({"--port", slow.DevicePath(), "userset", "store", "2"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Stored into user set 2\n");
}

TEST_F(CliE2eTest, JsonOutputOfEverySubcommandParses)
{
    const std::string csv = TempPath("gamma.csv");
    // A COM name mapped to a network address is listed with it, not as an absent device.
    const std::string folder = TempPath("config") + "/Norvik";
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/Lumora Camera Control Tool.conf")
        << "[Ports]\nCOM2=tcp://127.0.0.1:1\nCOM3=rfc2217://[::1]:2217\n";
    const CliResult listed = Cli({"ports"});
    EXPECT_NE(listed.out.find("\n  COM2   tcp://127.0.0.1:1\n  COM3   rfc2217://[::1]:2217\n"), std::string::npos)
        << listed.out;
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"get", "PE", "MD"}, "v['values']['MD'].startswith('KT-')"},
        {{"set", "PE=500"}, "v['set'][0]['value'] == 500"},
        {{"send", "PE?"}, "v['answer'] == ['PE=500']"},
        {{"userset", "store", "2"}, "v['userset'] == 2"},
        {{"lut", "read", "-o", csv}, "len(v['tables']['blue']) == 32"},
        {{"ports"}, "[m['mode'] for m in v['modes']] == [0, 1, 2, 3] and "
                    "v['modes'][0]['ports'][1] == {'index': 1, 'name': 'COM2', 'address': 'tcp://127.0.0.1:1'}"},
        {{"dump", "--shipping"}, "v['variant'] == 'shipping' and v['text'].endswith('\\r\\n')"},
        {{"area", "load", "1"}, "v['area'] == 1"},
    };
    for (auto [args, holds] : cases) {
        args.insert(args.begin(), "--json");
        const CliResult run = Cli(args);
        EXPECT_EQ(run.status, 0) << args[1] << ": " << run.err;
        EXPECT_TRUE(JsonHolds(run.out, "v['ok'] and " + holds)) << args[1] << ": " << run.out;
    }
    unlink(csv.c_str());
}

TEST_F(CliE2eTest, LutWrittenFromAFileReadsBackTheSame)
{
    std::string text = "GammaData (R G B)\r\n";
    for (int i = 0; i < 32; ++i)
        text += std::to_string(4095 - 100 * i) + "," + std::to_string(i * 7) + "," + std::to_string(i * 128 + 3) + "\r\n";
    const std::string in = TempPath("in.csv"), out = TempPath("out.csv");
    std::ofstream(in) << text;

    const CliResult write = Cli({"lut", "write", "-i", in});
    ASSERT_EQ(write.status, 0) << write.err;
    const CliResult read = Cli({"lut", "read", "-o", out});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(ReadAll(out).substr(ReadAll(out).find('\n')), text.substr(text.find('\n')));
    EXPECT_EQ(read.err, "") << "no progress bar when standard error is no terminal";

    // From standard input, a short table is refused before anything is sent.
    std::ofstream(in) << "header\r\n1,2,3\r\n";
    m_sim.ClearLog();
    EXPECT_EQ(Cli({"lut", "write"}, in).status, 2);
    EXPECT_TRUE(m_sim.Received().empty());
    unlink(in.c_str());
    unlink(out.c_str());
}

// A file taken from one camera makes another the same; diff only asks, and --verify catches a
// camera that keeps a value coarser than it acknowledged it.
TEST_F(CliE2eTest, DumpApplyDiffMakesACameraLikeAnother)
{
    CamSimProcess source;
    ASSERT_TRUE(source.Start({"--set", "EM=2", "--set", "PE=1500"})) << source.Error();
    const std::string file = TempPath("line7.cam");
    const CliResult dump = RunCli({"--port", source.DevicePath(), "dump", "-o", file});
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(ReadAll(file).find("\r\nPE=1500\r\n"), std::string::npos);

    const CliResult before = Cli({"diff", file});
    EXPECT_EQ(before.status, 1) << before.err;
    EXPECT_EQ(before.out, "EM: file 2, camera 0\nPE: file 1500, camera 1\n");
    for (const std::string& line : m_sim.Received())
        EXPECT_EQ(line.back(), '?') << "diff changed the camera: " << line;

    ASSERT_EQ(Cli({"apply", file}).status, 0);
    const CliResult after = Cli({"diff", file});
    EXPECT_EQ(after.status, 0) << after.out << after.err;
    EXPECT_EQ(after.out, "");

    CamSimProcess coarse;
    ASSERT_TRUE(coarse.Start({"--step", "PE=1000"})) << coarse.Error();
    const CliResult verify = RunCli({"--json", "--port", coarse.DevicePath(), "apply", "--verify", file});
    EXPECT_EQ(verify.status, 1) << verify.err;
    EXPECT_TRUE(JsonHolds(verify.out, "v['differences'] == [{'setting': 'PE', 'file': 1500, 'camera': 1000}]"))
        << verify.out;
    unlink(file.c_str());
}

// --port takes a network address as the port map does: the camera behind ser2net sets, dumps
// and compares as a local one does.
TEST_F(CliE2eTest, CameraBehindSer2netOverTcpAndRfc2217)
{
    if (Ser2netProcess::Program().empty())
        GTEST_SKIP() << "ser2net is not installed (scripts/setup installs it)";
    Ser2netProcess server;
    ASSERT_TRUE(server.Start(m_sim.DevicePath())) << server.Error();
    const std::string file = TempPath("network.cam");
    const std::pair<std::string, std::string> runs[] = {{server.RawAddress(), "1111"},
                                                        {server.TelnetAddress(), "2222"}};
    for (const auto& [address, exposure] : runs) {
        const CliResult set = RunCli({"--port", address, "set", "PE=" + exposure});
        EXPECT_EQ(set.status, 0) << address << ": " << set.err;
        EXPECT_EQ(set.out, "PE=" + exposure + "\n") << address;
        EXPECT_TRUE(Received("PE=" + exposure)) << address;
        const CliResult dump = RunCli({"--port", address, "dump", "-o", file});
        ASSERT_EQ(dump.status, 0) << address << ": " << dump.err;
        EXPECT_NE(ReadAll(file).find("\r\nPE=" + exposure + "\r\n"), std::string::npos) << address;
        const CliResult same = RunCli({"--port", address, "diff", file});
        EXPECT_EQ(same.status, 0) << address << ": " << same.out << same.err;
        ASSERT_EQ(Cli({"set", "PE=1500"}).status, 0);
        const CliResult changed = RunCli({"--port", address, "diff", file});
        EXPECT_EQ(changed.status, 1) << address << ": " << changed.err;
        EXPECT_EQ(changed.out, "PE: file " + exposure + ", camera 1500\n") << address;
    }
    unlink(file.c_str());
}

TEST(CliNoCameraTest, SilentOrMissingPortExitsThreeWithinTheTimeOut)
{
    setenv("XDG_CONFIG_HOME", TempPath("config").c_str(), 1);
    PtyPeer silent;
    ASSERT_TRUE(silent.IsOpen());
    for (const std::string& port : {silent.SlavePath(), std::string("/dev/lumora-no-such-port")}) {
        const CliResult run = RunCli({"--json", "--port", port, "get", "PE"});
        EXPECT_EQ(run.status, 3) << port << ": " << run.err;
        EXPECT_LT(run.ms, 3000) << port;
        EXPECT_TRUE(JsonHolds(run.out, "v['exit'] == 3")) << run.out;
        // Named as given, not by the COM name it is opened under.
        EXPECT_NE(run.err.find(port), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("COM1"), std::string::npos) << run.err;
    }
}

} // namespace
