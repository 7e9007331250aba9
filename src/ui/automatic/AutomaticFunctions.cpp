#include "AutomaticFunctions.h"

#include "AutoFunctions.h"
#include "AutomaticData.h"
#include "Camera.h"
#include "ControlAdapter.h"
#include "ControlRules.h"
#include "ErrorReport.h"
#include "Ids.h"
#include "ParameterControls.h"
#include "ParameterTable.h"
#include "ProgressWindow.h"
#include "UserNotice.h"

#include <QComboBox>
#include <QWidget>

#include <optional>

using ControlRules::EnableRule;
using namespace AutoFunctions;

namespace {

constexpr int kIndividual = 1; // "On" of the gain mode list, "Individual" of the exposure time mode
constexpr int kContinuous = 1;
constexpr int kOnce = 2;
constexpr int kLutModeGamma = 1;
constexpr const char* kUnknownParameter = "Unkown Parameter";
constexpr const char* kErrorCaption = "Error";

} // namespace

AutomaticFunctions::AutomaticFunctions(Camera& camera, QWidget* mainWindow, ControlAdapter& controls, ParameterControls& parameters)
    : m_camera(camera), m_mainWindow(mainWindow), m_controls(controls), m_parameters(parameters)
{
}

std::vector<Feature::Claim> AutomaticFunctions::Claims()
{
    // A sequencer binning change moves the shortest exposure: the sequencer's exposure rows
    // take the camera's new limits, and their spins the ranges.
    const Handler sequencerLimits = [this] {
        StoreExposureTimeLimits(ControlRules::SequencerExposureRows());
        m_parameters.ApplySpinRanges();
    };
    return {
        {CtrlId::WhiteBalanceAuto, When::Instead, [this] { OnWhiteBalanceChanged(); }},
        {CtrlId::RecalibrateShading, When::Instead, [this] { RecalibrateShading(); }},
        // A one-shot run ends with its list on "Off", which the generic path then stores.
        {CtrlId::GainAuto, When::Before, [this] { OnGainAutoChanged(); }},
        {CtrlId::ExposureAuto, When::Before, [this] { OnExposureAutoChanged(); }},
        {CtrlId::IndividualGainMode, When::After, [this] { OnGainModeChanged(); }},
        {CtrlId::ExposureTimeMode, When::After, [this] { RebuildWhiteBalanceList(); }},
        {CtrlId::VideoProcessBypass, When::After, [this] { ApplyVideoProcessBypass(true); }},
        {CtrlId::SequencerHorizontalBinning, When::After, sequencerLimits},
        {CtrlId::SequencerVerticalBinning, When::After, sequencerLimits},
    };
}

std::vector<Feature::MomentClaim> AutomaticFunctions::Moments()
{
    return {
        {Moment::ExposureLimitsDue, [this] { StoreExposureTimeLimits(ControlRules::ExposureRows()); }},
        {Moment::ExposureTimesDue, [this] { RefreshExposureTimes(); }},
        {Moment::ListValuesAttached, [this] { selectWhiteBalanceFromRow(); }},
        {Moment::StartupCompleted, [this] { ApplyVideoProcessBypass(false); }},
    };
}

bool AutomaticFunctions::individualGain() const
{
    return m_controls.ListSelection(CtrlId::IndividualGainMode) == kIndividual;
}

bool AutomaticFunctions::individualExposure() const
{
    return m_controls.ListSelection(CtrlId::ExposureTimeMode) == kIndividual;
}

void AutomaticFunctions::ShowAutoResult(int32_t code, const std::string& caption)
{
    Notices().Message(ResultText(code), caption, NoticeIcon::None);
}

void AutomaticFunctions::applyGainModeEnables()
{
    m_parameters.ApplyEnableRule(EnableRule::ImageGainMode);
}

void AutomaticFunctions::showWhiteBalanceStatus()
{
    int32_t status = 0;
    if (ReadWhiteBalanceStatus(m_camera, status))
        m_controls.SetText(CtrlId::WhiteBalanceStatus, QString::number(status));
}

// ---------------------------------------------------------------------------------------
// One-shot runs

namespace {

// A one-shot run with the progress window over the main window; a run given up is switched
// off in the camera. False when the camera fell silent or the link was lost: the run has
// reported that, and nothing more is asked of the camera.
bool RunWithProgress(Camera& camera, QWidget* owner, const OneShot& shot, RunResult& run)
{
    {
        ProgressWindow progress(owner);
        run = RunOnce(camera, shot, progress);
    }
    if (run.end == RunEnd::Silent || run.end == RunEnd::LinkLost)
        return false;
    if (run.end == RunEnd::TimedOut || run.end == RunEnd::Cancelled)
        StopOnce(camera, shot);
    return true;
}

// The result box of a run that ended or was given up for its time-out.
void ShowRunResult(const RunResult& run, const char* caption)
{
    if (run.end == RunEnd::Ended)
        AutomaticFunctions::ShowAutoResult(run.status, caption);
    else if (run.end == RunEnd::TimedOut)
        AutomaticFunctions::ShowAutoResult(kTimeoutError, caption);
}

} // namespace

void AutomaticFunctions::OnWhiteBalanceChanged()
{
    ErrorReport errors(m_camera, "exchanges");
    const int32_t mode = m_controls.GetControlValue(CtrlId::WhiteBalanceAuto);
    m_controls.SetText(CtrlId::WhiteBalanceStatus, QString());
    if (mode < kWhiteBalanceOff || mode > kWhiteBalanceLast) {
        Notices().Message(kUnknownParameter, kErrorCaption, NoticeIcon::None);
        return;
    }
    if (!IsWhiteBalanceOnce(mode)) {
        // Switching off leaves the digital gains where the balance put them.
        if (mode == kWhiteBalanceOff)
            for (int id : {CtrlId::DigitalGainRed, CtrlId::DigitalGainBlue})
                m_parameters.RefreshControl(id);
        applyGainModeEnables();
        if (SetWhiteBalance(m_camera, mode)) {
            m_camera.Table().SetDataValue(CtrlId::WhiteBalanceAuto, mode);
            m_camera.Table().CommitAll();
        }
        showWhiteBalanceStatus();
        return;
    }

    // Once the polling ended: a run given up is switched off in the camera, the status and the
    // values it moved are read, the outcome is told, and the list returns to "Off". A camera
    // that fell silent or a lost link was reported by the run; nothing more is asked of it.
    applyGainModeEnables();
    const OneShot shot = WhiteBalanceOnce(mode);
    RunResult run;
    if (RunWithProgress(m_camera, m_mainWindow, shot, run)) {
        if (run.answered)
            m_controls.SetText(CtrlId::WhiteBalanceStatus, QString::number(run.status));
        for (int id : {CtrlId::DigitalGainRed, CtrlId::DigitalGainBlue})
            m_parameters.RefreshControl(id);
        ShowRunResult(run, "Balance White Auto Result");
    }
    m_controls.SelectItem(CtrlId::WhiteBalanceAuto, 0);
    applyGainModeEnables();
    // The camera's balance is off again, by itself or because the run was given up.
    m_camera.Table().SetDataValue(CtrlId::WhiteBalanceAuto, kWhiteBalanceOff);
    m_camera.Table().CommitAll();
}

void AutomaticFunctions::OnGainAutoChanged()
{
    onConvergenceAuto(true);
}

void AutomaticFunctions::OnExposureAutoChanged()
{
    onConvergenceAuto(false);
}

void AutomaticFunctions::onConvergenceAuto(bool gain)
{
    const int listId = gain ? CtrlId::GainAuto : CtrlId::ExposureAuto;
    const EnableRule rule = gain ? EnableRule::AutomaticGain : EnableRule::AutomaticShutter;
    const int selection = m_controls.ListSelection(listId);
    if (selection != kOnce) {
        if (selection != 0 && selection != kContinuous)
            Notices().Message(kUnknownParameter, kErrorCaption, NoticeIcon::None);
        m_parameters.ApplyEnableRule(rule);
        return;
    }

    ErrorReport errors(m_camera, "exchanges");
    const OneShot shot = gain ? GainOnce() : ExposureOnce();
    RunResult run;
    if (RunWithProgress(m_camera, m_mainWindow, shot, run)) {
        const std::vector<int> moved = gain ? std::vector<int>{CtrlId::AnalogGain}
                                            : std::vector<int>{CtrlId::ExposureTime, CtrlId::ExposureTimeRed,
                                                               CtrlId::ExposureTimeGreen, CtrlId::ExposureTimeBlue};
        for (int id : moved)
            m_parameters.RefreshControl(id);
        ShowRunResult(run, gain ? "Gain Auto Result" : "Exposure Auto Result");
    }
    m_controls.SelectItem(listId, 0);
    m_parameters.ApplyEnableRule(rule);
}

// ---------------------------------------------------------------------------------------
// Modes that decide what the white balance offers

void AutomaticFunctions::OnGainModeChanged()
{
    applyGainModeEnables();
    m_parameters.ApplyEnableRule(EnableRule::SequencerGainMode);
    // The gain auto limits, the colour gains' range and the spins that follow it.
    m_parameters.ApplyEnableRule(EnableRule::AutomaticGain);
    RebuildWhiteBalanceList();
}

void AutomaticFunctions::applyWhiteBalanceEnables(bool gainOn, bool exposureOn)
{
    for (int id : {CtrlId::GainAutoLabel, CtrlId::GainAuto})
        m_controls.SetEnabled(id, !gainOn);
    const bool balance = !gainOn || exposureOn;
    for (int id : {CtrlId::WhiteBalanceGroup, CtrlId::WhiteBalanceLabel, CtrlId::WhiteBalanceAuto})
        m_controls.SetEnabled(id, balance);
}

void AutomaticFunctions::RebuildWhiteBalanceList()
{
    const bool gainOn = individualGain();
    const bool exposureOn = individualExposure();
    applyWhiteBalanceEnables(gainOn, exposureOn);
    const std::vector<AutomaticData::Entry>& entries = AutomaticData::WhiteBalanceEntries(gainOn, exposureOn);
    QComboBox* list = m_controls.FindList(CtrlId::WhiteBalanceAuto);
    // Without entries for the mode the list is out of use and keeps what it had.
    if (!list || entries.empty())
        return;
    list->clear();
    for (const AutomaticData::Entry& entry : entries)
        list->addItem(QString::fromLatin1(entry.text), entry.value);
    list->setCurrentIndex(0);
}

void AutomaticFunctions::selectWhiteBalanceFromRow()
{
    // Only an entry that stands for the camera's mode; a mode the list does not offer leaves
    // the list as it is rather than showing another mode.
    QComboBox* list = m_controls.FindList(CtrlId::WhiteBalanceAuto);
    if (!list)
        return;
    const int at = list->findData(m_camera.Table().GetDataValue(CtrlId::WhiteBalanceAuto));
    if (at >= 0)
        list->setCurrentIndex(at);
}

// ---------------------------------------------------------------------------------------
// Shading, exposure limits and times, bypass

void AutomaticFunctions::RecalibrateShading()
{
    ErrorReport errors(m_camera, "exchanges");
    int32_t result = 0;
    // Without an answer there is no result to tell; the exchange has said why.
    if (!AutoFunctions::RecalibrateShading(m_camera, result))
        return;
    m_controls.SetText(CtrlId::ShadingResult, QString::number(result));
    ShowAutoResult(result, "Recalibrate FFC (User)");
}

void AutomaticFunctions::StoreExposureTimeLimits(const std::vector<int>& rows)
{
    ExposureLimits limits{};
    if (!ExposureTimeLimits(m_camera, limits))
        return;
    for (int row : rows)
        m_camera.Table().SetRange(static_cast<uint32_t>(row), limits.minimum, limits.maximum);
}

void AutomaticFunctions::RefreshExposureTimes()
{
    AutoFunctions::RefreshExposureTimes(m_camera, &m_controls);
}

void AutomaticFunctions::ApplyVideoProcessBypass(bool askCamera)
{
    const bool bypassed = m_controls.ListSelection(CtrlId::VideoProcessBypass) != 0;
    std::vector<int> lists = {CtrlId::GainAuto, CtrlId::WhiteBalanceAuto, CtrlId::Shading, CtrlId::LutMode};
    if (m_camera.Model().IsSupported())
        lists.insert(lists.begin(), {CtrlId::HorizontalBinning, CtrlId::VerticalBinning});

    if (bypassed) {
        // The camera bypasses these functions: they show their first entry and rest.
        for (int id : lists) {
            m_controls.SelectItem(id, 0);
            m_controls.SetEnabled(id, false);
        }
        for (int id : AutomaticData::BypassLockedControls())
            m_controls.SetEnabled(id, false);
        return;
    }

    std::optional<int32_t> lutMode;
    if (askCamera) {
        const BypassAnswers answers = ReadBypassedFunctions(m_camera);
        // The lists show the camera's modes again, and their rows hold them.
        auto take = [this](int listId, const std::optional<int32_t>& answer, int32_t stored, bool byValue) {
            if (!answer)
                return;
            if (byValue)
                m_controls.SetControlValue(listId, stored);
            else
                m_controls.SelectItem(listId, stored);
            m_camera.Table().SetDataValue(static_cast<uint32_t>(listId), stored);
        };
        // The binning lists hold the factor less one, as after a reading.
        take(CtrlId::HorizontalBinning, answers.horizontalBinning, answers.horizontalBinning.value_or(1) - 1, false);
        take(CtrlId::VerticalBinning, answers.verticalBinning, answers.verticalBinning.value_or(1) - 1, false);
        take(CtrlId::GainAuto, answers.gainAuto, answers.gainAuto.value_or(0), false);
        take(CtrlId::WhiteBalanceAuto, answers.whiteBalance, answers.whiteBalance.value_or(0), true);
        take(CtrlId::Shading, answers.shading, answers.shading.value_or(0), false);
        take(CtrlId::LutMode, answers.lutMode, answers.lutMode.value_or(0), false);
        m_camera.Table().CommitAll();
        lutMode = answers.lutMode;
    } else {
        lutMode = m_controls.ListSelection(CtrlId::LutMode);
    }
    for (int id : lists)
        m_controls.SetEnabled(id, true);
    for (int id : AutomaticData::BypassReleasedControls())
        m_controls.SetEnabled(id, true);
    if (lutMode == kLutModeGamma)
        m_controls.SetEnabled(CtrlId::Gamma, true);
    // Gain Auto and the white balance stay closed where Individual Gain Mode closes them.
    applyWhiteBalanceEnables(individualGain(), individualExposure());
}
