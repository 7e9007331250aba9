// The handlers of ParameterControls by control class: what a number box, a spin, a check
// box, a radio button, a push button and a drop-down list do when a person changes them.
#include "ParameterControls.h"

#include "Command.h"
#include "CommandTable.h"
#include "ControlLookup.h"
#include "NumberBox.h"
#include "ParameterTable.h"
#include "UpDownControl.h"
#include "UserNotice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <algorithm>

using namespace ParamRules;

namespace {

constexpr uint32_t kExchangeMs = 2500;

ParameterTable& table()
{
    return ParameterTable::Instance();
}

// Lists whose command needs an encoding of its own: their family sends them, nothing else.
constexpr int kFamilyOnlyLists[] = {1356, 1422, 2339, 2340, 2341, 2342, 2345, 2346,
                                    2347, 2348, 2810, 2815, 2820, 2877, 2907};
// Lists stored but not sent by the generic path (sequencer fields, binning sent by its family).
constexpr int kStoreOnlyLists[] = {2797, 2798, 2799, 1406, 1408};

template <size_t N>
bool among(const int (&ids)[N], int id)
{
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Number boxes and spins

bool ParameterControls::checkRegion(int ctrlId, int32_t value)
{
    const RegionCheck* check = FindRegionCheck(ctrlId);
    if (!check)
        return true;
    const SensorSize sensor = sensorSize();
    const int32_t extent = check->vertical ? sensor.height : sensor.width;
    const int32_t partner = check->partnerFromRow ? table().GetDataValue(uint32_t(check->partnerBox))
                                                  : GetControlValue(check->partnerBox);
    if (int64_t(value) + partner > extent) {
        // Off the sensor: the box and its spin show the row's value again, nothing is sent.
        const int32_t old = table().GetDataValue(uint32_t(ctrlId));
        SetControlValue(ctrlId, old);
        if (auto* box = qobject_cast<NumberBox*>(find(ctrlId)))
            if (auto* spin = qobject_cast<UpDownControl*>(find(box->spinId())))
                spin->setPosition(old);
        return false;
    }
    if (auto* spin = qobject_cast<UpDownControl*>(find(check->partnerSpin)))
        spin->setRange(check->partnerMin, extent - value);
    return true;
}

void ParameterControls::rereadRegionRows()
{
    // Plain queries, sent as the lines they are; each answer goes into its row and box.
    static const struct {
        int ctrlId;
        const char* line;
    } kRegionRows[] = {{1359, "HTL?\r\n"}, {2515, "WTC?\r\n"}, {1357, "OFL?\r\n"}, {2513, "OFC?\r\n"}};
    for (const auto& r : kRegionRows) {
        uint32_t answer = 0;
        if (Command::Instance().SendAndReceive(answer, r.line, kExchangeMs, 1)) {
            table().SetDataValue(uint32_t(r.ctrlId), int32_t(answer));
            SetControlValue(r.ctrlId, int32_t(answer));
        }
    }
    // The rows now hold what the camera has; nothing of it is left to send.
    table().CommitAll();
}

void ParameterControls::OnNumberBox(int ctrlId)
{
    auto* box = qobject_cast<QLineEdit*>(find(ctrlId));
    if (!box || box->isReadOnly())
        return;
    int32_t v = GetControlValue(ctrlId);

    if (const BoxRule* rule = FindBoxRule(ctrlId)) {
        switch (rule->adjust) {
        case BoxAdjust::MaskByBinning:
            v &= (listSelection(rule->list) == 0) ? 0xFFF0 : 0xFFF8;
            break;
        case BoxAdjust::Clamp:
            v = std::clamp(v, rule->low, rule->high);
            break;
        case BoxAdjust::Even:
            v &= 0xFFFE;
            break;
        case BoxAdjust::SequencerIndex:
            v = std::clamp(v, rule->low, rule->high);
            SetControlValue(ctrlId, v);
            if (m_hooks.readSequencerSet)
                m_hooks.readSequencerSet(v);
            return;
        case BoxAdjust::ColourClamp:
            v = std::clamp(v, rule->low, rule->high);
            SetControlValue(ctrlId, v);
            table().SetDataValue(uint32_t(ctrlId), v);
            commonCommit();
            return;
        case BoxAdjust::GainWhenIgmOn:
            if (listSelection(rule->list) > 0)
                v = 100;
            break;
        case BoxAdjust::GainWhenIgmOff:
            if (listSelection(rule->list) == 0)
                v = 100;
            break;
        case BoxAdjust::ExposureMinByBinning:
            v = std::max(v, (listSelection(2797) == 1 || listSelection(2798) == 1) ? 3 : 1);
            break;
        }
    }

    // Only a box with a spin is a parameter box; the spin's range has the last word.
    auto* numberBox = qobject_cast<NumberBox*>(box);
    auto* spin = numberBox ? qobject_cast<UpDownControl*>(find(numberBox->spinId())) : nullptr;
    if (!spin)
        return;
    SetControlValue(ctrlId, v);
    v = spin->position();
    if (hasRow(ctrlId) && table().GetRangePad(uint32_t(ctrlId)) == 1) {
        const int32_t low = std::min(spin->minimum(), spin->maximum());
        const int32_t high = std::max(spin->minimum(), spin->maximum());
        if (high - low >= 2)
            v = std::clamp(v, low + 1, high - 1);
    }
    SetControlValue(ctrlId, v);

    if (!checkRegion(ctrlId, v))
        return;
    if (IsOwnFeatureBox(ctrlId) || !hasRow(ctrlId))
        return;
    table().SetDataValue(uint32_t(ctrlId), v);
    commonCommit();
    if (ctrlId == 1357 || ctrlId == 2513 || ctrlId == 1359 || ctrlId == 2515)
        rereadRegionRows();
}

void ParameterControls::OnSpinStep(int spinId, int position, int step)
{
    auto* spin = qobject_cast<UpDownControl*>(find(spinId));
    if (!spin || !spin->buddy())
        return;
    const int low = std::min(spin->minimum(), spin->maximum());
    const int high = std::max(spin->minimum(), spin->maximum());
    const int32_t next = int32_t(std::clamp<int64_t>(int64_t(position) + step, low, high));
    spin->setPosition(next);
    const int buddyId = spin->buddy()->ctrlId();
    if (spinId == 2780) {
        if (m_hooks.readSequencerSet)
            m_hooks.readSequencerSet(next);
        return;
    }
    if (IsOwnFeatureBox(buddyId) || !hasRow(buddyId))
        return;
    table().SetDataValue(uint32_t(buddyId), next);
    commonCommit();
}

// ---------------------------------------------------------------------------------------
// Buttons

void ParameterControls::OnCheckBox(int ctrlId)
{
    if (hasRow(ctrlId)) {
        table().SetDataValue(uint32_t(ctrlId), GetControlValue(ctrlId));
        commonCommit();
    }
    // "Select all": while it is ticked the camera uses every area; the single areas are
    // shown as the camera has them and can be changed only when it is cleared.
    int first = 0;
    if (ctrlId == 2540)
        first = 1943;
    else if (ctrlId == 2543)
        first = 1959;
    if (!first)
        return;
    const bool selectAll = GetControlValue(ctrlId) == 1;
    for (int id = first; id < first + 16; ++id) {
        setEnabled(id, !selectAll);
        RefreshControl(id);
    }
}

void ParameterControls::OnRadioButton(int ctrlId)
{
    auto* clicked = qobject_cast<QRadioButton*>(find(ctrlId));
    if (!clicked)
        return;
    QRadioButton* first = groupStart(clicked);
    const int position = int(radioGroup(first).indexOf(clicked));
    const int firstId = first->property("ctrlId").toInt();
    if (position < 0 || !hasRow(firstId))
        return;
    table().SetDataValue(uint32_t(firstId), position);
    commonCommit();
}

void ParameterControls::OnPushButton(int ctrlId)
{
    if (m_hooks.pushButton)
        m_hooks.pushButton(ctrlId);
}

// ---------------------------------------------------------------------------------------
// Drop-down lists

void ParameterControls::OnList(int ctrlId)
{
    if (ctrlId == 1855) // the camera model list only shows the model
        return;
    if (among(kFamilyOnlyLists, ctrlId)) {
        if (m_hooks.familyList)
            m_hooks.familyList(ctrlId);
        return;
    }
    switch (ctrlId) {
    case 2575:
        onGammaList();
        return;
    case 2901:
    case 2902:
        if (m_hooks.sequencerList)
            m_hooks.sequencerList(ctrlId, ListPhase::Replace);
        return;
    case 1580:
        if (m_hooks.autoFunctionList)
            m_hooks.autoFunctionList(ctrlId, ListPhase::Replace);
        return;
    case 1337:
        onExposureModeList();
        return;
    case 1341:
        ApplyEnableRule(EnableRule::TriggerMode);
        break;
    case 1368:
        ApplyEnableRule(EnableRule::ExposureTimeMode);
        ApplyEnableRule(EnableRule::SequencerExposureMode);
        break;
    case 1381:
        ApplyEnableRule(EnableRule::LutMode);
        break;
    case 1406:
    case 1408:
        if (m_hooks.familyList)
            m_hooks.familyList(ctrlId);
        break;
    case 2542:
        if (m_hooks.familyList)
            m_hooks.familyList(ctrlId);
        ApplyEnableRule(EnableRule::ImageGainMode);
        ApplyEnableRule(EnableRule::SequencerGainMode);
        ApplyEnableRule(EnableRule::GainRange);
        ApplySpinRanges();
        break;
    case 2538:
    case 2539:
        if (m_hooks.autoFunctionList)
            m_hooks.autoFunctionList(ctrlId, ListPhase::Before);
        ApplyEnableRule(ctrlId == 2538 ? EnableRule::AutomaticShutter : EnableRule::AutomaticGain);
        break;
    case 2797:
    case 2798:
        if (m_hooks.sequencerList)
            m_hooks.sequencerList(ctrlId, ListPhase::Before);
        break;
    default:
        break;
    }
    genericList(ctrlId);
    afterFormatChange(ctrlId);
    if ((ctrlId == 1368 || ctrlId == 2542 || ctrlId == 2594) && m_hooks.autoFunctionList)
        m_hooks.autoFunctionList(ctrlId, ListPhase::After);
}

void ParameterControls::genericList(int ctrlId)
{
    if (!hasRow(ctrlId))
        return;
    const int32_t value = GetControlValue(ctrlId);
    if (ctrlId == 1407) {
        m_format.m_ClConfguration = value;
    } else if (ctrlId == 1354) {
        // Only the Medium configuration (and those above Eighty-Bit) carries more than RGB8.
        if (m_format.m_ClConfguration == 1 || m_format.m_ClConfguration > 3 || value == 3)
            m_format.m_BitAllocation = value;
    } else if (ctrlId == 2573) {
        m_format.m_SensClkFreq = value;
    }
    table().SetDataValue(uint32_t(ctrlId), value);
    RefreshPendingControls();
    if (!among(kStoreOnlyLists, ctrlId))
        SendPendingRows(kExchangeMs);
    table().CommitAll();
}

void ParameterControls::afterFormatChange(int ctrlId)
{
    switch (ctrlId) {
    case 2573:
    case 1354:
    case 1407:
        // The output format decides the shortest frame, so the exposure limits follow it.
        storeExposureLimits(ExposureRows());
        ApplySpinRanges();
        if (m_hooks.refreshExposureTimes)
            m_hooks.refreshExposureTimes();
        if (ctrlId == 2573 && m_hooks.fillClConfigurationLists)
            m_hooks.fillClConfigurationLists();
        break;
    case 2797:
    case 2798:
        storeExposureLimits(SequencerExposureRows());
        ApplySpinRanges();
        break;
    case 2594:
        if (m_hooks.refreshExposureTimes)
            m_hooks.refreshExposureTimes();
        break;
    default:
        break;
    }
}

void ParameterControls::onExposureModeList()
{
    // While the camera sets the exposure itself the mode must not change under it.
    if (listSelection(2538) == 1) {
        Notices().Message("Please Set Exposure Auto to Off", "Lumora Control Tool", NoticeIcon::Error);
        SetControlValue(1337, table().GetCommittedValue(1337));
        return;
    }
    ApplyEnableRule(EnableRule::ExposureMode);
    genericList(1337);
    if (m_hooks.sequencerList)
        m_hooks.sequencerList(1337, ListPhase::After);
}

void ParameterControls::onGammaList()
{
    static constexpr int32_t kGamma[] = {50, 55, 60, 65, 75, 80, 90, 100};
    const int item = listSelection(2575);
    const int32_t value = (item >= 1 && item <= 8) ? kGamma[item - 1] : 45;
    table().SetDataValue(2575, value);
    RefreshPendingControls();
    SendPendingRows(kExchangeMs);
}
