// End to end: the link opened in each Camera Link mode, on the simulated camera's libraries
// in build/lib, carries exactly the traffic that the same exchanges carry to lumora-camsim on
// a pseudo-terminal in mode 0. The witness is the camera's own traffic log.
//
// The libraries are found as a user's installation finds them: mode 1 through the settings
// value "Camera Link Library Folder", modes 2 and 3 through LD_LIBRARY_PATH, which the
// transports read at every load.
#include "CamSimProcess.h"
#include "CommLink.h"
#include "Command.h"
#include "CommandTable.h"
#include "ScopedEnv.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const std::string kLibDir = LUMORA_LIB_DIR;

// A log's lines without their time stamps: direction and line, in order.
std::vector<std::string> traffic(const std::string& log)
{
    std::vector<std::string> lines;
    for (const auto& entry : CamSimProcess::ReadLog(log))
        lines.push_back(entry.dir + " " + entry.line);
    return lines;
}

// A start-up-like run of exchanges: model query, value queries, settings and their read-back.
void exchange()
{
    auto command = [](const char* mnemonic) { return CommandTable::Instance().FindCommand(mnemonic); };
    Command& cmd = Command::Instance();
    std::string model;
    uint32_t value = 0;
    EXPECT_EQ(cmd.QueryText(command("MD"), model, 1000), 1);
    EXPECT_FALSE(model.empty());
    EXPECT_EQ(cmd.QueryInt(command("GA"), value, 2500), 1);
    EXPECT_EQ(cmd.SetInt(command("GA"), 100, 2500), 1);
    EXPECT_EQ(cmd.QueryInt(command("GA"), value, 2500), 1);
    EXPECT_EQ(value, 100u);
    EXPECT_EQ(cmd.SetInt(command("PE"), 500, 2500), 1);
    EXPECT_EQ(cmd.QueryInt(command("PE"), value, 2500), 1);
    EXPECT_EQ(value, 500u);
}

TEST(ClEndToEnd, EveryCameraLinkModeCarriesTheSameTrafficAsTheSerialPort)
{
    MemorySettings settings;
    settings.clFolder = kLibDir;
    SetSettingsStore(&settings);
    ScopedRecordingNotice notices;
    ScopedEnv libraryPath("LD_LIBRARY_PATH", kLibDir);
    CommLink& link = CommLink::Instance();
    link.ReloadSettingsForTest();

    CamSimProcess camsim;
    ASSERT_TRUE(camsim.Start({})) << camsim.Error();
    settings.ports["COM1"] = camsim.DevicePath();
    ASSERT_EQ(link.Open(0, 9600, 0), 1);
    exchange();
    link.Close();
    const auto expected = traffic(camsim.LogPath());
    ASSERT_EQ(expected.size(), 12u); // six exchanges, each a line out and a line back

    const struct {
        unsigned mode;
        const char* entry;
    } modes[] = {{1, "libclsersim.so"}, {2, "Lumora Simulator"}, {3, "Lumora Simulator - Port 0"}};
    for (const auto& m : modes) {
        SCOPED_TRACE(m.mode);
        const std::string log = camsim.LogPath() + std::to_string(m.mode);
        ScopedEnv logEnv("LUMORA_CAMSIM_LOG", log);
        link.SetMode(m.mode);
        const int ports = link.PortCount();
        int index = 0;
        while (index < ports && link.PortName(index) != m.entry)
            ++index;
        ASSERT_EQ(link.Open(m.mode, 9600, static_cast<unsigned>(index)), 1);
        exchange();
        // The communication dialog may list the ports at any time; the open port carries on.
        EXPECT_EQ(link.PortCount(), ports);
        auto lines = traffic(log);
        uint32_t value = 0;
        EXPECT_EQ(Command::Instance().QueryInt(CommandTable::Instance().FindCommand("GA"), value, 2500), 1);
        EXPECT_EQ(traffic(log).size(), lines.size() + 2);
        link.Close();
        EXPECT_EQ(lines, expected);
        std::remove(log.c_str());
    }
    EXPECT_TRUE(notices.recorder.messages.empty());
    SetSettingsStore(nullptr);
}

} // namespace
