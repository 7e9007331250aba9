// Register exchanges over a real pseudo-terminal: the requests as they leave, and answers that
// are right, late, short, too long, for an earlier request, pending or refused. Every wait ends
// within its bound and nothing is taken beyond what was asked.
#include "../link/LinkTestSupport.h"
#include "GenCpChannel.h"
#include "GenCpPacket.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using Result = GenCpChannel::Result;

constexpr uint32_t kAnswerMs = 300;

std::string ack(uint16_t status, uint16_t command, uint16_t length, uint16_t id)
{
    const int b[] = {0x01, 0x00, 0, 0, 0, 0, 0, 0, status >> 8, status & 0xFF, command >> 8, command & 0xFF,
                     length >> 8, length & 0xFF, id >> 8, id & 0xFF};
    std::string out;
    for (int v : b)
        out += static_cast<char>(v);
    return out;
}

const std::string kData("\x00\x00\x00\x64", 4);

// One step of the camera's side: after the request, wait so long, then send these bytes.
struct Reply {
    int delayMs;
    std::string bytes;
};

class GenCpChannelTest : public ::testing::Test, public LinkFixture {
protected:
    void SetUp() override { ASSERT_EQ(link.Open(0, 115200, 0), 1); }

    // Plays the camera for one request of `requestBytes` bytes while the channel waits.
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

    GenCpChannel channel{kAnswerMs};
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
        {"an earlier answer first", {{0, ack(0, 0x0801, 4, 4) + kData}, {20, ack(0, 0x0801, 4, 5) + kData}}, Result::Ok, 0, 250},
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

TEST_F(GenCpChannelTest, AWriteWaitsForItsAcknowledgeAndSaysHowMuchWasTaken)
{
    std::string request;
    std::thread camera([&] {
        request = peer.Read(24 + 2, 3000);
        peer.Write(ack(0, 0x0803, 4, 0) + std::string("\0\0\0\x02", 4));
    });
    const GenCpChannel::Outcome outcome = channel.Write(0x00010304, std::string("\xFF\x7B", 2));
    camera.join();
    EXPECT_EQ(outcome.result, Result::Ok) << outcome.problem;
    EXPECT_EQ(request, GenCp::WriteRequest(0, 0x00010304, std::string("\xFF\x7B", 2)));
    EXPECT_EQ(transcript.front(), "Tx: GenCP write 0x00010304, 2 bytes, id 0");
}
