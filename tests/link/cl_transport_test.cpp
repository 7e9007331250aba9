// The three Camera Link transports against small loopback libraries (tests/link/fixtures):
// port lists, opening, rate checks, the load count while a port is open, and refusals.
#include "ClLibrary.h"
#include "ClSerial2000.h"
#include "ClSerial2001.h"
#include "ClSerialV11.h"
#include "ClTransport.h"
#include "CommLink.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include "ScopedEnv.h"

namespace fs = std::filesystem;

namespace {

const std::string kGood = std::string(CL_FIXTURE_DIR) + "/good";
const std::string kNoEntry = std::string(CL_FIXTURE_DIR) + "/noentry";

// A private folder (0755) that is removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "cltest-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
        chmod(m_path.c_str(), 0755);
    }
    ~TempFolder() { fs::remove_all(m_path); }
    const std::string& path() const { return m_path; }
    std::string copy(const std::string& from, const std::string& name) const
    {
        std::string to = m_path + "/" + name;
        fs::copy_file(from, to, fs::copy_options::overwrite_existing);
        chmod(to.c_str(), 0755);
        return to;
    }

private:
    std::string m_path;
};

// What a loaded fixture library recorded, through one of its test entry points.
uint32_t fixtureRecord(const std::string& libraryPath, const char* entry)
{
    void* handle = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return 0xffffffff;
    auto fn = reinterpret_cast<uint32_t (*)()>(dlsym(handle, entry));
    uint32_t value = fn ? fn() : 0xffffffff;
    dlclose(handle);
    return value;
}

uint32_t lastBaudBit(const std::string& libraryPath)
{
    return fixtureRecord(libraryPath, "clFixtureLastBaudBit");
}

uint32_t lastReadTimeout(const std::string& libraryPath)
{
    return fixtureRecord(libraryPath, "clFixtureLastReadTimeout");
}

std::string readBack(ClTransport& transport, int count)
{
    std::string got;
    char byte = 0;
    while (static_cast<int>(got.size()) < count && transport.ReadBytes(&byte, 1, 10) == 1)
        got += byte;
    return got;
}

class ClTransportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSettingsStore(&settings);
        settings.clFolder = kGood;
    }
    void TearDown() override
    {
        for (unsigned mode = 1; mode <= 3; ++mode)
            ClTransportForMode(mode)->Close();
        SetSettingsStore(nullptr);
    }

    MemorySettings settings;
    ScopedRecordingNotice notices;
    ScopedEnv libraryPath {"LD_LIBRARY_PATH", kGood};
    ScopedEnv vendors {"CL_FIXTURE_PORTS", "Vendor A;Vendor B"};
};

TEST_F(ClTransportTest, Mode1ListsEveryLibclserFileIncludingLibclserial)
{
    auto& t = ClSerial2000::Instance();
    ASSERT_EQ(t.Enumerate(), 2);
    EXPECT_EQ(t.PortName(0), "libclserfake.so");
    EXPECT_EQ(t.PortName(1), "libclserial.so");
    EXPECT_EQ(t.PortName(2), "");
    EXPECT_EQ(t.PortName(-1), "");
}

TEST_F(ClTransportTest, Mode1TakesOnly9600)
{
    auto& t = ClSerial2000::Instance();
    t.Enumerate();
    ASSERT_EQ(t.Open(0), 1);
    EXPECT_EQ(t.SetBaudRate(9600), 1);
    EXPECT_TRUE(notices.recorder.messages.empty());
    EXPECT_EQ(t.SetBaudRate(19200), 0);
    ASSERT_EQ(notices.recorder.messages.size(), 1u);
    EXPECT_EQ(notices.recorder.messages[0].text, "Selected baud rate is not supported.");
    EXPECT_EQ(notices.recorder.messages[0].icon, NoticeIcon::Exclamation);
    // The refused rate leaves the port open and working.
    EXPECT_EQ(t.WriteBytes("GA?\r\n", 5, 500), 1);
    EXPECT_EQ(readBack(t, 5), "GA?\r\n");
}

TEST_F(ClTransportTest, Mode1OpensWithTheListIndexAsSerialIndex)
{
    auto& t = ClSerial2000::Instance();
    t.Enumerate();
    ASSERT_EQ(t.Open(1), 1); // libclserial.so, serial index 1 ("Vendor B")
    t.Close();
    ScopedEnv oneVendor("CL_FIXTURE_PORTS", "Only");
    EXPECT_EQ(t.Open(1), 0); // the library has no port 1
    EXPECT_FALSE(t.IsOpen());
    EXPECT_EQ(t.Open(2), 0); // beyond the list
}

TEST_F(ClTransportTest, Mode1OpenWithoutAListLooksAtTheFolder)
{
    // At start-up the stored selection is opened before anything filled the list.
    TempFolder empty;
    settings.clFolder = empty.path();
    EXPECT_EQ(ClSerial2000::Instance().Enumerate(), 0);
    settings.clFolder = kGood;
    EXPECT_EQ(ClSerial2000::Instance().Open(0), 1);
    EXPECT_EQ(ClSerial2000::Instance().PortName(0), "libclserfake.so");
}

TEST_F(ClTransportTest, LibraryLackingAnEntryPointIsRefusedSilently)
{
    settings.clFolder = kNoEntry;
    auto& t2000 = ClSerial2000::Instance();
    ASSERT_EQ(t2000.Enumerate(), 2);
    ASSERT_EQ(t2000.PortName(1), "libclsernowrite.so");
    EXPECT_EQ(t2000.Open(1), 0);
    // The 2000 set does not need clGetErrorText, so the 2001 library missing it still opens.
    ASSERT_EQ(t2000.PortName(0), "libclserial.so");
    EXPECT_EQ(t2000.Open(0), 1);
    t2000.Close();

    auto& t2001 = ClSerial2001::Instance();
    ASSERT_EQ(t2001.Enumerate(), 2);
    {
        ScopedEnv noEntry("LD_LIBRARY_PATH", kNoEntry);
        EXPECT_EQ(t2001.Enumerate(), 2); // the previous list stays
        EXPECT_EQ(t2001.Open(0), 0);
        EXPECT_EQ(ClSerialV11::Instance().Enumerate(), 0);
        EXPECT_EQ(ClSerialV11::Instance().Open(0), 0);
    }
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(ClTransportTest, NoLibraryGivesNoPortsAndNoMessage)
{
    TempFolder empty;
    ScopedEnv path("LD_LIBRARY_PATH", empty.path());
    if (!ClFindLibrary(ClSerial2001::kLibraryName).empty() || !ClFindLibrary(ClSerialV11::kLibraryName).empty())
        GTEST_SKIP() << "this machine has a Camera Link library installed";
    settings.clFolder = empty.path();
    EXPECT_EQ(ClSerial2000::Instance().Enumerate(), 0);
    EXPECT_EQ(ClSerialV11::Instance().Enumerate(), 0);
    EXPECT_EQ(ClSerial2000::Instance().Open(0), 0);
    EXPECT_EQ(ClSerial2001::Instance().Open(0), 0);
    EXPECT_EQ(ClSerialV11::Instance().Open(0), 0);
    settings.clFolder = empty.path() + "/missing";
    EXPECT_EQ(ClSerial2000::Instance().Enumerate(), 0);
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(ClTransportTest, Mode2ListsManufacturersAndSelectsTheEntry)
{
    auto& t = ClSerial2001::Instance();
    ASSERT_EQ(t.Enumerate(), 2);
    EXPECT_EQ(t.PortName(0), "Vendor A");
    EXPECT_EQ(t.PortName(1), "Vendor B");
    EXPECT_EQ(t.PortName(5), "");
    EXPECT_EQ(t.Open(1), 1);
    t.Close();
    // The list names a vendor that the library no longer knows.
    ScopedEnv changed("CL_FIXTURE_PORTS", "Vendor A;Vendor C");
    EXPECT_EQ(t.Open(1), 0);
    EXPECT_FALSE(t.IsOpen());
}

TEST_F(ClTransportTest, Mode2TakesTheFullLengthOfAnUnterminatedName)
{
    std::string longName(128, 'N');
    ScopedEnv names("CL_FIXTURE_PORTS", longName + ";" + std::string(129, 'X') + ";Short");
    auto& t = ClSerial2001::Instance();
    ASSERT_EQ(t.Enumerate(), 2); // the 129-byte name does not fit and is skipped
    EXPECT_EQ(t.PortName(0), longName);
    EXPECT_EQ(t.PortName(1), "Short");
}

struct RateCase {
    const char* bits;
    uint32_t rate;
    bool accepted;
};

class ClRateTest : public ClTransportTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(ClRateTest, Mode2And3CheckTheSupportedBits)
{
    const RateCase& c = GetParam();
    ScopedEnv bits("CL_FIXTURE_BAUD_BITS", c.bits);
    struct {
        ClTransport& transport;
        std::string library;
        std::string message;
    } modes[] = {
        {ClSerial2001::Instance(), kGood + "/libclserial.so", "Selected baud rate is not supported."},
        {ClSerialV11::Instance(), kGood + "/libclallserial.so",
         "Selected baud rate is not supported in Vendor B - Port 1."},
    };
    for (auto& m : modes) {
        SCOPED_TRACE(m.library);
        notices.recorder.Clear();
        m.transport.Enumerate();
        ASSERT_EQ(m.transport.Open(1), 1);
        uint32_t before = lastBaudBit(m.library);
        EXPECT_EQ(m.transport.SetBaudRate(c.rate), c.accepted ? 1 : 0);
        if (c.accepted) {
            EXPECT_EQ(lastBaudBit(m.library), ClBaudBit(c.rate));
            EXPECT_TRUE(notices.recorder.messages.empty());
        } else {
            EXPECT_EQ(lastBaudBit(m.library), before); // clSetBaudRate not called
            ASSERT_EQ(notices.recorder.messages.size(), 1u);
            EXPECT_EQ(notices.recorder.messages[0].text, m.message);
            EXPECT_EQ(notices.recorder.messages[0].icon, NoticeIcon::Exclamation);
            EXPECT_TRUE(m.transport.IsOpen());
        }
        m.transport.Close();
        EXPECT_EQ(m.transport.SetBaudRate(c.rate), 0); // closed: refused without a box
    }
}

INSTANTIATE_TEST_SUITE_P(Bits, ClRateTest,
                         ::testing::Values(RateCase {"31", 115200, true}, RateCase {"31", 230400, false},
                                           RateCase {"31", 9600, true}, RateCase {"30", 9600, false},
                                           RateCase {"32", 230400, true}, RateCase {"255", 921600, true},
                                           RateCase {"255", 14400, false}));

TEST_F(ClTransportTest, Mode3ListsManufacturerAndPortAndIgnoresTheListOnOpen)
{
    auto& t = ClSerialV11::Instance();
    ASSERT_EQ(t.Enumerate(), 2);
    EXPECT_EQ(t.PortName(0), "Vendor A - Port 0");
    EXPECT_EQ(t.PortName(1), "Vendor B - Port 1");
    EXPECT_EQ(t.PortName(5), "");
    ScopedEnv three("CL_FIXTURE_PORTS", "A;B;C");
    EXPECT_EQ(t.Open(2), 1); // beyond the list built before, but the library has it
}

TEST_F(ClTransportTest, ClosedTransportsReadAndWriteNothing)
{
    for (unsigned mode = 1; mode <= 3; ++mode) {
        ClTransport& t = *ClTransportForMode(mode);
        char byte = 0;
        EXPECT_EQ(t.WriteBytes("x", 1, 500), 0);
        EXPECT_EQ(t.ReadBytes(&byte, 1, 10), 0);
        t.Close(); // closing twice is harmless
    }
}

TEST_F(ClTransportTest, EnumeratingWhileAPortIsOpenKeepsItWorking)
{
    for (unsigned mode = 1; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        ClTransport& t = *ClTransportForMode(mode);
        t.Enumerate();
        ASSERT_EQ(t.Open(0), 1);
        ASSERT_EQ(t.WriteBytes("LD=1\r\n", 6, 500), 1);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(t.Enumerate(), 2);
        EXPECT_TRUE(t.IsOpen());
        EXPECT_EQ(readBack(t, 6), "LD=1\r\n");
        EXPECT_EQ(t.WriteBytes("x", 1, 500), 1);
        EXPECT_EQ(readBack(t, 1), "x");
        t.Close();
    }
}

TEST_F(ClTransportTest, ReopeningAnOpenTransportClosesThePortFirst)
{
    auto& t = ClSerial2001::Instance();
    t.Enumerate();
    ASSERT_EQ(t.Open(0), 1);
    EXPECT_EQ(t.Open(0), 1); // the library would refuse a port that is still in use
}

// The link reads a byte at a time with the library's 10 ms, but never waits longer than its
// caller allows: the idle receive path reads with time-out 0 on the user-interface thread.
TEST_F(ClTransportTest, LinkReadsWaitNoLongerThanTheirCallerAllows)
{
    const struct {
        unsigned mode;
        std::string library;
    } modes[] = {{2, kGood + "/libclserial.so"}, {3, kGood + "/libclallserial.so"}};
    CommLink& link = CommLink::Instance();
    link.ReloadSettingsForTest();
    for (const auto& m : modes) {
        SCOPED_TRACE(m.mode);
        link.SetMode(m.mode);
        ASSERT_GE(link.PortCount(), 1);
        ASSERT_EQ(link.Open(m.mode, 9600, 0), 1);
        char byte = 0;
        // Nothing waiting: one look that does not wait.
        EXPECT_EQ(link.Read(&byte, 1, 0), 0);
        EXPECT_EQ(lastReadTimeout(m.library), 0u);
        EXPECT_FALSE(link.WaitReadable(0));
        EXPECT_EQ(lastReadTimeout(m.library), 0u);
        // A byte that is there is taken by that one look.
        ASSERT_EQ(link.Write("ab\r\n"), 1);
        EXPECT_EQ(link.Read(&byte, 1, 0), 1);
        EXPECT_EQ(byte, 'a');
        // A long time-out leaves the library its 10 ms; a short one bounds it.
        EXPECT_EQ(link.Read(&byte, 1, 2500), 1);
        EXPECT_EQ(byte, 'b');
        EXPECT_EQ(lastReadTimeout(m.library), 10u);
        EXPECT_EQ(link.Read(&byte, 1, 3), 1);
        EXPECT_EQ(byte, '\r');
        EXPECT_LE(lastReadTimeout(m.library), 3u);
        link.Close();
    }
}

} // namespace
