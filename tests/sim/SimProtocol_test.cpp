// The camera's side of the line protocol, spoken over the simulator's pseudo-terminal.
#include "SimTestClient.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class SimProtocol : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.IsOpen());
        ASSERT_TRUE(client.IsOpen());
    }
    SimOptions options;
    SimHarness sim{options};
    SimTestClient client{sim.Path()};
};

TEST_F(SimProtocol, EveryLineGetsExactlyOneReplyEndingInCrLf)
{
    // A burst of mixed lines, LF alone accepted as a line end too: one reply each, in order.
    const std::string burst = "GA?\r\nPE=500\r\nXYZ?\r\n\r\nhello\nSQW5?\r\nMD?\n";
    ASSERT_TRUE(client.Write(burst));
    std::string replies = client.ReadLines(7);
    EXPECT_EQ(replies,
              "GA=100\r\nCOMPLETE\r\nERROR: UNKNOWN COMMAND\r\nERROR: SYNTAX\r\nERROR: SYNTAX\r\n"
              "SQW5=1456\r\nMD=KT-5100W-QBCL\r\n");
    EXPECT_EQ(client.ReadBytes(1, 200), ""); // and nothing more
}

TEST_F(SimProtocol, LineSplitAcrossWritesIsOneLine)
{
    ASSERT_TRUE(client.Write("P"));
    ASSERT_TRUE(client.Write("E=12"));
    EXPECT_EQ(client.ReadBytes(1, 100), "");
    ASSERT_TRUE(client.Write("34\r\n"));
    EXPECT_EQ(client.ReadLines(1), "COMPLETE\r\n");
    EXPECT_EQ(client.Ask("PE?"), "PE=1234");
}

TEST_F(SimProtocol, SettingThenQueryReturnsStoredValue)
{
    struct Case {
        const char* set;
        const char* query;
        const char* expected;
    } cases[] = {
        {"PE=500", "PE?", "PE=500"},
        {"BL=-133", "BL?", "BL=-133"},
        {"TD=500000", "TD?", "TD=500000"},
        {"GA=&H1F", "GA?", "GA=31"},
        {"ga = 120", "GA?", "GA=120"},          // case and spaces do not matter
        {"UD=Line 7 cam", "UD?", "UD=Line 7 cam"}, // text kept as sent
        {"DV=2.1.0.3", "DV?", "DV=2.1.0.3"},
        {"LUTG=10,200", "LUTG?10", "LUTG=200"},
        {"BMPXWR=5,100", "BMPXWR?5", "BMPXWR=100"},
        {"BMPYWB=200,-1", "BMPYWB?200", "BMPYWB=-1"},
        {"XMLVR=305", "XMLVR?", "XMLVR=305"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        EXPECT_EQ(client.Ask(c.set), "COMPLETE");
        EXPECT_EQ(client.Ask(c.query), c.expected);
    }
}

TEST_F(SimProtocol, RefusalsLeaveTheValueAlone)
{
    struct Case {
        const char* line;
        const char* error;
        const char* query;
        const char* unchanged;
    } cases[] = {
        {"PE=0", SimCamera::kErrRange, "PE?", "PE=1"},
        {"PE=8000001", SimCamera::kErrRange, "PE?", "PE=1"},
        {"HB=3", SimCamera::kErrRange, "HB?", "HB=1"},
        {"FGA=99", SimCamera::kErrRange, "FGA?", "FGA=100"},
        {"PE=12x", SimCamera::kErrSyntax, "PE?", "PE=1"},
        {"PE=", SimCamera::kErrSyntax, "PE?", "PE=1"},
        {"UD=12345678901234567", SimCamera::kErrRange, "UD?", "UD=LUMORA-SIM"},
        {"VN=200", SimCamera::kErrReadOnly, "VN?", "VN=105"},
        {"MD=KT-5200W-QBCL", SimCamera::kErrReadOnly, "MD?", "MD=KT-5100W-QBCL"},
        {"SQW5=47", SimCamera::kErrRange, "SQW5?", "SQW5=1456"},
        {"SQF129=1", SimCamera::kErrRange, "SQF1?", "SQF1=1"},
        {"LUTR=7,4096", SimCamera::kErrRange, "LUTR?7", "LUTR=112"},
        {"BMPXWR=5,1456", SimCamera::kErrRange, "BMPXWR?5", "BMPXWR=566"},
        {"BMPXWR=201,5", SimCamera::kErrRange, "BMPXWR?1", "BMPXWR=434"},
        {"BMPXWR=5", SimCamera::kErrSyntax, "BMPXWR?1", "BMPXWR=434"},
        {"LD=4", SimCamera::kErrRange, "LD?", "LD=0"},
        {"SA=0", SimCamera::kErrRange, "SA?", "SA=0"},
        {"GA?5", SimCamera::kErrSyntax, "GA?", "GA=100"},
        {"1X=5", SimCamera::kErrSyntax, "GA?", "GA=100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(client.Ask(c.line), c.error);
        EXPECT_EQ(client.Ask(c.query), c.unchanged);
    }
}

TEST_F(SimProtocol, SequencerSetsAreIndependent)
{
    EXPECT_EQ(client.Ask("SQW5=1000"), "COMPLETE");
    EXPECT_EQ(client.Ask("SQF3=7"), "COMPLETE");
    EXPECT_EQ(client.Ask("SQPEB128=25"), "COMPLETE");
    EXPECT_EQ(client.Ask("SQHB2=2"), "COMPLETE");
    EXPECT_EQ(client.Ask("SQW5?"), "SQW5=1000");
    EXPECT_EQ(client.Ask("SQW4?"), "SQW4=1456");
    EXPECT_EQ(client.Ask("SQW6?"), "SQW6=1456");
    EXPECT_EQ(client.Ask("SQF3?"), "SQF3=7");
    EXPECT_EQ(client.Ask("SQF13?"), "SQF13=1");
    EXPECT_EQ(client.Ask("SQPEB128?"), "SQPEB128=25");
    EXPECT_EQ(client.Ask("SQPE128?"), "SQPE128=18000"); // SQPE is not SQPEB
    EXPECT_EQ(client.Ask("SQHB2?"), "SQHB2=2");
    EXPECT_EQ(client.Ask("SQVB2?"), "SQVB2=1");
}

TEST_F(SimProtocol, LutRunOf32WritesThen32ReadsReturnsTheTable)
{
    for (const char* channel : {"LUTSR", "LUTSB"}) {
        SCOPED_TRACE(channel);
        for (int i = 0; i < 32; ++i)
            ASSERT_EQ(client.Ask(std::string(channel) + "=" + std::to_string(4095 - 100 * i)), "COMPLETE");
        for (int i = 0; i < 32; ++i)
            ASSERT_EQ(client.Ask(std::string(channel) + "?"), std::string(channel) + "=" + std::to_string(4095 - 100 * i));
    }
    // The green table was not touched: a straight line.
    EXPECT_EQ(client.Ask("LUTSG?"), "LUTSG=0");
    EXPECT_EQ(client.Ask("LUTSG?"), "LUTSG=128");
    // Another line ends the run; the next run starts at entry 0 again.
    EXPECT_EQ(client.Ask("GA?"), "GA=100");
    EXPECT_EQ(client.Ask("LUTSG?"), "LUTSG=0");
    // A refused value is not stored and ends the run too.
    EXPECT_EQ(client.Ask("LUTSR=4096"), SimCamera::kErrRange);
    EXPECT_EQ(client.Ask("LUTSR?"), "LUTSR=4095");
}

TEST_F(SimProtocol, StoredAreaRestoresChangedSettings)
{
    ASSERT_EQ(client.Ask("PE=500"), "COMPLETE");
    ASSERT_EQ(client.Ask("SQW5=1000"), "COMPLETE");
    ASSERT_EQ(client.Ask("LUTSR=7"), "COMPLETE");
    EXPECT_EQ(client.Ask("SA=2"), "COMPLETE");
    ASSERT_EQ(client.Ask("PE=700"), "COMPLETE");
    ASSERT_EQ(client.Ask("SQW5=800"), "COMPLETE");
    ASSERT_EQ(client.Ask("LUTSR=9"), "COMPLETE");
    ASSERT_EQ(client.Ask("UD=KEEP"), "COMPLETE"); // identity is not part of an area
    EXPECT_EQ(client.Ask("LD=2"), "COMPLETE");
    EXPECT_EQ(client.Ask("PE?"), "PE=500");
    EXPECT_EQ(client.Ask("SQW5?"), "SQW5=1000");
    EXPECT_EQ(client.Ask("LUTSR?"), "LUTSR=7");
    EXPECT_EQ(client.Ask("UD?"), "UD=KEEP");
    // Area 1 still holds the power-on settings; the factory area takes SA00=0 only.
    EXPECT_EQ(client.Ask("LD=1"), "COMPLETE");
    EXPECT_EQ(client.Ask("PE?"), "PE=1");
    EXPECT_EQ(client.Ask("PE=42"), "COMPLETE");
    EXPECT_EQ(client.Ask("SA00=1"), SimCamera::kErrRange);
    EXPECT_EQ(client.Ask("SA00=0"), "COMPLETE");
    EXPECT_EQ(client.Ask("PE=43"), "COMPLETE");
    EXPECT_EQ(client.Ask("LD=0"), "COMPLETE");
    EXPECT_EQ(client.Ask("PE?"), "PE=42");
}

TEST_F(SimProtocol, CameraResetReturnsToPowerOnState)
{
    ASSERT_EQ(client.Ask("PE=500"), "COMPLETE");
    ASSERT_EQ(client.Ask("SQM=1"), "COMPLETE");
    ASSERT_EQ(client.Ask("ULCK=7315048"), "COMPLETE");
    EXPECT_EQ(client.Ask("CRS00=1"), "COMPLETE");
    EXPECT_EQ(client.Ask("PE?"), "PE=1");
    EXPECT_EQ(client.Ask("VSM?"), "VSM=0");
    EXPECT_EQ(client.Ask("ID=NEWID"), SimCamera::kErrLocked); // the unlock did not survive
}

TEST_F(SimProtocol, CameraIdWriteNeedsTheUnlockEachTime)
{
    EXPECT_EQ(client.Ask("ID=AB12345678"), SimCamera::kErrLocked);
    EXPECT_EQ(client.Ask("ULCK=1234"), SimCamera::kErrRange);
    EXPECT_EQ(client.Ask("ID=AB12345678"), SimCamera::kErrLocked);
    EXPECT_EQ(client.Ask("ULCK=7315048"), "COMPLETE");
    EXPECT_EQ(client.Ask("ID=AB12345678"), "COMPLETE");
    EXPECT_EQ(client.Ask("ID?"), "ID=AB12345678");
    EXPECT_EQ(client.Ask("ID=XX"), SimCamera::kErrLocked);
    // The model id written in the factory is what the model query reports.
    EXPECT_EQ(client.Ask("MD00=KT-5200W-QBCL"), "COMPLETE");
    EXPECT_EQ(client.Ask("MD?"), "MD=KT-5200W-QBCL");
}

TEST_F(SimProtocol, ModesShowInVideoSendMode)
{
    struct Step {
        const char* line;
        const char* vsm;
    } steps[] = {
        {"SQM=1", "VSM=1"}, {"SQSEL=1", "VSM=2"}, {"SMRMD=1", "VSM=4"},
        {"SMRMD=0", "VSM=2"}, {"SQSEL=0", "VSM=1"}, {"SQM=0", "VSM=0"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.line);
        EXPECT_EQ(client.Ask(s.line), "COMPLETE");
        EXPECT_EQ(client.Ask("VSM?"), s.vsm);
    }
}

TEST_F(SimProtocol, BlemishCountsFollowTheList)
{
    EXPECT_EQ(client.Ask("BNUMR?"), "BNUMR=12");
    EXPECT_EQ(client.Ask("BMCLRR=3"), "COMPLETE");
    EXPECT_EQ(client.Ask("BMPXWR?3"), "BMPXWR=-1");
    EXPECT_EQ(client.Ask("BNUMR?"), "BNUMR=11");
    EXPECT_EQ(client.Ask("BMPXWR=150,10"), "COMPLETE");
    EXPECT_EQ(client.Ask("BMPYWR=150,20"), "COMPLETE");
    EXPECT_EQ(client.Ask("BNUMR?"), "BNUMR=12");
    EXPECT_EQ(client.Ask("BNUMG?"), "BNUMG=9");
}

} // namespace
