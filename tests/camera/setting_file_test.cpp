// Camera setting files without a camera: which lines of a file the load acts on, what each
// variant writes, and a save killed in the middle (a real child process, SIGKILL).
#include "FlashAreas.h"
#include "Ids.h"
#include "ParameterTable.h"
#include "SettingFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Kind = SettingFile::Line::Kind;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(SettingFileParse, SkipsUnknownEmptyFactoryInNormalModeAndSplitsLongReads)
{
    EXPECT_TRUE(SettingFile::Parse("XYZ=5\r\n\r\n=3\r\nPE\r\n", 1).lines.empty());
    EXPECT_EQ(SettingFile::Parse("", 1).pieces, 0);

    // A factory row that setting files carry: kept only outside Control Mode 0.
    ParameterTable& table = ParameterTable::Instance();
    const std::vector<std::string> all = linesOf(SettingFile::Format(SettingFile::Variant::AllData, 1, "", {}));
    const std::vector<std::string> normal = linesOf(SettingFile::Format(SettingFile::Variant::AllData, 0, "", {}));
    ASSERT_GT(all.size(), normal.size());
    std::string factoryLine;
    for (const std::string& line : all)
        if (std::find(normal.begin(), normal.end(), line) == normal.end())
            factoryLine = line;
    ASSERT_FALSE(factoryLine.empty());
    EXPECT_TRUE(SettingFile::Parse(factoryLine, 0).lines.empty());
    const SettingFile::Parsed factory = SettingFile::Parse(factoryLine, 1);
    ASSERT_EQ(factory.lines.size(), 1u);
    EXPECT_TRUE(table.IsFactoryParam(uint32_t(factory.lines[0].ctrlId)));

    // 300 characters are two reads; the rest of the line is a line of its own.
    const std::string longLine = "PE=5" + std::string(296, ' ') + "\nTD=7\n";
    const SettingFile::Parsed split = SettingFile::Parse(longLine, 0);
    EXPECT_EQ(split.pieces, 3);
    ASSERT_FALSE(split.lines.empty());
    EXPECT_EQ(split.lines.back().piece, 2);
}

TEST(SettingFileFormat, VariantsAndTheirFilters)
{
    using SettingFile::Variant;
    const std::string shipping = SettingFile::Format(Variant::ShippingData, 1, "", {});
    const std::string normal = SettingFile::Format(Variant::AllData, 0, "", {});
    // Shipping Data never carries a factory row, whatever the mode.
    EXPECT_EQ(shipping, normal);
    const std::vector<std::string> lines = linesOf(normal);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "EM=1\r");
    EXPECT_EQ(lines[1], "TM=0\r");
    for (const std::string& line : lines)
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << line;
    const auto tmLines = [](const std::vector<std::string>& all) {
        return std::count_if(all.begin(), all.end(), [](const std::string& l) { return l.rfind("TM=", 0) == 0; });
    };
    EXPECT_EQ(tmLines(lines), 2);
    // With the exposure-mode list on its first entry the later TM line is left out.
    const std::vector<std::string> first = linesOf(SettingFile::Format(Variant::AllData, 0, "", {true, {}}));
    EXPECT_EQ(tmLines(first), 1);
    EXPECT_EQ(first.size() + 1, lines.size());
    // The model line leads; a parsed file gives every written row back.
    const std::string modelled = SettingFile::Format(Variant::AllData, 1, "KT-5200W-QBCL", {});
    EXPECT_EQ(linesOf(modelled)[0], "MD00=KT-5200W-QBCL\r");
    const SettingFile::Parsed back = SettingFile::Parse(modelled, 1);
    EXPECT_EQ(back.lines.size(), linesOf(modelled).size());
    EXPECT_EQ(back.lines[0].kind, Kind::Model);
}

// Control Mode 0 never offers the factory area for storing; loading always does, first.
TEST(FlashAreas, StoreInNormalModeOffersOnlyUserAreas)
{
    const std::vector<std::string> store = FlashAreas::Entries(FlashAreas::Purpose::Store, 0);
    ASSERT_EQ(store.size(), 3u);
    for (size_t i = 0; i < store.size(); ++i)
        EXPECT_EQ(FlashAreas::AreaOfEntry(store[i]), int(i) + 1);
    EXPECT_EQ(FlashAreas::AreaOfEntry(FlashAreas::Entries(FlashAreas::Purpose::Load, 0)[0]), FlashAreas::kFactoryArea);
}

// A child saves over and over, each file a little different, and is killed at an arbitrary
// moment: the file on disk is always one of the complete files, never a torn one.
TEST(SettingFileSave, KilledMidwayLeavesACompleteFile)
{
    const fs::path dir = fs::temp_directory_path() / ("setting-file-kill-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "saved.cam").string();
    ParameterTable& table = ParameterTable::Instance();
    const int32_t before = table.GetDataValue(CtrlId::ExposureTime);
    std::vector<std::string> complete;
    for (int32_t value : {before, before + 1}) {
        table.SetDataValue(CtrlId::ExposureTime, value);
        complete.push_back(SettingFile::Format(SettingFile::Variant::ShippingData, 0, "", {}));
    }
    table.SetDataValue(CtrlId::ExposureTime, before);
    ASSERT_EQ(SettingFile::WriteShippingData(path, {}), 1);

    for (int round = 0; round < 5; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            for (int i = 0;; ++i) {
                table.SetDataValue(CtrlId::ExposureTime, before + (i & 1));
                SettingFile::WriteShippingData(path, {});
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
    fs::remove_all(dir);
}

} // namespace
