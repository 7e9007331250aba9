// The line grammar without a line: framing received bytes into lines, taking replies apart,
// and building the lines that are sent.
#include "CommandTable.h"
#include "LineFormatter.h"
#include "LineFramer.h"
#include "ReplyParser.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

const CommandTable& table()
{
    return CommandTable::Instance();
}

int command(const char* mnemonic)
{
    return table().FindCommand(mnemonic);
}

// Frames the bytes; the completed lines, with "overflow" in place of each dropped line.
std::vector<std::string> frame(LineFramer& framer, const std::string& bytes)
{
    std::vector<std::string> out;
    for (char byte : bytes) {
        LineFramer::Step step = framer.push(byte);
        if (step != LineFramer::Step::More)
            out.push_back(step == LineFramer::Step::Line ? framer.takeLine() : "overflow");
    }
    return out;
}

TEST(LineFramer, CutsLinesAtLineFeed)
{
    const std::string longest(LineFramer::kBufferSize - 1, 'x');
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"GA=1\r\n", {"GA=1"}},
        {"GA=1\n", {"GA=1"}},               // a bare LF keeps the whole line
        {"A\rB\r\r\n", {"A\rB\r"}},         // only the CR just before the LF goes
        {"\n\r\n", {"", ""}},
        {"GA=1\r\nPE=2\r\nPART", {"GA=1", "PE=2"}},
        {longest + "\n", {longest}},
        {longest.substr(1) + "\r\n", {longest.substr(1)}},
        {longest + "zGA=5\r\n", {"overflow", "GA=5"}}, // the partial line is dropped
        {std::string("\0\xff\n", 3), {std::string("\0\xff", 2)}},
    };
    for (const auto& c : cases) {
        LineFramer framer;
        EXPECT_EQ(frame(framer, c.bytes), c.lines) << c.bytes.substr(0, 40);
        // Clearing drops the partial line.
        framer.clear();
        EXPECT_EQ(frame(framer, "GA=1\r\n"), std::vector<std::string>{"GA=1"});
    }
}

struct ParseCase {
    const char* line;
    int result;
    const char* raw;
    const char* mnemonic;
    const char* separator;
    int valueCount;
    const char* value0;
    const char* value1;
    int index;
    int32_t intValue;
    const char* textValue;
};

class ReplyGrammar : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ReplyGrammar, Parses)
{
    const ParseCase& c = GetParam();
    ReplyRecord record;
    record.intValue = 777; // must not leak through from a previous use
    EXPECT_EQ(ReplyParser(table()).ParseReply(c.line, record), c.result);
    EXPECT_EQ(record.error, c.result ? 0 : 1);
    EXPECT_EQ(record.raw, c.raw);
    EXPECT_EQ(record.mnemonic, c.mnemonic);
    EXPECT_EQ(record.separator, c.separator);
    EXPECT_EQ(record.valueCount, c.valueCount);
    EXPECT_EQ(record.values[0], c.value0);
    EXPECT_EQ(record.values[1], c.value1);
    EXPECT_EQ(record.index, c.index);
    EXPECT_EQ(record.intValue, c.intValue);
    EXPECT_EQ(record.textValue, c.textValue);
    EXPECT_EQ(record.commandIndex, c.result ? command(c.mnemonic) : -1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Replies, ReplyGrammar, ::testing::Values(
    //         line                 res raw               mnem     sep  n  value0     value1  idx  int        text
    ParseCase{"GA=100\r\n",          1, "GA=100",         "GA",    "=", 1, "100",     "",     0,   100,       ""},
    ParseCase{" G A = 1 0 0 \r",     1, "GA=100",         "GA",    "=", 1, "100",     "",     0,   100,       ""},
    ParseCase{"ga=100",              1, "ga=100",         "GA",    "=", 1, "100",     "",     0,   100,       ""},
    ParseCase{"LUTSR=5,4095",        1, "LUTSR=5,4095",   "LUTSR", "=", 2, "5",       "4095", 5,   5,         ""},
    ParseCase{"LUTSR=-3,1,2",        1, "LUTSR=-3,1,2",   "LUTSR", "=", 2, "-3",      "1,2",  -3,  -3,        ""},
    ParseCase{"GA=&H1F",             1, "GA=&H1F",        "GA",    "=", 1, "&H1F",    "",     0,   31,        ""},
    ParseCase{"GA=&h1f",             1, "GA=&h1f",        "GA",    "=", 1, "&H1F",    "",     0,   31,        ""},
    ParseCase{"GA=&HFFFFFFFF",       1, "GA=&HFFFFFFFF",  "GA",    "=", 1, "&HFFFFFFFF", "",  0,   -1,        ""},
    ParseCase{"GA=&H",               1, "GA=&H",          "GA",    "=", 1, "&H",      "",     0,   0,         ""},
    ParseCase{"GA=-12abc",           1, "GA=-12abc",      "GA",    "=", 1, "-12ABC",  "",     0,   -12,       ""},
    ParseCase{"GA=99999999999",      1, "GA=99999999999", "GA",    "=", 1, "99999999999", "", 0,   INT32_MAX, ""},
    ParseCase{"GA=",                 1, "GA=",            "GA",    "=", 1, "",        "",     0,   0,         ""},
    ParseCase{"GA?",                 1, "GA?",            "GA",    "?", 0, "",        "",     0,   0,         ""},
    ParseCase{"GA?7",                1, "GA?7",           "GA",    "?", 1, "7",       "",     0,   7,         ""},
    ParseCase{"GA=1?2",              1, "GA=1?2",         "GA",    "=", 1, "1?2",     "",     0,   1,         ""},
    ParseCase{"UD=abc",              1, "UD=abc",         "UD",    "=", 1, "ABC",     "",     0,   0,         "ABC"},
    ParseCase{"XYZ=1",               0, "XYZ=1",          "XYZ",   "=", 1, "1",       "",     0,   0,         ""},
    ParseCase{"ERROR",               0, "ERROR",          "",      "",  0, "",        "",     0,   0,         ""},
    // No command has an empty mnemonic on the wire, whatever the table's unnamed positions.
    ParseCase{"=5",                  0, "=5",             "",      "=", 1, "5",       "",     0,   0,         ""}));
// clang-format on

// Whole lines of the setting files are the setting file tests'; the pairs' edge values are here.
TEST(ReplyGrammarLimits, PairsOfTheSettingFilesAndAutomaticBase)
{
    const ReplyParser parser(table());
    // Pairs take both values as integer literals with automatic base.
    const struct {
        const char* line;
        int result;
        int32_t first;
        int32_t second;
    } pairs[] = {
        {"LUTSR=5,4095", 1, 5, 4095},   {"LUTSR=010,0x1F", 1, 8, 31}, {"LUTSR=-2,09", 1, -2, 0},
        {"LUTSR=7", 1, 7, 0},           {"LUTSR=,", 1, 0, 0},          {"LUTSR=99999999999,1", 1, INT32_MAX, 1},
        {"NOPE=1,2", 0, -1, -1},
    };
    for (const auto& p : pairs) {
        int32_t first = -1, second = -1;
        EXPECT_EQ(parser.ParsePair(p.line, first, second), p.result) << p.line;
        EXPECT_EQ(first, p.first) << p.line;
        EXPECT_EQ(second, p.second) << p.line;
    }
    const std::pair<const char*, uint32_t> autoBase[] = {
        {"010", 8}, {"0x1F", 31}, {"12", 12}, {"", 0}, {"-1", UINT32_MAX}, {"99999999999", UINT32_MAX}};
    for (auto [text, value] : autoBase)
        EXPECT_EQ(ReplyParser::autoBaseValue(text), value) << text;
}

// The shipped table has no decimal entry; GA lends itself as one with two decimals.
class DecimalEntry : public ::testing::Test {
protected:
    void SetUp() override
    {
        CommandEntry& entry = CommandTable::Instance().Entry(ga);
        entry.valueKind = 1;
        entry.decimals = 2;
    }
    void TearDown() override { CommandTable::Instance().Reset(); }
    const int ga = command("GA");
};

TEST_F(DecimalEntry, RepliesScaleByDecimalsTruncatingTowardZeroAndSetLinesKeepThem)
{
    const struct {
        const char* line;
        double decimal;
        int32_t scaled;
    } cases[] = {
        {"GA=1.25", 1.25, 125},  {"GA=0.29", 0.29, 29},   {"GA=-1.5", -1.5, -150}, {"GA=2", 2.0, 200},
        {"GA=1.999", 1.999, 199}, {"GA=-0.019", -0.019, -1}, {"GA=1E2", 100.0, 10000}, {"GA=x", 0.0, 0},
    };
    for (const auto& c : cases) {
        ReplyRecord record;
        ASSERT_EQ(ReplyParser(table()).ParseReply(c.line, record), 1) << c.line;
        EXPECT_DOUBLE_EQ(record.decimalValue, c.decimal) << c.line;
        EXPECT_EQ(record.intValue, c.scaled) << c.line;
        EXPECT_EQ(record.decimals, 2);
        EXPECT_EQ(record.valueKind, 1u);
    }
    // Set lines have exactly `decimals` digits.
    const LineFormatter formatter(table());
    CommandValue value;
    value.decimalValue = 1.5;
    EXPECT_EQ(formatter.setLine(ga, value, false), "GA=1.50");
    value.decimalValue = -0.125;
    EXPECT_EQ(formatter.setLine(ga, value, true), "GA=-0.12\r\n");
}

// The lines with CR LF as they leave are the exchange test's; here the bare forms and the
// entries that have no line.
TEST(LineFormats, QueryAndSetLinesByValueKind)
{
    const LineFormatter formatter(table());
    CommandValue value;
    value.intValue = -5;
    value.textValue = "Hello %s World"; // a text, never a format
    const struct {
        std::string line;
        const char* expected;
    } cases[] = {
        {formatter.queryLine(command("GA"), false), "GA?"},
        {formatter.setLine(command("GA"), value, false), "GA=-5"},
        {formatter.setLine(command("UD"), value, false), "UD=Hello %s World"},
        {formatter.setLine(-1, value, true), ""},
        {formatter.setLine(table().Count(), value, true), ""},
        {formatter.textSetLine(table().Count(), "abc", true), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.line, c.expected);
}

} // namespace
