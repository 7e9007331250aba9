// The gamma data CSV file: what the reader makes of sound and malformed files and the writer's
// text (what a save keeps of the file it replaces: setting_file_test).
#include "GammaCsv.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using Error = GammaCsv::Error;

std::string rows(int count, const char* line = "1,2,3\r\n")
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line;
    return text;
}

const std::string kHeader = "GammaData (R G B)\r\n";

TEST(GammaCsv, ReadsOrRefuses)
{
    const struct {
        const char* name;
        std::string text;
        Error error;
        int rows;
        std::array<uint32_t, 3> first; // the first data row's red, green and blue
    } cases[] = {
        {"HeaderAlone", kHeader, Error::None, 0, {}},
        {"EmptyFile", "", Error::None, 0, {}},
        {"LastRowWithoutLineEnd", kHeader + "7,8,9", Error::None, 1, {7, 8, 9}},
        {"StrayCharactersDropped", kHeader + "12, 3a4 ,+5\r\n", Error::None, 1, {12, 34, 5}},
        {"EmptyFieldsAreZero", kHeader + ",,\n", Error::None, 1, {0, 0, 0}},
        {"MinusSignIsMalformed", kHeader + "12, 3a4 ,-5\r\n", Error::LineFormat, 0, {}},
        {"DecimalPointIsMalformed", kHeader + "1.5,2,3\r\n", Error::LineFormat, 0, {}},
        {"FourNumbers", kHeader + "1,2,3,4\r\n", Error::DataCount, 0, {}},
        {"EmptyLine", kHeader + "1,2,3\r\n\r\n1,2,3\r\n", Error::LineFormat, 0, {}},
        {"TrailingEmptyLine", kHeader + rows(32) + "\r\n", Error::LineFormat, 0, {}},
        {"ThirtyThreeRows", kHeader + rows(33), Error::TooMany, 0, {}},
        {"ThirdCommaBeforeTooMany", kHeader + rows(32) + "1,2,3,4\r\n", Error::DataCount, 0, {}},
        // A line is read 126 characters at a time: the rest of a long header is a data line.
        {"LongHeaderGoesOn", std::string(126, 'x') + "4,5,6\r\n", Error::None, 1, {4, 5, 6}},
        {"LongDataLineGoesOn", kHeader + "1,2,3" + std::string(130, ' ') + "\r\n", Error::LineFormat, 0, {}},
        {"HugeNumberSaturates", kHeader + "99999999999999999999999,0,0\r\n", Error::None, 1, {4095, 0, 0}},
    };
    for (const auto& c : cases) {
        const GammaCsv parsed = ParseGammaCsv(c.text);
        EXPECT_EQ(parsed.error, c.error) << c.name;
        if (c.error != Error::None)
            continue;
        EXPECT_EQ(parsed.rows, c.rows) << c.name;
        for (size_t channel = 0; c.rows > 0 && channel < 3; ++channel)
            EXPECT_EQ(parsed.tables[channel][0], c.first[channel]) << c.name << " channel " << channel;
    }
}

// The text goes out as it is read back (the data lines' spelling: cli_e2e_test).
TEST(GammaCsv, WrittenTextReadsBack)
{
    Lut::Tables tables{};
    for (int c = 0; c < 3; ++c)
        for (int j = 0; j < Lut::kEntries; ++j)
            tables[size_t(c)][size_t(j)] = uint32_t((j * 131 + c * 977) % 4096);
    const std::string text = FormatGammaCsv(tables);
    EXPECT_EQ(text.substr(0, 33), kHeader + "0,977,1954\r\n13");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 33);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 33) << "every line ends in CR LF";
    const GammaCsv back = ParseGammaCsv(text);
    EXPECT_EQ(back.error, Error::None);
    EXPECT_EQ(back.rows, 32);
    EXPECT_EQ(back.tables, tables);
}

class GammaFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/lumora-gamma-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
    ScopedRecordingNotice m_notices;
};

// A malformed line's message: lut_editor_test.
TEST_F(GammaFileTest, LoadTellsWhatIsWrongAndTheFirstValueAboveTheRangeOnly)
{
    GammaCsv parsed;
    const std::string missing = (m_dir / "none.csv").string();
    EXPECT_FALSE(GammaFile::Load(missing, parsed, Notices()));
    const fs::path wide = m_dir / "wide.csv";
    std::ofstream(wide, std::ios::binary) << kHeader << "5000,1,2\r\n3,70000,4\r\n";
    EXPECT_TRUE(GammaFile::Load(wide.string(), parsed, Notices()));
    EXPECT_EQ(parsed.tables[0][0], 4095u);
    EXPECT_EQ(parsed.tables[1][1], 4095u);

    const auto& messages = m_notices.recorder.messages;
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, missing + "\nCouldn't open this file");
    EXPECT_EQ(messages[1].text, "Invalid data value: Line(0) : Value(5000)");
    for (const auto& m : messages)
        EXPECT_EQ(m.icon, NoticeIcon::Error);
    EXPECT_EQ(ParseGammaCsv(kHeader + "0,0,0\r\n1,2,99999999999\r\n").ClampText(),
              "Invalid data value: Line(1) : Value(2147483647)");
}

} // namespace
