// The camera's side of the line protocol: the framing over the simulator's pseudo-terminal,
// what the camera makes of each line, the automatic functions, models and initial values, and
// its answers to everything the tables let the tool send. How the tool's automatic runs poll a
// busy camera is the camera layer's test against this camera.
#include "CamSimProcess.h"
#include "SimSession.h"
#include "SimTestClient.h"

#include "CommandTable.h"
#include "ParameterTable.h"

#include <gtest/gtest.h>

namespace {

const std::string kOk = SimCamera::kComplete;
const std::string kUnlock = "ULCK=" + std::to_string(SimCamera::kUnlockCode);

TEST(SimProtocol, EveryLineGetsItsOwnReplyInOrderOverThePty)
{
    CamSimProcess sim;
    ASSERT_TRUE(sim.Start({})) << sim.Error();
    SimTestClient client(sim.DevicePath());
    // A burst with LF alone as a line end too: the pty must answer as the camera does, line by line.
    const std::vector<std::string> lines = {"GA?", "PE=500", "XYZ?", "", "hello", "SQW5?", "MD?"};
    SimCamera reference;
    std::string burst, expected;
    for (size_t i = 0; i < lines.size(); ++i) {
        burst += lines[i] + (i % 2 ? "\n" : "\r\n");
        expected += reference.HandleLine(lines[i]) + "\r\n";
    }
    // An overlong line is refused as a whole, and the next one is served.
    burst += std::string(SimSession::kMaxLine + 1, 'A') + "\r\nGA?\r\n";
    expected += std::string(SimCamera::kErrTooLong) + "\r\n" + reference.HandleLine("GA?") + "\r\n";
    ASSERT_TRUE(client.Write(burst));
    EXPECT_EQ(client.ReadLines(static_cast<long>(lines.size()) + 2), expected);
    EXPECT_EQ(client.ReadBytes(1, 200), ""); // and nothing more
    // A line split across writes is one line, answered only once its end came.
    ASSERT_TRUE(client.Write("P"));
    ASSERT_TRUE(client.Write("E=12"));
    EXPECT_EQ(client.ReadBytes(1, 100), "");
    ASSERT_TRUE(client.Write("34\r\n"));
    EXPECT_EQ(client.ReadLines(1), kOk + "\r\n");
    EXPECT_EQ(client.Ask("PE?"), "PE=1234");
}

TEST(SimProtocol, SettingsAreReportedBackAsStoredAndTouchNothingElse)
{
    SimCamera camera;
    // Neighbouring sequencer sets, and SQPE beside SQPEB, must not move with the fields written.
    const std::vector<std::string> untouched = {"SQW4?", "SQW6?", "SQF13?", "SQPE128?", "SQVB2?"};
    std::vector<std::string> before;
    for (const std::string& query : untouched)
        before.push_back(camera.HandleLine(query));
    ExpectReplies(camera, {
        {"PE=500", kOk}, {"PE?", "PE=500"}, {"BL=-133", kOk}, {"BL?", "BL=-133"}, {"GA=&H1F", kOk}, {"GA?", "GA=31"},
        {"ga = 120", kOk}, {"GA?", "GA=120"},             // case and spaces do not matter
        {"UD=Line 7 cam", kOk}, {"UD?", "UD=Line 7 cam"}, // text kept as sent
        {"LUTG=10,200", kOk}, {"LUTG?10", "LUTG=200"}, {"BMPYWB=200,-1", kOk}, {"BMPYWB?200", "BMPYWB=-1"},
        {"SQW5=1000", kOk}, {"SQF3=7", kOk}, {"SQPEB128=25", kOk}, {"SQHB2=2", kOk},
        {"SQW5?", "SQW5=1000"}, {"SQF3?", "SQF3=7"}, {"SQPEB128?", "SQPEB128=25"}, {"SQHB2?", "SQHB2=2"},
    });
    for (size_t i = 0; i < untouched.size(); ++i)
        EXPECT_EQ(camera.HandleLine(untouched[i]), before[i]) << untouched[i];
}

TEST(SimProtocol, RefusalsLeaveTheValueAlone)
{
    const struct { const char *line, *error, *query; } cases[] = { // the query shows the value unchanged
        {"PE=0", SimCamera::kErrRange, "PE?"},          {"PE=8000001", SimCamera::kErrRange, "PE?"},
        {"PE=12x", SimCamera::kErrSyntax, "PE?"},       {"PE=", SimCamera::kErrSyntax, "PE?"},
        {"UD=12345678901234567", SimCamera::kErrRange, "UD?"},
        {"VN=200", SimCamera::kErrReadOnly, "VN?"},     {"MD=KT-5200W-QBCL", SimCamera::kErrReadOnly, "MD?"},
        {"SQW5=47", SimCamera::kErrRange, "SQW5?"},     {"SQF129=1", SimCamera::kErrRange, "SQF1?"},
        {"LUTR=7,4096", SimCamera::kErrRange, "LUTR?7"}, {"BMPXWR=5,1456", SimCamera::kErrRange, "BMPXWR?5"},
        {"BMPXWR=201,5", SimCamera::kErrRange, "BMPXWR?1"}, {"BMPXWR=5", SimCamera::kErrSyntax, "BMPXWR?5"},
        {"LD=4", SimCamera::kErrRange, "PE?"},          {"SA=0", SimCamera::kErrRange, "PE?"},
        {"GA?5", SimCamera::kErrSyntax, "GA?"},         {"1X=5", SimCamera::kErrSyntax, "GA?"},
        {"XYZ?", SimCamera::kErrUnknown, "GA?"},        {"", SimCamera::kErrSyntax, "GA?"},
        {"hello", SimCamera::kErrSyntax, "GA?"},
    };
    SimCamera camera;
    for (const auto& c : cases) {
        const std::string before = camera.HandleLine(c.query);
        EXPECT_EQ(camera.HandleLine(c.line), c.error) << c.line;
        EXPECT_EQ(camera.HandleLine(c.query), before) << c.line;
    }
}

TEST(SimProtocol, LutRunsAddressTheEntriesInTurn)
{
    SimCamera camera;
    const std::string green0 = camera.HandleLine("LUTSG?");
    const std::string green1 = camera.HandleLine("LUTSG?");
    ASSERT_NE(green0, green1);
    for (std::string channel : {"LUTSR", "LUTSB"}) {
        for (int i = 0; i < SimCamera::kLutEntries; ++i)
            ASSERT_EQ(camera.HandleLine(channel + "=" + std::to_string(4095 - 100 * i)), kOk) << channel;
        for (int i = 0; i < SimCamera::kLutEntries; ++i)
            ASSERT_EQ(camera.HandleLine(channel + "?"), channel + "=" + std::to_string(4095 - 100 * i)) << channel;
    }
    // Green is untouched; another form or another line starts a new run at entry 0, and so
    // does a refused value, which is not stored.
    ExpectReplies(camera, {{"LUTSG?", green0}, {"LUTSG?", green1}, {"GA?", SimCamera().HandleLine("GA?")}, {"LUTSG?", green0},
                           {"LUTSR=4096", SimCamera::kErrRange}, {"LUTSR?", "LUTSR=4095"}});
}

TEST(SimProtocol, FlashAreasResetAndTheIdentity)
{
    SimCamera camera;
    ExpectReplies(camera, {
        // The camera id is written only right after the unlock, every time.
        {"ID=AB12345678", SimCamera::kErrLocked}, {"ULCK=1234", SimCamera::kErrRange},
        {"ID=AB12345678", SimCamera::kErrLocked}, {kUnlock, kOk}, {"ID=AB12345678", kOk},
        {"ID?", "ID=AB12345678"}, {"ID=XX", SimCamera::kErrLocked},
        // The model id written in the factory is what the model query reports.
        {"MD00=KT-5200W-QBCL", kOk}, {"MD?", "MD=KT-5200W-QBCL"},
        // Settings, sequencer sets and tables stored in a user area come back with it.
        {"PE=500", kOk}, {"SQW5=1000", kOk}, {"LUTSR=7", kOk}, {"SA=2", kOk}, {"PE=700", kOk}, {"SQW5=800", kOk},
        {"LUTSR=9", kOk}, {"UD=KEEP", kOk}, // identity is not part of an area
        {"LD=2", kOk}, {"PE?", "PE=500"}, {"SQW5?", "SQW5=1000"}, {"LUTSR?", "LUTSR=7"}, {"UD?", "UD=KEEP"},
        // Area 1 still holds the power-on settings; the factory area takes SA00=0 only.
        {"LD=1", kOk}, {"PE?", SimCamera().HandleLine("PE?")}, {"PE=42", kOk}, {"SA00=1", SimCamera::kErrRange},
        {"SA00=0", kOk}, {"PE=43", kOk}, {"LD=0", kOk}, {"PE?", "PE=42"},
        // A camera reset returns to the factory area and forgets modes and the unlock.
        {"PE=500", kOk}, {"SQM=1", kOk}, {kUnlock, kOk}, {"CRS00=1", kOk},
        {"PE?", "PE=42"}, {"VSM?", "VSM=0"}, {"ID=NEWID", SimCamera::kErrLocked},
    });
}

TEST(SimProtocol, ModesShowInVideoSendMode)
{
    SimCamera camera;
    ExpectReplies(camera, {{"SQM=1", kOk}, {"VSM?", "VSM=1"}, {"SQSEL=1", kOk}, {"VSM?", "VSM=2"},
                           {"SMRMD=1", kOk}, {"VSM?", "VSM=4"}, {"SMRMD=0", kOk}, {"VSM?", "VSM=2"},
                           {"SQSEL=0", kOk}, {"VSM?", "VSM=1"}, {"SQM=0", kOk}, {"VSM?", "VSM=0"}});
}

TEST(SimProtocol, BlemishCountsFollowTheList)
{
    SimCamera camera;
    auto count = [&](const char* query) { return std::stoi(camera.HandleLine(query).substr(6)); };
    const int red = count("BNUMR?"), green = count("BNUMG?");
    ASSERT_GT(red, 3);
    ExpectReplies(camera, {{"BMCLRR=3", kOk}, {"BMPXWR?3", "BMPXWR=-1"}});
    EXPECT_EQ(count("BNUMR?"), red - 1);
    ExpectReplies(camera, {{"BMPXWR=150,10", kOk}, {"BMPYWR=150,20", kOk}});
    EXPECT_EQ(count("BNUMR?"), red);
    EXPECT_EQ(count("BNUMG?"), green);
}

TEST(SimAutomatic, OneShotRunsEndWithTheirResultAndContinuousModesReportAtOnce)
{
    SimOptions options;
    options.busyPolls = 0;
    options.results = {5, 9, 10, 3};
    // Each run: its start line, its status, its result, and a value that the run adjusts.
    const struct { const char *start, *status, *result, *changed; } runs[] = {
        {"AWB=2", "AWRS", "5", "PGR"}, {"AWB=4", "AWRS", "5", "PGB"}, {"AGC=2", "ATCS", "9", "FGA"}, {"ASC=2", "ATCS", "10", "PE"}};
    for (const auto& r : runs) {
        SimCamera camera(options);
        const std::string before = camera.HandleLine(std::string(r.changed) + "?");
        const std::string mode(r.start, 3), result = std::string(r.status) + "=" + r.result;
        // The result stays, the mode is back to off, the value moved.
        ExpectReplies(camera, {{r.start, kOk}, {r.status + std::string("?"), result}, {r.status + std::string("?"), result},
                               {mode + "?", mode + "=0"}});
        EXPECT_NE(camera.HandleLine(std::string(r.changed) + "?"), before) << r.start;
    }
    SimCamera camera(options);
    ExpectReplies(camera, {{"AWB=1", kOk}, {"AWB?", "AWB=1"}, {"AWRS?", "AWRS=8"}, {"AWB=9", SimCamera::kErrRange},
                           {"ASC=1", kOk}, {"ALCST?", "ALCST=2"}, {"RS=0", kOk}, {"SDRS?", "SDRS=3"}});
}

// A gain run that never ends, polled and switched off, is the camera layer's test against this camera.
TEST(SimAutomatic, RunsThatNeverEndStopWhenSwitchedOff)
{
    SimOptions options;
    options.busyPolls = SimOptions::kBusyForever;
    SimCamera camera(options);
    ExpectReplies(camera, {{"AWB=4", kOk}, {"AWRS?", "AWRS=4"}, {"AWRS?", "AWRS=4"}, {"AWB=0", kOk}, {"AWRS?", "AWRS=255"}});
}

TEST(SimModels, InitialValuesAreThePowerOnState)
{
    SimOptions options;
    options.sets = {{"PE", "2500"}, {"UD", "BENCH"}, {"TMP0", "-640"}, {"SQW7", "500"}, {"BNUMR", "2"}};
    options.baud = 115200;
    SimCamera camera(options);
    ExpectReplies(camera, {{"PE?", "PE=2500"}, {"UD?", "UD=BENCH"}, {"TMP0?", "TMP0=-640"}, {"SQW7?", "SQW7=500"},
                           {"BNUMR?", "BNUMR=2"}, {"FCBDRT?", "FCBDRT=16"}, // the bit of 115200 bit/s
                           {"PE=3", kOk}, {"CRS00=1", kOk}, {"PE?", "PE=2500"}});
    for (auto set : {std::pair<std::string, std::string>{"PE", "0"}, {"NOPE", "1"}, {"GA", "abc"}}) {
        options.sets = {set}; // a refused initial value is reported by name
        EXPECT_NE(SimCamera(options).InitError().find(set.first), std::string::npos) << set.first;
    }
}

TEST(SimCounters, CountFramesWhileEnabledAndReset)
{
    double t = 100.0;
    SimOptions options;
    options.sets = {{"AR", "10000"}}; // 100 frames per second
    SimCamera camera(options, [&t] { return t; });
    // Each step lets time pass, then plays its lines.
    const std::vector<std::pair<double, SimScript>> steps = {
        {1.0, {{"CV0?", "CV0=0"}, {"CE0=1", kOk}}}, // disabled: no counting
        {2.5, {{"CV0?", "CV0=250"}, {"CE0=0", kOk}}},
        {5.0, {{"CV0?", "CV0=250"}, {"CV1?", "CV1=0"}, {"CR0=1", kOk}, {"CV0?", "CV0=0"}, {"CV0=5", SimCamera::kErrReadOnly}}},
    };
    for (const auto& [seconds, script] : steps) {
        t += seconds;
        ExpectReplies(camera, script);
    }
}

TEST(SimCatalog, EveryTableCommandIsAnsweredAsTheModelHasIt)
{
    // Each model, its sensor's width, and whether it has multi-ROI (an unknown model has).
    const struct { const char* model; int width; bool multiRoi; } models[] = {
        {"KT-5100W-QBCL", 1456, true}, {"KT-5200W-QBCL", 2064, false}, {"XR-1", 2064, true}};
    const CommandTable& table = CommandTable::Instance();
    for (const auto& m : models) {
        SCOPED_TRACE(m.model);
        SimOptions options;
        options.model = m.model;
        SimCamera camera(options);
        ASSERT_EQ(camera.InitError(), "");
        ExpectReplies(camera, {{"MD?", std::string("MD=") + m.model}, {"SQW1=" + std::to_string(m.width), kOk},
                               {"SQW1=" + std::to_string(m.width + 1), SimCamera::kErrRange}});
        for (int i = 0; i < table.Count(); ++i) {
            const std::string mnemonic = table.GetMnemonic(i);
            if (mnemonic.empty())
                continue;
            std::string reply = camera.HandleLine(mnemonic + "?");
            if (reply == SimCamera::kErrSyntax) // the list forms need an entry number
                reply = camera.HandleLine(mnemonic + "?1");
            if (!m.multiRoi && mnemonic.rfind("SMR", 0) == 0)
                EXPECT_EQ(reply, SimCamera::kErrUnknown) << mnemonic;
            else
                EXPECT_EQ(reply.rfind(mnemonic + "=", 0), 0u) << mnemonic << ": " << reply;
        }
    }
}

TEST(SimCatalog, FileRowsTakeBackWhatTheyReportAndTheirInitialValue)
{
    // Loading a setting file written from a reload sends every file row's value back.
    SimCamera camera;
    const ParameterTable& rows = ParameterTable::Layout();
    for (int r = 0; r < rows.RowCount(); ++r) {
        const ParameterRow& row = rows.Row(r);
        const std::string mnemonic = CommandTable::Instance().GetMnemonic(static_cast<int>(row.cmdId));
        if (!row.inFile || mnemonic.empty())
            continue;
        const std::string reply = camera.HandleLine(mnemonic + "?");
        ASSERT_EQ(reply.rfind(mnemonic + "=", 0), 0u) << reply;
        EXPECT_EQ(camera.HandleLine(mnemonic + "=" + reply.substr(mnemonic.size() + 1)), kOk) << reply;
        EXPECT_EQ(camera.HandleLine(mnemonic + "=" + std::to_string(row.value)), kOk) << mnemonic << "=" << row.value;
    }
}

} // namespace
