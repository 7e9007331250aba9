// Answers paced to the line speed: never complete before the request and the reply could have
// crossed the line, bytes spaced like on the line, and not much later than that either. This
// checks the pacing, generously; speed targets are the benchmarks' business.
#include "SimTestClient.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

TEST(SimWire, LineTimeAndSchedule)
{
    EXPECT_EQ(WireTimeNs(0, 9600), 0u);
    EXPECT_EQ(WireTimeNs(96, 9600), 100000000u); // 96 bytes, 960 bits: 100 ms
    EXPECT_EQ(WireTimeNs(10, 0), 0u);
    WirePacer pacer(10000, 5000000); // 1 ms per byte, 5 ms latency
    pacer.Push(0, 3, "ab");         // request on the line until 3 ms
    pacer.Push(0, 2, "c");          // follows it: until 5 ms
    std::string out;
    EXPECT_EQ(pacer.Take(8999999, out), std::optional<uint64_t>(9000000));
    EXPECT_EQ(out, "");
    EXPECT_EQ(pacer.Take(9000000, out), std::optional<uint64_t>(10000000));
    EXPECT_EQ(out, "a");
    EXPECT_EQ(pacer.Take(10500000, out), std::optional<uint64_t>(11000000)); // "c" waits for "b"
    EXPECT_EQ(out, "ab");
    EXPECT_EQ(pacer.Take(11000000, out), std::nullopt);
    EXPECT_EQ(out, "abc");
}

TEST(SimPacing, AnswersTakeTheLineTimeAt9600)
{
    // Lower bounds hold for every exchange; a busy machine only makes answers later, so the
    // upper bound and the spread of the reply's bytes are checked on the best exchange.
    SimOptions options;
    options.baud = 9600;
    SimHarness sim(options);
    SimTestClient client(sim.Path());
    const std::string request = "MD?\r\n";
    const std::string reply = "MD=KT-5100W-QBCL\r\n";
    auto wireMs = [](size_t bytes) { return bytes * 10 * 1000.0 / 9600; };
    const double lineMs = wireMs(request.size() + reply.size());
    double bestRatio = 1e9;
    double widestSpreadMs = 0;
    for (int i = 0; i < 15; ++i) {
        auto start = Clock::now();
        ASSERT_TRUE(client.Write(request));
        std::string first = client.ReadBytes(1);
        auto firstAt = Clock::now();
        std::string rest = client.ReadLines(1);
        auto end = Clock::now();
        ASSERT_EQ(first + rest, reply);
        EXPECT_GE(ms(firstAt - start), wireMs(request.size() + 1)) << "first byte before it could cross the line";
        EXPECT_GE(ms(end - start), lineMs) << "answer complete before the line could carry it";
        bestRatio = std::min(bestRatio, ms(end - start) / lineMs);
        widestSpreadMs = std::max(widestSpreadMs, ms(end - firstAt));
    }
    EXPECT_LE(bestRatio, 1.10) << "even the quickest exchange took too long";
    EXPECT_GE(widestSpreadMs, 0.8 * wireMs(reply.size() - 1)) << "reply bytes not spaced as on the line";
}

TEST(SimPacing, LatencyAndFlashTimeAreAdded)
{
    SimOptions options;
    options.latencyMs = 40;
    options.flashMs = 100;
    SimHarness sim(options);
    SimTestClient client(sim.Path());
    struct Case {
        const char* line;
        const char* reply;
        double atLeastMs;
    } cases[] = {{"GA?", "GA=100", 40}, {"SA=1", "COMPLETE", 140}, {"LD=1", "COMPLETE", 140}};
    for (const Case& c : cases) {
        auto start = Clock::now();
        EXPECT_EQ(client.Ask(c.line), c.reply);
        EXPECT_GE(ms(Clock::now() - start), c.atLeastMs) << c.line;
    }
}

} // namespace
