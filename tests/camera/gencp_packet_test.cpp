// GenCP packets byte for byte, the judging of acknowledges, and register bytes to row values.
#include "GenCpPacket.h"
#include "RegisterValue.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

// An acknowledge header: preamble, zero checksums and channel, then status, command, length, id.
std::string ack(uint16_t status, uint16_t command, uint16_t length, uint16_t id)
{
    return bytes({0x01, 0x00, 0, 0, 0, 0, 0, 0, status >> 8, status & 0xFF, command >> 8, command & 0xFF,
                  length >> 8, length & 0xFF, id >> 8, id & 0xFF});
}

FeatureRecord record(uint32_t flags, uint32_t length)
{
    FeatureRecord r;
    r.flags = flags | FeatureRecord::Readable | FeatureRecord::Writable;
    r.length = length;
    return r;
}

std::string encode(const FeatureRecord& r, const RowValue& value)
{
    std::string out, why;
    EXPECT_TRUE(EncodeRegister(r, value, out, why)) << why;
    return out;
}

} // namespace

TEST(GenCpPacket, ReadRequestIsTwentyEightBytesBigEndian)
{
    EXPECT_EQ(GenCp::ReadRequest(7, 0x00012340, 4),
              bytes({0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0x08, 0x00, 0x00, 0x0C, 0x00, 0x07,  // prefix, CCD
                     0, 0, 0, 0, 0x00, 0x01, 0x23, 0x40, 0, 0, 0x00, 0x04}));                // address, count
}

TEST(GenCpPacket, WritesCarryTheRegistersTrueLength)
{
    const std::string header = bytes({0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0x08, 0x02});
    const std::string address = bytes({0, 0, 0, 0, 0x00, 0x01, 0x03, 0x08});

    RowValue gamma;
    gamma.real = 0.45;
    float f = 0.45f;
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    const FeatureRecord real = record(FeatureRecord::Float, 4);
    EXPECT_EQ(GenCp::WriteRequest(3, 0x00010308, encode(real, gamma)),
              header + bytes({0x00, 0x0C, 0x00, 0x03}) + address
                  + bytes({int(bits >> 24), int((bits >> 16) & 0xFF), int((bits >> 8) & 0xFF), int(bits & 0xFF)}));

    RowValue name;
    name.text = "CAM";
    EXPECT_EQ(GenCp::WriteRequest(4, 0x00010308, encode(record(FeatureRecord::Text, 6), name)),
              header + bytes({0x00, 0x0E, 0x00, 0x04}) + address + std::string("CAM\0\0\0", 6));

    FeatureRecord push = record(FeatureRecord::Command, 4);
    push.commandValue = 258;
    EXPECT_EQ(GenCp::WriteRequest(5, 0x00010308, encode(push, RowValue{})),
              header + bytes({0x00, 0x0C, 0x00, 0x05}) + address + bytes({0, 0, 0x01, 0x02}));

    // A one-byte register is written as one byte, not rounded to a word (nor to nothing).
    RowValue on;
    on.integer = 1;
    EXPECT_EQ(GenCp::WriteRequest(6, 0x00010308, encode(record(0, 1), on)).size(), 25u);
}

TEST(GenCpPacket, AcknowledgesAreJudgedAgainstTheirRequest)
{
    const GenCp::Expectation read{GenCp::kReadMemory, 7, 4};
    const GenCp::Expectation write{GenCp::kWriteMemory, 3, 4};
    const std::string data = bytes({0, 0, 0, 100});
    using GenCp::Verdict;
    const struct {
        const char* what;
        std::string answer;
        GenCp::Expectation expected;
        Verdict verdict;
    } cases[] = {
        {"read answered", ack(0, 0x0801, 4, 7) + data, read, Verdict::Accepted},
        {"write answered", ack(0, 0x0803, 4, 3) + bytes({0, 0, 0, 4}), write, Verdict::Accepted},
        {"write taken in part", ack(0, 0x0803, 4, 3) + bytes({0, 0, 0, 2}), write, Verdict::Malformed},
        {"header cut short", ack(0, 0x0801, 4, 7).substr(0, 11), read, Verdict::Malformed},
        {"data cut short", ack(0, 0x0801, 4, 7) + data.substr(0, 2), read, Verdict::Malformed},
        {"more data than asked", ack(0, 0x0801, 200, 7) + std::string(200, 'x'), read, Verdict::Malformed},
        {"no preamble", "ERROR: UNKNOWN COMMAND\r\n", read, Verdict::Malformed},
        {"refused", ack(GenCp::kInvalidAddress, 0x0801, 0, 7), read, Verdict::Refused},
        {"an earlier request's answer", ack(0, 0x0801, 4, 6) + data, read, Verdict::OtherRequest},
        {"write answer to a read", ack(0, 0x0803, 4, 7) + data, read, Verdict::Malformed},
        {"pending", ack(0, 0x0805, 4, 7) + bytes({0, 0, 0x01, 0xF4}), read, Verdict::Pending},
    };
    for (const auto& c : cases) {
        const GenCp::Acknowledge a = GenCp::CheckAcknowledge(c.answer, c.expected);
        EXPECT_EQ(a.verdict, c.verdict) << c.what << ": " << a.problem;
        const bool readData = a.verdict == Verdict::Accepted && c.expected.command == GenCp::kReadMemory;
        EXPECT_EQ(a.data, readData ? data : std::string()) << c.what;
    }
    EXPECT_EQ(GenCp::CheckAcknowledge(cases[10].answer, read).pendingMs, 500);
    EXPECT_EQ(GenCp::CheckAcknowledge(cases[7].answer, read).status, GenCp::kInvalidAddress);

    // A header announcing more than was asked is not followed into its data.
    GenCp::AckHeader header;
    ASSERT_TRUE(GenCp::ParseAckHeader(ack(0, 0x0801, 60000, 7), header));
    EXPECT_EQ(GenCp::BodyToRead(header, read), 0u);
}

TEST(RegisterValue, BytesBecomeRowValuesAndBack)
{
    FeatureRecord black = record(0, 2);
    black.isSigned = true;
    RowValue value;
    ASSERT_TRUE(DecodeRegister(black, bytes({0xFF, 0x7B}), value));
    EXPECT_EQ(value.integer, -133);
    EXPECT_EQ(encode(black, value), bytes({0xFF, 0x7B}));

    FeatureRecord little = record(0, 4);
    little.littleEndian = true;
    ASSERT_TRUE(DecodeRegister(little, bytes({0x10, 0x27, 0, 0}), value));
    EXPECT_EQ(value.integer, 10000);

    FeatureRecord mode = record(0, 1);
    mode.valueMap = {{0, "Off"}, {5, "On"}};
    ASSERT_TRUE(DecodeRegister(mode, bytes({5}), value));
    EXPECT_EQ(value.integer, 1);
    EXPECT_EQ(encode(mode, value), bytes({5}));
    ASSERT_TRUE(DecodeRegister(mode, bytes({3}), value));
    EXPECT_EQ(value.integer, -1); // no choice names it

    ASSERT_TRUE(DecodeRegister(record(FeatureRecord::Text, 8), std::string("ABC\0XYZW", 8), value));
    EXPECT_EQ(value.text, "ABC");
    EXPECT_FALSE(DecodeRegister(record(0, 4), bytes({1, 2}), value));
}

TEST(RegisterValue, ValuesTheRegisterCannotHoldAreRefused)
{
    std::string out, why;
    RowValue value;
    value.integer = 256;
    EXPECT_FALSE(EncodeRegister(record(0, 1), value, out, why));
    value.integer = -1;
    EXPECT_FALSE(EncodeRegister(record(0, 4), value, out, why));
    value.text = "longer than six";
    EXPECT_FALSE(EncodeRegister(record(FeatureRecord::Text, 6), value, out, why));
    FeatureRecord mode = record(0, 1);
    mode.valueMap = {{0, "Off"}};
    value.integer = 1;
    EXPECT_FALSE(EncodeRegister(mode, value, out, why));
    EXPECT_FALSE(why.empty());
}
