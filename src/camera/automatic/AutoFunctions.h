#pragma once
// The camera's automatic functions: white balance, gain and exposure, each continuous or
// once on request, the shading recalibration, and the exposure-time limits that follow the
// camera's frame period. A one-shot run polls the function's status once a second while the
// progress window stays responsive, and always ends: at the camera's end status, when its
// bound (RunBound) has passed, when the person cancels, or when the camera falls silent
// or the link is lost. User-interface thread only; every exchange blocks while it waits.
#include "RowView.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

class Camera;
class Progress;

namespace AutoFunctions {

// Result codes the status commands report.
constexpr int32_t kBusy = 4;
constexpr int32_t kTimeoutError = 3;

// The text the result box shows for a code ("Unknown Result" for any code it does not know).
const char* ResultText(int32_t code);

// White balance modes (the AWB values); 2 and 4 run once.
constexpr int32_t kWhiteBalanceOff = 0;
constexpr int32_t kWhiteBalanceLast = 8;
bool IsWhiteBalanceOnce(int32_t mode);
// The time-out of the AWB setting for a mode: the one-shot balance takes longest.
uint32_t WhiteBalanceTimeoutMs(int32_t mode);
// AWB=mode with its time-out; 1 when acknowledged.
int SetWhiteBalance(Camera& camera, int32_t mode);
// AWRS (2500 ms); 1 on an answer.
int ReadWhiteBalanceStatus(Camera& camera, int32_t& status);

// A function that can run once: its mode command, the value that starts the run, the
// time-out of that setting, its status command and when a status ends the run.
struct OneShot {
    const char* name;  // what the progress window calls it
    int modeCommand;
    int32_t value;
    uint32_t setTimeoutMs;
    int statusCommand;
    bool (*ended)(int32_t status);
};
OneShot WhiteBalanceOnce(int32_t mode); // mode 2 or 4
OneShot GainOnce();
OneShot ExposureOnce();

// How a run ended. Silent and LinkLost have been told to the person already.
enum class RunEnd { Ended, TimedOut, Cancelled, Silent, LinkLost };
struct RunResult {
    RunEnd end = RunEnd::TimedOut;
    bool answered = false; // a status query was answered at least once
    int32_t status = 0;    // the last status the camera gave
};

// How long a one-shot run is waited for: at long exposure times a run takes many frames, so
// the set's time-out, a minute or ten frame periods (AR, in microseconds; unknown when the
// camera did not tell), whichever is longest.
std::chrono::milliseconds RunBound(uint32_t setTimeoutMs, std::optional<uint32_t> framePeriodUs);

// Starts the run and polls its status every poll interval until it ends; the run is given
// up once bound has passed since the start was sent (when zero, RunBound with the frame
// period the parameter table holds).
RunResult RunOnce(Camera& camera, const OneShot& shot, Progress& progress, std::chrono::milliseconds bound = {},
                  std::chrono::milliseconds pollInterval = std::chrono::seconds(1));
// Switches the function off (its mode command = 0), so that a run given up does not go on in
// the camera behind a list that shows "Off". 1 when acknowledged.
int StopOnce(Camera& camera, const OneShot& shot);

// RS=0 (20000 ms), then SDRS (2500 ms): the shading recalibration's result. 1 on an answer.
int RecalibrateShading(Camera& camera, int32_t& result);

// The limits of the exposure-time rows: the minimum is 3 only for the KT-5100W-QBCL with
// both binnings at x2 (HB, VB), else 1; the maximum is the frame period (AR) less 18. False
// when AR did not answer: the rows keep their ranges.
struct ExposureLimits {
    int32_t minimum;
    int32_t maximum;
};
bool ExposureTimeLimits(Camera& camera, ExposureLimits& limits);

// The four exposure times read again ("PE?", "PER?", "PEG?", "PEB?"), stored, shown and
// committed: the rows hold what the camera has.
void RefreshExposureTimes(Camera& camera, RowView* view);

// What the lists of the functions that the video process bypass switches off hold in the
// camera, asked when the bypass is switched off again; each empty without an answer.
struct BypassAnswers {
    std::optional<int32_t> horizontalBinning, verticalBinning; // known models only
    std::optional<int32_t> gainAuto, whiteBalance, shading, lutMode;
};
BypassAnswers ReadBypassedFunctions(Camera& camera);

} // namespace AutoFunctions
