// The simulated camera's GenCP side, packet by packet on one session, with packets built here by
// hand, independent of the tool. That the tool and the camera understand each other (reads,
// typed writes, the description found through the bootstrap registers) is the parameter list's
// end-to-end test; here: what only hand-made packets reach.
#include "SimSession.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string be(uint64_t value, size_t length)
{
    std::string out(length, '\0');
    for (size_t i = length; i-- > 0; value >>= 8)
        out[i] = static_cast<char>(value & 0xFF);
    return out;
}

uint64_t number(std::string_view bytes)
{
    uint64_t value = 0;
    for (unsigned char c : bytes)
        value = (value << 8) | c;
    return value;
}

// Preamble; checksums, channel and flags all 0; command, length, request id.
std::string packet(uint16_t command, const std::string& body)
{
    return be(0x0100, 2) + be(0, 8) + be(command, 2) + be(body.size(), 2) + be(1, 2) + body;
}
std::string readPacket(uint64_t address, uint16_t count) { return packet(0x0800, be(address, 8) + be(0, 2) + be(count, 2)); }
std::string writePacket(uint64_t address, const std::string& data) { return packet(0x0802, be(address, 8) + data); }

// The status of a well-formed acknowledge, its data behind it; 0xFFFF when malformed.
uint16_t status(const std::string& answer, std::string* data = nullptr)
{
    if (answer.size() < 16 || number(answer.substr(0, 2)) != 0x0100 || answer.size() != 16 + number(answer.substr(12, 2)))
        return 0xFFFF;
    if (data)
        *data = answer.substr(16);
    return uint16_t(number(answer.substr(8, 2)));
}

SimOptions options(const std::vector<std::string>& args = {})
{
    SimOptions o;
    std::string error;
    EXPECT_TRUE(ParseSimArgs(args, o, error)) << error;
    return o;
}

} // namespace

TEST(SimGenCp, PacketsHoldingLineFeedsAndMixedWithLinesAreTakenWhole)
{
    SimSession session(options({"--model", "KT-5200W-QBCL", "--set", "UD=LINE-4"}));
    ASSERT_TRUE(session.Ok()) << session.Error();
    float gamma = 0.45f;
    uint32_t bits;
    std::memcpy(&bits, &gamma, sizeof bits);
    const struct {
        uint64_t address;
        std::string data;
        const char* query;
        const char* reply;
    } writes[] = {
        {0x00010300, be(10, 4), "GA?", "GA=10"}, // its last byte is a LF
        {0x00010308, be(bits, 4), "GMA?", "GMA=45"},
        {0x0001020C, be(1, 1), "TM?", "TM=1"},
    };
    for (const auto& w : writes) {
        std::string taken, read;
        EXPECT_EQ(status(session.OnBytes(writePacket(w.address, w.data)), &taken), 0) << w.query;
        EXPECT_EQ(number(taken), w.data.size()) << w.query;
        EXPECT_EQ(session.OnBytes(std::string(w.query) + "\r\n"), std::string(w.reply) + "\r\n");
        EXPECT_EQ(status(session.OnBytes(readPacket(w.address, uint16_t(w.data.size()))), &read), 0);
        EXPECT_EQ(read, w.data) << w.query;
    }
    EXPECT_EQ(session.OnBytes(readPacket(0x00010300, 4) + "GA?\r\n").substr(20), "GA=10\r\n");
    // The bootstrap's texts: model, serial number, user id.
    const std::pair<uint64_t, const char*> texts[] = {{0x0044, "KT-5200W-QBCL"}, {0x0144, "SIM0000001"}, {0x0184, "LINE-4"}};
    for (auto [address, text] : texts) {
        std::string bytes;
        ASSERT_EQ(status(session.OnBytes(readPacket(address, 64)), &bytes), 0);
        EXPECT_EQ(bytes.substr(0, bytes.find('\0')), text);
    }
    EXPECT_FALSE(SimSession(options({"--genicam", "/nonexistent/description.xml"})).Ok());
}

TEST(SimGenCp, WhatTheCameraWouldRefuseIsRefusedWithAStatus)
{
    const struct {
        const char* what;
        std::vector<std::string> args;
        std::string request;
        uint16_t status;
    } cases[] = {
        {"width out of range", {}, writePacket(0x00010100, be(1, 4)), 0x8002},
        {"read-only register", {}, writePacket(0x00010000, std::string(32, 'X')), 0x8004},
        {"wrong length", {}, writePacket(0x00010300, be(1, 2)), 0x8002},
        {"nothing there", {}, readPacket(0x00054321, 4), 0x8003},
        {"no description", {"--genicam", "none"}, readPacket(0x00100000, 4), 0x8003},
        {"settings refused", {"--fault", "error-replies"}, writePacket(0x00010300, be(200, 4)), 0x8006},
        {"unknown command", {}, packet(0x4000, ""), 0x8001},
    };
    const std::string queries = "GA?\r\nWTC?\r\nMD?\r\n";
    for (const auto& c : cases) {
        SimSession session(options(c.args));
        const std::string before = session.OnBytes(queries);
        EXPECT_EQ(status(session.OnBytes(c.request)), c.status) << c.what;
        EXPECT_EQ(session.OnBytes(queries), before) << c.what << ": nothing changed";
    }
}

TEST(SimGenCp, FaultsSpoilPacketAnswersAsTheySpoilLines)
{
    const std::string request = readPacket(0x00010300, 4);
    SimSession silent(options({"--fault", "silent-after=1"}));
    EXPECT_EQ(status(silent.OnBytes(request)), 0);
    EXPECT_EQ(silent.OnBytes(request + writePacket(0x00010300, be(300, 4)) + "GA=1\r\n"), "");
    SimSession garbage(options({"--fault", "garbage"}));
    const std::string answer = garbage.OnBytes(request);
    EXPECT_EQ(answer.size(), 20u);
    EXPECT_NE(answer.substr(0, 2), be(0x0100, 2));
    SimSession hangup(options({"--fault", "hangup-after=1"}));
    EXPECT_EQ(status(hangup.OnBytes(request)), 0);
    EXPECT_TRUE(hangup.HungUp());
    SimSession overflow(options({"--fault", "overflow"}));
    EXPECT_EQ(overflow.OnBytes(request), std::string(SimSession::kOverflowBytes, 'X'));
}
