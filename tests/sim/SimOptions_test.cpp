#include "SimOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(SimOptions, ReadsEveryOption)
{
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseSimArgs({"--model", "KT-5200W-QBCL", "--set", "pe=500", "--set=UD=A=B", "--device", "/dev/ttyS1",
                              "--link=/tmp/cam", "--log", "/tmp/log", "--baud", "9600", "--latency-ms=7", "--flash-ms", "900",
                              "--busy-polls", "0", "--result", "awb=3", "--result=rs=9", "--fault", "silent-after=4",
                              "--fault", "garbage", "--fault=overflow", "--fault", "error-replies",
                              "--fault", "hangup-after=0", "--seed", "77"},
                             o, error))
        << error;
    EXPECT_EQ(o.model, "KT-5200W-QBCL");
    ASSERT_EQ(o.sets.size(), 2u);
    EXPECT_EQ(o.sets[0], (std::pair<std::string, std::string>{"PE", "500"}));
    EXPECT_EQ(o.sets[1], (std::pair<std::string, std::string>{"UD", "A=B"}));
    EXPECT_EQ(o.device, "/dev/ttyS1");
    EXPECT_EQ(o.link, "/tmp/cam");
    EXPECT_EQ(o.log, "/tmp/log");
    EXPECT_EQ(o.baud, 9600u);
    EXPECT_EQ(o.latencyMs, 7u);
    EXPECT_EQ(o.flashMs, 900u);
    EXPECT_EQ(o.busyPolls, 0);
    EXPECT_EQ(o.results.awb, 3);
    EXPECT_EQ(o.results.rs, 9);
    EXPECT_EQ(o.results.agc, 8);
    EXPECT_EQ(o.faults.silentAfter, 4);
    EXPECT_TRUE(o.faults.garbage && o.faults.overflow && o.faults.errorReplies);
    EXPECT_EQ(o.faults.hangupAfter, 0);
    EXPECT_EQ(o.seed, 77u);
}

TEST(SimOptions, RefusesMistakes)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--baud", "0"},           {"--baud", "96OO"},        {"--baud"},
        {"--latency-ms", "-1"},    {"--flash-ms", "x"},    {"--set", "PE"},           {"--set", "=5"},
        {"--fault", "noise"},      {"--fault", "silent-after=x"}, {"--fault", "hangup-after=-1"},
        {"--result", "xyz=1"},     {"--result", "awb=256"},   {"--model", ""},
        {"--colour", "red"},       {"extra"},
    };
    for (const auto& args : bad) {
        SimOptions o;
        std::string error;
        EXPECT_FALSE(ParseSimArgs(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

} // namespace
