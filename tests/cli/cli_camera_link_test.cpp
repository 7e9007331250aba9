// lumora-cli through a Camera Link serial library (mode 2): the simulated camera's library
// in build/lib, found through LD_LIBRARY_PATH as a grabber's would be. Each run of the
// program loads a fresh camera, so one run sets and reads back.
#include "CliRun.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(CliCameraLinkTest, SetReadsBackThroughTheLibrary)
{
    setenv("XDG_CONFIG_HOME", TempPath("config").c_str(), 1);
    setenv("LD_LIBRARY_PATH", LUMORA_LIB_DIR, 1);
    const std::string log = TempPath("cl.log");
    setenv("LUMORA_CAMSIM_LOG", log.c_str(), 1);

    const CliResult run = RunCli({"--json", "--mode", "2", "--cl-port", "0", "set", "PE=4321"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(JsonHolds(run.out, "v['set'][0]['value'] == 4321")) << run.out;
    std::vector<std::string> traffic;
    for (const auto& entry : CamSimProcess::ReadLog(log))
        traffic.push_back(entry.dir + " " + entry.line);
    EXPECT_NE(std::find(traffic.begin(), traffic.end(), "rx PE=4321"), traffic.end());
    EXPECT_NE(std::find(traffic.begin(), traffic.end(), "tx PE=4321"), traffic.end());

    // Every run meets a camera at power-on, so a file dumped from one matches the next.
    const std::string file = TempPath("cl.cam");
    ASSERT_EQ(RunCli({"--mode", "2", "--cl-port", "0", "dump", "-o", file}).status, 0);
    const CliResult diff = RunCli({"--mode", "2", "--cl-port", "0", "diff", file});
    EXPECT_EQ(diff.status, 0) << diff.out << diff.err;
    unlink(file.c_str());

    // A port the library does not offer is no camera.
    EXPECT_EQ(RunCli({"--mode", "2", "--cl-port", "9", "get", "PE"}).status, 3);
    unlink(log.c_str());
}
