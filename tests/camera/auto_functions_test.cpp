// One-shot automatic functions and the exposure-time limits against the simulated camera:
// how a run polls and ends, and what the limits are for each camera state. A run that never
// ends (its bound, the window kept painted and Cancel), the balance with mode 2 and a gain
// run ending in 9: sequencer_auto_e2e_test.
#include "AutoFunctions.h"
#include "Camera.h"
#include "Ids.h"
#include "Progress.h"
#include "SimLinkFixture.h"

#include <algorithm>
#include <optional>

namespace {

using namespace std::chrono_literals;
using namespace AutoFunctions;
using Lines = std::vector<std::string>;

// A progress that tells whether it was opened and closed.
struct WatchedProgress : SilentProgress {
    bool begun = false, ended = false;
    void begin(const std::string&) override { begun = true; }
    void end() override { ended = true; }
};

size_t Count(const Lines& lines, const std::string& line)
{
    return size_t(std::count(lines.begin(), lines.end(), line));
}

class AutoFunctionsTest : public SimLinkFixture {};

TEST_F(AutoFunctionsTest, RunEndsAtTheEndStatus)
{
    const struct {
        OneShot shot;
        std::string result;
        std::string start, status;
        int32_t code;
    } cases[] = {
        {WhiteBalanceOnce(4), "awb=1", "AWB=4", "AWRS?", 1},
        {GainOnce(), "agc=8", "AGC=2", "ATCS?", 8},
        {ExposureOnce(), "asc=8", "ASC=2", "ATCS?", 8},
    };
    for (const auto& c : cases) {
        connect({"--busy-polls", "3", "--result", c.result});
        WatchedProgress progress;
        const RunResult run = RunOnce(camera(), c.shot, progress, 5s, 20ms);
        EXPECT_EQ(run.end, RunEnd::Ended) << c.result;
        EXPECT_EQ(run.status, c.code) << c.result;
        // Three busy answers, then the one that ends the run.
        const Lines rx = m_sim.Received();
        EXPECT_EQ(rx.front(), c.start);
        EXPECT_EQ(Count(rx, c.status), 4u) << c.result;
        EXPECT_TRUE(progress.begun && progress.ended);
        TearDown();
        m_sim.Stop();
    }
    EXPECT_STREQ(ResultText(7), "Unknown Result");
    EXPECT_STREQ(ResultText(-1), "Unknown Result");
}

// A run at long exposure times takes many frames: it is waited for at least a minute and at
// least ten frame periods, and given up only after that.
TEST_F(AutoFunctionsTest, RunsAreBoundedByAMinuteOrTenFrames)
{
    const struct {
        uint32_t setTimeoutMs;
        std::optional<uint32_t> framePeriodUs;
        std::chrono::milliseconds bound;
    } cases[] = {
        {10000, std::nullopt, 60s},
        {10000, 33333, 60s},
        {10000, 8000000, 80s},
        {50000, 7000000, 70s},
        {90000, 33333, 90s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunBound(c.setTimeoutMs, c.framePeriodUs), c.bound) << c.setTimeoutMs;

    // A gain run that converges after some 11 s (longer than the set's own 10 s) ends with its
    // result; the bound comes from the frame period the table holds, without a further line.
    connect({"--busy-polls", "21", "--result", "agc=8"});
    camera().Table().SetDataValue(CtrlId::FramePeriod, 8000000);
    SilentProgress progress;
    RunResult run = RunOnce(camera(), GainOnce(), progress, {}, 500ms);
    EXPECT_EQ(run.end, RunEnd::Ended);
    EXPECT_EQ(run.status, 8);
    Lines rx = m_sim.Received();
    ASSERT_FALSE(rx.empty());
    EXPECT_EQ(rx.front(), "AGC=2");
    EXPECT_EQ(Count(rx, "ATCS?"), 22u);
    TearDown();
    m_sim.Stop();

    // A run that never ends is given up at the bound it was given, with the last status.
    connect({"--busy-polls", "never"});
    run = RunOnce(camera(), ExposureOnce(), progress, 300ms, 20ms);
    EXPECT_EQ(run.end, RunEnd::TimedOut);
    EXPECT_TRUE(run.answered);
    EXPECT_LT(run.status, 8);
}

TEST_F(AutoFunctionsTest, ExposureLimitsFollowModelBinningAndFramePeriod)
{
    const struct {
        const char* model;
        int hb, vb;
        int32_t minimum;
    } cases[] = {
        {"KT-5100W-QBCL", 2, 2, 3},
        {"KT-5100W-QBCL", 2, 1, 1},
        {"KT-5200W-QBCL", 2, 2, 1},
    };
    for (const auto& c : cases) {
        connect({"--model", c.model, "--set", "HB=" + std::to_string(c.hb), "--set", "VB=" + std::to_string(c.vb),
                 "--set", "AR=40000"});
        ASSERT_EQ(camera().CheckModel(), 1);
        m_sim.ClearLog();
        ExposureLimits limits{};
        ASSERT_TRUE(ExposureTimeLimits(camera(), limits));
        EXPECT_EQ(limits.minimum, c.minimum) << c.model << " " << c.hb << c.vb;
        EXPECT_EQ(limits.maximum, 40000 - 18);
        EXPECT_EQ(m_sim.Received(), (Lines{"HB?", "VB?", "AR?"}));
        TearDown();
        m_sim.Stop();
    }
    // Without the frame period the rows keep their ranges.
    connect({"--fault", "silent-after=2"});
    ExposureLimits limits{7, 7};
    EXPECT_FALSE(ExposureTimeLimits(camera(), limits));
    EXPECT_EQ(limits.maximum, 7);
}

} // namespace
