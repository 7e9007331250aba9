#include "ParameterTable.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

class ParameterTableTest : public ::testing::Test {
protected:
    void SetUp() override { table.Reset(); }
    void TearDown() override { table.Reset(); }

    // The one warning the last action showed.
    void ExpectOneWarning(const std::string& text)
    {
        ASSERT_EQ(notices.recorder.messages.size(), 1u) << text;
        EXPECT_EQ(notices.recorder.messages[0].text, text);
        EXPECT_EQ(notices.recorder.messages[0].caption, "Warning");
        EXPECT_EQ(notices.recorder.messages[0].icon, NoticeIcon::Warning);
        notices.recorder.Clear();
    }

    ParameterTable& table = ParameterTable::Instance();
    ScopedRecordingNotice notices;
};

struct ClassCounts {
    int user = 0, factory = 0, none = 0, inFile = 0, inFileFactory = 0;
};

TEST_F(ParameterTableTest, ClassAndFileCounts)
{
    ASSERT_EQ(table.RowCount(), 324);
    ClassCounts c;
    std::set<uint32_t> ids;
    for (int i = 0; i < table.RowCount(); ++i) {
        const ParameterRow& r = table.Row(i);
        ids.insert(r.ctrlId);
        EXPECT_LT(r.cmdId, 636u) << i;
        EXPECT_EQ(r.rangePad, 0u) << i;
        EXPECT_LE(r.minValue, r.maxValue) << i;
        c.user += r.paramClass == kUserClass;
        c.factory += r.paramClass == kFactoryClass;
        c.none += r.paramClass == kNoClass;
        c.inFile += r.inFile != 0;
        c.inFileFactory += r.inFile != 0 && r.paramClass == kFactoryClass;
        EXPECT_EQ(table.IsFileParam(r.ctrlId), r.inFile != 0) << r.ctrlId;
    }
    EXPECT_EQ(ids.size(), 324u); // control ids are keys
    EXPECT_EQ(c.user, 243);
    EXPECT_EQ(c.factory, 61);
    EXPECT_EQ(c.none, 20);
    EXPECT_EQ(c.inFile, 202);
    EXPECT_EQ(c.inFileFactory, 22);
    EXPECT_TRUE(notices.recorder.messages.empty());
}

TEST_F(ParameterTableTest, ReadableCountsComputedOnFirstUseAndKept)
{
    EXPECT_FALSE(table.IsReadable(97)); // RS, an action
    EXPECT_TRUE(table.IsReadable(101)); // blemish count box, class 0
    EXPECT_FALSE(table.IsReadable(-1));
    EXPECT_FALSE(table.IsReadable(324));

    // A change before the first call is seen; one after it is not.
    table.Row(0).ctrlKind = kAction;
    EXPECT_EQ(table.CountReadable(), 304);
    EXPECT_EQ(table.CountReadableUser(), 241);
    table.Row(0).ctrlKind = kDropDown;
    EXPECT_EQ(table.CountReadable(), 304);
    EXPECT_EQ(table.CountReadableUser(), 241);

    table.Reset();
    EXPECT_EQ(table.CountReadable(), 305);
    EXPECT_EQ(table.CountReadableUser(), 242);
    EXPECT_EQ(table.CountReadable(), 305);
}

TEST_F(ParameterTableTest, RowsMatchTheTable)
{
    struct Expected {
        int row;
        ParameterRow r;
    };
    const std::vector<Expected> cases{
        {0, {1349, 19, kDropDown, 0, kUserClass, 0, 0, 0, 0, 1}},
        {7, {2343, 28, kNumberBox, 0, kUserClass, 1, 4096, 1, 0, 1}},
        {76, {1797, 96, kNumberBox, 0, kUserClass, -133, 255, 0, 0, 1}},
        {77, {1844, 97, kNumberBox, 0, kFactoryClass, 0, 16383, 0, 0, 1}},
        {87, {2518, 132, kNumberBox, 0, kUserClass, 0, 256, 0, 0, 0}},
        {88, {2520, 132, kNumberBox, 0, kUserClass, 0, 4095, 0, 0, 0}},
        {101, {1417, 154, kNumberBox, 0, kNoClass, 1, 200, 1, 0, 0}},
        {119, {1943, 173, kCheckBox, 0, kUserClass, 0, 1, 1, 0, 1}},
        {162, {2703, 542, kNumberBox, 0, kUserClass, 1, 8, 4, 4, 1}},
        {208, {1871, 520, kAction, 0, kFactoryClass, 0, 0, 0, 0, 0}},
        {228, {2872, 569, kAction, 0, kUserClass, 0, 1, 0, 0, 1}},
        {229, {2906, 569, kNumberBox, 0, kUserClass, 0, 1, 0, 0, 1}},
        {242, {2777, 576, kAction, 0, kNoClass, 0, 11, 0, 0, 0}},
        {253, {2795, 219, kNumberBox, 0, kUserClass, 10, 8000000, 18000, 0, 0}},
        {262, {2806, 0, kAction, 0, kNoClass, 0, 0, 0, 0, 0}},
        {264, {2779, 0, kNumberBox, 0, kUserClass, 1, 128, 1, 0, 0}},
        {283, {2879, 595, kDropDown, 0, kUserClass, 0, 0, 0, 0, 0}},
        {323, {1382, 635, kNumberBox, 0, kUserClass, 0, 500000, 0, 0, 1}},
    };
    for (const auto& [row, e] : cases) {
        const ParameterRow& r = table.Row(row);
        SCOPED_TRACE("row " + std::to_string(row));
        EXPECT_EQ(r.ctrlId, e.ctrlId);
        EXPECT_EQ(r.cmdId, e.cmdId);
        EXPECT_EQ(r.ctrlKind, e.ctrlKind);
        EXPECT_EQ(r.paramClass, e.paramClass);
        EXPECT_EQ(r.minValue, e.minValue);
        EXPECT_EQ(r.maxValue, e.maxValue);
        EXPECT_EQ(r.value, e.value);
        EXPECT_EQ(r.committedValue, e.committedValue);
        EXPECT_EQ(r.inFile, e.inFile);
        EXPECT_EQ(table.CtrlId2TblIndex(e.ctrlId), row);
    }
    // Only AWBS starts with a non-zero committed value.
    for (int i = 0; i < table.RowCount(); ++i) {
        if (i != 162) {
            EXPECT_EQ(table.Row(i).committedValue, 0) << i;
        }
    }
}

TEST_F(ParameterTableTest, LookupsByCommandTakeTheEarlierRow)
{
    const std::vector<std::pair<int, int>> cases{
        {132, 2518}, {133, 2524}, {134, 2530}, {569, 2872}, {0, 2806}, {586, 2814},
        {595, 2880}, {576, 2774}, {572, 2760}, {398, 1452}, {635, 1382}, {97, 1844},
    };
    for (const auto& [command, ctrlId] : cases)
        EXPECT_EQ(table.ToCtrlId(command), ctrlId) << command;
    EXPECT_TRUE(notices.recorder.messages.empty());

    EXPECT_EQ(table.ToCtrlId(21), -1); // the first TD entry has no row
    ExpectOneWarning("Unexpected error occurred in ToCtrlId(): Command id is 21");
    EXPECT_EQ(table.ToCtrlId(-5), -1);
    ExpectOneWarning("Unexpected error occurred in ToCtrlId(): Command id is -5");

    EXPECT_EQ(table.ToCmdId(1382), 635);
    EXPECT_EQ(table.ToCmdId(2541), 124); // TRGOP's second entry
}

TEST_F(ParameterTableTest, FactoryClass)
{
    EXPECT_TRUE(table.IsFactoryParam(1844));
    EXPECT_FALSE(table.IsFactoryParam(1349));
    EXPECT_FALSE(table.IsFactoryParam(1405)); // class 0
    EXPECT_TRUE(notices.recorder.messages.empty());

    EXPECT_FALSE(table.IsFactoryParam(1));
    ExpectOneWarning("ERROR: IsFactoryParam(): Control id \"1: 0x1\" is not registered in database table");
    EXPECT_FALSE(table.IsFactoryParam(3054));
    ExpectOneWarning("ERROR: IsFactoryParam(): Control id \"3054: 0xbee\" is not registered in database table");
}

TEST_F(ParameterTableTest, MissingControlIdsWarnAndChangeNothing)
{
    const uint32_t missing = 1;
    const std::vector<ParameterRow> before(&table.Row(0), &table.Row(0) + table.RowCount());
    int32_t lo = 11, hi = 22;
    struct Case {
        std::function<bool()> call; // true when the result is the failure result
        std::string text;
    };
    const std::vector<Case> cases{
        {[&] { return table.GetDataValue(missing) == -1; }, "Unexpected error occurred in GetDataValue()."},
        {[&] { return !table.SetDataValue(missing, 5); }, "Unexpected error occurred in SetDataValue()."},
        {[&] { return table.GetCommittedValue(missing) == -1; }, "Unexpected error occurred in GetDataValue()."},
        {[&] { return table.ToCmdId(missing) == -1; }, "Unexpected error occurred in ToCmdId()."},
        {[&] { return table.CtrlId2TblIndex(missing) == -1; }, "Unexpected error occurred in CtrlId2TblIndex()."},
        {[&] { return table.GetRangePad(missing) == -1; }, "Unexpected error occurred in CtrlId2TblIndex()."},
        {[&] { return !table.GetRange(missing, lo, hi); }, "Unexpected error occurred in CtrlId2TblIndex()."},
        {[&] { return !table.SetRange(missing, 1, 2); }, "Unexpected error occurred in CtrlId2TblIndex()."},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.call()) << c.text;
        ExpectOneWarning(c.text);
    }
    EXPECT_EQ(lo, 11);
    EXPECT_EQ(hi, 22);
    EXPECT_FALSE(table.IsFileParam(missing));
    EXPECT_TRUE(notices.recorder.messages.empty());
    // The terminator is not a row.
    EXPECT_EQ(table.CtrlId2TblIndex(ParameterTable::kTerminator), -1);
    notices.recorder.Clear();
    for (int i = 0; i < table.RowCount(); ++i) {
        const ParameterRow& r = table.Row(i);
        EXPECT_TRUE(r.value == before[i].value && r.committedValue == before[i].committedValue &&
                    r.minValue == before[i].minValue && r.maxValue == before[i].maxValue)
            << i;
    }
}

TEST_F(ParameterTableTest, ValuesArePendingUntilCommitted)
{
    for (int i = 0; i < table.RowCount(); ++i)
        EXPECT_EQ(table.IsPending(i), i != 162 && table.Row(i).value != 0) << i;
    table.CommitAll();
    for (int i = 0; i < table.RowCount(); ++i)
        ASSERT_FALSE(table.IsPending(i)) << i;

    // No clamping: the camera decides.
    EXPECT_TRUE(table.SetDataValue(1382, 600000));
    EXPECT_EQ(table.GetDataValue(1382), 600000);
    EXPECT_EQ(table.GetCommittedValue(1382), 0);
    EXPECT_TRUE(table.SetDataValue(1797, -500));
    EXPECT_EQ(table.GetDataValue(1797), -500);
    for (int i = 0; i < table.RowCount(); ++i)
        EXPECT_EQ(table.IsPending(i), i == 323 || i == 76) << i;

    // Setting the committed value back clears the pending state.
    EXPECT_TRUE(table.SetDataValue(1797, 0));
    EXPECT_FALSE(table.IsPending(76));

    table.CommitAll();
    EXPECT_EQ(table.GetCommittedValue(1382), 600000);
    for (int i = 0; i < table.RowCount(); ++i)
        ASSERT_FALSE(table.IsPending(i)) << i;
    EXPECT_TRUE(notices.recorder.messages.empty());

    table.Reset();
    EXPECT_EQ(table.GetDataValue(1382), 0);
    EXPECT_EQ(table.GetCommittedValue(2703), 4);
}

TEST_F(ParameterTableTest, RangesAndModelAdjustment)
{
    int32_t lo = 0, hi = 0;
    EXPECT_TRUE(table.SetRange(1338, 5, 77));
    EXPECT_TRUE(table.GetRange(1338, lo, hi));
    EXPECT_EQ(lo, 5);
    EXPECT_EQ(hi, 77);
    EXPECT_EQ(table.GetRangePad(1338), 0);

    const std::vector<uint32_t> xs{1424, 1427, 1449}, ys{1438, 1441, 1460};
    table.AdjustRangesForModel(false);
    for (uint32_t id : xs) {
        ASSERT_TRUE(table.GetRange(id, lo, hi));
        EXPECT_EQ(hi, 2559) << id;
    }
    for (uint32_t id : ys) {
        ASSERT_TRUE(table.GetRange(id, lo, hi));
        EXPECT_EQ(hi, 2047) << id;
    }
    table.AdjustRangesForModel(true);
    for (uint32_t id : xs) {
        ASSERT_TRUE(table.GetRange(id, lo, hi));
        EXPECT_EQ(lo, -1) << id;
        EXPECT_EQ(hi, 1455) << id;
    }
    for (uint32_t id : ys) {
        ASSERT_TRUE(table.GetRange(id, lo, hi));
        EXPECT_EQ(lo, -1) << id;
        EXPECT_EQ(hi, 1087) << id;
    }
    // The factory blemish boxes keep the larger limits.
    ASSERT_TRUE(table.GetRange(1457, lo, hi));
    EXPECT_EQ(hi, 2559);
    EXPECT_TRUE(notices.recorder.messages.empty());
}

} // namespace
