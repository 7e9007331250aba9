#include "CommandTable.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

class CommandTableTest : public ::testing::Test {
protected:
    void SetUp() override { table.Reset(); }
    void TearDown() override { table.Reset(); }
    CommandTable& table = CommandTable::Instance();
};

TEST_F(CommandTableTest, HoldsEveryEntryAtItsOwnIndex)
{
    ASSERT_EQ(table.Count(), 636);
    int empty = 0;
    std::map<std::string, int> seen;
    for (int i = 0; i < table.Count(); ++i) {
        const CommandEntry& e = table.Entry(i);
        EXPECT_EQ(e.index, static_cast<uint32_t>(i));
        EXPECT_EQ(e.decimals, 0u) << i;
        if (e.mnemonic.empty())
            ++empty;
        else
            ++seen[e.mnemonic];
    }
    EXPECT_EQ(empty, 189);
    std::map<std::string, int> twice;
    for (const auto& [name, count] : seen)
        if (count > 1)
            twice[name] = count;
    EXPECT_EQ(twice, (std::map<std::string, int>{{"ATCS", 2}, {"SQLUT", 2}, {"TD", 2}, {"TRGOP", 2}}));
}

TEST_F(CommandTableTest, OnlyIdentityTextsAreOfTextKind)
{
    const std::map<int, std::string> textEntries{{4, "MD"}, {5, "UD"}, {6, "DV"}, {388, "ID"}, {389, "MD00"}};
    for (int i = 0; i < table.Count(); ++i) {
        auto it = textEntries.find(i);
        if (it != textEntries.end()) {
            EXPECT_EQ(table.Entry(i).mnemonic, it->second);
            EXPECT_EQ(table.Entry(i).valueKind, 2u) << i;
        } else {
            EXPECT_EQ(table.Entry(i).valueKind, 0u) << i;
        }
    }
}

TEST_F(CommandTableTest, SpotChecksAcrossTheTable)
{
    const std::map<int, std::string> expected{
        {0, "EB"},      {15, "TRGOP"},  {21, "TD"},      {86, "ATCS"},    {96, "BL"},     {97, ""},
        {100, ""},      {101, "BLR1"},  {123, "ATCS"},   {124, "TRGOP"},  {154, ""},      {211, ""},
        {225, "SQLUT"}, {229, "SQGB"},  {230, "SQF1"},   {239, "SQF10"},  {240, "SQNI1"}, {300, "SQPE1"},
        {369, "SQPGB10"}, {370, "SQIDX"}, {372, "SQLUT"}, {386, "SA00"},  {421, "ALCS"},  {542, "AWBS"},
        {569, "SMRMD"}, {584, "CE0"},   {612, ""},       {613, "FCBDRT"}, {634, "CEVALYL"}, {635, "TD"},
    };
    for (const auto& [index, mnemonic] : expected)
        EXPECT_EQ(table.GetMnemonic(index), mnemonic) << index;
}

TEST_F(CommandTableTest, FindCommandTakesTheFirstExactMatch)
{
    const std::map<std::string, int> cases{
        {"TD", 21}, {"TRGOP", 15}, {"ATCS", 86}, {"SQLUT", 225}, {"td", -1}, {"T", -1},
        {"TDX", -1}, {"SQF10", 239}, {"", 97}, {"MD00", 389}, {"MD", 4},
    };
    for (const auto& [mnemonic, index] : cases)
        EXPECT_EQ(table.FindCommand(mnemonic), index) << '"' << mnemonic << '"';
}

TEST_F(CommandTableTest, ResetUndoesRunTimeChanges)
{
    table.Entry(11).valueKind = 2;
    table.Entry(11).decimals = 3;
    table.Reset();
    EXPECT_EQ(table.Entry(11).valueKind, 0u);
    EXPECT_EQ(table.Entry(11).decimals, 0u);
    EXPECT_EQ(table.Entry(11).mnemonic, "PE");
}

} // namespace
