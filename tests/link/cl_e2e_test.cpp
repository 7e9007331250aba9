// End to end: the link opened in each Camera Link mode, on the simulated camera's libraries
// in build/lib, carries exactly the traffic that the same exchanges carry to lumora-camsim on
// a pseudo-terminal in mode 0. The witness is the camera's own traffic log.
//
// The tests find the libraries as a user's installation would: mode 1 through the settings
// value "Camera Link Library Folder", modes 2 and 3 through LD_LIBRARY_PATH, which the
// transports read at every load, so setting it here is enough.
#include "ClSerial2000.h"
#include "CommLink.h"
#include "Command.h"
#include "CommandTable.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;
namespace fs = std::filesystem;

namespace {

const std::string kLibDir = LUMORA_LIB_DIR;
const std::string kCamsim = std::string(LUMORA_BIN_DIR) + "/lumora-camsim";

// lumora-camsim on a new pseudo-terminal, stopped with the test.
class Camsim {
public:
    explicit Camsim(const std::string& log)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<std::string> args = {kCamsim, "--log", log};
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, kCamsim.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        // The first line of its output is the device path.
        pollfd pfd {out[0], POLLIN, 0};
        char c = 0;
        while (poll(&pfd, 1, 10000) == 1 && read(out[0], &c, 1) == 1 && c != '\n')
            m_device += c;
        close(out[0]);
    }
    ~Camsim()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            int status = 0;
            waitpid(m_pid, &status, 0);
        }
    }
    const std::string& device() const { return m_device; }

private:
    pid_t m_pid = -1;
    std::string m_device;
};

// The log's lines without their time stamps: direction and line, in order.
std::vector<std::string> traffic(const std::string& log)
{
    std::vector<std::string> lines;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) {
        auto dir = line.find("\"dir\"");
        lines.push_back(dir == std::string::npos ? line : line.substr(dir));
    }
    return lines;
}

int command(const char* mnemonic)
{
    return CommandTable::Instance().FindCommand(mnemonic);
}

// A start-up-like run of exchanges: model query, value queries, settings and their read-back.
void exchange()
{
    Command& cmd = Command::Instance();
    std::string model;
    uint32_t value = 0;
    EXPECT_EQ(cmd.QueryText(command("MD"), model, 1000), 1);
    EXPECT_EQ(model, "KT-5100W-QBCL");
    EXPECT_EQ(cmd.QueryInt(command("GA"), value, 2500), 1);
    EXPECT_EQ(cmd.SetInt(command("GA"), 100, 2500), 1);
    EXPECT_EQ(cmd.QueryInt(command("GA"), value, 2500), 1);
    EXPECT_EQ(value, 100u);
    EXPECT_EQ(cmd.SetInt(command("PE"), 500, 2500), 1);
    EXPECT_EQ(cmd.QueryInt(command("PE"), value, 2500), 1);
    EXPECT_EQ(value, 500u);
    EXPECT_EQ(cmd.QueryInt(command("PE"), value, 2500), 1);
}

class ClEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "cle2e-XXXXXX").string();
        m_folder = mkdtemp(pattern.data());
        settings.clFolder = kLibDir;
        SetSettingsStore(&settings);
        setenv("LD_LIBRARY_PATH", kLibDir.c_str(), 1);
        CommLink::Instance().ReloadSettingsForTest();
        ASSERT_GE(command("MD"), 0);
        ASSERT_GE(command("GA"), 0);
        ASSERT_GE(command("PE"), 0);
    }
    void TearDown() override
    {
        CommLink::Instance().Close();
        unsetenv("LUMORA_CAMSIM_LOG");
        SetSettingsStore(nullptr);
        fs::remove_all(m_folder);
    }

    // The traffic of the exchanges over a pseudo-terminal in mode 0.
    std::vector<std::string> serialTraffic()
    {
        std::string log = m_folder + "/pty.log";
        Camsim camsim(log);
        EXPECT_FALSE(camsim.device().empty());
        settings.ports["COM1"] = camsim.device();
        EXPECT_EQ(CommLink::Instance().Open(0, 9600, 0), 1);
        exchange();
        CommLink::Instance().Close();
        return traffic(log);
    }

    // The traffic of the same exchanges in a Camera Link mode, on the port named entry.
    std::vector<std::string> clTraffic(unsigned mode, const std::string& entry)
    {
        std::string log = m_folder + "/mode" + std::to_string(mode) + ".log";
        setenv("LUMORA_CAMSIM_LOG", log.c_str(), 1);
        CommLink& link = CommLink::Instance();
        link.SetMode(mode);
        int ports = link.PortCount();
        int index = 0;
        while (index < ports && link.PortName(index) != entry)
            ++index;
        EXPECT_LT(index, ports) << "no port " << entry;
        EXPECT_EQ(link.Open(mode, 9600, static_cast<unsigned>(index)), 1);
        exchange();
        // The communication dialog may list the ports at any time; the open port carries on.
        EXPECT_EQ(link.PortCount(), ports);
        uint32_t value = 0;
        EXPECT_EQ(Command::Instance().QueryInt(command("GA"), value, 2500), 1);
        link.Close();
        auto lines = traffic(log);
        EXPECT_GE(lines.size(), 2u);
        if (lines.size() >= 2)
            lines.resize(lines.size() - 2);
        return lines;
    }

    std::string m_folder;
    MemorySettings settings;
    ScopedRecordingNotice notices;
};

TEST_F(ClEndToEndTest, EveryCameraLinkModeCarriesTheSameTrafficAsTheSerialPort)
{
    auto expected = serialTraffic();
    ASSERT_EQ(expected.size(), 14u); // seven exchanges, each a line out and a line back
    struct {
        unsigned mode;
        const char* entry;
    } modes[] = {{1, "libclsersim.so"}, {2, "Lumora Simulator"}, {3, "Lumora Simulator - Port 0"}};
    for (const auto& m : modes) {
        SCOPED_TRACE(m.mode);
        EXPECT_EQ(clTraffic(m.mode, m.entry), expected);
    }
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(ClEndToEndTest, Mode1ListsTheLibraryOfMode2Too)
{
    CommLink& link = CommLink::Instance();
    link.SetMode(1);
    ASSERT_EQ(link.PortCount(), 2);
    EXPECT_EQ(link.PortName(0), "libclserial.so");
    EXPECT_EQ(link.PortName(1), "libclsersim.so");
    // libclserial.so has the 2000 entry points too, and the tool opens it at its list index.
    setenv("LUMORA_CAMSIM_LOG", (m_folder + "/mode1.log").c_str(), 1);
    EXPECT_EQ(link.Open(1, 9600, 0), 0); // without clSelectManufacturer the 2001 library refuses
    EXPECT_EQ(link.Open(1, 19200, 1), 0);
    ASSERT_EQ(notices.recorder.messages.size(), 1u);
    EXPECT_EQ(notices.recorder.messages[0].text, "Selected baud rate is not supported.");
}

TEST_F(ClEndToEndTest, Modes2And3RunAtTheRatesTheLibraryOffers)
{
    CommLink& link = CommLink::Instance();
    for (unsigned mode : {2u, 3u}) {
        SCOPED_TRACE(mode);
        notices.recorder.Clear();
        link.SetMode(mode);
        ASSERT_GE(link.PortCount(), 1);
        EXPECT_EQ(link.Open(mode, 115200, 0), 1);
        uint32_t value = 0;
        EXPECT_EQ(Command::Instance().QueryInt(command("GA"), value, 2500), 1);
        EXPECT_EQ(link.Open(mode, 230400, 0), 0);
        ASSERT_EQ(notices.recorder.messages.size(), 1u);
        EXPECT_EQ(notices.recorder.messages[0].text,
                  mode == 2 ? "Selected baud rate is not supported."
                            : "Selected baud rate is not supported in Lumora Simulator - Port 0.");
    }
}

} // namespace
