// Table transfers against the simulated camera on a pseudo-terminal: what a read stores, what
// a write sends, how a run reports its progress and where it stops.
#include "SimLinkFixture.h"
#include "LutTransfer.h"

#include <gtest/gtest.h>

namespace {

// Records what a transfer reports; asks to stop after a given number of steps.
class RecordingProgress : public LutProgress {
public:
    explicit RecordingProgress(int stopAfter = -1) : m_stopAfter(stopAfter) {}
    void begin(const std::string& message) override { opening = message; }
    void advance(int percent) override { positions.push_back(percent); }
    void end() override { ended = true; }
    bool cancelled() const override { return m_stopAfter >= 0 && int(positions.size()) >= m_stopAfter; }
    void say(const std::string& message) override { messages.push_back(message); }

    std::string opening;
    std::vector<int> positions;
    std::vector<std::string> messages;
    bool ended = false;

private:
    int m_stopAfter;
};

class LutTransferTest : public SimLinkFixture {
protected:
    static std::vector<std::string> repeated(const std::string& line, int count)
    {
        return std::vector<std::string>(size_t(count), line);
    }
};

TEST_F(LutTransferTest, ReadStoresEachAnswerWithinTheRange)
{
    // The green table starts with values wider than 12 bits.
    connect({"--set", "LUTSG=7,4095,4096,65535,200"}, 115200);
    Lut::Table table{};
    table.fill(1);
    RecordingProgress progress;
    EXPECT_TRUE(LutTransfer::Read(camera(), Lut::Green, table, progress));
    EXPECT_EQ((std::vector<uint32_t>(table.begin(), table.begin() + 5)), (std::vector<uint32_t>{7, 4095, 4095, 4095, 200}));
    EXPECT_EQ(table[5], 5u * 128) << "the rest as the camera has it";

    EXPECT_EQ(progress.opening, "Now, reading camera gamma data  [G]. ");
    ASSERT_EQ(progress.messages.size(), 32u);
    EXPECT_EQ(progress.messages[0], "Now, reading camera gamma data  [G].   (1 / 32)");
    EXPECT_EQ(progress.positions.front(), 0);
    EXPECT_EQ(progress.positions.back(), 96);
    EXPECT_TRUE(progress.ended);

    // A write says what it does (its lines and read-back: the LUT end-to-end test); a channel
    // outside the three sends nothing.
    m_sim.ClearLog();
    RecordingProgress writing;
    EXPECT_TRUE(LutTransfer::Write(camera(), Lut::Blue, table, writing));
    EXPECT_EQ(writing.opening, "Now, writing camera gamma data.");
    EXPECT_EQ(writing.messages.back(), "Now, writing camera gamma data.  (32 / 32)");
    EXPECT_FALSE(LutTransfer::Write(camera(), 3, table, writing));
    EXPECT_EQ(m_sim.Received().size(), 32u);
    EXPECT_TRUE(m_notices.recorder.messages.empty());
}

// A read stops after the exchange in flight on Cancel and at the first missing answer, a write
// at the first refusal; entries not read keep their values.
TEST_F(LutTransferTest, TransfersStopAtCancelSilenceOrRefusal)
{
    const struct {
        std::vector<std::string> args;
        bool write;
        int stopAfter;
        std::vector<std::string> sent;
        size_t stored; // entries read before the stop
    } cases[] = {
        {{}, false, 3, repeated("LUTSR?", 3), 3},
        {{"--fault", "silent-after=5"}, false, -1, repeated("LUTSR?", 6), 5},
        {{"--fault", "error-replies"}, true, -1, {"LUTSR=9"}, 0},
    };
    std::vector<std::vector<RecordingNotice::Entry>> boxes;
    for (const auto& c : cases) {
        connect(c.args, 115200);
        Lut::Table table;
        table.fill(9);
        RecordingProgress progress(c.stopAfter);
        using LutTransfer::Read, LutTransfer::Write;
        EXPECT_FALSE(c.write ? Write(camera(), Lut::Red, table, progress) : Read(camera(), Lut::Red, table, progress));
        EXPECT_EQ(m_sim.Received(), c.sent);
        EXPECT_EQ(table[c.stored ? c.stored - 1 : 0], c.stored ? 128u * uint32_t(c.stored - 1) : 9u);
        EXPECT_EQ(table[c.stored], 9u);
        boxes.push_back(m_notices.recorder.messages);
        m_notices.recorder.Clear();
        TearDown();
        m_sim.Stop();
    }
    ASSERT_EQ(boxes[0].size(), 1u);
    EXPECT_EQ(boxes[0][0].text, "Stopped after 3 of 32 entries; the others keep their previous values.");
    ASSERT_EQ(boxes[2].size(), 1u);
    EXPECT_EQ(boxes[2][0].caption, "Communication Error<2>");
}

} // namespace
