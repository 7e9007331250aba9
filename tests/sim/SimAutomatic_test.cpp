// One-shot automatic functions, the chosen model and initial values, the frame counters.
#include "SimTestClient.h"

#include <gtest/gtest.h>

namespace {

const std::string kOk = SimCamera::kComplete;

TEST(SimAutomatic, OneShotRunsAreBusyForTheChosenPollsThenEnd)
{
    // Each run: its start line, the status the tool polls, when that status means the run ended,
    // the chosen result, and a value that the run adjusts.
    const struct {
        std::string start, status;
        bool (*ended)(int);
        std::string result, changed;
    } cases[] = {
        {"AWB=2", "AWRS", [](int s) { return s != 4; }, "awb=1", "PGR"},
        {"AWB=4", "AWRS", [](int s) { return s != 4; }, "awb=1", "PGR"},
        {"AGC=2", "ATCS", [](int s) { return s >= 8; }, "agc=8", "FGA"},
        {"ASC=2", "ATCS", [](int s) { return s >= 8; }, "asc=9", "PE"},
    };
    for (const auto& c : cases) {
        SimOptions options;
        std::string error;
        ASSERT_TRUE(ParseSimArgs({"--busy-polls", "4", "--result", c.result}, options, error)) << error;
        SimCamera camera(options);
        const std::string before = camera.HandleLine(c.changed + "?");
        const std::string mode = c.start.substr(0, c.start.find('='));
        const std::string result = c.status + "=" + c.result.substr(c.result.find('=') + 1);
        ASSERT_EQ(camera.HandleLine(c.start), kOk);
        for (int poll = 0; poll < 4; ++poll) {
            const std::string busy = camera.HandleLine(c.status + "?");
            EXPECT_FALSE(busy.rfind(c.status + "=", 0) != 0 || c.ended(std::stoi(busy.substr(5)))) << c.start << " " << busy;
        }
        // Then the result, which stays, with the mode back to off and the value moved.
        ExpectReplies(camera, {{c.status + "?", result}, {c.status + "?", result}, {mode + "?", mode + "=0"}});
        EXPECT_NE(camera.HandleLine(c.changed + "?"), before) << c.start;
    }
}

TEST(SimAutomatic, ImmediateResultsAndContinuousModes)
{
    SimOptions options;
    options.busyPolls = 0;
    options.results.awb = 5;
    options.results.rs = 3;
    SimCamera camera(options);
    ExpectReplies(camera, {{"AWB=2", kOk}, {"AWRS?", "AWRS=5"}, {"AWB=1", kOk}, {"AWB?", "AWB=1"}, {"AWRS?", "AWRS=8"},
                           {"AWB=9", SimCamera::kErrRange}, {"ASC=1", kOk}, {"ALCST?", "ALCST=2"}, {"RS=0", kOk},
                           {"SDRS?", "SDRS=3"}});
}

TEST(SimAutomatic, RunsThatNeverEndStopWhenSwitchedOff)
{
    SimOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimArgs({"--busy-polls", "never"}, options, error)) << error;
    SimCamera camera(options);
    ASSERT_EQ(camera.HandleLine("AGC=2"), kOk);
    for (int poll = 0; poll < 500; ++poll)
        ASSERT_LT(std::stoi(camera.HandleLine("ATCS?").substr(5)), 8) << poll;
    ExpectReplies(camera, {{"AGC=0", kOk}, {"ATCS?", "ATCS=255"}, {"AWB=4", kOk}, {"AWRS?", "AWRS=4"}, {"AWB=0", kOk},
                           {"AWRS?", "AWRS=255"}});
}

TEST(SimModels, ModelDecidesNameSensorAndMultiRoi)
{
    // Each model, a sequencer width at its sensor's width and one beyond, and whether it has multi-ROI.
    const struct { const char *model, *widest, *tooWide; bool multiRoi; } cases[] = {
        {"KT-5100W-QBCL", "SQW1=1456", "SQW1=1457", true},
        {"KT-5200W-QBCL", "SQW1=2064", "SQW1=2065", false},
        {"XR-1", "SQW1=2064", "SQW1=2065", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        SimOptions options;
        options.model = c.model;
        SimCamera camera(options);
        ExpectReplies(camera, {{"MD?", std::string("MD=") + c.model}, {c.widest, kOk}, {c.tooWide, SimCamera::kErrRange},
                               {"SMRMD?", c.multiRoi ? "SMRMD=0" : SimCamera::kErrUnknown}});
    }
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

} // namespace
