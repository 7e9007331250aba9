#include "ParameterControls.h"

#include "Camera.h"
#include "ControlAdapter.h"
#include "ControlTips.h"
#include "FeatureRegistry.h"
#include "Ids.h"
#include "LutFeature.h"
#include "NumberBox.h"
#include "ParameterPath.h"
#include "ParameterTable.h"
#include "ReloadData.h"
#include "UpDownControl.h"
#include "UserNotice.h"
#include "ValueRules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

using namespace ControlRules;

namespace {

constexpr const char* kProgramCaption = "Lumora Control Tool";

} // namespace

ParameterControls::ParameterControls(Camera& camera, ControlAdapter& controls, FeatureRegistry& features,
                                     LutFeature& lut)
    : m_camera(camera), m_controls(controls), m_features(features), m_lut(lut)
{
}

bool ParameterControls::hasRow(int ctrlId) const
{
    // A quiet look-up: controls without a row (read-only boxes, buttons of their own) are
    // simply not parameters, which is no error worth a warning box.
    const ParameterTable& t = m_camera.Table();
    for (int i = 0; i < t.RowCount(); ++i)
        if (t.Row(i).ctrlId == uint32_t(ctrlId))
            return true;
    return false;
}

bool ParameterControls::Handle(int ctrlId, ControlEvent event, int position, int step)
{
    switch (event) {
    case ControlEvent::Clicked:
        if (qobject_cast<QRadioButton*>(m_controls.Find(ctrlId)))
            return onRadioButton(ctrlId);
        return ClassOfControl(m_controls.Find(ctrlId)) == ControlClass::CheckBox && onCheckBox(ctrlId);
    case ControlEvent::FocusLost:
        return onNumberBox(ctrlId);
    case ControlEvent::SelectionChanged:
        return onList(ctrlId);
    case ControlEvent::SpinStep:
        return onSpinStep(ctrlId, position, step);
    }
    return false;
}

std::vector<Feature::MomentClaim> ParameterControls::Moments()
{
    // After the tabs are built at start-up, and after the Control Mode changed, whatever the
    // table holds beyond the camera goes out and the table is in step again.
    const Handler sendAndCommit = [this] { ParameterPath::SendAndCommit(m_camera, &m_controls); };
    return {
        {Moment::StartupWindowsReady, [this] { ApplySpinRanges(); }},
        {Moment::StartupTabsBuilt, sendAndCommit},
        {Moment::ControlModeChanged, sendAndCommit},
    };
}

int ParameterControls::SendPendingRows()
{
    return ParameterPath::SendPendingRows(m_camera, &m_controls);
}

int ParameterControls::RefreshControl(int ctrlId)
{
    return ParameterPath::RefreshRow(m_camera, ctrlId, &m_controls);
}

// ---------------------------------------------------------------------------------------
// Number boxes and spins

bool ParameterControls::checkRegion(int ctrlId, int32_t value)
{
    const ValueRules::RegionCheck* check = ValueRules::FindRegionCheck(ctrlId);
    if (!check)
        return true;
    const int32_t extent = ValueRules::Extent(*check, ControlTips::RuleState(m_controls));
    const int32_t partner = check->partnerFromRow ? m_camera.Table().GetDataValue(uint32_t(check->partnerBox))
                                                  : m_controls.GetControlValue(check->partnerBox);
    if (int64_t(value) + partner > extent) {
        // Off the sensor: the box and its spin show the row's value again, nothing is sent.
        const int32_t old = m_camera.Table().GetDataValue(uint32_t(ctrlId));
        m_controls.SetControlValue(ctrlId, old);
        if (UpDownControl* spin = m_controls.SpinOf(ctrlId))
            spin->setPosition(old);
        ControlTips::ReportOffSensor(m_controls, ctrlId, value, old);
        return false;
    }
    m_controls.SetSpinRange(check->partnerSpin, check->partnerMin, extent - value);
    ControlTips::Describe(m_controls, check->partnerBox);
    return true;
}

bool ParameterControls::onNumberBox(int ctrlId)
{
    auto* box = qobject_cast<QLineEdit*>(m_controls.Find(ctrlId));
    if (!box || box->isReadOnly())
        return false;
    const int32_t typed = m_controls.GetControlValue(ctrlId);
    int32_t v = ValueRules::Apply(ctrlId, typed, ControlTips::RuleState(m_controls));
    if (const ValueRules::Rule* rule = ValueRules::Find(ctrlId)) {
        if (rule->adjust == ValueRules::Adjust::SequencerIndex) {
            // The sequencer reads the entry of the index it is left with.
            m_controls.SetControlValue(ctrlId, v);
            return true;
        }
        if (rule->adjust == ValueRules::Adjust::ColourClamp) {
            m_controls.SetControlValue(ctrlId, v);
            ControlTips::ReportAdjusted(m_controls, ctrlId, typed, v, v);
            ParameterPath::StoreAndSend(m_camera, ctrlId, v, &m_controls);
            return true;
        }
    }

    const int32_t ruled = v;
    // Only a box with a spin is a parameter box; the spin's range has the last word.
    UpDownControl* spin = m_controls.SpinOf(ctrlId);
    if (!spin)
        return false;
    m_controls.SetControlValue(ctrlId, v);
    v = spin->position();
    if (hasRow(ctrlId) && m_camera.Table().GetRangePad(uint32_t(ctrlId)) == 1) {
        const int32_t low = std::min(spin->minimum(), spin->maximum());
        const int32_t high = std::max(spin->minimum(), spin->maximum());
        if (high - low >= 2)
            v = std::clamp(v, low + 1, high - 1);
    }
    m_controls.SetControlValue(ctrlId, v);

    if (!checkRegion(ctrlId, v))
        return false;
    ControlTips::ReportAdjusted(m_controls, ctrlId, typed, ruled, v);
    if (IsOwnFeatureBox(ctrlId) || !hasRow(ctrlId))
        return true;
    ParameterPath::StoreAndSend(m_camera, ctrlId, v, &m_controls);
    if (IsRegionBox(ctrlId))
        ParameterPath::RereadRows(m_camera, RegionRows(), &m_controls);
    return true;
}

bool ParameterControls::onSpinStep(int spinId, int position, int step)
{
    auto* spin = qobject_cast<UpDownControl*>(m_controls.Find(spinId));
    if (!spin || !spin->buddy())
        return false;
    const int low = std::min(spin->minimum(), spin->maximum());
    const int high = std::max(spin->minimum(), spin->maximum());
    const int32_t next = int32_t(std::clamp<int64_t>(int64_t(position) + step, low, high));
    spin->setPosition(next);
    const int buddyId = spin->buddy()->ctrlId();
    if (IsOwnFeatureBox(buddyId) || !hasRow(buddyId))
        return true;
    ParameterPath::StoreAndSend(m_camera, buddyId, next, &m_controls);
    return true;
}

// ---------------------------------------------------------------------------------------
// Check boxes and radio buttons

bool ParameterControls::onCheckBox(int ctrlId)
{
    if (hasRow(ctrlId))
        ParameterPath::StoreAndSend(m_camera, ctrlId, m_controls.GetControlValue(ctrlId), &m_controls);
    // "Select all": while it is ticked the camera uses every area; the single areas are
    // shown as the camera has them and can be changed only when it is cleared.
    const int first = SelectAllFirstArea(ctrlId);
    if (!first)
        return true;
    const bool selectAll = m_controls.GetControlValue(ctrlId) == 1;
    for (int id = first; id < first + kAreasPerSelectAll; ++id) {
        m_controls.SetEnabled(id, !selectAll);
        RefreshControl(id);
    }
    return true;
}

bool ParameterControls::onRadioButton(int ctrlId)
{
    auto* clicked = qobject_cast<QRadioButton*>(m_controls.Find(ctrlId));
    if (!clicked)
        return false;
    QRadioButton* first = ControlAdapter::GroupStart(clicked);
    const int position = int(ControlAdapter::RadioGroup(first).indexOf(clicked));
    const int firstId = first->property("ctrlId").toInt();
    if (position < 0 || !hasRow(firstId))
        return false;
    ParameterPath::StoreAndSend(m_camera, firstId, position, &m_controls);
    return true;
}

// ---------------------------------------------------------------------------------------
// Drop-down lists

bool ParameterControls::onList(int ctrlId)
{
    if (IsDisplayOnlyList(ctrlId))
        return false;
    switch (ctrlId) {
    case CtrlId::Gamma:
        onGammaList();
        return true;
    case CtrlId::ExposureMode:
        return onExposureModeList();
    case CtrlId::TriggerMode:
        ApplyEnableRule(EnableRule::TriggerMode);
        break;
    case CtrlId::ExposureTimeMode:
        ApplyEnableRule(EnableRule::ExposureTimeMode);
        ApplyEnableRule(EnableRule::SequencerExposureMode);
        break;
    case CtrlId::LutMode:
        ApplyEnableRule(EnableRule::LutMode);
        break;
    case CtrlId::IndividualGainMode:
        ApplyEnableRule(EnableRule::ImageGainMode);
        ApplyEnableRule(EnableRule::SequencerGainMode);
        ApplyEnableRule(EnableRule::GainRange);
        ApplySpinRanges();
        break;
    case CtrlId::ExposureAuto:
        ApplyEnableRule(EnableRule::AutomaticShutter);
        break;
    case CtrlId::GainAuto:
        ApplyEnableRule(EnableRule::AutomaticGain);
        break;
    default:
        break;
    }
    genericList(ctrlId);
    afterFormatChange(ctrlId);
    return true;
}

void ParameterControls::genericList(int ctrlId)
{
    if (!hasRow(ctrlId))
        return;
    const int32_t value = m_controls.GetControlValue(ctrlId);
    m_camera.Format().Take(ctrlId, value);
    m_camera.Table().SetDataValue(uint32_t(ctrlId), value);
    m_controls.RefreshPendingControls();
    if (!IsStoreOnlyList(ctrlId))
        SendPendingRows();
    m_camera.Table().CommitAll();
}

void ParameterControls::afterFormatChange(int ctrlId)
{
    switch (ctrlId) {
    case CtrlId::SensorClockFrequency:
    case CtrlId::BitAllocation:
    case CtrlId::ClConfiguration:
        // The output format decides the shortest frame, so the exposure limits follow it.
        m_features.Raise(Moment::ExposureLimitsDue);
        ApplySpinRanges();
        m_features.Raise(Moment::ExposureTimesDue);
        break;
    case CtrlId::SequencerHorizontalBinning:
    case CtrlId::SequencerVerticalBinning:
        // The sequencer's exposure limits follow in the automatic functions' After claim.
    case CtrlId::HorizontalBinning:
    case CtrlId::VerticalBinning:
        // The narrowest width the camera takes halves with binning: the range follows at once.
        ApplySpinRanges();
        break;
    case CtrlId::VideoProcessBypass:
        m_features.Raise(Moment::ExposureTimesDue);
        break;
    default:
        break;
    }
}

bool ParameterControls::onExposureModeList()
{
    // While the camera sets the exposure itself the mode must not change under it.
    if (m_controls.ListSelection(CtrlId::ExposureAuto) == 1) {
        Notices().Message("Please Set Exposure Auto to Off", kProgramCaption, NoticeIcon::Error);
        m_controls.SetControlValue(CtrlId::ExposureMode, m_camera.Table().GetCommittedValue(CtrlId::ExposureMode));
        return false;
    }
    ApplyEnableRule(EnableRule::ExposureMode);
    genericList(CtrlId::ExposureMode);
    return true;
}

void ParameterControls::onGammaList()
{
    const std::vector<int32_t>& values = ReloadData::GammaValues();
    const int item = m_controls.ListSelection(CtrlId::Gamma);
    // An item outside the list counts as the first one.
    const int32_t value = (item >= 0 && item < int(values.size())) ? values[size_t(item)] : values.front();
    m_camera.Table().SetDataValue(CtrlId::Gamma, value);
    m_controls.RefreshPendingControls();
    SendPendingRows();
}
