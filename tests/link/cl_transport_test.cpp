// The three Camera Link transports against small loopback libraries (tests/link/fixtures):
// where libraries are looked for and which are refused because another user could change
// them, port lists, opening, rate checks, the load count while a port is open, refusals, and
// the link's reads and writes through them.
#include "ClLibrary.h"
#include "ClSerial2000.h"
#include "ClSerial2001.h"
#include "ClSerialV11.h"
#include "ScopedEnv.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <dlfcn.h>
#include <filesystem>
#include <pwd.h>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string kGood = std::string(CL_FIXTURE_DIR) + "/good";
const std::string kNoEntry = std::string(CL_FIXTURE_DIR) + "/noentry";

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

// Reads through the link's side of the transport, a byte at a time as the exchange does.
std::string readBack(Transport& transport, int count)
{
    std::string got;
    char byte = 0;
    while (static_cast<int>(got.size()) < count && transport.Read(&byte, 1, 10) == 1)
        got += byte;
    return got;
}

class ClTransportTest : public ::testing::Test {
protected:
    ClTransportTest()
    {
        SetSettingsStore(&settings);
        settings.clFolder = kGood;
        std::string pattern = (fs::temp_directory_path() / "cllib-XXXXXX").string();
        root = mkdtemp(pattern.data());
        chmod(root.c_str(), 0755);
    }
    ~ClTransportTest() override
    {
        SetSettingsStore(nullptr);
        fs::remove_all(root);
    }

    // A folder under the test's own, and a copy of a fixture library in a folder.
    std::string makeFolder(const std::string& name, mode_t mode)
    {
        std::string path = root + "/" + name;
        fs::create_directory(path);
        chmod(path.c_str(), mode);
        return path;
    }
    static std::string placeLibrary(const std::string& folder, const std::string& name, mode_t mode,
                                     const std::string& fixture = "libclserfake.so")
    {
        std::string path = folder + "/" + name;
        fs::copy_file(kGood + "/" + fixture, path, fs::copy_options::overwrite_existing);
        chmod(path.c_str(), mode);
        return path;
    }

    std::string root;
    MemorySettings settings;
    ScopedRecordingNotice notices;
    ScopedEnv libraryPath{"LD_LIBRARY_PATH", kGood};
    ScopedEnv vendors{"CL_FIXTURE_PORTS", "Vendor A;Vendor B"};
};

TEST_F(ClTransportTest, Mode1ListsOnlyLibrariesNoOtherUserCanChange)
{
    const std::string folderOpen = "is writable by group or others";
    const std::string fileOpen = "file is writable by group or others";
    const struct {
        mode_t folderMode;
        mode_t fileMode;
        std::string reason; // empty: accepted; else part of the line on standard error
    } cases[] = {{0755, 0755, ""},        {0555, 0444, ""},        {0757, 0755, folderOpen}, {0775, 0755, folderOpen},
                 {01777, 0755, folderOpen}, {0755, 0775, fileOpen}, {0755, 0646, fileOpen}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(n);
        const std::string folder = makeFolder("grabber" + std::to_string(n++), c.folderMode);
        const std::string path = placeLibrary(folder, "libclservendor.so", c.fileMode);
        settings.clFolder = folder;
        ClSerial2000 transport;
        transport.SetContext({nullptr, &notices.recorder});
        testing::internal::CaptureStderr();
        const int ports = transport.Enumerate();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(ports, c.reason.empty() ? 1 : 0);
        if (c.reason.empty()) {
            EXPECT_EQ(transport.Open(0), 1);
            EXPECT_EQ(err, "");
        } else {
            EXPECT_EQ(err.rfind("Camera Link library " + path + " refused: ", 0), 0u) << err;
            EXPECT_NE(err.find(c.reason), std::string::npos) << err;
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        }
    }
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(ClTransportTest, ALibraryOfAnotherUserIsRefused)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to give a file away";
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    std::string folder = makeFolder("grabber", 0755);
    std::string path = placeLibrary(folder, "libclservendor.so", 0755);
    ASSERT_EQ(chown(path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    EXPECT_NE(ClLibraryRefusal(path).find("belongs to user"), std::string::npos);
    ASSERT_EQ(chown(path.c_str(), 0, 0), 0);
    ASSERT_EQ(chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    EXPECT_NE(ClLibraryRefusal(path).find("folder " + folder + " belongs to user"), std::string::npos);
}

TEST_F(ClTransportTest, ALinkIsJudgedByItsFolderAndByWhatItPointsTo)
{
    std::string safe = makeFolder("safe", 0755);
    std::string open = makeFolder("open", 0777);
    std::string target = placeLibrary(open, "libclserreal.so", 0755);
    fs::create_symlink(target, safe + "/libclservendor.so");
    EXPECT_NE(ClLibraryRefusal(safe + "/libclservendor.so").find("folder " + open), std::string::npos);
    chmod(open.c_str(), 0755);
    EXPECT_EQ(ClLibraryRefusal(safe + "/libclservendor.so"), "");
    chmod(safe.c_str(), 0777);
    EXPECT_NE(ClLibraryRefusal(safe + "/libclservendor.so").find("folder " + safe), std::string::npos);
}

TEST_F(ClTransportTest, Mode2RefusesALibraryInAFolderOthersCanWrite)
{
    std::string folder = makeFolder("grabber", 0777);
    placeLibrary(folder, "libclserial.so", 0755, "libclserial.so");
    ScopedEnv path("LD_LIBRARY_PATH", folder);
    ClSerial2001 transport;
    transport.SetContext({nullptr, &notices.recorder});
    testing::internal::CaptureStderr();
    EXPECT_EQ(transport.Open(0), 0);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(folder + "/libclserial.so refused"), std::string::npos) << err;
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(transport.Enumerate(), 2);
    EXPECT_EQ(transport.Open(0), 1);
}

TEST_F(ClTransportTest, SearchFollowsLibraryPathOrderAndSkipsEmptyEntries)
{
    std::string first = makeFolder("first", 0755);
    std::string second = makeFolder("second", 0755);
    placeLibrary(second, "libclallserial.so", 0755);
    ScopedEnv path("LD_LIBRARY_PATH", "::" + first + ":" + second);
    auto folders = ClLibrarySearchFolders();
    ASSERT_GE(folders.size(), 2u);
    EXPECT_EQ(folders[0], first);
    EXPECT_EQ(folders[1], second);
    EXPECT_EQ(ClFindLibrary("libclallserial.so"), second + "/libclallserial.so");
    placeLibrary(first, "libclallserial.so", 0755);
    EXPECT_EQ(ClFindLibrary("libclallserial.so"), first + "/libclallserial.so");
    // The loader's own folders come after the variable's.
    EXPECT_NE(std::find(folders.begin(), folders.end(), "/usr/lib"), folders.end());
}

// Enumerating again while a port is open must not let go of the library that port runs on.
TEST_F(ClTransportTest, EachGenerationListsItsPortsItsOwnWayAlsoWhileAPortIsOpen)
{
    const std::vector<std::string> lists[] = {
        {"libclserfake.so", "libclserial.so"}, // mode 1: file names, the mode 2 library included
        {"Vendor A", "Vendor B"},               // mode 2: manufacturers
        {"Vendor A - Port 0", "Vendor B - Port 1"},
    };
    for (unsigned mode = 1; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        auto t = MakeTransport(mode);
        const int count = t->PortCount();
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i)
            names.push_back(t->PortName(i));
        EXPECT_EQ(names, lists[mode - 1]);
        EXPECT_EQ(t->PortName(-1) + t->PortName(count), "");
        ASSERT_EQ(t->Open(0u, 9600), 1);
        ASSERT_EQ(t->Write("LD=1\r\n", 6), 1);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(t->PortCount(), 2);
        EXPECT_TRUE(t->IsOpen());
        EXPECT_EQ(readBack(*t, 6), "LD=1\r\n");
    }
}

TEST_F(ClTransportTest, Mode1TakesOnly9600AndOpensTheListIndexAsSerialIndex)
{
    ClSerial2000 t;
    t.SetContext({nullptr, &notices.recorder});
    EXPECT_EQ(t.Open(0u, 9600), 1);
    EXPECT_TRUE(notices.recorder.messages.empty());
    EXPECT_EQ(t.Open(0u, 19200), 0);
    ASSERT_EQ(notices.recorder.messages.size(), 1u);
    EXPECT_EQ(notices.recorder.messages[0].icon, NoticeIcon::Exclamation);
    // The refused rate leaves the port open and working.
    EXPECT_TRUE(t.IsOpen());
    EXPECT_EQ(t.Write("GA?\r\n", 5), 1);
    EXPECT_EQ(readBack(t, 5), "GA?\r\n");

    // At start-up the stored selection is opened before anything filled the list.
    ClSerial2000 fresh;
    fresh.SetContext({nullptr, &notices.recorder});
    ASSERT_EQ(fresh.Open(1), 1); // libclserial.so, serial index 1 ("Vendor B")
    fresh.Close();
    ScopedEnv oneVendor("CL_FIXTURE_PORTS", "Only");
    EXPECT_EQ(fresh.Open(1), 0); // the library has no port 1
    EXPECT_FALSE(fresh.IsOpen());
    EXPECT_EQ(fresh.Open(2), 0); // beyond the list
}

TEST_F(ClTransportTest, LibraryLackingAnEntryPointIsRefusedSilently)
{
    settings.clFolder = kNoEntry;
    ClSerial2000 t2000;
    t2000.SetContext({nullptr, &notices.recorder});
    ASSERT_EQ(t2000.Enumerate(), 2);
    ASSERT_EQ(t2000.PortName(1), "libclsernowrite.so");
    EXPECT_EQ(t2000.Open(1), 0);
    // The 2000 set does not need clGetErrorText, so the 2001 library missing it still opens.
    ASSERT_EQ(t2000.PortName(0), "libclserial.so");
    EXPECT_EQ(t2000.Open(0), 1);

    ClSerial2001 t2001;
    t2001.SetContext({nullptr, &notices.recorder});
    ClSerialV11 tV11;
    tV11.SetContext({nullptr, &notices.recorder});
    ASSERT_EQ(t2001.Enumerate(), 2);
    ScopedEnv noEntry("LD_LIBRARY_PATH", kNoEntry);
    EXPECT_EQ(t2001.Enumerate(), 2); // the previous list stays
    EXPECT_EQ(t2001.Open(0), 0);
    EXPECT_EQ(tV11.Enumerate(), 0);
    EXPECT_EQ(tV11.Open(0), 0);
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(ClTransportTest, NoLibraryGivesNoPortsNoMessageAndAClosedTransport)
{
    const std::string empty = makeFolder("none", 0755);
    ScopedEnv path("LD_LIBRARY_PATH", empty);
    if (!ClFindLibrary(ClSerial2001::kLibraryName).empty() || !ClFindLibrary(ClSerialV11::kLibraryName).empty())
        GTEST_SKIP() << "this machine has a Camera Link library installed";
    for (const std::string& folder : {empty, empty + "/missing"}) {
        settings.clFolder = folder;
        for (unsigned mode = 1; mode <= 3; ++mode) {
            auto t = MakeTransport(mode);
            EXPECT_EQ(t->PortCount(), 0) << mode;
            EXPECT_EQ(t->Open(0u, 9600), 0) << mode;
            // Closed, it writes nothing and sleeps out a read's time-out.
            char byte = 0;
            EXPECT_EQ(t->Write("x", 1), 0);
            auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(t->Read(&byte, 1, 20), 0);
            EXPECT_FALSE(t->WaitReadable(20));
            EXPECT_GE(std::chrono::steady_clock::now() - start, 40ms);
        }
    }
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(ClTransportTest, Mode2SelectsTheListedManufacturerMode3OpensAnyPort)
{
    ClSerial2001 t;
    t.SetContext({nullptr, &notices.recorder});
    ASSERT_EQ(t.Enumerate(), 2);
    EXPECT_EQ(t.Open(1), 1);
    EXPECT_EQ(t.Open(1), 1); // reopening closes first: the library refuses a port in use
    t.Close();
    ScopedEnv changed("CL_FIXTURE_PORTS", "Vendor A;Vendor C"); // the list names a vendor now gone
    EXPECT_EQ(t.Open(1), 0);
    EXPECT_FALSE(t.IsOpen());

    ClSerialV11 v11;
    v11.SetContext({nullptr, &notices.recorder});
    ASSERT_EQ(v11.Enumerate(), 2);
    ScopedEnv three("CL_FIXTURE_PORTS", "A;B;C");
    EXPECT_EQ(v11.Open(2), 1); // beyond the list built before, but the library has it

    // A name that fills the whole buffer without its terminating zero is taken whole.
    const std::string longName(128, 'N');
    ScopedEnv names("CL_FIXTURE_PORTS", longName + ";" + std::string(129, 'X') + ";Short");
    ASSERT_EQ(t.Enumerate(), 2); // the 129-byte name does not fit and is skipped
    EXPECT_EQ(t.PortName(0), longName);
    EXPECT_EQ(t.PortName(1), "Short");
}

TEST_F(ClTransportTest, Mode2And3CheckTheSupportedBits)
{
    const struct {
        const char* bits;
        uint32_t rate;
        bool accepted;
    } cases[] = {{"31", 115200, true}, {"31", 230400, false}, {"31", 9600, true},   {"30", 9600, false},
                 {"32", 230400, true}, {"255", 921600, true}, {"255", 14400, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.bits) + " " + std::to_string(c.rate));
        ScopedEnv bits("CL_FIXTURE_BAUD_BITS", c.bits);
        ClSerial2001 t2001;
        t2001.SetContext({nullptr, &notices.recorder});
        ClSerialV11 tV11;
        tV11.SetContext({nullptr, &notices.recorder});
        for (ClSerialCommon* t : {static_cast<ClSerialCommon*>(&t2001), static_cast<ClSerialCommon*>(&tV11)}) {
            const bool v11 = t == &tV11;
            SCOPED_TRACE(v11 ? "mode 3" : "mode 2");
            const std::string library = kGood + (v11 ? "/libclallserial.so" : "/libclserial.so");
            notices.recorder.Clear();
            t->Enumerate();
            ASSERT_EQ(t->Open(1), 1);
            const uint32_t before = fixtureRecord(library, "clFixtureLastBaudBit");
            EXPECT_EQ(t->SetBaudRate(c.rate), c.accepted ? 1 : 0);
            EXPECT_EQ(fixtureRecord(library, "clFixtureLastBaudBit"), c.accepted ? ClBaudBit(c.rate) : before);
            EXPECT_TRUE(t->IsOpen()); // a refused rate leaves the port open
            ASSERT_EQ(notices.recorder.messages.size(), c.accepted ? 0u : 1u);
            if (!c.accepted) {
                EXPECT_EQ(notices.recorder.messages[0].icon, NoticeIcon::Exclamation);
                // Mode 3 names the port it could not set.
                EXPECT_EQ(notices.recorder.messages[0].text.find(t->PortName(1)) != std::string::npos, v11);
            }
            t->Close();
            EXPECT_EQ(t->SetBaudRate(c.rate), 0); // closed: refused without a box
            EXPECT_EQ(notices.recorder.messages.size(), c.accepted ? 0u : 1u);
        }
    }
}

// The link reads a byte at a time with the library's 10 ms, but never waits longer than its
// caller allows: the idle receive path reads with time-out 0 on the user-interface thread.
// The library cannot say whether a byte is waiting, so WaitReadable takes it and Read hands
// it out first.
TEST_F(ClTransportTest, ReadsWaitNoLongerThanTheirCallerAllows)
{
    for (unsigned mode : {2u, 3u}) {
        SCOPED_TRACE(mode);
        const std::string library = kGood + (mode == 2 ? "/libclserial.so" : "/libclallserial.so");
        auto lastTimeout = [&] { return fixtureRecord(library, "clFixtureLastReadTimeout"); };
        auto t = MakeTransport(mode);
        t->PortCount();
        ASSERT_EQ(t->Open(0u, 9600), 1);
        char byte = 0;
        EXPECT_EQ(t->Read(&byte, 1, 0), 0); // nothing waiting: one look that does not wait
        EXPECT_EQ(lastTimeout(), 0u);
        EXPECT_FALSE(t->WaitReadable(0));
        EXPECT_EQ(lastTimeout(), 0u);
        ASSERT_EQ(t->Write("abc\r\n", 5), 1);
        EXPECT_EQ(t->Read(&byte, 1, 0), 1); // a byte that is there is taken by that one look
        EXPECT_EQ(byte, 'a');
        EXPECT_EQ(t->Read(&byte, 1, 2500), 1); // a long time-out leaves the library its 10 ms
        EXPECT_EQ(byte, 'b');
        EXPECT_EQ(lastTimeout(), 10u);
        EXPECT_EQ(t->Read(&byte, 1, 3), 1); // a short one bounds it
        EXPECT_EQ(byte, 'c');
        EXPECT_LE(lastTimeout(), 3u);
        ASSERT_TRUE(t->WaitReadable(1000));
        ASSERT_TRUE(t->WaitReadable(0)); // the byte it took is still waiting
        char two[3] = {};
        EXPECT_EQ(t->Read(two, 2, 1000), 2);
        EXPECT_EQ(std::string(two), "\r\n");
    }
}

} // namespace
