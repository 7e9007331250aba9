// One-shot automatic functions, chosen models and initial values, counters.
#include "SimTestClient.h"

#include <gtest/gtest.h>

namespace {

// Polls a status the way the tool does (until it is not busy / reaches 8) and returns every
// status seen; gives up after 50 polls so a stuck function fails the test instead of hanging.
std::vector<std::string> pollUntil(SimTestClient& client, const std::string& status, bool (*done)(int))
{
    std::vector<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        std::string reply = client.Ask(status + "?");
        seen.push_back(reply);
        if (reply.rfind(status + "=", 0) != 0 || done(std::stoi(reply.substr(status.size() + 1))))
            break;
    }
    return seen;
}

TEST(SimAutomatic, OneShotWhiteBalanceIsBusyThenEnds)
{
    for (const char* mode : {"AWB=2", "AWB=4"}) {
        SCOPED_TRACE(mode);
        SimOptions options;
        options.busyPolls = 5;
        options.results.awb = 1; // "Too Bright"
        SimHarness sim(options);
        SimTestClient client(sim.Path());
        ASSERT_EQ(client.Ask(mode), "COMPLETE");
        auto seen = pollUntil(client, "AWRS", [](int s) { return s != 4; });
        std::vector<std::string> expected(5, "AWRS=4");
        expected.push_back("AWRS=1");
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(client.Ask("AWRS?"), "AWRS=1"); // the result stays
        EXPECT_EQ(client.Ask("AWB?"), "AWB=0");   // and the mode is back to off
        EXPECT_EQ(client.Ask("PGR?"), "PGR=104"); // with the balance applied
    }
}

TEST(SimAutomatic, OneShotGainAndExposureStepBelowEightThenEnd)
{
    struct Case {
        const char* start;
        int SimResults::*result;
        int code;
        const char* mode;
        const char* changed;
    } cases[] = {
        {"AGC=2", &SimResults::agc, 8, "AGC?", "FGA"},
        {"ASC=2", &SimResults::asc, 9, "ASC?", "PE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        SimOptions options;
        options.busyPolls = 4;
        options.results.*c.result = c.code;
        SimHarness sim(options);
        SimTestClient client(sim.Path());
        std::string before = client.Ask(std::string(c.changed) + "?");
        ASSERT_EQ(client.Ask(c.start), "COMPLETE");
        auto seen = pollUntil(client, "ATCS", [](int s) { return s >= 8; });
        ASSERT_EQ(seen.size(), 5u);
        for (size_t i = 0; i < 4; ++i) {
            int status = std::stoi(seen[i].substr(5));
            EXPECT_LT(status, 8) << seen[i];
            EXPECT_GE(status, 0) << seen[i];
        }
        EXPECT_EQ(seen.back(), "ATCS=" + std::to_string(c.code));
        EXPECT_EQ(client.Ask(c.mode), std::string(c.mode).substr(0, 3) + "=0");
        EXPECT_NE(client.Ask(std::string(c.changed) + "?"), before);
    }
}

TEST(SimAutomatic, NoBusyPollsEndsAtOnceAndContinuousModesDoNotRun)
{
    SimOptions options;
    options.busyPolls = 0;
    SimHarness sim(options);
    SimTestClient client(sim.Path());
    EXPECT_EQ(client.Ask("AWRS?"), "AWRS=255");
    ASSERT_EQ(client.Ask("AWB=2"), "COMPLETE");
    EXPECT_EQ(client.Ask("AWRS?"), "AWRS=0");
    ASSERT_EQ(client.Ask("AWB=1"), "COMPLETE");
    EXPECT_EQ(client.Ask("AWB?"), "AWB=1");
    EXPECT_EQ(client.Ask("AWRS?"), "AWRS=8");
    EXPECT_EQ(client.Ask("AWB=9"), SimCamera::kErrRange);
    ASSERT_EQ(client.Ask("ASC=1"), "COMPLETE");
    EXPECT_EQ(client.Ask("ALCST?"), "ALCST=2");
}

TEST(SimAutomatic, ShadingRecalibrationReportsItsResult)
{
    SimOptions options;
    options.results.rs = 3;
    SimHarness sim(options);
    SimTestClient client(sim.Path());
    EXPECT_EQ(client.Ask("SDRS?"), "SDRS=255");
    EXPECT_EQ(client.Ask("RS=0"), "COMPLETE");
    EXPECT_EQ(client.Ask("SDRS?"), "SDRS=3");
}

TEST(SimModels, ModelDecidesNameSensorAndMultiRoi)
{
    struct Case {
        const char* model;
        const char* widest;     // a sequencer width at the sensor's width
        const char* tooWide;
        bool multiRoi;
    } cases[] = {
        {"KT-5100W-QBCL", "SQW1=1456", "SQW1=1457", true},
        {"KT-5200W-QBCL", "SQW1=2064", "SQW1=2065", false},
        {"XR-1", "SQW1=2064", "SQW1=2065", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        SimOptions options;
        options.model = c.model;
        SimHarness sim(options);
        SimTestClient client(sim.Path());
        EXPECT_EQ(client.Ask("MD?"), std::string("MD=") + c.model);
        EXPECT_EQ(client.Ask(c.widest), "COMPLETE");
        EXPECT_EQ(client.Ask(c.tooWide), SimCamera::kErrRange);
        EXPECT_EQ(client.Ask("SMRMD?"), c.multiRoi ? "SMRMD=0" : SimCamera::kErrUnknown);
    }
}

TEST(SimModels, InitialValuesFromOptions)
{
    SimOptions options;
    options.sets = {{"PE", "2500"}, {"UD", "BENCH"}, {"TMP0", "-640"}, {"SQW7", "500"}, {"BNUMR", "2"}};
    options.baud = 115200;
    SimHarness sim(options);
    SimTestClient client(sim.Path());
    EXPECT_EQ(client.Ask("PE?"), "PE=2500");
    EXPECT_EQ(client.Ask("UD?"), "UD=BENCH");
    EXPECT_EQ(client.Ask("TMP0?"), "TMP0=-640");
    EXPECT_EQ(client.Ask("SQW7?"), "SQW7=500");
    EXPECT_EQ(client.Ask("BNUMR?"), "BNUMR=2");
    EXPECT_EQ(client.Ask("FCBDRT?"), "FCBDRT=16");
    // The initial values are the power-on state: a reset brings them back.
    ASSERT_EQ(client.Ask("PE=3"), "COMPLETE");
    ASSERT_EQ(client.Ask("CRS00=1"), "COMPLETE");
    EXPECT_EQ(client.Ask("PE?"), "PE=2500");
}

TEST(SimModels, RefusedInitialValueIsReported)
{
    for (auto set : {std::pair<std::string, std::string>{"PE", "0"}, {"NOPE", "1"}, {"GA", "abc"}}) {
        SimOptions options;
        options.sets = {set};
        SimSession session(options);
        EXPECT_FALSE(session.Ok()) << set.first;
        EXPECT_NE(session.Error().find(set.first), std::string::npos) << session.Error();
    }
}

TEST(SimCounters, CountFramesWhileEnabledAndReset)
{
    double t = 100.0;
    SimOptions options;
    options.sets = {{"AR", "10000"}}; // 100 frames per second
    SimCamera camera(options, [&t] { return t; });
    EXPECT_EQ(camera.HandleLine("CV0?"), "CV0=0");
    t += 1.0;
    EXPECT_EQ(camera.HandleLine("CV0?"), "CV0=0"); // disabled: no counting
    EXPECT_EQ(camera.HandleLine("CE0=1"), "COMPLETE");
    t += 2.5;
    EXPECT_EQ(camera.HandleLine("CV0?"), "CV0=250");
    EXPECT_EQ(camera.HandleLine("CE0=0"), "COMPLETE");
    t += 5;
    EXPECT_EQ(camera.HandleLine("CV0?"), "CV0=250"); // held while off
    EXPECT_EQ(camera.HandleLine("CV1?"), "CV1=0");   // counters are separate
    EXPECT_EQ(camera.HandleLine("CR0=1"), "COMPLETE");
    EXPECT_EQ(camera.HandleLine("CV0?"), "CV0=0");
    EXPECT_EQ(camera.HandleLine("CV0=5"), SimCamera::kErrReadOnly);
}

} // namespace
