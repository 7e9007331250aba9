// Camera setting files without a camera: which lines of a file the load acts on, what each
// variant writes, and what a save keeps of the file it replaces (shared with the gamma CSV
// files), also when it is killed in the middle (a real child process, SIGKILL).
#include "Camera.h"
#include "FlashAreas.h"
#include "GammaCsv.h"
#include "Ids.h"
#include "ParameterTable.h"
#include "SettingFile.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The rest of what a file carries and how each line applies: setting_file_flash_e2e_test.
TEST(SettingFile, FactoryRowsOnlyOutsideControlMode0)
{
    using SettingFile::Variant;
    const std::vector<std::string> all = linesOf(SettingFile::Format(ParameterTable::Layout(), Variant::AllData, 1, "", {}));
    const std::string normal = SettingFile::Format(ParameterTable::Layout(), Variant::AllData, 0, "", {});
    // Shipping Data never carries a factory row, whatever the mode.
    EXPECT_EQ(SettingFile::Format(ParameterTable::Layout(), Variant::ShippingData, 1, "", {}), normal);
    const std::vector<std::string> normalLines = linesOf(normal);
    ASSERT_GT(all.size(), normalLines.size());
    std::string factoryLine;
    for (const std::string& line : all)
        if (std::find(normalLines.begin(), normalLines.end(), line) == normalLines.end())
            factoryLine = line;
    EXPECT_TRUE(SettingFile::Parse(factoryLine, 0).lines.empty());
    const SettingFile::Parsed factory = SettingFile::Parse(factoryLine, 1);
    ASSERT_EQ(factory.lines.size(), 1u);
    EXPECT_TRUE(ParameterTable::Layout().IsFactoryParam(uint32_t(factory.lines[0].ctrlId)));

    // With the exposure-mode list on its first entry the later of the two TM lines is left out.
    const auto tmLines = [](const std::vector<std::string>& lines) {
        return std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("TM=", 0) == 0; });
    };
    const std::vector<std::string> first = linesOf(SettingFile::Format(ParameterTable::Layout(), Variant::AllData, 0, "", {true, {}}));
    EXPECT_EQ(tmLines(normalLines), 2);
    EXPECT_EQ(tmLines(first), 1);
    EXPECT_EQ(first.size() + 1, normalLines.size());
}

TEST(SettingFile, LinesWithoutAKnownSettingAreSkippedAndLongReadsSplit)
{
    const SettingFile::Parsed unknown = SettingFile::Parse("XYZ=5\r\n\r\n=3\r\nXYZ?\r\n", 1);
    EXPECT_TRUE(unknown.lines.empty() && unknown.damaged.empty());
    // 300 characters are two reads; the rest of the line is a line of its own.
    const SettingFile::Parsed split = SettingFile::Parse("PE=5" + std::string(296, ' ') + "\nTD=7\n", 0);
    EXPECT_EQ(split.pieces, 3);
    ASSERT_FALSE(split.lines.empty());
    EXPECT_EQ(split.lines.back().piece, 2);
    EXPECT_EQ(split.lines.back().number, 2);
}

// A line for a known setting whose value cannot be taken as it stands is never sent (it would
// go out as 0 or clamped) but set aside with its line number; every line end counts.
TEST(SettingFile, DamagedValuesAreSetAsideByLineNumber)
{
    struct Case {
        const char* text;
        std::vector<int32_t> values; // of the lines kept, in order
        std::vector<int> damaged;    // line numbers
    };
    const Case cases[] = {
        {"PE=\r\nPE=abc\r\nPE?\r\nPE=99999999999\r\nPE\r\nPE=12x\r\n", {}, {1, 2, 3, 4, 5, 6}},
        {"PE=-2147483649\nPE=2147483647\nPE = -2147483648\nPE=&H1F\nPE=+7\n", {2147483647, INT32_MIN, 31, 7}, {1}},
        {"LUTG=10\r\nLUTG=10,x\r\nLUTG=10,200\r\nMD00=\r\n", {10}, {1, 2, 4}},
        // A lone CR ends a line as LF and CR LF do.
        {"PE=5\rTD=150\rTD=7", {5, 150, 7}, {}},
        {"PE=5\r\n\rPE=abc\nTD=7\r", {5, 7}, {3}},
    };
    for (const Case& c : cases) {
        const SettingFile::Parsed parsed = SettingFile::Parse(c.text, 1);
        std::vector<int32_t> values;
        for (const SettingFile::Line& line : parsed.lines)
            values.push_back(line.value);
        std::vector<int> damaged;
        for (const SettingFile::Damaged& line : parsed.damaged)
            damaged.push_back(line.number);
        EXPECT_EQ(values, c.values) << c.text;
        EXPECT_EQ(damaged, c.damaged) << c.text;
    }
    const SettingFile::Parsed named = SettingFile::Parse("TD=150\r\nPE = abc \r\n", 0);
    ASSERT_EQ(named.damaged.size(), 1u);
    EXPECT_EQ(SettingFile::DamagedText(named.damaged[0]), "Line 2: PE = abc ");
}

// Control Mode 0 never offers the factory area for storing (the other modes and loading:
// setting_file_flash_e2e_test).
TEST(FlashAreas, StoreInNormalModeOffersOnlyUserAreas)
{
    const std::vector<std::string> store = FlashAreas::Entries(FlashAreas::Purpose::Store, 0);
    ASSERT_EQ(store.size(), 3u);
    for (size_t i = 0; i < store.size(); ++i)
        EXPECT_EQ(FlashAreas::AreaOfEntry(store[i]), int(i) + 1);
}

// Both files the program saves itself, written over what the person had.
struct Saver {
    const char* name;
    std::function<bool(const std::string&)> save;
    NoticeIcon failure; // the icon of the box that says it could not
};
const Saver kSavers[] = {
    {"setting file", [](const std::string& path) {
         Camera camera;
         return SettingFile::WriteShippingData(camera, path, {}) == 1;
     },
     NoticeIcon::Warning},
    {"gamma CSV", [](const std::string& path) { return GammaFile::Save(path, Lut::Tables{}, Notices()); }, NoticeIcon::Error},
};

class SaveOverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/lumora-save-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override
    {
        fs::permissions(m_dir, fs::perms::owner_all);
        fs::remove_all(m_dir);
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_dir))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    fs::path m_dir;
    ScopedRecordingNotice m_notices;
};

// A link stays a link and its target gets the new content; the replaced file keeps its
// permission bits; a folder in the way stays as it was; nothing is left beside either.
TEST_F(SaveOverTest, KeepsTheLinkThePermissionsAndAFolderInTheWay)
{
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        const fs::path target = m_dir / "kept", link = m_dir / "chosen";
        std::ofstream(target) << "old";
        fs::permissions(target, fs::perms(0640));
        fs::create_symlink("kept", link);

        EXPECT_TRUE(saver.save(link.string()));
        ASSERT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link), fs::path("kept"));
        std::ifstream in(target, std::ios::binary);
        const std::string now((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_GT(now.size(), 100u);
        EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask, fs::perms(0640));
        EXPECT_EQ(names(), (std::vector<std::string>{"chosen", "kept"}));
        EXPECT_TRUE(m_notices.recorder.messages.empty());
        fs::remove(link);
        fs::remove(target);

        fs::create_directory(target);
        std::ofstream(target / "inside") << "kept";
        EXPECT_FALSE(saver.save(target.string()));
        ASSERT_EQ(m_notices.recorder.messages.size(), 1u);
        EXPECT_EQ(m_notices.recorder.messages[0].text.rfind(target.string() + "\nCouldn't open this file", 0), 0u);
        EXPECT_EQ(m_notices.recorder.messages[0].icon, saver.failure);
        EXPECT_EQ(names(), std::vector<std::string>{"kept"});
        EXPECT_EQ(fs::file_size(target / "inside"), 4u);
        fs::remove_all(target);
        m_notices.recorder.Clear();
    }
}

// A folder that takes no new files is named as such; the file in it stays as it was.
TEST_F(SaveOverTest, SaysPlainlyWhenTheFolderIsNotWritable)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "run as root: a folder without write permission still takes files";
    const fs::path file = m_dir / "old";
    std::ofstream(file) << "old";
    fs::permissions(m_dir, fs::perms(0555));
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        m_notices.recorder.Clear();
        EXPECT_FALSE(saver.save(file.string()));
        ASSERT_EQ(m_notices.recorder.messages.size(), 1u);
        const std::string& text = m_notices.recorder.messages[0].text;
        EXPECT_EQ(text.rfind(file.string() + "\n", 0), 0u) << text;
        EXPECT_NE(text.find("The folder " + m_dir.string() + " is not writable"), std::string::npos) << text;
        std::ifstream in(file);
        std::string kept;
        in >> kept;
        EXPECT_EQ(kept, "old");
    }
}

// A child saves over and over, each file a little different, and is killed at an arbitrary
// moment: the file on disk is always one of the complete files, never a torn one.
TEST_F(SaveOverTest, KilledMidwayLeavesACompleteFile)
{
    const std::string path = (m_dir / "saved.cam").string();
    Camera camera;
    ParameterTable& table = camera.Table();
    const int32_t before = table.GetDataValue(CtrlId::ExposureTime);
    std::vector<std::string> complete;
    for (int32_t value : {before, before + 1}) {
        table.SetDataValue(CtrlId::ExposureTime, value);
        complete.push_back(SettingFile::Format(table, SettingFile::Variant::ShippingData, 0, "", {}));
    }
    table.SetDataValue(CtrlId::ExposureTime, before);

    for (int round = 0; round < 5; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            for (int i = 0;; ++i) {
                table.SetDataValue(CtrlId::ExposureTime, before + (i & 1));
                SettingFile::WriteShippingData(camera, path, {});
                if (i == 0)
                    (void)!::write(ready[1], "x", 1);
            }
        }
        ::close(ready[1]);
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        ::usleep(useconds_t(3000 + 7000 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        std::ifstream in(path, std::ios::binary);
        const std::string onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(onDisk == complete[0] || onDisk == complete[1]) << "round " << round << ": " << onDisk.size();
    }
}

} // namespace
