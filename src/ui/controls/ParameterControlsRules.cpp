// How the parameter controls apply the fixed rules of ControlRules to the window: the spin
// ranges, the lists' item values and the enable rules.
#include "ParameterControls.h"

#include "Camera.h"
#include "ControlAdapter.h"
#include "ControlTips.h"
#include "FeatureRegistry.h"
#include "Ids.h"
#include "LutFeature.h"
#include "NumberBox.h"
#include "ParameterTable.h"
#include "UpDownControl.h"
#include "ValueRules.h"

#include <QComboBox>

#include <algorithm>

using namespace ControlRules;

void ParameterControls::ApplySpinRanges()
{
    ParameterTable& t = m_camera.Table();
    const ValueRules::State state = ControlTips::RuleState(m_controls);
    for (int i = 0; i < t.RowCount(); ++i) {
        const ParameterRow& row = t.Row(i);
        const int ctrlId = int(row.ctrlId);
        if (row.ctrlKind != kNumberBox || IsSpinRangeException(ctrlId))
            continue;
        UpDownControl* spin = m_controls.SpinOf(ctrlId);
        if (!spin)
            continue;
        const ValueRules::Range limits = ValueRules::Limits(ctrlId, {row.minValue, row.maxValue}, state);
        int32_t minimum = limits.low;
        int32_t maximum = limits.high;
        if (row.rangePad == 1) {
            --minimum;
            ++maximum;
        }
        spin->setRange(minimum, maximum);
    }
    // The tooltips tell the ranges as they stand now.
    ControlTips::DescribeAll(m_controls);
}

void ParameterControls::AttachListValues()
{
    ParameterTable& table = m_camera.Table();
    for (const ListValues& entry : ListItemValues()) {
        for (int listId : entry.lists) {
            QComboBox* list = m_controls.FindList(listId);
            if (!list)
                continue;
            const int count = std::min<int>(list->count(), int(entry.values.size()));
            for (int i = 0; i < count; ++i)
                list->setItemData(i, entry.values[size_t(i)]);
            if (IsSelectedFromTable(listId) || !hasRow(listId))
                continue;
            const int32_t value = table.GetDataValue(uint32_t(listId));
            if (IsBinningList(listId)) {
                list->setCurrentIndex(value == 1 ? 1 : 0);
                continue;
            }
            int index = 0;
            for (int i = 0; i < list->count(); ++i)
                if (list->itemData(i).toInt() == value) {
                    index = i;
                    break;
                }
            list->setCurrentIndex(list->count() > 0 ? index : -1);
        }
    }
    // The sequencer binning lists are refilled and then show the entry in the index box.
    for (int listId : SequencerBinningLists()) {
        if (QComboBox* list = m_controls.FindList(listId)) {
            list->clear();
            list->addItem(QStringLiteral("Off"), 0);
            list->addItem(QStringLiteral("x2"), 1);
        }
    }
    m_features.Raise(Moment::ListValuesAttached);
}

void ParameterControls::ApplyEnableRule(EnableRule rule)
{
    switch (rule) {
    case EnableRule::GainRange: {
        const ValueRules::Range range =
            ValueRules::DigitalGainRange(m_controls.ListSelection(CtrlId::IndividualGainMode) == 1);
        for (int row : {CtrlId::GainRed, CtrlId::GainBlue})
            m_camera.Table().SetRange(uint32_t(row), range.low, range.high);
        return;
    }
    case EnableRule::AutomaticShutter: {
        const bool continuous = m_controls.ListSelection(CtrlId::ExposureAuto) == 1;
        for (int id : {CtrlId::ExposureTimeAutoMax, CtrlId::ExposureTimeAutoMin, CtrlId::ExposureTimeAutoMaxSpin,
                       CtrlId::ExposureTimeAutoMinSpin})
            m_controls.SetEnabled(id, continuous);
        for (int id : ExposureAreaControls(m_controls.ListSelection(CtrlId::ExposureTimeMode)))
            m_controls.SetEnabled(id, !continuous);
        return;
    }
    case EnableRule::AutomaticGain: {
        const bool continuous = m_controls.ListSelection(CtrlId::GainAuto) == 1;
        for (int id : {CtrlId::GainAutoMax, CtrlId::GainAutoMin, CtrlId::GainAutoMaxSpin, CtrlId::GainAutoMinSpin})
            m_controls.SetEnabled(id, continuous);
        ApplyEnableRule(EnableRule::GainRange);
        ApplySpinRanges();
        return;
    }
    default:
        break;
    }
    const EnableTable* tableOfRule = FindEnableTable(rule);
    if (!tableOfRule)
        return;
    const int item = m_controls.ListSelection(tableOfRule->list);
    const EnableCase* chosen = nullptr;
    for (const EnableCase& c : tableOfRule->cases)
        if (c.item == item || (c.item == -1 && !chosen)) {
            chosen = &c;
            if (c.item == item)
                break;
        }
    if (!chosen)
        return;
    for (int id : chosen->enable)
        m_controls.SetEnabled(id, true);
    for (int id : chosen->disable)
        m_controls.SetEnabled(id, false);
    if (rule == EnableRule::LutMode)
        m_lut.FollowLutMode();
}

void ParameterControls::ApplyReloadEnableRules()
{
    ApplyEnableRule(EnableRule::ExposureMode);
    ApplyEnableRule(EnableRule::ExposureTimeMode);
    ApplyEnableRule(EnableRule::SequencerExposureMode);
    ApplyEnableRule(EnableRule::AutomaticShutter);
    ApplyEnableRule(EnableRule::AutomaticGain);
    ApplyEnableRule(EnableRule::TriggerMode);
    ApplyEnableRule(EnableRule::SequencerGainMode);
}
