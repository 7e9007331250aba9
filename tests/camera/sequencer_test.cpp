// Sequencer sets and modes against the simulated camera: which lines a set's write and read
// send, and what the rows hold afterwards.
#include "Ids.h"
#include "Progress.h"
#include "Sequencer.h"
#include "SimLinkFixture.h"

#include <algorithm>
#include <map>

namespace {

using Lines = std::vector<std::string>;

bool Has(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

size_t Starting(const Lines& lines, const std::string& prefix)
{
    return size_t(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

// Records what a read shows.
struct Shown : Sequencer::SetView {
    std::map<int, int32_t> rows;
    int binningAt = -1; // how many rows were shown when the binning was complete
    void showRow(int ctrlId, int32_t value) override { rows[ctrlId] = value; }
    void binningRead() override { binningAt = int(rows.size()); }
};

class SequencerTest : public SimLinkFixture {};

// The colour gains in place of the common one, and the lines a person's write sends:
// sequencer_auto_e2e_test.
TEST_F(SequencerTest, WriteSendsTheFieldsThatApply)
{
    connect({"--model", "KT-5200W-QBCL"});
    // A control value for every field: the row's minimum, which the camera takes, unless set.
    std::map<int, int32_t> values;
    const auto valueOf = [this, &values](const Sequencer::Field& field) {
        int32_t low = 0, high = 0;
        camera().Table().GetRange(uint32_t(field.ctrlId), low, high);
        return values.count(field.ctrlId) ? values[field.ctrlId] : field.kind == Sequencer::FieldKind::Number ? low : 0;
    };
    const struct {
        Sequencer::Conditions conditions;
        int32_t width;
        Lines present, absent;
        size_t lines;
    } cases[] = {
        {{true, false}, 1936, {"SQW5=1936", "SQHB5=2", "SQVB5=1", "SQGA5=100", "SQF5=1"}, {"SQGR5=100"}, 15},
        {{true, false}, 0, {"SQH5=2"}, {"SQW5=0"}, 14},
        {{false, false}, 96, {"SQW5=96"}, {"SQHB5=2", "SQVB5=1"}, 13},
    };
    for (const auto& c : cases) {
        m_sim.ClearLog();
        values = {{CtrlId::SequencerWidth, c.width}, {CtrlId::SequencerHorizontalBinning, 1}};
        SilentProgress progress;
        EXPECT_EQ(Sequencer::WriteSet(camera(), 5, c.conditions, valueOf, progress), Walk::Stop::None);
        const Lines rx = m_sim.Received();
        EXPECT_EQ(rx.size(), c.lines);
        for (const std::string& line : c.present)
            EXPECT_TRUE(Has(rx, line)) << line;
        for (const std::string& line : c.absent)
            EXPECT_FALSE(Has(rx, line)) << line;
        // The first line names the frame count, the region follows the binning.
        EXPECT_EQ(rx.front(), "SQF5=1");
    }
    EXPECT_TRUE(m_notices.recorder.messages.empty());
}

TEST_F(SequencerTest, ReadStoresTheCameraSetWithListPositions)
{
    connect({"--model", "KT-5100W-QBCL", "--set", "SQHB3=2", "--set", "SQW3=640", "--set", "SQGA3=300",
             "--set", "SQLUT3=1", "--set", "SQGR3=2000", "--set", "SQGG3=3000"});
    ParameterTable& table = camera().Table();
    // The colour gains are asked whenever the model is known, whatever the gain mode, so that
    // the boxes never keep another set's gains; the common gain is always asked.
    const struct {
        Sequencer::Conditions conditions;
        size_t colourAsked;
        int32_t common, green;
    } cases[] = {
        {{true, false}, 1, 300, 100},
        {{true, true}, 1, 100, 3000},
        {{false, false}, 0, 300, -1},
    };
    for (const auto& c : cases) {
        m_sim.ClearLog();
        table.SetDataValue(CtrlId::SequencerGainRed, -1);
        table.SetDataValue(CtrlId::SequencerGainGreen, -1);
        table.CommitAll();
        Shown shown;
        SilentProgress progress;
        ASSERT_TRUE(Sequencer::ReadSet(camera(), 3, c.conditions, progress, &shown));
        const Lines rx = m_sim.Received();
        EXPECT_EQ(rx.front(), "SQF3?");
        EXPECT_EQ(Starting(rx, "SQGR3?"), c.colourAsked);
        EXPECT_EQ(Starting(rx, "SQGB3?"), c.colourAsked);
        EXPECT_EQ(Starting(rx, "SQGA3?"), 1u);
        EXPECT_EQ(shown.binningAt, c.conditions.knownModel ? 4 : -1);
        // x2 is the list's second entry; of the common and the green gain, the one that does not
        // apply stands at 100.
        if (c.conditions.knownModel) {
            EXPECT_EQ(table.GetDataValue(CtrlId::SequencerHorizontalBinning), 1);
            EXPECT_EQ(shown.rows[CtrlId::SequencerHorizontalBinning], 1);
        }
        EXPECT_EQ(table.GetDataValue(CtrlId::SequencerWidth), 640);
        EXPECT_EQ(table.GetDataValue(CtrlId::SequencerLut), 1);
        EXPECT_EQ(table.GetDataValue(CtrlId::SequencerGain), c.common);
        EXPECT_EQ(table.GetDataValue(CtrlId::SequencerGainRed), c.colourAsked ? 2000 : -1);
        EXPECT_EQ(table.GetDataValue(CtrlId::SequencerGainGreen), c.green);
        for (int i = 0; i < table.RowCount(); ++i)
            EXPECT_FALSE(table.IsPending(i));
    }
}

TEST_F(SequencerTest, FieldsWithoutAnAnswerKeepTheirValues)
{
    // The camera answers the frame count and falls silent: the walk gives up after three
    // unanswered fields, each of which keeps what it held.
    connect({"--model", "KT-5100W-QBCL", "--set", "SQF2=9", "--fault", "silent-after=1"});
    ParameterTable& table = camera().Table();
    table.SetDataValue(CtrlId::SequencerWidth, 777);
    const int32_t next = table.GetDataValue(2783);
    SilentProgress progress;
    EXPECT_FALSE(Sequencer::ReadSet(camera(), 2, {true, false}, progress, nullptr));
    EXPECT_EQ(m_sim.Received().size(), 4u);
    EXPECT_EQ(table.GetDataValue(2781), 9);
    EXPECT_EQ(table.GetDataValue(2783), next);
    EXPECT_EQ(table.GetDataValue(CtrlId::SequencerWidth), 777);
}

} // namespace
