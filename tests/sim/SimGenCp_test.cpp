// The simulated camera's GenCP side, packet by packet on one session: registers that are the
// camera's commands, refusals, the bootstrap registers with the manifest and description, and
// the faults applied to packets. Packets are built here by hand, independent of the tool.
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

std::string packet(uint16_t command, uint16_t id, const std::string& body)
{
    // Preamble; checksums, channel and flags all 0; command, length, request id.
    return be(0x0100, 2) + be(0, 8) + be(command, 2) + be(body.size(), 2) + be(id, 2) + body;
}

std::string readPacket(uint64_t address, uint16_t count, uint16_t id = 1)
{
    return packet(0x0800, id, be(address, 8) + be(0, 2) + be(count, 2));
}

std::string writePacket(uint64_t address, const std::string& data, uint16_t id = 1)
{
    return packet(0x0802, id, be(address, 8) + data);
}

struct Ack {
    uint16_t status = 0xFFFF;
    uint16_t command = 0;
    uint16_t id = 0;
    std::string data;
};

Ack parse(const std::string& answer)
{
    Ack a;
    if (answer.size() < 16 || number(answer.substr(0, 2)) != 0x0100 || answer.size() != 16 + number(answer.substr(12, 2)))
        return a;
    a.status = uint16_t(number(answer.substr(8, 2)));
    a.command = uint16_t(number(answer.substr(10, 2)));
    a.id = uint16_t(number(answer.substr(14, 2)));
    a.data = answer.substr(16);
    return a;
}

std::string floatBytes(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return be(bits, 4);
}

SimOptions options(const std::vector<std::string>& args = {})
{
    SimOptions o;
    std::string error;
    EXPECT_TRUE(ParseSimArgs(args, o, error)) << error;
    return o;
}

} // namespace

TEST(SimGenCp, RegistersAreTheCamerasCommandsBothWays)
{
    SimSession session(options());
    ASSERT_TRUE(session.Ok()) << session.Error();
    ASSERT_EQ(session.OnBytes("GA=250\r\n"), "COMPLETE\r\n");
    Ack read = parse(session.OnBytes(readPacket(0x00010300, 4, 9)));
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.command, 0x0801);
    EXPECT_EQ(read.id, 9);
    EXPECT_EQ(number(read.data), 250u);

    const struct {
        uint64_t address;
        std::string data;
        const char* query;
        const char* reply;
    } writes[] = {
        {0x00010300, be(10, 4), "GA?", "GA=10"}, // its last byte is a LF: the packet is still whole
        {0x00010304, be(0xFFFB, 2), "BL?", "BL=-5"},
        {0x00010308, floatBytes(0.45f), "GMA?", "GMA=45"},
        {0x00010020, std::string("NEW\0\0\0\0\0\0\0\0\0\0\0\0\0", 16), "UD?", "UD=NEW"},
        {0x0001020C, be(1, 1), "TM?", "TM=1"},
    };
    for (const auto& w : writes) {
        const Ack written = parse(session.OnBytes(writePacket(w.address, w.data)));
        EXPECT_EQ(written.status, 0) << w.query;
        EXPECT_EQ(written.command, 0x0803);
        EXPECT_EQ(number(written.data), w.data.size()) << "bytes taken";
        EXPECT_EQ(session.OnBytes(std::string(w.query) + "\r\n"), std::string(w.reply) + "\r\n");
        EXPECT_EQ(parse(session.OnBytes(readPacket(w.address, uint16_t(w.data.size())))).data, w.data) << w.query;
    }
    // Lines and packets may follow each other in one burst.
    EXPECT_EQ(session.OnBytes(readPacket(0x00010300, 4) + "GA?\r\n").substr(20), "GA=10\r\n");
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
        {"unknown command", {}, packet(0x4000, 1, ""), 0x8001},
    };
    const std::string queries = "GA?\r\nWTC?\r\nMD?\r\n";
    for (const auto& c : cases) {
        SimSession session(options(c.args));
        const std::string before = session.OnBytes(queries);
        EXPECT_EQ(parse(session.OnBytes(c.request)).status, c.status) << c.what;
        EXPECT_EQ(session.OnBytes(queries), before) << c.what << ": nothing changed";
    }
}

TEST(SimGenCp, BootstrapRegistersLeadToTheModelsDescription)
{
    SimSession session(options({"--model", "KT-5200W-QBCL", "--set", "UD=LINE-4"}));
    const auto text = [&](uint64_t address) {
        const std::string bytes = parse(session.OnBytes(readPacket(address, 64))).data;
        return bytes.substr(0, bytes.find('\0'));
    };
    EXPECT_EQ(text(0x0044), "KT-5200W-QBCL");
    EXPECT_EQ(text(0x0144), "SIM0000001");
    EXPECT_EQ(text(0x0184), "LINE-4");
    const uint64_t manifest = number(parse(session.OnBytes(readPacket(0x01D0, 8))).data);
    ASSERT_EQ(number(parse(session.OnBytes(readPacket(manifest, 8))).data), 1u);
    const std::string entry = parse(session.OnBytes(readPacket(manifest + 8, 64))).data;
    const uint64_t address = number(entry.substr(8, 8)), size = number(entry.substr(16, 8));
    EXPECT_EQ((number(entry.substr(4, 4)) >> 10) & 0x3F, 0u); // uncompressed
    std::string description;
    for (uint64_t at = 0; at < size; at += 256)
        description += parse(session.OnBytes(readPacket(address + at, uint16_t(std::min<uint64_t>(256, size - at))))).data;
    EXPECT_EQ(description, SimBuiltInDescription("KT-5200W-QBCL"));
    EXPECT_NE(description.find("ModelName=\"KT-5200W-QBCL\""), std::string::npos);

    SimSession without(options({"--genicam", "none"}));
    EXPECT_EQ(number(parse(without.OnBytes(readPacket(0x01D0, 8))).data), 0u);
    EXPECT_FALSE(SimSession(options({"--genicam", "/nonexistent/description.xml"})).Ok());
}

TEST(SimGenCp, FaultsSpoilPacketAnswersAsTheySpoilLines)
{
    const std::string request = readPacket(0x00010300, 4);
    {
        SimSession session(options({"--fault", "silent-after=1"}));
        EXPECT_EQ(parse(session.OnBytes(request)).status, 0);
        EXPECT_EQ(session.OnBytes(request + writePacket(0x00010300, be(300, 4))), "");
        EXPECT_EQ(session.OnBytes("GA=1\r\n"), "");
    }
    {
        SimSession session(options({"--fault", "garbage"}));
        const std::string answer = session.OnBytes(request);
        EXPECT_EQ(answer.size(), 20u);
        EXPECT_NE(answer.substr(0, 2), be(0x0100, 2));
    }
    {
        SimSession session(options({"--fault", "hangup-after=1"}));
        EXPECT_EQ(parse(session.OnBytes(request)).status, 0);
        EXPECT_TRUE(session.HungUp());
    }
    {
        SimSession session(options({"--fault", "overflow"}));
        EXPECT_EQ(session.OnBytes(request), std::string(SimSession::kOverflowBytes, 'X'));
    }
}
