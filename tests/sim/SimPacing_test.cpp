// Answers paced to the line speed: never complete before the request and the reply could have
// crossed the line, bytes spaced like on the line, and not much later than that either. This
// checks the pacing, generously; speed targets are the benchmarks' business.
#include "CamSimProcess.h"
#include "SimTestClient.h"
#include "SimWire.h"

#include <gtest/gtest.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

TEST(SimWire, LineTimeAndSchedule)
{
    EXPECT_EQ(WireTimeNs(0, 9600), 0u);
    EXPECT_EQ(WireTimeNs(96, 9600), 100000000u); // 96 bytes, 960 bits: 100 ms
    EXPECT_EQ(WireTimeNs(10, 0), 0u);
    WirePacer pacer(10000, 5000000); // 1 ms per byte, 5 ms latency
    pacer.Push(0, 3, "ab");         // request on the line until 3 ms
    pacer.Push(0, 2, "c");          // follows it: until 5 ms
    std::string out;
    const std::pair<uint64_t, std::optional<uint64_t>> takes[] = {
        {8999999, 9000000}, {9000000, 10000000}, {10500000, 11000000} /* "c" waits for "b" */, {11000000, std::nullopt}};
    const char* sent[] = {"", "a", "ab", "abc"};
    for (size_t i = 0; i < std::size(takes); ++i) {
        EXPECT_EQ(pacer.Take(takes[i].first, out), takes[i].second) << takes[i].first;
        EXPECT_EQ(out, sent[i]);
    }
}

TEST(SimPacing, AnswersTakeTheLineTimeAt9600)
{
    // Lower bounds hold for every exchange; a busy machine only makes answers later, so the
    // upper bound and the spread of the reply's bytes are checked on the best exchange.
    CamSimProcess sim;
    ASSERT_TRUE(sim.Start({"--baud", "9600"})) << sim.Error();
    SimTestClient client(sim.DevicePath());
    const std::string request = "MD?\r\n";
    const std::string reply = SimCamera().HandleLine("MD?") + "\r\n";
    auto wireMs = [](size_t bytes) { return bytes * 10 * 1000.0 / 9600; };
    const double lineMs = wireMs(request.size() + reply.size());
    double bestRatio = 1e9, widestSpreadMs = 0;
    for (int i = 0; i < 15; ++i) {
        const auto start = Clock::now();
        ASSERT_TRUE(client.Write(request));
        const std::string first = client.ReadBytes(1);
        const double firstMs = msSince(start);
        const std::string rest = client.ReadLines(1);
        const double endMs = msSince(start);
        ASSERT_EQ(first + rest, reply);
        EXPECT_GE(firstMs, wireMs(request.size() + 1)) << "first byte before it could cross the line";
        EXPECT_GE(endMs, lineMs) << "answer complete before the line could carry it";
        bestRatio = std::min(bestRatio, endMs / lineMs);
        widestSpreadMs = std::max(widestSpreadMs, endMs - firstMs);
    }
    EXPECT_LE(bestRatio, 1.10) << "even the quickest exchange took too long";
    EXPECT_GE(widestSpreadMs, 0.8 * wireMs(reply.size() - 1)) << "reply bytes not spaced as on the line";
}

TEST(SimPacing, LatencyAndFlashTimeAreAdded)
{
    CamSimProcess sim;
    ASSERT_TRUE(sim.Start({"--latency-ms", "40", "--flash-ms", "100"})) << sim.Error();
    SimTestClient client(sim.DevicePath());
    for (auto [line, atLeastMs] : {std::pair<const char*, double>{"GA?", 40}, {"SA=1", 140}, {"LD=1", 140}}) {
        const auto start = Clock::now();
        EXPECT_EQ(client.Ask(line), SimCamera().HandleLine(line));
        EXPECT_GE(msSince(start), atLeastMs) << line;
    }
}

} // namespace
