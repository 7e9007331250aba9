// lumora-cli through a Camera Link serial library (mode 2): the simulated camera's library
// in build/lib, found through LD_LIBRARY_PATH as a grabber's would be. Each run of the
// program loads a fresh camera, so one run sets and reads back. Dump, apply and diff over the
// same session code are the pseudo-terminal test's.
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
    const auto traffic = CamSimProcess::ReadLog(log);
    EXPECT_TRUE(std::any_of(traffic.begin(), traffic.end(), [](const auto& e) { return e.dir + " " + e.line == "rx PE=4321"; }));
    unlink(log.c_str());

    // A port the library does not offer is no camera.
    EXPECT_EQ(RunCli({"--mode", "2", "--cl-port", "9", "get", "PE"}).status, 3);
}
