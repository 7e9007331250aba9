// "Read All Data" over a real pseudo-terminal with a camera that answers some reads, refuses
// some and then falls silent: one box for the refusals of the action (the rest counted), the
// time-out said once, and the walk over at once instead of waiting out every register.
#include "../link/LinkTestSupport.h"
#include "GenCpPacket.h"
#include "ParameterList.h"
#include "Progress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

constexpr uint32_t kAnswerMs = 250;

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
        std::string answer = request.substr(0, 16);
        answer[10] = 0x08;
        answer[11] = 0x01;
        answer[12] = answer[13] = 0;
        if (script[turn] == 'R') {
            answer[8] = char(0x80);
            answer[9] = 0x03;
        } else {
            answer[12] = char(count >> 8);
            answer[13] = char(count & 0xFF);
            answer += std::string(count, '\0');
        }
        peer.Write(answer);
    }
}

} // namespace

class ParameterListTest : public ::testing::Test, public LinkFixture {};

TEST_F(ParameterListTest, ReadAllDataReportsOncePerActionAndEndsAtTheFirstSilence)
{
    ASSERT_EQ(link.Open(0, 115200, 0), 1);
    ParameterList list(kAnswerMs);
    std::ifstream in(ParameterList::ShippedDescriptionPath("KT-5100W-QBCL"));
    list.Description() = ReadFeatureDescription(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_GT(list.Description().records.size(), 6u);

    int requests = 0;
    std::thread camera([&] { playCamera(peer, "ARRA", requests); });
    SilentProgress progress;
    Shown shown;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(list.ReadAll(progress, shown));
    const auto elapsed = std::chrono::steady_clock::now() - start;
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
