// Lookups in the command table. The entries are data; the tests that send them check them.
#include "CommandTable.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandTable, FindCommandTakesTheFirstExactMatch)
{
    CommandTable& table = CommandTable::Instance();
    // Anchors of the wire indexes: a shifted entry anywhere before the last one moves TD's second place.
    EXPECT_EQ(table.FindCommand("PE"), 11);
    EXPECT_EQ(table.FindCommand("TD"), 21);
    EXPECT_EQ(table.GetMnemonic(CommandTable::kCount - 1), "TD");
    for (const char* absent : {"td", "T", "TDX"}) // case and length count
        EXPECT_EQ(table.FindCommand(absent), -1) << absent;
    for (int i = 0; i < table.Count(); ++i) {
        const int found = table.FindCommand(table.GetMnemonic(i));
        EXPECT_TRUE(found >= 0 && found <= i && table.GetMnemonic(found) == table.GetMnemonic(i)) << i;
    }
    EXPECT_EQ(table.GetMnemonic(-1), "");
    EXPECT_EQ(table.GetMnemonic(CommandTable::kCount), "");
}

TEST(CommandTable, ResetUndoesRunTimeChanges)
{
    CommandTable& table = CommandTable::Instance();
    const CommandEntry before = table.Entry(11);
    table.Entry(11) = CommandEntry{11, "XX", 2, 3};
    table.Reset();
    EXPECT_EQ(table.Entry(11).mnemonic, before.mnemonic);
    EXPECT_EQ(table.Entry(11).valueKind, before.valueKind);
    EXPECT_EQ(table.Entry(11).decimals, before.decimals);
}

} // namespace
