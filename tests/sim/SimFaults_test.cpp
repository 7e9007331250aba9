// Each fault mode over the pseudo-terminal, and the traffic log.
#include "SimTestClient.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

SimOptions withFault(void (*set)(SimFaults&))
{
    SimOptions options;
    set(options.faults);
    return options;
}

TEST(SimFaults, SilentAfterAnswersOnlyTheFirstLines)
{
    SimHarness sim(withFault([](SimFaults& f) { f.silentAfter = 2; }));
    SimTestClient client(sim.Path());
    EXPECT_EQ(client.Ask("GA?"), "GA=100");
    EXPECT_EQ(client.Ask("PE=5"), "COMPLETE");
    ASSERT_TRUE(client.Write("GA?\r\nPE=6\r\n"));
    EXPECT_EQ(client.ReadBytes(1, 300), "");
    EXPECT_FALSE(client.HungUp());
}

TEST(SimFaults, GarbageRepliesAreNeitherAcknowledgementsNorValues)
{
    SimHarness sim(withFault([](SimFaults& f) { f.garbage = true; }));
    SimTestClient client(sim.Path());
    for (const char* line : {"GA?", "PE=5", "MD?"}) {
        std::string reply = client.Ask(line);
        ASSERT_NE(reply, "<no reply>") << line;
        EXPECT_EQ(reply.find_first_of("=?\r\n"), std::string::npos) << line;
        EXPECT_NE(reply.substr(0, 8), "COMPLETE");
        EXPECT_FALSE(reply.empty());
    }
}

TEST(SimFaults, OverflowSends2000BytesWithoutLineEnd)
{
    SimHarness sim(withFault([](SimFaults& f) { f.overflow = true; }));
    SimTestClient client(sim.Path());
    ASSERT_TRUE(client.Write("GA?\r\n"));
    std::string got = client.ReadBytes(2001, 1000);
    EXPECT_EQ(got.size(), 2000u);
    EXPECT_EQ(got.find('\n'), std::string::npos);
}

TEST(SimFaults, ErrorRepliesRefuseSettingsButAnswerQueries)
{
    SimHarness sim(withFault([](SimFaults& f) { f.errorReplies = true; }));
    SimTestClient client(sim.Path());
    std::string refused = client.Ask("PE=500");
    EXPECT_EQ(refused.rfind("ERROR", 0), 0u) << refused;
    EXPECT_EQ(refused.find_first_of("=?"), std::string::npos);
    EXPECT_EQ(client.Ask("PE?"), "PE=1"); // not applied
    EXPECT_EQ(client.Ask("GA?"), "GA=100");
}

TEST(SimFaults, HangupAfterClosesTheLine)
{
    SimHarness sim(withFault([](SimFaults& f) { f.hangupAfter = 2; }));
    SimTestClient client(sim.Path());
    ASSERT_TRUE(client.Write("GA?\r\nMD?\r\nPE?\r\n"));
    EXPECT_EQ(client.ReadLines(3, 3000), "GA=100\r\nMD=KT-5100W-QBCL\r\n");
    EXPECT_TRUE(client.HungUp());
    EXPECT_TRUE(sim.Stop()); // the server ended cleanly by itself
}

TEST(SimLog, EveryLineLoggedAsJsonWithMonotonicTime)
{
    char name[] = "/tmp/camsim-log-XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    {
        SimOptions options;
        options.log = name;
        SimHarness sim(options);
        SimTestClient client(sim.Path());
        EXPECT_EQ(client.Ask("UD=a\"b\\c"), "COMPLETE");
        EXPECT_EQ(client.Ask(std::string("X\x01\xE9?")), SimCamera::kErrSyntax);
    }
    std::ifstream in(name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::remove(name);
    ASSERT_EQ(lines.size(), 4u);
    const char* expected[] = {
        R"("dir": "rx", "line": "UD=a\"b\\c"})",
        R"("dir": "tx", "line": "COMPLETE"})",
        R"("dir": "rx", "line": "X\u0001\u00e9?"})",
        R"("dir": "tx", "line": "ERROR: SYNTAX"})",
    };
    double previous = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        ASSERT_EQ(lines[i].rfind("{\"t\": ", 0), 0u);
        double t = std::stod(lines[i].substr(6));
        EXPECT_GE(t, previous);
        previous = t;
        EXPECT_NE(lines[i].find(expected[i]), std::string::npos);
    }
}

TEST(SimSessionLines, SilencedLinesHaveNoEffectAndHangupAfterZeroClosesAtOnce)
{
    SimSession silent(withFault([](SimFaults& f) { f.silentAfter = 1; }));
    EXPECT_EQ(silent.OnBytes("PE=5\r\nPE=6\r\n"), "COMPLETE\r\n");
    EXPECT_EQ(silent.Camera().Value("PE"), "5");
    SimSession closed(withFault([](SimFaults& f) { f.hangupAfter = 0; }));
    EXPECT_TRUE(closed.HungUp());
    EXPECT_EQ(closed.OnBytes("GA?\r\n"), "");
}

TEST(SimSessionLines, OverlongLineIsRefusedAndTheNextLineIsServed)
{
    SimSession session{SimOptions()};
    std::string out = session.OnBytes(std::string(5000, 'A'));
    EXPECT_EQ(out, "");
    out = session.OnBytes("\r\nGA?\r\n");
    EXPECT_EQ(out, std::string(SimCamera::kErrTooLong) + "\r\nGA=100\r\n");
}

} // namespace
