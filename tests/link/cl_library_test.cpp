// Where Camera Link libraries are looked for, and which ones are refused because another
// user could change them.
#include "ClLibrary.h"
#include "ClSerial2000.h"
#include "ClSerial2001.h"
#include "ScopedEnv.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kFixture = std::string(CL_FIXTURE_DIR) + "/good/libclserfake.so";

std::string makeFolder(const std::string& parent, const std::string& name, mode_t mode)
{
    std::string path = parent + "/" + name;
    fs::create_directory(path);
    chmod(path.c_str(), mode);
    return path;
}

std::string placeLibrary(const std::string& folder, const std::string& name, mode_t mode)
{
    std::string path = folder + "/" + name;
    fs::copy_file(kFixture, path, fs::copy_options::overwrite_existing);
    chmod(path.c_str(), mode);
    return path;
}

class ClLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "cllib-XXXXXX").string();
        root = mkdtemp(pattern.data());
        chmod(root.c_str(), 0755);
        SetSettingsStore(&settings);
    }
    void TearDown() override
    {
        SetSettingsStore(nullptr);
        fs::remove_all(root);
    }

    std::string root;
    MemorySettings settings;
    ScopedRecordingNotice notices;
};

TEST_F(ClLibraryTest, Mode1ListsOnlyLibrariesNoOtherUserCanChange)
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
        const std::string folder = makeFolder(root, "grabber" + std::to_string(n++), c.folderMode);
        const std::string path = placeLibrary(folder, "libclservendor.so", c.fileMode);
        settings.clFolder = folder;
        ClSerial2000 transport;
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

TEST_F(ClLibraryTest, ALibraryOfAnotherUserIsRefused)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to give a file away";
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    std::string folder = makeFolder(root, "grabber", 0755);
    std::string path = placeLibrary(folder, "libclservendor.so", 0755);
    ASSERT_EQ(chown(path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    EXPECT_NE(ClLibraryRefusal(path).find("belongs to user"), std::string::npos);
    ASSERT_EQ(chown(path.c_str(), 0, 0), 0);
    ASSERT_EQ(chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    EXPECT_NE(ClLibraryRefusal(path).find("folder " + folder + " belongs to user"), std::string::npos);
}

TEST_F(ClLibraryTest, ALinkIsJudgedByItsFolderAndByWhatItPointsTo)
{
    std::string safe = makeFolder(root, "safe", 0755);
    std::string open = makeFolder(root, "open", 0777);
    std::string target = placeLibrary(open, "libclserreal.so", 0755);
    fs::create_symlink(target, safe + "/libclservendor.so");
    EXPECT_NE(ClLibraryRefusal(safe + "/libclservendor.so").find("folder " + open), std::string::npos);
    chmod(open.c_str(), 0755);
    EXPECT_EQ(ClLibraryRefusal(safe + "/libclservendor.so"), "");
    chmod(safe.c_str(), 0777);
    EXPECT_NE(ClLibraryRefusal(safe + "/libclservendor.so").find("folder " + safe), std::string::npos);
}

TEST_F(ClLibraryTest, Mode2RefusesALibraryInAFolderOthersCanWrite)
{
    std::string folder = makeFolder(root, "grabber", 0777);
    fs::copy_file(std::string(CL_FIXTURE_DIR) + "/good/libclserial.so", folder + "/libclserial.so");
    chmod((folder + "/libclserial.so").c_str(), 0755);
    ScopedEnv path("LD_LIBRARY_PATH", folder);
    ClSerial2001 transport;
    testing::internal::CaptureStderr();
    EXPECT_EQ(transport.Open(0), 0);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(folder + "/libclserial.so refused"), std::string::npos) << err;
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(transport.Enumerate(), 1);
    EXPECT_EQ(transport.Open(0), 1);
}

TEST_F(ClLibraryTest, SearchFollowsLibraryPathOrderAndSkipsEmptyEntries)
{
    std::string first = makeFolder(root, "first", 0755);
    std::string second = makeFolder(root, "second", 0755);
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

TEST_F(ClLibraryTest, LoadResolvesEveryNameOrLeavesNothingLoaded)
{
    std::string folder = makeFolder(root, "grabber", 0755);
    std::string path = placeLibrary(folder, "libclservendor.so", 0755);
    ClLibrary library;
    const char* names[] = {"clSerialInit", "clNoSuchEntry"};
    void* entries[2] = {};
    EXPECT_FALSE(library.Load(path, names, entries));
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(entries[0], nullptr);
    EXPECT_TRUE(library.Load(path, std::span(names, 1), std::span(entries, 1)));
    EXPECT_NE(entries[0], nullptr);
    EXPECT_FALSE(library.Load(folder + "/libclsermissing.so", std::span(names, 1), std::span(entries, 1)));
    EXPECT_FALSE(library.IsLoaded());
}

} // namespace
