#include "AutoFunctions.h"

#include "Camera.h"
#include "Ids.h"
#include "ParameterPath.h"
#include "ParameterTable.h"
#include "Progress.h"
#include "Timeouts.h"
#include "Walk.h"

#include <algorithm>
#include <thread>

namespace AutoFunctions {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kShortestRun{60000};
constexpr int64_t kRunFrames = 10;
constexpr int32_t kEndOfConvergence = 8; // gain and exposure status codes from here on end a run
constexpr int32_t kFramePeriodMargin = 18;
constexpr int32_t kBinnedMinimum = 3;
constexpr int32_t kBinningX2 = 2;
// How often a waiting run lets the window paint and looks at its Cancel button.
constexpr milliseconds kSlice{25};

bool balanceEnded(int32_t status)
{
    return status != kBusy;
}

bool convergenceEnded(int32_t status)
{
    return status >= kEndOfConvergence;
}

// The run's walk ends on the program's own stop (its end, a terminate) and on a silent
// camera or a lost link; the window's Cancel is the run's to read, so that the person's
// choice ends the run without a walk's report.
class WithoutCancel : public Progress {
public:
    explicit WithoutCancel(Progress& progress) : m_progress(progress) {}
    void begin(const std::string& message) override { m_progress.begin(message); }
    void advance(int percent) override { m_progress.advance(percent); }
    void end() override { m_progress.end(); }

private:
    Progress& m_progress;
};

std::optional<int32_t> plain(Camera& camera, int command)
{
    int32_t value = 0;
    if (!camera.QueryPlain(command, value))
        return std::nullopt;
    return value;
}

} // namespace

bool IsWhiteBalanceOnce(int32_t mode)
{
    return mode == 2 || mode == 4;
}

uint32_t WhiteBalanceTimeoutMs(int32_t mode)
{
    return mode == 2 ? Timeouts::kBalanceOnceMs : Timeouts::kLongSetMs;
}

int SetWhiteBalance(Camera& camera, int32_t mode)
{
    return camera.Set(CmdIndex::AWB, mode, WhiteBalanceTimeoutMs(mode));
}

int ReadWhiteBalanceStatus(Camera& camera, int32_t& status)
{
    uint32_t value = 0;
    if (!camera.Query(CmdIndex::AWRS, value, Timeouts::kExchangeMs))
        return 0;
    status = static_cast<int32_t>(value);
    return 1;
}

OneShot WhiteBalanceOnce(int32_t mode)
{
    return {"Balance White Auto", CmdIndex::AWB, mode, WhiteBalanceTimeoutMs(mode), CmdIndex::AWRS, balanceEnded};
}

OneShot GainOnce()
{
    return {"Gain Auto", CmdIndex::AGC, 2, Timeouts::kLongSetMs, CmdIndex::ATCS_GAIN, convergenceEnded};
}

OneShot ExposureOnce()
{
    return {"Exposure Auto", CmdIndex::ASC, 2, Timeouts::kLongSetMs, CmdIndex::ATCS_EXPOSURE, convergenceEnded};
}

milliseconds RunBound(uint32_t setTimeoutMs, std::optional<uint32_t> framePeriodUs)
{
    milliseconds bound = std::max(milliseconds(setTimeoutMs), kShortestRun);
    if (framePeriodUs)
        bound = std::max(bound, std::chrono::duration_cast<milliseconds>(
                                    std::chrono::microseconds(kRunFrames * int64_t(*framePeriodUs))));
    return bound;
}

RunResult RunOnce(Camera& camera, const OneShot& shot, Progress& progress, milliseconds bound, milliseconds pollInterval)
{
    if (bound.count() <= 0) {
        // The frame period as last read from the camera: asking again would add a line to
        // every run.
        const int period = camera.Table().GetDataValue(CtrlId::FramePeriod);
        bound = RunBound(shot.setTimeoutMs, period > 0 ? std::optional<uint32_t>(period) : std::nullopt);
    }
    const int polls = static_cast<int>(std::max<int64_t>(1, bound / std::max(pollInterval, milliseconds(1))));
    WithoutCancel walkProgress(progress);
    Walk walk(camera, walkProgress, std::string(shot.name) + " is running. Waiting for the camera's result.", polls,
              "status queries");

    // The bound counts from the start being sent: a camera that takes its time to accept it
    // has used part of the run's time already.
    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + bound;
    auto percent = [&] {
        const auto elapsed = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
        return static_cast<int>(std::clamp<int64_t>(100 * elapsed.count() / bound.count(), 0, 100));
    };
    // A pause between polls that keeps the window painted; false once the person cancelled.
    auto pause = [&] {
        const Clock::time_point until = Clock::now() + pollInterval;
        for (;;) {
            progress.advance(percent());
            if (progress.cancelled())
                return false;
            const Clock::time_point now = Clock::now();
            if (now >= until)
                return true;
            std::this_thread::sleep_for(std::min<Clock::duration>(kSlice, until - now));
        }
    };

    RunResult result;
    // A refused start is reported by the exchange; the status then tells where the camera is.
    camera.Set(shot.modeCommand, shot.value, shot.setTimeoutMs);
    for (;;) {
        if (!pause()) {
            result.end = RunEnd::Cancelled;
            break;
        }
        uint32_t status = 0;
        const bool answered = camera.Query(shot.statusCommand, status, Timeouts::kExchangeMs) == 1;
        if (answered) {
            result.answered = true;
            result.status = static_cast<int32_t>(status);
        }
        if (!walk.Next(percent())) {
            result.end = walk.Stopped() == Walk::Stop::LinkLost ? RunEnd::LinkLost
                       : walk.Stopped() == Walk::Stop::Silent   ? RunEnd::Silent
                                                                : RunEnd::Cancelled;
            break;
        }
        if (answered && shot.ended(result.status)) {
            result.end = RunEnd::Ended;
            break;
        }
        if (Clock::now() >= deadline) {
            result.end = RunEnd::TimedOut;
            break;
        }
        if (progress.cancelled()) {
            result.end = RunEnd::Cancelled;
            break;
        }
    }
    walk.Finish();
    return result;
}

int StopOnce(Camera& camera, const OneShot& shot)
{
    return camera.Set(shot.modeCommand, 0, Timeouts::kLongSetMs);
}

int RecalibrateShading(Camera& camera, int32_t& result)
{
    camera.Set(CmdIndex::RS, 0, Timeouts::kShadingMs);
    uint32_t value = 0;
    if (!camera.Query(CmdIndex::SDRS, value, Timeouts::kExchangeMs))
        return 0;
    result = static_cast<int32_t>(value);
    return 1;
}

bool ExposureTimeLimits(Camera& camera, ExposureLimits& limits)
{
    const std::optional<int32_t> horizontal = plain(camera, CmdIndex::HB);
    const std::optional<int32_t> vertical = plain(camera, CmdIndex::VB);
    const bool binned = camera.Model().modelType == 0 && horizontal == kBinningX2 && vertical == kBinningX2;
    uint32_t period = 0;
    if (!camera.Query(CmdIndex::AR, period, Timeouts::kExchangeMs))
        return false;
    limits.minimum = binned ? kBinnedMinimum : 1;
    limits.maximum = static_cast<int32_t>(period) - kFramePeriodMargin;
    return true;
}

void RefreshExposureTimes(Camera& camera, RowView* view)
{
    ParameterPath::RereadRows(camera, {CtrlId::ExposureTime, CtrlId::ExposureTimeRed, CtrlId::ExposureTimeGreen,
                               CtrlId::ExposureTimeBlue},
                              view);
}

BypassAnswers ReadBypassedFunctions(Camera& camera)
{
    BypassAnswers answers;
    if (camera.Model().IsSupported()) {
        answers.horizontalBinning = plain(camera, CmdIndex::HB);
        answers.verticalBinning = plain(camera, CmdIndex::VB);
    }
    answers.gainAuto = plain(camera, CmdIndex::AGC);
    answers.whiteBalance = plain(camera, CmdIndex::AWB);
    answers.shading = plain(camera, CmdIndex::SDM);
    answers.lutMode = plain(camera, CmdIndex::LUTC);
    return answers;
}

} // namespace AutoFunctions
