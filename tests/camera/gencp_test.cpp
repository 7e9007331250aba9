// GenCP byte for byte: requests, the judging of acknowledges, register bytes to row values; then
// over a real pseudo-terminal the exchanges (answers right, late, short, too long, for an earlier
// request, pending or refused; every wait within its bound) and "Read All Data" with a camera
// that answers some reads, refuses some and falls silent.
#include "Camera.h"
#include "../link/LinkTestSupport.h"
#include "GenCpChannel.h"
#include "GenCpPacket.h"
#include "ParameterList.h"
#include "Progress.h"
#include "RegisterValue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

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

// A push row's command value: parameter_list_e2e_test.
TEST(GenCpPacket, WritesCarryTheRegistersTrueLength)
{
    const std::string header = bytes({0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0x08, 0x02});
    const std::string address = bytes({0, 0, 0, 0, 0x00, 0x01, 0x03, 0x08});

    RowValue gamma;
    gamma.real = 0.45; // 0x3EE66666 as a float
    EXPECT_EQ(GenCp::WriteRequest(3, 0x00010308, encode(record(FeatureRecord::Float, 4), gamma)),
              header + bytes({0x00, 0x0C, 0x00, 0x03}) + address + bytes({0x3E, 0xE6, 0x66, 0x66}));

    RowValue name;
    name.text = "CAM";
    EXPECT_EQ(GenCp::WriteRequest(4, 0x00010308, encode(record(FeatureRecord::Text, 6), name)),
              header + bytes({0x00, 0x0E, 0x00, 0x04}) + address + std::string("CAM\0\0\0", 6));

    // A one-byte register is written as one byte, not rounded to a word (nor to nothing).
    RowValue on;
    on.integer = 1;
    EXPECT_EQ(GenCp::WriteRequest(6, 0x00010308, encode(record(0, 1), on)).size(), 25u);
}

// What the channel's exchanges do not show: a read answered, cut short, too long, refused, for
// an earlier request, or pending, is judged in GenCpChannelTest.
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
        {"write answered", ack(0, 0x0803, 4, 3) + bytes({0, 0, 0, 4}), write, Verdict::Accepted},
        {"write taken in part", ack(0, 0x0803, 4, 3) + bytes({0, 0, 0, 2}), write, Verdict::Malformed},
        {"data cut short", ack(0, 0x0801, 4, 7) + data.substr(0, 2), read, Verdict::Malformed},
        {"no preamble", "ERROR: UNKNOWN COMMAND\r\n", read, Verdict::Malformed},
        {"write answer to a read", ack(0, 0x0803, 4, 7) + data, read, Verdict::Malformed},
    };
    for (const auto& c : cases) {
        const GenCp::Acknowledge a = GenCp::CheckAcknowledge(c.answer, c.expected);
        EXPECT_EQ(a.verdict, c.verdict) << c.what << ": " << a.problem;
        EXPECT_EQ(a.data, std::string()) << c.what;
    }
}

TEST(RegisterValue, BytesBecomeRowValuesAndBack)
{
    FeatureRecord black = record(0, 2), little = record(0, 4), mode = record(0, 1);
    const FeatureRecord word = record(0, 4), wide = record(0, 8);
    black.isSigned = true;
    little.littleEndian = true;
    mode.valueMap = {{0, "Off"}, {5, "On"}};
    const struct {
        const FeatureRecord& r;
        std::string bytes;
        int64_t integer; // -1 for a choice that no name stands for: not written back
    } cases[] = {
        {black, bytes({0xFF, 0x7B}), -133}, {little, bytes({0x10, 0x27, 0, 0}), 10000},
        {mode, bytes({5}), 1},              {mode, bytes({3}), -1},
        // Unsigned registers keep their whole range; a 64-bit one carries its bits.
        {word, bytes({0xFF, 0xFF, 0xFF, 0xFE}), 4294967294},
        {wide, bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}), -2},
    };
    for (const auto& c : cases) {
        RowValue value;
        ASSERT_TRUE(DecodeRegister(c.r, c.bytes, value));
        EXPECT_EQ(value.integer, c.integer);
        if (c.integer != -1) {
            EXPECT_EQ(encode(c.r, value), c.bytes);
        }
    }
    RowValue value;
    EXPECT_FALSE(DecodeRegister(record(0, 4), bytes({1, 2}), value));

    // Values the register cannot hold are refused, with the reason.
    const auto refused = [](const FeatureRecord& r, int64_t integer, const std::string& text = "") {
        RowValue v;
        v.integer = integer;
        v.text = text;
        std::string out, why;
        return !EncodeRegister(r, v, out, why) && !why.empty();
    };
    EXPECT_TRUE(refused(record(0, 1), 256));
    EXPECT_TRUE(refused(record(0, 4), -1));
    EXPECT_TRUE(refused(record(FeatureRecord::Text, 6), 0, "longer than six"));
    EXPECT_TRUE(refused(mode, 2));
}

namespace {

using Result = GenCpChannel::Result;
constexpr uint32_t kAnswerMs = 300;
const std::string kData("\x00\x00\x00\x64", 4);

// One step of the camera's side: after the request, wait so long, then send these bytes.
struct Reply {
    int delayMs;
    std::string bytes;
};

class GenCpChannelTest : public ::testing::Test, public LinkFixture {
protected:
    void SetUp() override { ASSERT_EQ(link.Open(0, 115200, 0), 1); }

    // Plays the camera for one read request while the channel waits.
    GenCpChannel::Outcome readWith(const std::vector<Reply>& replies, std::string& data, int& elapsedMs)
    {
        std::string request;
        std::thread camera([&] {
            request = peer.Read(GenCp::kReadRequestSize, 3000);
            for (const Reply& r : replies) {
                std::this_thread::sleep_for(std::chrono::milliseconds(r.delayMs));
                peer.Write(r.bytes);
            }
        });
        const auto start = Clock::now();
        const GenCpChannel::Outcome outcome = channel.Read(0x00012340, 4, data);
        elapsedMs = int(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
        camera.join();
        lastRequest = request;
        return outcome;
    }

    GenCpChannel channel{link, kAnswerMs};
    std::string lastRequest;
};

} // namespace

TEST_F(GenCpChannelTest, AnswersAreTakenWithinTheirBoundAndNeverBeyondWhatWasAsked)
{
    const struct {
        const char* what;
        std::vector<Reply> replies;
        Result result;
        int minMs, maxMs;
    } cases[] = {
        {"answered", {{0, ack(0, 0x0801, 4, 0) + kData}}, Result::Ok, 0, 200},
        {"silent", {}, Result::Unanswered, int(kAnswerMs), int(kAnswerMs) + 250},
        {"header cut short", {{0, ack(0, 0x0801, 4, 2).substr(0, 10)}}, Result::Malformed, int(kAnswerMs), int(kAnswerMs) + 250},
        {"longer than asked", {{0, ack(0, 0x0801, 600, 3) + std::string(600, 'x')}}, Result::Malformed, 0, 200},
        {"refused", {{0, ack(GenCp::kInvalidAddress, 0x0801, 0, 4)}}, Result::Refused, 0, 200},
        {"an earlier answer first", {{0, ack(0, 0x0801, 4, 4) + bytes({0, 0, 0, 1})}, {20, ack(0, 0x0801, 4, 5) + kData}},
         Result::Ok, 0, 250},
        {"pending, then answered after the usual bound",
         {{0, ack(0, 0x0805, 4, 6) + std::string("\0\0\x01\xF4", 4)}, {int(kAnswerMs) + 200, ack(0, 0x0801, 4, 6) + kData}},
         Result::Ok, int(kAnswerMs) + 200, int(kAnswerMs) + 700},
    };
    for (const auto& c : cases) {
        std::string data;
        int elapsedMs = 0;
        const GenCpChannel::Outcome outcome = readWith(c.replies, data, elapsedMs);
        EXPECT_EQ(outcome.result, c.result) << c.what << ": " << outcome.problem;
        EXPECT_GE(elapsedMs, c.minMs) << c.what;
        EXPECT_LE(elapsedMs, c.maxMs) << c.what;
        EXPECT_EQ(data, c.result == Result::Ok ? kData : std::string()) << c.what;
        // Each request carries the next read id; what a bad answer left behind is dropped
        // before the next request goes out.
        EXPECT_EQ(lastRequest, GenCp::ReadRequest(uint16_t(&c - cases), 0x00012340, 4)) << c.what;
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    EXPECT_EQ(channel.ReadCounter(), 7);
    EXPECT_EQ(channel.WriteCounter(), 0);
    EXPECT_NE(std::find(transcript.begin(), transcript.end(), "Rx: GenCP 600 stray bytes dropped"), transcript.end());
}

namespace {

struct Shown : ParameterList::View {
    std::vector<size_t> records;
    void ShowValue(size_t record, const RowValue&) override { records.push_back(record); }
};

// Answers the reads in turn: 'A' with zeros of the length asked, 'R' refused; then silence.
void playCamera(PtyPeer& peer, const std::string& script, int& requests)
{
    for (;;) {
        const std::string request = peer.Read(GenCp::kReadRequestSize, 1500);
        if (request.size() < GenCp::kReadRequestSize)
            return;
        const size_t turn = size_t(requests++);
        if (turn >= script.size())
            continue;
        const uint16_t count = uint16_t((uint8_t(request[26]) << 8) | uint8_t(request[27]));
        const uint16_t id = uint16_t((uint8_t(request[14]) << 8) | uint8_t(request[15]));
        peer.Write(script[turn] == 'R' ? ack(GenCp::kInvalidAddress, 0x0801, 0, id)
                                       : ack(0, 0x0801, count, id) + std::string(count, '\0'));
    }
}

} // namespace

// One box for the refusals of the action (the rest counted), the time-out said once, and the
// walk over at once instead of waiting out every register.
TEST_F(GenCpChannelTest, ReadAllDataReportsOncePerActionAndEndsAtTheFirstSilence)
{
    // The list works on a camera: the fixture's link makes way for the camera's own.
    link.Close();
    Camera owner(&settings);
    ASSERT_EQ(owner.Link().Open(0, 115200, 0), 1);
    ParameterList list(owner, kAnswerMs);
    std::ifstream in(ParameterList::ShippedDescriptionPath("KT-5100W-QBCL"));
    list.Description() = ReadFeatureDescription(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_GT(list.Description().records.size(), 6u);

    int requests = 0;
    std::thread camera([&] { playCamera(peer, "ARRA", requests); });
    SilentProgress progress;
    Shown shown;
    const auto start = Clock::now();
    EXPECT_FALSE(list.ReadAll(progress, shown));
    const auto elapsed = Clock::now() - start;
    camera.join();

    EXPECT_EQ(requests, 5); // four answered, the fifth not: nothing asked after it
    EXPECT_EQ(shown.records.size(), 2u);
    EXPECT_LT(elapsed, std::chrono::milliseconds(kAnswerMs + 1000));
    const auto& boxes = notices.recorder.messages;
    ASSERT_EQ(boxes.size(), 3u);
    const FeatureRecord& second = list.Description().records[1];
    char expected[200];
    std::snprintf(expected, sizeof expected, "Reading \"%s\" (register 0x%08X) was refused by the camera: invalid address.",
                  second.displayName.c_str(), second.address);
    EXPECT_EQ(boxes[0].text, expected);
    EXPECT_NE(boxes[1].text.find("did not answer"), std::string::npos);
    EXPECT_NE(boxes[1].text.find("stopped after 4 of"), std::string::npos);
    EXPECT_EQ(boxes[2].text, "1 more registers were answered with errors.");
}
