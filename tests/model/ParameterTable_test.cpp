// The command and parameter tables' lookups, pending values and warnings. Rows are data; these
// tests read them from the tables instead of repeating them (the sending tests check them).
#include "CommandTable.h"
#include "ParameterTable.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <set>

namespace {

TEST(CommandTable, FindCommandTakesTheFirstExactMatch)
{
    const CommandTable& table = CommandTable::Instance();
    for (const char* absent : {"td", "T", "TDX"}) // case and length count
        EXPECT_EQ(table.FindCommand(absent), -1) << absent;
    for (int i = 0; i < table.Count(); ++i) {
        const int found = table.FindCommand(table.GetMnemonic(i));
        EXPECT_TRUE(found >= 0 && found <= i && table.GetMnemonic(found) == table.GetMnemonic(i)) << i;
    }
    EXPECT_EQ(table.GetMnemonic(-1), "");
    EXPECT_EQ(table.GetMnemonic(CommandTable::kCount), "");
}

class ParameterTableTest : public ::testing::Test {
protected:
    void SetUp() override { table.Reset(); }
    void TearDown() override { table.Reset(); }

    // The last action showed exactly one warning, and its text holds `part`.
    void ExpectOneWarning(const std::string& part)
    {
        ASSERT_EQ(notices.recorder.messages.size(), 1u) << part;
        EXPECT_NE(notices.recorder.messages[0].text.find(part), std::string::npos) << notices.recorder.messages[0].text;
        EXPECT_EQ(notices.recorder.messages[0].icon, NoticeIcon::Warning);
        notices.recorder.Clear();
    }

    ParameterTable table;
    ScopedRecordingNotice notices;
};

TEST_F(ParameterTableTest, RowsAreKeyedByControlIdAndLookedUpFromTheFirstRow)
{
    std::set<uint32_t> ids, commands;
    int sharedCommands = 0;
    for (int r = 0; r < table.RowCount(); ++r) {
        const ParameterRow& row = table.Row(r);
        EXPECT_TRUE(ids.insert(row.ctrlId).second) << "control id used twice: " << row.ctrlId;
        commands.insert(row.cmdId);
        ASSERT_LT(row.cmdId, static_cast<uint32_t>(CommandTable::kCount)) << row.ctrlId;
        EXPECT_LE(row.minValue, row.maxValue) << row.ctrlId;
        EXPECT_EQ(table.CtrlId2TblIndex(row.ctrlId), r);
        EXPECT_EQ(table.ToCmdId(row.ctrlId), static_cast<int>(row.cmdId));
        // A command with several rows names the earliest of them.
        const int first = table.CtrlId2TblIndex(static_cast<uint32_t>(table.ToCtrlId(static_cast<int>(row.cmdId))));
        EXPECT_TRUE(first >= 0 && first <= r && table.Row(first).cmdId == row.cmdId) << row.ctrlId;
        sharedCommands += first < r;
    }
    EXPECT_GT(sharedCommands, 0);
    EXPECT_TRUE(notices.recorder.messages.empty());

    int rowless = 0; // the first command without a row
    while (commands.count(static_cast<uint32_t>(rowless)))
        ++rowless;
    for (int command : {rowless, -5}) {
        EXPECT_EQ(table.ToCtrlId(command), -1);
        ExpectOneWarning("ToCtrlId(): Command id is " + std::to_string(command));
    }
}

TEST_F(ParameterTableTest, MissingControlIdsWarnAndChangeNothing)
{
    uint32_t missing = 0;
    for (int r = 0; r < table.RowCount(); ++r)
        missing = std::max(missing, table.Row(r).ctrlId + 1);
    const std::vector<ParameterRow> before(&table.Row(0), &table.Row(0) + table.RowCount() + 1); // and the terminator
    int32_t lo = 11, hi = 22;
    char hex[64];
    std::snprintf(hex, sizeof hex, "\"%u: 0x%x\"", missing, missing);
    const std::pair<std::function<bool()>, std::string> cases[] = { // true: the failure result
        {[&] { return table.GetDataValue(missing) == -1; }, "GetDataValue()"},
        {[&] { return !table.SetDataValue(missing, 5); }, "SetDataValue()"},
        {[&] { return table.GetCommittedValue(missing) == -1; }, "GetDataValue()"},
        {[&] { return table.ToCmdId(missing) == -1; }, "ToCmdId()"},
        {[&] { return table.CtrlId2TblIndex(missing) == -1; }, "CtrlId2TblIndex()"},
        {[&] { return table.GetRangePad(missing) == -1; }, "CtrlId2TblIndex()"},
        {[&] { return !table.GetRange(missing, lo, hi); }, "CtrlId2TblIndex()"},
        {[&] { return !table.SetRange(missing, 1, 2); }, "CtrlId2TblIndex()"},
        {[&] { return !table.IsFactoryParam(missing); }, std::string("IsFactoryParam(): Control id ") + hex},
    };
    for (const auto& [call, text] : cases) {
        EXPECT_TRUE(call()) << text;
        ExpectOneWarning(text);
    }
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(11, 22));
    EXPECT_FALSE(table.IsFileParam(missing)); // silently
    EXPECT_TRUE(notices.recorder.messages.empty());
    EXPECT_EQ(table.CtrlId2TblIndex(ParameterTable::kTerminator), -1); // the terminator is not a row
    EXPECT_EQ(std::memcmp(before.data(), &table.Row(0), sizeof(ParameterRow) * before.size()), 0) << "a row changed";
}

TEST_F(ParameterTableTest, ValuesArePendingUntilCommitted)
{
    table.CommitAll();
    for (int r = 0; r < table.RowCount(); ++r)
        ASSERT_FALSE(table.IsPending(r)) << r;
    const int last = table.RowCount() - 1;
    const uint32_t first = table.Row(0).ctrlId, lastId = table.Row(last).ctrlId;
    const int32_t committed = table.GetCommittedValue(first);
    // No clamping to the range: the camera decides.
    const int32_t beyond = table.Row(last).maxValue + 1000;
    EXPECT_TRUE(table.SetDataValue(lastId, beyond));
    EXPECT_TRUE(table.SetDataValue(first, committed - 7));
    EXPECT_EQ(table.GetDataValue(lastId), beyond);
    for (int r = 0; r < table.RowCount(); ++r)
        EXPECT_EQ(table.IsPending(r), r == 0 || r == last) << r;
    EXPECT_TRUE(table.SetDataValue(first, committed)); // back to the committed value: not pending
    EXPECT_FALSE(table.IsPending(0));
    table.CommitAll();
    EXPECT_EQ(table.GetCommittedValue(lastId), beyond);
    EXPECT_FALSE(table.IsPending(last));
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(ParameterTableTest, ActionRowsAndRowsOutsideTheTableAreNotReadable)
{
    ASSERT_TRUE(table.IsReadable(0) && table.Row(0).paramClass == kUserClass);
    EXPECT_FALSE(table.IsReadable(-1));
    EXPECT_FALSE(table.IsReadable(table.RowCount()));
    const int readable = table.CountReadable(), readableUser = table.CountReadableUser();
    table.Reset(); // forgets the counts
    table.Row(0).ctrlKind = kAction;
    EXPECT_EQ(table.CountReadable(), readable - 1);
    EXPECT_EQ(table.CountReadableUser(), readableUser - 1);
}

TEST_F(ParameterTableTest, TheFirstModelsBlemishLimits)
{
    const std::vector<ParameterRow> before(&table.Row(0), &table.Row(0) + table.RowCount());
    // Only the user's blemish positions take the 1456 x 1088 sensor's limits, and only for the
    // first model; the factory boxes keep the larger ones.
    for (bool firstModel : {false, true}) {
        table.AdjustRangesForModel(firstModel);
        int adjusted = 0;
        for (int r = 0; r < table.RowCount(); ++r) {
            const ParameterRow& row = table.Row(r);
            const std::string mnemonic = CommandTable::Instance().GetMnemonic(static_cast<int>(row.cmdId));
            const bool x = mnemonic.rfind("BMPXW", 0) == 0, y = mnemonic.rfind("BMPYW", 0) == 0;
            const bool adjust = firstModel && (x || y) && row.paramClass == kUserClass;
            EXPECT_EQ(row.maxValue, adjust ? (x ? 1455 : 1087) : before[r].maxValue) << row.ctrlId;
            EXPECT_EQ(row.minValue, before[r].minValue) << row.ctrlId;
            adjusted += adjust;
        }
        EXPECT_EQ(adjusted > 0, firstModel);
    }
    EXPECT_TRUE(notices.recorder.messages.empty());
}

} // namespace
